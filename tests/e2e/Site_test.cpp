// Two runs of each program over generated logs build one whole site and one database: the
// main and all-time pages are the golden ones of tests/golden/site_<program>/, every address
// leads to a file of the site, every match has its pages, every career player a page and a row
// in the player list; the second run rewrites only its own players' career pages and keeps a
// customised skin. The same logs again change nothing; all in one run give the same database.
// Names with markup, quotes and ISO-8859-1 letters reach every page escaped, letters as bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "Golden.h"
#include "Home.h"
#include "PageText.h"
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::Home;
using testing::RunResult;
using testing::slurp;

// What differs between the programs, and the logs: the first run takes the first `split`.
struct Program {
  std::string path;
  std::string prefix;     // of the database files
  size_t counters;        // of an entry of the player index
  std::string matchPage;  // of a match directory, beside its index and the player pages
  std::vector<std::pair<std::string, std::string>> logs;  // name, bytes
  size_t split;
};

// A log's names made hostile: markup, quotes and ISO-8859-1 letters.
std::string hostile(std::string text) {
  for (const auto& [from, to] : std::map<std::string, std::string>{
           {"Raven", "<script>alert('R\xE9n')</script>"},
           {"Mira", "<b>B&\"ira\"</b>"},
           {"Grunt", "<xmp>Gr\xFCnt"},
           {"\tRed\n", "\t<blink>Red&Co</blink>\n"},
           {"(\tmap\t(Title\t)?)[^\n]*", "$1<u>Q&A's</u>"},
           {"(\thostname\t|Server_ServerName\t)[^\n]*", "$1<marquee>\"Srv\"</marquee>"}}) {
    text = std::regex_replace(text, std::regex(from), to);
  }
  return text;
}
const char* const kRaw[] = {"<script>alert", "<b>B&", "<xmp", "<blink", "<u>Q", "<marquee"};
const char* const kShown[] = {"&lt;script&gt;alert('R\xE9n')&lt;/script&gt;", "&lt;xmp&gt;Gr\xFCnt",
                              "&lt;u&gt;Q&amp;A's&lt;/u&gt;"};

// The second run brings new players and returning ones: humans come from the generators' name
// pool in order. Brakk's duels repeat the first match of a.log (the same start) before new ones.
Program brakk() {
  auto log = [](tools::BrkLogOptions o) {
    o.eventsPerMatch = 80;
    return hostile(tools::generateBrkLog(o));
  };
  return {
      SCOREX_BRK,
      "brk_",
      10,
      "zbot.html",
      {{"a.log", log({.seed = 21, .matches = 2, .players = 4})},
       {"b.log",
        log({.seed = 22, .matches = 2, .players = 3, .bots = 1, .teamPlay = true, .startDay = 1})},
       {"c.log", log({.seed = 23, .matches = 2, .players = 6, .bots = 0, .startDay = 2})},
       {"d.log", log({.seed = 12, .duel = true})}},
      2};
}

// One log of every game type, a day apart.
Program zolnar() {
  Program p{SCOREX_ZLN, "zln_", 12, "", {}, 4};
  for (const char* type : {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                           "Tournament Team Game", "SinglePlayer"}) {
    const int i = static_cast<int>(p.logs.size());
    tools::ZlnLogOptions o{.players = i < 4 ? 3 : 5, .eventsPerMatch = 120, .gameType = type};
    o.seed = uint32_t(40 + i);
    o.startDay = i;
    p.logs.emplace_back(std::to_string(i) + ".log",
                        tools::encodeUtf16le(hostile(tools::generateZlnText(o))));
  }
  return p;
}

// The player index: each entry's bytes (name, bot flag, number, time and counters) by number.
std::map<int32_t, std::string> readIndex(const Home& home, const Program& p) {
  const std::string data = slurp(home.file("data/" + p.prefix + "hash.db"));
  util::BigEndianReader in(data);
  std::map<int32_t, std::string> entries;
  EXPECT_EQ(in.readInt(), 1);
  for (int32_t n = in.readInt(); n > 0; --n) {
    const size_t start = in.position();
    in.readText();
    in.readBool();
    const int32_t uid = in.readInt();
    in.readBytes(8 + 4 * p.counters);
    entries[uid] = data.substr(start, in.position() - start);
  }
  EXPECT_EQ(in.remaining(), 0u);
  return entries;
}

