#pragma once

#include <string>

#include "util/TextWriter.h"

namespace orvane::programs::Scorex::output {

// The frame around every page: the head with the skin, the navigation sidebar, the banner
// cell, and the footer. Links are relative: level is the depth of the page's directory below
// the site root (0 root, 1 all-time pages, 2 match pages). Settings are set once by init.
class FrameHtml {
 public:
  // The settings of Brakk's site (with its Kelvo Tourney DM mod), and of Zolnar's.
  static void init();
  static void initZolnar();
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
  // The game the site is for, and the mod named beside it (none when empty).
  static std::string gameName;
  static std::string modName;
  // The banner and the sidebar picture, by their path from the site root.
  static std::string bannerImage;
  static std::string sidebarImage;
};

}  // namespace orvane::programs::Scorex::output
