#include "bench/Measure.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char** environ;

namespace orvane::bench {

namespace {

namespace fs = std::filesystem;

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// The value of a "key: number" line of a /proc file, or -1.
int64_t procField(const std::string& file, const std::string& key) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(key + ":")) return std::stoll(line.substr(key.size() + 1));
  }
  return -1;
}

}  // namespace

int64_t filesModifiedSince(const fs::path& dir, int64_t seconds, int64_t nanos) {
  int64_t n = 0;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    struct stat st {};
    if (lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (st.st_mtim.tv_sec > seconds ||
        (st.st_mtim.tv_sec == seconds && st.st_mtim.tv_nsec >= nanos)) {
      ++n;
    }
  }
  return n;
}

int64_t residentKiB() { return std::max<int64_t>(0, procField("/proc/self/status", "VmRSS")); }

Measured runMeasured(const fs::path& program, const std::vector<std::string>& args,
                     const fs::path& home, const fs::path& trace) {
  // Everything the child needs is made before the fork.
  const std::string path = fs::absolute(program).string();
  const std::string traceFile = fs::absolute(trace).string();
  const std::string dir = home.string();
  std::vector<std::string> words = {path};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    if (!entry.starts_with("DISPLAY=") && !entry.starts_with("WAYLAND_DISPLAY=")) {
      envp.push_back(*e);
    }
  }
  envp.push_back(nullptr);

  // File times come from the kernel's coarse clock: start from that clock, a tick after the
  // last file prepared for the run, so that only the run's own files count as written.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  timespec start{};
  clock_gettime(CLOCK_REALTIME_COARSE, &start);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) throw std::system_error(errno, std::generic_category(), "fork");
  if (pid == 0) {
    const int out = open(traceFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0 || chdir(dir.c_str()) != 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
        dup2(out, 2) < 0) {
      _exit(127);
    }
    execve(path.c_str(), argv.data(), envp.data());
    _exit(127);
  }

  Measured m;
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0) {
    if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "waitid");
  }
  m.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const std::string io = "/proc/" + std::to_string(pid) + "/io";
  const int64_t read = procField(io, "rchar");
  const int64_t written = procField(io, "wchar");
  m.ioKnown = read >= 0 && written >= 0;
  m.readBytes = static_cast<uint64_t>(std::max<int64_t>(0, read));
  m.writtenBytes = static_cast<uint64_t>(std::max<int64_t>(0, written));

  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) {
    throw std::system_error(errno, std::generic_category(), "wait4");
  }
  m.user = seconds(usage.ru_utime);
  m.sys = seconds(usage.ru_stime);
  m.peakKiB = usage.ru_maxrss;
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  m.filesWritten = filesModifiedSince(home, start.tv_sec, start.tv_nsec);
  return m;
}

}  // namespace orvane::bench
