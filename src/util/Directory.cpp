#include "util/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::util {

namespace {

// O_NOFOLLOW with O_DIRECTORY refuses a link in the directory's place, whatever it names.
constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

Failure openFailure(const std::string& path) {
  return Failure(util::Failure::kFileNotFound, path + " (" + std::strerror(errno) + ")");
}

}  // namespace

Directory::Directory(const std::string& path)
    : fd(::open(path.empty() ? "." : path.c_str(), kOpenFlags)), name(path) {
  if (!fd.valid()) throw openFailure(path);
}

std::optional<Directory> Directory::openIfDirectory(const std::string& path) {
  FileDescriptor f(::open(path.empty() ? "." : path.c_str(), kOpenFlags));
  if (!f.valid()) return std::nullopt;
  return Directory(std::move(f), path);
}

Directory Directory::child(const std::string& entry) const {
  const std::string path = name.empty() || name.ends_with('/') ? name + entry : name + "/" + entry;
  FileDescriptor f(::openat(fd.get(), entry.c_str(), kOpenFlags));
  if (!f.valid()) throw openFailure(path);
  return Directory(std::move(f), path);
}

std::vector<std::string> Directory::names() const {
  FileDescriptor copy(::dup(fd.get()));
  DIR* d = copy.valid() ? ::fdopendir(copy.get()) : nullptr;
  if (d == nullptr) throw openFailure(name);
  // The stream owns the copy from here on and closes it with itself.
  copy.release();
  // The copy shares the reading position with fd: start from the top every time.
  ::rewinddir(d);
  return takeSortedNames(d);
}

Directory::Kind Directory::kind(const std::string& entry) const {
  struct stat st {};
  if (::fstatat(fd.get(), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return Kind::kMissing;
  if (S_ISREG(st.st_mode)) return Kind::kFile;
  if (S_ISDIR(st.st_mode)) return Kind::kDirectory;
  if (S_ISLNK(st.st_mode)) return Kind::kLink;
  return Kind::kOther;
}

bool Directory::writable(const std::string& entry) const {
  return ::faccessat(fd.get(), entry.c_str(), W_OK, AT_SYMLINK_NOFOLLOW) == 0;
}

bool Directory::remove(const std::string& entry) const {
  return ::unlinkat(fd.get(), entry.c_str(), 0) == 0;
}

bool Directory::removeDirectory(const std::string& entry) const {
  return ::unlinkat(fd.get(), entry.c_str(), AT_REMOVEDIR) == 0;
}

void Directory::lockShared() const {
  while (::flock(fd.get(), LOCK_SH) != 0 && errno == EINTR) {
  }
}

bool Directory::tryLockExclusive() const { return ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0; }

}  // namespace orvane::util
