// Golden pictures: zq-sim renders fixed frames of fixed runs headless in the
// generated runtime tree, and each must match its picture in expected/.
//
// Tolerance: a pixel counts as different when a channel is off by more than 8
// of 255, and up to 20 such pixels pass. A rounding change in another compiler,
// libm or SDL build moves a colour by a step or two, or flips a few edge
// pixels; a sprite moved by one pixel changes its whole outline (about 1,400
// pixels for the hero), and a changed colour every pixel that has it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/image.h"
#include "tests/golden/golden_run.h"
#include "tests/golden/picture_compare.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr golden::PictureTolerance kPictureTolerance{.channel = 8, .pixels = 20};

// Each picture is of the run's last frame.
const golden::SimCase kPictures[] = {
    {.script = "intro", .seed = 3, .frames = 100},
    {.script = "main_menu", .seed = 3, .frames = 300},
    {.script = "options", .seed = 3, .frames = 320},
    {.script = "high_scores", .seed = 3, .frames = 320},
    {.script = "level_jump", .seed = 1, .frames = 500},
};

std::optional<engine::Image> ReadPicture(const fs::path& file) {
  if (!fs::exists(file)) return std::nullopt;
  return engine::DecodeImage(testing_support::FileBytes(file));
}

class GoldenPicture : public ::testing::TestWithParam<golden::SimCase> {
 protected:
  testing_support::TempDir dir_;
};

TEST_P(GoldenPicture, MatchesExpected) {
  const golden::SimCase& run = GetParam();
  golden::CopyRuntimeTree(dir_.path());
  const fs::path shot = dir_.path() / "shot.png";
  const golden::SimOutput out = golden::RunSim(
      run, dir_.path(), {"--shot", std::to_string(run.frames) + ":" + shot.string()});
  ASSERT_EQ(out.status, 0) << "zq-sim failed";
  const std::optional<engine::Image> actual = ReadPicture(shot);
  ASSERT_TRUE(actual) << "zq-sim wrote no picture of frame " << run.frames;

  const fs::path expectedFile = golden::ExpectedFile(run.script + ".png");
  const fs::path actualFile = golden::FailureFile(run.script + ".actual.png");
  const fs::path diffFile = golden::FailureFile(run.script + ".diff.png");
  fs::remove(actualFile);
  fs::remove(diffFile);
  if (golden::RewriteRequested()) {
    fs::copy_file(shot, expectedFile, fs::copy_options::overwrite_existing);
    GTEST_SKIP() << "rewrote " << expectedFile;
  }
  const std::optional<engine::Image> expected = ReadPicture(expectedFile);
  ASSERT_TRUE(expected) << "cannot read " << expectedFile << "; to write it, "
                        << golden::kRewriteHint;

  const golden::PictureComparison comparison =
      golden::ComparePictures(*expected, *actual, kPictureTolerance);
  if (comparison.Matches(kPictureTolerance)) return;
  fs::copy_file(shot, actualFile, fs::copy_options::overwrite_existing);
  if (comparison.sameSize) engine::WritePng(diffFile, comparison.picture);
  if (!comparison.sameSize) {
    ADD_FAILURE() << run.script << ": the picture is " << actual->width << "x" << actual->height
                  << ", expected " << expected->width << "x" << expected->height
                  << "\n  actual: " << actualFile << "\n  " << golden::kRewriteHint;
  } else {
    ADD_FAILURE() << run.script << ": " << comparison.differing << " pixels differ by more than "
                  << kPictureTolerance.channel << " (largest difference " << comparison.largest
                  << "), at most " << kPictureTolerance.pixels
                  << " may\n  expected: " << expectedFile << "\n  actual:   " << actualFile
                  << "\n  diff:     " << diffFile << " (differing pixels red)\n  "
                  << golden::kRewriteHint;
  }
}

INSTANTIATE_TEST_SUITE_P(golden, GoldenPicture, ::testing::ValuesIn(kPictures),
                         [](const auto& info) { return info.param.script; });

}  // namespace
