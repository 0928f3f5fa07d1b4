#include "TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace orvane::testing {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/scorex-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  dir = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path p = std::filesystem::path(dir) / name;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out << bytes;
  return p.string();
}

std::string TempDir::mkdir(const std::string& name) const {
  const std::filesystem::path p = std::filesystem::path(dir) / name;
  std::filesystem::create_directories(p);
  return p.string();
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string listing(const std::string& dir) {
  std::error_code ec;
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
    names.push_back(e.path().filename().string());
  }
  if (ec) return "<missing>";
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& n : names) joined += (joined.empty() ? "" : " ") + n;
  return joined;
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
