#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/HiddenSkills.h"

namespace orvane::tools {

// What a generated Zolnar log holds: one match of the named game type ("Tournament
// DeathMatch", "Capture the Flag", "Domination", "Assault", "Tournament Team Game",
// "SinglePlayer", or a name the server maps to one of them). players counts the humans, bots
// the computer players. The options after startDay shape one match of a server's long history;
// at their defaults a log is what it always was.
struct ZlnLogOptions {
  uint32_t seed = 1;
  int players = 4;
  int bots = 2;
  int eventsPerMatch = 300;
  std::string gameType = "Tournament DeathMatch";
  // Also writes lines a server should not: too short, unknown keywords and sub-keywords,
  // non-numeric fields, CR LF ends and lone CRs, comments and empty lines, unknown weapon,
  // damage and mutator names.
  bool malformed = false;
  int startDay = 0;  // the match starts this many days later
  // The match seats its humans and bots without repetition from fixed pools of this many
  // names, the same for every seed (humanPoolNames; bots "Grunt0", "Wraith1", ...), so that
  // careers grow across logs; 0 seats the same players in every log.
  int humanPool = 0;
  int botPool = 0;
  // The match seats a number of players drawn evenly from players + bots to maxPlayers, about
  // a tenth of them bots (none when bots is 0); 0 seats exactly players + bots.
  int maxPlayers = 0;
  // The match has between half and one and a half times eventsPerMatch events.
  bool varyEvents = false;
  // Above 0, every player has a hidden skill (HiddenSkills, spread as its standard deviation,
  // drawn from skillSeed or without one from seed: logs that share a skill seed share their
  // players' skills), and of the two players of a kill the more skilled one is more often the
  // killer; team kills stay chance. 0 leaves every kill to chance and draws nothing more.
  double skillSpread = 0;
  std::optional<uint32_t> skillSeed = std::nullopt;
};

// The text of a seeded Zolnar log, one character per byte: the match's information, map and
// game lines, the players' connections, a mix of every kind of event the game type has, and
// usually a game-end line. The same options give the same text on every platform. With skills,
// also the hidden skill of every player the log names, bots and humans, under every name they
// had (all 0 without skillSpread).
std::string generateZlnText(const ZlnLogOptions& options, SkillTable* skills = nullptr);

// The 16-bit little-endian form the server writes: every byte followed by a zero byte.
std::string encodeUtf16le(std::string_view text);

// encodeUtf16le(generateZlnText(options, skills)): the bytes of a log file.
std::string generateZlnLog(const ZlnLogOptions& options, SkillTable* skills = nullptr);

}  // namespace orvane::tools
