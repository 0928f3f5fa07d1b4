#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "util/FileDescriptor.h"

namespace orvane::programs::Scorex::store {

// A player store: one file of fixed-size slots, addressed by career number. Slot 0 holds the
// version byte 1, slots 1 to 3 the summary players (career numbers -3, -2, -1), slot 4 + u the
// career player u. The file grows 1000 slots at a time. It is the one database file written in
// place, slot by slot, while the store is open. Each game module's PlayerDB encodes its player
// records into slots of its own size; the messages are the same for every module.
class SlotStore {
 public:
  // The slot of career number 0: career number u lies in slot u + kFirstCareerSlot, so the
  // summary players' numbers take the slots between it and the version's.
  static constexpr int64_t kFirstCareerSlot = 4;

  explicit SlotStore(int32_t entrySize) : entrySize(entrySize) {}
  SlotStore(const SlotStore&) = delete;
  SlotStore& operator=(const SlotStore&) = delete;
  ~SlotStore() { close(); }

  // Opens (or creates) the file. False, with its report, when the file has another version:
  // the store then refuses all access until it is closed, so a file of another layout is
  // never damaged.
  // With deferred, nothing is written into the file until takeDeferred(): writes are kept
  // aside (reads see them), so that they reach the file together with the run's other changes.
  bool open(const std::string& path, bool deferred = false);
  void close();
  bool isOpen() const { return fd.valid(); }
  // True after a version mismatch: nothing may be read or written.
  bool isRefused() const { return refused; }

  // The slot bytes of a career number, or none (with the "Invalid Player Requested" report
  // unless it is a summary player that was never stored).
  std::optional<std::string> read(int32_t uid) const;
  // Writes a slot, growing the file when the slot is the next one (with the "loc>num" report
  // when it lies beyond). The one way anything is written into the store.
  void write(int32_t uid, const std::string& bytes);

  // The writes kept aside, as bytes at file offsets in the order they must be made, and forgets
  // them: the caller now makes them. A store closed before this forgets them unwritten.
  std::vector<std::pair<int64_t, std::string>> takeDeferred();

  int32_t getNum() const { return num; }
  int64_t getLen() const { return len; }
  int32_t getEntrySize() const { return entrySize; }

 private:
  int32_t entrySize;
  util::FileDescriptor fd;
  int64_t len = 0;
  int32_t num = 0;
  bool refused = false;
  bool deferred = false;
  // Kept-aside writes: the version byte and growth marks, then the slots by position.
  std::vector<std::pair<int64_t, std::string>> pendingMarks;
  std::map<int64_t, std::string> pendingSlots;

  void put(int64_t offset, const std::string& bytes);
};

}  // namespace orvane::programs::Scorex::store
