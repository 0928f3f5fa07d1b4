#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"

namespace orvane::testing {

using Env = std::map<std::string, std::optional<std::string>>;

struct RunResult {
  int status = -1;  // exit status, or 128 + signal number
  std::string out;
  std::string err;
  bool timedOut = false;
};

// How to start a program; uid and gid name another user to run as (a privileged test only).
struct RunOptions {
  std::vector<std::string> args;
  std::string cwd;
  Env env;  // changes to the environment: std::nullopt removes a variable
  int timeoutMs = 60000;
  int uid = -1;  // -1: the test's own
  int gid = -1;
};

// A program started in the background, reading /dev/null; killed and reaped when the object goes.
class Background {
 public:
  Background(const std::string& program, const RunOptions& options);
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;
  ~Background();
  // Waits for the end, collecting standard output and standard error; kills it after timeoutMs.
  RunResult wait(int timeoutMs);
  int pid() const { return child; }

 private:
  int child = -1;
  int fds[2] = {-1, -1};  // its standard output and standard error
};

RunResult runProgram(const std::string& program, const RunOptions& options);

// A site home of ScorexBRK or ScorexZLN (a path, or a unit test's bare name) in a fresh
// temporary directory: data/, html/ and the configuration file with the browser off.
class Home : public TempDir {
 public:
  explicit Home(const std::string& program, const std::string& settings = "");
  const std::string& name() const { return prog; }
  std::string configFile() const { return file(prog + ".cfg"); }
  // Rewrites the configuration: the browser off, then these lines.
  void configure(const std::string& settings) const;

  // A run of the program here: headless, in UTC, at no fault point (see util/FaultPoint.h).
  RunOptions options(std::vector<std::string> args, const Env& env = {}) const;
  RunResult run(std::vector<std::string> args = {}, const Env& env = {}) const;
  // run(), failing the test with the run's output unless it ends with this status.
  RunResult expectRun(int status, std::vector<std::string> args = {}, const Env& env = {}) const;

  // From here on the program runs as an unprivileged user ("nobody" as root, false when there
  // is none), from a copy in the home that belongs to that user.
  bool unprivileged();
  // Gives a path (and what is below it) to the user the program runs as.
  void handOver(const std::string& path) const;

  // The time-stamped match directories of the site, sorted.
  std::vector<std::string> matchDirs() const;

 private:
  std::string program;
  std::string prog;
  std::string copy;  // the program's copy that the unprivileged user runs
  int uid = -1;
  int gid = -1;
};

}  // namespace orvane::testing
