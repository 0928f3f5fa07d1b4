#include "programs/Scorex/run/core.h"

#include <sys/utsname.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <set>
#include <system_error>

#include "programs/Scorex/modern/ModernSite.h"
#include "programs/Scorex/run/Browser.h"
#include "programs/Scorex/run/Frame1.h"
#include "programs/Scorex/run/Modules.h"
#include "programs/Scorex/run/PendingPages.h"
#include "programs/Scorex/run/ProcessExit.h"
#include "programs/Scorex/settings/config.h"
#include "programs/Scorex/store/HomeZone.h"
#include "programs/Scorex/store/Journal.h"
#include "programs/Scorex/store/LogQueue.h"
#include "util/Debug.h"
#include "util/Directory.h"
#include "util/Failure.h"
#include "util/FaultPoint.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Staging.h"

namespace orvane::programs::Scorex::run {

using util::Debug;
namespace fs = std::filesystem;

namespace {

// The start of the run in the form "Sun Dec 06 21:09:08 UTC 2026", in local time.
std::string dateLine() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  std::array<char, 64> buffer{};
  const size_t n = std::strftime(buffer.data(), buffer.size(), "%a %b %d %H:%M:%S %Z %Y", &local);
  return std::string(buffer.data(), n);
}

int64_t systemMillis() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

util::Failure nullPointer() { return util::Failure(util::Failure::kNullPointer, ""); }

const char* const kGameDir = "Individual_Game_Stats";
const int64_t kRenewEveryMillis = 60000;
// The most merged matches that wait for their pages at once (see PendingPages).
const size_t kPendingMatches = 32;

// True for the name of a match directory: a match's time stamp, a 64-bit decimal as written.
bool isMatchStamp(const std::string& name) {
  try {
    return std::to_string(util::parseLong(name)) == name;
  } catch (const util::Failure&) {
    return false;
  }
}

// True for the files a match page writer makes: the index, the bot list, a page per player
// number, and the temporary files earlier versions left beside them.
bool isMatchPageFile(const std::string& name) {
  if (name == "index.html" || name == "zbot.html" || name.starts_with(util::kSavingPrefix)) {
    return true;
  }
  const std::string number = name.substr(0, name.size() - std::min<size_t>(name.size(), 5));
  return name.ends_with(".html") && isMatchStamp(number) && number[0] != '-';
}

}  // namespace

core::core() : core(systemMillis) {}

core::core(Clock now) : now(std::move(now)) {}

core::core(const Module* module, Clock now) : now(std::move(now)), module(module) {}

core::~core() = default;

bool core::go(const std::optional<std::string>& configFile,
              const std::vector<std::string>& logfiles, const std::string& prog) {
  int browserPid = 0;
  try {
    Debug::print(dateLine(), 1);
    Debug::print("I core.go", 1);
    printProps();
    settings::config::set(configFile, prog);
    // The module is found by the program's name once; everything after uses it.
    module = Modules::find(prog);
    // Before any log is taken in or any file written.
    settings::config::checkDirectories();
    if (module != nullptr && module->initFrame) module->initFrame();

    const std::string launcher = settings::config::homeDir + "/spawnBrowser.exe";
    if (settings::config::spawnBrowser()) {
      try {
        Browser::start(launcher, settings::config::qmHtmlDir() + "processing.html", true);
      } catch (const std::exception& e) {
        Debug::report("Error Couldn't Launch Browser 1: ", e);
      }
    }

    Frame1 frame;
    frame.setVisible(true);
    moveLogFiles(logfiles);
    store::HomeZone::pin(settings::config::qmDBDir());
    // Names of logs that stay queued (unreadable, or their marking failed): never taken again
    // by this run.
    std::set<std::string> stuck;
    bool ok = work(frame, stuck);
    // A start that found this run active handed its logs over and ended; if it did so after
    // this run's last look at the queue, they would wait for some later run. So once the lock
    // is given back, the queue is listed once more, and this run takes the lock again for what
    // waits (unless another start got it first: that one processes them).
    while (ok && waitingBeyond(stuck) && takeLockAgain()) ok = work(frame, stuck);

    if (settings::config::spawnBrowser()) {
      try {
        browserPid =
            Browser::start(launcher, settings::config::qmHtmlDir() + "Scorex_Main.html", false);
      } catch (const std::exception& e) {
        Debug::report("Error Couldn't Launch Browser 2: ", e);
      }
    }
    // Keep the finished window readable for a moment, unless nobody can see it anyway.
    frame.linger(3000);
    frame.setVisible(false);
    Browser::reap(browserPid);
    Debug::print("O core.go", 1);
    // A run whose pages or database could not be written has failed, whatever else it did.
    return ok;
  } catch (const std::exception& e) {
    // The trace text is intended as it stands (qmsToplvl.go, not core.go).
    Debug::report("Error in qmsToplvl.go: ", e);
    Browser::reap(browserPid);
    return false;
  }
}

