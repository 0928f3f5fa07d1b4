#include "bench/Digest.h"

#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"

namespace orvane::bench {
namespace {

std::string sha(const std::string& bytes) {
  Sha256 s;
  s.update(bytes);
  return s.hex();
}

TEST(Sha256, MatchesTheStandardVectors) {
  EXPECT_EQ(sha(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Padding crosses a block boundary at 56 to 63 bytes; pieces of any size give one digest.
TEST(Sha256, PiecesAndBlockBoundariesGiveTheSameDigest) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes += static_cast<char>(i * 7);
  for (const size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 128u, 300u}) {
    const std::string whole = sha(bytes.substr(0, length));
    for (const size_t piece : {1u, 3u, 64u, 100u}) {
      Sha256 s;
      for (size_t at = 0; at < length; at += piece) {
        s.update(std::string_view(bytes).substr(at, std::min(piece, length - at)));
      }
      EXPECT_EQ(s.hex(), whole) << length << " in pieces of " << piece;
    }
  }
  EXPECT_EQ(sha(bytes.substr(0, 64)),
            "d8bc63b4fc1156e5e7d95a418b9bf54cd3174bedbc2db40f74895349b229b3c0");
  EXPECT_EQ(sha(bytes.substr(0, 119)),
            "7a6589821178918ca8d9edaba5abfc1e9b2669564f4469b66885379c1530b2c8");
}

// The digest covers names, sizes and contents of both directories, not lock files, and not
// the order in which files were made.
TEST(TreeDigest, CoversNamesAndContentsButNotLocks) {
  testing::TempDir a;
  a.write("data/brk_game.db", "game");
  a.write("html/Scorex_Main.html", "<html>");
  a.write("html/x/1.html", "one");
  const std::string digest = treeDigest(a.path(), {"data", "html"});

  testing::TempDir b;
  b.write("html/x/1.html", "one");
  b.write("html/Scorex_Main.html", "<html>");
  b.write("data/brk_game.db", "game");
  b.write("data/1700000000000.lock", "");
  b.write("data/.scorex-run", "");
  b.write("other/ignored.txt", "x");
  EXPECT_EQ(treeDigest(b.path(), {"data", "html"}), digest);

  b.write("html/x/1.html", "One");
  EXPECT_NE(treeDigest(b.path(), {"data", "html"}), digest);
  testing::TempDir c;
  c.write("data/brk_game.db", "game");
  c.write("html/Scorex_Main.html", "<html>");
  c.write("html/x/2.html", "one");
  EXPECT_NE(treeDigest(c.path(), {"data", "html"}), digest);
  // Where one file ends and the next begins is part of what is digested.
  testing::TempDir d;
  d.write("data/brk_game.db", "gam");
  d.write("html/Scorex_Main.html", "e<html>");
  d.write("html/x/1.html", "one");
  EXPECT_NE(treeDigest(d.path(), {"data", "html"}), digest);
}

}  // namespace
}  // namespace orvane::bench
