#pragma once

#include <string>
#include <vector>

namespace orvane::programs::Scorex::modern {

// The frame every page of the modern site shares (head, site header with its menu and search,
// footer) and the markup of its tables. Texts given here are escaped UTF-8.
class Layout {
 public:
  struct Page {
    std::string site;         // "Scorex for Brakk"
    std::string title;        // the page's own title (its <h1>)
    std::string description;  // one sentence
    std::string root;         // the way up to the site's top: "" or "../"
    std::string classic;      // the way from the site's top to the classic pages, or none
  };
  static std::string page(const Page& p, const std::string& body);

  // A column of a table: its label and, for a sortable table, how it sorts ("num", "text", or
  // empty for a column that does not sort).
  struct Column {
    std::string label;
    std::string type;
  };
  // Opens a data table in its scrolling box, with the caption and the head row.
  static std::string tableOpen(const std::string& label, const std::string& caption,
                               const std::vector<Column>& columns, bool sortable);
  static std::string tableClose() { return "</tbody></table></div>\n"; }
  // A numeric cell: its value for sorting, and the text shown.
  static std::string numCell(const std::string& value, const std::string& shown);
  static std::string numCell(long long value);
};

}  // namespace orvane::programs::Scorex::modern
