// Readers for texture packs: files that hold many images behind a directory of
// 8-byte entries from byte 0, one per image (little-endian u32 offset from the
// start of the file, u32 size). Image n's bytes are a complete image file.
// The file has no header and no entry count; a reader only ever looks at entry n.
//
// An entry whose directory slot, offset or size reaches outside the file, or
// whose size is 0, gives no image: texture 0, or an empty blob. The readers
// never hand out bytes that were not read from the file.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/types.h"

// An image's file bytes kept in memory, to make textures from again and again
// without touching the disk.
struct ImageBlob {
  std::vector<std::uint8_t> Data;
  std::int32_t Size = 0;  // always Data.size()
};

// Reads image `index` of the pack `fileName` (a game path such as
// "data\Forms.dat") and makes a texture of it with iTextureCreateFromMemory and
// `tag`. 0 when the file cannot be opened or the entry holds no image. Opens the
// file once and reads nothing into a cache: every call makes a new texture (its
// decoded picture is shared with the other textures of the same bytes).
iHandle LoadPackTexture(const char* fileName, std::uint16_t index, std::int32_t tag);

// Fills `blob` with image `index` of the pack. When the file cannot be opened the
// blob is left as it was; a negative index or an entry that holds no image
// leaves it empty.
void LoadPackBlob(ImageBlob& blob, std::int32_t index, const char* fileName);
