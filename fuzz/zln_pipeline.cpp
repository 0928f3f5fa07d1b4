// Zolnar log bytes (16-bit units) through the whole match path: the driver decodes the log,
// which is one match, the match is replayed, and when valid its pages (index, one per player)
// are written in memory.
#include <cstddef>
#include <cstdint>

#include "Pipeline.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/ScorexZLN/ScorexZLN.h"

namespace {

constexpr const char* kProgram = "ScorexZLN";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace orvane;
  fuzz::registerModule(kProgram, programs::ScorexZLN::ScorexZLN::module());
  programs::Scorex::output::FrameHtml::initZolnar();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvane::fuzz::runPipeline(kProgram, data, size);
  return 0;
}
