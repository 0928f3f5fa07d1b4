#include "Subprocess.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace orvane::testing {

namespace {

void applyEnvironment(const RunOptions& options) {
  for (const auto& [name, value] : options.env) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
}

}  // namespace

Background::Background(const std::string& program, const RunOptions& options) {
  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), options.args.begin(), options.args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) dup2(devNull, 0);
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(126);
    applyEnvironment(options);
    if (options.gid >= 0 && (setgroups(0, nullptr) != 0 || setgid(options.gid) != 0)) _exit(126);
    if (options.uid >= 0 && setuid(options.uid) != 0) _exit(126);
    execv(program.c_str(), cargv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  outFd = outPipe[0];
  errFd = errPipe[0];
}

Background::~Background() {
  if (child > 0) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  if (outFd >= 0) close(outFd);
  if (errFd >= 0) close(errFd);
}

RunResult Background::wait(int timeoutMs) {
  RunResult result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool outOpen = true;
  bool errOpen = true;
  char buffer[4096];
  while (outOpen || errOpen) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      result.timedOut = true;
      kill(child, SIGKILL);
      break;
    }
    pollfd fds[2] = {{outOpen ? outFd : -1, POLLIN, 0}, {errOpen ? errFd : -1, POLLIN, 0}};
    if (poll(fds, 2, static_cast<int>(left)) < 0) continue;
    for (int k = 0; k < 2; ++k) {
      if ((fds[k].revents & (POLLIN | POLLHUP)) == 0) continue;
      const ssize_t n = read(k == 0 ? outFd : errFd, buffer, sizeof buffer);
      if (n <= 0) {
        (k == 0 ? outOpen : errOpen) = false;
      } else {
        (k == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      }
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  child = -1;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

RunResult runProgram(const std::string& program, const RunOptions& options) {
  Background process(program, options);
  return process.wait(options.timeoutMs);
}

}  // namespace orvane::testing
