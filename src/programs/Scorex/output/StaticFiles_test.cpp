#include "programs/Scorex/output/StaticFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "TempDir.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::output {
namespace {

using testing::TempDir;
using util::Debug;

class StaticFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Debug::reset();
    Debug::setStream(&trace);
  }
  void TearDown() override { Debug::reset(); }
  // Every regular file below the directory, by path relative to it, with its bytes.
  static std::map<std::string, std::string> tree(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
      if (e.is_regular_file()) {
        files[std::filesystem::relative(e.path(), dir).string()] = testing::slurp(e.path());
      }
    }
    return files;
  }
  std::ostringstream trace;
  TempDir dir;
};

TEST_F(StaticFilesTest, InstallsEveryFileWithItsBytesAndNothingElse) {
  StaticFiles::install(dir.path() + "/");
  std::map<std::string, std::string> expected;
  for (const auto& f : StaticFiles::all()) expected[std::string(f.path)] = std::string(f.bytes);
  EXPECT_EQ(tree(dir.path()), expected);  // no temporary left beside any file
  EXPECT_EQ(trace.str(), "");
}

TEST_F(StaticFilesTest, NeverReplacesWhatIsAlreadyThere) {
  dir.write("skins/skin.css", "td.w { color: red; }");
  dir.mkdir("processing.html");  // anything under the name counts as present
  StaticFiles::install(dir.path() + "/");
  EXPECT_EQ(testing::slurp(dir.file("skins/skin.css")), "td.w { color: red; }");
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("processing.html")));
  // A second install keeps edits and restores only a file that went missing.
  dir.write("graphics/Scorex.gif", "edited");
  std::filesystem::remove(dir.file("Legal_Terms.html"));
  const auto before = tree(dir.path());
  StaticFiles::install(dir.path() + "/");
  const auto after = tree(dir.path());
  EXPECT_EQ(after.at("graphics/Scorex.gif"), "edited");
  EXPECT_EQ(after.size(), before.size() + 1);
  EXPECT_TRUE(after.contains("Legal_Terms.html"));
  EXPECT_EQ(trace.str(), "");
}

TEST_F(StaticFilesTest, ReportsEachFailedFileAndInstallsTheOthers) {
  dir.write("skins", "a file where the skin directory belongs");
  StaticFiles::install(dir.path() + "/");
  const std::string blocked = "Error in StaticFiles.install: IOException: " + dir.path();
  const std::string images = blocked + "/skins/custom_graphics (Not a directory)\n";
  EXPECT_EQ(trace.str(),
            images + images + images + images + blocked + "/skins (Not a directory)\n");
  EXPECT_EQ(tree(dir.path()).size(), StaticFiles::all().size() - 5 + 1);
}

TEST_F(StaticFilesTest, HoldsEveryFileThePagesLinkToAndNoOtherServer) {
  // Images with the width and height their header must give.
  const std::map<std::string, std::pair<int, int>> images = {
      {"skins/custom_graphics/background.gif", {8, 8}},
      {"skins/custom_graphics/sidebar_120x90.gif", {120, 90}},
      {"skins/custom_graphics/zolnar_sidebar_120x90.gif", {120, 90}},
      {"skins/custom_graphics/skin_credit_88x31.gif", {88, 31}},
      {"graphics/white.gif", {1, 1}},
      {"graphics/Scorex.gif", {180, 60}},
      {"graphics/kelvo_symbol.gif", {106, 106}},
      {"graphics/kelvo_logo.gif", {128, 56}},
      {"graphics/orvane_88x31.gif", {88, 31}},
      {"graphics/banner_468x60.gif", {468, 60}},
      {"graphics/zolnar_banner_468x60.gif", {468, 60}}};
  std::set<std::string> expected = {
      "skins/skin.css",   "Help_Using_Scorex.html", "About_Omniscore.html", "Legal_Terms.html",
      "About_Kelvo.html", "About_Orvane.html",      "processing.html",      "favicon.ico"};
  for (const auto& [path, size] : images) expected.insert(path);
  std::set<std::string> embedded;
  const std::regex otherServer("(https?:|[\"'(=]\\s*//)", std::regex::icase);
  const std::regex localLink("(?:href|src)=\"\\./([^\"#]*)");
  for (const auto& f : StaticFiles::all()) {
    const std::string path(f.path), bytes(f.bytes);
    embedded.insert(path);
    if (path.ends_with(".gif")) {
      ASSERT_TRUE(bytes.starts_with("GIF89a") || bytes.starts_with("GIF87a")) << path;
      auto u16 = [&](size_t at) { return (bytes.at(at) & 0xFF) | (bytes.at(at + 1) & 0xFF) << 8; };
      EXPECT_EQ(std::make_pair(u16(6), u16(8)), images.at(path)) << path;
      continue;
    }
    // Browsers ask every site for its icon at the root; an icon file of 16 and 32 pixels.
    if (path == "favicon.ico") {
      EXPECT_EQ(bytes.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
      continue;
    }
    EXPECT_FALSE(std::regex_search(bytes, otherServer)) << path;
    // The incomplete-log note of match pages links to this anchor.
    if (path == "Help_Using_Scorex.html") {
      EXPECT_NE(bytes.find("<a name=\"logfile\">"), std::string::npos);
    }
    // Every local link leads to an embedded file or to a page a run writes.
    for (std::sregex_iterator m(bytes.begin(), bytes.end(), localLink), end; m != end; ++m) {
      const std::string target = (*m)[1];
      EXPECT_TRUE(expected.contains(target) || target == "Scorex_Main.html" ||
                  target.starts_with("Individual_Game_Stats/") ||
                  target.starts_with("Total_Game_Stats/"))
          << path << " links to " << target;
    }
  }
  EXPECT_EQ(embedded, expected);
}

}  // namespace
}  // namespace orvane::programs::Scorex::output
