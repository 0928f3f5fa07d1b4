#include "programs/Scorex/store/HomeZone.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <exception>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::store {

namespace {

// A zone name is a word of a few printable characters; anything else in the record (a path
// that climbs out of the zone database, control bytes) did not come from this program.
bool isZoneName(const std::string& zone) {
  if (zone.empty() || zone.size() > 200 || zone.find("..") != std::string::npos) return false;
  for (const char c : zone) {
    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
      return false;
    }
  }
  return true;
}

std::string firstLine(const std::string& text) {
  const size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

std::string HomeZone::current() {
  if (const char* tz = std::getenv("TZ")) return *tz == '\0' ? "UTC" : tz;
  // The system's zone: /etc/localtime links into the zone database, or /etc/timezone names it.
  char target[4096];
  const ssize_t n = ::readlink("/etc/localtime", target, sizeof target - 1);
  if (n > 0) {
    const std::string link(target, static_cast<size_t>(n));
    const size_t at = link.find("zoneinfo/");
    if (at != std::string::npos && isZoneName(link.substr(at + 9))) return link.substr(at + 9);
  }
  try {
    const std::string named = firstLine(util::readWholeFile("/etc/timezone"));
    if (isZoneName(named)) return named;
  } catch (const std::exception&) {
    // no such file: the zone has no name
  }
  return ::access("/etc/localtime", F_OK) == 0 ? ":/etc/localtime" : "UTC";
}

void HomeZone::pin(const std::string& dbDir) {
  const std::string path = dbDir + kName;
  const std::string mine = current();
  // Without a database directory the run fails at its first lock file, before any date.
  if (!util::isDirectory(dbDir)) return;
  try {
    if (!util::isReadableFile(path)) {
      if (!isZoneName(mine))
        throw util::Failure(util::Failure::kIO, "TZ=" + mine + " is no zone name");
      util::writeWholeFile(path, mine + "\n", true);
      return;
    }
    const std::string recorded = firstLine(util::readWholeFile(path));
    if (!isZoneName(recorded)) {
      throw util::Failure(util::Failure::kIO, path + " does not name a time zone");
    }
    if (recorded != mine) {
      // Intended: the home's zone wins, so that a log offered again keeps its time stamp.
      util::Debug::print("Dates are read in this home's time zone " + recorded + " (from " + path +
                             "), not in " + mine,
                         0);
    }
    ::setenv("TZ", recorded.c_str(), 1);
    ::tzset();
  } catch (const std::exception& e) {
    util::Debug::report("Error in HomeZone.pin: ", e);
  }
}

}  // namespace orvane::programs::Scorex::store
