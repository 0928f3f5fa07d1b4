#pragma once

#include <cstdint>
#include <exception>
#include <ostream>
#include <string_view>

namespace orvane::util {

// The diagnostic trace: one process-wide channel, filtered by a level, that every operation
// reports its entry, exit and caught failures through. Written from the work thread only.
class Debug {
 public:
  static void setLevel(int32_t lvl);
  static void setType(std::string_view tp);
  // Writes text and a line end when the trace is on and severity is not above the level.
  static void print(std::string_view text, int32_t severity);
  // Writes the line of a caught failure at severity 0: prefix, then the failure's text.
  static void report(std::string_view prefix, const std::exception& e);
  // True when a message of this severity would be written; lets hot paths skip building texts.
  static bool shows(int32_t severity) { return type == kStdOut && level >= severity; }

  static int32_t getLevel() { return level; }
  // Test hooks: redirect the output and restore the start-up state (level 0, standard output).
  static void setStream(std::ostream* os);
  static void reset();

 private:
  // Where the trace goes, as setType names it: "StdOut" or "None".
  enum Output : int32_t { kStdOut = 0, kNone = 3 };

  static int32_t level;
  static Output type;
  static std::ostream* out;
};

}  // namespace orvane::util
