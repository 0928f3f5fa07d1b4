// The open data files: every player with his figures and ratings, and every leaderboard.
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

namespace {

std::string number(double v) {
  const std::string s = Html::fixed(v, 6);
  return s == "-" ? "null" : s;
}

std::string ratingJson(const rating::Rating& r) {
  return "\"rating\":" + number(rating::ordinal(r)) + ",\"mu\":" + number(r.mu) +
         ",\"sigma\":" + number(r.sigma);
}

}  // namespace

void Pages::openData(SiteContext& ctx) {
  try {
    const rating::RatingBook* book = ctx.in.ratings;
    std::string j = "{\"program\":" + Html::json(ctx.in.program) + ",\"categories\":[";
    for (size_t c = 0; book != nullptr && c < book->categoryNames().size(); ++c) {
      j += (c ? "," : "") + Html::json(book->categoryNames()[c]);
    }
    j += "],\"players\":[";
    bool first = true;
    for (const auto& [uid, p] : ctx.data.players) {
      j += std::string(first ? "" : ",") + "\n{\"id\":" + std::to_string(uid) +
           ",\"name\":" + Html::json(p.name) + ",\"bot\":" + (p.isABot ? "true" : "false") +
           ",\"page\":\"players/" + std::to_string(uid) +
           ".html\",\"matches\":" + std::to_string(p.all.matches) +
           ",\"wins\":" + std::to_string(p.all.wins) + ",\"frags\":" + std::to_string(p.frags) +
           ",\"kills\":" + std::to_string(p.all.kills) +
           ",\"deaths\":" + std::to_string(p.all.deaths) + ",\"lastSeen\":" +
           (p.all.lastSeen == SiteData::kNever ? std::string("null")
                                               : "\"" + Html::date(p.all.lastSeen) + "\"") +
           ",\"ratings\":[";
      first = false;
      if (book != nullptr) {
        const rating::PlayerRatings pr = book->ratingsOf(uid);
        for (size_t c = 0; c < pr.categories.size(); ++c) {
          j += std::string(c ? "," : "") + "{" + ratingJson(pr.categories[c].rating) +
               ",\"matches\":" + std::to_string(pr.categories[c].matches) + ",\"provisional\":" +
               (pr.categories[c].matches < ctx.in.minMatches ? "true" : "false") + "}";
        }
      }
      j += "]}";
    }
    ctx.files.put("data/players.json", j + "]}\n");

    j = "{\"program\":" + Html::json(ctx.in.program) +
        ",\"minMatches\":" + std::to_string(ctx.in.minMatches) + ",\"categories\":[";
    for (size_t c = 0; book != nullptr && c < book->categoryNames().size(); ++c) {
      j += std::string(c ? "," : "") + "\n{\"name\":" + Html::json(book->categoryNames()[c]) +
           ",\"slug\":\"" + (c < ctx.categorySlugs.size() ? ctx.categorySlugs[c] : "") +
           "\",\"players\":[";
      bool firstRow = true;
      for (const auto& s : book->leaderboard(c, ctx.in.minMatches)) {
        if (s.player == nullptr) continue;
        j += std::string(firstRow ? "" : ",") + "\n{\"rank\":" + std::to_string(s.rank) +
             ",\"id\":" + std::to_string(s.uid) + ",\"name\":" + Html::json(s.player->name) +
             ",\"bot\":" + (s.player->isABot ? "true" : "false") + "," + ratingJson(s.rating) +
             ",\"matches\":" + std::to_string(s.matches) +
             ",\"provisional\":" + (s.provisional ? "true" : "false") + "}";
        firstRow = false;
      }
      j += "]}";
    }
    ctx.files.put("data/leaderboards.json", j + "]}\n");
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.openData: ", e);
  }
}

}  // namespace orvane::programs::Scorex::modern
