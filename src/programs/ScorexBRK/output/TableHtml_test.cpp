#include "programs/Scorex/output/TableHtml.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "games/brk/PStats.h"
#include "programs/Scorex/career/SortDouble.h"
#include "programs/Scorex/career/SortInt.h"
#include "programs/Scorex/career/SortWonLost.h"
#include "programs/Scorex/output/SortVs.h"
#include "programs/Scorex/output/SortWeapon.h"
#include "programs/Scorex/output/TableEntry.h"
#include "util/Debug.h"
#include "util/QuickSort.h"

namespace orvane::programs::ScorexBRK::output {
namespace {

using Scorex::career::SortDouble;
using Scorex::career::SortInt;
using Scorex::career::SortWonLost;
using Scorex::output::Cell;
using Scorex::output::Row;
using Scorex::output::SortVs;
using Scorex::output::SortWeapon;
using Scorex::output::Table;
using Scorex::output::TableEntry;
using Scorex::output::TableHtml;
using util::Debug;

class TableHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
    Debug::setLevel(3);
  }
  void TearDown() override { Debug::reset(); }

  std::string render(const std::optional<Table>& table, std::optional<std::string> title = {},
                     std::optional<std::string> width = {}) {
    util::TextWriter w;
    TableHtml::createTable(w, table, title, width);
    return w.str();
  }

  std::ostringstream trace;
};

TableEntry link(std::string val, int32_t type, std::string href) {
  return TableEntry(std::move(val), type, std::move(href));
}

TEST_F(TableHtmlTest, CellsByKindWithAttributesInOrder) {
  const std::vector<std::pair<TableEntry, std::string>> cases = {
      {TableEntry("5", 1), "<td class=w>&nbsp;5&nbsp</td>"},
      {TableEntry("Kills", 2, 2, 1), "<td rowspan=2 class=r>&nbsp;Kills&nbsp</td>"},
      {TableEntry("x", 9, 3, 2, 40, 7),
       "<td width=40 height=7 colspan=2 rowspan=3 class=ad>&nbsp;x&nbsp</td>"},
      {TableEntry("y", 3, 1, 0, -5, 0), "<td colspan=0 class=y>&nbsp;y&nbsp</td>"},
      {TableEntry("<b>A&B</b>", 11), "<td class=v>&nbsp;<b>A&B</b>&nbsp</td>"},
      {TableEntry("", 12), "<td class=s>&nbsp;&nbsp</td>"},
      {TableEntry("q", 42), "<td class=y>&nbsp;q&nbsp</td>"},
      {TableEntry("K r", 6), "<td class=y>K<br>&nbsp;<br>r<br></td>"},
      {TableEntry("A&", 10), "<td class=r>A<br>&amp;<br></td>"},
      {TableEntry("", 6), "<td class=y></td>"},
      {link("A&B", 4, "3"), "<td class=y><a href=\"3.html\" class=z>&nbsp;A&amp;B&nbsp</a></td>"},
      {link("", 5, "0"), "<td class=y><a href=\"0.html\" class=t>&nbsp;&nbsp;&nbsp</a></td>"},
      {link("Al", 7, "1"), "<td class=y><a href=\"1.html\" class=am>A<br>l<br></a></td>"},
      {link("<", 8, "12"), "<td class=y><a href=\"12.html\" class=al>&lt;<br></a></td>"},
  };
  for (const auto& [entry, cell] : cases) {
    EXPECT_EQ(render(Table{{{entry}}}),
              "<table border=0 cellpadding=0>\n<tr>" + cell + "\n</tr></table>\n")
        << entry.val;
  }
}

TEST_F(TableHtmlTest, StackedEntriesRowsTitleAndWidth) {
  const Table t = {{{TableEntry("a", 2, 1, 2)}, {TableEntry("b", 2)}},
                   {{TableEntry("1", 1), TableEntry("2", 9)}, {link("Zed", 5, "4")}}};
  EXPECT_EQ(render(t, "High<br>Scores", "100%"),
            "<table border=0 width=100% cellpadding=0>\n"
            "<tr><td class=s colspan=3>High<br>Scores</td></tr>\n"
            "<tr><td colspan=2 class=r>&nbsp;a&nbsp</td>\n<td class=r>&nbsp;b&nbsp</td>\n"
            "</tr><tr><td class=w>&nbsp;1&nbsp<br>&nbsp;2&nbsp</td>\n"
            "<td class=y><a href=\"4.html\" class=t>&nbsp;Zed&nbsp</a></td>\n</tr></table>\n");
  EXPECT_EQ(trace.str(), "I TableHtml.createTable: High<br>Scores\nO TableHtml.createTable\n");
}

