#include "Golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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
  const auto diff = std::mismatch(actual.begin(), actual.end(), want.begin(), want.end()).first;
  const size_t start =
      diff == actual.begin() ? 0 : actual.rfind('\n', diff - actual.begin() - 1) + 1;
  auto line = [start](const std::string& s) {
    return start < s.size() ? s.substr(start, s.find('\n', start) - start) : "(end)";
  };
  ADD_FAILURE() << path << " line "
                << std::count(actual.begin(), actual.begin() + long(start), '\n') + 1
                << ":\n  got:  " << line(actual) << "\n  want: " << line(want)
                << "\n(after a deliberate change: make golden)";
}

}  // namespace orvane::testing
