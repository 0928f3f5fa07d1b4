#include "games/zln/Event.h"

#include <exception>

#include "util/Debug.h"
#include "util/Numbers.h"

namespace orvane::games::zln {

namespace {

std::string num(int32_t n) { return std::to_string(n); }
std::string flag(bool b) { return b ? "true" : "false"; }

}  // namespace

ItemEvent::ItemEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 4, report)) return;
  item = textAt(l, 2);
  pNum = intAt(l, 3);
}
std::string ItemEvent::itemBody(std::string_view title) const {
  return std::string(title) + " => " + num(pNum) + " => " + item;
}

KillEvent::KillEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 7, report)) return;
  killerNum = intAt(l, 2);
  killerWeapon = textAt(l, 3);
  killedNum = intAt(l, 4);
  killedWeapon = textAt(l, 5);
  visual = textAt(l, 6);
}
std::string KillEvent::killBody(std::string_view title) const {
  return std::string(title) + num(killerNum) + " => " + num(killedNum) + " => " + killerWeapon +
         " => " + visual;
}

FlagEvent::FlagEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 4, report)) return;
  pNum = intAt(l, 2);
  team = intAt(l, 3);
}
std::string FlagEvent::flagBody(std::string_view title) const {
  return std::string(title) + num(team) + " player=" + num(pNum);
}

TransEvent::TransEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 3, report)) return;
  pNum = intAt(l, 2);
}
std::string TransEvent::transBody(std::string_view title) const {
  return std::string(title) + " => " + num(pNum);
}

SettingEvent::SettingEvent(games::TokenList l, std::string_view report) {
  if (!begin(l, 4, report)) return;
  var = textAt(l, 2);
  val = textAt(l, 3);
}
std::string SettingEvent::settingBody(std::string_view title) const {
  return std::string(title) + "=>" + var + "=>" + val;
}

EIGet::EIGet(games::TokenList l) : ItemEvent(l, "Bad 'item_get' Event") {}
std::string EIGet::body() const { return itemBody("Item Get "); }

EKill::EKill(games::TokenList l) : KillEvent(l, "Bad 'Kill' Event") {}
std::string EKill::body() const { return killBody("Kill "); }

ESuicide::ESuicide(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Suicide' Event")) return;
  pNum = intAt(l, 2);
  weapon = textAt(l, 3);
  visual = textAt(l, 4);
  initiator = textAt(l, 5);
}
std::string ESuicide::body() const {
  return "Suicide " + num(pNum) + " => " + weapon + " => " + visual;
}

ETKill::ETKill(games::TokenList l) : KillEvent(l, "Bad 'Team Kill' Event") {}
std::string ETKill::body() const { return killBody("Team Kill "); }

EIActivate::EIActivate(games::TokenList l) : ItemEvent(l, "Bad 'item_activate' Event") {}
std::string EIActivate::body() const { return itemBody("Item Activate "); }

EPPing::EPPing(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Ping' Event")) return;
  pNum = intAt(l, 3);
  ping = intAt(l, 4);
}
std::string EPPing::body() const { return "Player Ping: " + num(ping) + " => " + num(pNum); }

EPConnect::EPConnect(games::TokenList l) {
  if (!begin(l, 6, "Bad 'Player Connect' Event")) return;
  name = textAt(l, 3);
  pNum = intAt(l, 4);
  admin = textAt(l, 5);
  if (l.size() == 7) secret = textAt(l, 6);
}
std::string EPConnect::body() const {
  return "Player Connect: " + name + "::" + secret.value_or("") + " => " + num(pNum);
}

EPBot::EPBot(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player IsABot' Event")) return;
  pNum = intAt(l, 3);
  isABot = flagAt(l, 4);
}
std::string EPBot::body() const { return "Player IsABot: " + flag(isABot) + " => " + num(pNum); }

EPDisconnect::EPDisconnect(games::TokenList l) {
  try {
    if (!begin(l, 4, "Bad 'Player Disconnect' Event")) return;
    pNum = intAt(l, 3);
  } catch (const std::exception&) {
    valid = false;
    util::Debug::print("Invalid 'Player Disconnect' Event", 0);
  }
}
std::string EPDisconnect::body() const { return "Player Disconnect => " + num(pNum); }

EPRename::EPRename(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Rename' Event")) return;
  name = textAt(l, 3);
  if (l.size() >= 6) {
    secret = textAt(l, 4);
    pNum = intAt(l, 5);
  } else {
    pNum = intAt(l, 4);
  }
}
std::string EPRename::body() const {
  return "Player Rename: " + name + "::" + secret + " => " + num(pNum);
}

EPTeam::EPTeam(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Team' Event")) return;
  pNum = intAt(l, 3);
  index = intAt(l, 4);
}
std::string EPTeam::body() const { return "Player Team: Index=" + num(index) + " => " + num(pNum); }

EPTeamID::EPTeamID(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player TeamID' Event")) return;
  pNum = intAt(l, 3);
  id = intAt(l, 4);
}
std::string EPTeamID::body() const { return "Player TeamID: " + num(id) + " => " + num(pNum); }

EPTeamName::EPTeamName(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player TeamName' Event")) return;
  pNum = intAt(l, 3);
  name = textAt(l, 4);
}
std::string EPTeamName::body() const { return "Player TeamName: " + name + " => " + num(pNum); }

