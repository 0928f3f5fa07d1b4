#pragma once

#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"

namespace orvane::testing {

// A site home of one program in a fresh temporary directory: data/, html/ and the program's
// configuration file with the browser off; runs the program there. The program is the path of
// ScorexBRK or ScorexZLN, whose file name names the configuration file (a unit test may give
// the bare name and read configFile() itself).
class Home : public TempDir {
 public:
  explicit Home(const std::string& program, const std::string& settings = "");
  // "ScorexBRK" or "ScorexZLN", and its configuration file in the home.
  const std::string& name() const { return prog; }
  std::string configFile() const { return file(prog + ".cfg"); }
  // Rewrites the configuration: the browser off, then these lines.
  void configure(const std::string& settings) const;

  // A run of the program here with these arguments and environment changes: headless, in
  // UTC, at no fault point (see util/FaultPoint.h).
  RunOptions options(std::vector<std::string> args, const Env& env = {}) const;
  RunResult run(std::vector<std::string> args = {}, const Env& env = {}) const;

  // From here on the program runs as an unprivileged user, from a copy in the home (the build
  // tree may lie where that user cannot go), and the home belongs to that user. As root that
  // is "nobody" (false when there is none); otherwise the test's own user already is.
  bool unprivileged();
  // Gives a path (and what is below it) to the user the program runs as.
  void handOver(const std::string& path) const;

  // The time-stamped match directories of the site, sorted.
  std::vector<std::string> matchDirs() const;
  // Writes the lock file of a run active now, so that a start hands its logs over to it.
  void lockAsActive() const;

 private:
  std::string program;
  std::string prog;
  std::string copy;  // the program's copy that the unprivileged user runs
  int uid = -1;
  int gid = -1;
};

}  // namespace orvane::testing
