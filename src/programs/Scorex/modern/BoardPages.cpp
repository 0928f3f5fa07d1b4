// The leaderboards (one page per rating category) and the map pages.
#include <algorithm>
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "programs/Scorex/modern/Svg.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

namespace {

constexpr size_t kBestOnMap = 10;

// Win rates suit a category of mostly team matches, average ranks one of free-for-alls.
bool showsWinRate(const SiteContext& ctx, size_t c) {
  const auto it = ctx.data.categoryModes.find(c);
  return it == ctx.data.categoryModes.end() || it->second.first >= it->second.second;
}

std::string boardTable(const SiteContext& ctx, size_t c,
                       const std::vector<rating::RatingBook::Standing>& board, bool bots) {
  const bool winRate = showsWinRate(ctx, c);
  const std::string what = bots ? "Bots" : "Players";
  std::string b = Layout::tableOpen(what + ", " + ctx.categoryName(c),
                                    what + " by rating, " + ctx.categoryName(c),
                                    {{"Rank", "num"},
                                     {"Name", "text"},
                                     {"Rating", "num"},
                                     {"Matches", "num"},
                                     {winRate ? "Win rate" : "Average rank", "num"},
                                     {"K/D", "num"},
                                     {"Last seen", "text"}},
                                    true);
  int32_t rank = 0;
  for (const auto& s : board) {
    if (s.player == nullptr || s.player->isABot != bots) continue;
    ++rank;
    SiteData::Figures f;
    const auto p = ctx.data.players.find(s.uid);
    if (p != ctx.data.players.end()) {
      const auto it = p->second.categories.find(c);
      if (it != p->second.categories.end()) f = it->second;
    }
    const double ord = rating::ordinal(s.rating);
    const double avg =
        f.matches > 0 ? static_cast<double>(f.rankSum) / static_cast<double>(f.matches) : 0.0;
    const double kd = Pages::kdValue(f.kills, f.deaths);
    b += "<tr>" + Layout::numCell(rank) + "<td>" + Pages::playerLink("../", s.uid, s.player->name) +
         "</td>" +
         Layout::numCell(
             Html::fixed(ord, 4),
             Html::fixed(ord, 2) +
                 (s.provisional ? " <span class=\"tag\" title=\"provisional\">provisional</span>"
                                : "")) +
         Layout::numCell(s.matches) +
         (winRate ? Layout::numCell(Pages::percent(f.wins, f.matches),
                                    Pages::percent(f.wins, f.matches) + " %")
                  : Layout::numCell(Html::fixed(avg, 2), Html::fixed(avg, 2))) +
         Layout::numCell(Html::fixed(kd, 4), Html::fixed(kd, 2)) + "<td>" +
         (f.lastSeen == SiteData::kNever ? "-" : Html::date(f.lastSeen)) + "</td></tr>\n";
  }
  if (rank == 0) {
    b += "<tr><td colspan=\"7\">No rated " + std::string(bots ? "bots" : "players") +
         " yet.</td></tr>\n";
  }
  return b + Layout::tableClose();
}

}  // namespace

void Pages::leaderboards(SiteContext& ctx) {
  try {
    std::string index = "<ul class=\"link-list\">";
    for (size_t c = 0; c < ctx.categorySlugs.size(); ++c) {
      index +=
          "<li><a href=\"" + ctx.categorySlugs[c] + ".html\">" + ctx.categoryName(c) + "</a></li>";
      const auto board = ctx.in.ratings->leaderboard(c, ctx.in.minMatches);
      std::string b =
          "<p>Skill ratings (mu - 3 sigma, Weng-Lin with the Plackett-Luce model). A rating is provisional below " +
          std::to_string(ctx.in.minMatches) + " rated matches.</p>\n";
      b += boardTable(ctx, c, board, false);
      b += "<h2>Bots</h2>\n" + boardTable(ctx, c, board, true);
      ctx.files.put(
          "leaderboards/" + ctx.categorySlugs[c] + ".html",
          Layout::page(
              ctx.frame("Leaderboard: " + ctx.categoryName(c),
                        "Skill ratings of " + ctx.site + ", " + ctx.categoryName(c) + ".", "../"),
              b));
    }
    index += "</ul>\n";
    if (ctx.categorySlugs.empty()) index = "<p>No ratings yet.</p>\n";
    ctx.files.put("leaderboards/index.html",
                  Layout::page(ctx.frame("Leaderboards",
                                         "Skill rating leaderboards of " + ctx.site + ".", "../"),
                               index));
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.leaderboards: ", e);
  }
}

