#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "programs/Scorex/output/TableEntry.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/TextWriter.h"

namespace orvane::programs::Scorex::output {

// The page types of a career page, a career player's or a summary player's. A page stands in
// the frame of the all-time pages under a heading and ends with the summary of each game type;
// a body alone, for a page elsewhere, has neither.
enum CareerPageType : int32_t {
  kCareerPage = 1,
  kSummaryPage = 2,
  kCareerBody = 3,
  kSummaryBody = 4,
};

// One block of a career page: a table under its title (none when absent); with an empty note,
// the note stands in its place while the table holds no more than its headingRows.
struct CareerBlock {
  const std::optional<Table>* table;
  std::optional<std::string> title = std::nullopt;
  size_t headingRows = 0;
  const char* emptyNote = nullptr;
};

// The text of a career page of the player named name (absent: no player to show) with career
// number uid: for kCareerPage and kSummaryPage the frame of the all-time pages around body, for
// any other type the body alone.
std::string careerPage(const std::string* name, int32_t uid, int32_t type,
                       const std::function<void(util::TextWriter&)>& body);
// The body of a career page: its heading (kCareerPage and kSummaryPage), then the blocks in
// order; without blocks there were no tables to show.
void careerBody(util::TextWriter& w, const std::string* name, int32_t type,
                const std::optional<std::vector<CareerBlock>>& blocks);

// Writes the text of one career page (a player's, or a summary player's) of a game whose player
// record is PlayerT and whose career tables TablesT(player, page type, game type) list the
// page's blocks by blocks(). Owned by the all-time page writer for one run.
template <class PlayerT, class TablesT>
class CareerHtml {
 public:
  std::string getHtml(const PlayerT& thePlayer, int32_t type, int32_t gType) {
    try {
      util::Debug::print("I PlayerHtml.getHtml", 2);
      p = &thePlayer;
      OutputType = type;
      tables = std::make_unique<TablesT>(thePlayer, type, gType);
      std::string page = writePlayerTotals();
      util::Debug::print("O PlayerHtml.getHtml", 2);
      return page;
    } catch (const std::exception& e) {
      util::Debug::report("Error in PlayerHtml.getHtml: ", e);
    }
    return "";
  }

  std::string writePlayerTotals() {
    return careerPage(p ? &p->name : nullptr, p ? p->uid : 0, OutputType,
                      [this](util::TextWriter& w) { writePlayerTotalsBody(w); });
  }

  void writePlayerTotalsBody(util::TextWriter& w) {
    std::optional<std::vector<CareerBlock>> blocks;
    if (tables) blocks = tables->blocks();
    careerBody(w, p ? &p->name : nullptr, OutputType, blocks);
  }

 private:
  std::unique_ptr<TablesT> tables;
  const PlayerT* p = nullptr;
  int32_t OutputType = kCareerPage;
};

}  // namespace orvane::programs::Scorex::output
