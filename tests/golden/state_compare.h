// Picks the keys that matter out of zq-sim's frame JSON and compares recorded
// states key by key.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace golden {

// Keys keep the order they were written in, so "first" follows the file.
using Json = nlohmann::ordered_json;

// The parts of `state` that `shape` names: an object in the shape keeps those
// of its keys that `state` has (each picked by its own shape), an array picks
// every element of `state`'s array by the array's one element, anything else
// keeps the value whole.
Json Pick(const Json& state, const Json& shape);

// Where `actual` first differs from `expected`, in the order `expected` lists
// its keys, as "game.hero.x: expected -7.6, got -7.2". Keys only in `actual`
// do not count. Two whole numbers must be equal; other numbers may differ by
// `tolerance`.
std::optional<std::string> FirstDifference(const Json& expected, const Json& actual,
                                           double tolerance);

}  // namespace golden
