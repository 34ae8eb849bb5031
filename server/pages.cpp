#include "server/pages.h"

#include <cstdio>
#include <ctime>

namespace scores {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string JsonEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || c == '<' || c == '>' || c == '&') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

std::string FormatDate(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char date[16];
  std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
  return date;
}

namespace {

std::string ReplayLink(const TopEntry& e) {
  return "/api/replays/" + std::to_string(e.id);
}

// A small mark after the score: a link to the recording of a verified entry,
// the reason of a rejected one as its tooltip.
std::string MarkCell(const TopEntry& e) {
  switch (e.mark) {
    case ReplayMark::Verified:
      return "<a class=\"m v\" href=\"" + ReplayLink(e) +
             "\" title=\"verified: download the recorded game\">&#10003;</a>";
    case ReplayMark::Pending:
      return "<span class=\"m\" title=\"recorded game being checked\">&#8230;</span>";
    case ReplayMark::Rejected:
      return "<span class=\"m r\" title=\"recorded game rejected: " + HtmlEscape(e.reason) +
             "\">&#10007;</span>";
    case ReplayMark::None:
      break;
  }
  return {};
}

}  // namespace

std::string RenderTopPage(const std::vector<TopEntry>& entries) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Zorbelline Quester - World High Scores</title>\n"
      "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
      "th,td{padding:.3em .8em;border-bottom:1px solid #ccc}td.n{text-align:right}"
      ".m{font-size:80%;color:#888;text-decoration:none}.v{color:#080}.r{color:#a00}</style>\n"
      "</head>\n<body>\n<h1>World High Scores</h1>\n<table>\n"
      "<tr><th>Rank</th><th>Name</th><th>Country</th><th>Score</th><th>Date</th><th></th></tr>\n";
  int rank = 0;
  for (const TopEntry& e : entries) {
    page += "<tr><td class=\"n\">" + std::to_string(++rank) + "</td><td>" + HtmlEscape(e.name) +
            "</td><td>" + HtmlEscape(e.country) + "</td><td class=\"n\">" +
            std::to_string(e.score) + "</td><td>" + FormatDate(e.time) + "</td><td>" + MarkCell(e) +
            "</td></tr>\n";
  }
  if (entries.empty()) page += "<tr><td colspan=\"6\">No scores yet.</td></tr>\n";
  page += "</table>\n</body>\n</html>\n";
  return page;
}

std::string RenderTopJson(const std::vector<TopEntry>& entries) {
  std::string json = "[";
  int rank = 0;
  for (const TopEntry& e : entries) {
    if (rank > 0) json += ',';
    json += "{\"rank\":" + std::to_string(++rank) + ",\"name\":\"" + JsonEscape(e.name) +
            "\",\"country\":\"" + JsonEscape(e.country) +
            "\",\"score\":" + std::to_string(e.score) + ",\"date\":\"" + FormatDate(e.time) +
            "\",\"mark\":\"" + MarkName(e.mark) + "\"";
    if (e.mark == ReplayMark::Verified) json += ",\"replay\":\"" + ReplayLink(e) + "\"";
    if (e.mark == ReplayMark::Rejected) json += ",\"reason\":\"" + JsonEscape(e.reason) + "\"";
    json += "}";
  }
  json += "]\n";
  return json;
}

}  // namespace scores