bool core::work(Frame1& frame, std::set<std::string>& stuck) {
  merged.clear();
  std::unique_ptr<career::Totals> totals = getTotalsFromDB();
  // Without totals no log may be marked processed: fail before the first one.
  if (!totals) throw nullPointer();
  bool ok = processLogs(totals.get(), frame, stuck);
  if (ok) {
    if (totals->isModified()) totals->sortPlayers();
    renewLock();
    ok = createTotalsHtml(*totals);
    if (ok) ok = createModernSite(*totals);
    renewLock();
  }
  if (!ok) {
    // Pages that could not be written are never written later if the run saved its matches:
    // so nothing is saved, and the logs go back into the queue for a run that can write.
    Debug::print("Error in core.go: pages could not be written into " +
                     settings::config::qmHtmlDir() +
                     "; nothing was saved, the logs stay queued for the next run",
                 0);
    ok = false;
    try {
      store::LogQueue(settings::config::qmDBDir()).returnProcessed();
    } catch (const std::exception& e) {
      Debug::report("Error in core.go: ", e);
    }
  } else {
    ok = putTotalsIntoDB(*totals);
  }
  if (ok) {
    deleteOldLogfiles();
    deleteOldHtml(*totals);
  }
  // The lock goes only after the clean-up: a run starting earlier would have its new logs
  // and match pages removed by this one.
  lock->removeCurrent();
  lock->release();
  return ok;
}

bool core::waitingBeyond(const std::set<std::string>& stuck) const {
  try {
    for (const std::string& name : store::LogQueue(settings::config::qmDBDir()).waiting()) {
      if (stuck.count(name) == 0) return true;
    }
  } catch (const std::exception&) {
    // no queue to look at: nothing waits
  }
  return false;
}

bool core::takeLockAgain() {
  if (!lock->acquire()) return false;
  bool held = true;
  try {
    held = lock->othersHold(now());
  } catch (const std::exception& e) {
    Debug::report("Error in core.moveLogFiles: ", e);
  }
  if (held) {
    lock->release();
    return false;
  }
  Debug::print("Logs were handed over at the end of this run: processing them", 0);
  try {
    clearLeftovers();
  } catch (const std::exception& e) {
    Debug::report("Error in core.moveLogFiles: ", e);
  }
  return true;
}

void core::clearLeftovers() {
  store::LogQueue(settings::config::qmDBDir()).removeStaleIncoming(now());
  util::prepareStaging(settings::config::qmDBDir());
  util::prepareStaging(settings::config::qmHtmlDir());
}

bool core::processLogs(career::Totals* totals, Frame1& frame, std::set<std::string>& stuck) {
  const std::string db = settings::config::qmDBDir();
  const store::LogQueue queue(db);
  int32_t done = 0;
  const int32_t keep = settings::config::numGamesToSave();
  bool pagesFailed = false;
  PendingPages pages(
      kPendingMatches,
      [this, &pagesFailed](const games::Game& g, bool recent, bool high, bool normal) {
        pagesFailed |= !createGameHtml(g, recent, high, normal);
      },
      [totals, keep](const games::Game& g) { return totals->isPrintableGame(g, keep); });
  for (;;) {
    // Pages that cannot be written now will not be written by the rest of the run either.
    if (pagesFailed) return false;
    renewLock();
    std::vector<std::string> logs;
    for (const std::string& name : queue.waiting()) {
      if (stuck.count(name) == 0) logs.push_back(name);
    }
    if (logs.empty()) {
      pages.flush();
      frame.printText("Writing HTML...(this may take a few seconds)");
      return !pagesFailed;
    }
    const int32_t total = done + static_cast<int32_t>(logs.size());
    ++done;
    const std::string& log = logs.front();
    const std::string progress =
        "Now Processing log " + std::to_string(done) + " of " + std::to_string(total) + ": " + log;
    frame.printText(progress);
    Debug::print(progress, 0);

    const std::optional<std::string> text = getLogfileData(log);
    const bool unread = !text;
    // Each match is merged as soon as it is built and dropped once its pages are written.
    forEachGame(text, log, [&](std::unique_ptr<games::Game> g) {
      if (now() - lastRenewal >= kRenewEveryMillis) renewLock();
      if (!totals->isNewGame(*g)) {
        Debug::print(std::to_string(g->theTime()) + " is a Repeat Game, removing...", 1);
        return;
      }
      totals->update(*g);
      merged.insert(g->theTime());
      const bool normal = totals->isPrintableGame(*g, keep);
      const bool high = totals->isHighGame(*g);
      const bool recent = totals->isRecentGame(*g);
      if (normal || high || recent) {
        pages.add(std::move(g), recent, high, normal);
      } else {
        // no page; makes the match directory
        pagesFailed |= !createGameHtml(*g, false, false, false);
      }
    });
    // A log that could not be read (no permission, a directory, gone) stays queued for a later
    // run: marked, it would be deleted by the next run without ever having been read.
    if (unread) {
      stuck.insert(log);
      continue;
    }
    util::faultPoint();
    if (std::rename((db + log).c_str(), (db + log + ".del").c_str()) != 0) stuck.insert(log);
  }
}

