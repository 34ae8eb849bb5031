#include "tests/golden/state_compare.h"

#include <cmath>

namespace golden {
namespace {

std::string Join(const std::string& path, const std::string& key) {
  return path.empty() ? key : path + "." + key;
}

std::string Differs(const std::string& path, const Json& expected, const Json& actual) {
  return (path.empty() ? std::string("the state") : path) + ": expected " + expected.dump() +
         ", got " + actual.dump();
}

bool SameNumber(const Json& a, const Json& b, double tolerance) {
  if (a.is_number_integer() && b.is_number_integer()) return a == b;
  return std::fabs(a.get<double>() - b.get<double>()) <= tolerance;
}

std::optional<std::string> Compare(const Json& expected, const Json& actual, double tolerance,
                                   const std::string& path) {
  if (expected.is_number() && actual.is_number()) {
    if (SameNumber(expected, actual, tolerance)) return std::nullopt;
    return Differs(path, expected, actual);
  }
  if (expected.type() != actual.type()) return Differs(path, expected, actual);
  if (expected.is_object()) {
    for (const auto& [key, value] : expected.items()) {
      const auto found = actual.find(key);
      if (found == actual.end()) return Join(path, key) + ": missing";
      if (auto difference = Compare(value, *found, tolerance, Join(path, key))) return difference;
    }
    return std::nullopt;
  }
  if (expected.is_array()) {
    // Elements first, so that an extra or missing object names what changed in it.
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
      const std::string at = path + "[" + std::to_string(i) + "]";
      if (auto difference = Compare(expected[i], actual[i], tolerance, at)) return difference;
    }
    if (expected.size() != actual.size()) {
      return path + ": expected " + std::to_string(expected.size()) + " elements, got " +
             std::to_string(actual.size());
    }
    return std::nullopt;
  }
  if (expected == actual) return std::nullopt;
  return Differs(path, expected, actual);
}

}  // namespace

Json Pick(const Json& state, const Json& shape) {
  if (shape.is_object() && state.is_object()) {
    Json picked = Json::object();
    for (const auto& [key, inner] : shape.items()) {
      if (const auto found = state.find(key); found != state.end()) {
        picked[key] = Pick(*found, inner);
      }
    }
    return picked;
  }
  if (shape.is_array() && !shape.empty() && state.is_array()) {
    Json picked = Json::array();
    for (const Json& element : state) picked.push_back(Pick(element, shape[0]));
    return picked;
  }
  return state;
}

std::optional<std::string> FirstDifference(const Json& expected, const Json& actual,
                                           double tolerance) {
  return Compare(expected, actual, tolerance, "");
}

}  // namespace golden
