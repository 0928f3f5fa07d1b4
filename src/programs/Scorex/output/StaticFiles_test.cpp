#include "programs/Scorex/output/StaticFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempDir.h"
#include "TraceCapture.h"

namespace orvane::programs::Scorex::output {
namespace {

using testing::slurp;

// Every regular file below the directory, by path relative to it, with its bytes.
std::map<std::string, std::string> tree(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) files[std::filesystem::relative(e.path(), dir)] = slurp(e.path());
  }
  return files;
}

TEST(StaticFiles, InstallsWhatIsMissingAndNeverReplacesWhatIsThere) {
  const testing::TraceCapture trace;
  const testing::TempDir dir;
  StaticFiles::install(dir.path() + "/");
  std::map<std::string, std::string> expected;
  for (const auto& f : StaticFiles::all()) expected[std::string(f.path)] = std::string(f.bytes);
  EXPECT_EQ(tree(dir.path()), expected);  // no temporary left beside any file
  // A second install keeps edits and restores only a file that went missing.
  dir.write("graphics/Scorex.gif", "edited");
  std::filesystem::remove(dir.file("Legal_Terms.html"));
  StaticFiles::install(dir.path() + "/");
  expected["graphics/Scorex.gif"] = "edited";
  EXPECT_EQ(tree(dir.path()), expected);
  EXPECT_EQ(trace.str(), "");

  // Each file that cannot be installed is reported; the others are installed.
  const testing::TempDir blocked;
  blocked.write("skins", "a file where the skin directory belongs");
  StaticFiles::install(blocked.path() + "/");
  const std::string error = "Error in StaticFiles.install: IOException: " + blocked.path();
  const std::string images = error + "/skins/custom_graphics (Not a directory)\n";
  EXPECT_EQ(trace.str(), images + images + images + images + error + "/skins (Not a directory)\n");
  EXPECT_EQ(tree(blocked.path()).size(), StaticFiles::all().size() - 5 + 1);
}

}  // namespace
}  // namespace orvane::programs::Scorex::output
