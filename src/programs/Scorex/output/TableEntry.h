#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::programs::Scorex::output {

// The kinds of a table entry, which decide how the renderer shows it. A vertical entry is
// written top to bottom, one character per line; a link's target is a page name.
enum CellKind : int32_t {
  kValue = 1,
  kHeading = 2,
  kRowLabel = 3,
  kHumanLink = 4,  // a link to a human's page
  kBotLink = 5,    // a link to a bot's page
  kVerticalLabel = 6,
  kVerticalHumanLink = 7,
  kVerticalBotLink = 8,
  kHighlighted = 9,  // a value that stands out, as a totals row does
  kVerticalHeading = 10,
  kTeamBanner = 11,
  kSectionLine = 12,  // a title or result line across a table
};

// One value of a table cell. The first entry of a cell decides the cell's attributes; every
// entry adds a value, stacked with line breaks. type is a CellKind.
struct TableEntry {
  TableEntry(std::string val, int32_t type) : val(std::move(val)), type(type) {}
  TableEntry(std::string val, int32_t type, std::string href)
      : val(std::move(val)), href(std::move(href)), type(type) {}
  TableEntry(std::string val, int32_t type, int32_t rowspan, int32_t colspan)
      : val(std::move(val)), type(type), rowspan(rowspan), colspan(colspan) {}
  TableEntry(std::string val, int32_t type, int32_t rowspan, int32_t colspan, int32_t width,
             int32_t height)
      : val(std::move(val)),
        type(type),
        rowspan(rowspan),
        colspan(colspan),
        width(width),
        height(height) {}

  std::string val;
  std::optional<std::string> href;  // page name without ".html", for the link kinds
  int32_t type;
  int32_t rowspan = 1;
  int32_t colspan = 1;
  int32_t width = 0;
  int32_t height = 0;
};

using Cell = std::vector<TableEntry>;
using Row = std::vector<Cell>;
using Table = std::vector<Row>;

}  // namespace orvane::programs::Scorex::output
