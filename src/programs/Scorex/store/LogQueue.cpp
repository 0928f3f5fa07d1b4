#include "programs/Scorex/store/LogQueue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/FaultPoint.h"
#include "util/Files.h"
#include "util/Staging.h"

namespace orvane::programs::Scorex::store {

namespace fs = std::filesystem;

namespace {

const int kMaxAttempts = 100000;
// The ending a processed log takes.
const size_t kDelLength = 4;

std::string lastComponent(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string directoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Files that belong to a database directory, left alone in silence when a directory is taken
// in. A "*.log" is a log whatever it starts with.
bool isDatabaseFile(const std::string& name) {
  if (name.ends_with(".log")) return false;
  return name.ends_with(".db") || name.ends_with(".lock") || name.ends_with(".del") ||
         name.starts_with(LogQueue::kIncomingPrefix) || name.starts_with(util::kSavingPrefix) ||
         name == ".scorex-run" || name.starts_with("scorex.journal");
}

// The database directory names its own files "*.db", "*.lock", "*.del", "scorex.journal" and
// hidden (".scorex-run", ".incoming-*", ".saving-*", ".scorex-tmp"). A log never ends in one
// of those endings, but a hidden log or a "scorex." log could be mistaken for one of the
// database's own files, today or by a later version: such a log is queued as "_" + its name.
std::string queueName(const std::string& name) {
  return name.starts_with(".") || name.starts_with("scorex.") ? "_" + name : name;
}

// The longest name a directory takes (NAME_MAX where the file system does not say).
size_t nameMax(const std::string& dir) {
  const long n = ::pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
  return n > 0 ? static_cast<size_t>(n) : NAME_MAX;
}

struct FreeName {
  std::string name;
  bool cut = false;  // shortened to fit
};

// A free name for a newcomer called name: name itself, or with a counter before its ".log".
// The text before the counter is cut where the whole would not fit into room bytes.
FreeName freeName(const std::string& name, int attempt, size_t room) {
  const bool isLog = name.ends_with(".log");
  FreeName free{name.substr(0, isLog ? name.size() - 4 : name.size())};
  std::string tail = attempt == 0 ? "" : "-" + std::to_string(attempt);
  if (isLog) tail.append(".log");
  if (free.name.size() + tail.size() > room) {
    free.name.resize(room > tail.size() ? room - tail.size() : 0);
    free.cut = true;
  }
  free.name.append(tail);
  return free;
}

// Links source into dir under the first free name for name (within room bytes); none, with
// errno set, when no link can be made.
std::optional<FreeName> linkFree(const std::string& source, const std::string& dir,
                                 const std::string& name, size_t room) {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const FreeName free = freeName(name, attempt, room);
    if (::link(source.c_str(), (dir + free.name).c_str()) == 0) return free;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

// Renames a file without ever replacing one: 0, or the errno of the failure (EEXIST when the
// target name is taken).
int renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without that flag: a new link never replaces either.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

// Renames a file to the first free name for name in its own directory; none when it vanished.
std::optional<std::string> renameFree(const std::string& path, const std::string& name) {
  const std::string dir = directoryOf(path);
  const size_t room = nameMax(dir);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const std::string to = dir + freeName(name, attempt, room).name;
    util::faultPoint();
    const int err = renameNoReplace(path, to);
    if (err == 0) return to;
    if (err == ENOENT) return std::nullopt;
    if (err != EEXIST)
      throw util::Failure(util::Failure::kIO, to + " (" + std::strerror(err) + ")");
  }
  throw util::Failure(util::Failure::kIO, dir + name + " (" + std::strerror(EEXIST) + ")");
}

std::string canonical(const std::string& entry) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(entry, ec), ec);
  return ec ? entry : p.string();
}

}  // namespace

LogQueue::LogQueue(std::string dbDir, int64_t maxLogSize)
    : dbDir(std::move(dbDir)), maxLogSize(maxLogSize) {
  const size_t longest = nameMax(this->dbDir);
  room = longest > kDelLength ? longest - kDelLength : 0;
}

bool LogQueue::isInsideQueue(const std::string& path) const {
  std::error_code ec;
  const fs::path parent = fs::path(path).parent_path();
  return fs::equivalent(parent, dbDir, ec) && !ec;
}

