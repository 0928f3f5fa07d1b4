#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "games/qmLog.h"

namespace orvane::games::brk {

// The two fields every event starts with. Each event is built once from the fields of one log
// line (field 0 the time, field 1 the keyword) and not changed afterwards. A constructor throws
// util::Failure when a field that must be a number is not; a line too short for its event only
// reports itself and leaves the event invalid.
struct EventBase {
  bool valid = false;
  double time = 0;

 protected:
  // Reports and returns false when the line has fewer than `required` fields; otherwise marks
  // the event valid, reads the time and returns true.
  bool begin(games::TokenList l, size_t required, std::string_view report);
};

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

// print() writes one further line per element of `list`.
struct EInfo final : EventBase {
  std::vector<std::string> list;  // positions 3 to the end, possibly none
  std::string infoType;
  explicit EInfo(games::TokenList l);
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

// One event of a match, held by value. The replay dispatches on the held type with visit() or
// getIf(); the event list keeps only valid events.
class Event {
 public:
  using Variant =
      std::variant<EIGet, EKill, EPRespawn, ESuicide, EIActivate, EIDeactivate, EInfo, EPConnect,
                   EPEnter, EObserve, EPDisconnect, EChat, EPRename, EPReconnect, EIDrop,
                   EFratricide, EChasecam, EAutocam, EPAccuracy, ETeamRename, EGInit, EGStart,
                   EGEnd, EVote, EPTeamJoin, EPTeamLeave, EPZbot>;

  // Implicit, as every event struct is an Event.
  template <class T>
  requires std::is_constructible_v<Variant, T&&> && std::is_base_of_v<EventBase, std::decay_t<T>>
  Event(T&& e) : v(std::forward<T>(e)) {}

  // Builds the event in place, straight from its line.
  template <class T>
  Event(std::in_place_type_t<T> type, games::TokenList l) : v(type, l) {}

  bool isValid() const;
  double getTime() const;
  // Writes the event's trace line(s) at severity 0; nothing when the event is invalid.
  void print() const;

  template <class F>
  decltype(auto) visit(F&& f) const {
    return std::visit(std::forward<F>(f), v);
  }
  template <class T>
  const T* getIf() const {
    return std::get_if<T>(&v);
  }

 private:
  Variant v;
};

}  // namespace orvane::games::brk
