// Writes the smallest tracker module libxmp plays: one channel, no instruments,
// every order naming the same empty pattern. With `speed` ticks per row at
// `bpm`, one order lasts rows * speed * 2.5 / bpm seconds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

struct TinyXm {
  int orders = 3;
  int rows = 4;
  int speed = 3;
  int bpm = 150;
  int restart = 0;  // order the song continues at after its end

  double OrderSeconds() const { return rows * speed * 2.5 / bpm; }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out;
    const auto text = [&out](const std::string& s, std::size_t width) {
      for (std::size_t i = 0; i < width; ++i) out.push_back(i < s.size() ? s[i] : 0);
    };
    const auto u16 = [&out](int v) {
      out.push_back(static_cast<std::uint8_t>(v & 0xFF));
      out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    const auto u32 = [&](int v) {
      u16(v & 0xFFFF);
      u16((v >> 16) & 0xFFFF);
    };
    text("Extended Module: ", 17);
    text("tiny", 20);
    out.push_back(0x1A);
    text("test", 20);
    u16(0x0104);
    u32(276);  // header size, counted from this field
    u16(orders);
    u16(restart);
    u16(1);  // channels
    u16(1);  // patterns
    u16(0);  // instruments
    u16(1);  // linear frequencies
    u16(speed);
    u16(bpm);
    for (int i = 0; i < 256; ++i) out.push_back(0);  // every order plays pattern 0
    u32(9);                                          // pattern header size
    out.push_back(0);                                // packing type
    u16(rows);
    u16(rows);  // packed size: one "empty cell" byte per row
    for (int i = 0; i < rows; ++i) out.push_back(0x80);
    return out;
  }

  void Write(const std::filesystem::path& path) const {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    const auto bytes = Bytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
};

}  // namespace testing_support
