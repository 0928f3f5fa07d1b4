// The match archive and the skill ratings, through the real programs: every merged match is
// archived once with its players' ratings before and after, a match is known for ever, damage
// is cut away without losing what was sound, and scorex-ratings shows what the last run saved.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "Home.h"
#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/store/Journal.h"
#include "programs/Scorex/store/MatchArchive.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using programs::Scorex::rating::RatingBook;
using programs::Scorex::store::ArchivedMatch;
using programs::Scorex::store::MatchArchive;
using ::testing::HasSubstr;
using testing::Home;
using testing::RunResult;
using testing::slurp;

std::vector<ArchivedMatch> archived(const std::string& path, bool* whole = nullptr) {
  std::vector<ArchivedMatch> all;
  const bool sound = MatchArchive::forEach(path, [&](ArchivedMatch&& m) { all.push_back(m); });
  if (whole != nullptr) *whole = sound;
  return all;
}

RatingBook ratingsIn(const std::string& path) {
  RatingBook book({});
  const std::string bytes = slurp(path);
  util::BigEndianReader in(bytes);
  book.read(in);
  return book;
}

// Each player's rating in each category runs from one archived match to his next, and ends
// where the ratings file has it; returns the matches rated.
size_t expectRatingsChain(const std::vector<ArchivedMatch>& matches, const RatingBook& book) {
  std::map<std::pair<int32_t, uint8_t>, programs::Scorex::rating::RatingChange> last;
  std::map<std::pair<int32_t, uint8_t>, int32_t> played;
  size_t rated = 0;
  for (const ArchivedMatch& m : matches) {
    rated += m.categories.empty() ? 0 : 1;
    for (const auto& p : m.players) {
      if (!p.rated) continue;
      EXPECT_EQ(p.ratings.size(), m.categories.size());
      for (size_t c = 0; c < m.categories.size() && c < p.ratings.size(); ++c) {
        const auto key = std::make_pair(p.uid, m.categories[c]);
        const auto it = last.find(key);
        const double mu = it == last.end() ? 25.0 : it->second.after.mu;
        EXPECT_EQ(p.ratings[c].before.mu, mu) << p.name << " at " << m.time;
        last[key] = p.ratings[c];
        ++played[key];
      }
    }
  }
  for (const auto& [key, change] : last) {
    const auto& c = book.players().at(key.first).categories.at(key.second);
    EXPECT_EQ(c.rating.mu, change.after.mu);
    EXPECT_EQ(c.rating.sigma, change.after.sigma);
    EXPECT_EQ(c.matches, played[key]);
  }
  return rated;
}

TEST(MatchArchive, EveryMatchOnceWithItsRatingsAndKnownForEver) {
  const Home home(SCOREX_BRK);
  tools::BrkLogOptions o{.seed = 11,
                         .matches = 12,
                         .players = 3,
                         .bots = 1,
                         .eventsPerMatch = 80,
                         .humanPool = 8,
                         .botPool = 2,
                         .maxPlayers = 6,
                         .mixModes = true};
  home.write("a.log", tools::generateBrkLog(o));
  home.expectRun(0, {"a.log"});
  const std::string archive = home.file("data/brk_matches.db");
  const std::string ratings = home.file("data/brk_ratings.db");
  bool whole = false;
  const std::vector<ArchivedMatch> matches = archived(archive, &whole);
  EXPECT_TRUE(whole);
  ASSERT_EQ(matches.size(), 12u);
  EXPECT_EQ(home.matchDirs().size(), 12u);
  const RatingBook book = ratingsIn(ratings);
  EXPECT_EQ(book.categoryNames(),
            (std::vector<std::string>{"Overall", "RegularDM", "TeamPlay", "1-vs-1"}));
  EXPECT_EQ(expectRatingsChain(matches, book), 12u);
  for (const ArchivedMatch& m : matches) {
    EXPECT_EQ(m.categories, (std::vector<uint8_t>{0, static_cast<uint8_t>(m.gameTypeNumber + 1)}));
    ASSERT_FALSE(m.players.empty());
    EXPECT_EQ(m.players.front().rank, 1);
    EXPECT_FALSE(m.winner.empty());
  }

  // Offered again, by the same run's log or after its stamps left the match list (which keeps
  // only the newest 50,000), the matches are repeats: nothing changes.
  const std::string before = slurp(archive) + slurp(ratings) + slurp(home.file("data/brk_hash.db"));
  home.write("b.log", tools::generateBrkLog(o));
  home.expectRun(0, {"b.log"});
  EXPECT_EQ(slurp(archive) + slurp(ratings) + slurp(home.file("data/brk_hash.db")), before);
  util::BigEndianWriter noStamps;
  for (const int32_t v : {1, 0, 0, 0}) noStamps.writeInt(v);
  home.write("data/brk_game.db", noStamps.bytes());
  home.write("c.log", tools::generateBrkLog(o));
  home.expectRun(0, {"c.log"});
  EXPECT_EQ(slurp(archive) + slurp(ratings) + slurp(home.file("data/brk_hash.db")), before);
}

