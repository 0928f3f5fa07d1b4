// Two runs of each program over generated logs build one whole site and one career database:
// the main and all-time pages are those checked in under tests/golden/site_<program>/ (`make
// golden` rewrites them), every address leads to a file of the site, every match has its
// pages, every career player a page and a row in the player list, and the second run rewrites
// the career pages of its own players and no others and keeps a customised skin. The same logs
// again change nothing, and all in one run give the same database. Names from a hostile log
// reach the pages only escaped.
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
#include "tools/BrkLogGenerator.h"
#include "tools/ZlnLogGenerator.h"
#include "util/BigEndian.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::Home;
using testing::listing;
using testing::RunResult;
using testing::slurp;
using Logs = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// What differs between the programs, and the logs of the two runs.
struct Program {
  std::string path;
  std::string prefix;     // of the database files
  int counters;           // of an entry of the player index
  std::string matchPage;  // of a match directory, beside its index and the player pages
  Logs first;
  Logs second;
};

// The second run brings new players and returning ones: humans come from the generators' name
// pool in order. Brakk's duels repeat the first match of a.log (the same start) before new ones.
Program brakk() {
  tools::BrkLogOptions a;
  a.seed = 21;
  a.matches = 2;
  a.players = 4;
  a.bots = 2;
  a.eventsPerMatch = 80;
  tools::BrkLogOptions b = a;
  b.seed = 22;
  b.players = 3;
  b.bots = 1;
  b.teamPlay = true;
  b.startDay = 1;
  tools::BrkLogOptions c = a;
  c.seed = 23;
  c.players = 6;
  c.bots = 0;
  c.startDay = 2;
  tools::BrkLogOptions d = a;
  d.seed = 12;
  d.duel = true;
  d.matches = 3;
  return {SCOREX_BRK,
          "brk_",
          10,
          "zbot.html",
          {{"a.log", tools::generateBrkLog(a)}, {"b.log", tools::generateBrkLog(b)}},
          {{"c.log", tools::generateBrkLog(c)}, {"d.log", tools::generateBrkLog(d)}}};
}

// One log of every game type, a day apart.
Program zolnar() {
  Program p{SCOREX_ZLN, "zln_", 12, "", {}, {}};
  const char* const types[] = {"Tournament DeathMatch", "Capture the Flag", "Domination", "Assault",
                               "Tournament Team Game",  "SinglePlayer"};
  for (int i = 0; i < 6; ++i) {
    tools::ZlnLogOptions o;
    o.seed = static_cast<uint32_t>(40 + i);
    o.gameType = types[i];
    o.startDay = i;
    o.players = i < 4 ? 3 : 5;
    o.bots = 2;
    o.eventsPerMatch = 120;
    (i < 4 ? p.first : p.second).emplace_back(std::to_string(i) + ".log", tools::generateZlnLog(o));
  }
  return p;
}

std::vector<std::string> names(const Logs& logs) {
  std::vector<std::string> n;
  for (const auto& [name, bytes] : logs) n.push_back(name);
  return n;
}

