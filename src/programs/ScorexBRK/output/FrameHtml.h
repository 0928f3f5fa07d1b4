#pragma once

#include <string>

#include "util/TextWriter.h"

namespace orvane::programs::ScorexBRK::output {

// The frame around every page: the head with the skin, the navigation sidebar, the banner
// cell, and the footer. Links are relative: level is the depth of the page's directory below
// the site root (0 root, 1 all-time pages, 2 match pages). Settings are set once by init.
class FrameHtml {
 public:
  static void init();
  static void writeHeader(util::TextWriter& w, const std::string& title, int level);
  static void writeSidebar(util::TextWriter& w, const std::string& title, int level);
  static void writeTop(util::TextWriter& w, const std::string& title, const std::string& pageNumber,
                       int level);
  static void writeFooter(util::TextWriter& w, const std::string& title, int level);

  static std::string defaultFont;
  static std::string defaultSymbol;
  static std::string defaultSymbolHref;
  static std::string defaultSymbolAlt;
  static std::string defaultLogo;
  static std::string defaultLogoHref;
  static std::string defaultLogoAlt;
  static std::string defaultTitleColor;
  static std::string defaultBackground;
  static std::string TotalsDir;
  static std::string GamesDir;
  static std::string programTitle;
  static std::string BgColor;
  static std::string VlinkColor;
  static std::string AlinkColor;
  static std::string Version;
};

}  // namespace orvane::programs::ScorexBRK::output
