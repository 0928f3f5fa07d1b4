#include "programs/Scorex/rating/RatingBook.h"

#include <algorithm>
#include <cmath>

#include "util/Failure.h"
#include "util/Wrap.h"

namespace orvane::programs::Scorex::rating {

PlayerRatings RatingBook::ratingsOf(int32_t uid) const {
  const auto it = book.find(uid);
  if (it != book.end()) return it->second;
  PlayerRatings fresh;
  fresh.categories.assign(names.size(), {{model.mu, model.sigma}, 0});
  return fresh;
}

std::vector<std::vector<RatingChange>> RatingBook::rate(const std::vector<Entrant>& entrants,
                                                        const std::vector<size_t>& categories) {
  // The sides in order of first appearance, each with its entrants.
  std::vector<int32_t> sides;
  std::vector<std::vector<size_t>> members;
  std::vector<int32_t> places;
  for (size_t i = 0; i < entrants.size(); ++i) {
    const auto at = std::find(sides.begin(), sides.end(), entrants[i].side);
    if (at == sides.end()) {
      sides.push_back(entrants[i].side);
      members.push_back({i});
      places.push_back(entrants[i].place);
    } else {
      members[static_cast<size_t>(at - sides.begin())].push_back(i);
    }
  }
  if (sides.size() < 2) return {};

  std::vector<std::vector<RatingChange>> changes(entrants.size());
  for (const size_t c : categories) {
    if (c >= names.size()) continue;
    std::vector<std::vector<Member>> teams(sides.size());
    for (size_t s = 0; s < sides.size(); ++s) {
      for (const size_t i : members[s]) {
        const auto it = book.find(entrants[i].uid);
        const Rating r =
            it != book.end() ? it->second.categories.at(c).rating : Rating{model.mu, model.sigma};
        teams[s].push_back({r, entrants[i].weight});
      }
    }
    const std::vector<std::vector<Rating>> after = ratePlackettLuce(teams, places, model);
    for (size_t s = 0; s < sides.size(); ++s) {
      for (size_t k = 0; k < members[s].size(); ++k) {
        const Entrant& e = entrants[members[s][k]];
        auto [it, fresh] = book.try_emplace(e.uid);
        PlayerRatings& p = it->second;
        if (fresh) p.categories.assign(names.size(), {{model.mu, model.sigma}, 0});
        p.name = e.name;
        p.isABot = e.isABot;
        PlayerRatings::Category& pc = p.categories.at(c);
        changes[members[s][k]].push_back({teams[s][k].rating, after.at(s).at(k)});
        pc.rating = after[s][k];
        util::addTo(pc.matches, 1);
      }
    }
  }
  return changes;
}

std::vector<RatingBook::Standing> RatingBook::leaderboard(size_t category,
                                                          int32_t minMatches) const {
  std::vector<Standing> board;
  if (category >= names.size()) return board;
  for (const auto& [uid, p] : book) {
    const PlayerRatings::Category& c = p.categories.at(category);
    if (c.matches <= 0) continue;
    board.push_back({0, uid, &p, c.rating, c.matches, c.matches < minMatches});
  }
  std::sort(board.begin(), board.end(), [](const Standing& a, const Standing& b) {
    const double oa = ordinal(a.rating);
    const double ob = ordinal(b.rating);
    if (oa != ob) return oa > ob;
    if (a.rating.mu != b.rating.mu) return a.rating.mu > b.rating.mu;
    return a.uid < b.uid;
  });
  for (size_t i = 0; i < board.size(); ++i) board[i].rank = static_cast<int32_t>(i) + 1;
  return board;
}

void RatingBook::read(util::BigEndianReader& in) {
  book.clear();
  if (in.readBytes(kMagic.size()) != kMagic) {
    throw util::Failure(util::Failure::kIO, "not a ratings file");
  }
  const int32_t count = in.readInt();
  // A book without categories of its own (a reader's) takes the file's.
  if (names.empty() && count >= 0 && static_cast<size_t>(count) <= in.remaining() / 4) {
    for (int32_t i = 0; i < count; ++i) names.push_back(in.readText(in.remaining()));
  } else if (count < 0 || static_cast<size_t>(count) != names.size()) {
    throw util::Failure(util::Failure::kIO, "ratings of " + std::to_string(count) +
                                                " categories where " +
                                                std::to_string(names.size()) + " are kept");
  } else {
    for (const std::string& n : names) {
      if (in.readText(in.remaining()) != n) {
        throw util::Failure(util::Failure::kIO, "the ratings' categories are not this module's");
      }
    }
  }
  const int32_t players = in.readInt();
  for (int32_t i = 0; i < players; ++i) {
    const int32_t uid = in.readInt();
    PlayerRatings p;
    p.name = in.readText(in.remaining());
    p.isABot = in.readBool();
    p.categories.resize(names.size());
    for (PlayerRatings::Category& c : p.categories) {
      c.rating.mu = in.readDouble();
      c.rating.sigma = in.readDouble();
      c.matches = in.readInt();
      // Only damage makes a rating that is not a finite number with a sigma of 0 or more.
      if (!std::isfinite(c.rating.mu) || !std::isfinite(c.rating.sigma) || c.rating.sigma < 0) {
        in.markFailed();
        throw util::Failure(util::Failure::kIO,
                            "a rating that is no number, of career " + std::to_string(uid));
      }
    }
    book[uid] = std::move(p);
  }
}

void RatingBook::write(util::BigEndianWriter& out) const {
  out.writeBytes(kMagic);
  out.writeInt(static_cast<int32_t>(names.size()));
  for (const std::string& n : names) out.writeText(n);
  out.writeInt(static_cast<int32_t>(book.size()));
  for (const auto& [uid, p] : book) {
    out.writeInt(uid);
    out.writeText(p.name);
    out.writeBool(p.isABot);
    for (const PlayerRatings::Category& c : p.categories) {
      out.writeDouble(c.rating.mu);
      out.writeDouble(c.rating.sigma);
      out.writeInt(c.matches);
    }
  }
}

}  // namespace orvane::programs::Scorex::rating
