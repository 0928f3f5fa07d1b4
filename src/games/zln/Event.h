#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "games/EventBase.h"
#include "games/EventOf.h"
#include "games/qmLog.h"

namespace orvane::games::zln {

using games::EInfo;
using games::EventBase;

// The layout shared by item pick-up, use and expiry: 2 = item, 3 = pNum.
struct ItemEvent : EventBase {
  std::string item;
  int32_t pNum = 0;

 protected:
  ItemEvent(games::TokenList l, std::string_view report);
  std::string itemBody(std::string_view title) const;
};

// The layout shared by kills and team kills: 2 = killerNum, 3 = killerWeapon, 4 = killedNum,
// 5 = killedWeapon, 6 = visual.
struct KillEvent : EventBase {
  int32_t killerNum = 0;
  std::string killerWeapon;
  int32_t killedNum = 0;
  std::string killedWeapon;
  std::string visual;

 protected:
  KillEvent(games::TokenList l, std::string_view report);
  std::string killBody(std::string_view title) const;
};

// The layout shared by the flag lines: 2 = pNum, 3 = team (the flag's team).
struct FlagEvent : EventBase {
  int32_t team = 0;
  int32_t pNum = 0;

 protected:
  FlagEvent(games::TokenList l, std::string_view report);
  std::string flagBody(std::string_view title) const;
};

// The layout shared by the translocator lines: 2 = pNum.
struct TransEvent : EventBase {
  int32_t pNum = 0;

 protected:
  TransEvent(games::TokenList l, std::string_view report);
  std::string transBody(std::string_view title) const;
};

// The layout shared by map and game settings: 2 = var, 3 = val.
struct SettingEvent : EventBase {
  std::string var;
  std::string val;

