#include "games/brk/Specs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "games/brk/Player.h"
#include "util/Debug.h"
#include "util/QuickSort.h"

namespace orvane::games::brk {
namespace {

using util::Debug;

class SpecsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  std::ostringstream trace;
};

TEST_F(SpecsTest, TablesAndLookups) {
  EXPECT_EQ((std::vector<size_t>{Specs::weapons.size(), Specs::suicides.size(), Specs::items.size(),
                                 Specs::pickups.size(), Specs::sprees.size(), Specs::games.size()}),
            (std::vector<size_t>{14, 11, 40, 7, 6, 3}));
  struct Case {
    int32_t got;
    int32_t want;
  };
  const std::vector<Case> cases = {
      {Specs::wloc("railgun"), 0},  // letter case counts
      {Specs::wloc("Railgun"), 8},
      {Specs::iloc("Railgun"), 9},  // weapons sit elsewhere among the items
      {Specs::wloc("Hook"), 13},
      {Specs::iloc("Quad"), 16},
      {Specs::iloc("Rebreather"), 39},
      {Specs::wloc(""), 0},  // the empty entry, no trace
      {Specs::iloc(""), 0},
      {Specs::sloc(""), 0},
      {Specs::sloc("Explosive"), 10},
      {Specs::sloc("Railgun"), -1},     // a weapon is no cause, silently
      {Specs::ploc("Mega_Health"), 0},  // counted as Quad
      {Specs::ploc("Vampire_Rune"), 6},
      {Specs::sploc("Godlike"), 5},
      {Specs::sploc("godlike"), -1},  // silent
      {Specs::gloc("TeamPlay"), 1},
      {Specs::gloc("CTF"), 0},
      {Specs::iloc("Quad Damage"), 0},
  };
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << i;
  EXPECT_EQ(trace.str(),
            "Error in Specs.wloc: $railgun$ unknown weapon\n"
            "Error in Specs.ploc: $Mega_Health$ unknown pickup\n"
            "Error in zln.Specs.gloc: $CTF$ unknown game\n"
            "Error in Specs.iloc: $Quad Damage$ unknown item\n");
}

Player withFDS(int32_t frags, int32_t deaths, int32_t suicides, size_t games = 0) {
  Player p;
  p.all.frags = frags;
  p.all.deaths = deaths;
  p.all.suicides = suicides;
  p.games.at(games) = p.all;
  p.uid = frags * 100 + deaths * 10 + suicides;  // a tag to read the order by
  return p;
}

std::vector<int32_t> sortedTags(const std::vector<Player>& players,
                                const util::Comp<const Player*>& c) {
  std::vector<const Player*> v;
  for (const Player& p : players) v.push_back(&p);
  util::QuickSort::quickSort(v, 0, static_cast<int64_t>(v.size()) - 1, c);
  std::vector<int32_t> tags;
  for (const Player* p : v) tags.push_back(p->uid);
  return tags;
}

TEST_F(SpecsTest, RankingByFragsThenDeathsThenSuicides) {
  const SortFDS fds;
  EXPECT_EQ(sortedTags({withFDS(5, 2, 0), withFDS(9, 1, 0), withFDS(5, 1, 0)}, fds),
            (std::vector<int32_t>{910, 510, 520}));
  EXPECT_EQ(sortedTags({withFDS(3, 1, 2), withFDS(3, 1, 1), withFDS(3, 2, 0)}, fds),
            (std::vector<int32_t>{311, 312, 320}));
  EXPECT_EQ(sortedTags({withFDS(4, 4, 4)}, fds), (std::vector<int32_t>{444}));

  // The per-game-type form reads the block of its game type only.
  std::vector<Player> players = {withFDS(5, 2, 0, 2), withFDS(9, 1, 0, 2), withFDS(5, 1, 0, 2)};
  players[0].all.frags = 50;  // not read
  EXPECT_EQ(sortedTags(players, SortFDSb(2)), (std::vector<int32_t>{910, 510, 520}));
  // games[0] is all zero: three level players come out reversed by the partition sort.
  EXPECT_EQ(sortedTags(players, SortFDSb(0)), (std::vector<int32_t>{510, 910, 520}));
}

}  // namespace
}  // namespace orvane::games::brk