// The player index: each entry's bytes (name, bot flag, number, time and counters) by number.
std::map<int32_t, std::string> readIndex(const std::string& file, int counters) {
  const std::string data = slurp(file);
  util::BigEndianReader in(data);
  std::map<int32_t, std::string> entries;
  EXPECT_EQ(in.readInt(), 1);
  for (int32_t n = in.readInt(); n > 0; --n) {
    const size_t start = in.position();
    in.readText();
    in.readBool();
    const int32_t uid = in.readInt();
    in.readBytes(8 + 4 * static_cast<size_t>(counters));
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
  std::set<int32_t> out;
  for (const auto& [k, v] : m) out.insert(k);
  return out;
}

// Every href and src of every page below the site root must name a file of the site (an
// anchor in it, when one is given); returns how many were followed.
int expectAddressesResolve(const std::string& site) {
  int followed = 0;
  // Quoted either way: the banner's fallback image is set in a script within an attribute.
  const std::regex address("(?:href|src)=[\"']([^\"']*)[\"']", std::regex::icase);
  for (const auto& e : fs::recursive_directory_iterator(site)) {
    EXPECT_NE(e.path().filename().string().rfind(".saving-", 0), 0u) << e.path();
    if (e.path().extension() != ".html") continue;
    const std::string page = slurp(e.path().string());
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
  return followed;
}

// The site as a whole: every address resolves; every match directory (and the copies of the
// last and the highest match) holds the pages of its players; every player of the index has
// a career page and a row in the player list.
void expectWholeSite(const Home& home, const Program& p, size_t matches) {
  EXPECT_GT(expectAddressesResolve(home.file("html")), 1000);
  std::vector<std::string> dirs = home.matchDirs();
  EXPECT_EQ(dirs.size(), matches);
  dirs.insert(dirs.end(), {"Last_Game", "Highest_Score"});
  const std::regex count("No\\. Players&nbsp</td>\n<td class=w>&nbsp;([0-9]+)&nbsp");
  for (const std::string& dir : dirs) {
    const std::string games = home.file("html/Individual_Game_Stats/" + dir);
    std::smatch m;
    const std::string index = slurp(games + "/index.html");
    ASSERT_TRUE(std::regex_search(index, m, count)) << dir;
    std::set<std::string> files = {"index.html", p.matchPage};
    files.erase("");
    for (int i = 0; i < std::stoi(m[1].str()); ++i) files.insert(std::to_string(i) + ".html");
    std::string want;
    for (const std::string& f : files) want += (want.empty() ? "" : " ") + f;
    EXPECT_EQ(listing(games), want) << dir;
  }
  const auto index = readIndex(home.file("data/" + p.prefix + "hash.db"), p.counters);
  EXPECT_EQ(keys(careerPages(home)), keys(index));
  const std::string list = slurp(home.file("html/Total_Game_Stats/Player_Index.html"));
  std::set<int32_t> listed;
  const std::regex row("href=\"\\./([0-9]+)\\.html\"");
  for (std::sregex_iterator i(list.begin(), list.end(), row), end; i != end; ++i) {
    listed.insert(std::stoi((*i)[1].str()));
  }
  EXPECT_EQ(listed, keys(index));
}

std::vector<std::string> database(const Home& home, const Program& p) {
  std::vector<std::string> files;
  for (const char* f : {"game.db", "records.db", "hash.db", "player.db"}) {
    files.push_back(slurp(home.file("data/" + p.prefix + f)));
  }
  return files;
}

size_t count(const std::string& text, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<size_t>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

class Site : public ::testing::TestWithParam<std::string> {};

TEST_P(Site, TwoRunsBuildOneWholeSiteAndOneDatabase) {
  const Program p = GetParam() == "Brakk" ? brakk() : zolnar();
  const Home home(p.path);
  for (const Logs* logs : {&p.first, &p.second}) {
    for (const auto& [name, bytes] : *logs) home.write(name, bytes);
  }
  const RunResult first = home.run(names(p.first));
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  const size_t firstMatches = count(first.out, "Players in DB:[0-9]+\n");
  expectWholeSite(home, p, firstMatches);
  const auto before = readIndex(home.file("data/" + p.prefix + "hash.db"), p.counters);
  const std::map<int32_t, std::string> saved = careerPages(home);
  const std::string marker = "left by the first run";
  for (const auto& [uid, text] : saved) {
    home.write("html/Total_Game_Stats/" + std::to_string(uid) + ".html", marker);
  }
  const std::string skin = home.write("html/skins/skin.css", "td.w { color: red; }\n");

  std::vector<std::string> args = names(p.second);
  args.insert(args.begin(), "-v");
  const RunResult second = home.run(args);
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_EQ(slurp(skin), "td.w { color: red; }\n");
  // Who played in the second run: the index entries it added or changed.
  const auto after = readIndex(home.file("data/" + p.prefix + "hash.db"), p.counters);
  std::set<int32_t> played;
  for (const auto& [uid, entry] : after) {
    if (!before.contains(uid) || before.at(uid) != entry) played.insert(uid);
  }
  std::set<int32_t> rewritten;
  for (const auto& [uid, text] : careerPages(home)) {
    if (text != marker) rewritten.insert(uid);
  }
  EXPECT_EQ(rewritten, played);
  const auto back = std::count_if(played.begin(), played.end(),
                                  [&](int32_t uid) { return before.contains(uid); });
  EXPECT_GT(back, 0);
  EXPECT_LT(static_cast<size_t>(back), before.size());
  EXPECT_GT(after.size(), before.size());
  // With the first run's pages back in place, the site is whole again.
  for (const auto& [uid, text] : saved) {
    if (!rewritten.contains(uid)) {
      home.write("html/Total_Game_Stats/" + std::to_string(uid) + ".html", text);
    }
  }
  const size_t matches = firstMatches + count(second.out, "Players in DB:[0-9]+\n");
  expectWholeSite(home, p, matches);
  const std::string golden = std::string(SCOREX_GOLDEN_DIR "/site_") + home.name() + "/";
  for (const char* page : {"Scorex_Main.html", "Individual_Game_Stats/Recent_Index.html",
                           "Total_Game_Stats/Total_Index.html", "Total_Game_Stats/Rankings.html",
                           "Total_Game_Stats/Player_Index.html", "Total_Game_Stats/0.html"}) {
    testing::expectGolden(golden + page, slurp(home.file("html/") + page));
  }

  // The same logs again: every match is a repeat and nothing changes.
  const std::vector<std::string> built = database(home, p);
  std::vector<std::string> all = names(p.first);
  for (const std::string& log : names(p.second)) all.push_back(log);
  all.insert(all.begin(), "-v");
  const RunResult again = home.run(all);
  ASSERT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(count(again.out, "Players in DB:"), 0u) << again.out;
  const std::string repeat = "[0-9]+ is a Repeat Game, removing\\.\\.\\.\n";
  EXPECT_EQ(count(again.out, repeat), matches + count(second.out, repeat)) << again.out;
  EXPECT_EQ(database(home, p), built);

  // All logs in one run give the same database.
  all.erase(all.begin());
  const Home once(p.path);
  for (const Logs* logs : {&p.first, &p.second}) {
    for (const auto& [name, bytes] : *logs) once.write(name, bytes);
  }
  const RunResult both = once.run(all);
  ASSERT_EQ(both.status, 0) << both.out << both.err;
  EXPECT_EQ(count(both.out, "Players in DB:[0-9]+\n"), matches);
  EXPECT_EQ(database(once, p), built);
}

// Player, bot, team, map and server names with markup, quotes and ISO-8859-1 letters reach the
// pages escaped, their letters the log's bytes, and the site stays whole.
TEST(Site, HostileNamesReachThePagesEscaped) {
  tools::ZlnLogOptions o;
  o.seed = 71;
  o.gameType = "Capture the Flag";
  o.players = 3;
  o.bots = 2;
  o.eventsPerMatch = 120;
  std::string text = tools::generateZlnText(o);
  for (const auto& [from, to] : std::map<std::string, std::string>{
           {"Raven", "<script>alert('R\xE9n')</script>"},
           {"Mira", "<b>B&\"ira\"</b>"},
           {"Grunt", "<xmp>Gr\xFCnt"},
           {"\tRed\n", "\t<blink>Red&Co</blink>\n"},
           {"\tmap\tTitle\t[^\n]*", "\tmap\tTitle\t<u>Q&A's</u>"},
           {"Server_ServerName\t[^\n]*", "Server_ServerName\t<marquee>\"Srv\"</marquee>"}}) {
    text = std::regex_replace(text, std::regex(from), to);
  }
  const Home home(SCOREX_ZLN);
  home.write("h.log", tools::encodeUtf16le(text));
  const RunResult r = home.run({"h.log"});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  std::string all;
  for (const auto& e : fs::recursive_directory_iterator(home.file("html"))) {
    if (e.path().extension() != ".html") continue;
    const std::string page = slurp(e.path().string());
    for (const char* raw : {"<script", "<b>B&", "<xmp", "<blink", "<u>Q", "<marquee"}) {
      EXPECT_EQ(page.find(raw), std::string::npos) << e.path() << ": " << raw;
    }
    all += page;
  }
  for (const char* shown : {"&lt;script&gt;alert('R\xE9n')&lt;/script&gt;", "&lt;xmp&gt;Gr\xFCnt",
                            "&lt;u&gt;Q&amp;A's&lt;/u&gt;"}) {
    EXPECT_NE(all.find(shown), std::string::npos) << shown;
  }
  EXPECT_GT(expectAddressesResolve(home.file("html")), 100);
}

std::string programName(const ::testing::TestParamInfo<std::string>& param) { return param.param; }

INSTANTIATE_TEST_SUITE_P(BothPrograms, Site, ::testing::Values("Brakk", "Zolnar"), programName);

}  // namespace
}  // namespace orvane