 protected:
  SettingEvent(games::TokenList l, std::string_view report);
  std::string settingBody(std::string_view title) const;
};

struct EIGet final : ItemEvent {
  explicit EIGet(games::TokenList l);
  std::string body() const;
};

struct EKill final : KillEvent {
  explicit EKill(games::TokenList l);
  std::string body() const;
};

struct ESuicide final : EventBase {
  int32_t pNum = 0;
  std::string weapon;
  std::string visual;
  std::string initiator;
  explicit ESuicide(games::TokenList l);
  std::string body() const;
};

struct ETKill final : KillEvent {
  explicit ETKill(games::TokenList l);
  std::string body() const;
};

struct EIActivate final : ItemEvent {
  explicit EIActivate(games::TokenList l);
  std::string body() const;
};

struct EPPing final : EventBase {
  int32_t pNum = 0;
  int32_t ping = 0;
  explicit EPPing(games::TokenList l);
  std::string body() const;
};

struct EPConnect final : EventBase {
  std::string name;
  std::optional<std::string> secret;  // only a line of exactly 7 fields has one
  std::string admin;
  int32_t pNum = 0;
  explicit EPConnect(games::TokenList l);
  std::string body() const;
};

struct EPBot final : EventBase {
  int32_t pNum = 0;
  bool isABot = false;
  explicit EPBot(games::TokenList l);
  std::string body() const;
};

// A bad number here loses only this line: the constructor reports it and never throws.
struct EPDisconnect final : EventBase {
  int32_t pNum = 0;
  explicit EPDisconnect(games::TokenList l);
  std::string body() const;
};

struct EPRename final : EventBase {
  std::string name;
  std::string secret;  // empty when the line has fewer than 6 fields
  int32_t pNum = 0;
  explicit EPRename(games::TokenList l);
  std::string body() const;
};

struct EPTeam final : EventBase {
  int32_t index = 0;
  int32_t pNum = 0;
  explicit EPTeam(games::TokenList l);
  std::string body() const;
};

struct EPTeamID final : EventBase {
  int32_t id = 0;
  int32_t pNum = 0;
  explicit EPTeamID(games::TokenList l);
  std::string body() const;
};

struct EPTeamName final : EventBase {
  std::string name;
  int32_t pNum = 0;
  explicit EPTeamName(games::TokenList l);
  std::string body() const;
};

struct EPSkill final : EventBase {
  int32_t pNum = 0;
  double skill = 0;
  explicit EPSkill(games::TokenList l);
  std::string body() const;
};

struct EIDeactivate final : ItemEvent {
  explicit EIDeactivate(games::TokenList l);
  std::string body() const;
};

struct EHeadShot final : EventBase {
  int32_t killerNum = 0;
  int32_t killedNum = 0;
  explicit EHeadShot(games::TokenList l);
  std::string body() const;
};

struct EDScore final : EventBase {
  double score = 0;
  int32_t team = 0;
  explicit EDScore(games::TokenList l);
  std::string body() const;
};

struct ECPCapture final : EventBase {
  std::string controlPoint;
  int32_t pNum = 0;
  explicit ECPCapture(games::TokenList l);
  std::string body() const;
};

struct EFTaken final : FlagEvent {
  explicit EFTaken(games::TokenList l);
  std::string body() const;
};

struct EFDropped final : FlagEvent {
  explicit EFDropped(games::TokenList l);
  std::string body() const;
};

struct EFCaptured final : FlagEvent {
  explicit EFCaptured(games::TokenList l);
  std::string body() const;
};

struct EFPickedup final : FlagEvent {
  explicit EFPickedup(games::TokenList l);
  std::string body() const;
};

struct EFReturned final : FlagEvent {
  explicit EFReturned(games::TokenList l);
  std::string body() const;
};

struct EFReturnedt final : EventBase {
  int32_t team = 0;
  explicit EFReturnedt(games::TokenList l);
  std::string body() const;
};

struct ETransThrow final : TransEvent {
  explicit ETransThrow(games::TokenList l);
  std::string body() const;
};

struct ETrans final : TransEvent {
  explicit ETrans(games::TokenList l);
  std::string body() const;
};

struct ETransGib final : TransEvent {
  explicit ETransGib(games::TokenList l);
  std::string body() const;
};

struct ETransFail final : TransEvent {
  explicit ETransFail(games::TokenList l);
  std::string body() const;
};

struct EMap final : SettingEvent {
  explicit EMap(games::TokenList l);
  std::string body() const;
};

struct EGame final : SettingEvent {
  explicit EGame(games::TokenList l);
  std::string body() const;
};

struct EGStart final : EventBase {
  explicit EGStart(games::TokenList l);
  std::string body() const;
};

struct EGEnd final : EventBase {
  std::string reason;
  std::optional<std::string> checksum;  // absent when the line has no field 3
  explicit EGEnd(games::TokenList l);
  std::string body() const;
};

struct ETyping final : EventBase {
  int32_t pNum = 0;
  bool isTyping = false;
  explicit ETyping(games::TokenList l);
  std::string body() const;
};

struct EATimelimit final : EventBase {
  std::string timelimit;
  explicit EATimelimit(games::TokenList l);
  std::string body() const;
};

struct EAGamecode final : EventBase {
  std::string code;
  int32_t part = 0;
  explicit EAGamecode(games::TokenList l);
  std::string body() const;
};

struct EADefender final : EventBase {
  int32_t defender = 0;
  explicit EADefender(games::TokenList l);
  std::string body() const;
};

struct EAAttacker final : EventBase {
  int32_t attacker = 0;
  explicit EAAttacker(games::TokenList l);
  std::string body() const;
};

// One event of a match, held by value; the replay dispatches on the held type with visit() or
// getIf().
using Event =
    games::EventOf<EIGet, EKill, ESuicide, ETKill, EIActivate, EPPing, EPConnect, EPBot,
                   EPDisconnect, EPRename, EPTeam, EPTeamID, EPTeamName, EPSkill, EIDeactivate,
                   EHeadShot, EDScore, ECPCapture, EFTaken, EFDropped, EFCaptured, EFPickedup,
                   EFReturned, EFReturnedt, ETransThrow, ETrans, ETransGib, ETransFail, EInfo, EMap,
                   EGame, EGStart, EGEnd, ETyping, EATimelimit, EAGamecode, EADefender, EAAttacker>;

}  // namespace orvane::games::zln
