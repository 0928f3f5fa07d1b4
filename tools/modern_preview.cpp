// modern_preview DB_DIR HTML_DIR PROGRAM: writes the modern site of a home's database into
// HTML_DIR/live/ as the last run saved it (for looking at the pages; not installed).
#include <iostream>
#include <string>

#include "programs/Scorex/modern/ModernSite.h"
#include "programs/Scorex/rating/RatingBook.h"
#include "util/BigEndian.h"
#include "util/Files.h"

int main(int argc, char** argv) {
  using namespace orvane;
  if (argc != 4 || (std::string(argv[3]) != "ScorexBRK" && std::string(argv[3]) != "ScorexZLN")) {
    std::cerr << "usage: modern_preview DB_DIR HTML_DIR ScorexBRK|ScorexZLN\n";
    return 2;
  }
  const auto dir = [](std::string d) { return d.empty() || d.back() == '/' ? d : d + "/"; };
  const std::string db = dir(argv[1]);
  const std::string html = dir(argv[2]);
  const std::string prefix = std::string(argv[3]) == "ScorexZLN" ? "zln" : "brk";
  programs::Scorex::rating::RatingBook book({});
  try {
    const std::string bytes = util::readWholeFile(db + prefix + "_ratings.db");
    util::BigEndianReader in(bytes);
    book.read(in);
  } catch (const std::exception& e) {
    std::cerr << "no ratings: " << e.what() << "\n";
  }
  programs::Scorex::modern::SiteInput in;
  in.program = argv[3];
  in.archivePath = db + prefix + "_matches.db";
  in.ratings = &book;
  in.pageDir = html;
  in.siteDir = html + "live/";
  const bool ok = programs::Scorex::modern::writeModernSite(in);
  std::cout << (ok ? "wrote " : "could not write all of ") << in.siteDir << "index.html\n";
  return ok ? 0 : 1;
}
