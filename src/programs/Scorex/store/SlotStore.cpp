#include "programs/Scorex/store/SlotStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <limits>
#include <utility>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/FaultPoint.h"

namespace orvane::programs::Scorex::store {

using util::Debug;

namespace {

constexpr int64_t kMaxSlot = std::numeric_limits<int32_t>::max();
constexpr int64_t kGrowth = 1000;  // slots added at a time

util::Failure ioFailure() { return util::Failure(util::Failure::kIO, std::strerror(errno)); }

// Reads exactly n bytes at off; a file that ends sooner is a failure.
std::string readAt(int fd, int64_t off, size_t n) {
  std::string buf(n, '\0');
  size_t done = 0;
  while (done < n) {
    const ssize_t r = ::pread(fd, buf.data() + done, n - done, static_cast<off_t>(off + done));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw ioFailure();
    if (r == 0) throw util::Failure(util::Failure::kEOF, "");
    done += static_cast<size_t>(r);
  }
  return buf;
}

void writeAt(int fd, int64_t off, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t r =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(off + done));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) throw ioFailure();
    done += static_cast<size_t>(r);
  }
}

}  // namespace

bool SlotStore::open(const std::string& path, bool deferWrites) {
  close();
  deferred = deferWrites;
  try {
    if (entrySize <= 0) {
      throw util::Failure(util::Failure::kIllegalArgument,
                          "slot size " + std::to_string(entrySize));
    }
    // Never through a link: a dangling one would have its target created.
    fd.reset(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!fd.valid()) {
      throw util::Failure(util::Failure::kFileNotFound, path + " (" + std::strerror(errno) + ")");
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw ioFailure();
    len = st.st_size;
    num = static_cast<int32_t>(std::min<int64_t>(len / entrySize, kMaxSlot));
    if (len > 0) {
      const int version = static_cast<int8_t>(readAt(fd.get(), 0, 1)[0]);
      if (version != 1) {
        // The file is left as it is and the store refuses everything until it is closed.
        refused = true;
        Debug::print("Error PlayerDB.open: Invalid DB Version", 0);
        Debug::print("    DB Version = " + std::to_string(version), 0);
        Debug::print("    Current Version = 1", 0);
        return false;
      }
    } else {
      put(0, std::string(1, '\1'));
    }
    return true;
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.open: ", e);
    // A file whose version could not be checked is not written to.
    fd.reset();
    return false;
  }
}

void SlotStore::close() {
  util::FileDescriptor f = std::move(fd);
  len = 0;
  num = 0;
  refused = false;
  deferred = false;
  pendingMarks.clear();
  pendingSlots.clear();
  if (!f.valid()) return;
  try {
    if (!f.close()) throw ioFailure();
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.close: ", e);
  }
}

std::optional<std::string> SlotStore::read(int32_t uid) const {
  if (refused) return std::nullopt;
  try {
    if (!fd.valid()) throw util::Failure(util::Failure::kIO, "the player store is not open");
    const int64_t loc = int64_t{uid} + kFirstCareerSlot;
    if (loc > 0 && loc < num) {
      const auto kept = pendingSlots.find(int64_t{entrySize} * loc);
      if (kept != pendingSlots.end()) return kept->second;
      return readAt(fd.get(), int64_t{entrySize} * loc, static_cast<size_t>(entrySize));
    }
    if (loc > 0 && loc < kFirstCareerSlot) return std::nullopt;  // a summary player not stored yet
    // The trace texts of reading are intended as they stand (PlayerDB.getPlayer).
    Debug::print("Error PlayerDB.getPlayer: Invalid Player Requested", 0);
    Debug::print("      loc=" + std::to_string(loc), 0);
    Debug::print("      num=" + std::to_string(num), 0);
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.getPlayer: ", e);
  }
  return std::nullopt;
}

void SlotStore::write(int32_t uid, const std::string& bytes) {
  if (refused) return;
  try {
    if (!fd.valid()) throw util::Failure(util::Failure::kIO, "the player store is not open");
    if (bytes.size() != static_cast<size_t>(entrySize)) {
      throw util::Failure(util::Failure::kIO, "a record of " + std::to_string(bytes.size()) +
                                                  " bytes for slots of " +
                                                  std::to_string(entrySize));
    }
    const int64_t loc = int64_t{uid} + kFirstCareerSlot;
    // The first career player of a new store leaves the slots below his to the summary players.
    if (num == 0 && loc == kFirstCareerSlot) num = kFirstCareerSlot;
    // Slot 0 holds the version: writing a record there would make the whole store unreadable.
    if (loc > num || loc < 1 || loc >= kMaxSlot) {
      // The trace texts of writing are intended as they stand (PlayerDB.putPlayer, loc>num).
      Debug::print("Error PlayerDB.putPlayer: loc>num", 0);
      Debug::print("      loc=" + std::to_string(loc), 0);
      Debug::print("      num=" + std::to_string(num), 0);
      return;
    }
    if (loc == num && num % kGrowth == 0) {
      const int64_t end = int64_t{entrySize} * (num + kGrowth);
      put(end, std::string(4, '\0'));
      len = end;
    }
    if (loc == num) ++num;
    put(int64_t{entrySize} * loc, bytes);
  } catch (const std::exception& e) {
    Debug::report("Error PlayerDB.putPlayer: ", e);
  }
}

void SlotStore::put(int64_t offset, const std::string& bytes) {
  if (!deferred) {
    util::faultPoint();
    writeAt(fd.get(), offset, bytes);
  } else if (bytes.size() == static_cast<size_t>(entrySize) && offset > 0) {
    pendingSlots[offset] = bytes;
  } else {
    pendingMarks.emplace_back(offset, bytes);
  }
}

std::vector<std::pair<int64_t, std::string>> SlotStore::takeDeferred() {
  std::vector<std::pair<int64_t, std::string>> writes = std::move(pendingMarks);
  for (auto& [offset, bytes] : pendingSlots) writes.emplace_back(offset, std::move(bytes));
  pendingMarks.clear();
  pendingSlots.clear();
  return writes;
}

}  // namespace orvane::programs::Scorex::store
