#include "programs/ScorexZLN/output/GameHtml.h"

namespace orvane::programs::ScorexZLN::output {

void GameHtml::writeGame(const games::Game&, const std::string&, const std::string&, int32_t) {}

}  // namespace orvane::programs::ScorexZLN::output
