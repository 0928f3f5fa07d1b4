// The page and the open data of one archived match.
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "util/Debug.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::modern {

namespace {

std::string teamName(const store::ArchivedMatch& m, int32_t team) {
  if (team < 0 || static_cast<size_t>(team) >= m.teams.size()) return {};
  return m.teams[static_cast<size_t>(team)];
}

std::string jsonNumber(double v, int decimals) {
  const std::string s = Html::fixed(v, decimals);
  return s == "-" ? "null" : s;
}

// (position, count) pairs as JSON arrays, those of positions out of range or no count left out.
std::string pairs(const std::vector<std::pair<int32_t, int32_t>>& list, size_t size) {
  std::string j;
  for (const auto& [at, n] : list) {
    if (at < 0 || static_cast<size_t>(at) >= size || n <= 0) continue;
    j += std::string(j.empty() ? "" : ",") + "[" + std::to_string(at) + "," + std::to_string(n) +
         "]";
  }
  return j;
}

std::string matchJson(const SiteContext& ctx, const store::ArchivedMatch& m) {
  std::string j = "{\"time\":" + std::to_string(m.time) + ",\"date\":\"" + Html::date(m.time) +
                  "\",\"server\":" + Html::json(m.server) + ",\"map\":" + Html::json(m.map) +
                  ",\"gameType\":" + Html::json(m.gameType) +
                  ",\"length\":" + jsonNumber(m.length, 2) +
                  ",\"winningTeam\":" + std::to_string(m.winningTeam) +
                  ",\"winner\":" + Html::json(m.winner) + ",\"teams\":[";
  for (size_t i = 0; i < m.teams.size(); ++i) j += (i ? "," : "") + Html::json(m.teams[i]);
  j += "],\"weapons\":[";
  for (size_t i = 0; i < m.weapons.size(); ++i) j += (i ? "," : "") + Html::json(m.weapons[i]);
  j += "],\"categories\":[";
  for (size_t i = 0; i < m.categories.size(); ++i) {
    const size_t c = m.categories[i];
    j += (i ? "," : "") +
         Html::json(ctx.in.ratings != nullptr && c < ctx.in.ratings->categoryNames().size()
                        ? ctx.in.ratings->categoryNames()[c]
                        : "?");
  }
  j += "],\"players\":[";
  for (size_t i = 0; i < m.players.size(); ++i) {
    const store::ArchivedPlayer& p = m.players[i];
    j += std::string(i ? "," : "") + "\n{\"id\":" + std::to_string(p.uid) +
         ",\"name\":" + Html::json(p.name) + ",\"bot\":" + (p.isABot ? "true" : "false") +
         ",\"team\":" + std::to_string(p.team) + ",\"rank\":" + std::to_string(p.rank) +
         ",\"frags\":" + std::to_string(p.frags) + ",\"kills\":" + std::to_string(p.kills) +
         ",\"deaths\":" + std::to_string(p.deaths) + ",\"suicides\":" + std::to_string(p.suicides) +
         ",\"teamKills\":" + std::to_string(p.teamKills) + ",\"time\":" + jsonNumber(p.time, 2) +
         ",\"win\":" + (SiteData::won(m, p) ? "true" : "false") + ",\"victims\":[";
    j += pairs(p.victims, m.players.size()) + "],\"weaponKills\":[" +
         pairs(p.weaponKills, m.weapons.size());
    j += "],\"ratings\":[";
    for (size_t k = 0; p.rated && k < p.ratings.size(); ++k) {
      const rating::RatingChange& r = p.ratings[k];
      j += std::string(k ? "," : "") + "{\"before\":{\"mu\":" + jsonNumber(r.before.mu, 6) +
           ",\"sigma\":" + jsonNumber(r.before.sigma, 6) +
           ",\"rating\":" + jsonNumber(rating::ordinal(r.before), 6) +
           "},\"after\":{\"mu\":" + jsonNumber(r.after.mu, 6) +
           ",\"sigma\":" + jsonNumber(r.after.sigma, 6) +
           ",\"rating\":" + jsonNumber(rating::ordinal(r.after), 6) + "}}";
    }
    j += "]}";
  }
  return j + "]}\n";
}

std::string matchPage(const SiteContext& ctx, const store::ArchivedMatch& m, bool classic) {
  const std::string stamp = std::to_string(m.time);
  const std::string title = Html::text(m.map) + " on " + Html::date(m.time);
  std::string b;
  b += "<dl class=\"facts\"><dt>Game type</dt><dd>" + Html::text(m.gameType) +
       "</dd><dt>Server</dt><dd>" + Html::text(m.server) + "</dd><dt>Length</dt><dd>" +
       Html::duration(m.length) + "</dd><dt>Result</dt><dd>" +
       (m.winner.empty() ? std::string("no result") : Html::text(m.winner) + " won") +
       "</dd></dl>\n";
  if (classic) {
    b += "<p><a href=\"../" + ctx.classic + "Individual_Game_Stats/" + stamp +
         "/index.html\">The classic page of this match</a></p>\n";
  }
  b += "<p><a href=\"../data/matches/" + stamp + ".json\">This match as JSON</a></p>\n";

  b += "<h2>Scoreboard</h2>\n";
  const bool teams = !m.teams.empty();
  std::vector<Layout::Column> cols{{"Rank", "num"}, {"Name", "text"}};
  if (teams) cols.push_back({"Team", "text"});
  for (const char* c : {"Frags", "Kills", "Deaths", "Suicides", "Team kills"}) {
    cols.push_back({c, "num"});
  }
  cols.push_back({"Time", "num"});
  b += Layout::tableOpen("Scoreboard", "Players by rank", cols, true);
  for (const store::ArchivedPlayer& p : m.players) {
    b += "<tr>" + Layout::numCell(p.rank) + "<td>" + Pages::playerLink("../", p.uid, p.name) +
         (p.isABot ? " <span class=\"tag\">bot</span>" : "") + "</td>";
    if (teams) b += "<td>" + Html::text(teamName(m, p.team)) + "</td>";
    for (const int32_t v : {p.frags, p.kills, p.deaths, p.suicides, p.teamKills}) {
      b += Layout::numCell(v);
    }
    b += Layout::numCell(Html::fixed(p.time, 0), Html::duration(p.time)) + "</tr>\n";
  }
  b += Layout::tableClose();

  if (teams) {
    b += "<h2>Teams</h2>\n<ul class=\"teams\">";
    for (size_t t = 0; t < m.teams.size(); ++t) {
      b += "<li>" + Html::text(m.teams[t]) +
           (static_cast<int32_t>(t) == m.winningTeam ? " <strong>(winner)</strong>" : "") + ": ";
      bool first = true;
      for (const store::ArchivedPlayer& p : m.players) {
        if (p.team != static_cast<int32_t>(t)) continue;
        b += (first ? "" : ", ") + Html::text(p.name);
        first = false;
      }
      b += "</li>";
    }
    b += "</ul>\n";
  }

  if (!m.categories.empty()) {
    b += "<h2>Rating changes</h2>\n";
    b += Layout::tableOpen("Rating changes", "Displayed rating (mu - 3 sigma) before and after",
                           {{"Name", "text"},
                            {"Category", "text"},
                            {"Before", "num"},
                            {"After", "num"},
                            {"Change", "num"}},
                           true);
    for (const store::ArchivedPlayer& p : m.players) {
      for (size_t k = 0; p.rated && k < p.ratings.size() && k < m.categories.size(); ++k) {
        const double before = rating::ordinal(p.ratings[k].before);
        const double after = rating::ordinal(p.ratings[k].after);
        const std::string change = Html::fixed(after - before, 2);
        b += "<tr><td>" + Pages::playerLink("../", p.uid, p.name) + "</td><td>" +
             ctx.categoryName(m.categories[k]) + "</td>" +
             Layout::numCell(Html::fixed(before, 4), Html::fixed(before, 2)) +
             Layout::numCell(Html::fixed(after, 4), Html::fixed(after, 2)) +
             Layout::numCell(Html::fixed(after - before, 4),
                             (after > before && change != "0.00" ? "+" : "") + change) +
             "</tr>\n";
      }
    }
    b += Layout::tableClose();
  }
  return Layout::page(ctx.frame(title,
                                Html::text(m.gameType) + " match on " + Html::text(m.map) + ", " +
                                    std::to_string(m.players.size()) + " players.",
                                "../"),
                      b);
}

}  // namespace

void Pages::match(SiteContext& ctx, const store::ArchivedMatch& m) {
  try {
    const std::string stamp = std::to_string(m.time);
    const std::string page = "matches/" + stamp + ".html";
    const std::string json = "data/matches/" + stamp + ".json";
    const bool isNew = ctx.in.newMatches.count(m.time) != 0;
    const bool classic =
        !ctx.classic.empty() &&
        util::isReadableFile(ctx.in.pageDir + "Individual_Game_Stats/" + stamp + "/index.html");
    // An old match's page is written again only when the classic page it links to is gone.
    bool writePage = isNew || !ctx.files.exists(page);
    if (!writePage && !classic) {
      writePage = ctx.files.read(page).find("Individual_Game_Stats/") != std::string::npos;
    }
    if (writePage) ctx.files.put(page, matchPage(ctx, m, classic));
    if (isNew || !ctx.files.exists(json)) ctx.files.put(json, matchJson(ctx, m));
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.match: ", e);
  }
}

}  // namespace orvane::programs::Scorex::modern
