#include "programs/Scorex/output/PageParts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "util/FaultPoint.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::output {

void spacing(util::TextWriter& w) {
  w.println(kSpacer);
  w.println("</center><center>");
}

void note(util::TextWriter& w, const std::string& text, const std::string& cls) {
  w.println("<table><tr><td valign=middle width=250 class=" + cls + ">" + text +
            "</td></tr></table>");
}

void tableOrNote(util::TextWriter& w, const std::optional<Table>& t, const std::string& title,
                 size_t headingRows, const std::string& emptyNote, const std::string& noteClass) {
  if (t && t->size() == headingRows) {
    note(w, emptyNote, noteClass);
  } else {
    TableHtml::createTable(w, t, title);
  }
}

void legend(util::TextWriter& w) {
  const std::string cellStart =
      "<td width=120 bgcolor=\"#000000\" align=center><font face=" + FrameHtml::defaultFont +
      " size=2 color=";
  w.println("<table border=0 align=center>");
  w.println("<tr><td class=r colspan=2>Player Color Legend</td></tr>");
  w.println("<tr>" + cellStart + "\"#FDD932\"><b>Gold<br>Human Player</b></font></td>");
  w.println(cellStart + "\"#0080FF\"><b>Blue<br>Bot</b></font></td></tr>");
  w.println("</table>");
}

void makeDirs(const std::string& dir) {
  const std::string path = dir.ends_with('/') ? dir.substr(0, dir.size() - 1) : dir;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  // The directory itself is the site's own: its pages never go through a link planted in its
  // place, which goes (what it names stays as it is).
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return;
    util::faultPoint();
    ::unlink(path.c_str());
  }
  util::faultPoint();
  ::mkdir(path.c_str(), 0777);
}

}  // namespace orvane::programs::Scorex::output
