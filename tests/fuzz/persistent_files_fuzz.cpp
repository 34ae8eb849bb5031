// The settings, high-score and resume files as the game loads them at start:
// each present or missing, of any length (the first input byte says which are
// present, the next two how long the settings and resume files are, the rest
// is the high-score file). Then what the game does with them at once: window
// parameters, the record rows of the high-score screen, the country name.
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/persistent_files.h"
#include "core/window_params.h"
#include "platform/file_error.h"
#include "screens/records_menu.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;

struct GameFile {
  const char* name;
  std::size_t recordSize;
  std::vector<std::uint8_t> bytes;
  bool present = false;
};

// Runs the load inside the scratch directory, where data/ stands for the game's.
class InScratchDir {
 public:
  InScratchDir() : previous_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    fuzz::Check(previous_ >= 0 && ::chdir(fuzz::ScratchDir().c_str()) == 0,
                "cannot enter the scratch directory");
  }
  ~InScratchDir() {
    fuzz::Check(::fchdir(previous_) == 0, "cannot leave the scratch directory");
    ::close(previous_);
  }
  InScratchDir(const InScratchDir&) = delete;
  InScratchDir& operator=(const InScratchDir&) = delete;

 private:
  int previous_;
};

template <typename Record>
void CheckKeptAsStored(const Record& loaded, const GameFile& file) {
  if (!file.present) return;
  const auto bytes = loaded.ToBytes();
  fuzz::Check(std::equal(bytes.begin(), bytes.end(), file.bytes.begin()),
              "a loaded record does not write back as stored");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t present = input.ConsumeIntegral<std::uint8_t>();
  GameFile settings{"settings.dat", core::GameSettings::kSize, {}};
  GameFile boss{"boss.dat", core::BossState::kSize, {}};
  GameFile records{"records.dat", core::RecordsTable::kSize, {}};
  settings.bytes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 40));
  boss.bytes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 20));
  records.bytes = input.ConsumeRemainingBytes<std::uint8_t>();

  const InScratchDir inScratch;
  fs::create_directory("data");
  bool shortFile = false;
  int bit = 0;
  for (GameFile* file : {&settings, &records, &boss}) {
    file->present = (present >> bit++) & 1;
    const fs::path path = fs::path("data") / file->name;
    fs::remove(path);
    if (file->present) fuzz::WriteWholeFile(path, file->bytes);
    shortFile = shortFile || (file->present && file->bytes.size() < file->recordSize);
  }

  core::PersistentState state;
  try {
    core::LoadPersistentFiles(state);
  } catch (const platform::FileError&) {
    fuzz::Check(shortFile, "a whole file was refused");
    return 0;
  }
  fuzz::Check(!shortFile, "a short file was accepted");
  fuzz::Check(state.resumedFromBoss == boss.present, "resume record found or lost");
  fuzz::Check(!fs::exists("data/boss.dat"), "resume record not consumed");
  if (boss.present) {
    fuzz::Check(
        state.resumedScreenState == boss.bytes[1] && state.resumedMenuScene == boss.bytes[2],
        "resume record misread");
  }
  CheckKeptAsStored(state.settings, settings);
  CheckKeptAsStored(state.records, records);
  if (!settings.present) fuzz::Check(state.settings == core::GameSettings{}, "default settings");
  if (!records.present) {
    fuzz::Check(state.records == core::RecordsTable::Defaults(), "default high-score table");
  }

  core::TWindowParams params;
  core::FillWindowParams(params, 1920, 1080, state.settings);
  fuzz::Check(state.settings.Country.Text().size() <= core::ShortText::kCapacity, "country name");
  for (const core::TRecordEntry& entry : state.records.entries) {
    fuzz::Check(entry.Name.Text().size() <= core::ShortText::kCapacity, "record name");
    fuzz::Check(!screens::RecordRowText(entry).empty(), "record row");
  }
  return 0;
}
