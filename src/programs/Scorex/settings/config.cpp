#include "programs/Scorex/settings/config.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace orvane::programs::Scorex::settings {

using util::Debug;

std::string config::homeDir;
std::string config::os;
std::string config::program;
int32_t config::numGames = 15;
std::string config::dir = "RELATIVE";
std::string config::dbDir = "data/";
std::string config::htmlDir = "html/";
std::string config::saveDir = "processedLogs/";
std::string config::logHandling = "save";
bool config::logTmp = true;
int64_t config::maxLog = 1073741824;
bool config::browser = true;
std::string config::version;
std::optional<bool> config::browserOverride;
int32_t config::RankAll = 20;
int32_t config::RankDM = 20;
int32_t config::RankTG = 20;
int32_t config::RankCTF = 20;
int32_t config::RankDom = 20;
int32_t config::RankA = 20;
int32_t config::Rank1v1 = 20;
int32_t config::RatingMinMatches = 10;
std::string config::ModernSite = "live/";

namespace {

bool equalsIgnoreCase(const std::string& a, const char* b) {
  const std::string_view bv(b);
  return a.size() == bv.size() && std::equal(a.begin(), a.end(), bv.begin(), [](char x, char y) {
           auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; };
           return lower(x) == lower(y);
         });
}

// A byte count: a plain decimal number above zero.
int64_t parseSize(const std::string& value) {
  const int64_t n = util::parseLong(value);
  if (n <= 0)
    throw util::Failure(util::Failure::kNumberFormat, "For input string: \"" + value + "\"");
  return n;
}

// The directory as an absolute path without ".", ".." or symbolic links, as far as it exists.
std::filesystem::path canonicalDir(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty()) dir = ".";
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(dir, ec);
  if (ec) return std::filesystem::path(dir).lexically_normal();
  const std::filesystem::path p = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : p;
}

// True when inner is outer or lies below it.
bool isWithin(const std::filesystem::path& inner, const std::filesystem::path& outer) {
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

util::Failure mixed(const std::string& what, const std::filesystem::path& dir) {
  return util::Failure(util::Failure::kConfiguration, what + ": " + dir.string());
}

}  // namespace

namespace {

// The modern site's directory as set: "off" writes none; anything but a path of plain names
// below the page directory (no "..", not absolute, no control or quoting characters, so it can
// stand in a link as it is) keeps the default, with a warning.
std::string modernSiteDir(const std::string& value) {
  if (equalsIgnoreCase(value, "off")) return "";
  std::string d = value;
  if (!d.empty() && d.back() != '/') d.push_back('/');
  bool plain = d.size() > 1 && d[0] != '/';
  size_t start = 0;
  while (plain && start < d.size()) {
    const size_t end = d.find('/', start);
    const std::string part = d.substr(start, end - start);
    plain = !part.empty() && part != "." && part != "..";
    for (const char c : part) {
      const auto u = static_cast<unsigned char>(c);
      plain = plain && u > 0x20 && u < 0x7f && c != '"' && c != '\'' && c != '<' && c != '>' &&
              c != '&' && c != '\\' && c != '?' && c != '#' && c != '%';
    }
    start = end + 1;
  }
  if (plain) return d;
  Debug::print("Warning: ModernSite must be off or a directory below HTMLDirectory; using live/",
               0);
  return "live/";
}

}  // namespace

void config::set(const std::optional<std::string>& filename, const std::string& prog) {
  program = prog;
  version = prog == "ScorexZLN" ? "1.00" : (prog == "ScorexBRK" ? "1.1" : "0.00");
  const std::string file = filename ? *filename : homeDir + "/" + program + ".cfg";
  if (!util::isReadableFile(file)) {
    Debug::print("Warning: Bad Config file '" + file + "'\tUsing default values", 0);
    return;
  }
  try {
    readLines(util::readWholeFile(file));
  } catch (const std::exception& e) {
    // Reading stops at the failing line; the upper bounds below are not applied.
    // The trace text is intended as it stands (qmsConfig, no separator before the failure).
    Debug::report("Error in qmsConfig.set", e);
    return;
  }
  numGames = std::min(numGames, 1000);
  for (int32_t* rank : {&RankAll, &RankDM, &RankTG, &RankCTF, &RankDom, &RankA, &Rank1v1}) {
    *rank = std::min(*rank, 64);
  }
}

