#include "games/zln/Game.h"

#include <algorithm>
#include <array>
#include <exception>

#include "util/Debug.h"
#include "util/Numbers.h"
#include "util/Wrap.h"

namespace orvane::games::zln {

using games::Overloaded;
using util::Debug;

namespace {

// The text after the last "." (all of it when there is none).
std::string lastPart(const std::string& v) {
  const size_t dot = v.rfind('.');
  return dot == std::string::npos ? v : v.substr(dot + 1);
}

// Classes and mutators of the game itself: a match played with others is not an official one.
constexpr std::array<std::string_view, 6> kOfficialClasses = {
    "DeathMatchPlus", "TeamGamePlus", "CTFGame", "Domination", "Assault", "LastManStanding"};
constexpr std::array<std::string_view, 11> kOfficialMutators = {
    "DMMutator",   "ChainsawMelee", "FlakArena", "PulseArena", "RocketArena", "ShockArena",
    "SniperArena", "InstaGibDM",    "LowGrav",   "NoPowerups", "NoRedeemer"};

bool isType(int32_t gameType, std::string_view name) {
  return gameType >= 0 && static_cast<size_t>(gameType) < Specs::kGames &&
         Specs::games[static_cast<size_t>(gameType)] == name;
}

}  // namespace

Game::Game(std::string_view logData) { build(logData); }

bool Game::applyEvent(const Event& event, const Event* next) {
  bool ended = false;
  const auto player = [&](int32_t pNum, const char* prefix, auto act) {
    onPlayer(pNum, "", prefix, act);
  };
  event.visit(Overloaded{
      [&](const EIGet& e) {
        onPlayer(e.pNum, "Error: Item Get", "Error in Game.hIGet ",
                 [&](Player& p) { p.gotItem(Specs::iloc(e.item)); });
      },
      [&](const EIActivate& e) {
        onPlayer(e.pNum, "Error: Item Activate " + std::to_string(e.pNum),
                 "Error in Game.hIActivate ", [&](Player& p) { p.actItem(e.item, e.time); });
      },
      [&](const EIDeactivate& e) {
        player(e.pNum, "Error in Game.hIDeactivate ",
               [&](Player& p) { p.deactItem(e.item, e.time); });
      },
      [&](const EKill& e) { hKill(e, next); },
      [&](const ETKill& e) { hTKill(e, next); },
      [&](const ESuicide& e) { hSuicide(e); },
      [&](const EPConnect& e) { hPConnect(e); },
      [&](const EPSkill& e) { hPSkill(e); },
      [&](const EPDisconnect& e) { hPDisconnect(e); },
      [&](const EPRename& e) {
        player(e.pNum, "Error in Game.hPRename ", [&](Player& p) {
          p.name = e.name;
          p.secret = e.secret;
        });
      },
      [&](const EPBot& e) {
        player(e.pNum, "Error in Game.hPBot ", [&](Player& p) { p.isABot = e.isABot; });
      },
      [&](const EPPing& e) {
        player(e.pNum, "Error in Game.hPPing ", [&](Player& p) { p.addPing(e.ping); });
      },
      [&](const EPTeam& e) { hPTeam(e); },
      [&](const EPTeamName& e) { hPTeamName(e); },
      [&](const EFTaken& e) { hFCarried(e, true); },
      [&](const EFPickedup& e) { hFCarried(e, false); },
      [&](const EFDropped& e) {
        player(e.pNum, "Error in Game.hFDropped ", [](Player& p) { p.fDropped(); });
      },
      [&](const EFReturned& e) { hFReturned(e); },
      [&](const EFReturnedt& e) { dropCarriers(e.team, [](Player&) {}); },
      [&](const EFCaptured& e) { hFCaptured(e); },
      [&](const EHeadShot& e) { hHeadShot(e); },
      [&](const ETrans& e) {
        player(e.pNum, "Error in Game.hTrans ", [](Player& p) { p.trans(); });
      },
      [&](const ETransThrow& e) {
        player(e.pNum, "Error in Game.hTransThrow ", [](Player& p) { p.transThrow(); });
      },
      [&](const ETransFail& e) {
        player(e.pNum, "Error in Game.hTransFail ", [](Player& p) { p.transFail(); });
      },
      [&](const EDScore& e) { hDScore(e); },
      [&](const ECPCapture& e) { hCPCapture(e); },
      [&](const EAGamecode& e) {
        assaultCode = e.code;
        assaultPart = e.part;
      },
      [&](const EADefender& e) { assaultDefender = e.defender; },
      [&](const EGStart& e) { gameStart = e.time; },
      [&](const EInfo& e) { hInfo(e); },
      [&](const EMap& e) { hMap(e); },
      [&](const EGame& e) { hGame(e); },
      [&](const EGEnd& e) {
        hGEnd(e);
        ended = true;
      },
      // Team ids, translocator gibs, attackers, time limits and typing change nothing.
      [](const auto&) {},
  });
  return ended;
}

int32_t Game::getPNum(int32_t n) {
  for (size_t x = 0; x < plist.size(); ++x) {
    if (plist[x].uid == n) return static_cast<int32_t>(x);
  }
  Debug::print("Error Game.getPNum: Player " + std::to_string(n) + " not found", 0);
  return -1;
}

Player* Game::teamRecord(int32_t t) {
  for (Player& r : teamTotals) {
    if (r.uid == t) return &r;
  }
  return nullptr;
}

// ---- Players -------------------------------------------------------------------------------

void Game::hPConnect(const EPConnect& e) {
  try {
    // Built in place: a player's blocks are large, and moving them copies them.
    Player& p = plist.emplace_back(e.time);
    p.name = e.name;
    p.secret = e.secret;
    p.uid = e.pNum;
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPConnect ", ex);
  }
}

// The skill line completes a connection: a player who left earlier and comes back as the same
// person (and, for a bot, the same skill) continues on his old record.
void Game::hPSkill(const EPSkill& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) return;
    const size_t nx = static_cast<size_t>(x);
    Player& p = plist[nx];
    p.skill = util::truncToInt(e.skill);
    for (size_t q = 0; q < nx; ++q) {
      const Player& old = plist[q];
      if (old.uid != -1 || old.isABot != p.isABot || old.name != p.name || old.secret != p.secret ||
          old.team != p.team || (p.isABot && old.skill != p.skill)) {
        continue;
      }
      plist[q].uid = p.uid;
      erasePlayer(nx);
      plist[q].playerReconnect(e.time);
      return;
    }
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPSkill ", ex);
  }
}

