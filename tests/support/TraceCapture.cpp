#include "TraceCapture.h"

#include "util/Debug.h"

namespace orvane::testing {

TraceCapture::TraceCapture() {
  util::Debug::reset();
  util::Debug::setStream(this);
}

TraceCapture::~TraceCapture() { util::Debug::reset(); }

}  // namespace orvane::testing
