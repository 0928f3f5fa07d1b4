#include "programs/Scorex/rating/PlackettLuce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace orvane::programs::Scorex::rating {
namespace {

std::vector<std::vector<Member>> solo(const std::vector<Rating>& players) {
  std::vector<std::vector<Member>> teams;
  for (const Rating& r : players) teams.push_back({Member{r, 1.0}});
  return teams;
}

// Known answers computed once with openskill 5.0.1's rate() at its defaults.
TEST(PlackettLuce, TwoPlayersFromDefaults) {
  auto won = ratePlackettLuce(solo({{}, {}}), {1, 2});
  EXPECT_NEAR(won[0][0].mu, 27.635389493140497, 1e-12);
  EXPECT_NEAR(won[1][0].mu, 22.364610506859503, 1e-12);
  EXPECT_NEAR(won[0][0].mu - 25.0, 25.0 - won[1][0].mu, 1e-12);
  EXPECT_NEAR(won[0][0].sigma, 8.06590141354368, 1e-12);
  EXPECT_NEAR(won[1][0].sigma, 8.06590141354368, 1e-12);

  // The order of the teams does not matter, only their places.
  auto lost = ratePlackettLuce(solo({{}, {}}), {2, 1});
  EXPECT_EQ(lost[1][0].mu, won[0][0].mu);
  EXPECT_EQ(lost[0][0].mu, won[1][0].mu);

  auto tie = ratePlackettLuce(solo({{}, {}}), {1, 1});
  EXPECT_EQ(tie[0][0].mu, 25.0);
  EXPECT_EQ(tie[1][0].mu, 25.0);
  EXPECT_NEAR(tie[0][0].sigma, 8.06590141354368, 1e-12);
}

TEST(PlackettLuce, TiesAndTeamsAsOpenskill) {
  auto three = ratePlackettLuce(solo({{}, {}, {30.0, 4.0}}), {2, 1, 2});
  EXPECT_NEAR(three[0][0].mu, 24.001916348545922, 1e-12);
  EXPECT_NEAR(three[0][0].sigma, 7.961274705789823, 1e-12);
  EXPECT_NEAR(three[1][0].mu, 28.413966881428266, 1e-12);
  EXPECT_NEAR(three[1][0].sigma, 8.16434414103191, 1e-12);
  EXPECT_NEAR(three[2][0].mu, 29.443194596031347, 1e-12);
  EXPECT_NEAR(three[2][0].sigma, 3.979937237298253, 1e-12);

  auto teams = ratePlackettLuce({{Member{}, Member{{20.0, 6.0}}}, {Member{}}}, {2, 1});
  EXPECT_NEAR(teams[0][0].mu, 21.16636117723598, 1e-12);
  EXPECT_NEAR(teams[0][0].sigma, 8.175111815196905, 1e-12);
  EXPECT_NEAR(teams[0][1].mu, 18.012457024694385, 1e-12);
  EXPECT_NEAR(teams[0][1].sigma, 5.941633165536618, 1e-12);
  EXPECT_NEAR(teams[1][0].mu, 28.83363882276402, 1e-12);
  EXPECT_NEAR(teams[1][0].sigma, 8.20524626890634, 1e-12);
}

// A weight scales the member's step of mu and his shrink of sigma^2, and nothing else.
TEST(PlackettLuce, WeightScalesTheMembersOwnUpdate) {
  const Rating a{27.0, 6.0};
  const Rating b{24.0, 7.0};
  const double sigmaAfterTau = std::sqrt(6.0 * 6.0 + (25.0 / 300.0) * (25.0 / 300.0));
  auto rateWith = [&](double w) {
    return ratePlackettLuce({{Member{a, w}, Member{b, 1.0}}, {Member{}}}, {1, 2});
  };
  const auto full = rateWith(1.0);
  const auto half = rateWith(0.5);
  const auto none = rateWith(0.0);

  EXPECT_EQ(none[0][0].mu, a.mu);
  EXPECT_EQ(none[0][0].sigma, sigmaAfterTau);
  EXPECT_NEAR(half[0][0].mu - a.mu, (full[0][0].mu - a.mu) / 2.0, 1e-12);
  const double fullShrink = 1.0 - std::pow(full[0][0].sigma / sigmaAfterTau, 2);
  const double halfShrink = 1.0 - std::pow(half[0][0].sigma / sigmaAfterTau, 2);
  EXPECT_GT(fullShrink, 0.0);
  EXPECT_NEAR(halfShrink, fullShrink / 2.0, 1e-12);
  // The teammate and the other team see the same match whatever a's share.
  EXPECT_EQ(none[0][1].mu, full[0][1].mu);
  EXPECT_EQ(none[1][0].sigma, full[1][0].sigma);

  // Outside [0, 1] a weight is clamped; not a number counts as none.
  EXPECT_EQ(rateWith(7.0)[0][0].mu, full[0][0].mu);
  EXPECT_EQ(rateWith(-3.0)[0][0].mu, a.mu);
  EXPECT_EQ(rateWith(std::numeric_limits<double>::quiet_NaN())[0][0].sigma, sigmaAfterTau);
}

TEST(PlackettLuce, DegenerateMatchesLeaveRatingsAsGiven) {
  const Rating odd{31.5, 2.25};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  auto sameAsGiven = [&](const std::vector<std::vector<Member>>& teams,
                         const std::vector<int32_t>& ranks) {
    auto got = ratePlackettLuce(teams, ranks);
    ASSERT_EQ(got.size(), teams.size());
    for (std::size_t t = 0; t < teams.size(); ++t) {
      ASSERT_EQ(got[t].size(), teams[t].size());
      for (std::size_t k = 0; k < teams[t].size(); ++k) {
        const Rating& given = teams[t][k].rating;
        EXPECT_TRUE(same(got[t][k].mu, given.mu) && same(got[t][k].sigma, given.sigma))
            << "team " << t << ", member " << k;
      }
    }
  };
  sameAsGiven({{Member{odd}, Member{}}}, {1});                  // one team
  sameAsGiven({{Member{odd}}, {}}, {1, 2});                     // an empty team
  sameAsGiven({{Member{odd}}, {Member{}}}, {1});                // a rank missing
  sameAsGiven({{Member{{1e308, 1.0}}}, {Member{}}}, {1, 2});    // exp overflows
  sameAsGiven({{Member{{25.0, nan}}}, {Member{odd}}}, {1, 2});  // not a number
  sameAsGiven({}, {});
}

// One match of a season: teams of player numbers and their places.
struct Match {
  std::vector<std::vector<int>> teams;
  std::vector<int32_t> ranks;
};

// A seeded season over a pool of 30: free-for-alls of 2 to 8 players and matches of 2 to 4
// teams of 1 to 4 players, places drawn with repeats so that ties are common.
struct Season {
  std::vector<Rating> players;
  std::vector<Match> matches;

