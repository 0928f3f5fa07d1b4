#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/HiddenSkills.h"
#include "tools/SplitMix64.h"

namespace orvane::tools {

// What a generated Brakk log holds. players counts the humans, bots the computer players; a
// duel keeps the first two of them (humans first) and logs the match mode "1-vs-1". The options
// after startDay shape a server's long history; at their defaults a log is what it always was.
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
  // Each match seats its humans and bots without repetition from fixed pools of this many
  // names (humanPoolNames, botName), so that careers grow across matches and logs; 0 keeps
  // the same players in every match.
  int humanPool = 0;
  int botPool = 0;
  // Each match seats a number of players drawn evenly from players + bots to maxPlayers,
  // about a tenth of them bots (none when bots is 0); 0 seats exactly players + bots.
  int maxPlayers = 0;
  // Each match is a free-for-all (55 in 100), a team match (40) or a duel (5), whatever
  // teamPlay and duel say.
  bool mixModes = false;
  // Each match has between half and one and a half times eventsPerMatch events.
  bool varyEvents = false;
  // Above 0, every player has a hidden skill (HiddenSkills, spread as its standard deviation,
  // drawn from skillSeed or without one from seed), and of the two players of a kill the more
  // skilled one is more often the killer; team kills stay chance. 0 leaves every kill to
  // chance and draws nothing more.
  double skillSpread = 0;
  std::optional<uint32_t> skillSeed = std::nullopt;
  // The pool's humans come unevenly, as on a real server: each has an attendance from 1 to 10
  // (drawn once, apart from his skill), and a match seats humans in proportion to it. Regulars
  // pile up totals that occasional players never reach.
  bool regulars = false;
};

// The first count names of a fixed sequence of distinct human names, the same for every seed
// (so logs of different seeds share players): syllables, sometimes digits, sometimes a letter
// of ISO-8859-1 such as "\xF6"; never a tab, "'" or "_". Shared by both generators.
std::vector<std::string> humanPoolNames(int count);

// Bot number i as the Brakk generator names it: "Bot_Grunt0", "Bot_Wraith1", ...
std::string botName(int i);

// count distinct numbers of 0 .. pool-1 in random order (all of them when count >= pool).
std::vector<int> drawDistinct(SplitMix64& rng, int pool, int count);

// How many humans and bots a match seats: players and bots as given, or with maxPlayers above
// zero a total drawn evenly from players + bots to maxPlayers, a tenth of it (rounded) bots
// unless bots is 0. Shared by both generators.
struct Seats {
  int humans = 0;
  int bots = 0;
};
Seats drawSeats(SplitMix64& rng, int players, int bots, int maxPlayers);

// Who sits in a match (drawSeats): positions in the name pools, or the plain numbers 0, 1, ...
// of a side without a pool.
struct Seating {
  std::vector<int> humans;
  std::vector<int> bots;
};
Seating drawSeating(SplitMix64& rng, int players, int bots, int maxPlayers, int humanPool,
                    int botPool);
// Human i's name: the pool's i-th name, or with an empty pool the i-th plain one.
std::string humanName(int i, const std::vector<std::string>& pool);

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

  // The hidden skill of every player the matches so far have named, bots and humans, under
  // every name they had (not the lurker, who only watches); without skillSpread all 0.
  const SkillTable& skills() const { return named; }

 private:
  struct Slot {
    std::string name;
    std::string secret;
    bool bot = false;
    int32_t num = 0;  // the server's slot number, as logged
    bool connected = false;
    bool alive = false;
    int team = -1;
    double skill = 0;           // hidden: it decides fights, the log never shows it
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
  // The match's humans and bots, in slot order, without their secrets.
  void seat();

  BrkLogOptions o;
  std::vector<std::string> pool;  // humanPoolNames(o.humanPool)
  bool teamPlay = false;          // this match's mode
  bool duel = false;
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
  HiddenSkills hidden;
  std::vector<double> attendance;  // with regulars: each pool human's weight
  SplitMix64 attendRng;
  SkillTable named;
};

// The whole log of options.matches matches; with skills, also its players' hidden skills.
std::string generateBrkLog(const BrkLogOptions& options, SkillTable* skills = nullptr);

}  // namespace orvane::tools
