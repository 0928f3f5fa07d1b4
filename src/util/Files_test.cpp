#include "util/Files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "util/Failure.h"

namespace orvane::util {
namespace {

TEST(Files, WriteThenReadGivesTheSameBytes) {
  testing::TempDir dir;
  const std::string bytes("a\0b\xFF\r\n", 6);
  writeWholeFile(dir.file("x.db"), bytes, true);
  writeWholeFile(dir.file("x.db"), bytes + "z");  // replaces
  EXPECT_EQ(readWholeFile(dir.file("x.db")), bytes + "z");
  EXPECT_TRUE(isReadableFile(dir.file("x.db")));
  // Only the file itself is left: no temporary beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(Files, FailuresNameThePath) {
  testing::TempDir dir;
  try {
    readWholeFile(dir.file("missing.log"));
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(failureText(f),
              "FileNotFoundException: " + dir.file("missing.log") + " (No such file or directory)");
  }
  EXPECT_FALSE(isReadableFile(dir.file("missing.log")));
  EXPECT_FALSE(isReadableFile(dir.path()));  // a directory is no readable file
  EXPECT_THROW(readWholeFile(dir.path()), Failure);
  EXPECT_THROW(writeWholeFile(dir.file("no/such/dir.db"), "x"), Failure);
}

TEST(Files, FailedReplaceLeavesNoTemporary) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.file("busy.db/inside"));
  EXPECT_THROW(writeWholeFile(dir.file("busy.db"), "new"), Failure);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("busy.db/inside")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

// The temporary file is a new file under a name nobody can plant a link at in advance: not the
// name earlier versions used (fixed by the target and the process id).
TEST(Files, WriteNeverGoesThroughALinkBesideTheTarget) {
  testing::TempDir dir;
  const std::string victim = dir.write("victim", "precious");
  std::filesystem::create_symlink(victim, dir.file(".saving-x.db." + std::to_string(::getpid())));
  std::filesystem::create_symlink(dir.file("created"),
                                  dir.file(".saving-y.db." + std::to_string(::getpid())));
  writeWholeFile(dir.file("x.db"), "new");
  writeWholeFile(dir.file("y.db"), "new");
  EXPECT_EQ(readWholeFile(victim), "precious");
  EXPECT_FALSE(std::filesystem::exists(dir.file("created")));
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.file("x.db"))));
  EXPECT_EQ(readWholeFile(dir.file("x.db")), "new");
}

}  // namespace
}  // namespace orvane::util
