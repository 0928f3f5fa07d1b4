#include "programs/Scorex/output/StaticFiles.h"

#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Files.h"
#include "util/Staging.h"

namespace orvane::programs::Scorex::output {

void StaticFiles::install(const std::string& htmlDir) {
  bool staged = false;
  for (const File& f : all()) {
    try {
      const std::filesystem::path target(htmlDir + std::string(f.path));
      std::error_code ec;
      // Anything already there (a customised file, even a link) is the site owner's to keep.
      if (std::filesystem::exists(std::filesystem::symlink_status(target, ec))) continue;
      const std::filesystem::path dir = target.parent_path();
      if (!dir.empty()) {
        std::filesystem::create_directories(dir, ec);
        if (ec) throw util::Failure(util::Failure::kIO, dir.string() + " (" + ec.message() + ")");
      }
      // This may run beside another run: a start that dies while installing leaves its
      // temporary file where the next run removes it, not in the site.
      if (!staged) util::createStaging(htmlDir);
      staged = true;
      util::writeWholeFile(target.string(), std::string(f.bytes));
    } catch (const std::exception& e) {
      util::Debug::report("Error in StaticFiles.install: ", e);
    }
  }
}

}  // namespace orvane::programs::Scorex::output
