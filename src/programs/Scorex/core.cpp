#include "programs/Scorex/core.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <array>
#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

#include "programs/Scorex/Frame1.h"
#include "programs/Scorex/Modules.h"
#include "programs/Scorex/config.h"
#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

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

std::optional<std::string> core::getLogfileData(const std::string& log) {
  Debug::print("I core.getLogfileData", 1);
  try {
    std::string bytes = util::readWholeFile(config::qmDBDir() + log);
    const Module* module = Modules::find(config::program);
    std::string text =
        module != nullptr && module->decode ? module->decode(std::move(bytes)) : std::move(bytes);
    Debug::print("O core.getLogfileData", 1);
    return text;
  } catch (const std::exception& e) {
    Debug::print("Error in core.getLogfileData: " + util::failureText(e), 0);
    return std::nullopt;
  }
}

std::vector<std::unique_ptr<games::Game>> core::getGameStats(
    const std::optional<std::string>& log) {
  Debug::print("I core.getGameStats", 1);
  std::vector<std::unique_ptr<games::Game>> games;
  try {
    if (!log) throw util::Failure("NullPointerException", "");
    const Module* module = Modules::find(config::program);
    const std::vector<std::string_view> texts = module != nullptr && module->split
                                                    ? module->split(*log)
                                                    : std::vector<std::string_view>{*log};
    for (const std::string_view text : texts) {
      // One broken match must not take the log's later matches with it: the log is marked
      // processed afterwards, so they would be lost for good.
      try {
        if (module == nullptr || !module->newGame) continue;
        std::unique_ptr<games::Game> game = module->newGame(text);
        if (game && game->isValid()) games.push_back(std::move(game));
      } catch (const std::exception& e) {
        Debug::print("Error in core.getGameStats: " + util::failureText(e), 0);
      }
    }
  } catch (const std::exception& e) {
    Debug::print("Error in core.getGameStats: " + util::failureText(e), 0);
  }
  Debug::print("O core.getGameStats", 1);
  return games;
}

}  // namespace orvane::programs::Scorex
