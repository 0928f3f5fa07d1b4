#pragma once

#include <cstdint>
#include <string>

#include "programs/Scorex/modern/SiteContext.h"
#include "programs/Scorex/store/MatchArchive.h"

namespace orvane::programs::Scorex::modern {

// The page writers; each writes its pages through ctx.files and traces its own failures.
class Pages {
 public:
  static void match(SiteContext& ctx, const store::ArchivedMatch& m);
  static void players(SiteContext& ctx);
  static void leaderboards(SiteContext& ctx);
  static void maps(SiteContext& ctx);
  static void home(SiteContext& ctx);
  static void openData(SiteContext& ctx);
  static void assets(SiteContext& ctx);

  // Shared bits of markup.
  static std::string playerLink(const std::string& root, int32_t uid, const std::string& name);
  static std::string kd(int64_t kills, int64_t deaths);
  static double kdValue(int64_t kills, int64_t deaths);
  static std::string percent(int64_t part, int64_t whole);
};

}  // namespace orvane::programs::Scorex::modern
