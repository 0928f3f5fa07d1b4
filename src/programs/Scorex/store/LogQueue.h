#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "util/Files.h"

namespace orvane::programs::Scorex::store {

// The database directory as the queue of waiting logs: every name ending in ".log" there is
// processed by the next pass of a run, whoever put it there. Taking a log in never replaces or
// moves a file that is already in the directory, and a log appears there only when complete.
class LogQueue {
 public:
  // Prefix of the temporary names under which logs are copied in (they end in ".part").
  static constexpr const char* kIncomingPrefix = ".incoming-";
  // A ".tmp" log younger than this is still being written by a game server.
  static constexpr int64_t kTmpAgeMillis = 7200000;

  // Logs larger than maxLogSize bytes are not taken in.
  explicit LogQueue(std::string dbDir, int64_t maxLogSize = util::kNoSizeLimit);

  // The candidate paths of one command-line entry: the files of a directory (sorted), or the
  // entry itself. The database directory itself gives none.
  std::vector<std::string> candidates(const std::string& entry) const;

  // Takes one candidate in by the log handling mode ("delete" moves, "move" copies then moves
  // the original into saveDir, anything else copies). Only a regular file named "*.log" (or a
  // stale "*.tmp") of at most maxLogSize bytes is a log; anything else is reported and left
  // where it is. Throws when a log cannot be taken in (it stays where it is), or in "move"
  // mode when the original cannot be moved into saveDir (its copy in the queue stays queued).
  // A log that vanished meanwhile is skipped in silence.
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
  // Gives every waiting log whose name leaves no room for the ending ".del" a shorter free
  // name: it could never be marked processed, and would be read again at every run. Only the
  // holder of the run lock may rename waiting logs.
  void shortenLongNames() const;

 private:
  // Moves a log into the queue (a link; a copy where no link can be made).
  void moveIn(const std::string& path, const std::string& name) const;
  // Copies a log into the queue; a durable copy is on disk before this returns.
  void copyIn(const std::string& path, const std::string& name, bool durable = false) const;
  // Links source into the queue under a free name for the log called name, with a trace line
  // when that name is more than name with a counter. False (errno set) when no link is made.
  bool linkIn(const std::string& source, const std::string& name, const std::string& from) const;
  // Moves the original of a log taken in into saveDir, under a free name there.
  void saveOriginal(const std::string& path, const std::string& name,
                    const std::string& saveDir) const;
  // A name for a temporary copy in dir that no other intake uses.
  std::string temporaryName(const std::string& dir) const;
  bool isInsideQueue(const std::string& path) const;

  std::string dbDir;
  int64_t maxLogSize;
  // The longest waiting name: the longest name of the directory, less the ending ".del".
  size_t room;
};

}  // namespace orvane::programs::Scorex::store
