#include "Home.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace orvane::testing {

namespace fs = std::filesystem;

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
  RunOptions o;
  o.args = std::move(args);
  o.cwd = path();
  o.env = {{"DISPLAY", std::nullopt}, {"TZ", "UTC"}, {"SCOREX_FAULT_AT", std::nullopt}};
  for (const auto& [k, v] : env) o.env[k] = v;
  o.timeoutMs = 120000;
  o.uid = uid;
  o.gid = gid;
  return o;
}

RunResult Home::run(std::vector<std::string> args, const Env& env) const {
  return runProgram(copy.empty() ? program : copy, options(std::move(args), env));
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
  if (uid < 0) return;
  ASSERT_EQ(lchown(p.c_str(), uid_t(uid), gid_t(gid)), 0) << p;
  if (!fs::is_directory(fs::symlink_status(p))) return;
  for (const auto& e : fs::recursive_directory_iterator(p)) {
    ASSERT_EQ(lchown(e.path().c_str(), uid_t(uid), gid_t(gid)), 0) << e.path();
  }
}

std::vector<std::string> Home::matchDirs() const {
  std::vector<std::string> dirs;
  for (const auto& e : fs::directory_iterator(file("html/Individual_Game_Stats"))) {
    const std::string name = e.path().filename().string();
    if (e.is_directory() && name != "Last_Game" && name != "Highest_Score") dirs.push_back(name);
  }
  std::sort(dirs.begin(), dirs.end());
  return dirs;
}

void Home::lockAsActive() const {
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  write("data/" + std::to_string(now.count()) + ".lock", "");
}

}  // namespace orvane::testing