  explicit Season(uint32_t seed) {
    std::mt19937 gen(seed);
    auto pick = [&gen](int lo, int hi) {
      return lo + static_cast<int>(gen() % static_cast<uint32_t>(hi - lo + 1));
    };
    auto unit = [&gen]() { return gen() / 4294967296.0; };
    for (int p = 0; p < 30; ++p) {
      players.push_back(p < 10 ? Rating{} : Rating{15.0 + 20.0 * unit(), 1.0 + 7.0 * unit()});
    }
    for (int m = 0; m < 400; ++m) {
      std::vector<int> pool(players.size());
      for (std::size_t p = 0; p < pool.size(); ++p) pool[p] = static_cast<int>(p);
      std::size_t next = 0;
      auto draw = [&]() {  // a partial shuffle: each player at most once per match
        std::swap(pool[next], pool[next + gen() % (pool.size() - next)]);
        return pool[next++];
      };
      Match match;
      const bool freeForAll = m % 2 == 0;
      const int teamCount = freeForAll ? pick(2, 8) : pick(2, 4);
      for (int t = 0; t < teamCount; ++t) {
        match.teams.emplace_back();
        for (int k = freeForAll ? 1 : pick(1, 4); k > 0; --k) match.teams.back().push_back(draw());
        match.ranks.push_back(pick(1, teamCount));
      }
      matches.push_back(match);
    }
  }

  std::string json() const {
    auto number = [](double v) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.17g", v);
      return std::string(buf);
    };
    std::string out = "{\"players\":[";
    for (std::size_t p = 0; p < players.size(); ++p) {
      out += (p ? ",[" : "[") + number(players[p].mu) + "," + number(players[p].sigma) + "]";
    }
    out += "],\"matches\":[";
    for (std::size_t m = 0; m < matches.size(); ++m) {
      out += m ? ",{\"teams\":[" : "{\"teams\":[";
      for (std::size_t t = 0; t < matches[m].teams.size(); ++t) {
        out += t ? ",[" : "[";
        for (std::size_t k = 0; k < matches[m].teams[t].size(); ++k) {
          out += (k ? "," : "") + std::to_string(matches[m].teams[t][k]);
        }
        out += "]";
      }
      out += "],\"ranks\":[";
      for (std::size_t t = 0; t < matches[m].ranks.size(); ++t) {
        out += (t ? "," : "") + std::to_string(matches[m].ranks[t]);
      }
      out += "]}";
    }
    return out + "]}";
  }
};

