#include "util/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "util/Failure.h"
#include "util/FaultPoint.h"
#include "util/FileDescriptor.h"
#include "util/Staging.h"

namespace orvane::util {

namespace {

Failure ioFailure(Failure::Kind kind, const std::string& path) {
  return Failure(kind, path + " (" + std::strerror(errno) + ")");
}

Failure tooLarge(const std::string& path, int64_t size, int64_t maxBytes) {
  return Failure(util::Failure::kIO, path + " (too large: " + std::to_string(size) +
                                         " bytes, the limit is " + std::to_string(maxBytes) + ")");
}

void checkRegular(const std::string& path, const struct stat& st, int64_t maxBytes) {
  if (S_ISDIR(st.st_mode)) throw Failure(util::Failure::kFileNotFound, path + " (Is a directory)");
  if (!S_ISREG(st.st_mode)) throw Failure(util::Failure::kIO, path + " (Not a regular file)");
  if (st.st_size > maxBytes) throw tooLarge(path, st.st_size, maxBytes);
}

// Opens a regular file for reading. O_NONBLOCK: opening a FIFO without a writer would wait
// forever; the checks are made on the opened file, which cannot be swapped any more.
FileDescriptor openRegular(const std::string& path, int64_t maxBytes, struct stat& st) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    throw ioFailure(errno == ENOENT ? util::Failure::kFileNotFound : util::Failure::kIO, path);
  }
  if (::fstat(fd.get(), &st) != 0) throw ioFailure(util::Failure::kIO, path);
  checkRegular(path, st, maxBytes);
  return fd;
}

void writeAll(int fd, const char* bytes, size_t size, const std::string& path) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ioFailure(util::Failure::kIO, path);
    done += static_cast<size_t>(n);
  }
}

}  // namespace

bool isReadableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

std::string readWholeFile(const std::string& path, int64_t maxBytes) {
  struct stat st {};
  const FileDescriptor fd = openRegular(path, maxBytes, st);
  std::string bytes;
  if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ioFailure(util::Failure::kIO, path);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    // A file that grows while it is read is held to the same limit.
    const auto size = static_cast<int64_t>(bytes.size());
    if (size > maxBytes) throw tooLarge(path, size, maxBytes);
  }
  return bytes;
}

void checkRegularFile(const std::string& path, int64_t maxBytes) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    throw ioFailure(errno == ENOENT ? util::Failure::kFileNotFound : util::Failure::kIO, path);
  }
  checkRegular(path, st, maxBytes);
}