void core::renewLock() {
  if (!lock) lock = std::make_unique<store::RunLock>(settings::config::qmDBDir());
  const int64_t t = now();
  lock->renew(t);
  lastRenewal = t;
}

void core::printProps() {
  std::error_code ec;
  const std::string cwd = fs::current_path(ec).string();
  std::string osName;
  utsname names{};
  if (uname(&names) == 0) osName = names.sysname;
  if (osName == "Linux") {
    settings::config::homeDir = cwd;
  } else {
    // Elsewhere the home directory is where the program is installed.
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    settings::config::homeDir = ec ? cwd : exe.parent_path().string();
  }
  settings::config::os = osName;
}

std::unique_ptr<career::Totals> core::getTotalsFromDB() {
  Debug::print("I core.getTotalsFromDB", 1);
  std::unique_ptr<career::Totals> totals;
  try {
    if (module != nullptr && module->newTotals) totals = module->newTotals();
    if (!totals) throw nullPointer();
    totals->readDBs();
    // The trace text is intended as it stands (it does not repeat "I core.getTotalsFromDB").
    Debug::print("O qmsTopLvl.getDB", 1);
  } catch (const std::exception& e) {
    Debug::report("Error in core.getTotalsFromDB: ", e);
  }
  return totals;
}

bool core::putTotalsIntoDB(career::Totals& t) {
  try {
    Debug::print("I core.putTotalsIntoDB", 1);
    t.writeDBs();
    Debug::print("O core.putTotalsIntoDB", 1);
    return true;
  } catch (const std::exception& e) {
    Debug::report("Error in core.putTotalsIntoDB: ", e);
    return false;
  }
}

bool core::createGameHtml(const games::Game& g, bool recent, bool high, bool normal) {
  try {
    Debug::print("I core.createGameHtml", 1);
    std::unique_ptr<output::GameHtml> writer;
    if (module != nullptr && module->newGameHtml) writer = module->newGameHtml();
    if (!writer) throw nullPointer();
    const std::string dir = settings::config::qmHtmlDir() + kGameDir + "/";
    std::error_code ec;
    if (!fs::exists(dir, ec)) fs::create_directory(dir);
    bool written = true;
    if (normal) {
      written &= writer->writeGame(g, g.getServerName() + " " + g.getMap(),
                                   dir + std::to_string(g.theTime()));
    }
    if (high) {
      deleteGameHtml("Highest_Score");
      written &= writer->writeGame(g, "Highest_Score", dir + "Highest_Score");
    }
    if (recent) {
      deleteGameHtml("Last_Game");
      written &= writer->writeGame(g, "Last_Game", dir + "Last_Game");
    }
    Debug::print("O core.createGameHtml", 1);
    return written;
  } catch (const fs::filesystem_error& e) {
    Debug::report("Error in core.createGameHtml: ", e);
    return false;
  } catch (const std::exception& e) {
    Debug::report("Error in core.createGameHtml: ", e);
    return true;
  }
}

