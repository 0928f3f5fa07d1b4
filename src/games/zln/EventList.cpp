#include "games/zln/EventList.h"

namespace orvane::games::zln {

namespace {

using Driver = games::EventListDriver<Event>;

constexpr Driver::Keyword kKeywords[] = {
    {"item_get", &Driver::make<EIGet>, false},
    {"kill", &Driver::make<EKill>, true},
    {"suicide", &Driver::make<ESuicide>, true},
    {"teamkill", &Driver::make<ETKill>, true},
    {"item_activate", &Driver::make<EIActivate>, false},
    {"item_deactivate", &Driver::make<EIDeactivate>, false},
    {"headshot", &Driver::make<EHeadShot>, false},
    {"dom_score_update", &Driver::make<EDScore>, false},
    {"controlpoint_capture", &Driver::make<ECPCapture>, false},
    {"flag_taken", &Driver::make<EFTaken>, false},
    {"flag_dropped", &Driver::make<EFDropped>, false},
    {"flag_captured", &Driver::make<EFCaptured>, false},
    {"flag_pickedup", &Driver::make<EFPickedup>, false},
    {"flag_returned", &Driver::make<EFReturned>, false},
    {"flag_returned_timeout", &Driver::make<EFReturnedt>, false},
    {"throw_translocator", &Driver::make<ETransThrow>, false},
    {"translocate", &Driver::make<ETrans>, false},
    {"translocate_gib", &Driver::make<ETransGib>, false},
    {"translocate_fail", &Driver::make<ETransFail>, false},
    {"info", &Driver::make<EInfo>, false},
    {"map", &Driver::make<EMap>, false},
    {"game", &Driver::make<EGame>, false},
    {"game_start", &Driver::make<EGStart>, false},
    {"game_end", &Driver::make<EGEnd>, false},
    {"typing", &Driver::make<ETyping>, false},
    {"assault_timelimit", &Driver::make<EATimelimit>, false},
    {"assault_gamecode", &Driver::make<EAGamecode>, false},
    {"assault_defender", &Driver::make<EADefender>, false},
    {"assault_attacker", &Driver::make<EAAttacker>, false},
};

// The "player" lines, chosen by field 2; their own fields start at position 3.
constexpr Driver::Keyword kPlayerKeywords[] = {
    {"Ping", &Driver::make<EPPing>, false},     {"Connect", &Driver::make<EPConnect>, false},
    {"IsABot", &Driver::make<EPBot>, false},    {"Disconnect", &Driver::make<EPDisconnect>, false},
    {"Rename", &Driver::make<EPRename>, false}, {"Team", &Driver::make<EPTeam>, false},
    {"TeamID", &Driver::make<EPTeamID>, false}, {"TeamName", &Driver::make<EPTeamName>, false},
    {"Skill", &Driver::make<EPSkill>, false},
};

}  // namespace

const Driver& EventList::driver() {
  static const Driver driver(
      kKeywords,
      {"I zln.EventList.parse", "O zln.EventList.parse", "Error in zln.EventList.parse: "},
      "player", kPlayerKeywords);
  return driver;
}

}  // namespace orvane::games::zln
