#pragma once

namespace orvane::programs::Scorex::run {

// Thrown to end the process with a status from deep inside a run (a second start that hands
// its logs to the active run). It is no std::exception, so no operation's failure handling
// catches it; the stack unwinds (joining the window's thread) up to the entry, which returns
// the status from main.
struct ProcessExit {
  int status;
};

}  // namespace orvane::programs::Scorex::run