// Kendall's tau-a of two scores over the same players: +1 when they order every pair alike.
double kendallTau(const std::vector<std::pair<double, double>>& xy) {
  double concordant = 0;
  double discordant = 0;
  for (size_t i = 0; i < xy.size(); ++i) {
    for (size_t j = i + 1; j < xy.size(); ++j) {
      const double s = (xy[i].first - xy[j].first) * (xy[i].second - xy[j].second);
      if (s > 0) ++concordant;
      if (s < 0) ++discordant;
    }
  }
  const double pairs = static_cast<double>(xy.size() * (xy.size() - 1) / 2);
  return pairs > 0 ? (concordant - discordant) / pairs : 0.0;
}

// Logs whose fights a hidden skill decides: the ratings must find the skills, and clearly
// better than the all-games ranking by frags, which rewards playing a lot.
TEST(SkillRatings, FindTheHiddenSkillsBetterThanTheFragRanking) {
  const Home home(SCOREX_BRK);
  tools::BrkLogOptions o{.seed = 5,
                         .matches = 500,
                         .players = 8,
                         .bots = 0,
                         .humanPool = 60,
                         .mixModes = true,
                         .skillSpread = 1.5,
                         .regulars = true};
  tools::SkillTable skills;
  home.write("a.log", tools::generateBrkLog(o, &skills));
  home.expectRun(0, {"a.log"});
  const RatingBook book = ratingsIn(home.file("data/brk_ratings.db"));
  std::map<int32_t, int32_t> frags;
  for (const ArchivedMatch& m : archived(home.file("data/brk_matches.db"))) {
    for (const auto& p : m.players) frags[p.uid] += p.frags;
  }
  std::vector<std::pair<double, double>> byRating;
  std::vector<std::pair<double, double>> byFrags;
  for (const auto& s : book.leaderboard(0, 10)) {
    const auto truth = skills.find(s.player->name);
    if (s.provisional || truth == skills.end()) continue;
    byRating.emplace_back(programs::Scorex::rating::ordinal(s.rating), truth->second.skill);
    byFrags.emplace_back(frags[s.uid], truth->second.skill);
  }
  ASSERT_GE(byRating.size(), 50u);
  const double rated = kendallTau(byRating);
  const double fragged = kendallTau(byFrags);
  std::cout << "Kendall tau against the hidden skill over " << byRating.size()
            << " players: ratings " << rated << ", frags " << fragged << "\n";
  EXPECT_GE(rated, 0.7);
  EXPECT_GE(rated, fragged + 0.1);
}

TEST(MatchArchive, DamageIsCutAwayAndKeptBesideWhatWasSound) {
  const Home home(SCOREX_BRK);
  tools::BrkLogOptions o{.seed = 3, .matches = 4, .players = 3, .bots = 1, .eventsPerMatch = 60};
  home.write("a.log", tools::generateBrkLog(o));
  home.expectRun(0, {"a.log"});
  const std::string archive = home.file("data/brk_matches.db");
  const std::string ratings = home.file("data/brk_ratings.db");
  const std::string sound = slurp(archive);
  // A torn last record and garbage behind it; the ratings cut in the middle of a player.
  home.write("data/brk_matches.db", sound + sound.substr(12, 40) + "garbage");
  const std::string rated = slurp(ratings);
  home.write("data/brk_ratings.db", rated.substr(0, rated.size() - 10));
  o.startDay = 2;
  home.write("b.log", tools::generateBrkLog(o));
  const RunResult r = home.expectRun(0, {"b.log"});
  EXPECT_EQ(r.out.find("Error in Totals.readMatchDB: IOException: " + archive +
                       ": damaged at byte " + std::to_string(sound.size())),
            r.out.rfind("Error in Totals.readMatchDB: "));
  EXPECT_THAT(r.out, HasSubstr("Error in Totals.readRatingsDB: "));
  bool whole = false;
  EXPECT_EQ(archived(archive, &whole).size(), 8u);
  EXPECT_TRUE(whole);
  EXPECT_EQ(slurp(archive).substr(0, sound.size()), sound);
  size_t kept = 0;
  for (const auto& e : fs::directory_iterator(home.file("data"))) {
    const std::string name = e.path().filename().string();
    if (name.starts_with("brk_matches.db.damaged-") || name.starts_with("brk_ratings.db.damaged-"))
      ++kept;
  }
  EXPECT_EQ(kept, 2u);
  // The ratings of the players the cut lost start again; the file reads whole.
  EXPECT_EQ(ratingsIn(ratings).players().size(), ratingsIn(ratings).players().size());
  EXPECT_THAT(home.expectRun(0).out, ::testing::Not(HasSubstr("Error in Totals.read")));
}

