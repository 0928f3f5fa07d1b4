#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "games/EventBase.h"
#include "games/EventOf.h"
#include "games/qmLog.h"

namespace orvane::games::brk {

using games::EInfo;
using games::EventBase;

// The layout shared by item pick-up and item use: 2 = item, 4 = pNum, 5 = ping.
struct ItemPingEvent : EventBase {
  std::string item;
  int32_t pNum = 0;
  int32_t ping = 0;

 protected:
  ItemPingEvent(games::TokenList l, std::string_view report);
  std::string itemBody(std::string_view title) const;
};

// The layout shared by kills and team kills: 2 = killerNum, 3 = killerWeapon, 5 = killerPing,
// 6 = killedNum, 7 = killedWeapon, 9 = killedPing (4 and 8 are not read).
struct KillEvent : EventBase {
  int32_t killerNum = 0;
  std::string killerWeapon;
  int32_t killerPing = 0;
  int32_t killedNum = 0;
  std::string killedWeapon;
  int32_t killedPing = 0;

 protected:
  KillEvent(games::TokenList l, std::string_view report);
  std::string killBody(std::string_view title) const;
};

// The layout shared by observer and camera lines: 2 = name, 3 = pNum, 4 = ping.
struct CameraEvent : EventBase {
  std::string name;
  int32_t pNum = 0;
  int32_t ping = 0;

 protected:
  CameraEvent(games::TokenList l, std::string_view report);
};

struct EIGet final : ItemPingEvent {
  explicit EIGet(games::TokenList l);
  std::string body() const;
};

struct EKill final : KillEvent {
  explicit EKill(games::TokenList l);
  std::string body() const;
};

// A bad number here loses only this line: the constructor reports it and never throws.
struct EPRespawn final : EventBase {
  int32_t pNum = 0;
  explicit EPRespawn(games::TokenList l);
  std::string body() const;
};

struct ESuicide final : EventBase {
  int32_t pNum = 0;
  std::string reason;
  int32_t ping = 0;
  explicit ESuicide(games::TokenList l);
  std::string body() const;
};

struct EIActivate final : ItemPingEvent {
  explicit EIActivate(games::TokenList l);
  std::string body() const;
};

struct EIDeactivate final : EventBase {
  std::string item;
  int32_t pNum = 0;
  explicit EIDeactivate(games::TokenList l);
  std::string body() const;
};

struct EPConnect final : EventBase {
  std::string name;
  std::string ip;
  int32_t pNum = 0;
  std::string secret;  // empty when the line has no field 5
  explicit EPConnect(games::TokenList l);
  std::string body() const;
};

struct EPEnter final : EventBase {
  std::string name;
  int32_t pNum = 0;
  explicit EPEnter(games::TokenList l);
  std::string body() const;
};

struct EObserve final : CameraEvent {
  explicit EObserve(games::TokenList l);
  std::string body() const;
};

struct EPDisconnect final : EventBase {
  std::string name;
  std::string secret;  // never in the line: always empty
  int32_t pNum = 0;
  explicit EPDisconnect(games::TokenList l);
  std::string body() const;
};

struct EChat final : EventBase {
  std::string text;
  explicit EChat(games::TokenList l);
  std::string body() const;
};

struct EPRename final : EventBase {
  std::string oldName;
  std::string name;
  std::string secret;  // empty when the line has no field 6
  int32_t pNum = 0;
  int32_t ping = 0;
  explicit EPRename(games::TokenList l);
  std::string body() const;
};

struct EPReconnect final : EventBase {
  std::string name;
  std::string ip;
  int32_t pNum = 0;
  explicit EPReconnect(games::TokenList l);
  std::string body() const;
};

struct EIDrop final : EventBase {
  std::string item;
  int32_t pNum = 0;
  explicit EIDrop(games::TokenList l);
  std::string body() const;
};

struct EFratricide final : KillEvent {
  explicit EFratricide(games::TokenList l);
  std::string body() const;
};

struct EChasecam final : CameraEvent {
  explicit EChasecam(games::TokenList l);
  std::string body() const;
};

struct EAutocam final : CameraEvent {
  explicit EAutocam(games::TokenList l);
  std::string body() const;
};

// One player's shots per weapon. The five lists are parallel: index k of each describes the
// k-th weapon entry; totalGiven and totalReceived hold 0 where the entry has no damage pieces.
struct EPAccuracy final : EventBase {
  std::vector<std::string> weapon;
  std::vector<int32_t> totalHits;
  std::vector<int32_t> totalShots;
  std::vector<int32_t> totalGiven;
  std::vector<int32_t> totalReceived;
  int32_t damageGiven = 0;
  int32_t damageReceived = 0;
  int32_t pNum = 0;
  explicit EPAccuracy(games::TokenList l);
  std::string body() const;
};

struct ETeamRename final : EventBase {
  std::string oldTeam;
  std::string team;
  explicit ETeamRename(games::TokenList l);
  std::string body() const;
};

struct EGInit final : EventBase {
  std::string date;
  explicit EGInit(games::TokenList l);
  std::string body() const;
};

struct EGStart final : EventBase {
  explicit EGStart(games::TokenList l);
  std::string body() const;
};

struct EGEnd final : EventBase {
  std::string reason;
  std::string checksum;  // empty when the line has no field 3
  explicit EGEnd(games::TokenList l);
  std::string body() const;
};

struct EVote final : EventBase {
  std::string status;
  std::string var;  // var and val: both empty unless the line has fields 3 and 4
  std::string val;
  explicit EVote(games::TokenList l);
  std::string body() const;
};

struct EPTeamJoin final : EventBase {
  std::string team;
  int32_t pNum = 0;
  int32_t ping = 0;
  std::string name;
  explicit EPTeamJoin(games::TokenList l);
  std::string body() const;
};

struct EPTeamLeave final : EventBase {
  std::string team;
  int32_t pNum = 0;
  int32_t ping = 0;
  explicit EPTeamLeave(games::TokenList l);
  std::string body() const;
};

struct EPZbot final : EventBase {
  std::string name;
  std::string ip;
  int32_t pNum = 0;
  std::string botInfo;
  explicit EPZbot(games::TokenList l);
  std::string body() const;
};

// One event of a match, held by value; the replay dispatches on the held type with visit() or
// getIf().
using Event =
    games::EventOf<EIGet, EKill, EPRespawn, ESuicide, EIActivate, EIDeactivate, EInfo, EPConnect,
                   EPEnter, EObserve, EPDisconnect, EChat, EPRename, EPReconnect, EIDrop,
                   EFratricide, EChasecam, EAutocam, EPAccuracy, ETeamRename, EGInit, EGStart,
                   EGEnd, EVote, EPTeamJoin, EPTeamLeave, EPZbot>;

}  // namespace orvane::games::brk
