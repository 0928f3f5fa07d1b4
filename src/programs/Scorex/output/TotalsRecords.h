#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "programs/Scorex/career/CareerRecord.h"
#include "programs/Scorex/career/GameRecord.h"
#include "programs/Scorex/output/Cells.h"
#include "programs/Scorex/output/TableEntry.h"

// The cells and rows of the all-time tables of both games: the records tables, whose rows name
// a record's holder, and the hours and player links of every all-time table.
namespace orvane::programs::Scorex::output {

// Hours with one digit after the point.
std::string hours(double seconds);
// A link to a career page, a bot's or a human's.
Cell playerCell(const std::string& name, bool isABot, int32_t uid);

// The headings of a career records table and of a single-match records table.
Row careerHeadings(const char* first, const char* count);
Row matchHeadings(const char* first, const char* count);
// A record's row: label, holder, value, then the games and hours of a career record, or the
// minutes, map and date of a single-match record.
Row recordRow(std::string label, const career::CareerRecord& c);
Row recordRow(std::string label, const career::GameRecord& g);

// The records of the groups in turn: the weapons' first, then the causes'.
template <class Record, size_t... N>
std::vector<const Record*> recordsOf(const std::array<Record, N>&... groups) {
  std::vector<const Record*> all;
  (..., [&] {
    for (const Record& r : groups) all.push_back(&r);
  }());
  return all;
}

// One record per weapon (or per weapon, then per cause), highest value first, labelled by
// name(index); a record without a value gives no row.
template <class Record, class Name>
Table recordTable(Row heading, const std::vector<const Record*>& records, Name name) {
  std::vector<int32_t> scores;
  for (const Record* r : records) scores.push_back(r->score);
  Table table{std::move(heading)};
  cells::ranked(table, scores, [&](size_t k) -> std::optional<Row> {
    if (scores[k] == 0) return std::nullopt;
    return recordRow(std::string(name(k)), *records[k]);
  });
  return table;
}

}  // namespace orvane::programs::Scorex::output
