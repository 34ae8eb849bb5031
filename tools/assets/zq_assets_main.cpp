// zq-assets OUTDIR         writes the runtime tree (OUTDIR/data, OUTDIR/sound)
// zq-assets --sheets DIR   writes contact sheets of every picture into DIR
// zq-assets --icons DIR    writes the desktop icon as an icon theme tree into DIR
#include <cstdio>
#include <exception>
#include <string_view>

#include "tools/assets/art/sheets.h"
#include "tools/assets/icons.h"
#include "tools/assets/runtime_tree.h"

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  const bool sheets = mode == "--sheets";
  const bool icons = mode == "--icons";
  if (!(argc == 2 && argv[1][0] != '-') && !sheets && !icons) {
    std::fprintf(stderr,
                 "usage: zq-assets OUTDIR\n       zq-assets --sheets DIR\n"
                 "       zq-assets --icons DIR\n");
    return 2;
  }
  try {
    if (sheets) {
      assets::art::WriteContactSheets(argv[2]);
    } else if (icons) {
      assets::WriteIcons(argv[2], "zorbelline-quester");
    } else {
      assets::WriteRuntimeTree(argv[1]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zq-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