EPSkill::EPSkill(games::TokenList l) {
  if (!begin(l, 5, "Bad 'Player Skill' Event")) return;
  pNum = intAt(l, 3);
  skill = floatAt(l, 4);
}
std::string EPSkill::body() const {
  return "Player Skill: " + util::formatDouble(skill) + " => " + num(pNum);
}

EIDeactivate::EIDeactivate(games::TokenList l) : ItemEvent(l, "Bad 'item_deactivate' Event") {}
std::string EIDeactivate::body() const { return itemBody("Item Deactivate "); }

EHeadShot::EHeadShot(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Head Shot' Event")) return;
  killerNum = intAt(l, 2);
  killedNum = intAt(l, 3);
}
std::string EHeadShot::body() const {
  return "HeadShot " + num(killerNum) + " => " + num(killedNum);
}

EDScore::EDScore(games::TokenList l) {
  if (!begin(l, 4, "Bad 'dom_score_update' Event")) return;
  team = intAt(l, 2);
  score = floatAt(l, 3);
}
std::string EDScore::body() const {
  return "Dom Score  => " + num(team) + " => " + util::formatDouble(score);
}

ECPCapture::ECPCapture(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Control Point Capture' Event")) return;
  controlPoint = textAt(l, 2);
  pNum = intAt(l, 3);
}
std::string ECPCapture::body() const {
  return "Control Point Capture: >" + controlPoint + "< " + num(pNum);
}

EFTaken::EFTaken(games::TokenList l) : FlagEvent(l, "Bad 'Flag Taken' Event") {}
std::string EFTaken::body() const { return flagBody("Flag Taken: team="); }

EFDropped::EFDropped(games::TokenList l) : FlagEvent(l, "Bad 'Flag Drop' Event") {}
std::string EFDropped::body() const { return flagBody("Flag Drop: team="); }

EFCaptured::EFCaptured(games::TokenList l) : FlagEvent(l, "Bad 'Flag Captured' Event") {}
std::string EFCaptured::body() const { return flagBody("Flag Captured: team="); }

EFPickedup::EFPickedup(games::TokenList l) : FlagEvent(l, "Bad 'Flag Pickedup' Event") {}
std::string EFPickedup::body() const { return flagBody("Flag Pickedup: team="); }

EFReturned::EFReturned(games::TokenList l) : FlagEvent(l, "Bad 'Flag Returned' Event") {}
std::string EFReturned::body() const { return flagBody("Flag Returned: team="); }

EFReturnedt::EFReturnedt(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Flag Returned Timeout' Event")) return;
  team = intAt(l, 2);
}
std::string EFReturnedt::body() const { return "Flag Returned Timeout: team=" + num(team); }

ETransThrow::ETransThrow(games::TokenList l) : TransEvent(l, "Bad 'Throw Trans' Event") {}
std::string ETransThrow::body() const { return transBody("Throw Trans"); }

ETrans::ETrans(games::TokenList l) : TransEvent(l, "Bad 'Translocate' Event") {}
std::string ETrans::body() const { return transBody("Translocate "); }

ETransGib::ETransGib(games::TokenList l) : TransEvent(l, "Bad 'Trans Gib' Event") {}
std::string ETransGib::body() const { return transBody("Trans Gib"); }

ETransFail::ETransFail(games::TokenList l) : TransEvent(l, "Bad 'Trans Fail' Event") {}
std::string ETransFail::body() const { return transBody("Trans Fail"); }

EMap::EMap(games::TokenList l) : SettingEvent(l, "Bad 'map' Event") {}
std::string EMap::body() const { return settingBody("Map"); }

EGame::EGame(games::TokenList l) : SettingEvent(l, "Bad 'Game' Event") {}
std::string EGame::body() const { return settingBody("Game"); }

EGStart::EGStart(games::TokenList l) { begin(l, 2, "Bad 'game_start' Event"); }
std::string EGStart::body() const { return "GameStart"; }

EGEnd::EGEnd(games::TokenList l) {
  if (!begin(l, 3, "Bad 'game_end' Event")) return;
  reason = textAt(l, 2);
  if (l.size() >= 4) checksum = textAt(l, 3);
}
std::string EGEnd::body() const { return "GameEnd=>" + reason; }

ETyping::ETyping(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Typing' Event")) return;
  isTyping = flagAt(l, 2);
  pNum = intAt(l, 3);
}
std::string ETyping::body() const { return "Typing: " + flag(isTyping) + " => " + num(pNum); }

EATimelimit::EATimelimit(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Assault Timelimit' Event")) return;
  timelimit = textAt(l, 2);
}
std::string EATimelimit::body() const { return "Assault Timelimit => " + timelimit; }

EAGamecode::EAGamecode(games::TokenList l) {
  if (!begin(l, 4, "Bad 'Assault Gamecode' Event")) return;
  code = textAt(l, 2);
  part = intAt(l, 3);
}
std::string EAGamecode::body() const { return "Assault Gamecode => " + code + " " + num(part); }

EADefender::EADefender(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Assault Defender' Event")) return;
  defender = intAt(l, 2);
}
std::string EADefender::body() const { return "Assault Defender => " + num(defender); }

EAAttacker::EAAttacker(games::TokenList l) {
  if (!begin(l, 3, "Bad 'Assault Attacker' Event")) return;
  attacker = intAt(l, 2);
}
std::string EAAttacker::body() const { return "Assault Attacker => " + num(attacker); }

}  // namespace orvane::games::zln
