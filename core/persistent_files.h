// The game's three small binary files under data/: the settings (18 bytes), the
// local high-score table (160 bytes) and the one-shot resume record (8 bytes).
// Each file is exactly one record with no header; the layouts below are the
// file formats, read and written byte by byte (little-endian), never by
// copying a struct.
//
// Any failure to open, read, write or close one of these files is fatal: the
// operations throw platform::FileError naming the file and the failure, and
// the program entry reports it and exits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace core {

// A length-prefixed text field: one length byte, then room for 10 characters.
// The raw bytes are kept as stored, so a record read from disk is written back
// unchanged even when its length byte is out of range.
struct ShortText {
  static constexpr std::size_t kCapacity = 10;
  static constexpr std::size_t kSize = kCapacity + 1;

  std::array<std::uint8_t, kSize> raw{};

  // The stored text: as many characters as the length byte says, but never
  // more than the field holds.
  std::string Text() const;
  // Stores the first 10 characters of text and clears the bytes after them.
  void SetText(std::string_view text);

  bool operator==(const ShortText&) const = default;
};

struct GameSettings {
  static constexpr std::size_t kSize = 18;
  using Bytes = std::array<std::uint8_t, kSize>;

  std::uint8_t Windowed = 1;  // 1: windowed; any other value: full screen
  std::uint8_t SoundOn = 1;
  std::uint8_t MusicOn = 1;
  ShortText Country;          // empty, every byte 0
  std::uint8_t BossKey = 88;  // DirectInput code of F12
  std::uint8_t BossShift = 0;
  std::uint8_t BossAlt = 0;
  std::uint8_t BossCtrl = 0;

  Bytes ToBytes() const;
  static GameSettings FromBytes(std::span<const std::uint8_t, kSize> bytes);

  bool operator==(const GameSettings&) const = default;
};

struct TRecordEntry {
  static constexpr std::size_t kSize = 16;

  ShortText Name;
  std::uint8_t reserved = 0;
  std::int32_t Score = 0;

  bool operator==(const TRecordEntry&) const = default;
};

// Ten entries, best first: entries[0] is rank 1.
struct RecordsTable {
  static constexpr int kEntries = 10;
  static constexpr std::size_t kSize = kEntries * TRecordEntry::kSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  std::array<TRecordEntry, kEntries> entries;

  // "Anonymous" with 1000, 900, ..., 100.
  static RecordsTable Defaults();

  Bytes ToBytes() const;
  static RecordsTable FromBytes(std::span<const std::uint8_t, kSize> bytes);

  bool operator==(const RecordsTable&) const = default;
};

// The resume record: only bytes 1 (a screen-state code) and 2 (the menu-scene
// flag) mean anything; the game reads it but never writes it.
struct BossState {
  static constexpr std::size_t kSize = 8;
  std::array<std::uint8_t, kSize> raw{};

  std::uint8_t ScreenState() const { return raw[1]; }
  std::uint8_t MenuSceneActive() const { return raw[2]; }
};

// What the files hold while the game runs; after loading, memory is the truth
// and the files are written only by the operations below.
struct PersistentState {
  GameSettings settings;
  RecordsTable records = RecordsTable::Defaults();
  std::uint8_t resumedScreenState = 0;
  std::uint8_t resumedMenuScene = 0;
  bool resumedFromBoss = false;
};

// Game paths of the three files, resolved with platform::ResolvePath on use.
inline constexpr std::string_view kSettingsFile = "data\\settings.dat";
inline constexpr std::string_view kRecordsFile = "data\\records.dat";
inline constexpr std::string_view kBossFile = "data\\boss.dat";

// Reads the settings and the high-score table, creating either file with the
// defaults when it is missing, then consumes the resume record if present
// (reads it, deletes it, sets resumedFromBoss). Files are opened for reading
// and writing even though they are only read, so a read-only file is an error;
// a file shorter than its record is an error, a longer one is read in part.
void LoadPersistentFiles(PersistentState& state);

void SaveSettingsFile(const GameSettings& settings);
void SaveRecordsFile(const PersistentState& state);

// Deletes data/records.dat, puts the default table in memory and writes it.
void ResetRecordsFile(PersistentState& state);

// The rank (1..10) a finished game's score earns: the best entry it beats.
// A score equal to an entry's ranks below it; none if it beats no entry.
std::optional<int> FindRecordRank(const PersistentState& state, std::int32_t score);

// Moves the entries from rank down by one place (the tenth is lost), stores
// name (first 10 characters) and score at rank and saves the table.
// Throws std::out_of_range for a rank outside 1..10.
void InsertRecord(PersistentState& state, int rank, std::string_view name, std::int32_t score);

bool ResumedFromBoss(const PersistentState& state);

}  // namespace core
