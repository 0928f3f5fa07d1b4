// Runs of ScorexZLN over generated logs of every game type build one whole site: every address
// leads into it, every career player has a page and a row in the player list, the same logs
// give the same pages, and names from a hostile log reach the pages only escaped.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"
#include "tools/ZlnLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace e2e {
// Checks every href and src of every page below the site root; returns how many it followed.
int expectAddressesResolve(const std::string& site);
}  // namespace e2e

namespace {

namespace fs = std::filesystem;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

const std::vector<std::string> kTypes = {
    "Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
    "Tournament Team Game",  "SinglePlayer"};

RunResult run(const TempDir& home, std::vector<std::string> logs) {
  testing::RunOptions options;
  options.args = std::move(logs);
  options.cwd = home.path();
  options.env["DISPLAY"] = std::nullopt;
  options.env["TZ"] = "UTC";
  return testing::runProgram(SCOREX_ZLN, options);
}

// A home with a log of every game type, a day apart, and its configuration; returns the logs.
std::vector<std::string> prepare(const TempDir& home) {
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n");
  std::vector<std::string> logs;
  for (size_t i = 0; i < kTypes.size(); ++i) {
    tools::ZlnLogOptions o;
    o.seed = static_cast<uint32_t>(60 + i);
    o.gameType = kTypes[i];
    o.startDay = static_cast<int>(i);
    o.players = 4;
    o.bots = 2;
    o.eventsPerMatch = 150;
    logs.push_back("m" + std::to_string(i) + ".log");
    home.write(logs.back(), tools::generateZlnLog(o));
  }
  return logs;
}

// The career numbers of the player index "zln_hash.db".
std::set<int32_t> indexed(const std::string& file) {
  const std::string data = slurp(file);
  util::BigEndianReader in(data);
  std::set<int32_t> uids;
  EXPECT_EQ(in.readInt(), 1);
  for (int32_t n = in.readInt(); n > 0; --n) {
    in.readText();
    in.readBool();
    uids.insert(in.readInt());
    in.readBytes(8 + 12 * 4);
  }
  EXPECT_EQ(in.remaining(), 0u);
  return uids;
}

// The career numbers named by the file names of a directory, and by the links of a page.
std::set<int32_t> pagesIn(const std::string& dir) {
  std::set<int32_t> uids;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (std::regex_match(name, std::regex("[0-9]+\\.html"))) uids.insert(std::stoi(name));
  }
  return uids;
}
std::set<int32_t> linksIn(const std::string& page) {
  std::set<int32_t> uids;
  const std::regex row("href=\"\\./([0-9]+)\\.html\"");
  for (std::sregex_iterator i(page.begin(), page.end(), row), end; i != end; ++i) {
    uids.insert(std::stoi((*i)[1].str()));
  }
  return uids;
}

// Every page of a site by its path below the root.
std::map<std::string, std::string> pages(const std::string& site) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(site)) {
    if (e.path().extension() == ".html") {
      all[e.path().lexically_relative(site).string()] = slurp(e.path().string());
    }
  }
  return all;
}

TEST(ZlnSite, EveryGameTypeBuildsOneWholeSite) {
  TempDir home;
  const std::vector<std::string> logs = prepare(home);
  const RunResult r = run(home, logs);
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  const std::string site = home.file("html");
  EXPECT_GT(e2e::expectAddressesResolve(site), 1000);

  const std::set<int32_t> players = indexed(home.file("data/zln_hash.db"));
  EXPECT_GT(players.size(), 6u);
  EXPECT_EQ(pagesIn(site + "/Total_Game_Stats"), players);
  EXPECT_EQ(linksIn(slurp(site + "/Total_Game_Stats/Player_Index.html")), players);
  const std::string rankings = slurp(site + "/Total_Game_Stats/Rankings.html");
  for (const std::string& type : kTypes) {
    // Every game type but the single-player one has a ranking with at least one player.
    const std::string title = "&nbsp;" + type + " : All-Time Ranking&nbsp</td>";
    const size_t at = rankings.find(title);
    EXPECT_EQ(at == std::string::npos, type == "SinglePlayer") << type;
    if (at != std::string::npos) {
      EXPECT_NE(rankings.find("<td class=y>&nbsp;1&nbsp</td>", at), std::string::npos) << type;
    }
  }
  EXPECT_NE(slurp(site + "/Scorex_Main.html").find("Thank you for playing Zolnar&#153;"),
            std::string::npos);

  // The same logs in another home give the same pages.
  TempDir again;
  prepare(again);
  ASSERT_EQ(run(again, logs).status, 0);
  EXPECT_TRUE(pages(again.file("html")) == pages(site));
}

// Replaces every occurrence of from in text.
void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

TEST(ZlnSite, HostileNamesReachThePagesEscaped) {
  TempDir home;
  home.mkdir("data");
  home.mkdir("html");
  home.write("ScorexZLN.cfg", "SpawnBrowser\tfalse\n");
  tools::ZlnLogOptions o;
  o.seed = 71;
  o.gameType = "Capture the Flag";
  o.players = 3;
  o.bots = 2;
  o.eventsPerMatch = 120;
  std::string text = tools::generateZlnText(o);
  // Player, bot, team, map and server names with markup, quotes and ISO-8859-1 letters.
  replaceAll(text, "Raven", "<script>alert('R\xE9n')</script>");
  replaceAll(text, "Mira", "<b>B&\"ira\"</b>");
  replaceAll(text, "Grunt", "<xmp>Gr\xFCnt");
  replaceAll(text, "\tRed\n", "\t<blink>Red&Co</blink>\n");
  text = std::regex_replace(text, std::regex("\tmap\tTitle\t[^\n]*"), "\tmap\tTitle\t<u>Q&A's</u>");
  text = std::regex_replace(text, std::regex("Server_ServerName\t[^\n]*"),
                            "Server_ServerName\t<marquee>\"Srv\"</marquee>");
  home.write("h.log", tools::encodeUtf16le(text));
  const RunResult r = run(home, {"h.log"});
  ASSERT_EQ(r.status, 0) << r.out << r.err;

  const std::map<std::string, std::string> site = pages(home.file("html"));
  std::string all;
  for (const auto& [path, page] : site) {
    SCOPED_TRACE(path);
    for (const char* raw : {"<script", "<b>B&", "<xmp", "<blink", "<u>Q", "<marquee"}) {
      EXPECT_EQ(page.find(raw), std::string::npos) << raw;
    }
    all += page;
  }
  // The names are there, escaped, and their letters are the log's bytes.
  for (const char* shown : {"&lt;script&gt;alert('R\xE9n')&lt;/script&gt;", "&lt;xmp&gt;Gr\xFCnt",
                            "&lt;u&gt;Q&amp;A's&lt;/u&gt;"}) {
    EXPECT_NE(all.find(shown), std::string::npos) << shown;
  }
  EXPECT_GT(e2e::expectAddressesResolve(home.file("html")), 100);
}

}  // namespace
}  // namespace orvane
