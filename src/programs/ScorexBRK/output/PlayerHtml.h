#pragma once

#include "games/brk/Player.h"
#include "programs/Scorex/output/CareerHtml.h"
#include "programs/ScorexBRK/output/PlayerTables.h"

namespace orvane::programs::ScorexBRK::output {

// Writes the text of one career page (a player's, or a summary player's) in the frame of the
// all-time pages. Owned by the all-time page writer for one run.
using PlayerHtml = Scorex::output::CareerHtml<games::brk::Player, PlayerTables>;

}  // namespace orvane::programs::ScorexBRK::output

extern template class orvane::programs::Scorex::output::CareerHtml<
    orvane::games::brk::Player, orvane::programs::ScorexBRK::output::PlayerTables>;
