#pragma once

#include "games/zln/Player.h"
#include "programs/Scorex/output/CareerHtml.h"
#include "programs/ScorexZLN/output/PlayerTables.h"

namespace orvane::programs::ScorexZLN::output {

// Writes the text of one Zolnar career page (a player's, or a summary player's) in the frame of
// the all-time pages. Owned by the all-time page writer for one run.
using PlayerHtml = Scorex::output::CareerHtml<games::zln::Player, PlayerTables>;

}  // namespace orvane::programs::ScorexZLN::output

extern template class orvane::programs::Scorex::output::CareerHtml<
    orvane::games::zln::Player, orvane::programs::ScorexZLN::output::PlayerTables>;
