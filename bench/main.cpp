// scorex_bench: times both programs on generated server histories and checks the targets.
//
//   scorex_bench [--quick] [--only brk|zln] [--keep] BRK_PROGRAM ZLN_PROGRAM WORK_DIR
//
// For each module: a full run from an empty database with all the logs at once, 20 new
// matches on a copy of that database, and the same 20 matches on an empty one. Each run is
// measured (see Measure.h), followed by its I/O floor (Floor.h); the table, the targets and
// the digests of the database and page directories end the output. --quick uses a tenth of
// the history, --only one module, --keep leaves the homes in WORK_DIR/homes.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "bench/Corpus.h"
#include "bench/Digest.h"
#include "bench/Floor.h"
#include "bench/Measure.h"
#include "bench/Replay.h"
#include "bench/Report.h"
#include "programs/ScorexBRK/ScorexBRK.h"
#include "programs/ScorexZLN/ScorexZLN.h"

namespace orvane::bench {
namespace {

namespace fs = std::filesystem;

struct Options {
  bool quick = false;
  bool keep = false;
  std::string only;
  fs::path brk;
  fs::path zln;
  fs::path work;
};

// One finished run: its row, and what the report says beside the table.
struct Run {
  Row row;
  int status = 0;
  bool ioKnown = true;
  fs::path trace;
  std::vector<std::string> errors;  // trace lines with "Error"
  int64_t benchKiB = 0;             // this program's resident size when it forked the run
};

struct ModuleResult {
  std::string module;
  Run full, onFull, onEmpty;
  double largestLogMB = 0;
  std::string fullDigest, onFullDigest;
  std::string previous;        // the digests of the last bench run on the same corpus
  std::vector<fs::path> logs;  // of the full run
  ReplayRate replay;           // of those logs, in this process
};

int usage() {
  std::cerr << "usage: scorex_bench [--quick] [--only brk|zln] [--keep] BRK_PROGRAM ZLN_PROGRAM"
               " WORK_DIR\n";
  return 2;
}

bool readOptions(int argc, char** argv, Options& o) {
  std::vector<std::string> rest;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick") {
      o.quick = true;
    } else if (a == "--keep") {
      o.keep = true;
    } else if (a == "--only" && i + 1 < argc) {
      o.only = argv[++i];
      if (o.only != "brk" && o.only != "zln") return false;
    } else if (a.starts_with("--")) {
      return false;
    } else {
      rest.push_back(a);
    }
  }
  if (rest.size() != 3) return false;
  o.brk = fs::absolute(rest[0]);
  o.zln = fs::absolute(rest[1]);
  o.work = fs::absolute(rest[2]);
  return true;
}

// The value of the first "key<TAB>: value" line of /proc/cpuinfo.
std::string cpuInfo(const std::string& key) {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    const size_t colon = line.find(": ");
    if (line.starts_with(key) && colon != std::string::npos) return line.substr(colon + 2);
  }
  return "unknown";
}

// The type of the file system dir is on: the longest mount point above it in mountinfo.
std::string fileSystemType(const fs::path& dir) {
  const std::string path = fs::canonical(dir).string();
  std::ifstream in("/proc/self/mountinfo");
  std::string best, type;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> f;
    size_t at = 0;
    for (size_t next; (next = line.find(' ', at)) != std::string::npos; at = next + 1) {
      f.push_back(line.substr(at, next - at));
    }
    f.push_back(line.substr(at));
    const auto dash = std::find(f.begin(), f.end(), "-");
    if (f.size() < 5 || dash == f.end() || dash + 1 == f.end()) continue;
    const std::string& mount = f[4];
    const bool above = path == mount || mount == "/" || path.starts_with(mount + "/");
    if (above && mount.size() >= best.size()) {
      best = mount;
      type = *(dash + 1);
    }
  }
  return type.empty() ? "unknown" : type + " (mounted on " + best + ")";
}

std::vector<std::string> errorLines(const fs::path& trace) {
  std::vector<std::string> lines;
  std::ifstream in(trace, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.find("Error") != std::string::npos) lines.push_back(line);
  }
  return lines;
}

// A home as a fresh installation has it: the database and page directories and a
// configuration that keeps the browser off.
void freshHome(const fs::path& home, const std::string& config) {
  fs::remove_all(home);
  fs::create_directories(home / "data");
  fs::create_directories(home / "html");
  fs::create_directories(home / "logs");
  std::ofstream(home / config, std::ios::binary) << "SpawnBrowser\tfalse\n";
}

