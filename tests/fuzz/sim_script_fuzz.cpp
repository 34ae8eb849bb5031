// zq-sim's input scripts as the simulator reads them: a bad line is a
// ScriptError naming the line, anything else gives events in frame order
// with codes and pointer positions the session can use.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "tools/sim/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<sim::ScriptEvent> events;
  try {
    events = sim::ParseScript(in, "fuzz.script");
  } catch (const sim::ScriptError& error) {
    fuzz::Check(std::string(error.what()).starts_with("fuzz.script:"), "error without its line");
    return 0;
  }
  fuzz::Check(std::is_sorted(events.begin(), events.end(),
                             [](const auto& a, const auto& b) { return a.frame < b.frame; }),
              "events out of frame order");
  for (const sim::ScriptEvent& event : events) {
    fuzz::Check(event.frame >= 1 && event.line >= 1, "event frame or line");
    fuzz::Check(event.code >= 0 && event.code <= 255, "key code outside 0..255");
    fuzz::Check(std::isfinite(event.x) && std::isfinite(event.y), "pointer position");
  }
  return 0;
}
