#include "programs/Scorex/modern/SiteFiles.h"

#include <filesystem>
#include <system_error>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"

namespace orvane::programs::Scorex::modern {

namespace fs = std::filesystem;

bool SiteFiles::makeParent(const std::string& path) {
  const std::string parent = fs::path(path).parent_path().string();
  if (made.count(parent) != 0) return true;
  std::error_code ec;
  fs::create_directories(parent, ec);
  if (ec) throw util::Failure(util::Failure::kIO, parent + " (" + ec.message() + ")");
  made.insert(parent);
  return true;
}

bool SiteFiles::exists(const std::string& rel) const { return util::isReadableFile(root + rel); }

std::string SiteFiles::read(const std::string& rel) const {
  try {
    return util::readWholeFile(root + rel);
  } catch (const std::exception&) {
    return {};
  }
}

bool SiteFiles::put(const std::string& rel, const std::string& bytes) {
  const std::string path = root + rel;
  try {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size == bytes.size() && util::isReadableFile(path) &&
        util::readWholeFile(path) == bytes) {
      return true;
    }
    makeParent(path);
    util::writeWholeFile(path, bytes);
    ++count;
    return true;
  } catch (const std::exception& e) {
    util::Debug::report("Error in ModernSite.write: ", e);
    good = false;
    return false;
  }
}

bool SiteFiles::putIfMissing(const std::string& rel, const std::string& bytes) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(root + rel, ec))) return true;
  return put(rel, bytes);
}

}  // namespace orvane::programs::Scorex::modern