TEST_F(TableHtmlTest, KillsMatchUpGetsSideSpacersOverAllRows) {
  Table t(3, Row{{TableEntry("v", 1)}, {TableEntry("w", 1, 1, 2)}});
  const std::string row =
      "<tr><td class=w>&nbsp;v&nbsp</td>\n<td colspan=2 class=w>&nbsp;w&nbsp</td>\n</tr>";
  EXPECT_EQ(render(t, "Kills Match Up"),
            "<table border=0 cellpadding=0>\n<tr><td rowspan=4 width=25%>&nbsp</td>\n"
            "<td class=s colspan=3>Kills Match Up</td>\n"
            "<td rowspan=4 width=25%>&nbsp</td></tr>\n" +
                row + row + row + "</table>\n");
  t[1][0][0].rowspan = 2;
  EXPECT_NE(render(t, "Kills Match Up").find("<tr><td rowspan=5 width=25%>&nbsp</td>\n"),
            std::string::npos);
  // Only the exact title, and only a title, brings the spacers.
  EXPECT_EQ(render(t, "kills match up").find("25%"), std::string::npos);
  EXPECT_EQ(render(t).find("25%"), std::string::npos);
  EXPECT_EQ(render(t).find("Kills"), std::string::npos);
}

TEST_F(TableHtmlTest, FailureLeavesTheTableUnclosed) {
  const std::string open = "<table border=0 cellpadding=0>\n";
  const std::string oob = "IndexOutOfBoundsException: Index: 0, Size: 0";
  const Row good = {{TableEntry("1", 1)}};
  struct Case {
    std::optional<Table> table;
    std::optional<std::string> title;
    std::string page;
    std::string failure;
  };
  const std::vector<Case> cases = {
      {std::nullopt, "T", "", "NullPointerException"},
      {Table{}, "T", open, oob},
      {Table{good, Row{}}, "Kills Match Up", open, oob},
      {Table{good, Row{Cell{}}}, std::nullopt,
       open + "<tr><td class=w>&nbsp;1&nbsp</td>\n</tr><tr>", oob},
      {Table{{{TableEntry("x", 4)}}}, std::nullopt, open + "<tr><td class=y>",
       "NullPointerException"},
      {Table{{{TableEntry("a", 1), TableEntry("x", 7)}}}, std::nullopt,
       open + "<tr><td class=w>&nbsp;a&nbsp<br>", "NullPointerException"},
  };
  for (const Case& c : cases) {
    trace.str("");
    Debug::setLevel(0);
    EXPECT_EQ(render(c.table, c.title), c.page);
    EXPECT_EQ(trace.str(), "Error in TableHtml.createTable: " + c.failure + "\n");
  }
  // An empty table without a title is an empty table, not a failure.
  EXPECT_EQ(render(Table{}), open + "</table>\n");
}

TEST(TableHtml, CleanStringAndEscape) {
  const std::vector<std::array<std::string, 3>> cases = {
      // text, cleanString, escape
      {"", "&nbsp;", ""},
      {"Ann Lee", "Ann&nbsp;Lee", "Ann Lee"},
      {"<script>\"&\"", "&lt;script&gt;&quot;&amp;&quot;", "&lt;script&gt;&quot;&amp;&quot;"},
      {"&nbsp;", "&amp;nbsp;", "&amp;nbsp;"},
      {"\xE9l\xB7'\t\n", "\xE9l\xB7'\t\n", "\xE9l\xB7'\t\n"},
      {" ", "&nbsp;", " "},
  };
  for (const auto& [text, clean, escaped] : cases) {
    EXPECT_EQ(TableHtml::cleanString(text), clean) << text;
    EXPECT_EQ(TableHtml::escape(text), escaped) << text;
  }
}