void config::readLines(const std::string& text) {
  size_t lstart = 0;
  while (lstart < text.size()) {
    size_t lend = text.find('\n', lstart);
    if (lend == std::string::npos) lend = text.size();
    const size_t next = lend + 1;
    const char first = text[lstart];
    if (first == '\n' || first == '\r' || first == '#') {
      lstart = next;
      continue;
    }
    const size_t tab = text.find('\t', lstart);
    if (tab == std::string::npos || tab >= lend || tab + 1 >= lend) {
      Debug::print("bad line in config file, ignoring:", 0);
      Debug::print(std::string_view(text).substr(lstart, lend - lstart), 0);
      Debug::print("", 0);
      lstart = next;
      continue;
    }
    // The value ends before the first CR after the TAB, so CR LF files read like LF files.
    size_t vend = text.find('\r', tab + 1);
    if (vend == std::string::npos || vend > lend) vend = lend;
    assign(text.substr(lstart, tab - lstart), text.substr(tab + 1, vend - tab - 1));
    lstart = next;
  }
}

void config::assign(const std::string& key, const std::string& value) {
  if (key == "Directory") {
    dir = value;
  } else if (key == "DBDir") {
    dbDir = value;
  } else if (key == "HTMLDirectory") {
    htmlDir = value;
  } else if (key == "LogFileHandling") {
    logHandling = value;
  } else if (key == "SaveDir") {
    saveDir = value;
  } else if (key == "Max_Most_Recent") {
    numGames = util::parseInt(value);
  } else if (key == "MaxLogSize") {
    maxLog = parseSize(value);
  } else if (key == "LogTmpFiles") {
    logTmp = equalsIgnoreCase(value, "true");
  } else if (key == "SpawnBrowser") {
    browser = equalsIgnoreCase(value, "true");
  } else if (key == "RankAllGames") {
    RankAll = util::parseInt(value);
  } else if (key == "RankDeathMatch") {
    RankDM = util::parseInt(value);
  } else if (key == "RankTeamGame") {
    RankTG = util::parseInt(value);
  } else if (key == "RankCTF") {
    RankCTF = util::parseInt(value);
  } else if (key == "RankDomination") {
    RankDom = util::parseInt(value);
  } else if (key == "RankAssault") {
    RankA = util::parseInt(value);
  } else if (key == "Rank1v1") {
    Rank1v1 = util::parseInt(value);
  } else if (key == "RatingMinMatches") {
    RatingMinMatches = util::parseInt(value);
  } else if (key == "ModernSite") {
    ModernSite = modernSiteDir(value);
  }
}

std::string config::resolve(const std::string& value) {
  // A value written without its trailing "/" still names a directory: "data" must not put
  // the database beside it as "databrk_game.db". An empty value stays empty (the current
  // directory) instead of becoming the root directory.
  std::string d = value;
  if (!d.empty() && d.back() != '/') d.push_back('/');
  return dir == "RELATIVE" ? homeDir + "/" + d : d;
}

void config::checkDirectories() {
  const std::filesystem::path db = canonicalDir(qmDBDir());
  const std::filesystem::path html = canonicalDir(qmHtmlDir());
  if (db == html) throw mixed("DBDir and HTMLDirectory are one directory", db);
  if (isWithin(db, html)) {
    throw mixed("DBDir lies inside HTMLDirectory, which would publish it", db);
  }
  if (logHandling != "move") return;  // SaveDir is used by "move" only
  const std::filesystem::path save = canonicalDir(qmSaveDir());
  if (save == db) throw mixed("SaveDir and DBDir are one directory", save);
  if (isWithin(save, html)) {
    throw mixed(save == html ? "SaveDir and HTMLDirectory are one directory"
                             : "SaveDir lies inside HTMLDirectory, which would publish it",
                save);
  }
}

bool config::spawnBrowser() { return browserOverride.value_or(browser); }

void config::orBrowser(bool on) { browserOverride = on; }

void config::reset() {
  homeDir.clear();
  os.clear();
  program.clear();
  numGames = 15;
  dir = "RELATIVE";
  dbDir = "data/";
  htmlDir = "html/";
  saveDir = "processedLogs/";
  logHandling = "save";
  logTmp = true;
  maxLog = 1073741824;
  browser = true;
  version.clear();
  browserOverride.reset();
  RankAll = RankDM = RankTG = RankCTF = RankDom = RankA = Rank1v1 = 20;
  RatingMinMatches = 10;
  ModernSite = "live/";
}

}  // namespace orvane::programs::Scorex::settings
