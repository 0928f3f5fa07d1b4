#include "games/zln/EventList.h"

#include "games/EventListDriver.h"

namespace orvane::games::zln {

namespace {

using Driver = games::EventListDriver<Event>;

constexpr Driver::Keyword kKeywords[] = {
    {"item_get", &Driver::append<EIGet>, false},
    {"kill", &Driver::append<EKill>, true},
    {"suicide", &Driver::append<ESuicide>, true},
    {"teamkill", &Driver::append<ETKill>, true},
    {"item_activate", &Driver::append<EIActivate>, false},
    {"item_deactivate", &Driver::append<EIDeactivate>, false},
    {"headshot", &Driver::append<EHeadShot>, false},
    {"dom_score_update", &Driver::append<EDScore>, false},
    {"controlpoint_capture", &Driver::append<ECPCapture>, false},
    {"flag_taken", &Driver::append<EFTaken>, false},
    {"flag_dropped", &Driver::append<EFDropped>, false},
    {"flag_captured", &Driver::append<EFCaptured>, false},
    {"flag_pickedup", &Driver::append<EFPickedup>, false},
    {"flag_returned", &Driver::append<EFReturned>, false},
    {"flag_returned_timeout", &Driver::append<EFReturnedt>, false},
    {"throw_translocator", &Driver::append<ETransThrow>, false},
    {"translocate", &Driver::append<ETrans>, false},
    {"translocate_gib", &Driver::append<ETransGib>, false},
    {"translocate_fail", &Driver::append<ETransFail>, false},
    {"info", &Driver::append<EInfo>, false},
    {"map", &Driver::append<EMap>, false},
    {"game", &Driver::append<EGame>, false},
    {"game_start", &Driver::append<EGStart>, false},
    {"game_end", &Driver::append<EGEnd>, false},
    {"typing", &Driver::append<ETyping>, false},
    {"assault_timelimit", &Driver::append<EATimelimit>, false},
    {"assault_gamecode", &Driver::append<EAGamecode>, false},
    {"assault_defender", &Driver::append<EADefender>, false},
    {"assault_attacker", &Driver::append<EAAttacker>, false},
};

// The "player" lines, chosen by field 2; their own fields start at position 3.
constexpr Driver::Keyword kPlayerKeywords[] = {
    {"Ping", &Driver::append<EPPing>, false},
    {"Connect", &Driver::append<EPConnect>, false},
    {"IsABot", &Driver::append<EPBot>, false},
    {"Disconnect", &Driver::append<EPDisconnect>, false},
    {"Rename", &Driver::append<EPRename>, false},
    {"Team", &Driver::append<EPTeam>, false},
    {"TeamID", &Driver::append<EPTeamID>, false},
    {"TeamName", &Driver::append<EPTeamName>, false},
    {"Skill", &Driver::append<EPSkill>, false},
};

}  // namespace

std::optional<std::vector<Event>> EventList::parse(const games::TokenLines& l) {
  static const Driver driver(
      kKeywords,
      {"I zln.EventList.parse", "O zln.EventList.parse", "Error in zln.EventList.parse: "},
      "player", kPlayerKeywords);
  return driver.parse(l);
}

}  // namespace orvane::games::zln
