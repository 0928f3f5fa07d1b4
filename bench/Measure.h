#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane::bench {

// What one run of a program cost, taken by its parent (see runMeasured).
struct Measured {
  double wall = 0;  // seconds, from fork to exit
  double user = 0;
  double sys = 0;
  int64_t peakKiB = 0;
  bool ioKnown = false;  // false when /proc/PID/io could not be read
  uint64_t readBytes = 0;
  uint64_t writtenBytes = 0;
  int64_t filesWritten = 0;
  int status = 0;  // the exit status, or 128 + the signal that ended it
};

// Runs program with args in the directory home, headless (DISPLAY and WAYLAND_DISPLAY taken out
// of the environment), stdin from /dev/null, stdout and stderr into trace.
//   - wall: a steady clock around fork and exit;
//   - user, sys, peak: the rusage wait4 returns for the child. The child is forked from this
//     program, whose resident size its peak starts from, so the caller keeps itself small;
//   - bytes read and written: rchar and wchar of /proc/PID/io, read while the child is a zombie
//     (waited for with WNOWAIT), then reaped; they count every read and write call, the logs,
//     the database, the pages and the trace alike;
//   - files written: regular files below home modified at or after the start (a file written
//     and then deleted is missed).
Measured runMeasured(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& home, const std::filesystem::path& trace);

// Regular files below dir whose modification time is at or after the given time (seconds and
// nanoseconds since 1970).
int64_t filesModifiedSince(const std::filesystem::path& dir, int64_t seconds, int64_t nanos);

// This process's resident memory in KiB (VmRSS), 0 when unknown.
int64_t residentKiB();

}  // namespace orvane::bench
