// A page per player: ratings and their history, weapons, opponents and his newest archived
// matches; his older matches on pages of 50 that never change once full, so that a run rewrites
// one history page of a player who played, however long his career.
#include <algorithm>
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "programs/Scorex/modern/Svg.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

namespace {

constexpr size_t kRowsPerPage = 50;
constexpr size_t kChartPoints = 300;
constexpr size_t kOpponents = 10;

// The player's page (chunk 0), or the page of his chunk-th 50 matches in archive order, counted
// from his first ("<uid>-1.html" holds matches 1 to 50).
std::string pageName(int32_t uid, size_t chunk) {
  return std::to_string(uid) + (chunk == 0 ? "" : "-" + std::to_string(chunk)) + ".html";
}

// At most kChartPoints of the history, evenly spread, always the first and the last.
std::vector<Svg::Point> chartPoints(const std::vector<SiteData::RatingPoint>& h) {
  std::vector<Svg::Point> out;
  const size_t n = h.size();
  const size_t shown = std::min(n, kChartPoints);
  for (size_t i = 0; i < shown; ++i) {
    const size_t at = shown == 1 ? n - 1 : i * (n - 1) / (shown - 1);
    out.push_back({Html::date(h[at].time), h[at].rating});
  }
  return out;
}

std::string ratingsSection(const SiteContext& ctx, int32_t uid, const SiteData::Player& p) {
  if (ctx.in.ratings == nullptr) return {};
  const rating::PlayerRatings pr = ctx.in.ratings->ratingsOf(uid);
  std::string b = "<h2>Ratings</h2>\n";
  b += Layout::tableOpen(
      "Ratings", "Skill rating per category (mu - 3 sigma)",
      {{"Category", ""}, {"Rating", ""}, {"Mu", ""}, {"Sigma", ""}, {"Rated matches", ""}}, false);
  for (size_t c = 0; c < pr.categories.size() && c < ctx.categorySlugs.size(); ++c) {
    const auto& cat = pr.categories[c];
    if (cat.matches == 0) continue;
    b += "<tr><td><a href=\"../leaderboards/" + ctx.categorySlugs[c] + ".html\">" +
         ctx.categoryName(c) + "</a></td><td class=\"num\">" +
         Html::fixed(rating::ordinal(cat.rating), 2) +
         (cat.matches < ctx.in.minMatches ? " <span class=\"tag\">provisional</span>" : "") +
         "</td><td class=\"num\">" + Html::fixed(cat.rating.mu, 2) + "</td><td class=\"num\">" +
         Html::fixed(cat.rating.sigma, 2) + "</td><td class=\"num\">" +
         std::to_string(cat.matches) + "</td></tr>\n";
  }
  b += Layout::tableClose();
  for (const auto& [c, history] : p.history) {
    const std::string name = ctx.categoryName(c);
    b += Svg::lineChart("rating-" + std::to_string(c), "Rating history, " + name,
                        name + ": displayed rating after each rated match (" +
                            std::to_string(history.size()) + " matches).",
                        chartPoints(history));
  }
  return b;
}

std::string opponentsTable(const SiteContext& ctx, const SiteData::Player& p, bool best) {
  std::vector<std::pair<int32_t, SiteData::Opponent>> list(p.opponents.begin(), p.opponents.end());
  const auto key = [best](const SiteData::Opponent& o) { return best ? o.kills : o.deaths; };
  std::stable_sort(list.begin(), list.end(),
                   [&](const auto& a, const auto& b) { return key(a.second) > key(b.second); });
  while (!list.empty() && key(list.back().second) <= 0) list.pop_back();
  if (list.size() > kOpponents) list.resize(kOpponents);
  const std::string what = best ? "Best opponents" : "Worst opponents";
  std::string b = "<h2>" + what + "</h2>\n";
  if (list.empty()) return b + "<p>None yet.</p>\n";
  b += Layout::tableOpen(what,
                         best ? "The players he killed most" : "The players who killed him most",
                         {{"Name", "text"}, {"Kills against", "num"}, {"Deaths by", "num"}}, true);
  for (const auto& [uid, o] : list) {
    const auto it = ctx.data.players.find(uid);
    b += "<tr><td>" +
         Pages::playerLink("../", uid, it == ctx.data.players.end() ? "?" : it->second.name) +
         "</td>" + Layout::numCell(o.kills) + Layout::numCell(o.deaths) + "</tr>\n";
  }
  return b + Layout::tableClose();
}

std::string historyTable(const SiteContext& ctx, const std::vector<const SiteData::MatchRow*>& rows,
                         size_t from, size_t to) {
  std::string b = Layout::tableOpen(
      "Match history",
      "Matches " + std::to_string(from + 1) + " to " + std::to_string(to) + ", newest first",
      {{"Date", "text"},
       {"Map", "text"},
       {"Game type", "text"},
       {"Rank", "num"},
       {"Result", "text"},
       {"Frags", "num"},
       {"Kills", "num"},
       {"Deaths", "num"},
       {"Rating change", "num"}},
      true);
  for (size_t i = from; i < to; ++i) {
    const SiteData::MatchRow& r = *rows[i];
    const std::string change = r.rated ? Html::fixed(r.change, 2) : "";
    b += "<tr><td><a href=\"../matches/" + std::to_string(r.time) + ".html\">" +
         Html::date(r.time) + "</a></td><td>" +
         Html::text(ctx.data.maps.at(static_cast<size_t>(r.map)).name) + "</td><td>" +
         Html::text(ctx.data.gameTypes.at(static_cast<size_t>(r.gameType))) + "</td>" +
         Layout::numCell(std::to_string(r.rank),
                         std::to_string(r.rank) + " of " + std::to_string(r.players)) +
         "<td>" + (r.win ? "won" : "") + "</td>" + Layout::numCell(r.frags) +
         Layout::numCell(r.kills) + Layout::numCell(r.deaths) +
         Layout::numCell(r.rated ? Html::fixed(r.change, 4) : "0",
                         (r.rated && r.change > 0 && change != "0.00" ? "+" : "") + change) +
         "</tr>\n";
  }
  return b + Layout::tableClose();
}

// Links to the newer and the older history page; chunk 0 is the player's page, full the number
// of full chunks before it.
std::string pager(int32_t uid, size_t chunk, size_t full) {
  if (full == 0) return {};
  const size_t newer = chunk == 0 ? 0 : (chunk == full ? 0 : chunk + 1);
  const size_t older = chunk == 0 ? full : chunk - 1;
  std::string b = "<nav class=\"pager\" aria-label=\"Match history pages\"><ul>";
  if (chunk != 0) {
    b += "<li><a href=\"" + pageName(uid, newer) + "\">Newer matches</a></li>";
  }
  if (older != 0) {
    b += "<li><a href=\"" + pageName(uid, older) + "\">Older matches</a></li>";
  }
  return b + "</ul></nav>\n";
}

void writePlayer(SiteContext& ctx, int32_t uid, const SiteData::Player& p) {
  const std::string name = Html::text(p.name);
  // Full chunks of 50 in archive order (never changing), then the newest 1 to 50 matches on
  // the player's own page; each page newest first.
  const size_t full = p.rows.empty() ? 0 : (p.rows.size() - 1) / kRowsPerPage;
  const auto rowsOf = [&p](size_t from, size_t to) {
    std::vector<const SiteData::MatchRow*> rows;
    for (size_t i = from; i < to; ++i) rows.push_back(&p.rows[i]);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto* a, const auto* b) { return a->time > b->time; });
    return rows;
  };
  const std::string kind = p.isABot ? "Bot" : "Player";

  std::string b =
      "<dl class=\"facts\"><dt>Career number</dt><dd>" + std::to_string(uid) +
      "</dd><dt>Matches</dt><dd>" + std::to_string(p.all.matches) + "</dd><dt>Wins</dt><dd>" +
      std::to_string(p.all.wins) + " (" + Pages::percent(p.all.wins, p.all.matches) +
      " %)</dd><dt>Kills</dt><dd>" + std::to_string(p.all.kills) + "</dd><dt>Deaths</dt><dd>" +
      std::to_string(p.all.deaths) + "</dd><dt>K/D</dt><dd>" +
      Pages::kd(p.all.kills, p.all.deaths) + "</dd><dt>Last seen</dt><dd>" +
      (p.all.lastSeen == SiteData::kNever ? "-" : Html::date(p.all.lastSeen)) + "</dd></dl>\n";
  b += ratingsSection(ctx, uid, p);
  std::vector<std::pair<int64_t, int32_t>> weapons;
  for (const auto& [w, n] : p.weapons) weapons.emplace_back(-n, w);
  std::sort(weapons.begin(), weapons.end());
  std::vector<Svg::Point> bars;
  for (const auto& [n, w] : weapons) {
    if (bars.size() == 12) break;
    bars.push_back(
        {Html::text(ctx.data.weaponNames.at(static_cast<size_t>(w))), static_cast<double>(-n)});
  }
  b += "<h2>Weapons</h2>\n" + Svg::barChart("weapons-title", "Kills per weapon",
                                            "Kills per weapon over all archived matches.", bars);
  b += opponentsTable(ctx, p, true) + opponentsTable(ctx, p, false);

  // The player's page is rewritten whenever he plays. A full chunk never changes once written,
  // but for the one before a chunk that is new: its link to newer matches now leads there.
  const bool newChunk = full > 0 && !ctx.files.exists("players/" + pageName(uid, full));
  for (size_t chunk = 0; chunk <= full; ++chunk) {
    const bool linksToNew = newChunk && chunk + 1 == full;
    if (chunk != 0 && !linksToNew && ctx.files.exists("players/" + pageName(uid, chunk))) {
      continue;
    }
    const size_t from = chunk == 0 ? full * kRowsPerPage : (chunk - 1) * kRowsPerPage;
    const size_t to = chunk == 0 ? p.rows.size() : chunk * kRowsPerPage;
    const std::vector<const SiteData::MatchRow*> rows = rowsOf(from, to);
    std::string body =
        chunk == 0 ? b : "<p><a href=\"" + pageName(uid, 0) + "\">Back to " + name + "</a></p>\n";
    body += "<h2>Match history</h2>\n" + pager(uid, chunk, full);
    body +=
        rows.empty() ? "<p>No archived match yet.</p>\n" : historyTable(ctx, rows, 0, rows.size());
    body += pager(uid, chunk, full);
    const std::string title =
        chunk == 0 ? name
                   : name + ", matches " + std::to_string(from + 1) + " to " + std::to_string(to);
    ctx.files.put(
        "players/" + pageName(uid, chunk),
        Layout::page(
            ctx.frame(title, kind + " " + name + ": ratings, matches, weapons and opponents.",
                      "../"),
            body));
  }
}

}  // namespace

void Pages::players(SiteContext& ctx) {
  for (const auto& [uid, p] : ctx.data.players) {
    try {
      // A career's page changes only when he plays: his name, figures and ratings are his own.
      if (ctx.data.playedNow.count(uid) == 0 && ctx.files.exists("players/" + pageName(uid, 0))) {
        continue;
      }
      writePlayer(ctx, uid, p);
    } catch (const std::exception& e) {
      util::Debug::report("Error in ModernSite.players: ", e);
    }
  }
}

}  // namespace orvane::programs::Scorex::modern