// Copies the logs into home/logs and returns their names relative to home.
std::vector<std::string> addLogs(const fs::path& home, const std::vector<fs::path>& logs) {
  std::vector<std::string> names;
  for (const fs::path& log : logs) {
    const fs::path name = fs::path("logs") / log.filename();
    fs::copy_file(log, home / name, fs::copy_options::overwrite_existing);
    names.push_back(name.string());
  }
  return names;
}

// What the run must read at least: the logs it is given and the database it finds.
std::vector<fs::path> inputsOf(const fs::path& home, const std::vector<std::string>& logs) {
  std::vector<fs::path> inputs;
  for (const std::string& log : logs) inputs.push_back(home / log);
  for (const auto& entry : fs::directory_iterator(home / "data")) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name != ".scorex-run" && !name.ends_with(".lock")) {
      inputs.push_back(entry.path());
    }
  }
  return inputs;
}

Run measure(const std::string& name, const fs::path& program, const fs::path& home,
            const std::vector<std::string>& logs, int matches, uint64_t lines,
            const fs::path& work) {
  std::cout << "  " << name << ": " << logs.size() << " logs, " << matches << " matches..."
            << std::flush;
  const std::vector<fs::path> inputs = inputsOf(home, logs);
  Run run;
  std::string file = name + ".out";
  std::replace(file.begin(), file.end(), ' ', '_');
  run.trace = work / "traces" / file;
  fs::create_directories(run.trace.parent_path());
  run.benchKiB = residentKiB();
  // The bench's own writes (the home copied, the logs added) reach the disk first: the run's
  // sync of the file system must not pay for them.
  ::sync();
  const Measured m = runMeasured(program, logs, home, run.trace);
  run.status = m.status;
  run.ioKnown = m.ioKnown;
  run.errors = errorLines(run.trace);
  Row& r = run.row;
  r.name = name;
  r.wall = m.wall;
  r.user = m.user;
  r.sys = m.sys;
  r.peakMB = static_cast<double>(m.peakKiB) * 1024 / 1e6;
  r.readMB = m.ioKnown ? static_cast<double>(m.readBytes) / 1e6 : -1;
  r.writtenMB = m.ioKnown ? static_cast<double>(m.writtenBytes) / 1e6 : -1;
  r.files = m.filesWritten;
  r.matchesPerSecond = matches / m.wall;
  r.linesPerSecond = static_cast<double>(lines) / m.wall;
  r.floor = ioFloor(inputs, m.writtenBytes, m.filesWritten, work / "scratch");
  std::cout << " " << fixed(r.wall, 2) << " s (floor " << fixed(r.floor, 3) << " s)" << std::endl;
  return run;
}

ModuleResult benchModule(const std::string& module, const fs::path& program, const Options& o) {
  ModuleResult res;
  res.module = module;
  std::cout << module << ": corpus..." << std::flush;
  const Corpus c = module == "brk" ? brakkCorpus(o.work, o.quick) : zolnarCorpus(o.work, o.quick);
  res.largestLogMB = static_cast<double>(c.largestLog) / 1e6;
  std::cout << (c.generated ? " generated " : " found ") << c.logs.size() << " + "
            << c.newLogs.size() << " logs, " << c.matches << " + " << c.newMatches
            << " matches, largest log " << fixed(res.largestLogMB, 2) << " MB" << std::endl;
  const std::string config = module == "brk" ? "ScorexBRK.cfg" : "ScorexZLN.cfg";
  const fs::path homes = o.work / "homes";

  const fs::path full = homes / (module + "-full");
  freshHome(full, config);
  const std::vector<std::string> all = addLogs(full, c.logs);
  res.full = measure(module + " full", program, full, all, c.matches, c.lines, o.work);
  res.fullDigest = treeDigest(full, {"data", "html"});

  const fs::path onFull = homes / (module + "-on-full");
  fs::remove_all(onFull);
  fs::copy(full, onFull, fs::copy_options::recursive);
  const std::vector<std::string> added = addLogs(onFull, c.newLogs);
  res.onFull =
      measure(module + " +20 on full", program, onFull, added, c.newMatches, c.newLines, o.work);
  res.onFullDigest = treeDigest(onFull, {"data", "html"});

  const fs::path onEmpty = homes / (module + "-on-empty");
  freshHome(onEmpty, config);
  const std::vector<std::string> alone = addLogs(onEmpty, c.newLogs);
  res.onEmpty =
      measure(module + " +20 on empty", program, onEmpty, alone, c.newMatches, c.newLines, o.work);

  res.logs = c.logs;

  if (!o.keep) fs::remove_all(homes);
  std::ifstream previous(c.dir / "DIGESTS");
  std::getline(previous, res.previous, '\0');
  std::ofstream(c.dir / "DIGESTS") << res.fullDigest << "\n" << res.onFullDigest << "\n";
  return res;
}

