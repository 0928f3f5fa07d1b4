#include "TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace orvane::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  dir = std::string(base != nullptr ? base : "/tmp") + "/scorex-test-XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(dir, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const fs::path p = fs::path(dir) / name;
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
  return p.string();
}

std::string TempDir::mkdir(const std::string& name) const {
  fs::create_directories(fs::path(dir) / name);
  return file(name);
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return in ? bytes.str() : "<missing>";
}

std::string listing(const std::string& dir) {
  std::error_code ec;
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir, ec)) names.insert(e.path().filename().string());
  std::string joined;
  for (const std::string& n : names) joined += (joined.empty() ? "" : " ") + n;
  return ec ? "<missing>" : joined;
}

void setModifiedMillis(const std::string& path, int64_t millis) {
  const timespec t = {static_cast<time_t>(millis / 1000),
                      static_cast<long>(millis % 1000) * 1000000};
  const timespec times[2] = {t, t};
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
    throw std::runtime_error("utimensat failed: " + path);
  }
}

}  // namespace orvane::testing