void Game::hPDisconnect(const EPDisconnect& e) {
  onPlayer(e.pNum, "", "Error in Game.hPDisconnect ", [&](Player& p) {
    p.uid = -1;
    p.playerDisconnect(e.time);
  });
}

// Team records are found by the team's number; the first player to join a team names its
// record when his team's name is known, or the name comes later.
void Game::hPTeam(const EPTeam& e) {
  onPlayer(e.pNum, "", "Error in Game.hPTeam ", [&](Player& p) {
    p.team = e.index;
    if (e.index < 0 || teamRecord(e.index) != nullptr) return;
    Player record;
    record.name = p.teamName;
    record.uid = e.index;
    teamTotals.push_back(std::move(record));
  });
}

void Game::hPTeamName(const EPTeamName& e) {
  onPlayer(e.pNum, "", "Error in Game.hPTeamName ", [&](Player& p) {
    p.teamName = e.name;
    Player* record = p.team < 0 ? nullptr : teamRecord(p.team);
    if (record != nullptr && record->name.empty()) record->name = e.name;
  });
}

// ---- Kills ---------------------------------------------------------------------------------

void Game::hKill(const KillEvent& e, const Event* next) {
  onPair(
      e.killerNum, e.killedNum, "Error: Kill", "Error in Game.hKill ",
      [&](Player& killer, int32_t k, Player& victim, int32_t v) {
        const int32_t kw = Specs::wlocALT(e.killerWeapon, e.visual);
        const int32_t vw = Specs::wloc(e.killedWeapon);
        victim.victim(kw, vw, k, e.time, killer.isABot);
        killer.killer(kw, vw, v, victim.isABot, e.time);
        if (firstBlood == -1) {
          firstBlood = e.killerNum;
          killer.all.firstBlood = 1;
        }
        // A kill followed at once by a flag drop killed the carrier of an enemy flag.
        if (killer.team != victim.team && next != nullptr && next->getIf<EFDropped>() != nullptr) {
          util::addTo(killer.all.flagKills, 1);
        }
      });
}