// The career pages by player number.
std::map<int32_t, std::string> careerPages(const Home& home) {
  std::map<int32_t, std::string> pages;
  for (const auto& e : fs::directory_iterator(home.file("html/Total_Game_Stats"))) {
    const std::string name = e.path().filename().string();
    if (std::regex_match(name, std::regex("[0-9]+\\.html"))) {
      pages[std::stoi(name)] = slurp(e.path().string());
    }
  }
  return pages;
}

template <class Map>
std::set<int32_t> keys(const Map& m) {
  std::set<int32_t> k;
  for (const auto& [key, value] : m) k.insert(key);
  return k;
}

// Every href and src of every page must name a file of the site (and its anchor), and no page
// holds a hostile name unescaped; returns how many addresses were followed.
int expectAddressesResolve(const std::string& site) {
  int followed = 0;
  std::string all;
  // Quoted either way: the banner's fallback image is set in a script within an attribute.
  const std::regex address("(?:href|src)=[\"']([^\"']*)[\"']", std::regex::icase);
  for (const auto& e : fs::recursive_directory_iterator(site)) {
    EXPECT_NE(e.path().filename().string().rfind(".saving-", 0), 0u) << e.path();
    if (e.path().extension() != ".html") continue;
    const std::string page = slurp(e.path().string());
    for (const char* raw : kRaw) EXPECT_EQ(page.find(raw), std::string::npos) << e.path() << raw;
    all += page;
    for (std::sregex_iterator i(page.begin(), page.end(), address), end; i != end; ++i) {
      std::string target = (*i)[1].str();
      EXPECT_EQ(target.find(':'), std::string::npos) << e.path() << ": " << target;
      const size_t hash = target.find('#');
      const std::string anchor = hash == std::string::npos ? "" : target.substr(hash + 1);
      target = target.substr(0, std::min(hash, target.find('?')));
      const fs::path file =
          target.empty() ? e.path() : (e.path().parent_path() / target).lexically_normal();
      EXPECT_TRUE(fs::is_regular_file(file)) << e.path() << ": " << (*i)[1].str();
      EXPECT_NE(file.lexically_relative(site).string().rfind("..", 0), 0u) << file;
      if (!anchor.empty()) {
        EXPECT_THAT(slurp(file.string()), ::testing::HasSubstr("name=\"" + anchor + "\""))
            << e.path() << ": " << (*i)[1].str();
      }
      ++followed;
    }
  }
  for (const char* shown : kShown) EXPECT_NE(all.find(shown), std::string::npos) << shown;
  return followed;
}

// Every address resolves; every match directory (the last and the highest match too) holds
// its players' pages; every player of the index has a career page and a row in the list.
void expectWholeSite(const Home& home, const Program& p, size_t matches) {
  EXPECT_GT(expectAddressesResolve(home.file("html")), 1000);
  std::vector<std::string> dirs = home.matchDirs();
  EXPECT_EQ(dirs.size(), matches);
  dirs.insert(dirs.end(), {"Last_Game", "Highest_Score"});
  for (const std::string& dir : dirs) {
    const std::string games = home.file("html/Individual_Game_Stats/" + dir + "/");
    const std::string index = slurp(games + "index.html");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        index, m, std::regex("No\\. Players&nbsp</td>\n<td class=w>&nbsp;([0-9]+)&nbsp")))
        << dir;
    for (int i = 0; i < std::stoi(m[1].str()); ++i) {
      EXPECT_TRUE(fs::exists(games + std::to_string(i) + ".html")) << dir << " " << i;
    }
    const auto files = std::distance(fs::directory_iterator(games), fs::directory_iterator());
    EXPECT_EQ(files, std::stoi(m[1].str()) + (p.matchPage.empty() ? 1 : 2)) << dir;
    EXPECT_TRUE(p.matchPage.empty() || fs::exists(games + p.matchPage)) << dir;
  }
  const auto index = readIndex(home, p);
  EXPECT_EQ(keys(careerPages(home)), keys(index));
  std::set<int32_t> listed;
  for (const std::string& n :
       testing::found(slurp(home.file("html/Total_Game_Stats/Player_Index.html")),
                      "href=\"\\./([0-9]+)\\.html\"")) {
    listed.insert(std::stoi(n));
  }
  EXPECT_EQ(listed, keys(index));
}