TEST(MatchArchive, ZolnarRatesByItsGameTypes) {
  const Home home(SCOREX_ZLN);
  std::vector<std::string> logs;
  const char* const types[] = {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                               "Tournament Team Game"};
  for (int day = 0; day < 5; ++day) {
    tools::ZlnLogOptions o;
    o.seed = static_cast<uint32_t>(4 + day);
    o.startDay = day;
    o.eventsPerMatch = 120;
    o.gameType = types[day];
    logs.push_back(std::to_string(day) + ".log");
    home.write(logs.back(), tools::generateZlnLog(o));
  }
  home.expectRun(0, logs);
  const std::vector<ArchivedMatch> matches = archived(home.file("data/zln_matches.db"));
  EXPECT_EQ(matches.size(), home.matchDirs().size());
  const RatingBook book = ratingsIn(home.file("data/zln_ratings.db"));
  EXPECT_EQ(book.categoryNames(),
            (std::vector<std::string>{"Overall", "Tournament DeathMatch", "Tournament Team Game",
                                      "Capture the Flag", "Domination", "Assault"}));
  EXPECT_GE(expectRatingsChain(matches, book), 4u);
}

RunResult ratingsCommand(std::vector<std::string> args) {
  testing::RunOptions o;
  o.args = std::move(args);
  return testing::runProgram(SCOREX_RATINGS, o);
}

TEST(ScorexRatings, PrintsTheLeaderboardsAsTheLastRunSavedThem) {
  const Home home(SCOREX_BRK, "RatingMinMatches\t3\n");
  tools::BrkLogOptions o{.seed = 8, .matches = 4, .players = 3, .bots = 1, .eventsPerMatch = 60};
  home.write("a.log", tools::generateBrkLog(o));
  home.expectRun(0, {"a.log"});
  RunResult r = ratingsCommand({home.path()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("ScorexBRK: skill ratings in " + home.file("data/") +
                               "brk_ratings.db (provisional below 3 rated matches)\n\nOverall\n"
                               "  Rank   Rating       Mu   Sigma  Matches  Name\n     1"));
  EXPECT_THAT(r.out, HasSubstr("  (bot)"));
  EXPECT_THAT(r.out, HasSubstr("\nTeamPlay\n  no rated matches yet\n"));

  // A run that committed its save but died before carrying it out: its ratings are shown.
  const RatingBook book = ratingsIn(home.file("data/brk_ratings.db"));
  util::BigEndianWriter empty;
  RatingBook(book.categoryNames()).write(empty);
  programs::Scorex::store::Journal j;
  j.replaceFile("brk_ratings.db", empty.bytes());
  j.commit(home.file("data/"));
  r = ratingsCommand({home.path(), "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"modules\":[{\"program\":\"ScorexBRK\",\"minMatches\":3,\"categories\":["
            "{\"name\":\"Overall\",\"players\":[]},{\"name\":\"RegularDM\",\"players\":[]},"
            "{\"name\":\"TeamPlay\",\"players\":[]},{\"name\":\"1-vs-1\",\"players\":[]}]}]}\n");
  fs::remove(home.file("data/scorex.journal"));
  r = ratingsCommand({home.path(), "--json"});
  EXPECT_THAT(r.out, HasSubstr("\"rank\":1,\"career\":"));

  EXPECT_EQ(ratingsCommand({}).status, 2);
  r = ratingsCommand({home.file("data")});
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("no ScorexBRK.cfg or ScorexZLN.cfg"));
}

}  // namespace
}  // namespace orvane
