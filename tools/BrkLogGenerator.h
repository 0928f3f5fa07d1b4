#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/SplitMix64.h"

namespace orvane::tools {

// What a generated Brakk log holds. players counts the humans, bots the computer players; a
// duel keeps the first two of them (humans first) and logs the match mode "1-vs-1".
struct BrkLogOptions {
  uint32_t seed = 1;
  int matches = 3;
  int players = 4;
  int bots = 2;
  int eventsPerMatch = 300;
  bool teamPlay = false;
  bool duel = false;
  // Also writes lines a server should not: too short, unknown keywords, non-numeric fields,
  // CR LF ends and lone CRs, comments and empty lines, unknown weapon and item names.
  bool malformed = false;
  int startDay = 0;  // the first match starts this many days later
};

// Writes seeded statistics logs of the first game, match by match, for tests and timing runs.
// The same options give the same bytes on every platform: the generator draws from its own
// pseudo-random sequence and formats every number itself.
class BrkLogGenerator {
 public:
  explicit BrkLogGenerator(const BrkLogOptions& options);

  // The next match: the match marker line, the server's information lines, connections, a
  // mix of every kind of event, and usually a game-end line. Each match starts later than the
  // one before.
  std::string nextMatch();

 private:
  struct Slot {
    std::string name;
    std::string secret;
    bool bot = false;
    int32_t num = 0;  // the server's slot number, as logged
    bool connected = false;
    bool alive = false;
    int team = -1;
    std::vector<int> powerups;  // running power-ups, by position in the power-up table
  };

  enum class Pick { Alive, Dead, Gone };

  uint64_t next();
  int below(int n);
  size_t any(size_t n) { return static_cast<size_t>(below(static_cast<int>(n))); }
  bool chance(int percent);
  // A random name of a table, skipping its first entry when that one is empty.
  template <class Table>
  std::string anyOf(const Table& table);

  void line(const std::string& text);
  std::string now() const;
  std::string ping();
  void header();
  void join(Slot& s, int32_t number);
  void event();
  void malformedLine();
  // A random slot in the given state (connected and alive, connected and dead, gone), or -1.
  int pickSlot(Pick which);
  void kill(bool team);
  void disconnect(Slot& s);
  void reconnect(Slot& s);
  void accuracy(const Slot& s);

  BrkLogOptions o;
  SplitMix64 rng;
  int matchNo = 0;
  int64_t startMs;  // local start of the next match, milliseconds since 1970
  std::string offset;
  std::string out;
  int64_t tenths = 0;  // event time of the current match, in tenths of a second
  std::vector<Slot> slots;
  std::vector<std::string> teams;
  int32_t nextNum = 0;
  bool scored = false;  // the match has a kill or suicide line
};

// The whole log of options.matches matches.
std::string generateBrkLog(const BrkLogOptions& options);

}  // namespace orvane::tools
