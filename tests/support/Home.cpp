#include "Home.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <thread>

namespace orvane::testing {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

Background::Background(const std::string& program, const RunOptions& options) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};  // execv changes none
  for (const std::string& a : options.args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (int& fd : fds) fd = memfd_create("output", MFD_CLOEXEC);
  if (fds[0] < 0 || fds[1] < 0 || (child = fork()) < 0) throw std::runtime_error("no fork");
  if (child == 0) {
    const int devNull = open("/dev/null", O_RDONLY);
    if (dup2(fds[0], 1) < 0 || dup2(fds[1], 2) < 0 || dup2(devNull, 0) < 0) _exit(126);
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(126);
    for (const auto& [name, value] : options.env) {
      if (value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str())) _exit(126);
    }
    if (options.gid >= 0 && (setgroups(0, nullptr) != 0 || setgid(options.gid) != 0)) _exit(126);
    if (options.uid >= 0 && setuid(options.uid) != 0) _exit(126);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
}

Background::~Background() {
  if (child > 0) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  for (const int fd : fds) close(fd);
}

RunResult Background::wait(int timeoutMs) {
  RunResult result;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    result.timedOut = result.timedOut || Clock::now() > deadline;
    if (result.timedOut) kill(child, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  child = -1;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  char buffer[4096];
  for (std::string* text : {&result.out, &result.err}) {
    const int fd = fds[text == &result.err];
    for (ssize_t n; (n = pread(fd, buffer, sizeof buffer, off_t(text->size()))) > 0;) {
      text->append(buffer, static_cast<size_t>(n));
    }
  }
  return result;
}

RunResult runProgram(const std::string& program, const RunOptions& options) {
  return Background(program, options).wait(options.timeoutMs);
}

Home::Home(const std::string& program, const std::string& settings)
    : program(program), prog(fs::path(program).filename().string()) {
  mkdir("data");
  mkdir("html");
  configure(settings);
}

void Home::configure(const std::string& settings) const {
  write(prog + ".cfg", "SpawnBrowser\tfalse\n" + settings);
}

RunOptions Home::options(std::vector<std::string> args, const Env& env) const {
  RunOptions o{std::move(args), path(), env, 120000, uid, gid};
  for (const char* unset : {"DISPLAY", "SCOREX_FAULT_AT"}) o.env.try_emplace(unset, std::nullopt);
  o.env.try_emplace("TZ", "UTC");
  return o;
}

RunResult Home::run(std::vector<std::string> args, const Env& env) const {
  return runProgram(copy.empty() ? program : copy, options(std::move(args), env));
}

RunResult Home::expectRun(int status, std::vector<std::string> args, const Env& env) const {
  RunResult r = run(args, env);
  EXPECT_EQ(r.status, status) << "run of " << ::testing::PrintToString(args) << "\n"
                              << r.out << r.err;
  return r;
}

bool Home::unprivileged() {
  if (geteuid() != 0) return true;
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) return false;
  uid = static_cast<int>(nobody->pw_uid);
  gid = static_cast<int>(nobody->pw_gid);
  copy = file(prog);
  fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
  handOver(path());
  return true;
}

void Home::handOver(const std::string& p) const {
  std::vector<fs::path> paths = {p};
  if (uid >= 0 && fs::is_directory(fs::symlink_status(p))) {
    paths.insert(paths.end(), fs::recursive_directory_iterator(p), {});
  }
  for (const fs::path& f : paths) {
    ASSERT_TRUE(uid < 0 || lchown(f.c_str(), uid_t(uid), gid_t(gid)) == 0) << f;
  }
}

std::vector<std::string> Home::matchDirs() const {
  std::set<std::string> dirs;
  for (const auto& e : fs::directory_iterator(file("html/Individual_Game_Stats"))) {
    const std::string name = e.path().filename().string();
    if (e.is_directory() && name != "Last_Game" && name != "Highest_Score") dirs.insert(name);
  }
  return {dirs.begin(), dirs.end()};
}

}  // namespace orvane::testing
