#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "programs/Scorex/career/CareerRecord.h"
#include "programs/Scorex/career/GameRecord.h"
#include "programs/Scorex/settings/config.h"
#include "util/BigEndian.h"

// Database bytes through a module's readers. The first byte picks the reader, the rest are the
// bytes it reads:
//   0 the match list file, 1 the records file, 2 the player index file (then the player
//   orders are sorted), each read from the database directory as a run reads it;
//   3 a records block, 4 index entries, 5 single-match records, 6 career records, 7 one
//   player store slot, each read from the bytes directly.
// What the direct readers read is written again, read back and written once more: both
// writings must be the same bytes, or the reader and the writer disagree about a field.
namespace orvane::fuzz {

// Stops the process (a finding) when a reading of written bytes does not give them back.
inline void mustMatch(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s: what was written does not read back the same\n", what);
  std::abort();
}

// Reads values with read(in) until the bytes run out or a reading fails; each value must
// survive being written with write(value, out) and read again.
template <class Read, class Write>
void readEach(std::string_view bytes, Read read, Write write, const char* what) {
  util::BigEndianReader in(bytes);
  while (in.remaining() > 0 && !in.failed()) {
    const auto value = read(in);
    util::BigEndianWriter once;
    write(value, once);
    util::BigEndianReader again(once.bytes());
    const auto copy = read(again);
    mustMatch(!again.failed() && again.remaining() == 0, what);
    util::BigEndianWriter twice;
    write(copy, twice);
    mustMatch(once.bytes() == twice.bytes(), what);
  }
}

// Totals is the module's career totals; it names the module's records, index entry and player
// store.
template <class Totals>
void readDatabase(const uint8_t* data, size_t size) {
  using Records = typename Totals::Records;
  using Entry = typename Totals::Entry;
  using PlayerDB = typename Totals::PlayerDB;
  using programs::Scorex::career::CareerRecord;
  using programs::Scorex::career::GameRecord;

  resetGlobals();
  if (size == 0) return;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  programs::Scorex::settings::config::homeDir = ScratchDir::path();
  const std::string dir = "data/";  // the default database directory below the home directory
  const auto write = [](const auto& v, util::BigEndianWriter& out) { v.writeDB(out); };

  switch (data[0] % 8) {
    case 0: {
      ScratchDir::write(dir + Totals::kGameFile, bytes);
      Totals t;
      t.readGameDB();
      break;
    }
    case 1: {
      ScratchDir::write(dir + Totals::kRecordsFile, bytes);
      Totals t;
      t.readRecordsDB();
      break;
    }
    case 2: {
      ScratchDir::write(dir + Totals::kHashFile, bytes);
      Totals t;
      t.readHashDB();
      t.sortPlayers();
      break;
    }
    case 3: {
      util::BigEndianReader in(bytes);
      const Records r(in);
      util::BigEndianWriter once;
      r.writeDB(once);
      util::BigEndianReader again(once.bytes());
      const Records copy(again);
      mustMatch(!again.failed() && again.remaining() == 0, "records block");
      util::BigEndianWriter twice;
      copy.writeDB(twice);
      mustMatch(once.bytes() == twice.bytes(), "records block");
      break;
    }
    case 4:
      readEach(
          bytes, [](util::BigEndianReader& in) { return Entry(in); }, write, "index entry");
      break;
    case 5:
      readEach(
          bytes, [](util::BigEndianReader& in) { return GameRecord(in); }, write,
          "single-match record");
      break;
    case 6:
      readEach(
          bytes, [](util::BigEndianReader& in) { return CareerRecord(in); }, write,
          "career record");
      break;
    default: {
      const std::optional p = PlayerDB::bytesToPlayer(std::string(bytes));
      if (!p) break;
      const std::optional once = PlayerDB::playerToBytes(*p);
      mustMatch(once && once->size() == static_cast<size_t>(PlayerDB::kEntrySize), "player slot");
      const std::optional copy = PlayerDB::bytesToPlayer(*once);
      mustMatch(copy.has_value(), "player slot");
      mustMatch(PlayerDB::playerToBytes(*copy) == once, "player slot");
      break;
    }
  }
}

}  // namespace orvane::fuzz
