#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::programs::Scorex {

// The database directory as the queue of waiting logs: every name ending in ".log" there is
// processed by the next pass of a run, whoever put it there. Taking a log in never replaces or
// moves a file that is already in the directory, and a log appears there only when complete.
class LogQueue {
 public:
  // Prefix of the temporary names under which logs are copied in (they end in ".part").
  static constexpr const char* kIncomingPrefix = ".incoming-";
  // A ".tmp" log younger than this is still being written by a game server.
  static constexpr int64_t kTmpAgeMillis = 7200000;

  explicit LogQueue(std::string dbDir) : dbDir(std::move(dbDir)) {}

  // The candidate paths of one command-line entry: the files of a directory (sorted), or the
  // entry itself. The database directory itself gives none.
  std::vector<std::string> candidates(const std::string& entry) const;

  // Takes one candidate in by the log handling mode ("delete" moves, "move" copies then moves
  // the original into saveDir, anything else copies). Throws when the log cannot be read or
  // written; renames that fail are silent.
  void takeIn(const std::string& path, const std::string& mode, const std::string& saveDir,
              bool logTmpFiles, int64_t now) const;

  // Removes the temporary files left in the database directory itself (where they lie when it
  // has no staging directory, or by earlier versions): those of intakes that died more than an
  // hour ago, and those of saves of runs that died (no other run can be saving while the run
  // lock is held).
  void removeStaleIncoming(int64_t now) const;

  // The waiting logs, smallest name first.
  std::vector<std::string> waiting() const;
  // Puts the logs a run marked processed (".del") back into the queue: only a run that saved
  // its database may have them removed, and a run that died before may not have. A waiting log
  // of the same name is never replaced; the returning one takes a free name beside it.
  void returnProcessed() const;

 private:
  // A free name in the directory for a newcomer called name: name itself, or with a counter
  // before its ".log".
  std::string freeName(const std::string& name, int attempt) const;
  // Puts a complete file into the directory under a free name, without replacing anything.
  void place(const std::string& from, const std::string& name, bool keepFrom) const;
  bool isInsideQueue(const std::string& path) const;

  std::string dbDir;
};

}  // namespace orvane::programs::Scorex
