// zq-assets OUTDIR         writes the runtime tree (OUTDIR/data, OUTDIR/sound)
// zq-assets --sheets DIR   writes contact sheets of every picture into DIR
#include <cstdio>
#include <exception>
#include <string_view>

#include "tools/assets/art/sheets.h"
#include "tools/assets/runtime_tree.h"

int main(int argc, char** argv) {
  const bool sheets = argc == 3 && std::string_view(argv[1]) == "--sheets";
  if (!(argc == 2 && argv[1][0] != '-') && !sheets) {
    std::fprintf(stderr, "usage: zq-assets OUTDIR\n       zq-assets --sheets DIR\n");
    return 2;
  }
  try {
    if (sheets) {
      assets::art::WriteContactSheets(argv[2]);
    } else {
      assets::WriteRuntimeTree(argv[1]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zq-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