std::string compared(const std::string& digest, const std::string& previous, int line) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t next; (next = previous.find('\n', at)) != std::string::npos; at = next + 1) {
    lines.push_back(previous.substr(at, next - at));
  }
  if (lines.size() <= static_cast<size_t>(line)) return "(first bench run on this corpus)";
  if (lines[static_cast<size_t>(line)] == digest) return "(as the previous bench run)";
  return "(DIFFERS from the previous bench run: " + lines[static_cast<size_t>(line)] + ")";
}

int report(const std::vector<ModuleResult>& results) {
  std::vector<Row> rows;
  for (const ModuleResult& r : results) {
    for (const Run* run : {&r.full, &r.onFull, &r.onEmpty}) rows.push_back(run->row);
  }
  std::cout << "\n" << formatTable(rows) << "(MB = 10^6 bytes; ratio = wall s / floor s)\n";

  int failed = 0;
  int64_t benchKiB = 0;
  std::cout << "\nRuns:\n";
  for (const ModuleResult& r : results) {
    for (const Run* run : {&r.full, &r.onFull, &r.onEmpty}) {
      std::cout << "  " << run->row.name << ": status " << run->status << ", " << run->errors.size()
                << " trace lines with \"Error\" (" << run->trace.string() << ")"
                << (run->ioKnown ? "" : ", /proc/PID/io unreadable: bytes n/a") << "\n";
      for (size_t i = 0; i < std::min<size_t>(3, run->errors.size()); ++i) {
        std::cout << "    " << run->errors[i] << "\n";
      }
      failed += run->status != 0 ? 1 : 0;
      benchKiB = std::max(benchKiB, run->benchKiB);
    }
  }
  std::cout << "  (the bench itself was at most "
            << fixed(static_cast<double>(benchKiB) * 1024 / 1e6, 1)
            << " MB resident when it forked a run: a child's peak starts from there)\n";

  std::cout << "\nParse and replay alone (logs in memory, no merging, no pages; lines per second "
               "of one core's CPU time):\n";
  for (const ModuleResult& r : results) {
    std::cout << "  " << r.module << ": " << r.replay.lines << " lines, " << r.replay.matches
              << " matches in " << fixed(r.replay.cpuSeconds, 3)
              << " s: " << static_cast<uint64_t>(r.replay.linesPerSecond) << " lines/s\n";
  }

  std::cout << "\nTargets:\n";
  for (const ModuleResult& r : results) {
    std::cout << "  " << r.module << ": largest log " << fixed(r.largestLogMB, 2) << " MB\n";
    for (const Check& c : checkTargets(r.full.row, r.onFull.row, r.onEmpty.row, r.largestLogMB)) {
      std::cout << "  " << c.text << "\n";
    }
  }

  std::cout << "\nDigests (SHA-256 of data/ and html/, lock files left out):\n";
  for (const ModuleResult& r : results) {
    std::cout << "  " << r.full.row.name << "        " << r.fullDigest << " "
              << compared(r.fullDigest, r.previous, 0) << "\n";
    std::cout << "  " << r.onFull.row.name << " " << r.onFullDigest << " "
              << compared(r.onFullDigest, r.previous, 1) << "\n";
  }
  return failed == 0 ? 0 : 1;
}

int benchMain(int argc, char** argv) {
  Options o;
  if (!readOptions(argc, argv, o)) return usage();
  try {
    fs::create_directories(o.work);
    std::cout << "Machine: " << sysconf(_SC_NPROCESSORS_ONLN) << " processors online (nproc), "
              << cpuInfo("model name") << "; work directory " << o.work.string() << " on "
              << fileSystemType(o.work) << "\n";
    std::vector<ModuleResult> results;
    for (const std::string module : {"brk", "zln"}) {
      if (!o.only.empty() && o.only != module) continue;
      results.push_back(benchModule(module, module == "brk" ? o.brk : o.zln, o));
    }
    // In this process, after every run: the memory the replay takes would otherwise be in each
    // later child's peak, since a child's peak starts from the size of the bench that forked it.
    for (ModuleResult& r : results) {
      std::cout << r.module << ": parse+replay alone..." << std::flush;
      r.replay = measureReplay(r.module == "brk" ? programs::ScorexBRK::ScorexBRK::module()
                                                 : programs::ScorexZLN::ScorexZLN::module(),
                               r.logs);
      std::cout << " " << fixed(r.replay.cpuSeconds, 2) << " s of CPU" << std::endl;
    }
    return report(results);
  } catch (const std::exception& e) {
    std::cerr << "scorex_bench: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) { return orvane::bench::benchMain(argc, argv); }
