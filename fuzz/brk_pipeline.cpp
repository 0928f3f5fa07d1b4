// Brakk log bytes through the whole match path: the driver cuts the log into matches, each is
// replayed, and every valid match's pages (index, bot list, one per player) are written in
// memory.
#include <cstddef>
#include <cstdint>

#include "Pipeline.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/ScorexBRK/ScorexBRK.h"

namespace {

constexpr const char* kProgram = "ScorexBRK";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace orvane;
  fuzz::registerModule(kProgram, programs::ScorexBRK::ScorexBRK::module());
  programs::Scorex::output::FrameHtml::init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvane::fuzz::runPipeline(kProgram, data, size);
  return 0;
}
