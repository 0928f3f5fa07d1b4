#pragma once

#include <cstdint>
#include <exception>
#include <ostream>
#include <string>
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

  // While one lives, the lines written are kept in its buffer instead, to be written later
  // with write() or dropped: a match replayed while its lines are still being read holds the
  // replay's lines until the reading's own are out, so the trace reads in the same order as
  // when the two ran one after the other. Holds nest; the innermost keeps the lines.
  class Hold {
   public:
    explicit Hold(std::string& buffer) : previous(held) { held = &buffer; }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold() { held = previous; }

   private:
    std::string* previous;
  };
  // Writes lines kept by a Hold (or by the innermost one still holding).
  static void write(std::string_view lines);

  // Test hooks: redirect the output and restore the start-up state (level 0, standard output).
  static void setStream(std::ostream* os);
  static void reset();

 private:
  // Where the trace goes, as setType names it: "StdOut" or "None".
  enum Output : int32_t { kStdOut = 0, kNone = 3 };

  static int32_t level;
  static Output type;
  static std::ostream* out;
  static std::string* held;
};

}  // namespace orvane::util
