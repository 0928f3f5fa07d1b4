#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::bench {

// SHA-256 of a byte stream fed in pieces; one object per digest.
class Sha256 {
 public:
  Sha256();
  void update(std::string_view bytes);
  // The digest of everything fed so far, as 64 lowercase hex digits; ends the object's use.
  std::string hex();

 private:
  void block(const uint8_t* p);

  std::array<uint32_t, 8> h;
  std::array<uint8_t, 64> pending{};
  size_t used = 0;     // bytes waiting in pending
  uint64_t total = 0;  // bytes fed
};

// The digest of what a run left: every regular file below the given directories of home,
// sorted by its path relative to home (bytes, "/" between parts), fed as the path, a NUL, the
// size in decimal, a NUL and the content. Lock files (*.lock, .scorex-run) are left out: they
// carry the run's clock.
std::string treeDigest(const std::filesystem::path& home, const std::vector<std::string>& dirs);

}  // namespace orvane::bench
