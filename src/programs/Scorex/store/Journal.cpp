#include "programs/Scorex/store/Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <span>

#include "util/BigEndian.h"
#include "util/Checksum.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/FaultPoint.h"
#include "util/FileDescriptor.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::store {

namespace {

constexpr std::string_view kMagic = "SCOREXJ1";
// The kinds of a change: a file's whole new content, bytes at an offset in a file, or the file
// cut to a length.
constexpr uint8_t kWholeFile = 1;
constexpr uint8_t kBytesAtOffset = 2;
constexpr uint8_t kCut = 3;

util::Failure ioFailure(const std::string& path) {
  return util::Failure(util::Failure::kIO, path + " (" + std::strerror(errno) + ")");
}

// Writes each change's bytes at its offset into the file (created when missing, never through a
// link), in order, and makes them durable together: one flush for the file, not one per change
// (a run's player records are hundreds of changes to one file).
void patchFile(const std::string& path, std::span<const Journal::Change> changes) {
  util::FileDescriptor fd;
  for (const Journal::Change& c : changes) {
    util::faultPoint();
    if (!fd.valid()) {
      fd = util::FileDescriptor(
          ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
      if (!fd.valid()) throw ioFailure(path);
    }
    if (c.cut) {
      if (::ftruncate(fd.get(), static_cast<off_t>(c.offset)) != 0) throw ioFailure(path);
      continue;
    }
    size_t done = 0;
    while (done < c.bytes.size()) {
      const ssize_t n = ::pwrite(fd.get(), c.bytes.data() + done, c.bytes.size() - done,
                                 static_cast<off_t>(c.offset + static_cast<int64_t>(done)));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw ioFailure(path);
      done += static_cast<size_t>(n);
    }
  }
  if (fd.valid() && (::fsync(fd.get()) != 0 || !fd.close())) throw ioFailure(path);
}

}  // namespace

void Journal::replaceFile(std::string name, std::string bytes) {
  list.push_back({std::move(name), true, false, 0, std::move(bytes)});
}

void Journal::writeAt(std::string name, int64_t offset, std::string bytes) {
  list.push_back({std::move(name), false, false, offset, std::move(bytes)});
}

void Journal::cutAt(std::string name, int64_t size) {
  list.push_back({std::move(name), false, true, size, {}});
}

std::string Journal::encode() const {
  util::BigEndianWriter out;
  out.writeBytes(std::string(kMagic));
  out.writeInt(static_cast<int32_t>(list.size()));
  for (const Change& c : list) {
    out.writeByte(c.whole ? kWholeFile : (c.cut ? kCut : kBytesAtOffset));
    out.writeText(c.name);
    if (!c.whole) out.writeLong(c.offset);
    out.writeText(c.bytes);
  }
  // The hash goes on the same buffer: a run's journal may hold megabytes of archive records.
  out.writeLong(static_cast<int64_t>(util::fnv1a64(out.bytes())));
  return out.take();
}

std::optional<Journal> Journal::decode(std::string_view bytes) {
  if (bytes.size() < kMagic.size() + 12 || bytes.substr(0, kMagic.size()) != kMagic) {
    return std::nullopt;
  }
  const std::string_view body = bytes.substr(0, bytes.size() - 8);
  util::BigEndianReader sum(bytes.substr(bytes.size() - 8));
  if (static_cast<uint64_t>(sum.readLong()) != util::fnv1a64(body)) return std::nullopt;
  try {
    util::BigEndianReader in(body.substr(kMagic.size()));
    Journal j;
    const int32_t count = in.readInt();
    for (int32_t i = 0; i < count; ++i) {
      Change c;
      const int kind = in.readByte();
      if (kind != kWholeFile && kind != kBytesAtOffset && kind != kCut) return std::nullopt;
      c.whole = kind == kWholeFile;
      c.cut = kind == kCut;
      c.name = in.readText(body.size());
      if (!c.whole) c.offset = in.readLong();
      c.bytes = in.readText(body.size());
      // Only plain names of the database directory, at offsets in a file.
      if (c.name.empty() || c.name.find('/') != std::string::npos || c.name[0] == '.' ||
          c.offset < 0 || (c.cut && !c.bytes.empty())) {
        return std::nullopt;
      }
      j.list.push_back(std::move(c));
    }
    if (in.remaining() != 0) return std::nullopt;
    return j;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void Journal::dropUnchanged(const std::string& dir) {
  std::erase_if(list, [&dir](const Change& c) {
    const std::string path = dir + c.name;
    if (c.whole) {
      try {
        return util::isReadableFile(path) && util::readWholeFile(path) == c.bytes;
      } catch (const std::exception&) {
        return false;
      }
    }
    const util::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) return false;
    if (c.cut) {
      struct stat st {};
      return ::fstat(fd.get(), &st) == 0 && st.st_size == c.offset;
    }
    std::string now(c.bytes.size(), '\0');
    const ssize_t n = ::pread(fd.get(), now.data(), now.size(), static_cast<off_t>(c.offset));
    return n == static_cast<ssize_t>(now.size()) && now == c.bytes;
  });
}

void Journal::check(const std::string& dir) const {
  for (const Change& c : list) {
    const std::string path = dir + c.name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) continue;
    // A file replaced whole replaces a link itself; one changed in place would not follow the
    // link, so that is refused before anything is committed.
    if (S_ISLNK(st.st_mode) && c.whole) continue;
    if (!S_ISREG(st.st_mode)) {
      errno = S_ISLNK(st.st_mode) ? ELOOP : EISDIR;
      throw ioFailure(path);
    }
    if (::access(path.c_str(), W_OK) != 0) throw ioFailure(path);
  }
  if (::access(dir.empty() ? "." : dir.c_str(), W_OK) != 0) throw ioFailure(dir);
}

void Journal::commit(const std::string& dir) const {
  // Written under a temporary name and made durable first: under its own name a journal is
  // always whole.
  util::writeWholeFile(dir + kName, encode(), true);
  util::syncDirectory(dir);
}

void Journal::apply(const std::string& dir) const {
  for (size_t i = 0; i < list.size();) {
    const Change& c = list[i];
    if (c.whole) {
      util::writeWholeFile(dir + c.name, c.bytes, true);
      ++i;
      continue;
    }
    // The changes at offsets of one file that follow each other go in together.
    size_t end = i + 1;
    while (end < list.size() && !list[end].whole && list[end].name == c.name) ++end;
    patchFile(dir + c.name, std::span<const Change>(list).subspan(i, end - i));
    i = end;
  }
  util::syncDirectory(dir);
  util::faultPoint();
  if (std::remove((dir + kName).c_str()) != 0) throw ioFailure(dir + kName);
  util::syncDirectory(dir);
}

void Journal::recover(const std::string& dir) {
  const std::string path = dir + kName;
  if (!util::isReadableFile(path)) return;
  try {
    const std::optional<Journal> j = decode(util::readWholeFile(path));
    if (!j) {
      util::faultPoint();
      std::rename(path.c_str(), (path + ".damaged").c_str());
      throw util::Failure(util::Failure::kIO, path + " is not a whole journal; moved aside");
    }
    util::Debug::print("Completing the database changes of an interrupted run", 0);
    j->apply(dir);
  } catch (const std::exception& e) {
    util::Debug::report("Error in Journal.recover: ", e);
    throw;
  }
}

}  // namespace orvane::programs::Scorex::store
