#include "games/brk/Event.h"

#include <array>
#include <exception>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Numbers.h"

namespace orvane::games::brk {

using util::Debug;
using util::parseInt;

namespace {

std::string num(int32_t n) { return std::to_string(n); }

// The pieces of one accuracy entry. Runs of ":" count as one separator, so empty pieces never
// appear; only the first five are kept, as no entry reads further.
class AccuracyPieces {
 public:
  explicit AccuracyPieces(std::string_view entry) {
    size_t i = 0;
    while (i < entry.size() && count < piece.size()) {
      if (entry[i] == ':') {
        ++i;
        continue;
      }
      size_t end = entry.find(':', i);
      if (end == std::string_view::npos) end = entry.size();
      piece[count++] = entry.substr(i, end - i);
      i = end;
    }
  }
  size_t size() const { return count; }
  std::string_view at(size_t i) const {
    if (i >= count) throw util::Failure(util::Failure::kArrayIndexOutOfBounds, std::to_string(i));
    return piece[i];
  }

 private:
  std::array<std::string_view, 5> piece;
  size_t count = 0;
};

}  // namespace

ItemPingEvent::ItemPingEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 6, report)) return;
  item = l[2];
  pNum = parseInt(l[4]);
  ping = parseInt(l[5]);
}

std::string ItemPingEvent::itemBody(std::string_view title) const {
  return std::string(title) + " => " + num(pNum) + " => " + item;
}

KillEvent::KillEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 10, report)) return;
  killerNum = parseInt(l[2]);
  killerWeapon = l[3];
  killerPing = parseInt(l[5]);
  killedNum = parseInt(l[6]);
  killedWeapon = l[7];
  killedPing = parseInt(l[9]);
}

std::string KillEvent::killBody(std::string_view title) const {
  return std::string(title) + num(killerNum) + " => " + num(killedNum) + " => " + killerWeapon;
}

CameraEvent::CameraEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 5, report)) return;
  name = l[2];
  pNum = parseInt(l[3]);
  ping = parseInt(l[4]);
}

EIGet::EIGet(games::TokenList l) : ItemPingEvent(l, "Bad 'Item_Pickup' Event") {}
std::string EIGet::body() const { return itemBody("Item Get "); }

EKill::EKill(games::TokenList l) : KillEvent(l, "Bad 'Kill' Event") {}
std::string EKill::body() const { return killBody("Kill "); }

EPRespawn::EPRespawn(games::TokenList l) {
  try {
    if (!begin(l, 3, "Bad 'Player Respawn' Event")) return;
    pNum = parseInt(l[2]);
  } catch (const std::exception&) {
    valid = false;
    Debug::print("Invalid 'Player Respawn' Event", 0);
  }
}
std::string EPRespawn::body() const { return "Player Respawn => " + num(pNum); }

ESuicide::ESuicide(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Suicide' Event")) return;
  pNum = parseInt(l[2]);
  reason = l[3];
  ping = parseInt(l[5]);
}
std::string ESuicide::body() const {
  return "Suicide " + num(pNum) + " => " + reason + " => " + num(ping);
}

EIActivate::EIActivate(games::TokenList l) : ItemPingEvent(l, "Bad 'Item_Use' Event") {}
std::string EIActivate::body() const { return itemBody("Item Use "); }

EIDeactivate::EIDeactivate(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Item Expire' Event")) return;
  item = l[2];
  pNum = parseInt(l[4]);
}
std::string EIDeactivate::body() const { return "Item Expire  => " + num(pNum) + " => " + item; }

EPConnect::EPConnect(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Connect' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
  ip = l[4];
  if (l.size() >= 6) secret = l[5];
}
std::string EPConnect::body() const {
  return "Player Connect: " + name + "::" + secret + " => " + num(pNum);
}

EPEnter::EPEnter(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Player Enter' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
}
std::string EPEnter::body() const { return "Player Enter: " + name + " => " + num(pNum); }

EObserve::EObserve(games::TokenList l) : CameraEvent(l, "Bad 'Observe' Event") {}
std::string EObserve::body() const { return "Observe: " + name; }

EPDisconnect::EPDisconnect(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Player Leave' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
}
std::string EPDisconnect::body() const {
  return "Player Leave: " + name + "::" + secret + " => " + num(pNum);
}

EChat::EChat(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Chat' Event")) return;
  text = l[2];
}
std::string EChat::body() const { return "Chat: " + text; }

