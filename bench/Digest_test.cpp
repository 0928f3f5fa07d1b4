#include "bench/Digest.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"

namespace orvane::bench {
namespace {

// The standard vectors, and the same digests fed in pieces of any size: padding crosses a block
// boundary at 56 to 63 bytes.
TEST(Sha256, StandardVectorsWholeOrInPieces) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& [bytes, want] : cases) {
    for (const size_t piece : {1u, 3u, 55u, 64u, 1000000u}) {
      if (piece < 55 && bytes.size() > 1000) continue;
      Sha256 s;
      for (size_t at = 0; at < bytes.size(); at += piece)
        s.update(std::string_view(bytes).substr(at, piece));
      EXPECT_EQ(s.hex(), want) << bytes.size() << " in pieces of " << piece;
    }
  }
}

// The digest covers names, sizes and contents of the directories given, not lock files, other
// directories or the order in which files were made.
TEST(TreeDigest, CoversNamesAndContentsButNotLocks) {
  using Files = std::vector<std::pair<std::string, std::string>>;
  const auto digest = [](const Files& files) {
    testing::TempDir d;
    for (const auto& [name, bytes] : files) d.write(name, bytes);
    return treeDigest(d.path(), {"data", "html"});
  };
  const std::string want =
      digest({{"data/brk_game.db", "game"}, {"html/Main.html", "<html>"}, {"html/x/1.html", "1"}});
  EXPECT_EQ(digest({{"html/x/1.html", "1"},
                    {"html/Main.html", "<html>"},
                    {"data/brk_game.db", "game"},
                    {"data/1700000000000.lock", ""},
                    {"data/.scorex-run", ""},
                    {"other/ignored.txt", "x"}}),
            want);
  for (const Files& changed :
       {Files{{"data/brk_game.db", "game"}, {"html/Main.html", "<html>"}, {"html/x/1.html", "2"}},
        Files{{"data/brk_game.db", "game"}, {"html/Main.html", "<html>"}, {"html/x/2.html", "1"}},
        // where one file ends and the next begins
        Files{{"data/brk_game.db", "gam"}, {"html/Main.html", "e<html>"}, {"html/x/1.html", "1"}}})
    EXPECT_NE(digest(changed), want);
}

}  // namespace
}  // namespace orvane::bench
