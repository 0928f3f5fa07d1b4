#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "programs/Scorex/rating/PlackettLuce.h"
#include "util/BigEndian.h"

namespace orvane::programs::Scorex::rating {

// One player's rating in one category before and after a match.
struct RatingChange {
  Rating before;
  Rating after;
};

// A player's skill rating in every category of his module, and how many rated matches of each
// category he has played.
struct PlayerRatings {
  struct Category {
    Rating rating;
    int32_t matches = 0;
  };
  std::string name;
  bool isABot = false;
  std::vector<Category> categories;
};

// The skill ratings of every rated career of a module, by career number, and the rating of a
// match's players. A category is "Overall" (every match) or one game-type group.
//
// File bytes (big-endian, texts as an int length and their bytes): "SCXRATE1", int categories,
// their names (texts), int players, then per player in career-number order: int career number,
// text name, byte bot, and per category double mu, double sigma, int rated matches.
class RatingBook {
 public:
  static constexpr std::string_view kMagic = "SCXRATE1";

  explicit RatingBook(std::vector<std::string> categoryNames) : names(std::move(categoryNames)) {}

  // A player of a match as the rating sees him. Players of one side (a team, or a player
  // alone in a free-for-all) share its place (1 is the best; equal places are ties); weight is
  // the share of the match he played.
  struct Entrant {
    int32_t uid = 0;
    std::string name;
    bool isABot = false;
    int32_t side = 0;
    int32_t place = 1;
    double weight = 1.0;
  };

  // Rates a match in each of the categories (positions in the category names) and returns
  // every entrant's change per category, in the entrants' order. A match of fewer than two
  // sides changes nothing and returns nothing.
  std::vector<std::vector<RatingChange>> rate(const std::vector<Entrant>& entrants,
                                              const std::vector<size_t>& categories);

  // Replaces the book by the one the bytes hold; reading stops at the first failure, keeping
  // the players read before it (the reader is then marked failed).
  void read(util::BigEndianReader& in);
  void write(util::BigEndianWriter& out) const;

  // One line of a category's leaderboard.
  struct Standing {
    int32_t rank = 0;
    int32_t uid = 0;
    const PlayerRatings* player = nullptr;
    Rating rating;
    int32_t matches = 0;
    bool provisional = false;
  };
  // The leaderboard of a category: every player with a rated match there, the highest
  // displayed rating (ordinal) first, then the higher mu, then the lower career number;
  // provisional below minMatches rated matches.
  std::vector<Standing> leaderboard(size_t category, int32_t minMatches) const;

  const std::vector<std::string>& categoryNames() const { return names; }
  const std::map<int32_t, PlayerRatings>& players() const { return book; }
  // The player's ratings (the defaults for a career never rated).
  PlayerRatings ratingsOf(int32_t uid) const;

  Model model;

 private:
  std::vector<std::string> names;
  std::map<int32_t, PlayerRatings> book;
};

}  // namespace orvane::programs::Scorex::rating