std::vector<std::string> LogQueue::candidates(const std::string& entry) const {
  const std::string path = canonical(entry);
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return {path};
  if (fs::equivalent(path, dbDir, ec) && !ec) return {};
  std::vector<std::string> paths;
  for (const std::string& name : util::listDirectory(path)) {
    if (!isDatabaseFile(name)) paths.push_back(path + "/" + name);
  }
  return paths;
}

void LogQueue::takeIn(const std::string& candidate, const std::string& mode,
                      const std::string& saveDir, bool logTmpFiles, int64_t now) const {
  std::string path = candidate;
  if (path.ends_with(".tmp")) {
    const auto modified = util::modifiedMillis(path);
    if (!modified) return;                             // vanished
    if (now - *modified < kTmpAgeMillis) return;       // still being written
    util::checkRegularFile(path, util::kNoSizeLimit);  // a FIFO is never a finished log
    // Only the final ".tmp" is replaced: "my.tmpdir/x.tmp" stays in its directory. A log of
    // that name already beside it stays; this one takes a free name there.
    const std::string name = lastComponent(path);
    const auto renamed = renameFree(path, name.substr(0, name.size() - 4) + ".log");
    if (!renamed || !logTmpFiles) return;  // renamed in place, not taken in
    path = *renamed;
  }
  // The queue processes nothing else: in the database directory anything else would stay for
  // good, and a file named like one of the database's own could be taken for it.
  if (!path.ends_with(".log")) {
    util::Debug::print("Not a log, left where it is: " + path, 0);
    return;
  }
  // A log already in the queue stays where it is.
  if (isInsideQueue(path)) return;
  const std::string name = lastComponent(path);
  if (mode == "delete") {
    moveIn(path, name);
    return;
  }
  copyIn(path, name);
  if (mode == "move") saveOriginal(path, name, saveDir);
}

void LogQueue::moveIn(const std::string& path, const std::string& name) const {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 && errno == ENOENT) return;  // moved already
  if (S_ISLNK(st.st_mode)) {
    // What the link leads to is copied in; only the link itself leaves.
    copyIn(path, name, true);
    ::unlink(path.c_str());
    return;
  }
  util::checkRegularFile(path, maxLogSize);
  if (linkIn(path, name, path)) {
    // Moved: the new link is in place, and made durable before the original name goes.
    util::syncDirectory(dbDir);
    ::unlink(path.c_str());
    return;
  }
  // Another file system, or one without hard links (or none to a file of another owner).
  if (errno != EXDEV && errno != EPERM) {
    throw util::Failure(util::Failure::kIO, dbDir + name + " (" + std::strerror(errno) + ")");
  }
  copyIn(path, name, true);
  ::unlink(path.c_str());
}

void LogQueue::copyIn(const std::string& path, const std::string& name, bool durable) const {
  // The bytes land under a temporary name first, so that no run ever reads half a log: in the
  // staging directory, held until the copy is placed, where a run removes it if this start
  // dies meanwhile.
  const std::optional<util::Directory> staging = util::holdStaging(dbDir, 0);
  const std::string tmp = temporaryName(staging ? staging->path() + "/" : dbDir);
  util::copyToNewFile(path, tmp, maxLogSize, durable);
  const bool linked = linkIn(tmp, name, path);
  const int err = errno;
  ::unlink(tmp.c_str());
  if (!linked)
    throw util::Failure(util::Failure::kIO, dbDir + name + " (" + std::strerror(err) + ")");
  // A copy whose original is removed next must survive a power cut.
  if (durable) util::syncDirectory(dbDir);
}

bool LogQueue::linkIn(const std::string& source, const std::string& name,
                      const std::string& from) const {
  const std::string base = queueName(name);
  const std::optional<FreeName> queued = linkFree(source, dbDir, base, room);
  if (!queued) return false;
  if (base != name) {
    util::Debug::print("Log queued as " + queued->name + " (name reserved): " + from, 0);
  } else if (queued->cut) {
    util::Debug::print("Log queued as " + queued->name + " (name too long): " + from, 0);
  }
  return true;
}

