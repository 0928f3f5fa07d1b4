#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace orvane::programs::Scorex::modern {

// The files of the modern site under its directory, for one run. A file is written only when
// its bytes differ from what is on disk (then atomically: a temporary file renamed over it), so
// a page that did not change keeps its time stamp. Failures are traced once each and remembered.
class SiteFiles {
 public:
  explicit SiteFiles(std::string root) : root(std::move(root)) {}

  // Writes rel (a path under the root) unless it holds these bytes already; false on failure.
  bool put(const std::string& rel, const std::string& bytes);
  // Writes rel only when there is no such file (an admin's edits survive).
  bool putIfMissing(const std::string& rel, const std::string& bytes);
  bool exists(const std::string& rel) const;
  // The file's bytes, or none when it cannot be read.
  std::string read(const std::string& rel) const;

  bool ok() const { return good; }
  int64_t written() const { return count; }
  const std::string& dir() const { return root; }

 private:
  bool makeParent(const std::string& path);

  std::string root;
  bool good = true;
  int64_t count = 0;
  std::set<std::string> made;
};

}  // namespace orvane::programs::Scorex::modern
