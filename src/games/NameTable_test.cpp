#include "games/NameTable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "games/SpreeLadder.h"

namespace orvane::games {
namespace {

// Both games count weapons, causes, items and game types by their place in a name table: the
// first exact match (letter case counts), or -1; a lookup gives 0 for an unknown name after one
// trace line, so that the match goes on.
TEST(NameTable, ExactNamesAndUnknownOnesAsTheFirst) {
  const std::array<std::string_view, 4> table = {"", "Quad", "Rebreather", "Quad"};
  std::ostringstream trace;
  util::Debug::reset();
  util::Debug::setStream(&trace);
  EXPECT_EQ((std::vector<int32_t>{loc(table, "Quad"), loc(table, "quad"), loc(table, ""),
                                  loc(table, "Rebreather"), lookup(table, "Rebreather", "E ", "x"),
                                  lookup(table, "quad", "Error in Specs.ploc: ", "pickup")}),
            (std::vector<int32_t>{1, -1, 0, 2, 2, 0}));
  util::Debug::reset();
  EXPECT_EQ(trace.str(), "Error in Specs.ploc: $quad$ unknown pickup\n");
}

// A life climbs the spree ladder with its kills; a level the game's table lacks leaves it at
// the highest level below that the table has.
TEST(SpreeLadder, LevelsMissingFromTheTableKeepTheLevelBelow) {
  const std::array<std::string_view, 3> table = {"Killing Spree", "Dominating", "Unstoppable"};
  std::string names;
  for (int32_t kills : {4, 5, 13, 14, 24, 25, 60})
    names += std::string(spreeName(table, kills)) + "|";
  EXPECT_EQ(names, "|Killing Spree|Killing Spree|Dominating|Dominating|Unstoppable|Unstoppable|");
}

}  // namespace
}  // namespace orvane::games
