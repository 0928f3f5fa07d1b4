#include "games/brk/Game.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games::brk {

using util::Debug;

using games::Overloaded;

Game::Game(std::string_view logData) { build(logData); }

bool Game::applyEvent(const Event& event, const Event*) {
  bool ended = false;
  event.visit(Overloaded{
      [&](const EIGet& e) { hIGet(e); },
      [&](const EKill& e) { hKill(e); },
      [&](const EPRespawn& e) { hPRespawn(e); },
      [&](const ESuicide& e) { hSuicide(e); },
      [&](const EIActivate& e) { hIActivate(e); },
      [&](const EIDeactivate& e) { hIDeactivate(e); },
      [&](const EInfo& e) { hInfo(e); },
      [&](const EPConnect& e) { hPConnect(e); },
      [&](const EPEnter& e) { hPEnter(e); },
      [&](const EObserve& e) { hObserve(e); },
      [&](const EPDisconnect& e) { hPDisconnect(e); },
      [&](const EPRename& e) { hPRename(e); },
      [&](const EPReconnect& e) { hPReconnect(e); },
      [&](const EPTeamJoin& e) { hPTeamJoin(e); },
      [&](const ETeamRename& e) { hTeamRename(e); },
      [&](const EPAccuracy& e) { hPAccuracy(e); },
      [&](const EFratricide& e) { hFratricide(e); },
      [&](const EChasecam& e) { hChasecam(e); },
      [&](const EAutocam& e) { hAutocam(e); },
      [&](const EGStart& e) { hGStart(e); },
      [&](const EGEnd& e) {
        hGEnd(e);
        ended = true;
      },
      [&](const EPZbot& e) { hPZbot(e); },
      // Chat, item drops, team leaves, game init and votes change nothing.
      [](const auto&) {},
  });
  return ended;
}

int32_t Game::getPNum(int32_t n) {
  try {
    const bool trace = Debug::shows(3);
    for (size_t x = 0; x < plist.size(); ++x) {
      if (trace) {
        Debug::print(
            "Game.getPNum: Player " + std::to_string(x) + " has uid" + std::to_string(plist[x].uid),
            3);
      }
      if (plist[x].uid == n && plist[x].inGame == 1) return static_cast<int32_t>(x);
    }
  } catch (const std::exception& e) {
    Debug::report("Error in Game.getPNum ", e);
  }
  return -1;
}

int32_t Game::getPNumB(int32_t n) {
  try {
    if (n < 0) return -1;
    const bool trace = Debug::shows(3);
    for (size_t x = 0; x < plist.size(); ++x) {
      if (trace) {
        Debug::print(
            "Game.getPNum: Player " + std::to_string(x) + " has uid" + std::to_string(plist[x].uid),
            3);
      }
      if (plist[x].uid == n) return static_cast<int32_t>(x);
    }
    Debug::print("Error Game.getPNumB: Player " + std::to_string(n) + " not found", 0);
  } catch (const std::exception& e) {
    Debug::report("Error in Game.getPNumB ", e);
  }
  return -1;
}

void Game::hPConnect(const EPConnect& e) {
  Debug::print("I Game.hPConnect", 2);
  try {
    for (Player& p : plist) {
      if (p.inGame != 0 || p.name != e.name || p.secret != e.secret) continue;
      // A returning player continues on his old record.
      p.uid = e.pNum;
      p.inGame = 1;
      const auto announced = std::find(reconnect.begin(), reconnect.end(), p.uid);
      if (announced != reconnect.end()) {
        p.all.delAccuracy(true);
        p.started(e.time);
        reconnect.erase(announced);
        printEvent(p, "Con After Recon");
        return;
      }
      printEvent(p, "Con My Recon");
      p.all.delAccuracy(false);
      return;
    }
    // Built in place: a player's blocks are large, and moving them copies them.
    Player& p = plist.emplace_back(e.time);
    p.name = e.name;
    p.secret = e.secret;
    p.uid = e.pNum;
    p.isABot = e.ip == "IS_A_BOT";
    p.inGame = 1;
    printEvent(p, "Con New Player");
    Debug::print("O Game.hPConnect", 2);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPConnect ", ex);
  }
}

void Game::hPReconnect(const EPReconnect& e) {
  try {
    reconnect.push_back(e.pNum);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPReconnect ", ex);
  }
}

void Game::hPEnter(const EPEnter& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) {
      Debug::print("Error: Enter " + std::to_string(e.pNum), 0);
      return;
    }
    Player& p = plist.at(static_cast<size_t>(x));
    p.started(e.time);
    p.inGame = 1;
    printEvent(p, "Enter");
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPEnter ", ex);
  }
}

void Game::hPRespawn(const EPRespawn& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) return;
    Player& p = plist.at(static_cast<size_t>(x));
    p.started(e.time);
    p.inGame = 1;
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPRespawn ", ex);
  }
}

