// DDS pictures (uncompressed and DXT1/3/5) as the engine reads them: from
// memory, recognised by content, made into a texture.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallHeadlessEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MakeAndCheckTexture(data, size);
  return 0;
}
