#include "util/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "util/Failure.h"
#include "util/FaultPoint.h"

namespace orvane::util {

namespace {

Failure ioFailure(const std::string& kind, const std::string& path) {
  return Failure(kind, path + " (" + std::strerror(errno) + ")");
}

// Closes the descriptor when the scope ends, however it ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
  int get() const { return fd; }
  int release() {
    const int f = fd;
    fd = -1;
    return f;
  }

 private:
  int fd;
};

Failure tooLarge(const std::string& path, int64_t size, int64_t maxBytes) {
  return Failure("IOException", path + " (too large: " + std::to_string(size) +
                                    " bytes, the limit is " + std::to_string(maxBytes) + ")");
}

void checkRegular(const std::string& path, const struct stat& st, int64_t maxBytes) {
  if (S_ISDIR(st.st_mode)) throw Failure("FileNotFoundException", path + " (Is a directory)");
  if (!S_ISREG(st.st_mode)) throw Failure("IOException", path + " (Not a regular file)");
  if (st.st_size > maxBytes) throw tooLarge(path, st.st_size, maxBytes);
}

// Opens a regular file for reading. O_NONBLOCK: opening a FIFO without a writer would wait
// forever; the checks are made on the opened file, which cannot be swapped any more.
int openRegular(const std::string& path, int64_t maxBytes, struct stat& st) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    throw ioFailure(errno == ENOENT ? "FileNotFoundException" : "IOException", path);
  }
  if (::fstat(fd.get(), &st) != 0) throw ioFailure("IOException", path);
  checkRegular(path, st, maxBytes);
  return fd.release();
}

void writeAll(int fd, const char* bytes, size_t size, const std::string& path) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ioFailure("IOException", path);
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
  const FileDescriptor fd(openRegular(path, maxBytes, st));
  std::string bytes;
  if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ioFailure("IOException", path);
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
    throw ioFailure(errno == ENOENT ? "FileNotFoundException" : "IOException", path);
  }
  checkRegular(path, st, maxBytes);
}

std::string savingName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return dir + kSavingPrefix + name + "." + std::to_string(::getpid());
}

void writeWholeFile(const std::string& path, const std::string& bytes, bool durable) {
  faultPoint();
  const std::string tmp = savingName(path);
  FileDescriptor fd(::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.get() < 0) throw ioFailure("IOException", path);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const Failure failure = ioFailure("IOException", path);
      ::unlink(tmp.c_str());
      throw failure;
    }
    done += static_cast<size_t>(n);
  }
  if ((durable && ::fsync(fd.get()) != 0) || ::close(fd.release()) != 0 ||
      (faultPoint(), ::rename(tmp.c_str(), path.c_str()) != 0)) {
    const Failure failure = ioFailure("IOException", path);
    ::unlink(tmp.c_str());
    throw failure;
  }
}

std::vector<std::string> listDirectory(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) throw ioFailure("FileNotFoundException", dir);
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

void copyToNewFile(const std::string& from, const std::string& to, int64_t maxBytes) {
  faultPoint();
  struct stat st {};
  const FileDescriptor in(openRegular(from, maxBytes, st));
  // Private while it is written; O_NOFOLLOW: a symbolic link planted under the name is refused.
  FileDescriptor out(
      ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (out.get() < 0) throw ioFailure("IOException", to);
  try {
    char buffer[1 << 16];
    int64_t copied = 0;
    for (;;) {
      const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw ioFailure("IOException", from);
      if (n == 0) break;
      copied += n;
      if (copied > maxBytes) throw tooLarge(from, copied, maxBytes);
      writeAll(out.get(), buffer, static_cast<size_t>(n), to);
    }
    // A copy of a private file stays private: the original's bits, whatever the umask.
    if (::fchmod(out.get(), (st.st_mode & 0777) | S_IRUSR | S_IWUSR) != 0 ||
        ::close(out.release()) != 0) {
      throw ioFailure("IOException", to);
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
  const std::string tmp = savingName(to);
  try {
    copyToNewFile(from, tmp);
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
  if (fd.get() < 0 || ::fsync(fd.get()) != 0) throw ioFailure("IOException", dir);
}

void syncFileSystem(const std::string& dir) {
  FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0 || ::syncfs(fd.get()) != 0) throw ioFailure("IOException", dir);
}

}  // namespace orvane::util
