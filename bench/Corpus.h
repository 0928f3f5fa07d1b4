#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane::bench {

// The logs of one module's benchmark: the history a full run takes in, and 20 later matches
// for the incremental runs. Generated once into WORK/corpus/MODULE and reused while the
// parameters written beside them (PARAMETERS) stay the same.
struct Corpus {
  std::string module;  // "brk" or "zln", "brk-quick" or "zln-quick" for the small corpus
  std::filesystem::path dir;
  std::vector<std::filesystem::path> logs;
  std::vector<std::filesystem::path> newLogs;
  int matches = 0;
  int newMatches = 0;
  uint64_t lines = 0;  // of logs
  uint64_t newLines = 0;
  uint64_t largestLog = 0;  // bytes, of all the logs
  bool generated = false;   // made by this call rather than found
};

// Brakk: 2,000 matches (200 with quick) of 8 to 24 players seated from 400 humans and 40 bots,
// free-for-all, team and duel mixed, 20 matches a log and a day a log; then one log of 20
// matches on the next day.
Corpus brakkCorpus(const std::filesystem::path& workDir, bool quick);

// Zolnar: 500 matches (50 with quick), one a log and a day a log, of 6 to 16 players seated
// from 135 humans and 15 bots, the game types mixed (mostly deathmatch and capture the flag);
// then 20 logs of the following days.
Corpus zolnarCorpus(const std::filesystem::path& workDir, bool quick);

// How many '\n' bytes the file holds: its lines, in either module's logs (a 16-bit log's
// other bytes are zero).
uint64_t countLines(const std::filesystem::path& file);

}  // namespace orvane::bench
