#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::programs::Scorex::output {

// One value of a table cell. The first entry of a cell decides the cell's attributes; every
// entry adds a value, stacked with line breaks. Kinds: 1 value, 2 heading, 3 row label,
// 4/5 link to a human's/bot's page, 6 vertical label, 7/8 vertical link to a human's/bot's
// page, 9 highlighted value, 10 vertical heading, 11 team banner, 12 section line.
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