void Game::hPDisconnect(const EPDisconnect& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) {
      Debug::print("Error: Disconnect", 0);
      return;
    }
    Player& p = plist.at(static_cast<size_t>(x));
    p.inGame = 0;
    p.playerDisconnect(e.time);
    printEvent(p, "Disconnect");
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPDisconnect ", ex);
  }
}

// Spectating stops the clock; the player stays in the match and restarts on the next enter or
// respawn.
void Game::spectate(int32_t pNum, double t, const char* label, const char* prefix) {
  try {
    const int32_t x = getPNum(pNum);
    if (x < 0) return;
    Player& p = plist.at(static_cast<size_t>(x));
    p.playerDisconnect(t);
    printEvent(p, label);
  } catch (const std::exception& ex) {
    Debug::report(prefix, ex);
  }
}

void Game::hAutocam(const EAutocam& e) {
  // The trace text is intended as it stands (no separator before the failure).
  spectate(e.pNum, e.time, "Autocam", "Error in Game.hAutocam");
}
void Game::hChasecam(const EChasecam& e) {
  // The trace text is intended as it stands (no separator before the failure).
  spectate(e.pNum, e.time, "Chasecam", "Error in Game.hChasecam");
}
void Game::hObserve(const EObserve& e) {
  // The trace text is intended as it stands (Game.hPObserve, no separator before the failure).
  spectate(e.pNum, e.time, "Observe", "Error in Game.hPObserve");
}

void Game::hPRename(const EPRename& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) {
      Debug::print("Error: Rename", 0);
      return;
    }
    Player& p = plist.at(static_cast<size_t>(x));
    p.name = e.name;
    p.secret = e.secret;
    p.addPing(e.ping);
    printEvent(p, "Rename");
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPRename ", ex);
  }
}

// A kill or a team kill: the victim's death first, then the killer's kill, then both pings.
void Game::bookKill(const KillEvent& e, bool team, const char* missing, const char* prefix) {
  onPair(e.killerNum, e.killedNum, missing, prefix,
         [&](Player& killer, int32_t k, Player& victim, int32_t v) {
           const int32_t kw = Specs::wloc(e.killerWeapon);
           const int32_t vw = Specs::wloc(e.killedWeapon);
           if (team) {
             victim.teamVictim(kw, vw, k, e.time, killer.isABot);
             killer.teamKiller(kw, vw, v, victim.isABot);
           } else {
             victim.victim(kw, vw, k, e.time, killer.isABot);
             killer.killer(kw, vw, v, victim.isABot);
           }
           victim.addPing(e.killedPing);
           killer.addPing(e.killerPing);
         });
}

void Game::hKill(const EKill& e) { bookKill(e, false, "Error: Kill", "Error in Game.hKill "); }

void Game::hFratricide(const EFratricide& e) {
  bookKill(e, true, "Error: Fratricide", "Error in Game.hFratricide ");
}

void Game::hSuicide(const ESuicide& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) {
      Debug::print("Error: Suicide", 0);
      return;
    }
    const int32_t st = Specs::sloc(e.reason);
    // A cause that is not in the table of causes is a weapon.
    const int32_t wt = st == -1 ? Specs::wloc(e.reason) : 0;
    Player& p = plist.at(static_cast<size_t>(x));
    p.suicided(st, wt, e.time);
    p.addPing(e.ping);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hSuicide ", ex);
  }
}

void Game::hIGet(const EIGet& e) {
  onPlayer(e.pNum, "Error: Item Get", "Error in Game.hIGet ",
           [&](Player& p) { p.gotItem(Specs::iloc(e.item)); });
}

void Game::hIActivate(const EIActivate& e) {
  onPlayer(e.pNum, "Error: Item Activate " + std::to_string(e.pNum), "Error in Game.hIActivate ",
           [&](Player& p) { p.actItem(e.item, e.time); });
}

void Game::hIDeactivate(const EIDeactivate& e) {
  onPlayer(e.pNum, "", "Error in Game.hIDeactivate ",
           [&](Player& p) { p.deactItem(e.item, e.time); });
}

void Game::hPAccuracy(const EPAccuracy& e) {
  try {
    int32_t x = getPNum(e.pNum);
    // A report may arrive after its player has left.
    if (x < 0) x = getPNumB(e.pNum);
    if (x < 0) {
      Debug::print("Error: Accuracy", 0);
      return;
    }
    plist.at(static_cast<size_t>(x))
        .all.accuracy(e.weapon, e.totalHits, e.totalShots, e.totalGiven, e.totalReceived,
                      e.damageGiven, e.damageReceived);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPAccuracy ", ex);
  }
}

