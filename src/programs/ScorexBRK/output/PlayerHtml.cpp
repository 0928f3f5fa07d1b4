#include "programs/ScorexBRK/output/PlayerHtml.h"

template class orvane::programs::Scorex::output::CareerHtml<
    orvane::games::brk::Player, orvane::programs::ScorexBRK::output::PlayerTables>;
