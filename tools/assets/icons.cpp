#include "tools/assets/icons.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "tools/assets/art/canvas.h"
#include "tools/assets/art/hero.h"

namespace assets {
namespace {

namespace fs = std::filesystem;

// The helmet fills a square of `size` units with a small margin, whatever its
// visor and ear disc add around the round shell.
void DrawIcon(cairo_t* cr, double size) {
  const auto head = [](cairo_t* c) { art::DrawHeroHead(c, 0, 0, 100, art::HeroFace::kNormal); };
  const art::InkBox box = art::InkExtents(head);
  const double width = box.right - box.left;
  const double height = box.bottom - box.top;
  const double scale = size * 0.94 / std::max(width, height);
  art::Saved saved(cr);
  cairo_translate(cr, size / 2, size / 2);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -(box.left + box.right) / 2, -(box.top + box.bottom) / 2);
  head(cr);
}

cairo_status_t AppendTo(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

void WriteIcons(const fs::path& outDir, std::string_view name) {
  const std::string file(name);
  for (const int size : kIconSizes) {
    const std::string side = std::to_string(size);
    const fs::path dir = outDir / "hicolor" / (side + "x" + side) / "apps";
    fs::create_directories(dir);
    art::SurfacePtr surface = art::MakeSurface(size, size);
    {
      art::ContextPtr cr = art::MakeContext(surface.get());
      DrawIcon(cr.get(), size);
    }
    platform::WriteFileAtomically(dir / (file + ".png"), art::EncodePng(surface.get()));
  }

  std::string svg;
  {
    art::SurfacePtr surface(cairo_svg_surface_create_for_stream(AppendTo, &svg, 256, 256));
    {
      art::ContextPtr cr = art::MakeContext(surface.get());
      DrawIcon(cr.get(), 256);
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
      throw std::runtime_error("cairo cannot write the SVG icon");
  }
  const fs::path dir = outDir / "hicolor" / "scalable" / "apps";
  fs::create_directories(dir);
  platform::WriteFileAtomically(dir / (file + ".svg"),
                                std::vector<std::uint8_t>(svg.begin(), svg.end()));
}

}  // namespace assets
