#include "programs/Scorex/output/TotalsRecords.h"

#include <utility>

namespace orvane::programs::Scorex::output {

using namespace cells;

std::string hours(double seconds) { return fmt(seconds * (1.0 / 3600)); }

Cell playerCell(const std::string& name, bool isABot, int32_t uid) {
  return {playerEntry(name, isABot, uid)};
}

Row careerHeadings(const char* first, const char* count) {
  return headings({first, "Player", count, "Games<br>Played", "Hours<br>Played"});
}

Row matchHeadings(const char* first, const char* count) {
  return headings({first, "Player", count, "Game<br>Duration<br>(minutes)", "Map", "Date"});
}

Row recordRow(std::string label, const career::CareerRecord& c) {
  return Row{cell(std::move(label), kRowLabel), playerCell(c.name, c.isABot, c.uid),
             cell(str(c.score), kValue), cell(str(c.games), kValue), cell(hours(c.time), kValue)};
}

Row recordRow(std::string label, const career::GameRecord& g) {
  return Row{cell(std::move(label), kRowLabel), playerCell(g.name, g.isABot, g.uid),
             cell(str(g.score), kValue),        cell(minutes(g.time), kValue),
             cell(esc(g.map), kValue),          cell(esc(g.date), kValue)};
}

}  // namespace orvane::programs::Scorex::output