void Game::hInfo(const EInfo& e) {
  try {
    const std::string& key = e.infoType;
    auto first = [&]() -> const std::string& { return e.list.at(0); };
    if (key == "Absolute_Time") {
      // A date that cannot be read leaves an empty text, never an absent one.
      date = niceDate(first()).value_or("");
    } else if (key == "hostname") {
      servername = first();
    } else if (key == "Server_Port") {
      port = first();
    } else if (key == "Server_Address") {
      addr = first();
    } else if (key == "map") {
      map = first();
    } else if (key == "timelimit") {
      timelimit = first();
    } else if (key == "fraglimit") {
      fraglimit = first();
    } else if (key == "hook_status") {
      hookstatus = first();
    } else if (key == "runes_status") {
      runesstatus = first();
    } else if (key == "dmflags") {
      dmflags = first();
    } else if (key == "disabled_items") {
      disabledItems = e.list;
    } else if (key == "match_mode") {
      gameType = Specs::gloc(first());
      if (first() == "TeamPlay") teamGame = true;
    }
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hInfo ", ex);
  }
}

void Game::hGStart(const EGStart& e) {
  try {
    // Time before the start of play is dropped: everybody alive begins a new life.
    for (Player& p : plist) {
      if (p.all.startTime >= 0) p.started(e.time);
    }
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hGStart ", ex);
  }
}

void Game::hGEnd(const EGEnd& e) {
  try {
    endType = e.reason;
    checksum = e.checksum;
    for (Player& p : plist) p.gameEnd(e.time);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hGEnd ", ex);
  }
}

void Game::hGEndAlt(double t) {
  endType = "Incomplete";
  for (Player& p : plist) p.gameEnd(t);
}

void Game::hPTeamJoin(const EPTeamJoin& e) {
  try {
    const int32_t x = getPNum(e.pNum);
    if (x < 0) {
      Debug::print("Error: Team Join", 0);
      return;
    }
    const size_t px = static_cast<size_t>(x);
    int32_t t = -1;
    for (size_t i = 0; i < teamTotals.size(); ++i) {
      if (teamTotals[i].name == e.team) {
        t = static_cast<int32_t>(i);
        break;
      }
    }
    const bool newTeam = t < 0;
    if (newTeam) {
      t = static_cast<int32_t>(teamTotals.size());
      Player record;
      record.name = e.team;
      record.uid = t;
      teamTotals.push_back(std::move(record));
    }
    if (plist[px].team == -1 || plist[px].team == t) {
      plist[px].team = t;
      return;
    }
    // A change of team: the record left behind is stopped as at a disconnection, and the
    // player goes on in a record of the new team, whose clock runs only if his did.
    const bool running = plist[px].all.startTime >= 0;
    plist[px].inGame = 0;
    plist[px].playerDisconnect(e.time);
    size_t next = plist.size();
    if (!newTeam) {
      for (size_t q = 0; q < plist.size(); ++q) {
        const Player& cand = plist[q];
        if (cand.inGame == 0 && q != px && cand.name == plist[px].name &&
            cand.secret == plist[px].secret && cand.team == t) {
          next = q;
          break;
        }
      }
    }
    if (next == plist.size()) {
      Player np(e.time);
      np.name = plist[px].name;
      np.secret = plist[px].secret;
      np.isABot = plist[px].isABot;
      np.team = t;
      plist.push_back(std::move(np));
    }
    Player& q = plist[next];
    q.inGame = 1;
    q.uid = plist[px].uid;
    if (running) q.started(e.time);
  } catch (const std::exception& ex) {
    // The trace text is intended as it stands (no separator before the failure).
    Debug::report("Error in Game.hPTeamJoin", ex);
  }
}

void Game::hTeamRename(const ETeamRename& e) {
  try {
    for (Player& t : teamTotals) {
      if (t.name == e.oldTeam) {
        t.name = e.team;
        return;
      }
    }
  } catch (const std::exception& ex) {
    // The trace text is intended as it stands (no separator before the failure).
    Debug::report("Error in Game.hTeamRename", ex);
  }
}

void Game::hPZbot(const EPZbot& e) {
  try {
    zbots.push_back(e);
  } catch (const std::exception& ex) {
    Debug::report("Error in Game.hPZbot ", ex);
  }
}

// ---- Match end -----------------------------------------------------------------------------

void Game::getWinningTeam() {
  try {
    // Without players nobody wins, whatever the game type.
    if (playersByRank.empty()) return;
    if (Specs::games.at(static_cast<size_t>(gameType)) != "TeamPlay") {
      bookFirstWins();
      return;
    }
    // The first team with the most frags wins; without teams nobody wins or loses.
    const Player* winner = bestTeam([](const Player& t) { return t.all.frags; });
    if (winner == nullptr) return;
    winningTeam = winner->uid;
    bookResults([&](const Player& p) { return p.team == winningTeam; });
  } catch (const std::exception& e) {
    Debug::report("Error in Game.getWinningTeam: ", e);
  }
}

}  // namespace orvane::games::brk
