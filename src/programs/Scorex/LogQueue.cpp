#include "programs/Scorex/LogQueue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "util/Failure.h"
#include "util/FaultPoint.h"
#include "util/Files.h"
#include "util/Staging.h"

namespace orvane::programs::Scorex {

namespace fs = std::filesystem;

namespace {

std::string lastComponent(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Files that belong to the database itself, never logs to take in.
bool isDatabaseFile(const std::string& name) {
  return name.ends_with(".db") || name.ends_with(".lock") || name.ends_with(".del") ||
         name.starts_with(LogQueue::kIncomingPrefix) || name.starts_with(util::kSavingPrefix) ||
         name == ".scorex-run" || name.starts_with("scorex.journal");
}

std::string canonical(const std::string& entry) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(entry, ec), ec);
  return ec ? entry : p.string();
}

}  // namespace

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
    if (modified && now - *modified < kTmpAgeMillis) return;  // still being written
    // Only the final ".tmp" is replaced: "my.tmpdir/x.tmp" stays in its directory.
    const std::string logPath = path.substr(0, path.size() - 4) + ".log";
    std::error_code ec;
    if (fs::exists(logPath, ec) || ::rename(path.c_str(), logPath.c_str()) != 0) return;
    if (!logTmpFiles) return;  // renamed in place, not taken in
    path = logPath;
  }
  // A log already in the queue stays where it is.
  if (isInsideQueue(path)) return;
  const std::string name = lastComponent(path);
  if (mode == "delete") {
    place(path, name, false);
    return;
  }
  place(path, name, true);
  if (mode == "move") util::moveFile(path, saveDir + name);
}

std::string LogQueue::freeName(const std::string& name, int attempt) const {
  if (attempt == 0) return name;
  const bool isLog = name.ends_with(".log");
  std::string free(name, 0, isLog ? name.size() - 4 : name.size());
  free.append("-").append(std::to_string(attempt));
  if (isLog) free.append(".log");
  return free;
}

void LogQueue::place(const std::string& from, const std::string& name, bool keepFrom) const {
  static std::atomic<int> sequence{0};
  std::string source = from;
  std::string tmp;
  std::optional<util::Directory> staging;
  if (keepFrom || ::link(from.c_str(), (dbDir + name).c_str()) != 0) {
    if (!keepFrom && errno != EXDEV && errno != EEXIST && errno != EPERM) return;  // silent
    // The bytes land under a temporary name first, so that no run ever reads half a log: in the
    // staging directory, held until the copy is placed, where a run removes it if this start
    // dies meanwhile.
    staging = util::holdStaging(dbDir, 0);
    tmp = (staging ? staging->path() + "/" : dbDir) + kIncomingPrefix + std::to_string(::getpid()) +
          "-" + std::to_string(sequence++) + ".part";
    util::copyToNewFile(from, tmp);
    source = tmp;
  } else {
    ::unlink(from.c_str());  // moved: the new link is in place
    return;
  }
  // link() never replaces: a name that is taken gets the next counter.
  for (int attempt = 0; attempt < 100000; ++attempt) {
    if (::link(source.c_str(), (dbDir + freeName(name, attempt)).c_str()) == 0) {
      ::unlink(source.c_str());
      if (!keepFrom) ::unlink(from.c_str());
      return;
    }
    if (errno != EEXIST) break;
  }
  const int err = errno;
  ::unlink(tmp.c_str());
  throw util::Failure("IOException", dbDir + name + " (" + std::strerror(err) + ")");
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
      if (::link(from.c_str(), (dbDir + freeName(base, attempt)).c_str()) == 0) {
        util::faultPoint();
        ::unlink(from.c_str());
        break;
      }
      if (errno != EEXIST)
        throw util::Failure("IOException", from + " (" + std::strerror(errno) + ")");
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

}  // namespace orvane::programs::Scorex
