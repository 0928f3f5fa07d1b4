#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "games/qmLog.h"

namespace orvane::games {

// The two fields every event of either module starts with. Each event is built once from the
// fields of one log line (field 0 the time, field 1 the keyword) and not changed afterwards. A
// constructor throws util::Failure when a field that must be a number is not; a line too short
// for its event only reports itself and leaves the event invalid.
struct EventBase {
  bool valid = false;
  double time = 0;

 protected:
  // Reports and returns false when the line has fewer than `required` fields; otherwise marks
  // the event valid, reads the time and returns true.
  bool begin(TokenList l, size_t required, std::string_view report);
};

// Readers for one field of a line; a position past the end throws util::Failure.
int32_t intAt(TokenList l, size_t i);
double floatAt(TokenList l, size_t i);
// False only for the exact text "False".
bool flagAt(TokenList l, size_t i);
std::string textAt(TokenList l, size_t i);

// An "info" line, read alike by both modules: 2 = infoType, 3 to the end = list. print() writes
// one further line per element of `list`.
struct EInfo final : EventBase {
  std::vector<std::string> list;  // positions 3 to the end, possibly none
  std::string infoType;
  explicit EInfo(TokenList l);
  std::string body() const;
};

}  // namespace orvane::games
