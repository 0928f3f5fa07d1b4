#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::testing {

// Changes to a program's environment: a value of std::nullopt removes the variable.
using Env = std::map<std::string, std::optional<std::string>>;

struct RunResult {
  int status = -1;  // exit status, or 128 + signal number
  std::string out;
  std::string err;
  bool timedOut = false;
};

// How to start a program: its arguments, working directory and environment changes.
struct RunOptions {
  std::vector<std::string> args;
  std::string cwd;
  Env env;
  int timeoutMs = 60000;
  // Another user to run as (only a privileged test process can switch): -1 keeps its own.
  int uid = -1;
  int gid = -1;
};

// Runs a program to its end, collecting standard output and standard error.
RunResult runProgram(const std::string& program, const RunOptions& options);

// A process started in the background; killed and reaped when the object goes away.
class Background {
 public:
  Background(const std::string& program, const RunOptions& options);
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;
  ~Background();
  // Waits for the end and returns what it printed on standard output.
  RunResult wait(int timeoutMs);
  int pid() const { return child; }

 private:
  int child = -1;
  int outFd = -1;
  int errFd = -1;
};

}  // namespace orvane::testing
