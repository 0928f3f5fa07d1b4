#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/store/MatchArchive.h"

namespace orvane::programs::Scorex::modern {

// What the modern site shows of the whole match archive, gathered in one pass over it: per
// player, per map and per day, compact figures only (a match's own record is not kept). Made by
// ModernSite for one run and dropped after it. Sums are 64-bit: the archive is hostile input.
class SiteData {
 public:
  static constexpr int64_t kNever = std::numeric_limits<int64_t>::min();

  // One archived match of a player, as his match history lists it.
  struct MatchRow {
    int64_t time = 0;
    int32_t map = 0;       // position in maps
    int32_t gameType = 0;  // position in gameTypes
    int32_t rank = 0;
    int32_t players = 0;
    int64_t frags = 0;
    int64_t kills = 0;
    int64_t deaths = 0;
    bool win = false;
    bool rated = false;
    double change = 0.0;  // his Overall displayed rating after the match minus before
  };
  struct Figures {
    int64_t matches = 0;
    int64_t wins = 0;
    int64_t kills = 0;
    int64_t deaths = 0;
    int64_t rankSum = 0;
    int64_t lastSeen = kNever;
  };
  struct RatingPoint {
    int64_t time = 0;
    double rating = 0.0;  // displayed rating (mu - 3 sigma) after the match
  };
  struct Opponent {
    int64_t kills = 0;   // his kills of that opponent
    int64_t deaths = 0;  // his deaths by that opponent
  };
  struct Player {
    std::string name;  // the name last played
    bool isABot = false;
    Figures all;
    int64_t frags = 0;
    std::vector<MatchRow> rows;  // archive order
    std::map<size_t, Figures> categories;
    std::map<size_t, std::vector<RatingPoint>> history;
    std::map<int32_t, int64_t> weapons;     // position in weaponNames: kills
    std::map<int32_t, Opponent> opponents;  // by career number
  };
  struct Map {
    std::string name;
    std::string slug;
    int64_t matches = 0;
    double length = 0.0;  // seconds, summed
    std::map<int32_t, int64_t> weapons;
    std::map<int32_t, Figures> players;  // by career number
  };
  // A line of the newest matches.
  struct Recent {
    int64_t time = 0;
    int32_t map = 0;
    int32_t gameType = 0;
    std::string winner;
    int32_t players = 0;
  };
  static constexpr size_t kRecent = 20;

  // isNew: the match was merged by this run (its players' pages change).
  void add(const store::ArchivedMatch& m, bool isNew);
  // After the last match: players the ratings know but no archived match shows get an entry,
  // maps get their file names (unique, never "index").
  void finish(const rating::RatingBook* ratings);

  // Win: rank 1 in a free-for-all, on the winning team in a team match.
  static bool won(const store::ArchivedMatch& m, const store::ArchivedPlayer& p);

  std::map<int32_t, Player> players;  // by career number
  std::vector<Map> maps;
  std::vector<std::string> gameTypes;
  std::vector<std::string> weaponNames;
  std::map<int64_t, int64_t> days;  // day since 1970: matches
  std::vector<Recent> recent;       // newest first, at most kRecent
  // Per rating category, how many of its matches were team matches and free-for-alls.
  std::map<size_t, std::pair<int64_t, int64_t>> categoryModes;
  int64_t matches = 0;
  int64_t kills = 0;
  std::set<int32_t> playedNow;  // careers of the matches merged by this run

 private:
  int32_t intern(std::map<std::string, int32_t>& index, std::vector<std::string>& names,
                 const std::string& name);
  int32_t mapOf(const std::string& name);

  std::map<std::string, int32_t> mapIndex;
  std::map<std::string, int32_t> typeIndex;
  std::map<std::string, int32_t> weaponIndex;
};

}  // namespace orvane::programs::Scorex::modern