namespace {

// Sixteen hex digits nobody can predict, for names a planted file cannot take in advance.
std::string randomHex() {
  static std::atomic<uint64_t> counter{0};
  uint64_t v = 0;
  if (::getrandom(&v, sizeof v, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof v)) {
    // No entropy yet (early boot): unique, if guessable; O_EXCL still refuses a planted name.
    v = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<uint64_t>(::getpid()) << 32) ^ counter++;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (char& c : hex) {
    c = kDigits[v & 15];
    v >>= 4;
  }
  return hex;
}

enum class Step { kDone, kCreate, kWrite, kRename };

// Writes bytes into the new file tmp of the directory dirFd, then renames it over path. Returns
// kDone, or the step that failed with its errno; the temporary file is then gone again.
std::pair<Step, int> writeThenRename(int dirFd, const std::string& tmp, const std::string& path,
                                     const std::string& bytes, bool durable) {
  FileDescriptor fd(
      ::openat(dirFd, tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (fd.get() < 0) return {Step::kCreate, errno};
  Step failed = Step::kWrite;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    done += static_cast<size_t>(n);
  }
  if (done == bytes.size() && (!durable || ::fsync(fd.get()) == 0) && fd.close()) {
    failed = Step::kRename;
    faultPoint();
    if (::renameat(dirFd, tmp.c_str(), AT_FDCWD, path.c_str()) == 0) return {Step::kDone, 0};
  }
  const int err = errno;
  ::unlinkat(dirFd, tmp.c_str(), 0);
  return {failed, err};
}

}  // namespace

std::string temporaryName(const std::string& name) {
  return kSavingPrefix + name.substr(0, 64) + "." + randomHex();
}

void writeWholeFile(const std::string& path, const std::string& bytes, bool durable) {
  faultPoint();
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // Match pages lie two directories below the top of their tree, where its staging directory is;
  // the modern site's match data three (live/data/matches/).
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::optional<Directory> staging = holdStaging(dir, 3);
    if (!staging) break;
    const auto [step, err] =
        writeThenRename(staging->descriptor(), temporaryName(name), path, bytes, durable);
    if (step == Step::kDone) return;
    // Removed since it was opened (a run that ended), or the name taken: try again.
    if (step == Step::kCreate && (err == ENOENT || err == EEXIST)) continue;
    // Not writable for this user, or the target on another file system: beside the target.
    if (step == Step::kCreate || (step == Step::kRename && err == EXDEV)) break;
    errno = err;
    throw ioFailure(util::Failure::kIO, path);
  }
  // A name that is taken already (a planted file, say) is tried again under another.
  for (int attempt = 0;; ++attempt) {
    const auto [step, err] =
        writeThenRename(AT_FDCWD, dir + temporaryName(name), path, bytes, durable);
    if (step == Step::kDone) return;
    if (step != Step::kCreate || err != EEXIST || attempt == 3) {
      errno = err;
      throw ioFailure(util::Failure::kIO, path);
    }
  }
}

std::vector<std::string> listDirectory(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) throw ioFailure(util::Failure::kFileNotFound, dir);
  return takeSortedNames(d);
}

std::vector<std::string> takeSortedNames(DIR* d) {
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<int64_t> modifiedMillis(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

void copyToNewFile(const std::string& from, const std::string& to, int64_t maxBytes, bool durable) {
  faultPoint();
  struct stat st {};
  const FileDescriptor in = openRegular(from, maxBytes, st);
  // Private while it is written; O_NOFOLLOW: a symbolic link planted under the name is refused.
  FileDescriptor out(
      ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (out.get() < 0) throw ioFailure(util::Failure::kIO, to);
  try {
    char buffer[1 << 16];
    int64_t copied = 0;
    for (;;) {
      const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw ioFailure(util::Failure::kIO, from);
      if (n == 0) break;
      copied += n;
      if (copied > maxBytes) throw tooLarge(from, copied, maxBytes);
      writeAll(out.get(), buffer, static_cast<size_t>(n), to);
    }
    // A copy of a private file stays private: the original's bits, whatever the umask.
    if (::fchmod(out.get(), (st.st_mode & 0777) | S_IRUSR | S_IWUSR) != 0 ||
        (durable && ::fsync(out.get()) != 0) || !out.close()) {
      throw ioFailure(util::Failure::kIO, to);
    }
  } catch (const Failure&) {
    ::unlink(to.c_str());
    throw;
  }
}

bool moveFile(const std::string& from, const std::string& to) {
  faultPoint();
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  // Another file system: copy beside the target under a temporary name, then rename.
  const size_t slash = to.find_last_of('/');
  const std::string tmp = slash == std::string::npos
                              ? temporaryName(to)
                              : to.substr(0, slash + 1) + temporaryName(to.substr(slash + 1));
  try {
    copyToNewFile(from, tmp, kNoSizeLimit, true);
  } catch (const Failure&) {
    return false;
  }
  if (::rename(tmp.c_str(), to.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  ::unlink(from.c_str());
  return true;
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void syncDirectory(const std::string& dir) {
  FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0 || ::fsync(fd.get()) != 0) throw ioFailure(util::Failure::kIO, dir);
}

void syncFileSystem(const std::string& dir) {
  FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0 || ::syncfs(fd.get()) != 0) throw ioFailure(util::Failure::kIO, dir);
}

}  // namespace orvane::util
