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
  if (list.empty()) throw util::Failure(util::Failure::kIndexOutOfBounds, "Index: 0, Size: 0");
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
    case kValue:
      return "class=w";
    case kHeading:
    case kVerticalHeading:
      return "class=r";
    case kHighlighted:
      return "class=ad";
    case kTeamBanner:
      return "class=v";
    case kSectionLine:
      return "class=s";
    default:
      return "class=y";
  }
}

// The text top to bottom, one escaped character per line.
void printVertical(util::TextWriter& out, const std::string& val) {
  for (char c : val) {
    out.print(TableHtml::cleanString(std::string_view(&c, 1)));
    out.print("<br>");
  }
}

const std::string& linkTarget(const TableEntry& e) {
  if (!e.href) throw util::Failure(util::Failure::kNullPointer, "");
  return *e.href;
}

// Pieces are printed one by one: a page has thousands of cells, and joining each cell's
// pieces into temporary strings first cost more than the writing itself.
void writeValue(util::TextWriter& out, const TableEntry& e) {
  switch (e.type) {
    case kVerticalLabel:
    case kVerticalHeading:
      printVertical(out, e.val);
      break;
    case kVerticalHumanLink:
    case kVerticalBotLink: {
      const std::string& target = linkTarget(e);
      out.print("<a href=\"");
      out.print(target);
      out.print(e.type == kVerticalHumanLink ? ".html\" class=am>" : ".html\" class=al>");
      printVertical(out, e.val);
      out.print("</a>");
      break;
    }
    case kHumanLink:
    case kBotLink: {
      const std::string& target = linkTarget(e);
      out.print("<a href=\"");
      out.print(target);
      out.print(e.type == kHumanLink ? ".html\" class=z>&nbsp;" : ".html\" class=t>&nbsp;");
      out.print(TableHtml::cleanString(e.val));
      out.print("&nbsp</a>");
      break;
    }
    default:
      // Builders may put markup into plain values, so they are written as given.
      out.print("&nbsp;");
      out.print(e.val);
      out.print("&nbsp");
      break;
  }
}

// " name=value " of a cell's attribute.
void printAttribute(util::TextWriter& out, const char* name, int32_t value) {
  out.print(name);
  out.print(std::to_string(value));
  out.print(" ");
}

void writeCell(util::TextWriter& out, const Cell& cell) {
  const TableEntry& head = first(cell);
  out.print("<td ");
  if (head.width > 0) printAttribute(out, "width=", head.width);
  if (head.height > 0) printAttribute(out, "height=", head.height);
  if (head.colspan != 1) printAttribute(out, "colspan=", head.colspan);
  if (head.rowspan != 1) printAttribute(out, "rowspan=", head.rowspan);
  out.print(cellClass(head.type));
  out.print(">");
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
    if (table == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
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
    util::Debug::report("Error in TableHtml.createTable: ", e);
  }
}

std::string TableHtml::cleanString(std::string_view orig) {
  return orig.empty() ? "&nbsp;" : entities(orig, true);
}

std::string TableHtml::escape(std::string_view orig) { return entities(orig, false); }

}  // namespace orvane::programs::Scorex::output
