#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::programs::Scorex::store {

// The commit point of a run: every change the run makes to its database files (whole files
// replaced, slots written into the player store) is first written into one journal file in the
// database directory and made durable there; only then are the files changed, and the journal
// removed. A run that dies before the journal is in place has changed nothing; one that dies
// after it has its changes carried out by the next run, before that run reads anything. So the
// database always holds either all of a run's matches or none of them.
//
// Bytes: "SCOREXJ1", int count, then per change: byte kind (1 whole file, 2 bytes at an
// offset, 3 the file cut to a length), text name, long offset (kinds 2 and 3; the length for
// 3), text bytes (empty for 3); then the FNV-1a hash (long) of all bytes before it. Big-endian,
// texts as a 32-bit length and their bytes.
class Journal {
 public:
  // The journal's file name in the database directory (no log, lock or ".del" name).
  static constexpr const char* kName = "scorex.journal";

  struct Change {
    std::string name;    // a file of the database directory
    bool whole = true;   // the file's whole new content, or bytes at offset
    bool cut = false;    // the file is cut to offset bytes (not whole, no bytes)
    int64_t offset = 0;  // where bytes go, when not whole
    std::string bytes;
  };

  void replaceFile(std::string name, std::string bytes);
  void writeAt(std::string name, int64_t offset, std::string bytes);
  // Cuts the file to its first size bytes (a damaged tail of an append-only file).
  void cutAt(std::string name, int64_t size);
  const std::vector<Change>& changes() const { return list; }

  std::string encode() const;
  // The journal the bytes hold, or none when they are not a whole, intact journal.
  static std::optional<Journal> decode(std::string_view bytes);

  // Forgets the changes that would leave their file in dir as it is (the same bytes at the same
  // place), so that a run that merged nothing writes nothing.
  void dropUnchanged(const std::string& dir);
  bool empty() const { return list.empty(); }

  // Throws when a change could not be made in dir (a file that is a directory, say), so that
  // the run fails before it has changed anything.
  void check(const std::string& dir) const;
  // Writes the journal into dir and makes it durable: from here on the changes count as done.
  // Throws when it cannot; then nothing has changed.
  void commit(const std::string& dir) const;
  // Carries the changes out in dir, each file made durable, then removes the journal. Running
  // it again gives the same files. Throws when a change cannot be made; the journal then
  // stays for the next run.
  void apply(const std::string& dir) const;
  // Carries out a journal a dead run left in dir. A journal that is not intact (it can only
  // come from outside) is reported and moved aside.
  static void recover(const std::string& dir);

 private:
  std::vector<Change> list;
};

}  // namespace orvane::programs::Scorex::store