// The arguments of a run over logs [from, to), after the options given.
std::vector<std::string> args(const Program& p, size_t from, size_t to,
                              std::vector<std::string> options = {}) {
  for (size_t i = from; i < to; ++i) options.push_back(p.logs[i].first);
  return options;
}

std::vector<std::string> database(const Home& home, const Program& p) {
  std::vector<std::string> files;
  for (const char* f : {"game.db", "records.db", "hash.db", "player.db"}) {
    files.push_back(slurp(home.file("data/" + p.prefix + f)));
  }
  return files;
}

size_t count(const std::string& text, const std::string& pattern) {
  return testing::found(text, "(" + pattern + ")").size();
}

const std::string kNew = "Players in DB:[0-9]+\n";
const std::string kRepeat = "[0-9]+ is a Repeat Game, removing\\.\\.\\.\n";

class Site : public ::testing::TestWithParam<std::string> {};

TEST_P(Site, TwoRunsBuildOneWholeSiteAndOneDatabase) {
  const Program p = GetParam() == "Brakk" ? brakk() : zolnar();
  const Home home(p.path);
  const Home once(p.path);
  for (const auto& [name, bytes] : p.logs) {
    home.write(name, bytes);
    once.write(name, bytes);
  }
  const RunResult first = home.expectRun(0, args(p, 0, p.split));
  expectWholeSite(home, p, count(first.out, kNew));
  const auto before = readIndex(home, p);
  const std::map<int32_t, std::string> saved = careerPages(home);
  auto put = [&](int32_t uid, const std::string& text) {
    home.write("html/Total_Game_Stats/" + std::to_string(uid) + ".html", text);
  };
  for (const auto& [uid, text] : saved) put(uid, "left by run 1");
  const std::string skin = home.write("html/skins/skin.css", "td.w { color: red; }\n");

  const RunResult second = home.expectRun(0, args(p, p.split, p.logs.size(), {"-v"}));
  EXPECT_EQ(slurp(skin), "td.w { color: red; }\n");
  // Who played in the second run: the index entries it added or changed; some came back.
  const auto after = readIndex(home, p);
  std::set<int32_t> played;
  std::set<int32_t> rewritten;
  for (const auto& [uid, entry] : after) {
    if (!before.contains(uid) || before.at(uid) != entry) played.insert(uid);
  }
  for (const auto& [uid, text] : careerPages(home)) {
    if (text != "left by run 1") rewritten.insert(uid);
  }
  EXPECT_EQ(rewritten, played);
  const auto back = std::count_if(played.begin(), played.end(),
                                  [&](int32_t uid) { return before.contains(uid); });
  EXPECT_GT(back, 0);
  EXPECT_LT(static_cast<size_t>(back), before.size());
  EXPECT_GT(after.size(), before.size());
  // With the first run's pages back in place, the site is whole again.
  for (const auto& [uid, text] : saved)
    if (!rewritten.contains(uid)) put(uid, text);
  const size_t matches = count(first.out + second.out, kNew);
  expectWholeSite(home, p, matches);
  const std::string golden = std::string(SCOREX_GOLDEN_DIR "/site_") + home.name() + "/";
  for (const char* page : {"Scorex_Main.html", "Individual_Game_Stats/Recent_Index.html",
                           "Total_Game_Stats/Total_Index.html", "Total_Game_Stats/Rankings.html",
                           "Total_Game_Stats/Player_Index.html", "Total_Game_Stats/0.html"}) {
    testing::expectGolden(golden + page, slurp(home.file("html/") + page));
  }

  // The same logs again: every match is a repeat and nothing changes.
  const std::vector<std::string> built = database(home, p);
  const RunResult again = home.expectRun(0, args(p, 0, p.logs.size(), {"-v"}));
  EXPECT_EQ(count(again.out, kNew), 0u) << again.out;
  EXPECT_EQ(count(again.out, kRepeat), matches + count(second.out, kRepeat)) << again.out;
  EXPECT_EQ(database(home, p), built);

  // All logs in one run give the same database.
  EXPECT_EQ(count(once.expectRun(0, args(p, 0, p.logs.size())).out, kNew), matches);
  EXPECT_EQ(database(once, p), built);
}

std::string programName(const ::testing::TestParamInfo<std::string>& param) { return param.param; }

INSTANTIATE_TEST_SUITE_P(BothPrograms, Site, ::testing::Values("Brakk", "Zolnar"), programName);

}  // namespace
}  // namespace orvane
