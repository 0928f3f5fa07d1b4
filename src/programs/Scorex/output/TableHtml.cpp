#include "programs/Scorex/output/TableHtml.h"

#include <exception>
#include <string>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::programs::Scorex::output {

namespace {

// The first element of a list that may be empty, failing as an indexed read past the end does.
template <class List>
const typename List::value_type& first(const List& list) {
  if (list.empty()) throw util::Failure("IndexOutOfBoundsException", "Index: 0, Size: 0");
  return list.front();
}

// Markup characters as entities; a space as a hard space only where a name must not wrap.
std::string entities(std::string_view orig, bool hardSpace) {
  std::string out;
  out.reserve(orig.size());
  for (char c : orig) {
    switch (c) {
      case '>':
        out += "&gt;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case ' ':
        out += hardSpace ? "&nbsp;" : " ";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

const char* cellClass(int32_t type) {
  switch (type) {
    case 1:
      return "class=w";
    case 2:
    case 10:
      return "class=r";
    case 9:
      return "class=ad";
    case 11:
      return "class=v";
    case 12:
      return "class=s";
    default:
      return "class=y";
  }
}

// The text top to bottom, one escaped character per line.
std::string vertical(const std::string& val) {
  std::string out;
  for (char c : val) out += TableHtml::cleanString(std::string_view(&c, 1)) + "<br>";
  return out;
}

const std::string& linkTarget(const TableEntry& e) {
  if (!e.href) throw util::Failure("NullPointerException", "");
  return *e.href;
}

void writeValue(util::TextWriter& out, const TableEntry& e) {
  switch (e.type) {
    case 6:
    case 10:
      out.print(vertical(e.val));
      break;
    case 7:
    case 8:
      out.print("<a href=\"" + linkTarget(e) + ".html\"" +
                (e.type == 7 ? " class=am>" : " class=al>") + vertical(e.val) + "</a>");
      break;
    case 4:
    case 5:
      out.print("<a href=\"" + linkTarget(e) + ".html\"" +
                (e.type == 4 ? " class=z>" : " class=t>") + "&nbsp;" +
                TableHtml::cleanString(e.val) + "&nbsp</a>");
      break;
    default:
      // Builders may put markup into plain values, so they are written as given.
      out.print("&nbsp;" + e.val + "&nbsp");
      break;
  }
}

void writeCell(util::TextWriter& out, const Cell& cell) {
  const TableEntry& head = first(cell);
  out.print("<td ");
  if (head.width > 0) out.print("width=" + std::to_string(head.width) + " ");
  if (head.height > 0) out.print("height=" + std::to_string(head.height) + " ");
  if (head.colspan != 1) out.print("colspan=" + std::to_string(head.colspan) + " ");
  if (head.rowspan != 1) out.print("rowspan=" + std::to_string(head.rowspan) + " ");
  out.print(std::string(cellClass(head.type)) + ">");
  for (size_t i = 0; i < cell.size(); ++i) {
    if (i > 0) out.print("<br>");
    writeValue(out, cell[i]);
  }
  out.println("</td>");
}

void writeTitle(util::TextWriter& out, const Table& table, const std::string& title) {
  int32_t columns = 0;
  for (const Cell& cell : first(table)) util::addTo(columns, first(cell).colspan);
  const std::string titleCell =
      "<td class=s colspan=" + std::to_string(columns) + ">" + title + "</td>";
  if (title != "Kills Match Up") {
    out.println("<tr>" + titleCell + "</tr>");
    return;
  }
  // The match-up gets blank side columns running down the whole table.
  int32_t height = 1;
  for (const Row& row : table) util::addTo(height, first(first(row)).rowspan);
  const std::string spacer = "<td rowspan=" + std::to_string(height) + " width=25%>&nbsp</td>";
  out.println("<tr>" + spacer);
  out.println(titleCell);
  out.println(spacer + "</tr>");
}

}  // namespace

void TableHtml::createTable(util::TextWriter& out, const Table* table,
                            const std::optional<std::string>& title,
                            const std::optional<std::string>& tableWidth) {
  util::Debug::print(title ? "I TableHtml.createTable: " + *title : "I TableHtml.createTable", 3);
  try {
    if (table == nullptr) throw util::Failure("NullPointerException", "");
    out.println(tableWidth ? "<table border=0 width=" + *tableWidth + " cellpadding=0>"
                           : "<table border=0 cellpadding=0>");
    if (title) writeTitle(out, *table, *title);
    for (const Row& row : *table) {
      out.print("<tr>");
      for (const Cell& cell : row) writeCell(out, cell);
      out.print("</tr>");
    }
    out.println("</table>");
    util::Debug::print("O TableHtml.createTable", 3);
  } catch (const std::exception& e) {
    // The table is left open: the page goes on with whatever was written.
    util::Debug::print("Error in TableHtml.createTable: " + util::failureText(e), 0);
  }
}

std::string TableHtml::cleanString(std::string_view orig) {
  return orig.empty() ? "&nbsp;" : entities(orig, true);
}

std::string TableHtml::escape(std::string_view orig) { return entities(orig, false); }

}  // namespace orvane::programs::Scorex::output
