#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::programs::Scorex::output {

// The site's static files (skin, images, help and about pages, "processing.html"), embedded in
// the program and installed into the page directory at the start of every run.
class StaticFiles {
 public:
  struct File {
    std::string_view path;   // relative to the site root, with "/" separators
    std::string_view bytes;  // the file's content
  };
  // Every embedded file.
  static const std::vector<File>& all();
  // Writes each file that is missing below htmlDir (creating directories as needed); an
  // existing file is never replaced, so a site owner may customise the skin.
  static void install(const std::string& htmlDir);
};

}  // namespace orvane::programs::Scorex::output
