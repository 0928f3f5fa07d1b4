#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/brk/PStats.h"
#include "games/brk/Specs.h"
#include "programs/ScorexBRK/output/SortInt.h"
#include "programs/ScorexBRK/output/TableEntry.h"
#include "programs/ScorexBRK/output/TableHtml.h"
#include "util/Comp.h"
#include "util/Numbers.h"
#include "util/QuickSort.h"

// Small pieces shared by the table builders of the match pages, the career pages and the
// all-time pages: cells, headings, number texts and the one-count ranking.
namespace orvane::programs::ScorexBRK::output::cells {

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
  for (const char* n : names) r.push_back(cell(n, 2));
  return r;
}
// Two heading rows: the names span both rows, then "Damage" over "Given", "Rec." and "G/R".
inline void damageHeadings(Table& t, const std::vector<const char*>& names) {
  Row r;
  for (const char* n : names) r.push_back(span(n, 2, 2, 1));
  r.push_back(span("Damage", 2, 1, 3));
  t.push_back(std::move(r));
  t.push_back(headings({"Given", "Rec.", "G/R"}));
}
// A link to a player's page (kind 5 for a bot, 4 for a human); the renderer escapes the name.
inline TableEntry playerEntry(const std::string& name, bool isABot, int32_t page) {
  return TableEntry(name, isABot ? 5 : 4, str(page));
}

// Efficiency in percent; the match and career summaries count team kills against it.
inline double efficiency(const games::brk::PStats& s, bool withTeamKills) {
  if (s.kills <= 0) return 0.0;
  const double tries = static_cast<double>(s.kills) + s.deaths + s.suicides;
  return 100.0 * s.kills / (tries + (withTeamKills ? s.tkills : 0));
}
inline double damageRatio(int32_t given, int32_t received) {
  return received == 0 ? given : static_cast<double>(given) / received;
}
inline std::string ping(const games::brk::PStats& s, bool isABot) {
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
  std::vector<SortInt> keys;
  keys.reserve(counts.size());
  for (size_t k = 0; k < counts.size(); ++k) keys.emplace_back(counts[k], static_cast<int32_t>(k));
  util::QuickSort::quickSort(keys, util::KeyComp<SortInt>());
  for (const SortInt& key : keys) {
    if (std::optional<Row> r = rowFor(static_cast<size_t>(key.num))) t.push_back(std::move(*r));
  }
}
// Names with their counts, most first, added to t; a count of 0 gives no row.
template <class Name>
void countRows(Table& t, const std::vector<int32_t>& counts, Name name) {
  ranked(t, counts, [&](size_t k) -> std::optional<Row> {
    if (counts[k] == 0) return std::nullopt;
    return Row{cell(std::string(name(k)), 3), cell(str(counts[k]), 1)};
  });
}
template <class Name>
Table countTable(Row heading, const std::vector<int32_t>& counts, Name name) {
  Table t{std::move(heading)};
  countRows(t, counts, name);
  return t;
}

inline std::string_view weaponName(size_t w) { return games::brk::Specs::weapons.at(w); }
// Weapons first, then the causes of death that are no weapon.
inline std::string_view suicideName(size_t k) {
  using games::brk::Specs;
  return k < Specs::kWeapons ? Specs::weapons.at(k) : Specs::suicides.at(k - Specs::kWeapons);
}
inline std::vector<int32_t> suicideCounts(const games::brk::PStats& s) {
  std::vector<int32_t> v(s.myWSuicides.begin(), s.myWSuicides.end());
  v.insert(v.end(), s.mySuicides.begin(), s.mySuicides.end());
  return v;
}

}  // namespace orvane::programs::ScorexBRK::output::cells
