#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/SortWeapon.h"
#include "programs/Scorex/output/TableEntry.h"
#include "util/Comp.h"
#include "util/QuickSort.h"

// Columns and rows that both games' match tables show alike: the summary's, the weapons' and
// lists of logged names.
namespace orvane::programs::Scorex::output {

// The most players whose kills match-up a match's index page shows: its grid has a cell for
// every pair, so a match of thousands of players would give a page of hundreds of megabytes.
inline constexpr size_t kMatchUpPlayers = 256;

// The summary's column names before any game's own ones; team kills only where they count.
inline std::vector<const char*> summaryNames(bool teamKills, const char* eff) {
  std::vector<const char*> names = {"Rank", "Player", "Frags", "Kills", "Deaths", "Suicides"};
  if (teamKills) names.insert(names.end(), {"TK", "TD"});
  names.insert(names.end(), {eff, "Avg.<br>FPH", "Avg.<br>TTL", "Ping", "Time"});
  return names;
}
template <class Stats>
std::vector<std::string> summaryFigures(const Stats& s, bool teamKills, bool bot) {
  using namespace cells;
  std::vector<std::string> v = {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides)};
  if (teamKills) v.insert(v.end(), {str(s.tkills), str(s.tdeaths)});
  v.push_back(pct(efficiency(s, true)));
  v.push_back(fmt(s.frags * 3600.0 / s.totalTime, 1));
  v.push_back(fmt(s.totalTime / (static_cast<double>(s.deaths) + s.suicides + 1), 1));
  v.push_back(ping(s, bot));
  v.push_back(minutes(s.totalTime));
  return v;
}

// The weapons of one block, most frags first, then fewest deaths.
template <class Stats>
std::vector<SortWeapon> weaponKeys(const Stats& s) {
  std::vector<SortWeapon> keys;
  for (size_t w = 0; w < s.myKills.size(); ++w) keys.emplace_back(s, static_cast<int32_t>(w));
  util::QuickSort::quickSort(keys, util::KeyComp<SortWeapon>());
  return keys;
}
// A row of a label and plain values.
inline Row labelledRow(std::string label, std::vector<std::string> values) {
  Row r{cells::cell(std::move(label), kRowLabel)};
  for (std::string& v : values) r.push_back(cells::cell(std::move(v), kValue));
  return r;
}
inline std::vector<std::string> weaponFigures(const SortWeapon& k) {
  return {cells::str(k.frags), cells::str(k.kills), cells::str(k.deaths), cells::str(k.suicides),
          cells::pct(k.eff)};
}

// Logged names joined by ", ", with a line break after every third; "None" for no name.
inline std::string nameList(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    text += cells::esc(names[i]);
    if (i + 1 < names.size()) text += ", ";
    if ((i + 1) % 3 == 0) text += "<br>";
  }
  return names.empty() ? "None" : text;
}

}  // namespace orvane::programs::Scorex::output