bool core::createTotalsHtml(career::Totals& t) {
  try {
    Debug::print("I core.createTotalsHtml", 1);
    if (!t.isModified()) {
      Debug::print("O core.createTotalsHtml: Nothing to update", 1);
      return true;
    }
    std::unique_ptr<output::TotalsHtml> writer;
    if (module != nullptr && module->newTotalsHtml) writer = module->newTotalsHtml();
    if (!writer) throw nullPointer();
    const bool written = writer->writeTotals(t);
    Debug::print("O core.createTotalsHtml", 1);
    return written;
  } catch (const std::exception& e) {
    // The trace text is intended as it stands (no "core." before the name).
    Debug::report("Error in createTotalsHtml: ", e);
    return true;
  }
}

bool core::createModernSite(const career::Totals& t) {
  const std::string dir = settings::config::modernSite();
  if (dir.empty() || t.matchArchive() == nullptr || t.ratingBook() == nullptr) return true;
  modern::SiteInput in;
  in.program = settings::config::program;
  in.archivePath = t.matchArchivePath();
  in.archive = t.matchArchive();
  in.ratings = t.ratingBook();
  in.minMatches = settings::config::ratingMinMatches();
  in.pageDir = settings::config::qmHtmlDir();
  in.siteDir = in.pageDir + dir;
  // A run that merged nothing leaves a written site alone; a home whose site is missing (new,
  // or switched on again) gets it from the archive.
  std::error_code ec;
  if (!t.isModified() && fs::exists(in.siteDir + "index.html", ec)) return true;
  in.newMatches = std::move(merged);
  merged.clear();
  return modern::writeModernSite(in);
}

void core::moveLogFiles(const std::vector<std::string>& files) {
  Debug::print("I core.moveLogFiles", 1);
  const std::string db = settings::config::qmDBDir();
  const store::LogQueue queue(db, settings::config::maxLogSize());
  // A failing entry or candidate is reported and skipped; the others and the lock check
  // still run, so no start ever works beside another run.
  for (const std::string& entry : files) {
    try {
      for (const std::string& candidate : queue.candidates(entry)) {
        try {
          queue.takeIn(candidate, settings::config::qmLogHandling(), settings::config::qmSaveDir(),
                       settings::config::logTmpFiles(), now());
        } catch (const std::exception& e) {
          Debug::report("Error in core.moveLogFiles: ", e);
        }
      }
    } catch (const std::exception& e) {
      Debug::report("Error in core.moveLogFiles: ", e);
    }
  }
  if (!lock) lock = std::make_unique<store::RunLock>(db);
  bool held = !lock->acquire();
  if (!held) {
    try {
      held = lock->othersHold(now());
      if (!held) clearLeftovers();
    } catch (const std::exception& e) {
      Debug::report("Error in core.moveLogFiles: ", e);
    }
  }
  if (held) {
    Debug::print("Another Scorex is running, now exiting...", 0);
    Debug::print("O core.moveLogFiles", 1);
    lock->release();
    throw ProcessExit{0};
  }
  // Under the lock, before anything is read: the database changes a dead run had committed are
  // completed, and the logs it had marked processed are queued again (their matches that
  // reached the database are then known as repeats, the others merged once).
  store::Journal::recover(db);
  queue.returnProcessed();
  try {
    queue.shortenLongNames();
  } catch (const std::exception& e) {
    Debug::report("Error in core.moveLogFiles: ", e);
  }
  Debug::print("O core.moveLogFiles", 1);
}

void core::deleteOldLogfiles() {
  try {
    Debug::print("I core.deleteOldLogfiles", 1);
    const std::string db = settings::config::qmDBDir();
    for (const std::string& name : util::listDirectory(db)) {
      if (!name.ends_with(".del")) continue;
      util::faultPoint();
      std::remove((db + name).c_str());
    }
    Debug::print("O core.deleteOldLogfiles", 1);
  } catch (const std::exception& e) {
    Debug::report("Error in core.deleteOldLogfiles: ", e);
  }
}

void core::deleteOldHtml(const career::Totals& t) {
  try {
    Debug::print("I core.deleteOldHtml", 1);
    const int32_t keep = std::min(settings::config::numGamesToSave(), t.gListSize());
    // The run's last page is written: the site keeps no staging directory between runs.
    util::removeStaging(settings::config::qmHtmlDir());
    std::set<std::string> kept;
    for (int32_t y = 0; y < keep; ++y) kept.insert(std::to_string(t.gListElement(y)));
    // Only the match directories: whatever else the admin keeps there stays.
    for (const std::string& name :
         util::Directory(settings::config::qmHtmlDir() + kGameDir).names()) {
      if (isMatchStamp(name) && kept.count(name) == 0) deleteGameHtml(name);
    }
    Debug::print("O core.deleteOldHtml", 1);
  } catch (const std::exception& e) {
    Debug::report("Error in core.deleteOldHtml: ", e);
  }
}

