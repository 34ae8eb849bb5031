// The desktop icon: the hero's helmet, as PNGs in the sizes desktops look for
// and as SVG, laid out as an icon theme ("hicolor/48x48/apps/NAME.png", ...).
#pragma once

#include <filesystem>
#include <string_view>

namespace assets {

inline constexpr int kIconSizes[] = {48, 64, 128, 256};

// Writes OUTDIR/hicolor/<n>x<n>/apps/<name>.png for each size and
// OUTDIR/hicolor/scalable/apps/<name>.svg.
void WriteIcons(const std::filesystem::path& outDir, std::string_view name);

}  // namespace assets
