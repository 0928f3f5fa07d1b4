// Hostile file systems and careless set-ups, through the real programs: no match is lost or
// counted twice, and no file outside the home is touched, whatever the admin or another user
// of the machine left in the way.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using testing::listing;
using testing::RunOptions;
using testing::RunResult;
using testing::slurp;
using testing::TempDir;

using Env = std::map<std::string, std::optional<std::string>>;

// A site home of one module ("BRK" or "ZLN"): data/, html/ and a configuration with the
// browser off and the given extra lines.
class Home {
 public:
  explicit Home(const std::string& module = "BRK", const std::string& extra = "")
      : program(module == "ZLN" ? SCOREX_ZLN : SCOREX_BRK), cfg("Scorex" + module + ".cfg") {
    dir.mkdir("data");
    dir.mkdir("html");
    configure(extra);
  }
  void configure(const std::string& extra) const {
    dir.write(cfg, "SpawnBrowser\tfalse\n" + extra);
  }
  std::string file(const std::string& name) const { return dir.file(name); }
  std::string write(const std::string& name, const std::string& bytes) const {
    return dir.write(name, bytes);
  }
  const std::string& path() const { return dir.path(); }

  RunOptions options(std::vector<std::string> args, const Env& env = {}) const {
    RunOptions o;
    o.args = std::move(args);
    o.cwd = dir.path();
    o.env["DISPLAY"] = std::nullopt;
    o.env["TZ"] = "UTC";
    for (const auto& [k, v] : env) o.env[k] = v;
    o.timeoutMs = 60000;
    if (runAs) {
      o.uid = static_cast<int>(runAs->pw_uid);
      o.gid = static_cast<int>(runAs->pw_gid);
    }
    return o;
  }
  RunResult run(std::vector<std::string> args = {}, const Env& env = {}) const {
    return testing::runProgram(runAs ? copy : program, options(std::move(args), env));
  }

  // From here on the program runs as an unprivileged user, from a copy in the home (the build
  // tree may lie where that user cannot go), and the home belongs to that user. As root that
  // is "nobody" (false when there is none); otherwise the test's own user already is.
  bool unprivileged() {
    if (geteuid() != 0) return true;
    runAs = getpwnam("nobody");
    if (runAs == nullptr) return false;
    copy = file(fs::path(program).filename().string());
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    handOver(path());
    return true;
  }
  // Gives a path (and what is below it) to the user the program runs as.
  void handOver(const std::string& p) const {
    if (!runAs) return;
    ASSERT_EQ(lchown(p.c_str(), runAs->pw_uid, runAs->pw_gid), 0) << p;
    if (!fs::is_directory(fs::symlink_status(p))) return;
    for (const auto& e : fs::recursive_directory_iterator(p)) {
      ASSERT_EQ(lchown(e.path().c_str(), runAs->pw_uid, runAs->pw_gid), 0) << e.path();
    }
  }

  // The time-stamped match directories of the site.
  std::vector<std::string> matchDirs() const {
    std::vector<std::string> dirs;
    for (const auto& e : fs::directory_iterator(file("html/Individual_Game_Stats"))) {
      const std::string name = e.path().filename().string();
      if (e.is_directory() && name != "Last_Game" && name != "Highest_Score") {
        dirs.push_back(name);
      }
    }
    return dirs;
  }

 private:
  TempDir dir;
  std::string program;
  std::string cfg;
  std::string copy;
  const passwd* runAs = nullptr;
};

