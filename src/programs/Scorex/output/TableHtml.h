#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "programs/Scorex/output/TableEntry.h"
#include "util/TextWriter.h"

namespace orvane::programs::Scorex::output {

// Renders every statistics table of every page: a grid of TableEntry cells as HTML.
class TableHtml {
 public:
  // Writes the table with an optional title row and width. A failure (a missing table, an
  // empty row list under a title, an empty cell) is reported and ends the table unclosed.
  static void createTable(util::TextWriter& out, const Table* table,
                          const std::optional<std::string>& title,
                          const std::optional<std::string>& tableWidth);
  static void createTable(util::TextWriter& out, const std::optional<Table>& table,
                          const std::optional<std::string>& title,
                          const std::optional<std::string>& tableWidth = std::nullopt) {
    createTable(out, table ? &*table : nullptr, title, tableWidth);
  }

  // HTML-escapes a name for a link or heading: ">", "<", "&", the double quote and the space
  // become entities; an empty text becomes "&nbsp;".
  static std::string cleanString(std::string_view orig);
  // HTML-escapes a text from a log or the database for a plain cell or a title: ">", "<",
  // "&" and the double quote become entities, a space stays a space; empty stays empty.
  static std::string escape(std::string_view orig);
};

}  // namespace orvane::programs::Scorex::output
