#include "programs/Scorex/output/CareerHtml.h"

#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/PageParts.h"
#include "programs/Scorex/output/TableHtml.h"

namespace orvane::programs::Scorex::output {

using util::Debug;
using util::TextWriter;

std::string careerPage(const std::string* name, int32_t uid, int32_t type,
                       const std::function<void(TextWriter&)>& body) {
  TextWriter w;
  try {
    if (name == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
    Debug::print("I PlayerHtml.writePlayerTotals: " + std::to_string(uid) + " " + *name, 2);
    const std::string number = std::to_string(int64_t{uid} + 10000);
    if (type == kCareerPage || type == kSummaryPage) {
      w.reserve(64 * 1024);
      const std::string n = TableHtml::cleanString(*name);
      // A player's page belongs to the player list; a summary player's page is its own entry.
      const std::string place = type == kCareerPage ? std::string("By Player Name") : n;
      FrameHtml::writeHeader(w, n, 1);
      FrameHtml::writeSidebar(w, place, 1);
      FrameHtml::writeTop(w, n, number, 1);
      body(w);
      FrameHtml::writeFooter(w, place, 1);
    } else {
      body(w);
    }
    Debug::print("O PlayerHtml.writePlayerTotals", 2);
  } catch (const std::exception& e) {
    Debug::report("Error in PlayerHtml.writePlayerTotals: ", e);
  }
  return w.str();
}

void careerBody(TextWriter& w, const std::string* name, int32_t type,
                const std::optional<std::vector<CareerBlock>>& blocks) {
  try {
    Debug::print("I PlayerHtml.writePlayerTotalsBody", 2);
    if (name == nullptr || !blocks) throw util::Failure(util::Failure::kNullPointer, "");
    const bool framed = type == kCareerPage || type == kSummaryPage;
    if (framed) {
      w.print("<tr><td class=aa valign=middle>");
      w.print((type == kCareerPage ? "Career Totals for " : "Cumulative Totals for ") +
              TableHtml::cleanString(*name));
      w.println("</td></tr>");
      w.println("<tr><td>");
    }
    w.println("<center>");
    w.println(kSpacer);
    for (size_t i = 0; i < blocks->size(); ++i) {
      const CareerBlock& b = (*blocks)[i];
      if (i > 0) {
        w.println("</center><center>");
        w.println(kSpacer);
      }
      if (b.emptyNote != nullptr) {
        tableOrNote(w, *b.table, b.title.value_or(""), b.headingRows, b.emptyNote, "\"s\"");
      } else {
        TableHtml::createTable(w, *b.table, b.title);
      }
    }
    w.println("</center>");
    w.println(kSpacer);
    if (framed) w.println("</td></tr>");
    Debug::print("O PlayerHtml.writePlayerTotalsBody", 2);
  } catch (const std::exception& e) {
    // The trace text is intended as it stands (no space after the colon).
    Debug::report("Error in PlayerHtml.writePlayerTotalsBody:", e);
  }
}

}  // namespace orvane::programs::Scorex::output
