#include "bench/Floor.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>
#include <system_error>

namespace orvane::bench {

namespace {

namespace fs = std::filesystem;

constexpr size_t kBuffer = 1 << 20;
constexpr int64_t kSynced = 5;  // the journal and the four database files

[[noreturn]] void fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

void readWhole(const fs::path& file, std::string& buffer) {
  const int fd = open(file.c_str(), O_RDONLY);
  if (fd < 0) fail("open " + file.string());
  ssize_t n = 0;
  while ((n = read(fd, buffer.data(), buffer.size())) > 0) {
  }
  close(fd);
  if (n < 0) fail("read " + file.string());
}

void writeWhole(const fs::path& file, uint64_t bytes, const std::string& buffer) {
  const fs::path temporary = file.string() + ".part";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) fail("open " + temporary.string());
  while (bytes > 0) {
    const ssize_t n = write(fd, buffer.data(), std::min<uint64_t>(bytes, buffer.size()));
    if (n <= 0) fail("write " + temporary.string());
    bytes -= static_cast<uint64_t>(n);
  }
  if (close(fd) != 0) fail("close " + temporary.string());
  if (rename(temporary.c_str(), file.c_str()) != 0) fail("rename " + file.string());
}

void syncPath(const fs::path& p, bool wholeFileSystem) {
  const int fd = open(p.c_str(), O_RDONLY);
  if (fd < 0) fail("open " + p.string());
  const int r = wholeFileSystem ? syncfs(fd) : fsync(fd);
  close(fd);
  if (r != 0) fail("sync " + p.string());
}

}  // namespace

double ioFloor(const std::vector<fs::path>& inputs, uint64_t bytes, int64_t files,
               const fs::path& scratch) {
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  std::string buffer(kBuffer, 'x');
  files = std::max<int64_t>(1, files);
  const auto t0 = std::chrono::steady_clock::now();

  for (const fs::path& in : inputs) readWhole(in, buffer);
  const uint64_t each = bytes / static_cast<uint64_t>(files);
  const uint64_t rest = bytes % static_cast<uint64_t>(files);
  for (int64_t i = 0; i < files; ++i) {
    writeWhole(scratch / std::to_string(i), each + (i == 0 ? rest : 0), buffer);
  }
  syncPath(scratch, true);
  for (int64_t i = 0; i < std::min(files, kSynced); ++i) {
    syncPath(scratch / std::to_string(i), false);
  }
  syncPath(scratch, false);

  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  fs::remove_all(scratch);
  return took;
}

}  // namespace orvane::bench
