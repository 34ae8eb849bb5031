// Font files as the engine opens them: by path, header and glyph table read,
// the atlas picture inside decoded. A font is always made; glyphs that reach
// outside the atlas draw nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "engine/runtime.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const std::string& FontPath() {
  static const std::string path = (fuzz::ScratchDir() / "Font.wid").string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallHeadlessEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteWholeFile(FontPath(), {data, size});
  const iHandle handle = iFontCreate(FontPath().c_str(), 0);
  fuzz::Check(handle != 0, "no font for a file that exists");
  auto& fonts = engine::Installed()->world().fonts;
  const auto found = fonts.find(handle);
  fuzz::Check(found != fonts.end(), "font handle names no font");
  const engine::Font& font = found->second;
  if (!font.atlas) {
    fuzz::Check(font.glyphs.empty(), "glyphs without an atlas");
  }
  for (const engine::FontGlyphRect& g : font.glyphs) {
    const bool empty = g.w == 0 && g.h == 0 && g.x == 0 && g.y == 0;
    const bool inside = g.x >= 0 && g.y >= 0 && g.w >= 0 && g.h >= 0 &&
                        g.x + g.w <= font.atlas->width && g.y + g.h <= font.atlas->height;
    fuzz::Check(empty || inside, "glyph outside its atlas");
  }
  fonts.erase(found);
  return 0;
}