void LogQueue::saveOriginal(const std::string& path, const std::string& name,
                            const std::string& saveDir) const {
  struct stat st {};
  const int missing = ::stat(saveDir.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  if (missing != 0) {
    throw util::Failure(
        util::Failure::kFileNotFound,
        "SaveDir " + saveDir + " (" + std::strerror(missing) + "): " + path + " was not moved");
  }
  const size_t saveRoom = nameMax(saveDir);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const std::string to = saveDir + freeName(name, attempt, saveRoom).name;
    util::faultPoint();
    const int err = renameNoReplace(path, to);
    if (err == 0 || err == ENOENT) return;  // moved, or gone meanwhile
    if (err == EEXIST) continue;
    if (err != EXDEV) throw util::Failure(util::Failure::kIO, to + " (" + std::strerror(err) + ")");
    // Another file system: a complete copy under a temporary name is linked in.
    const std::string tmp = temporaryName(saveDir);
    util::copyToNewFile(path, tmp, util::kNoSizeLimit, true);
    const bool linked = linkFree(tmp, saveDir, name, saveRoom).has_value();
    const int linkErr = errno;
    ::unlink(tmp.c_str());
    if (!linked) {
      throw util::Failure(util::Failure::kIO, saveDir + name + " (" + std::strerror(linkErr) + ")");
    }
    util::syncDirectory(saveDir);
    ::unlink(path.c_str());
    return;
  }
  throw util::Failure(util::Failure::kIO, saveDir + name + " (" + std::strerror(EEXIST) + ")");
}

std::string LogQueue::temporaryName(const std::string& dir) const {
  static std::atomic<int> sequence{0};
  return dir + kIncomingPrefix + std::to_string(::getpid()) + "-" + std::to_string(sequence++) +
         ".part";
}

void LogQueue::removeStaleIncoming(int64_t now) const {
  for (const std::string& name : util::listDirectory(dbDir)) {
    if (name.starts_with(util::kSavingPrefix)) {
      ::unlink((dbDir + name).c_str());
      continue;
    }
    if (!name.starts_with(kIncomingPrefix)) continue;
    const auto modified = util::modifiedMillis(dbDir + name);
    if (modified && now - *modified > 3600000) ::unlink((dbDir + name).c_str());
  }
}

void LogQueue::returnProcessed() const {
  std::vector<std::string> names;
  try {
    names = util::listDirectory(dbDir);
  } catch (const util::Failure&) {
    return;  // no database directory: the run fails where it needs one
  }
  for (const std::string& name : names) {
    if (!name.ends_with(".log.del")) continue;
    const std::string from = dbDir + name;
    struct stat st {};
    // Only a log the run itself marked: a directory of that name is nobody's log.
    if (::lstat(from.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const std::string base = name.substr(0, name.size() - 4);
    for (int attempt = 0; attempt < 1000; ++attempt) {
      util::faultPoint();
      // A link never replaces an existing name, even one another start places right now.
      if (::link(from.c_str(), (dbDir + freeName(base, attempt, room).name).c_str()) == 0) {
        util::faultPoint();
        ::unlink(from.c_str());
        break;
      }
      if (errno != EEXIST)
        throw util::Failure(util::Failure::kIO, from + " (" + std::strerror(errno) + ")");
    }
  }
}

void LogQueue::shortenLongNames() const {
  std::vector<std::string> names;
  try {
    names = waiting();
  } catch (const util::Failure&) {
    return;  // no database directory: the run fails where it needs one
  }
  for (const std::string& name : names) {
    if (name.size() <= room) continue;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
      const std::string shorter = freeName(name, attempt, room).name;
      util::faultPoint();
      const int err = renameNoReplace(dbDir + name, dbDir + shorter);
      if (err == 0) {
        util::Debug::print("Log queued as " + shorter + " (name too long): " + dbDir + name, 0);
      }
      if (err == 0 || err == ENOENT) break;
      if (err != EEXIST) {
        throw util::Failure(util::Failure::kIO, dbDir + shorter + " (" + std::strerror(err) + ")");
      }
    }
  }
}

std::vector<std::string> LogQueue::waiting() const {
  std::vector<std::string> logs;
  for (const std::string& name : util::listDirectory(dbDir)) {
    if (name.ends_with(".log")) logs.push_back(name);
  }
  return logs;
}

}  // namespace orvane::programs::Scorex::store
