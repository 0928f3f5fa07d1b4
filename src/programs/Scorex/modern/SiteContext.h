#pragma once

#include <string>
#include <vector>

#include "programs/Scorex/modern/Layout.h"
#include "programs/Scorex/modern/ModernSite.h"
#include "programs/Scorex/modern/SiteData.h"
#include "programs/Scorex/modern/SiteFiles.h"

namespace orvane::programs::Scorex::modern {

// What the page writers of one run share: the input, the gathered figures, the site's files
// and the names every page uses. Made by writeModernSite, lives for its call.
struct SiteContext {
  SiteContext(const SiteInput& in, std::string siteName, std::string classic)
      : in(in), files(in.siteDir), site(std::move(siteName)), classic(std::move(classic)) {}

  Layout::Page frame(const std::string& title, const std::string& description,
                     const std::string& root) const {
    return {site, title, description, root, classic};
  }
  // The category's name (escaped) and page name; "?" for a category the ratings do not have.
  std::string categoryName(size_t c) const {
    return c < categoryNames.size() ? categoryNames[c] : "?";
  }

  const SiteInput& in;
  SiteData data;
  SiteFiles files;
  std::string site;     // the site's name, escaped
  std::string classic;  // the way from the site's top to the classic pages, or empty
  std::vector<std::string> categoryNames;  // escaped
  std::vector<std::string> categorySlugs;
};

}  // namespace orvane::programs::Scorex::modern
