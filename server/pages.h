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

// The world page: a filter by country, one page of the table (rank, name,
// country, score, date, the recording's mark), links to the pages around it.
// Readable without scripts; its style comes from kWorldCss at /world.css.
std::string RenderTopPage(const TopPage& page, const TopQuery& query,
                          const std::vector<std::string>& countries);
// The address of page `number` (1 for the first) of `query`'s table.
std::string PageLink(const TopQuery& query, std::int64_t number);
extern const char* const kWorldCss;
std::string RenderTopJson(const std::vector<TopEntry>& entries);

}  // namespace scores
