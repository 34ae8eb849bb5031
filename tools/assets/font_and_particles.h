// The game's font and its particle texture, both drawn from code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "engine/font_file.h"

namespace assets {

// The font: Comic Neue Bold baked into 64 x 128 cells, printable ASCII 32..126.
constexpr int kFontCellWidth = 64;
constexpr int kFontCellHeight = 2 * kFontCellWidth;
constexpr char kFontFirstChar = 32;
constexpr int kFontGlyphCount = 95;

engine::FontFile BakeFont();
// Writes dataDir/_font/BubbleGum.wid; throws when the face cannot be read or
// the file cannot be written.
void WriteFont(const std::filesystem::path& dataDir);

// The particle texture: a 64 x 64 soft white glow as an uncompressed 32-bit
// RGBA DDS.
constexpr int kParticleSize = 64;

std::vector<std::uint8_t> ParticleTextureDds();
// Writes dataDir/particle_clot.dds.
void WriteParticleTexture(const std::filesystem::path& dataDir);

}  // namespace assets
