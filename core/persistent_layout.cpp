// Byte layouts of the persistent records.
#include <algorithm>

#include "core/persistent_files.h"
#include "platform/little_endian.h"

namespace core {
namespace {

void PutInt32(std::uint8_t* out, std::int32_t value) {
  platform::le::Write32(out, static_cast<std::uint32_t>(value));
}

std::int32_t GetInt32(const std::uint8_t* in) {
  return static_cast<std::int32_t>(platform::le::Read32(in));
}

void PutText(std::uint8_t* out, const ShortText& text) {
  std::copy(text.raw.begin(), text.raw.end(), out);
}

ShortText GetText(const std::uint8_t* in) {
  ShortText text;
  std::copy(in, in + ShortText::kSize, text.raw.begin());
  return text;
}

// Offsets inside the settings record and inside one high-score entry.
constexpr std::size_t kWindowedAt = 0;
constexpr std::size_t kSoundOnAt = 1;
constexpr std::size_t kMusicOnAt = 2;
constexpr std::size_t kCountryAt = 3;
constexpr std::size_t kBossKeyAt = 14;
constexpr std::size_t kBossShiftAt = 15;
constexpr std::size_t kBossAltAt = 16;
constexpr std::size_t kBossCtrlAt = 17;

constexpr std::size_t kNameAt = 0;
constexpr std::size_t kReservedAt = 11;
constexpr std::size_t kScoreAt = 12;

}  // namespace

std::string ShortText::Text() const {
  const std::size_t length = std::min<std::size_t>(raw[0], kCapacity);
  return std::string(raw.begin() + 1, raw.begin() + 1 + static_cast<std::ptrdiff_t>(length));
}

void ShortText::SetText(std::string_view text) {
  raw.fill(0);
  const std::size_t length = std::min(text.size(), kCapacity);
  raw[0] = static_cast<std::uint8_t>(length);
  std::copy_n(text.begin(), length, raw.begin() + 1);
}

GameSettings::Bytes GameSettings::ToBytes() const {
  Bytes bytes{};
  bytes[kWindowedAt] = Windowed;
  bytes[kSoundOnAt] = SoundOn;
  bytes[kMusicOnAt] = MusicOn;
  PutText(bytes.data() + kCountryAt, Country);
  bytes[kBossKeyAt] = BossKey;
  bytes[kBossShiftAt] = BossShift;
  bytes[kBossAltAt] = BossAlt;
  bytes[kBossCtrlAt] = BossCtrl;
  return bytes;
}

GameSettings GameSettings::FromBytes(std::span<const std::uint8_t, kSize> bytes) {
  GameSettings settings;
  settings.Windowed = bytes[kWindowedAt];
  settings.SoundOn = bytes[kSoundOnAt];
  settings.MusicOn = bytes[kMusicOnAt];
  settings.Country = GetText(bytes.data() + kCountryAt);
  settings.BossKey = bytes[kBossKeyAt];
  settings.BossShift = bytes[kBossShiftAt];
  settings.BossAlt = bytes[kBossAltAt];
  settings.BossCtrl = bytes[kBossCtrlAt];
  return settings;
}

RecordsTable RecordsTable::Defaults() {
  RecordsTable table;
  for (int i = 0; i < kEntries; ++i) {
    table.entries[i].Name.SetText("Anonymous");
    table.entries[i].reserved = 0;
    table.entries[i].Score = 1000 - 100 * i;
  }
  return table;
}

RecordsTable::Bytes RecordsTable::ToBytes() const {
  Bytes bytes{};
  for (int i = 0; i < kEntries; ++i) {
    std::uint8_t* out = bytes.data() + i * TRecordEntry::kSize;
    PutText(out + kNameAt, entries[i].Name);
    out[kReservedAt] = entries[i].reserved;
    PutInt32(out + kScoreAt, entries[i].Score);
  }
  return bytes;
}

RecordsTable RecordsTable::FromBytes(std::span<const std::uint8_t, kSize> bytes) {
  RecordsTable table;
  for (int i = 0; i < kEntries; ++i) {
    const std::uint8_t* in = bytes.data() + i * TRecordEntry::kSize;
    table.entries[i].Name = GetText(in + kNameAt);
    table.entries[i].reserved = in[kReservedAt];
    table.entries[i].Score = GetInt32(in + kScoreAt);
  }
  return table;
}

}  // namespace core
