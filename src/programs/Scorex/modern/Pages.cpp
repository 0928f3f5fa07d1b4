#include "programs/Scorex/modern/Pages.h"

#include <algorithm>
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Svg.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

std::string Pages::playerLink(const std::string& root, int32_t uid, const std::string& name) {
  return "<a href=\"" + root + "players/" + std::to_string(uid) + ".html\">" + Html::text(name) +
         "</a>";
}

double Pages::kdValue(int64_t kills, int64_t deaths) {
  return deaths != 0 ? static_cast<double>(kills) / static_cast<double>(deaths)
                     : static_cast<double>(kills);
}

std::string Pages::kd(int64_t kills, int64_t deaths) {
  return Html::fixed(kdValue(kills, deaths), 2);
}

std::string Pages::percent(int64_t part, int64_t whole) {
  return whole > 0 ? Html::fixed(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1)
                   : "0.0";
}

void Pages::home(SiteContext& ctx) {
  try {
    const SiteData& d = ctx.data;
    std::string body;
    body += "<section class=\"totals\"><h2>Totals</h2><ul class=\"figures\">";
    body += "<li><strong>" + Html::num(d.matches) + "</strong> matches</li>";
    body += "<li><strong>" + Html::num(static_cast<int64_t>(d.players.size())) +
            "</strong> players</li>";
    body += "<li><strong>" + Html::num(static_cast<int64_t>(d.maps.size())) + "</strong> maps</li>";
    body += "<li><strong>" + Html::num(d.kills) + "</strong> kills</li></ul></section>\n";

    // Matches per day over the 30 days up to the last day played.
    std::vector<Svg::Point> days;
    if (!d.days.empty()) {
      const int64_t last = d.days.rbegin()->first;
      for (int64_t day = last - 29; day <= last; ++day) {
        const auto it = d.days.find(day);
        days.push_back(
            {Html::dayText(day), it == d.days.end() ? 0.0 : static_cast<double>(it->second)});
      }
    }
    body += "<section><h2>Activity</h2>\n";
    body += Svg::columnChart("activity-title", "Matches per day",
                             "Matches per day over the last 30 days of play.", days);
    body += "</section>\n";

    body += "<section><h2>Last matches</h2>\n";
    body += Layout::tableOpen(
        "Last matches", "The newest matches",
        {{"Date", ""}, {"Map", ""}, {"Game type", ""}, {"Players", ""}, {"Winner", ""}}, false);
    for (const SiteData::Recent& r : d.recent) {
      body += "<tr><td><a href=\"matches/" + std::to_string(r.time) + ".html\">" +
              Html::date(r.time) + "</a></td><td>" +
              Html::text(d.maps.at(static_cast<size_t>(r.map)).name) + "</td><td>" +
              Html::text(d.gameTypes.at(static_cast<size_t>(r.gameType))) + "</td>" +
              Layout::numCell(r.players) + "<td>" + Html::text(r.winner) + "</td></tr>\n";
    }
    body += Layout::tableClose() + "</section>\n";

    if (ctx.in.ratings != nullptr) {
      body += "<section><h2>Top rated</h2>\n<div class=\"cards\">\n";
      for (size_t c = 0; c < ctx.categorySlugs.size(); ++c) {
        const auto board = ctx.in.ratings->leaderboard(c, ctx.in.minMatches);
        body += "<div class=\"card\"><h3><a href=\"leaderboards/" + ctx.categorySlugs[c] +
                ".html\">" + ctx.categoryName(c) + "</a></h3><ol>";
        size_t shown = 0;
        for (const auto& s : board) {
          if (shown == 5) break;
          if (s.player == nullptr || s.player->isABot) continue;
          body += "<li>" + playerLink("", s.uid, s.player->name) + " " +
                  Html::fixed(rating::ordinal(s.rating), 2) + (s.provisional ? "*" : "") + "</li>";
          ++shown;
        }
        if (shown == 0) body += "<li>No rated humans yet</li>";
        body += "</ol></div>\n";
      }
      body += "</div><p class=\"note\">* provisional: fewer than " +
              std::to_string(ctx.in.minMatches) + " rated matches.</p></section>\n";
    }
    ctx.files.put(
        "index.html",
        Layout::page(
            ctx.frame(ctx.site,
                      "Match statistics and skill ratings of the " + ctx.site + " server.", ""),
            body));
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.home: ", e);
  }
}

}  // namespace orvane::programs::Scorex::modern
