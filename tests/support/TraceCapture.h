#pragma once

#include <sstream>

#include "util/Debug.h"

namespace orvane::testing {

// The trace (util::Debug) written into this stream for the object's life, from the start-up
// level 0; when the object goes, the trace is back at its start-up state (standard output).
// A fixture's member: `testing::TraceCapture trace;`, then `trace.str()` is what was written.
class TraceCapture : public std::ostringstream {
 public:
  TraceCapture() {
    util::Debug::reset();
    util::Debug::setStream(this);
  }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;
  ~TraceCapture() override { util::Debug::reset(); }
};

}  // namespace orvane::testing
