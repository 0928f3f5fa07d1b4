#pragma once

#include <exception>
#include <string>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::output {

// The trace lines of one table builder of the all-time and career pages: its entry and exit
// lines and the prefix of its failure line, each a whole literal.
struct Traced {
  const char* in;
  const char* out;
  const char* error;
};

// Runs a builder between its entry and exit lines (at severity 1); a failure ends the builder
// and is traced with its prefix at severity 0, and the exit line still follows.
template <class Build>
void traced(const Traced& lines, Build build) {
  util::Debug::print(lines.in, 1);
  try {
    build();
  } catch (const std::exception& e) {
    util::Debug::report(lines.error, e);
  }
  util::Debug::print(lines.out, 1);
}

}  // namespace orvane::programs::Scorex::output
