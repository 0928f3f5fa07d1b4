#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "programs/Scorex/career/SortInt.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TableHtml.h"
#include "util/Comp.h"
#include "util/Numbers.h"
#include "util/QuickSort.h"

// Small pieces shared by the table builders of both games' match pages, career pages and
// all-time pages: cells, headings, number texts and the one-count ranking. Templates take the
// game's statistics block (Stats) or name tables (Specs).
namespace orvane::programs::Scorex::output::cells {

inline std::string str(int32_t n) { return std::to_string(n); }
// One digit after the point unless said otherwise.
inline std::string fmt(double x, int decimals = 1) { return util::formatNumber(x, decimals); }
inline std::string pct(double x) { return fmt(x, 1) + "%"; }
inline std::string esc(std::string_view s) { return TableHtml::escape(s); }

inline Cell cell(std::string val, int32_t type) { return {TableEntry(std::move(val), type)}; }
inline Cell span(std::string val, int32_t type, int32_t rowspan, int32_t colspan) {
  return {TableEntry(std::move(val), type, rowspan, colspan)};
}
inline Row headings(std::initializer_list<const char*> names) {
  Row r;
  for (const char* n : names) r.push_back(cell(n, kHeading));
  return r;
}
// A link to a player's page, a bot's or a human's; the renderer escapes the name.
inline TableEntry playerEntry(const std::string& name, bool isABot, int32_t page) {
  return TableEntry(name, isABot ? kBotLink : kHumanLink, str(page));
}

// Efficiency in percent; the match and career summaries count team kills against it.
template <class Stats>
double efficiency(const Stats& s, bool withTeamKills) {
  if (s.kills <= 0) return 0.0;
  const double tries = static_cast<double>(s.kills) + s.deaths + s.suicides;
  return 100.0 * s.kills / (tries + (withTeamKills ? s.tkills : 0));
}
template <class Stats>
std::string ping(const Stats& s, bool isABot) {
  if (isABot) return "N/A";
  return s.pingNum > 0 ? str(s.pingTime / s.pingNum) : "0";
}
// Whole minutes, cut toward zero; a time beyond the counters' range is held at its edge.
inline std::string minutes(double seconds) {
  const double m = std::trunc(seconds / 60.0);
  if (std::isnan(m)) return "0";
  return std::to_string(static_cast<int64_t>(std::clamp(m, -2147483648.0, 2147483647.0)));
}

// Tables ranked by one count: one key per entry 0..n-1, all sorted highest first, so that level
// counts come out in the sort's order; rowFor(entry) gives the entry's row, if it has one.
template <class RowFor>
void ranked(Table& t, const std::vector<int32_t>& counts, RowFor rowFor) {
  std::vector<career::SortInt> keys;
  keys.reserve(counts.size());
  for (size_t k = 0; k < counts.size(); ++k) keys.emplace_back(counts[k], static_cast<int32_t>(k));
  util::QuickSort::quickSort(keys, util::KeyComp<career::SortInt>());
  for (const career::SortInt& key : keys) {
    if (std::optional<Row> r = rowFor(static_cast<size_t>(key.num))) t.push_back(std::move(*r));
  }
}
// Names with their counts, most first, added to t; a count of 0 gives no row.
template <class Name>
void countRows(Table& t, const std::vector<int32_t>& counts, Name name) {
  ranked(t, counts, [&](size_t k) -> std::optional<Row> {
    if (counts[k] == 0) return std::nullopt;
    return Row{cell(std::string(name(k)), kRowLabel), cell(str(counts[k]), kValue)};
  });
}
template <class Name>
Table countTable(Row heading, const std::vector<int32_t>& counts, Name name) {
  Table t{std::move(heading)};
  countRows(t, counts, name);
  return t;
}

// Weapons first, then the causes of death that are no weapon.
template <class Specs>
std::string_view suicideNameOf(size_t k) {
  return k < Specs::kWeapons ? Specs::weapons.at(k) : Specs::suicides.at(k - Specs::kWeapons);
}
template <class Stats>
std::vector<int32_t> suicideCounts(const Stats& s) {
  std::vector<int32_t> v(s.myWSuicides.begin(), s.myWSuicides.end());
  v.insert(v.end(), s.mySuicides.begin(), s.mySuicides.end());
  return v;
}

}  // namespace orvane::programs::Scorex::output::cells
