#include "programs/Scorex/output/TableHtml.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "TraceCapture.h"
#include "programs/Scorex/career/SortDouble.h"
#include "programs/Scorex/output/SortVs.h"
#include "programs/Scorex/output/SortWeapon.h"

namespace orvane::programs::Scorex::output {
namespace {

std::string render(const std::optional<Table>& table, std::optional<std::string> title = {}) {
  util::TextWriter w;
  TableHtml::createTable(w, table, title, "100%");
  return w.str();
}

const std::string kOpen = "<table border=0 width=100% cellpadding=0>\n";

TEST(TableHtml, FailureIsReportedAndLeavesTheTableUnclosed) {
  testing::TraceCapture trace;
  const std::string oob = "IndexOutOfBoundsException: Index: 0, Size: 0";
  const Row good = {{TableEntry("1", 1)}};
  struct Case {
    std::optional<Table> table;
    std::optional<std::string> title;
    std::string page;
    std::string failure;
  };
  for (const Case& c :
       std::vector<Case>{{std::nullopt, "T", "", "NullPointerException"},
                         {Table{}, "T", kOpen, oob},
                         {Table{good, Row{Cell{}}}, std::nullopt,
                          kOpen + "<tr><td class=w>&nbsp;1&nbsp</td>\n</tr><tr>", oob},
                         {Table{{{TableEntry("x", 10), TableEntry("x", 4)}}}, std::nullopt,
                          kOpen + "<tr><td class=r>x<br><br>", "NullPointerException"}}) {
    trace.str("");
    EXPECT_EQ(render(c.table, c.title), c.page);
    EXPECT_EQ(trace.str(), "Error in TableHtml.createTable: " + c.failure + "\n");
  }
  // An empty table without a title is an empty table, not a failure.
  EXPECT_EQ(render(Table{}), kOpen + "</table>\n");
}

// The lists a statistics block of either game has for its sort keys.
struct Stats {
  std::optional<std::vector<int32_t>> playerKills;
  std::optional<std::vector<int32_t>> playerDeaths;
  std::array<int32_t, 14> myKills{};
  std::array<int32_t, 14> myDeaths{};
  std::array<int32_t, 14> myWSuicides{};
};

// Hostile counters and indexes neither wrap into undefined behaviour nor read past a list.
TEST(SortKeys, HostileNumbersAndMissingOpponents) {
  Stats p;
  p.playerKills = std::vector<int32_t>{5, 5, 2};
  p.playerDeaths = std::vector<int32_t>{1, 3};
  const SortVs a(p, 0), b(p, 1), c(p, 2);
  EXPECT_EQ(SortVs::compare(a, b), 1);  // level on kills, fewer deaths
  EXPECT_EQ(SortVs::compare(c, b), -1);
  EXPECT_DOUBLE_EQ(c.eff, 100.0);
  for (const SortVs& none : {SortVs(p, 7), SortVs(p, -1), SortVs(Stats(), 0)}) {
    EXPECT_EQ(none.kills + none.deaths, 0);
  }
  p.myKills[0] = INT_MIN;
  p.myWSuicides[0] = 1;
  EXPECT_EQ(SortWeapon(p, 0).frags, INT_MAX);
  EXPECT_THROW(SortWeapon(p, 14), std::out_of_range);
  EXPECT_THROW(SortWeapon(p, -1), std::out_of_range);
  using career::SortDouble;
  EXPECT_EQ(SortDouble::compare(SortDouble(-INFINITY, 0), SortDouble(INFINITY, 1)), -1);
  EXPECT_EQ(SortDouble::compare(SortDouble(NAN, 0), SortDouble(1.0, 1)), 0);
  EXPECT_EQ(SortDouble::compare(SortDouble(1.0, 0), SortDouble(NAN, 1)), 0);
}

}  // namespace
}  // namespace orvane::programs::Scorex::output
