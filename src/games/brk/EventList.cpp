#include "games/brk/EventList.h"

namespace orvane::games::brk {

namespace {

using Driver = games::EventListDriver<Event>;

constexpr Driver::Keyword kKeywords[] = {
    {"Item_Pickup", &Driver::make<EIGet>, false},
    {"Kill", &Driver::make<EKill>, true},
    {"Player_Respawn", &Driver::make<EPRespawn>, false},
    {"Suicide", &Driver::make<ESuicide>, true},
    {"Item_Use", &Driver::make<EIActivate>, false},
    {"Item_Expire", &Driver::make<EIDeactivate>, false},
    {"info", &Driver::make<EInfo>, false},
    {"Player_Connect", &Driver::make<EPConnect>, false},
    {"Player_Enter", &Driver::make<EPEnter>, false},
    {"Observe", &Driver::make<EObserve>, false},
    {"Player_Leave", &Driver::make<EPDisconnect>, false},
    {"Chat", &Driver::make<EChat>, false},
    {"Player_Rename", &Driver::make<EPRename>, false},
    {"Player_Reconnect", &Driver::make<EPReconnect>, false},
    {"Item_Drop", &Driver::make<EIDrop>, false},
    {"Fratricide", &Driver::make<EFratricide>, false},
    {"Chasecam", &Driver::make<EChasecam>, false},
    {"Autocam", &Driver::make<EAutocam>, false},
    {"Player_Accuracy", &Driver::make<EPAccuracy>, false},
    {"Game_Init", &Driver::make<EGInit>, false},
    {"Game_Start", &Driver::make<EGStart>, false},
    {"Game_End", &Driver::make<EGEnd>, false},
    {"Vote", &Driver::make<EVote>, false},
    {"Player_Team_Join", &Driver::make<EPTeamJoin>, false},
    {"Player_Team_Leave", &Driver::make<EPTeamLeave>, false},
    {"Team_Rename", &Driver::make<ETeamRename>, false},
    {"Player_ZBOT", &Driver::make<EPZbot>, false},
};

}  // namespace

const Driver& EventList::driver() {
  static const Driver driver(
      kKeywords, {"I EventList.parse", "O EventList.parse", "Error in EventList.parse: "});
  return driver;
}

}  // namespace orvane::games::brk