TEST(SortKeys, VsRanksByKillsThenFewerDeaths) {
  games::brk::PStats p;
  p.playerKills = std::vector<int32_t>{5, 5, 2};
  p.playerDeaths = std::vector<int32_t>{1, 3};
  const SortVs a(p, 0), b(p, 1), c(p, 2), beyond(p, 7), negative(p, -1);
  EXPECT_EQ(SortVs::compare(a, b), 1);
  EXPECT_EQ(SortVs::compare(b, a), -1);
  EXPECT_EQ(SortVs::compare(c, b), -1);
  EXPECT_DOUBLE_EQ(a.eff, 500.0 / 6);
  EXPECT_EQ(c.deaths, 0);
  EXPECT_DOUBLE_EQ(c.eff, 100.0);
  for (const SortVs& none : {beyond, negative, SortVs(games::brk::PStats(), 0)}) {
    EXPECT_EQ(none.kills, 0);
    EXPECT_EQ(none.deaths, 0);
    EXPECT_EQ(none.eff, 0.0);
  }
}

TEST(SortKeys, WeaponRanksByFragsThenFewerDeaths) {
  games::brk::PStats s;
  s.myKills[2] = 4;
  s.myDeaths[2] = 1;
  s.myWSuicides[2] = 1;
  s.myKills[3] = 3;
  s.myDeaths[5] = 9;
  const SortWeapon w2(s, 2), w3(s, 3), w4(s, 4), w5(s, 5);
  EXPECT_EQ(w2.frags, 3);
  EXPECT_NEAR(w2.eff, 66.67, 0.005);
  EXPECT_EQ(SortWeapon::compare(w2, w3), -1);  // level on frags, w3 has no deaths
  EXPECT_EQ(SortWeapon::compare(w4, w5), 1);
  EXPECT_EQ(SortWeapon::compare(w4, SortWeapon(s, 6)), 0);
  EXPECT_EQ(w5.eff, 0.0);
  s.myKills[0] = INT_MIN;
  s.myWSuicides[0] = 1;
  EXPECT_EQ(SortWeapon(s, 0).frags, INT_MAX);  // hostile counters wrap
  EXPECT_THROW(SortWeapon(s, 14), std::out_of_range);
  EXPECT_THROW(SortWeapon(s, -1), std::out_of_range);
}

TEST(SortKeys, SingleValuesAndWonLost) {
  EXPECT_EQ(SortInt::compare(SortInt(3, 0), SortInt(-100, 1)), 1);
  EXPECT_EQ(SortInt::compare(SortInt(INT_MIN, 0), SortInt(INT_MAX, 1)), -1);
  EXPECT_EQ(SortInt::compare(SortInt(7, 0), SortInt(7, 1)), 0);
  EXPECT_EQ(SortDouble::compare(SortDouble(2.5, 0), SortDouble(1.0, 1)), 1);
  EXPECT_EQ(SortDouble::compare(SortDouble(-INFINITY, 0), SortDouble(INFINITY, 1)), -1);
  EXPECT_EQ(SortDouble::compare(SortDouble(NAN, 0), SortDouble(1.0, 1)), 0);
  EXPECT_EQ(SortDouble::compare(SortDouble(1.0, 0), SortDouble(NAN, 1)), 0);
  EXPECT_EQ(SortWonLost::compare(SortWonLost(10, 2, 0), SortWonLost(10, 5, 1)), 1);
  EXPECT_EQ(SortWonLost::compare(SortWonLost(10, 2, 0), SortWonLost(11, 9, 1)), -1);
  EXPECT_EQ(SortWonLost::compare(SortWonLost(4, 4, 0), SortWonLost(4, 4, 1)), 0);

  std::vector<SortInt> keys = {SortInt(1, 0), SortInt(-100, 1), SortInt(7, 2), SortInt(3, 3)};
  util::QuickSort::quickSort(keys, util::KeyComp<SortInt>());
  std::vector<int32_t> nums;
  for (const SortInt& k : keys) nums.push_back(k.num);
  EXPECT_EQ(nums, (std::vector<int32_t>{2, 3, 0, 1}));
}

}  // namespace
}  // namespace orvane::programs::ScorexBRK::output
