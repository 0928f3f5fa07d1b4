#include "bench/Replay.h"

#include <time.h>

#include <algorithm>
#include <string>

#include "util/Debug.h"
#include "util/Files.h"

namespace orvane::bench {
namespace {

double threadCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

ReplayRate measureReplay(const programs::Scorex::run::Module& module,
                         const std::vector<std::filesystem::path>& logs) {
  std::vector<std::string> bytes;
  ReplayRate r;
  for (const std::filesystem::path& log : logs) {
    bytes.push_back(util::readWholeFile(log.string()));
    r.lines += static_cast<uint64_t>(std::count(bytes.back().begin(), bytes.back().end(), '\n'));
  }
  util::Debug::setType("None");
  const double start = threadCpuSeconds();
  for (std::string& b : bytes) {
    const std::string text = module.decode(std::move(b));
    for (const std::string_view match : module.split(text)) {
      const std::unique_ptr<games::Game> game = module.newGame(match);
      if (game && game->isValid()) ++r.matches;
    }
  }
  r.cpuSeconds = threadCpuSeconds() - start;
  util::Debug::reset();
  r.linesPerSecond = r.cpuSeconds > 0 ? static_cast<double>(r.lines) / r.cpuSeconds : 0;
  return r;
}

}  // namespace orvane::bench
