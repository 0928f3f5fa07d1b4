#include "programs/ScorexZLN/output/PlayerHtml.h"

template class orvane::programs::Scorex::output::CareerHtml<
    orvane::games::zln::Player, orvane::programs::ScorexZLN::output::PlayerTables>;
