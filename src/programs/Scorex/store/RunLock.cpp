#include "programs/Scorex/store/RunLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace orvane::programs::Scorex::store {

using util::Debug;

bool RunLock::acquire() {
  if (lock.valid()) return true;
  // Never through a link: a dangling one would have its target created.
  lock.reset(
      ::open((dbDir + kLockFileName).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!lock.valid()) return true;
  if (::flock(lock.get(), LOCK_EX | LOCK_NB) == 0) return true;
  lock.reset();
  return false;
}

bool RunLock::othersHold(int64_t now) {
  bool held = false;
  for (const std::string& name : util::listDirectory(dbDir)) {
    if (!name.ends_with(".lock")) continue;
    try {
      const int64_t t = util::parseLong(name.substr(0, name.find(".lock")));
      // Subtract in unsigned arithmetic: a hostile name must not overflow.
      const int64_t age =
          static_cast<int64_t>(static_cast<uint64_t>(now) - static_cast<uint64_t>(t));
      if (age > -kFreshMillis && age < kFreshMillis) {
        held = true;
      } else {
        // Stale: a run that died, or a clock that was corrected since.
        ::unlink((dbDir + name).c_str());
      }
    } catch (const std::exception& e) {
      // The trace text is intended as it stands (the lock is checked for core.moveLogFiles).
      Debug::report("Error in core.moveLogFiles: ", e);
    }
  }
  return held;
}

void RunLock::renew(int64_t now) {
  const std::string next = dbDir + std::to_string(now) + ".lock";
  // Two renewals within one millisecond name the same file: keep it.
  if (next == current) return;
  // A new file, never one that is there already nor what a link names.
  const auto create = [&next] {
    return ::open(next.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  };
  util::FileDescriptor f(create());
  if (!f.valid() && errno == EEXIST) {
    // Not this run's (a stale lock of the same millisecond, a planted link): the run holds the
    // directory's lock, so it goes.
    ::unlink(next.c_str());
    f.reset(create());
  }
  if (!f.valid()) {
    throw util::Failure(util::Failure::kIO, next + " (" + std::strerror(errno) + ")");
  }
  f.reset();
  if (!current.empty()) ::unlink(current.c_str());
  current = next;
}

void RunLock::removeCurrent() {
  if (current.empty()) return;
  ::unlink(current.c_str());
  current.clear();
}

void RunLock::release() { lock.reset(); }

}  // namespace orvane::programs::Scorex::store
