#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::programs::Scorex {

// A player store: one file of fixed-size slots, addressed by career number. Slot 0 holds the
// version byte 1, slots 1 to 3 the summary players (career numbers -3, -2, -1), slot 4 + u the
// career player u. The file grows 1000 slots at a time. It is the one database file written in
// place, slot by slot, while the store is open. Each game module's PlayerDB encodes its player
// records into slots of its own size; the messages are the same for every module.
class SlotStore {
 public:
  explicit SlotStore(int32_t entrySize) : entrySize(entrySize) {}
  SlotStore(const SlotStore&) = delete;
  SlotStore& operator=(const SlotStore&) = delete;
  ~SlotStore() { close(); }

  // Opens (or creates) the file. False, with its report, when the file has another version:
  // the store then refuses all access until it is closed, so a file of another layout is
  // never damaged.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return fd >= 0; }
  // True after a version mismatch: nothing may be read or written.
  bool isRefused() const { return refused; }

  // The slot bytes of a career number, or none (with the "Invalid Player Requested" report
  // unless it is a summary player that was never stored).
  std::optional<std::string> read(int32_t uid);
  // Writes a slot, growing the file when the slot is the next one (with the "loc>num" report
  // when it lies beyond). The one way anything is written into the store.
  void write(int32_t uid, const std::string& bytes);

  int32_t getNum() const { return num; }
  int64_t getLen() const { return len; }
  int32_t getEntrySize() const { return entrySize; }

 private:
  int32_t entrySize;
  int fd = -1;
  int64_t len = 0;
  int32_t num = 0;
  bool refused = false;
};

}  // namespace orvane::programs::Scorex
