#include "server/pages.h"

#include <algorithm>
#include <cctype>
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

namespace {

std::string UrlEncode(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", u);
      out += escaped;
    }
  }
  return out;
}

std::string Row(const TopEntry& e) {
  const char* place = e.rank == 1   ? " class=\"p1\""
                      : e.rank == 2 ? " class=\"p2\""
                      : e.rank == 3 ? " class=\"p3\""
                                    : "";
  return "<tr" + std::string(place) + "><td class=\"n\">" + std::to_string(e.rank) +
         "</td><td class=\"name\">" + HtmlEscape(e.name.empty() ? "-" : e.name) + "</td><td>" +
         HtmlEscape(e.country) + "</td><td class=\"n s\">" + std::to_string(e.score) +
         "</td><td class=\"d\">" + FormatDate(e.time) + "</td><td class=\"k\">" + MarkCell(e) +
         "</td></tr>\n";
}

std::string CountryFilter(const TopQuery& query, const std::vector<std::string>& countries) {
  std::string form =
      "<form method=\"get\" action=\"/\"><label for=\"country\">Country</label> "
      "<select id=\"country\" name=\"country\"><option value=\"\">All countries</option>";
  bool listed = query.country.empty();
  for (const std::string& country : countries) {
    const bool chosen = country == query.country;
    listed = listed || chosen;
    form += "<option" + std::string(chosen ? " selected" : "") + ">" + HtmlEscape(country) +
            "</option>";
  }
  if (!listed) form += "<option selected>" + HtmlEscape(query.country) + "</option>";
  return form + "</select> <button type=\"submit\">Show</button></form>\n";
}

std::string Pager(const TopPage& page, const TopQuery& query) {
  const std::int64_t pages =
      std::max<std::int64_t>(1, (page.total + query.limit - 1) / query.limit);
  const std::int64_t current = query.offset / query.limit + 1;
  if (pages == 1) return {};
  std::string nav = "<nav class=\"pages\">";
  if (current > 1) {
    nav += "<a rel=\"prev\" href=\"" + HtmlEscape(PageLink(query, current - 1)) +
           "\">&larr; Better</a>";
  }
  nav += "<span>Page " + std::to_string(current) + " of " + std::to_string(pages) + "</span>";
  if (current < pages) {
    nav +=
        "<a rel=\"next\" href=\"" + HtmlEscape(PageLink(query, current + 1)) + "\">Next &rarr;</a>";
  }
  return nav + "</nav>\n";
}

}  // namespace

const char* const kWorldCss =
    ":root{color-scheme:light}"
    "body{margin:0;font:16px/1.4 system-ui,-apple-system,'Segoe UI',Roboto,sans-serif;"
    "color:#1d1a2e;background:#140b2e linear-gradient(180deg,#140b2e 0,#2c1a5c 320px,#e9e6f5 "
    "320px)}"
    "header{color:#fff;text-align:center;padding:2rem 1rem 1.2rem}"
    "header h1{margin:0;font-size:2rem;letter-spacing:.02em}"
    "header p{margin:.3rem 0 0;color:#cfc6f2}"
    "main{max-width:52rem;margin:0 auto 2rem;background:#fff;border-radius:14px;"
    "box-shadow:0 6px 24px rgba(20,11,46,.25);padding:1rem 1.2rem}"
    "form{display:flex;gap:.5rem;align-items:center;flex-wrap:wrap;margin:.2rem 0 1rem}"
    "select,button{font:inherit;padding:.35rem .6rem;border-radius:8px;border:1px solid #b9b2d6}"
    "button{background:#4b2fa3;color:#fff;border-color:#4b2fa3}"
    "table{width:100%;border-collapse:collapse}"
    "th{text-align:left;font-size:.8rem;text-transform:uppercase;color:#6b6488;"
    "border-bottom:2px solid #e0dcef;padding:.4rem .5rem}"
    "td{padding:.45rem .5rem;border-bottom:1px solid #eeebf7}"
    "td.n,th.n{text-align:right;font-variant-numeric:tabular-nums}td.s{font-weight:600}"
    "td.name{font-weight:600;overflow-wrap:anywhere}td.d{color:#6b6488;white-space:nowrap}"
    "tr.p1 td:first-child{color:#b8860b}tr.p2 td:first-child{color:#708090}"
    "tr.p3 td:first-child{color:#a0522d}tr.p1 td:first-child,tr.p2 td:first-child,"
    "tr.p3 td:first-child{font-weight:700}"
    ".m{text-decoration:none;color:#8a84a3}.v{color:#14833b;font-weight:700}.r{color:#b3261e}"
    ".pages{display:flex;justify-content:space-between;align-items:center;margin-top:1rem}"
    ".pages a{color:#4b2fa3;font-weight:600;text-decoration:none}"
    ".empty{text-align:center;color:#6b6488;padding:2rem}"
    ".legend{font-size:.85rem;color:#6b6488;margin-top:.8rem}"
    "@media (max-width:600px){body{font-size:15px}header h1{font-size:1.5rem}"
    "main{border-radius:0;padding:.6rem}th.d,td.d{display:none}td,th{padding:.4rem .3rem}}";

std::string PageLink(const TopQuery& query, std::int64_t number) {
  std::string link = "/?page=" + std::to_string(number);
  if (!query.country.empty()) link += "&country=" + UrlEncode(query.country);
  return link;
}

std::string RenderTopPage(const TopPage& page, const TopQuery& query,
                          const std::vector<std::string>& countries) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
      "<title>Zorbelline Quester - World High Scores</title>\n"
      "<link rel=\"stylesheet\" href=\"/world.css\">\n</head>\n<body>\n"
      "<header><h1>World High Scores</h1><p>Zorbelline Quester</p></header>\n<main>\n";
  html += CountryFilter(query, countries);
  html +=
      "<table>\n<tr><th class=\"n\">Rank</th><th>Name</th><th>Country</th>"
      "<th class=\"n\">Score</th><th class=\"d\">Date</th><th></th></tr>\n";
  for (const TopEntry& e : page.entries) html += Row(e);
  html += "</table>\n";
  if (page.entries.empty()) {
    html += query.country.empty()
                ? "<p class=\"empty\">No scores yet.</p>\n"
                : "<p class=\"empty\">No scores from " + HtmlEscape(query.country) + " yet.</p>\n";
  }
  html += Pager(page, query);
  html +=
      "<p class=\"legend\">&#10003; verified: the recorded game was played again and "
      "reached this score; click it to download the recording.</p>\n";
  return html + "</main>\n</body>\n</html>\n";
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
