#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "programs/Scorex/career/TotalsBase.h"
#include "programs/Scorex/output/PageFiles.h"
#include "programs/Scorex/output/TableEntry.h"
#include "util/TextWriter.h"

namespace orvane::programs::Scorex::output {

// A table of a page and the title it is shown under (none when null).
struct TitledTable {
  const std::optional<Table>* table;
  const char* title;
};

// A row of the player list: the name, the bot flag and the career number of an index entry.
struct ListedPlayer {
  std::string_view name;
  bool isABot;
  int32_t uid;
};

// The all-time pages of both games' sites, as far as they hold no statistics of the game: the
// main page, the recent matches, the pages of ready tables (records and rankings), the player
// list with its pages of 100 players, and the writing of career pages. Owned by a module's
// all-time page writer for one run.
class TotalsPages {
 public:
  TotalsPages();

  // The main page shows the frags of all players ever and the newest match's map and date.
  void writeMain(int32_t frags, const std::string& map, const std::string& date);
  void writeMainBody(util::TextWriter& w, int32_t frags, const std::string& map,
                     const std::string& date);
  void writeRecent(const career::TotalsBase& t);
  void writeRecentBody(util::TextWriter& w, const career::TotalsBase& t);
  void writeRecords(const std::vector<TitledTable>& shown);
  void writeRecordsBody(util::TextWriter& w, const std::vector<TitledTable>& shown);
  void writeRankings(const std::vector<const std::optional<Table>*>& shown);
  void writeRankingsBody(util::TextWriter& w,
                         const std::vector<const std::optional<Table>*>& shown);
  // names: every career player, in name order.
  void writePlayerList(const std::vector<ListedPlayer>& names);
  void writePlayerListBody(util::TextWriter& w, const std::vector<ListedPlayer>& names,
                           int32_t firstPlayer, int32_t maxPlayers, bool isPlayerList);
  // Writes a career page's text as file of the all-time directory (which writeRecords made).
  void writeCareerPage(const std::string& file, const std::string& text);
  // True when every page this writer was given could be written.
  bool allWritten() const { return files.allWritten(); }

 private:
  PageFiles files;
  std::string MainDir;
  std::string GamesDir = "Individual_Game_Stats";
  std::string TotalsDir = "Total_Game_Stats";
  int32_t NumRecentGames;
  std::string defaultFont = "\"Arial, Helvetica, sans-serif\"";
};

}  // namespace orvane::programs::Scorex::output
