#pragma once

#include <cstdint>
#include <string>

namespace orvane::programs::Scorex::output {

// Writes the pages of one writer and counts those that could not be written. A page writer
// reports a page that fails and goes on with the next; the run then asks the writer whether
// every page is there, since a site that misses pages must not be saved as a finished one.
class PageFiles {
 public:
  // Replaces file with bytes; a failure is counted, then thrown on to the page's writer.
  void write(const std::string& file, const std::string& bytes);
  bool allWritten() const { return failures == 0; }

 private:
  uint64_t failures = 0;
};

}  // namespace orvane::programs::Scorex::output
