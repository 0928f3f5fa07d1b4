#pragma once

// Reading the site's pages in tests (header only): the texts a pattern finds, the tags a page
// has that the site never writes itself.

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace orvane::testing {

// The first group of every match of the pattern, in page order.
inline std::vector<std::string> found(const std::string& page, const std::string& pattern) {
  std::vector<std::string> out;
  const std::regex re(pattern);
  for (std::sregex_iterator i(page.begin(), page.end(), re), end; i != end; ++i) {
    out.push_back((*i)[1].str());
  }
  return out;
}

// The names of the tags in the page that are none of the site's own, joined by blanks: "" for a
// page whose every tag the site wrote (a text from a log that reached it unescaped shows here).
inline std::string foreignTags(const std::string& page) {
  static const std::set<std::string> kOwn = {
      "html", "head", "meta", "link", "title", "body",   "b",    "table",  "tr", "td",
      "a",    "img",  "br",   "p",    "span",  "strong", "font", "center", "hr"};
  std::string foreign;
  for (const std::string& tag : found(page, "</?([A-Za-z]+)")) {
    if (kOwn.count(tag) == 0) foreign += (foreign.empty() ? "" : " ") + tag;
  }
  return foreign;
}

}  // namespace orvane::testing
