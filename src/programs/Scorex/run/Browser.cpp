#include "programs/Scorex/run/Browser.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "util/Failure.h"

extern char** environ;

namespace orvane::programs::Scorex::run {

int Browser::start(const std::string& program, const std::string& page, bool wait) {
  std::string arg0 = program;
  std::string arg1 = page;
  char* argv[] = {arg0.data(), arg1.data(), nullptr};
  pid_t pid = 0;
  const int err = ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ);
  if (err != 0) {
    throw util::Failure(util::Failure::kIO, "Cannot run program \"" + program + "\": error=" +
                                                std::to_string(err) + ", " + std::strerror(err));
  }
  if (!wait) return pid;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      throw util::Failure(util::Failure::kInterrupted, std::strerror(errno));
    }
  }
  return 0;
}

void Browser::reap(int pid) {
  if (pid > 0) ::waitpid(pid, nullptr, WNOHANG);
}

}  // namespace orvane::programs::Scorex::run