void core::deleteGameHtml(const std::string& game) {
  try {
    Debug::print("I core.deleteGameHtml", 1);
    // Nothing is reached through a link: a link in a match directory's place goes itself, and
    // only the files a match page writer makes are removed from a match directory.
    const util::Directory games(settings::config::qmHtmlDir() + kGameDir);
    const util::Directory::Kind kind = games.kind(game);
    if (kind == util::Directory::Kind::kLink) {
      util::faultPoint();
      if (!games.remove(game)) Debug::print("Could not delete game '" + game + "'", 0);
    } else if (kind != util::Directory::Kind::kMissing) {
      if (!games.writable(game)) {
        Debug::print("No permission to delete game '" + game + "'", 0);
        Debug::print("O core.deleteGameHtml", 1);
        return;
      }
      const util::Directory d = games.child(game);
      for (const std::string& name : d.names()) {
        if (!isMatchPageFile(name)) continue;
        util::faultPoint();
        if (!d.writable(name) || !d.remove(name)) {
          // The trace text is intended as it stands (no spaces around the quoted file name).
          Debug::print("No permission to delete file'" + name + "'" + "in Game '" + game + "'", 0);
        }
      }
      util::faultPoint();
      if (!games.removeDirectory(game)) Debug::print("Could not delete game '" + game + "'", 0);
    }
    Debug::print("O core.deleteGameHtml", 1);
  } catch (const std::exception& e) {
    Debug::report("Error in core.deleteGameHtml: ", e);
  }
}

std::optional<std::string> core::getLogfileData(const std::string& log) {
  Debug::print("I core.getLogfileData", 1);
  try {
    // Never waits on a FIFO, and never reads a device or a huge file whole into memory.
    std::string bytes =
        util::readWholeFile(settings::config::qmDBDir() + log, settings::config::maxLogSize());
    std::string text =
        module != nullptr && module->decode ? module->decode(std::move(bytes)) : std::move(bytes);
    Debug::print("O core.getLogfileData", 1);
    return text;
  } catch (const std::exception& e) {
    Debug::report("Error in core.getLogfileData: ", e);
    return std::nullopt;
  }
}

std::vector<std::unique_ptr<games::Game>> core::getGameStats(const std::optional<std::string>& log,
                                                             const std::string& logName) {
  std::vector<std::unique_ptr<games::Game>> games;
  forEachGame(log, logName,
              [&games](std::unique_ptr<games::Game> g) { games.push_back(std::move(g)); });
  return games;
}

void core::forEachGame(const std::optional<std::string>& log, const std::string& logName,
                       const TakeGame& take) {
  Debug::print("I core.getGameStats", 1);
  std::vector<std::string_view> texts;
  try {
    if (!log) throw nullPointer();
    texts = module != nullptr && module->split ? module->split(*log)
                                               : std::vector<std::string_view>{*log};
  } catch (const std::exception& e) {
    Debug::report("Error in core.getGameStats: ", e);
  }
  size_t line = 1;  // the log's line at counted
  const char* counted = texts.empty() ? nullptr : log->data();
  for (const std::string_view text : texts) {
    // One broken match must not take the log's later matches with it: the log is marked
    // processed afterwards, so they would be lost for good.
    std::unique_ptr<games::Game> game;
    try {
      if (module == nullptr || !module->newGame) continue;
      game = module->newGame(text);
      if (!game || !game->isValid()) continue;
      // A match is known by its time stamp: one without (no readable "Absolute_Time") would
      // make every later one without a stamp a repeat of it, in any log and for ever.
      if (game->theTime() == 0) {
        game.reset();
        line += static_cast<size_t>(std::count(counted, text.data(), '\n'));
        counted = text.data();
        Debug::print("Error in core.getGameStats: " + logName + " line " + std::to_string(line) +
                         ": the match there has no readable start time (Absolute_Time); it "
                         "is not merged",
                     0);
        continue;
      }
    } catch (const std::exception& e) {
      game.reset();
      Debug::report("Error in core.getGameStats: ", e);
    }
    // Outside the guard: what the taker does with the match is its own failure.
    if (game) take(std::move(game));
  }
  Debug::print("O core.getGameStats", 1);
}

}  // namespace orvane::programs::Scorex::run