void Game::hTKill(const ETKill& e, const Event* next) {
  // Without teams there are no team kills: the line is an ordinary kill.
  if (!teamGame) {
    hKill(e, next);
    return;
  }
  onPair(e.killerNum, e.killedNum, "Error: TeamKill", "Error in Game.hTKill ",
         [&](Player& killer, int32_t k, Player& victim, int32_t v) {
           const int32_t kw = Specs::wloc(e.killerWeapon);
           const int32_t vw = Specs::wloc(e.killedWeapon);
           victim.teamVictim(kw, vw, k, e.time, killer.isABot);
           killer.teamKiller(kw, vw, v, victim.isABot);
         });
}

void Game::hSuicide(const ESuicide& e) {
  onPlayer(e.pNum, "Error: Suicide", "Error in Game.hSuicide ", [&](Player& p) {
    int32_t st = Specs::sloc(e.visual, e.weapon);
    int32_t wt = 0;
    // A damage type that names no cause is booked to the weapon it came from, when known.
    if (st == 0) {
      wt = Specs::wlocALT(e.weapon, e.visual);
      if (wt > 0) st = -1;
    }
    p.suicided(st, wt, e.time);
  });
}

void Game::hHeadShot(const EHeadShot& e) {
  onPair(e.killerNum, e.killedNum, "", "Error in Game.hHeadShot ",
         [](Player& shooter, int32_t, const Player& victim, int32_t) {
           shooter.headShot(victim.isABot);
         });
}

// ---- Flags, points, scores ----------------------------------------------------------------

void Game::hFCarried(const FlagEvent& e, bool taken) {
  onPlayer(e.pNum, "", taken ? "Error in Game.hFTaken " : "Error in Game.hFPickedup ",
           [&](Player& p) {
             if (taken) {
               p.fTaken();
             } else {
               p.fPickedup();
             }
             if (std::find(flagCarriers.begin(), flagCarriers.end(), p.uid) == flagCarriers.end()) {
               flagCarriers.push_back(p.uid);
             }
           });
}

template <class Leaving>
void Game::dropCarriers(int32_t team, Leaving leaving) {
  try {
    std::vector<int32_t> stay;
    for (const int32_t n : flagCarriers) {
      // A carrier who left the match no longer carries anything.
      const auto it = std::find_if(plist.begin(), plist.end(),
                                   [n](const Player& p) { return p.uid == n && n != -1; });
      if (it == plist.end()) continue;
      if (it->team == team) {
        stay.push_back(n);
      } else {
        leaving(*it);
      }
    }
    flagCarriers = std::move(stay);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.dropCarriers ", ex);
  }
}

void Game::hFReturned(const EFReturned& e) {
  onPlayer(e.pNum, "", "Error in Game.hFReturned ", [](Player& p) { p.fReturned(); });
  dropCarriers(e.team, [](Player&) {});
}

// Everybody of the capturer's team who carried the flag since it was last at home assisted;
// the capturer's own carrying is not an assist.
void Game::hFCaptured(const EFCaptured& e) {
  onPlayer(e.pNum, "", "Error in Game.hFCaptured ", [](Player& p) {
    p.fCaptured();
    util::subFrom(p.all.flagAssists, 1);
  });
  dropCarriers(e.team, [](Player& p) { util::addTo(p.all.flagAssists, 1); });
}

void Game::hDScore(const EDScore& e) {
  if (Player* record = teamRecord(e.team)) record->all.score = e.score;
}

void Game::hCPCapture(const ECPCapture& e) {
  auto it = std::find(cpName.begin(), cpName.end(), e.controlPoint);
  if (it == cpName.end()) it = cpName.insert(cpName.end(), e.controlPoint);
  const int32_t cp = static_cast<int32_t>(it - cpName.begin());
  onPlayer(e.pNum, "", "Error in Game.hCPCapture ", [cp](Player& p) { p.cpCapture(cp); });
}

// ---- Match information ---------------------------------------------------------------------

