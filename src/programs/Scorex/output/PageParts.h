#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "programs/Scorex/output/FrameHtml.h"
#include "programs/Scorex/output/PageFiles.h"
#include "programs/Scorex/output/TableEntry.h"
#include "programs/Scorex/output/TableHtml.h"
#include "util/TextWriter.h"

// Pieces of the page bodies that both games' sites share.
namespace orvane::programs::Scorex::output {

// An empty centred paragraph between two blocks of a page.
inline constexpr const char* kSpacer = "<p align=center>&nbsp;</p>";

// Space between two centred tables.
void spacing(util::TextWriter& w);
// A short note in place of a table.
void note(util::TextWriter& w, const std::string& text, const std::string& cls = "s");
// A table, or in its place a note when it holds no more than its heading rows.
void tableOrNote(util::TextWriter& w, const std::optional<Table>& t, const std::string& title,
                 size_t headingRows, const std::string& emptyNote,
                 const std::string& noteClass = "s");
// The key to the players' colours: gold for humans, blue for bots.
void legend(util::TextWriter& w);
// Creates a directory and its parents; one that cannot be made shows when its page is written.
// A symbolic link in the directory's own place is replaced by a directory.
void makeDirs(const std::string& dir);

// One page: the frame around a body, built in memory and written in one piece through files, so
// that a page is either absent or complete. title names the page (escaped already), number is the
// banner's page number, level the depth of the page's directory below the site root.
template <class Body>
void writeFramedPage(PageFiles& files, const std::string& file, const std::string& title,
                     const std::string& number, int level, Body body) {
  util::TextWriter w;
  w.reserve(64 * 1024);
  FrameHtml::writeHeader(w, title, level);
  FrameHtml::writeSidebar(w, title, level);
  FrameHtml::writeTop(w, title, number, level);
  body(w);
  FrameHtml::writeFooter(w, title, level);
  files.write(file, w.str());
}

}  // namespace orvane::programs::Scorex::output
