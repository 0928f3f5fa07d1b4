#include "programs/Scorex/modern/SiteData.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "programs/Scorex/modern/Html.h"

namespace orvane::programs::Scorex::modern {

namespace {

double ordinalOf(const rating::Rating& r) { return rating::ordinal(r); }

void count(SiteData::Figures& f, int64_t time, bool win, int32_t rank, int64_t k, int64_t d) {
  f.matches += 1;
  f.wins += win ? 1 : 0;
  f.kills += k;
  f.deaths += d;
  f.rankSum += rank;
  f.lastSeen = std::max(f.lastSeen, time);
}

}  // namespace

bool SiteData::won(const store::ArchivedMatch& m, const store::ArchivedPlayer& p) {
  if (m.teams.empty()) return p.rank == 1;
  return m.winningTeam >= 0 && p.team == m.winningTeam;
}

int32_t SiteData::intern(std::map<std::string, int32_t>& index, std::vector<std::string>& names,
                         const std::string& name) {
  const auto [it, added] = index.emplace(name, static_cast<int32_t>(names.size()));
  if (added) names.push_back(name);
  return it->second;
}

int32_t SiteData::mapOf(const std::string& name) {
  const auto [it, added] = mapIndex.emplace(name, static_cast<int32_t>(maps.size()));
  if (added) {
    maps.emplace_back();
    maps.back().name = name;
  }
  return it->second;
}

void SiteData::add(const store::ArchivedMatch& m, bool isNew) {
  matches += 1;
  days[Html::dayOf(m.time)] += 1;
  const int32_t map = mapOf(m.map);
  const int32_t type = intern(typeIndex, gameTypes, m.gameType);
  Map& md = maps.at(static_cast<size_t>(map));
  md.matches += 1;
  if (std::isfinite(m.length) && m.length > 0 && m.length < 1e9) md.length += m.length;

  std::vector<int32_t> weaponIds;
  for (const std::string& w : m.weapons) weaponIds.push_back(intern(weaponIndex, weaponNames, w));

  const bool teamMatch = !m.teams.empty();
  for (const uint8_t c : m.categories) {
    auto& modes = categoryModes[c];
    (teamMatch ? modes.first : modes.second) += 1;
  }

  // A career listed twice (he changed team) plays the match once: his best-ranked entry counts
  // for the result, and the counts of both add up.
  std::map<int32_t, size_t> rowOf;
  std::set<std::pair<int32_t, size_t>> rated;  // (career, category) counted in this match
  for (const store::ArchivedPlayer& p : m.players) {
    kills += p.kills;
    Player& pd = players[p.uid];
    if (isNew) playedNow.insert(p.uid);
    pd.name = p.name;
    pd.isABot = p.isABot;
    pd.frags += p.frags;
    const bool win = won(m, p);
    const auto seen = rowOf.find(p.uid);
    if (seen == rowOf.end()) {
      rowOf.emplace(p.uid, pd.rows.size());
      count(pd.all, m.time, win, p.rank, p.kills, p.deaths);
      count(md.players[p.uid], m.time, win, p.rank, p.kills, p.deaths);
      MatchRow row;
      row.time = m.time;
      row.map = map;
      row.gameType = type;
      row.rank = p.rank;
      row.players = static_cast<int32_t>(std::min<size_t>(m.players.size(), 1 << 30));
      row.frags = p.frags;
      row.kills = p.kills;
      row.deaths = p.deaths;
      row.win = win;
      pd.rows.push_back(row);
    } else {
      MatchRow& row = pd.rows.at(seen->second);
      row.frags += p.frags;
      row.kills += p.kills;
      row.deaths += p.deaths;
      pd.all.kills += p.kills;
      pd.all.deaths += p.deaths;
      md.players[p.uid].kills += p.kills;
      md.players[p.uid].deaths += p.deaths;
    }
    if (p.rated) {
      for (size_t k = 0; k < m.categories.size() && k < p.ratings.size(); ++k) {
        const size_t c = m.categories[k];
        if (!rated.emplace(p.uid, c).second) continue;
        count(pd.categories[c], m.time, win, p.rank, p.kills, p.deaths);
        pd.history[c].push_back({m.time, ordinalOf(p.ratings[k].after)});
        if (c == 0) {
          MatchRow& row = pd.rows.at(rowOf.at(p.uid));
          row.rated = true;
          row.change = ordinalOf(p.ratings[k].after) - ordinalOf(p.ratings[k].before);
        }
      }
    }
    for (const auto& [w, n] : p.weaponKills) {
      if (w < 0 || static_cast<size_t>(w) >= weaponIds.size() || n <= 0) continue;
      const int32_t id = weaponIds[static_cast<size_t>(w)];
      pd.weapons[id] += n;
      md.weapons[id] += n;
    }
    for (const auto& [v, n] : p.victims) {
      if (v < 0 || static_cast<size_t>(v) >= m.players.size() || n <= 0) continue;
      const int32_t other = m.players[static_cast<size_t>(v)].uid;
      if (other == p.uid) continue;
      pd.opponents[other].kills += n;
      players[other].opponents[p.uid].deaths += n;
    }
  }

  Recent r;
  r.time = m.time;
  r.map = map;
  r.gameType = type;
  r.winner = m.winner;
  r.players = static_cast<int32_t>(rowOf.size());
  const auto at =
      std::find_if(recent.begin(), recent.end(), [&](const Recent& x) { return x.time < m.time; });
  if (static_cast<size_t>(at - recent.begin()) < kRecent) {
    recent.insert(at, std::move(r));
    if (recent.size() > kRecent) recent.pop_back();
  }
}

void SiteData::finish(const rating::RatingBook* ratings) {
  if (ratings != nullptr) {
    for (const auto& [uid, pr] : ratings->players()) {
      const auto [it, added] = players.try_emplace(uid);
      if (added) {
        it->second.name = pr.name;
        it->second.isABot = pr.isABot;
      }
    }
  }
  // A player whose opponent entry was made by a victim record alone keeps his name empty.
  for (auto& [uid, p] : players) {
    if (p.name.empty()) p.name = "#" + std::to_string(uid);
  }
  std::set<std::string> taken{"index"};
  for (const auto& [name, at] : mapIndex) {
    std::string base = Html::slug(name);
    if (base.empty()) base = "map";
    std::string slug = base;
    for (int32_t n = 2; !taken.insert(slug).second; ++n) slug = base + "-" + std::to_string(n);
    maps.at(static_cast<size_t>(at)).slug = slug;
  }
}

}  // namespace orvane::programs::Scorex::modern
