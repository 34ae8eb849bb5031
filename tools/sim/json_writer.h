// A small streaming JSON writer for the simulator's frame records: it places
// the commas and quotes so that dumping an object is one line per field.
//
//   JsonWriter json;
//   json.BeginObject().Field("x", 1.5).Field("shown", true).EndObject();
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// JSON string literal of `text`; bytes outside ASCII are written as \u00XX
// (the game's texts are single-byte), so the output is always valid.
std::string JsonString(std::string_view text);

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);

  JsonWriter& Value(bool value);
  JsonWriter& Value(int value) { return Value(static_cast<long long>(value)); }
  JsonWriter& Value(long value) { return Value(static_cast<long long>(value)); }
  JsonWriter& Value(unsigned value) { return Value(static_cast<long long>(value)); }
  JsonWriter& Value(long long value);
  // Shortest text that reads back as the same float / double.
  JsonWriter& Value(float value);
  JsonWriter& Value(double value);
  JsonWriter& Value(long double value) { return Value(static_cast<double>(value)); }
  JsonWriter& Value(std::string_view text);
  JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
  JsonWriter& Null();

  template <typename T>
  JsonWriter& Field(std::string_view key, const T& value) {
    Key(key);
    return Value(value);
  }

  const std::string& str() const { return out_; }

 private:
  // A comma before every value or key that is not the first in its container.
  void Separate();

  std::string out_;
  std::vector<bool> empty_;  // per open container: nothing written in it yet
  bool afterKey_ = false;
};

}  // namespace sim
