#include "programs/ScorexBRK/output/PlayerTables.h"

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "games/brk/Specs.h"
#include "programs/ScorexBRK/output/Cells.h"
#include "programs/ScorexBRK/output/SortWeapon.h"
#include "util/Comp.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/QuickSort.h"
#include "util/Wrap.h"

namespace orvane::programs::ScorexBRK::output {

using games::brk::Player;
using games::brk::PStats;
using games::brk::Specs;
using util::Debug;

using namespace cells;

namespace {

constexpr int32_t kAllTypes = static_cast<int32_t>(Specs::kGames);

// The block of one game type; a type outside the table is a failure of the calling builder.
const PStats& gameBlock(const Player& p, int32_t g) {
  if (g < 0 || g >= kAllTypes) {
    throw util::Failure("ArrayIndexOutOfBoundsException", std::to_string(g));
  }
  return p.games[static_cast<size_t>(g)];
}

// Lives are deaths, suicides and the one still running.
double lives(const PStats& s) { return util::add32(util::add32(s.deaths, s.suicides), 1); }

void values(Table& t, std::vector<std::string> v) {
  Row r;
  for (std::string& x : v) r.push_back(cell(std::move(x), 1));
  t.push_back(std::move(r));
}

// Builds a table in place, so that a failure leaves it as far as it got, traced with the
// builder's prefix.
template <class Fill>
void build(std::optional<Table>& table, const char* error, Fill fill) {
  Table& t = table.emplace();
  try {
    fill(t);
  } catch (const std::exception& e) {
    Debug::print(error + util::failureText(e), 0);
  }
}

}  // namespace

PlayerTables::PlayerTables(const Player& thePlayer, int32_t type, int32_t gType)
    : p(thePlayer), OutputType(type) {
  Debug::print("I PlayerTables", 1);
  try {
    for (int32_t t = 0; t <= kAllTypes; ++t) mPSummary(t);
    mPWeapon(gType);
    mPSuicide(gType);
    mPPickups();
    mPItems(gType);
  } catch (const std::exception& e) {
    Debug::print("Error in PlayerTables: " + util::failureText(e), 0);
  }
  Debug::print("O PlayerTables", 1);
}

void PlayerTables::mPSummary(int32_t t) {
  Debug::print("I PlayerTables.mPSummary", 1);
  build(pSummary.at(static_cast<size_t>(t)), "Error in PlayerTables.mPSummary: ", [&](Table& tb) {
    const PStats& s = t == kAllTypes ? p.all : gameBlock(p, t);
    const std::string name = t == kAllTypes ? std::string("All Game Types Combined")
                                            : std::string(Specs::games[static_cast<size_t>(t)]);
    const bool teamColumns = t == kAllTypes || name == "TeamPlay";
    const bool career = OutputType == 1 || OutputType == 3;
    tb.push_back({span((career ? "Career Summary - " : "Summary - ") + name, 12, 1,
                       13 + (career ? 2 : 0) + (teamColumns ? 2 : 0))});

    std::vector<const char*> names = {"Frags", "Kills", "Deaths", "Suicides"};
    if (teamColumns) names.insert(names.end(), {"TK", "TD"});
    names.insert(names.end(), {"Eff", "Avg FPH", "Avg TTL", "Ping"});
    if (career) names.insert(names.end(), {"Wins", "Losses"});
    names.insert(names.end(), {"Games", "Hours"});
    damageHeadings(tb, names);

    std::vector<std::string> v = {str(s.frags), str(s.kills), str(s.deaths), str(s.suicides)};
    if (teamColumns) v.insert(v.end(), {str(s.tkills), str(s.tdeaths)});
    v.push_back(pct(efficiency(s, true)));
    // Without time played the rate has no finite value.
    v.push_back(s.totalTime != 0.0 ? fmt(s.frags * 3600.0 / s.totalTime) : "0.0");
    v.push_back(fmt(s.totalTime / lives(s)));
    v.push_back(ping(s, p.isABot));
    if (career) v.insert(v.end(), {str(s.teamWins), str(s.teamLosses)});
    v.insert(v.end(), {str(s.uses), fmt(s.totalTime * (1.0 / 3600))});
    v.insert(v.end(),
             {str(s.dGiven), str(s.dReceived), fmt(damageRatio(s.dGiven, s.dReceived), 3)});
    values(tb, std::move(v));
  });
  Debug::print("O PlayerTables.mPSummary", 1);
}

void PlayerTables::mPWeapon(int32_t g) {
  Debug::print("I PlayerTables.mPWeapon", 1);
  build(pWeapon, "Error in PlayerTables.mPWeapon: ", [&](Table& t) {
    damageHeadings(
        t, {"Weapon", "Frags", "Kills", "Deaths", "Suicides", "Eff.", "Hits", "Shots", "Acc."});
    const PStats& s = OutputType > 2 || g == kAllTypes ? p.all : gameBlock(p, g);
    std::vector<SortWeapon> keys;
    for (size_t w = 0; w < Specs::kWeapons; ++w) keys.emplace_back(s, static_cast<int32_t>(w));
    util::QuickSort::quickSort(keys, util::KeyComp<SortWeapon>());
    for (const SortWeapon& k : keys) {
      const size_t w = static_cast<size_t>(k.num);
      const int32_t hits = s.myHits.at(w);
      const int32_t shots = s.myShots.at(w);
      if (k.frags == 0 && k.kills == 0 && k.deaths == 0 && shots == 0) continue;
      const int32_t given = s.myDGiven.at(w);
      const int32_t received = s.myDReceived.at(w);
      Row r{cell(std::string(weaponName(w)), 3)};
      for (std::string v :
           {str(k.frags), str(k.kills), str(k.deaths), str(k.suicides), pct(k.eff), str(hits),
            str(shots), shots == 0 ? std::string("0.0%") : pct(hits * 100.0 / shots), str(given),
            str(received), fmt(damageRatio(given, received))}) {
        r.push_back(cell(std::move(v), 1));
      }
      t.push_back(std::move(r));
    }
  });
  Debug::print("O PlayerTables.mPWeapon", 1);
}

void PlayerTables::mPSuicide(int32_t g) {
  Debug::print("I PlayerTables.mPSuicide", 1);
  build(pSuicide, "Error in PlayerTables.mPSuicide: ", [&](Table& t) {
    t.push_back(headings({"Type", "Suicides"}));
    const PStats& s = OutputType > 2 || g == kAllTypes ? p.all : gameBlock(p, g);
    countRows(t, suicideCounts(s), suicideName);
  });
  Debug::print("O PlayerTables.mPSuicide", 1);
}

void PlayerTables::mPPickups() {
  Debug::print("I PlayerTables.mPPickups", 1);
  build(pPickups, "Error in PlayerTables.mPPickups: ", [&](Table& t) {
    t.push_back(headings({"Powerup", "# of Uses", "Time (minutes)", "Kills", "Deaths+Suicides",
                          "Kills/Use", "Kills/Hour", "TTL(sec)"}));
    std::vector<int32_t> kills;
    for (const PStats& b : p.pickups) kills.push_back(b.kills);
    // Every power-up keeps its row, used or not.
    ranked(t, kills, [&](size_t i) -> std::optional<Row> {
      const PStats& b = p.pickups.at(i);
      Row r{cell(std::string(Specs::pickups.at(i)), 3)};
      for (std::string v :
           {str(b.uses), fmt(b.totalTime * (1.0 / 60)), str(b.kills),
            str(util::add32(b.deaths, b.suicides)),
            b.uses == 0 ? std::string("0.0") : fmt(static_cast<double>(b.kills) / b.uses),
            b.totalTime == 0.0 ? std::string("0.0") : fmt(b.kills * 3600.0 / b.totalTime),
            fmt(b.totalTime / lives(b))}) {
        r.push_back(cell(std::move(v), 1));
      }
      return r;
    });
  });
  Debug::print("O PlayerTables.mPPickups", 1);
}

void PlayerTables::mPItems(int32_t g) {
  Debug::print("I PlayerTables.mPItems", 1);
  build(pItems, "Error in PlayerTables.mPItems: ", [&](Table& t) {
    t.push_back(headings({"Item Type", "Total Collected"}));
    const PStats& s = g == kAllTypes ? p.all : gameBlock(p, g);
    countRows(t, std::vector<int32_t>(s.itemGets.begin(), s.itemGets.end()),
              [](size_t i) { return Specs::items.at(i); });
  });
  Debug::print("O PlayerTables.mPItems", 1);
}

}  // namespace orvane::programs::ScorexBRK::output
