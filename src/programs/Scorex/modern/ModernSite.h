#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/store/MatchArchive.h"

namespace orvane::programs::Scorex::modern {

// What the modern site is written from: the module, its match archive (on disk, plus the
// records of this run not yet saved), its ratings and where the pages go.
struct SiteInput {
  std::string program;      // "ScorexBRK" or "ScorexZLN"
  std::string archivePath;  // the database directory + brk_matches.db / zln_matches.db
  const store::MatchArchive* archive = nullptr;  // its records not yet saved (this run's)
  const rating::RatingBook* ratings = nullptr;
  int32_t minMatches = 10;       // rated matches below which a rating is provisional
  std::string pageDir;           // the classic page directory (ends with "/")
  std::string siteDir;           // where the modern site goes (ends with "/")
  std::set<int64_t> newMatches;  // time stamps merged by this run
};

// Writes the modern site: static UTF-8 pages, open data JSON and its assets, from one pass over
// the whole archive. A file is written only when its bytes change; the pages of old matches
// only when missing. False when a file could not be written (the run then saves nothing).
bool writeModernSite(const SiteInput& in);

}  // namespace orvane::programs::Scorex::modern
