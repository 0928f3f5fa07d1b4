#include "Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"

namespace orvane::testing {

bool updatingGolden() {
  const char* update = std::getenv("SCOREX_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

void rewriteGolden(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
  ADD_FAILURE() << "golden file rewritten: review with git diff, then run the tests again: "
                << path;
}

void expectGolden(const std::string& path, const std::string& actual) {
  const std::string want = slurp(path);
  if (actual == want) return;
  if (updatingGolden()) return rewriteGolden(path, actual);
  std::istringstream a(actual);
  std::istringstream b(want);
  std::string x;
  std::string y;
  int line = 1;
  for (;; ++line) {
    const bool moreGot = static_cast<bool>(std::getline(a, x));
    const bool moreWant = static_cast<bool>(std::getline(b, y));
    if (!moreGot) x = "(end)";
    if (!moreWant) y = "(end)";
    if (x != y || !(moreGot || moreWant)) break;
  }
  ADD_FAILURE() << path << " line " << line << ":\n  got:  " << x << "\n  want: " << y
                << "\n(after a deliberate change: make golden)";
}

}  // namespace orvane::testing