void Game::hInfo(const EInfo& e) {
  try {
    const std::string& key = e.infoType;
    if (key == "Absolute_Time") {
      // A date that cannot be read leaves an empty text, never an absent one.
      date = niceDate(e.list.at(0)).value_or("");
    } else if (key == "Server_ServerName") {
      servername = e.list.at(0);
    } else if (key == "Server_Port") {
      port = e.list.at(0);
    }
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hInfo ", ex);
  }
}

void Game::hMap(const EMap& e) {
  if (e.var == "Title") map = e.val;
}

void Game::hGame(const EGame& e) {
  const std::string& key = e.var;
  const std::string& v = e.val;
  if (key == "GameName") {
    gameString = v;
    gameType = Specs::gloc(v);
    lastManStanding = v == "Last Man Standing";
  } else if (key == "TeamGame") {
    teamGame = v == "True";
  } else if (key == "GameMutator") {
    gameMutator.push_back(lastPart(v));
  } else if (key == "GameClass") {
    gameClass = lastPart(v);
  } else {
    static const std::array<std::pair<std::string_view, std::string Game::*>, 10> kTexts = {{
        {"TimeLimit", &Game::timelimit},
        {"FragLimit", &Game::fraglimit},
        {"WeaponsStay", &Game::weaponsStay},
        {"AirControl", &Game::airControl},
        {"JumpMatch", &Game::jumpMatch},
        {"UseTranslocator", &Game::useTranslocator},
        {"TournamentMode", &Game::tournamentMode},
        {"NetMode", &Game::netMode},
        {"GoalTeamScore", &Game::goalTeamScore},
        {"FriendlyFireScale", &Game::friendlyFire},
    }};
    for (const auto& [name, field] : kTexts) {
      if (key == name) this->*field = v;
    }
  }
}

void Game::endPlayers(double t) {
  for (Player& p : plist) {
    if (p.uid != -1) p.gameEnd(t);
  }
}

void Game::hGEnd(const EGEnd& e) {
  try {
    endType = e.reason;
    endPlayers(e.time);
    assaultSucceeded = e.reason != "timelimit";
    gameLength = e.time - gameStart;
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hGEnd ", ex);
  }
}

void Game::hGEndAlt(double t) {
  endType = "Incomplete";
  endPlayers(t);
  gameLength = t - gameStart;
}

// ---- Match end -----------------------------------------------------------------------------

void Game::rankPlayers() {
  if (isType(gameType, "Capture the Flag")) {
    rankWith(SortSFDS());
  } else {
    rankWith(SortFDS());
  }
}

void Game::addToTeam(Player& team, const Player& p) const {
  team.update(p);
  // A domination team's score is the logged one, whatever its players scored.
  if (isType(gameType, "Domination")) team.all.score -= p.all.score;
}

void Game::getWinningTeam() {
  bookWinners();
  getOMValid();
}

void Game::bookWinners() {
  try {
    if (playersByRank.empty()) return;
    if (isType(gameType, "Tournament DeathMatch") || isType(gameType, "SinglePlayer")) {
      bookFirstWins();
      return;
    }
    // A team game without teams has no result.
    if (teamTotals.empty()) return;
    if (isType(gameType, "Assault")) {
      winningTeam = assaultSucceeded ? (assaultDefender == 1 ? 0 : 1) : assaultDefender;
    } else {
      const Player* best = nullptr;
      if (isType(gameType, "Domination")) {
        best = bestTeam([](const Player& t) { return t.all.score; });
      } else if (isType(gameType, "Capture the Flag")) {
        best = bestTeam([](const Player& t) { return t.all.flagCaptures; });
      } else {
        best = bestTeam([](const Player& t) { return t.all.frags; });
      }
      winningTeam = best->uid;
    }
    bookResults([&](const Player& p) { return p.team == winningTeam; });
  } catch (const std::exception& e) {
    Debug::report("Error in Game.getWinningTeam: ", e);
  }
}

void Game::getOMValid() {
  const auto official = [](const auto& names, const std::string& v) {
    return std::find(names.begin(), names.end(), v) != names.end();
  };
  validOM = !plist.empty() && official(kOfficialClasses, gameClass) &&
            std::all_of(gameMutator.begin(), gameMutator.end(),
                        [&](const std::string& m) { return official(kOfficialMutators, m); });
}

}  // namespace orvane::games::zln
