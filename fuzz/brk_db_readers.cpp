// Brakk's database readers on hostile bytes: the match list, records and player index files as
// a run reads them, and the records, index entries and player store slots on their own.
#include <cstddef>
#include <cstdint>

#include "DbReaders.h"
#include "programs/ScorexBRK/Totals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvane::fuzz::readDatabase<orvane::programs::ScorexBRK::Totals>(data, size);
  return 0;
}
