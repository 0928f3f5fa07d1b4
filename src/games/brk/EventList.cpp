#include "games/brk/EventList.h"

#include "games/EventListDriver.h"

namespace orvane::games::brk {

namespace {

using Driver = games::EventListDriver<Event>;

constexpr Driver::Keyword kKeywords[] = {
    {"Item_Pickup", &Driver::append<EIGet>, false},
    {"Kill", &Driver::append<EKill>, true},
    {"Player_Respawn", &Driver::append<EPRespawn>, false},
    {"Suicide", &Driver::append<ESuicide>, true},
    {"Item_Use", &Driver::append<EIActivate>, false},
    {"Item_Expire", &Driver::append<EIDeactivate>, false},
    {"info", &Driver::append<EInfo>, false},
    {"Player_Connect", &Driver::append<EPConnect>, false},
    {"Player_Enter", &Driver::append<EPEnter>, false},
    {"Observe", &Driver::append<EObserve>, false},
    {"Player_Leave", &Driver::append<EPDisconnect>, false},
    {"Chat", &Driver::append<EChat>, false},
    {"Player_Rename", &Driver::append<EPRename>, false},
    {"Player_Reconnect", &Driver::append<EPReconnect>, false},
    {"Item_Drop", &Driver::append<EIDrop>, false},
    {"Fratricide", &Driver::append<EFratricide>, false},
    {"Chasecam", &Driver::append<EChasecam>, false},
    {"Autocam", &Driver::append<EAutocam>, false},
    {"Player_Accuracy", &Driver::append<EPAccuracy>, false},
    {"Game_Init", &Driver::append<EGInit>, false},
    {"Game_Start", &Driver::append<EGStart>, false},
    {"Game_End", &Driver::append<EGEnd>, false},
    {"Vote", &Driver::append<EVote>, false},
    {"Player_Team_Join", &Driver::append<EPTeamJoin>, false},
    {"Player_Team_Leave", &Driver::append<EPTeamLeave>, false},
    {"Team_Rename", &Driver::append<ETeamRename>, false},
    {"Player_ZBOT", &Driver::append<EPZbot>, false},
};

}  // namespace

std::optional<std::vector<Event>> EventList::parse(const games::TokenLines& l) {
  static const Driver driver(
      kKeywords, {"I EventList.parse", "O EventList.parse", "Error in EventList.parse: "});
  return driver.parse(l);
}

}  // namespace orvane::games::brk
