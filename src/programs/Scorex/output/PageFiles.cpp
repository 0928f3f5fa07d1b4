#include "programs/Scorex/output/PageFiles.h"

#include "util/Files.h"

namespace orvane::programs::Scorex::output {

void PageFiles::write(const std::string& file, const std::string& bytes) {
  try {
    util::writeWholeFile(file, bytes);
  } catch (...) {
    ++failures;
    throw;
  }
}

}  // namespace orvane::programs::Scorex::output
