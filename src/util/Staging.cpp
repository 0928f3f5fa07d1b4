#include "util/Staging.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "util/FaultPoint.h"

namespace orvane::util {

std::optional<Directory> holdStaging(const std::string& dir, int levels) {
  std::string at = dir;
  for (int level = 0;; ++level) {
    std::optional<Directory> staging = Directory::openIfDirectory(at + kStagingName);
    if (staging) {
      staging->lockShared();
      return staging;
    }
    if (level == levels || at.empty()) return std::nullopt;
    // One directory up, by the path's text: never past its first component.
    const std::string parent = at.substr(0, at.size() - 1);
    const size_t slash = parent.find_last_of('/');
    const std::string last = slash == std::string::npos ? parent : parent.substr(slash + 1);
    if (last.empty() || last == "." || last == "..") return std::nullopt;
    at = slash == std::string::npos ? "" : parent.substr(0, slash + 1);
  }
}

void createStaging(const std::string& root) {
  const std::string path = root + kStagingName;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 || errno != ENOENT) return;
  faultPoint();
  ::mkdir(path.c_str(), 0755);
}

void prepareStaging(const std::string& root) {
  const std::string path = root + kStagingName;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
    // The name is the run's own: a link or a file planted there goes, and what a link names
    // stays as it is.
    faultPoint();
    ::unlink(path.c_str());
  }
  createStaging(root);
  const std::optional<Directory> staging = Directory::openIfDirectory(path);
  if (!staging || !staging->tryLockExclusive()) return;
  for (const std::string& name : staging->names()) {
    // Writers make files only; a directory in here is somebody else's.
    if (staging->kind(name) == Directory::Kind::kDirectory) continue;
    faultPoint();
    staging->remove(name);
  }
}

void removeStaging(const std::string& root) {
  const std::string path = root + kStagingName;
  const std::optional<Directory> staging = Directory::openIfDirectory(path);
  if (!staging || !staging->tryLockExclusive()) return;
  faultPoint();
  // Fails, and the directory stays, when a file is left in it.
  ::rmdir(path.c_str());
}

}  // namespace orvane::util
