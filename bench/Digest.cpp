#include "bench/Digest.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <system_error>

namespace orvane::bench {

namespace {

namespace fs = std::filesystem;

constexpr std::array<uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

// The run's own bookkeeping, not its output: lock files, the home's time-zone record and the
// staging directory of files being written.
bool isLock(const fs::path& p) {
  const std::string name = p.filename().string();
  return name == ".scorex-run" || name.ends_with(".lock") || name == "scorex.timezone" ||
         p.parent_path().filename() == ".scorex-tmp";
}

}  // namespace

Sha256::Sha256()
    : h{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::block(const uint8_t* p) {
  std::array<uint32_t, 64> w{};
  for (size_t i = 0; i < 16; ++i) {
    w[i] = static_cast<uint32_t>(p[4 * i]) << 24 | static_cast<uint32_t>(p[4 * i + 1]) << 16 |
           static_cast<uint32_t>(p[4 * i + 2]) << 8 | static_cast<uint32_t>(p[4 * i + 3]);
  }
  for (size_t i = 16; i < 64; ++i) {
    const uint32_t s0 = std::rotr(w[i - 15], 7) ^ std::rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const uint32_t s1 = std::rotr(w[i - 2], 17) ^ std::rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::array<uint32_t, 8> v = h;  // a b c d e f g h
  for (size_t i = 0; i < 64; ++i) {
    const uint32_t s1 = std::rotr(v[4], 6) ^ std::rotr(v[4], 11) ^ std::rotr(v[4], 25);
    const uint32_t ch = (v[4] & v[5]) ^ (~v[4] & v[6]);
    const uint32_t t1 = v[7] + s1 + ch + kRound[i] + w[i];
    const uint32_t s0 = std::rotr(v[0], 2) ^ std::rotr(v[0], 13) ^ std::rotr(v[0], 22);
    const uint32_t maj = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
    std::copy_backward(v.begin(), v.end() - 1, v.end());
    v[4] += t1;
    v[0] = t1 + s0 + maj;
  }
  for (size_t i = 0; i < 8; ++i) h[i] += v[i];
}

void Sha256::update(std::string_view bytes) {
  total += bytes.size();
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = std::min(pending.size() - used, bytes.size() - i);
    std::transform(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                   bytes.begin() + static_cast<std::ptrdiff_t>(i + n), pending.begin() + used,
                   [](char c) { return static_cast<uint8_t>(c); });
    used += n;
    i += n;
    if (used == pending.size()) {
      block(pending.data());
      used = 0;
    }
  }
}

std::string Sha256::hex() {
  const uint64_t bits = total * 8;
  update(std::string_view("\x80", 1));
  while (used != 56) update(std::string_view("\0", 1));
  std::string length;
  for (int i = 7; i >= 0; --i) length += static_cast<char>(bits >> (8 * i));
  update(length);
  const char* const digits = "0123456789abcdef";
  std::string text;
  for (const uint32_t word : h) {
    for (int i = 28; i >= 0; i -= 4) text += digits[(word >> i) & 0xF];
  }
  return text;
}

std::string treeDigest(const fs::path& home, const std::vector<std::string>& dirs) {
  std::vector<std::string> files;
  for (const std::string& dir : dirs) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(home / dir, ec), end; !ec && it != end;
         it.increment(ec)) {
      if (it->is_regular_file() && !isLock(it->path())) {
        files.push_back(it->path().lexically_relative(home).generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  Sha256 sha;
  std::string buffer(1 << 20, '\0');
  for (const std::string& f : files) {
    std::ifstream in(home / f, std::ios::binary);
    sha.update(f);
    sha.update(std::string_view("\0", 1));
    sha.update(std::to_string(fs::file_size(home / f)));
    sha.update(std::string_view("\0", 1));
    while (in) {
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      sha.update(std::string_view(buffer.data(), static_cast<size_t>(in.gcount())));
    }
  }
  return sha.hex();
}

}  // namespace orvane::bench
