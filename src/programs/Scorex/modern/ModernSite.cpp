#include "programs/Scorex/modern/ModernSite.h"

#include <algorithm>
#include <exception>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/modern/Pages.h"
#include "programs/Scorex/modern/SiteContext.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::modern {

namespace {

// The way from the site's directory up to the page directory, when the site lies inside it.
std::string classicFrom(const std::string& pageDir, const std::string& siteDir) {
  if (pageDir.empty() || siteDir.size() <= pageDir.size() ||
      siteDir.compare(0, pageDir.size(), pageDir) != 0) {
    return {};
  }
  std::string up;
  for (size_t i = pageDir.size(); i < siteDir.size(); ++i) {
    if (siteDir[i] == '/') up += "../";
  }
  return up;
}

}  // namespace

bool writeModernSite(const SiteInput& in) {
  util::Debug::print("I ModernSite.write", 1);
  bool good = true;
  try {
    const std::string game = in.program == "ScorexZLN" ? "Zolnar" : "Brakk";
    SiteContext ctx(in, "Scorex for " + game, classicFrom(in.pageDir, in.siteDir));
    if (in.ratings != nullptr) {
      for (const std::string& name : in.ratings->categoryNames()) {
        ctx.categoryNames.push_back(Html::text(name));
        std::string slug = Html::slug(name);
        // An empty slug, "index" or a slug taken already would share a page: number it.
        if (slug.empty() || slug == "index") slug = "category-" + slug;
        const std::string base = slug;
        for (int32_t n = 2; std::find(ctx.categorySlugs.begin(), ctx.categorySlugs.end(), slug) !=
                            ctx.categorySlugs.end();
             ++n) {
          slug = base + "-" + std::to_string(n);
        }
        ctx.categorySlugs.push_back(slug);
      }
    }

    // One pass over the archive: each match's own pages as it comes, the figures for the rest.
    const auto each = [&ctx, &in](store::ArchivedMatch&& m) {
      ctx.data.add(m, in.newMatches.count(m.time) != 0);
      Pages::match(ctx, m);
    };
    try {
      if (!store::MatchArchive::forEach(in.archivePath, each)) {
        util::Debug::print("Error in ModernSite.read: the archive ends in a damaged record", 0);
      }
      if (in.archive != nullptr) in.archive->forEachNew(each);
    } catch (const std::exception& e) {
      // The site then shows the matches read before the failure.
      util::Debug::report("Error in ModernSite.read: ", e);
    }
    ctx.data.finish(in.ratings);

    Pages::assets(ctx);
    Pages::players(ctx);
    Pages::leaderboards(ctx);
    Pages::maps(ctx);
    Pages::openData(ctx);
    Pages::home(ctx);
    good = ctx.files.ok();
    util::Debug::print("ModernSite: " + std::to_string(ctx.files.written()) + " files written", 2);
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.write: ", e);
    good = false;
  }
  util::Debug::print("O ModernSite.write", 1);
  return good;
}

}  // namespace orvane::programs::Scorex::modern
