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

std::string RenderTopPage(const std::vector<ScoreEntry>& entries) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Zorbelline Quester - World High Scores</title>\n"
      "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
      "th,td{padding:.3em .8em;border-bottom:1px solid #ccc}td.n{text-align:right}</style>\n"
      "</head>\n<body>\n<h1>World High Scores</h1>\n<table>\n"
      "<tr><th>Rank</th><th>Name</th><th>Country</th><th>Score</th><th>Date</th></tr>\n";
  int rank = 0;
  for (const ScoreEntry& e : entries) {
    page += "<tr><td class=\"n\">" + std::to_string(++rank) + "</td><td>" + HtmlEscape(e.name) +
            "</td><td>" + HtmlEscape(e.country) + "</td><td class=\"n\">" +
            std::to_string(e.score) + "</td><td>" + FormatDate(e.time) + "</td></tr>\n";
  }
  if (entries.empty()) page += "<tr><td colspan=\"5\">No scores yet.</td></tr>\n";
  page += "</table>\n</body>\n</html>\n";
  return page;
}

std::string RenderTopJson(const std::vector<ScoreEntry>& entries) {
  std::string json = "[";
  int rank = 0;
  for (const ScoreEntry& e : entries) {
    if (rank > 0) json += ',';
    json += "{\"rank\":" + std::to_string(++rank) + ",\"name\":\"" + JsonEscape(e.name) +
            "\",\"country\":\"" + JsonEscape(e.country) +
            "\",\"score\":" + std::to_string(e.score) + ",\"date\":\"" + FormatDate(e.time) + "\"}";
  }
  json += "]\n";
  return json;
}

}  // namespace scores
