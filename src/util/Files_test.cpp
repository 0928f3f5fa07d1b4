#include "util/Files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "util/Failure.h"

namespace orvane::util {
namespace {

namespace fs = std::filesystem;

// A write replaces the file whole and leaves no temporary beside it, nor when it fails.
TEST(Files, WritesReplaceWholeAndFailuresLeaveNoTrace) {
  testing::TempDir dir;
  const std::string bytes("a\0b\xFF\r\n", 6);
  writeWholeFile(dir.file("x.db"), "old", true);
  writeWholeFile(dir.file("x.db"), bytes);
  EXPECT_EQ(readWholeFile(dir.file("x.db")), bytes);
  fs::create_directories(dir.file("busy.db/inside"));
  EXPECT_THROW(writeWholeFile(dir.file("busy.db"), "new"), Failure);
  EXPECT_THROW(writeWholeFile(dir.file("no/such/dir.db"), "x"), Failure);
  EXPECT_EQ(testing::listing(dir.path()), "busy.db x.db");
  EXPECT_TRUE(isReadableFile(dir.file("x.db")) && !isReadableFile(dir.file("missing.log")) &&
              !isReadableFile(dir.path()));
  EXPECT_THROW(readWholeFile(dir.path()), Failure);
}

// The temporary file is a new file under a name nobody can plant a link at in advance: not the
// name earlier versions used (fixed by the target and the process id).
TEST(Files, WriteNeverGoesThroughALinkBesideTheTarget) {
  testing::TempDir dir;
  const std::string victim = dir.write("victim", "precious");
  fs::create_symlink(victim, dir.file(".saving-x.db." + std::to_string(::getpid())));
  fs::create_symlink(dir.file("created"), dir.file(".saving-y.db." + std::to_string(::getpid())));
  writeWholeFile(dir.file("x.db"), "new");
  writeWholeFile(dir.file("y.db"), "new");
  EXPECT_EQ(readWholeFile(victim) + readWholeFile(dir.file("x.db")), "preciousnew");
  EXPECT_TRUE(!fs::exists(dir.file("created")) &&
              fs::is_regular_file(fs::symlink_status(dir.file("x.db"))));
}

}  // namespace
}  // namespace orvane::util
