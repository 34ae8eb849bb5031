// The world table as a web page and as JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/store.h"

namespace scores {

std::string HtmlEscape(std::string_view text);
std::string JsonEscape(std::string_view text);
// "YYYY-MM-DD" in UTC.
std::string FormatDate(std::int64_t seconds);

// Rank, name, country, score, date and the recording's mark, best first.
std::string RenderTopPage(const std::vector<TopEntry>& entries);
std::string RenderTopJson(const std::vector<TopEntry>& entries);

}  // namespace scores