EPRename::EPRename(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Player Rename' Event")) return;
  oldName = l[2];
  name = l[3];
  pNum = parseInt(l[4]);
  ping = parseInt(l[5]);
  if (l.size() >= 7) secret = l[6];
}
std::string EPRename::body() const {
  return "Player Rename: " + name + "::" + secret + " => " + num(pNum);
}

EPReconnect::EPReconnect(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Reconnect' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
  ip = l[4];
}
std::string EPReconnect::body() const {
  return "Player Reconnect: " + name + "::" + ip + " => " + num(pNum);
}

EIDrop::EIDrop(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Item Drop' Event")) return;
  item = l[2];
  pNum = parseInt(l[5]);
}
std::string EIDrop::body() const { return "Item Drop => " + num(pNum) + " => " + item; }

EFratricide::EFratricide(games::TokenList l) : KillEvent(l, "Bad 'Fratricide' Event") {}
std::string EFratricide::body() const { return killBody("Fratricide "); }

EChasecam::EChasecam(games::TokenList l) : CameraEvent(l, "Bad 'Chasecam' Event") {}
std::string EChasecam::body() const { return "Chasecam: " + name; }

EAutocam::EAutocam(games::TokenList l) : CameraEvent(l, "Bad 'Autocam' Event") {}
std::string EAutocam::body() const { return "Autocam: " + name; }

EPAccuracy::EPAccuracy(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Player Accuracy' Event")) return;
  pNum = parseInt(l[2]);
  // Every field between the player number and the last one is a weapon entry
  // "name:hits:shots[:given:received]"; the last is "label:given:received".
  const size_t last = l.size() - 1;
  for (std::vector<int32_t>* list : {&totalHits, &totalShots, &totalGiven, &totalReceived}) {
    list->reserve(last - 3);
  }
  weapon.reserve(last - 3);
  for (size_t i = 3; i < last; ++i) {
    const AccuracyPieces p(l[i]);
    weapon.emplace_back(p.at(0));
    totalHits.push_back(parseInt(p.at(1)));
    totalShots.push_back(parseInt(p.at(2)));
    // A fourth piece promises a fifth: an entry of exactly four pieces fails here.
    totalGiven.push_back(p.size() > 3 ? parseInt(p.at(3)) : 0);
    totalReceived.push_back(p.size() > 3 ? parseInt(p.at(4)) : 0);
  }
  const AccuracyPieces damage(l[last]);
  damageGiven = parseInt(damage.at(1));
  damageReceived = parseInt(damage.at(2));
}
std::string EPAccuracy::body() const {
  std::string weapons = "[";
  for (size_t i = 0; i < weapon.size(); ++i) {
    if (i > 0) weapons += ", ";
    weapons += weapon[i];
  }
  return "Player Accuracy => " + num(pNum) + " => " + weapons + "]";
}

ETeamRename::ETeamRename(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Team Rename' Event")) return;
  oldTeam = l[2];
  team = l[3];
}
std::string ETeamRename::body() const { return "Team Rename: " + oldTeam + " => " + team; }

EGInit::EGInit(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Game_Init' Event")) return;
  date = l[2];
}
std::string EGInit::body() const { return "GameInit=>" + date; }

EGStart::EGStart(games::TokenList l) { begin(l, 2, "Bad 'Game_Start' Event"); }
std::string EGStart::body() const { return "GameStart"; }

EGEnd::EGEnd(games::TokenList l) {
  if (!begin(l, 3, "Bad 'game_end' Event")) return;
  reason = l[2];
  if (l.size() >= 4) checksum = l[3];
}
std::string EGEnd::body() const { return "GameEnd=>" + reason; }

EVote::EVote(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Vote' Event")) return;
  status = l[2];
  if (l.size() >= 5) {
    var = l[3];
    val = l[4];
  }
}
std::string EVote::body() const { return "Vote " + status + "=>" + var; }

EPTeamJoin::EPTeamJoin(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Player Team Join' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
  team = l[4];
  ping = parseInt(l[5]);
}
std::string EPTeamJoin::body() const { return "Player Team Join: " + team + " => " + num(pNum); }

EPTeamLeave::EPTeamLeave(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Team Leave' Event")) return;
  pNum = parseInt(l[2]);
  team = l[3];
  ping = parseInt(l[4]);
}
std::string EPTeamLeave::body() const { return "Player Team Leave: " + team + " => " + num(pNum); }

EPZbot::EPZbot(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Player ZBot' Event")) return;
  name = l[2];
  pNum = parseInt(l[3]);
  ip = l[4];
  botInfo = l[5];
}
std::string EPZbot::body() const {
  return "Player ZBot: " + name + "::" + botInfo + " =>" + num(pNum);
}

}  // namespace orvane::games::brk
