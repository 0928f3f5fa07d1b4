#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "programs/Scorex/output/CareerHtml.h"
#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/TotalsHtml.h"
#include "programs/Scorex/output/TotalsPages.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::output {

// Writes the all-time part of a game's site: the main page, the recent matches, the records,
// the rankings, the player list and the career pages of the summary players and of every
// player of this run. TotalsT is the game's career totals; TablesT(totals) builds the tables of
// the records and rankings pages (listed by recordsPage() and rankingsPage()); PlayerHtmlT
// gives a career page's text by getHtml(player, page type, number of game types). Made for one
// call of writeTotals.
template <class TotalsT, class TablesT, class PlayerHtmlT>
class TotalsHtmlCore final : public Scorex::output::TotalsHtml {
 public:
  using Entry = typename TotalsT::Entry;

  bool writeTotals(Scorex::career::Totals& totals) override {
    try {
      util::Debug::print("I TotalsHtml.writeTotals", 2);
      const auto* t = dynamic_cast<const TotalsT*>(&totals);
      if (t == nullptr) {
        throw util::Failure(util::Failure::kClassCast,
                            "not the " + FrameHtml::gameName + " totals");
      }
      theTotals = t;
      tables = std::make_unique<TablesT>(*t);
      pages.writeMain(t->allStats.all.frags, t->rec.RecentGameMap, t->rec.RecentGameDate);
      pages.writeRecent(*t);
      pages.writeRecords(tables->recordsPage());
      pages.writeRankings(tables->rankingsPage());
      std::vector<ListedPlayer> names;
      for (const Entry* h : t->sortedByName) names.push_back({h->name, h->isABot, h->uid});
      pages.writePlayerList(names);
      for (const int32_t uid : {career::kAllPlayers, career::kAllHumans, career::kAllBots}) {
        writePlayerTotals(nullptr, uid);
      }
      // Pages of players not seen in this run stay as they are.
      for (const Entry* h : t->sortedByFDS) {
        if (h->modified) writePlayerTotals(h, h->uid);
      }
      util::Debug::print("O TotalsHtml.writeTotals", 2);
    } catch (const std::exception& e) {
      util::Debug::report("Error in TotalsHtml.writeTotals: ", e);
    }
    return pages.allWritten();
  }

  // The career page of the player with career number uid and index entry h; h is absent for
  // the summary players (career::kAllPlayers, kAllHumans, kAllBots).
  void writePlayerTotals(const Entry* h, int32_t uid) {
    try {
      util::Debug::print("I TotalsHtml.writePlayerTotals: " + std::to_string(uid), 2);
      if (theTotals == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
      const TotalsT& t = *theTotals;
      const int32_t games = static_cast<int32_t>(TotalsT::Specs::kGames);
      std::string file;
      std::string text;
      if (uid == career::kAllPlayers || uid == career::kAllHumans || uid == career::kAllBots) {
        const auto& p = uid == career::kAllPlayers
                            ? t.allStats
                            : (uid == career::kAllHumans ? t.humanStats : t.botStats);
        file = uid == career::kAllPlayers
                   ? "All_Totals.html"
                   : (uid == career::kAllHumans ? "Human_Totals.html" : "Bot_Totals.html");
        text = pHtml.getHtml(p, kSummaryPage, games);
      } else {
        if (h == nullptr) throw util::Failure(util::Failure::kNullPointer, "");
        auto p = t.careerPlayer(*h);
        if (!p) throw util::Failure(util::Failure::kNullPointer, "");
        file = std::to_string(uid) + ".html";
        text = pHtml.getHtml(*p, kCareerPage, games);
      }
      pages.writeCareerPage(file, text);
      util::Debug::print("O TotalsHtml.writePlayerTotals", 2);
    } catch (const std::exception& e) {
      util::Debug::report("Error in TotalsHtml.writePlayerTotals: ", e);
    }
  }

 private:
  TotalsPages pages;
  std::unique_ptr<TablesT> tables;
  PlayerHtmlT pHtml;
  const TotalsT* theTotals = nullptr;
};

}  // namespace orvane::programs::Scorex::output