// Runs a shell command and returns what it printed; no value when it could not run or failed.
std::optional<std::string> commandOutput(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buf[4096];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, got);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

// Every player's mu and sigma after every match of a season, against openskill's PlackettLuce
// run by node over the same season.
TEST(PlackettLuce, MatchesOpenskillOverARandomSeason) {
  const std::string source = SCOREX_SOURCE_DIR;
  if (std::system("node --version >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "node is not installed (make deps installs it)";
  }
  if (!std::filesystem::exists(source + "/tests/browser/node_modules/openskill/package.json")) {
    GTEST_SKIP() << "openskill is not installed in tests/browser/node_modules (make deps)";
  }
  const Season season(20240611);
  orvane::testing::TempDir dir;
  const std::string input = dir.write("season.json", season.json());
  const auto printed =
      commandOutput("node '" + source + "/tests/ratings/openskill.mjs' '" + input + "'");
  ASSERT_TRUE(printed) << "node tests/ratings/openskill.mjs failed";

  std::istringstream lines(*printed);
  std::vector<Rating> pool = season.players;
  double worst = 0.0;
  for (std::size_t m = 0; m < season.matches.size(); ++m) {
    const Match& match = season.matches[m];
    std::vector<std::vector<Member>> teams;
    for (const auto& team : match.teams) {
      teams.emplace_back();
      for (int p : team) teams.back().push_back(Member{pool[p], 1.0});
    }
    const auto rated = ratePlackettLuce(teams, match.ranks);
    for (std::size_t t = 0; t < match.teams.size(); ++t) {
      for (std::size_t k = 0; k < match.teams[t].size(); ++k) pool[match.teams[t][k]] = rated[t][k];
    }
    for (std::size_t p = 0; p < pool.size(); ++p) {
      std::string line;
      ASSERT_TRUE(std::getline(lines, line)) << "openskill stopped at match " << m;
      std::size_t theirMatch = 0, theirPlayer = 0;
      char mu[64] = "", sigma[64] = "";
      ASSERT_EQ(
          std::sscanf(line.c_str(), "%zu %zu %63s %63s", &theirMatch, &theirPlayer, mu, sigma), 4)
          << line;
      ASSERT_EQ(theirMatch, m);
      ASSERT_EQ(theirPlayer, p);
      const double theirMu = std::strtod(mu, nullptr);
      const double theirSigma = std::strtod(sigma, nullptr);
      ASSERT_NEAR(pool[p].mu, theirMu, 1e-9) << "match " << m << ", player " << p;
      ASSERT_NEAR(pool[p].sigma, theirSigma, 1e-9) << "match " << m << ", player " << p;
      worst =
          std::max({worst, std::abs(pool[p].mu - theirMu), std::abs(pool[p].sigma - theirSigma)});
    }
  }
  std::string rest;
  EXPECT_FALSE(std::getline(lines, rest)) << "openskill printed more: " << rest;
  char largest[32];
  std::snprintf(largest, sizeof largest, "%.3g", worst);
  RecordProperty("largest_difference", largest);
}

// Hostile weights and a long season never give a rating that is not finite.
TEST(PlackettLuce, HostileWeightsStayFinite) {
  const Season season(7);
  std::mt19937 gen(11);
  const double odd[] = {-1.0,
                        0.0,
                        0.25,
                        1.0,
                        2.0,
                        std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  std::vector<Rating> pool = season.players;
  for (const Match& match : season.matches) {
    std::vector<std::vector<Member>> teams;
    for (const auto& team : match.teams) {
      teams.emplace_back();
      for (int p : team) teams.back().push_back(Member{pool[p], odd[gen() % 7]});
    }
    const auto rated = ratePlackettLuce(teams, match.ranks);
    for (std::size_t t = 0; t < match.teams.size(); ++t) {
      for (std::size_t k = 0; k < match.teams[t].size(); ++k) {
        const Rating& r = rated[t][k];
        ASSERT_TRUE(std::isfinite(r.mu) && std::isfinite(r.sigma) && r.sigma > 0.0);
        pool[match.teams[t][k]] = r;
      }
    }
  }
}

}  // namespace
}  // namespace orvane::programs::Scorex::rating
