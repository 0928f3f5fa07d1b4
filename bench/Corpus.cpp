#include "bench/Corpus.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "tools/BrkLogGenerator.h"
#include "tools/SplitMix64.h"
#include "tools/ZlnLogGenerator.h"

namespace orvane::bench {

namespace {

namespace fs = std::filesystem;

// Raise when the generators change what the same parameters give, so old corpora are remade.
constexpr int kCorpusVersion = 1;
constexpr int kEvents = 600;  // per match on average; a match of about 20 minutes
constexpr int kNewMatches = 20;

struct LogPlan {
  fs::path file;            // relative to the corpus directory
  std::string description;  // the generator's parameters, for PARAMETERS
  std::function<std::string()> make;
  int matches = 1;
};

struct Plan {
  std::string module;
  std::vector<LogPlan> logs;
  std::vector<LogPlan> newLogs;
};

std::string numbered(const std::string& prefix, int n) {
  char text[32];
  std::snprintf(text, sizeof text, "%s-%03d.log", prefix.c_str(), n);
  return text;
}

std::string parameters(const Plan& plan) {
  std::string text = "corpus version " + std::to_string(kCorpusVersion) + "\n";
  for (const auto* list : {&plan.logs, &plan.newLogs}) {
    for (const LogPlan& l : *list) text += l.file.string() + " " + l.description + "\n";
  }
  return text;
}

std::string slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes every log in a child process, so that this process stays small: the children it
// forks later for the measured runs start their peak memory from its size.
void generate(const fs::path& dir, const Plan& plan) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::system_error(errno, std::generic_category(), "fork");
  if (pid == 0) {
    int status = 0;
    try {
      for (const auto* list : {&plan.logs, &plan.newLogs}) {
        for (const LogPlan& l : *list) {
          fs::create_directories((dir / l.file).parent_path());
          std::ofstream out(dir / l.file, std::ios::binary);
          out << l.make();
          if (!out.flush()) status = 1;
        }
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "corpus: %s\n", e.what());
      status = 1;
    }
    _exit(status);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("generating the corpus in " + dir.string() + " failed");
  }
}

Corpus ensure(const fs::path& workDir, const Plan& plan) {
  Corpus c;
  c.module = plan.module;
  c.dir = workDir / "corpus" / plan.module;
  const std::string wanted = parameters(plan);
  bool complete = slurp(c.dir / "PARAMETERS") == wanted;
  for (const auto* list : {&plan.logs, &plan.newLogs}) {
    for (const LogPlan& l : *list) complete = complete && fs::is_regular_file(c.dir / l.file);
  }
  if (!complete) {
    fs::remove_all(c.dir);
    generate(c.dir, plan);
    std::ofstream(c.dir / "PARAMETERS", std::ios::binary) << wanted;
    c.generated = true;
  }
  for (const LogPlan& l : plan.logs) {
    c.logs.push_back(c.dir / l.file);
    c.matches += l.matches;
    c.lines += countLines(c.logs.back());
  }
  for (const LogPlan& l : plan.newLogs) {
    c.newLogs.push_back(c.dir / l.file);
    c.newMatches += l.matches;
    c.newLines += countLines(c.newLogs.back());
  }
  for (const auto* list : {&c.logs, &c.newLogs}) {
    for (const fs::path& f : *list)
      c.largestLog = std::max<uint64_t>(c.largestLog, fs::file_size(f));
  }
  return c;
}

LogPlan brakkLog(const fs::path& file, int n) {
  tools::BrkLogOptions o;
  o.seed = static_cast<uint32_t>(1000 + n);
  o.matches = 20;
  o.players = 7;
  o.bots = 1;
  o.maxPlayers = 24;
  o.humanPool = 400;
  o.botPool = 40;
  o.eventsPerMatch = kEvents;
  o.mixModes = true;
  o.varyEvents = true;
  o.startDay = n;
  const std::string description = "brkgen --seed " + std::to_string(o.seed) +
                                  " --matches 20 --players 7 --bots 1 --max-players 24"
                                  " --human-pool 400 --bot-pool 40 --events " +
                                  std::to_string(kEvents) + " --mix-modes --vary-events --day " +
                                  std::to_string(n);
  return {file, description, [o] { return tools::generateBrkLog(o); }, o.matches};
}

// Mostly deathmatch and capture the flag, now and then each other type.
std::string zolnarType(tools::SplitMix64& rng) {
  const std::pair<const char*, int> types[] = {{"Tournament DeathMatch", 40},
                                               {"Capture the Flag", 25},
                                               {"Tournament Team Game", 12},
                                               {"Domination", 10},
                                               {"Assault", 8},
                                               {"SinglePlayer", 5}};
  int r = rng.below(100);
  for (const auto& [type, weight] : types) {
    if (r < weight) return type;
    r -= weight;
  }
  return types[0].first;
}

LogPlan zolnarLog(const fs::path& file, int n, const std::string& type) {
  tools::ZlnLogOptions o;
  o.seed = static_cast<uint32_t>(5000 + n);
  o.gameType = type;
  o.players = 5;
  o.bots = 1;
  o.maxPlayers = 16;
  o.humanPool = 135;
  o.botPool = 15;
  o.eventsPerMatch = kEvents;
  o.varyEvents = true;
  o.startDay = n;
  const std::string description = "zlngen --seed " + std::to_string(o.seed) + " --type '" + type +
                                  "' --players 5 --bots 1 --max-players 16 --human-pool 135"
                                  " --bot-pool 15 --events " +
                                  std::to_string(kEvents) + " --vary-events --day " +
                                  std::to_string(n);
  return {file, description, [o] { return tools::generateZlnLog(o); }, 1};
}

}  // namespace

uint64_t countLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string buffer(1 << 20, '\0');
  uint64_t lines = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    lines += static_cast<uint64_t>(std::count(buffer.begin(), buffer.begin() + in.gcount(), '\n'));
  }
  return lines;
}

Corpus brakkCorpus(const fs::path& workDir, bool quick) {
  Plan plan{quick ? "brk-quick" : "brk", {}, {}};
  const int logs = quick ? 10 : 100;
  for (int n = 0; n < logs; ++n) plan.logs.push_back(brakkLog(numbered("day", n), n));
  plan.newLogs.push_back(brakkLog(fs::path("new") / numbered("day", logs), logs));
  return ensure(workDir, plan);
}

Corpus zolnarCorpus(const fs::path& workDir, bool quick) {
  Plan plan{quick ? "zln-quick" : "zln", {}, {}};
  const int logs = quick ? 50 : 500;
  tools::SplitMix64 rng(500);
  for (int n = 0; n < logs + kNewMatches; ++n) {
    const std::string type = zolnarType(rng);
    if (n < logs) {
      plan.logs.push_back(zolnarLog(numbered("match", n), n, type));
    } else {
      plan.newLogs.push_back(zolnarLog(fs::path("new") / numbered("match", n), n, type));
    }
  }
  return ensure(workDir, plan);
}

}  // namespace orvane::bench