// A Brakk match of two players with one kill each way, started at the logged time `when`
// ("2024.03.01.20.00.00.000.+1"), the players' names given.
std::string brkMatch(const std::string& when, const std::string& a = "Ann",
                     const std::string& b = "Bob") {
  return "0.0\tinfo\tLog_Standard\tqmLog\n0.0\tinfo\tAbsolute_Time\t" + when +
         "\n0.0\tinfo\tmap\tq2dm1\n1\tPlayer_Connect\t" + a + "\t0\tip\n1\tPlayer_Enter\t" + a +
         "\t0\n1\tPlayer_Connect\t" + b + "\t1\tip\n1\tPlayer_Enter\t" + b +
         "\t1\n10\tKill\t0\tRailgun\t\t50\t1\tBlaster\t\t60\n"
         "20\tKill\t1\tShotgun\t\t50\t0\tRailgun\t\t60\n30\tGame_End\tfraglimit\n";
}

// The match of day `day` of March 2024 (a distinct time stamp per day).
[[maybe_unused]] std::string brkDay(int day) {
  return brkMatch("2024.03." + std::to_string(100 + day).substr(1) + ".20.00.00.000.+1");
}

[[maybe_unused]] size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Log names and texts reach the trace: control bytes there are written as \xNN, so that a
// planted escape sequence cannot drive the admin's terminal. Names in page headings are
// escaped as in page titles.
TEST(HostileFiles, TraceAndHeadingsShowHostileTextsHarmlessly) {
  Home home;
  const std::string name = "evil\x1B]0;owned\x07\x1B[2J.log";
  home.write(name, brkMatch("2024.03.01.20.00.00.000.+1", "Ann Lee", "Bob"));
  const RunResult r = home.run({name});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find('\x1B'), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("evil\\x1B]0;owned\\x07\\x1B[2J.log"), std::string::npos) << r.out;
  bool found = false;
  for (const auto& e : fs::directory_iterator(home.file("html/Total_Game_Stats"))) {
    found |=
        slurp(e.path().string()).find(">Career Totals for Ann&nbsp;Lee</td>") != std::string::npos;
  }
  EXPECT_TRUE(found);
}

// Directories that would mix the database, the site and the saved logs, or publish the
// database or the saved logs (players' addresses) with the site, are refused before anything
// is taken in or written.
TEST(HostileFiles, DirectoriesThatMixOrPublishAreRefusedAtStart) {
  const std::string move = "LogFileHandling\tmove\n";
  const std::string publish = " lies inside HTMLDirectory, which would publish it: ";
  const struct {
    std::string config;
    std::string error;  // the directory, relative to the home, follows
    std::string dir;
  } cases[] = {
      {"DBDir\tsite\nHTMLDirectory\tsite/\n",
       "DBDir and HTMLDirectory are one directory: ", "site"},
      {"DBDir\tlink\n", "DBDir and HTMLDirectory are one directory: ", "html"},
      {"DBDir\thtml/data/\n", "DBDir" + publish, "html/data"},
      {move + "SaveDir\tdata/../data\n", "SaveDir and DBDir are one directory: ", "data"},
      {move + "SaveDir\thtml\n", "SaveDir and HTMLDirectory are one directory: ", "html"},
      {move + "SaveDir\thtml/old\n", "SaveDir" + publish, "html/old"},
  };
  for (const auto& c : cases) {
    Home home("BRK", c.config);
    fs::create_directory_symlink("html", home.file("link"));
    home.write("spool/a.log", brkDay(1));
    const RunResult r = home.run({"spool"});
    EXPECT_EQ(r.status, 1) << c.config << r.out;
    EXPECT_NE(r.out.find("Error in qmsToplvl.go: ConfigurationException: " + c.error +
                         fs::canonical(home.path()).string() + "/" + c.dir + "\n"),
              std::string::npos)
        << c.config << r.out;
    EXPECT_EQ(listing(home.file("html")) + "|" + listing(home.file("data")) + "|" +
                  listing(home.file("spool")),
              "||a.log")
        << c.config;
  }
  // SaveDir is used in "move" mode only.
  Home home("BRK", "SaveDir\tdata\n");
  home.write("a.log", brkDay(1));
  EXPECT_EQ(home.run({"a.log"}).status, 0);
}

}  // namespace
}  // namespace orvane
