#include "programs/Scorex/core.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <array>
#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

#include "programs/Scorex/Frame1.h"
#include "programs/Scorex/config.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex {

using util::Debug;

namespace {

// The start of the run in the form "Sun Dec 06 21:09:08 UTC 2026", in local time.
std::string dateLine() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::array<char, 64> buffer{};
  const size_t n = std::strftime(buffer.data(), buffer.size(), "%a %b %d %H:%M:%S %Z %Y", &local);
  return std::string(buffer.data(), n);
}

}  // namespace

void core::go(const std::optional<std::string>& configFile,
              const std::vector<std::string>& logfiles, const std::string& prog) {
  (void)logfiles;  // taken in by the log intake, which runs after the window is shown
  try {
    Debug::print(dateLine(), 1);
    Debug::print("I core.go", 1);
    printProps();
    config::set(configFile, prog);

    Frame1 frame;
    frame.setVisible(true);

    // Keep the finished window readable for a moment, unless nobody can see it anyway.
    frame.linger(3000);
    frame.setVisible(false);
    Debug::print("O core.go", 1);
  } catch (const std::exception& e) {
    Debug::print("Error in qmsToplvl.go: " + util::failureText(e), 0);
  }
}

void core::printProps() {
  std::error_code ec;
  const std::string cwd = std::filesystem::current_path(ec).string();
  std::string osName;
  utsname names{};
  if (uname(&names) == 0) osName = names.sysname;
  if (osName == "Linux") {
    config::homeDir = cwd;
  } else {
    // Elsewhere the home directory is where the program is installed.
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    config::homeDir = ec ? cwd : exe.parent_path().string();
  }
  config::os = osName;
}

}  // namespace orvane::programs::Scorex