void Pages::maps(SiteContext& ctx) {
  try {
    const SiteData& d = ctx.data;
    std::vector<size_t> order(d.maps.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return d.maps[a].name < d.maps[b].name; });
    std::string index =
        Layout::tableOpen("Maps", "Every map played",
                          {{"Map", "text"}, {"Matches", "num"}, {"Average length", "num"}}, true);
    for (const size_t i : order) {
      const SiteData::Map& m = d.maps[i];
      const double avg = m.matches > 0 ? m.length / static_cast<double>(m.matches) : 0.0;
      index += "<tr><td><a href=\"" + m.slug + ".html\">" + Html::text(m.name) + "</a></td>" +
               Layout::numCell(m.matches) +
               Layout::numCell(Html::fixed(avg, 0), Html::duration(avg)) + "</tr>\n";

      std::string b = "<dl class=\"facts\"><dt>Matches</dt><dd>" + std::to_string(m.matches) +
                      "</dd><dt>Average length</dt><dd>" + Html::duration(avg) + "</dd></dl>\n";
      std::vector<std::pair<int32_t, SiteData::Figures>> best(m.players.begin(), m.players.end());
      std::stable_sort(best.begin(), best.end(), [](const auto& a, const auto& b2) {
        if (a.second.wins != b2.second.wins) return a.second.wins > b2.second.wins;
        return a.second.kills > b2.second.kills;
      });
      if (best.size() > kBestOnMap) best.resize(kBestOnMap);
      b += "<h2>Best players</h2>\n";
      b += Layout::tableOpen(
          "Best players", "Most wins on this map",
          {{"Name", "text"}, {"Matches", "num"}, {"Wins", "num"}, {"Kills", "num"}, {"K/D", "num"}},
          true);
      for (const auto& [uid, f] : best) {
        const auto p = d.players.find(uid);
        const double kd = Pages::kdValue(f.kills, f.deaths);
        b += "<tr><td>" +
             Pages::playerLink("../", uid, p == d.players.end() ? "?" : p->second.name) + "</td>" +
             Layout::numCell(f.matches) + Layout::numCell(f.wins) + Layout::numCell(f.kills) +
             Layout::numCell(Html::fixed(kd, 4), Html::fixed(kd, 2)) + "</tr>\n";
      }
      b += Layout::tableClose();
      std::vector<std::pair<int64_t, int32_t>> weapons;
      for (const auto& [w, n] : m.weapons) weapons.emplace_back(-n, w);
      std::sort(weapons.begin(), weapons.end());
      std::vector<Svg::Point> bars;
      for (const auto& [n, w] : weapons) {
        if (bars.size() == 12) break;
        bars.push_back(
            {Html::text(d.weaponNames.at(static_cast<size_t>(w))), static_cast<double>(-n)});
      }
      b += "<h2>Weapons used</h2>\n" +
           Svg::barChart("weapons-title", "Kills per weapon on this map",
                         "Kills per weapon on " + Html::text(m.name) + ".", bars);
      ctx.files.put(
          "maps/" + m.slug + ".html",
          Layout::page(
              ctx.frame("Map " + Html::text(m.name),
                        "Matches, best players and weapons on " + Html::text(m.name) + ".", "../"),
              b));
    }
    index += Layout::tableClose();
    ctx.files.put(
        "maps/index.html",
        Layout::page(ctx.frame("Maps", "Every map played on " + ctx.site + ".", "../"), index));
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.maps: ", e);
  }
}

}  // namespace orvane::programs::Scorex::modern
