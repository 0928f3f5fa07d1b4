#pragma once

#include <cstdint>
#include <string>

#include "util/FileDescriptor.h"

namespace orvane::programs::Scorex::store {

// Keeps two runs from working on one database directory. A run holds an exclusive advisory
// lock on a fixed file there from its lock check to its end, and keeps one time-stamped
// "<milliseconds>.lock" file that it renews as it makes progress; a start that finds either
// held leaves its logs to the active run and ends. Owned by the run driver for one run.
class RunLock {
 public:
  // The fixed file that the advisory lock is taken on.
  static constexpr const char* kLockFileName = ".scorex-run";
  // A lock file younger than this (or as far in the future) belongs to an active run.
  static constexpr int64_t kFreshMillis = 300000;

  explicit RunLock(std::string dbDir) : dbDir(std::move(dbDir)) {}
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // Takes the advisory lock; false when another process holds it. A directory where the lock
  // file cannot be made at all counts as free (the run then fails on its first lock file).
  bool acquire();
  // Looks at every lock file: true when one is fresh. Stale ones are deleted; a name that is
  // not a number is reported and left alone.
  bool othersHold(int64_t now);
  // Writes the lock file for now and deletes the previous one. Throws when it cannot be made.
  void renew(int64_t now);
  // Deletes the current lock file, if there is one.
  void removeCurrent();
  // Gives the advisory lock back.
  void release();

  const std::string& currentFile() const { return current; }

 private:
  std::string dbDir;
  std::string current;
  util::FileDescriptor lock;  // the fixed file, holding the advisory lock
};

}  // namespace orvane::programs::Scorex::store
