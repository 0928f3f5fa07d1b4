#include "programs/Scorex/store/Journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TempDir.h"
#include "programs/Scorex/store/LogQueue.h"
#include "programs/Scorex/store/SlotStore.h"
#include "util/Debug.h"

namespace orvane::programs::Scorex::store {
namespace {

using testing::slurp;

class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    util::Debug::reset();
    util::Debug::setStream(&trace);
  }
  void TearDown() override { util::Debug::reset(); }

  std::string dir() const { return home.path() + "/"; }

  testing::TempDir home;
  std::ostringstream trace;
};

Journal sample() {
  Journal j;
  j.replaceFile("a.db", "new a");
  j.writeAt("p.db", 4, "XY");
  j.replaceFile("b.db", std::string("\0\xff", 2));
  return j;
}

TEST_F(JournalTest, OnlyAWholeIntactJournalDecodes) {
  const std::string bytes = sample().encode();
  const auto back = Journal::decode(bytes);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->changes().size(), 3u);
  EXPECT_EQ(back->changes()[1].name, "p.db");
  EXPECT_EQ(back->changes()[1].offset, 4);
  EXPECT_EQ(back->changes()[2].bytes, std::string("\0\xff", 2));
  // Cut anywhere or changed anywhere, it is no journal.
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_FALSE(Journal::decode(bytes.substr(0, n)).has_value()) << n;
    std::string bent = bytes;
    bent[n] = static_cast<char>(bent[n] ^ 0x20);
    EXPECT_FALSE(Journal::decode(bent).has_value()) << n;
  }
  // Names outside the database directory are refused even with a right checksum.
  Journal outside;
  outside.replaceFile("../x.db", "x");
  EXPECT_FALSE(Journal::decode(outside.encode()).has_value());
}

TEST_F(JournalTest, ACommittedJournalIsCarriedOutOnceOrAgainAlike) {
  home.write("a.db", "old a");
  home.write("p.db", "0123456789");
  const Journal j = sample();
  j.check(dir());
  j.commit(dir());
  // The files are as they were until the journal is carried out, here by the next start.
  EXPECT_EQ(slurp(home.file("a.db")), "old a");
  Journal::recover(dir());
  EXPECT_EQ(trace.str(), "Completing the database changes of an interrupted run\n");
  EXPECT_EQ(slurp(home.file("a.db")), "new a");
  EXPECT_EQ(slurp(home.file("p.db")), "0123XY6789");
  EXPECT_EQ(slurp(home.file("b.db")), std::string("\0\xff", 2));
  EXPECT_FALSE(std::filesystem::exists(home.file(Journal::kName)));
  // A journal carried out twice (a run that died while carrying it out) changes nothing more.
  j.commit(dir());
  j.apply(dir());
  EXPECT_EQ(slurp(home.file("p.db")), "0123XY6789");
  Journal::recover(dir());  // none left: nothing to do
}

TEST_F(JournalTest, UnusableJournalOrTargetStopsBeforeAnyChange) {
  home.write(Journal::kName, "garbage");
  EXPECT_THROW(Journal::recover(dir()), std::exception);
  EXPECT_TRUE(std::filesystem::exists(home.file(std::string(Journal::kName) + ".damaged")));
  EXPECT_NE(trace.str().find("Error in Journal.recover: IOException: "), std::string::npos);

  home.mkdir("b.db");
  EXPECT_THROW(sample().check(dir()), std::exception);
  // A file changed in place is never reached through a link, not even by a recovery.
  std::filesystem::remove(home.file("b.db"));
  std::filesystem::create_symlink(home.file("victim"), home.file("p.db"));
  EXPECT_THROW(sample().check(dir()), std::exception);
  EXPECT_THROW(sample().apply(dir()), std::exception);
  EXPECT_FALSE(std::filesystem::exists(home.file("victim")));
}

TEST_F(JournalTest, DeferredStoreWritesWaitAndCloseForgetsThem) {
  const std::string path = home.file("p.db");
  SlotStore s(8);
  ASSERT_TRUE(s.open(path, true));
  s.write(0, "career00");
  s.write(-3, "summary1");
  EXPECT_EQ(s.read(0).value_or(""), "career00");  // reads see the kept writes
  EXPECT_EQ(slurp(path), "");
  const auto writes = s.takeDeferred();
  ASSERT_EQ(writes.size(), 3u);  // the new store's version byte, then slots by position
  EXPECT_EQ(writes[0], (std::pair<int64_t, std::string>{0, "\1"}));
  EXPECT_EQ(writes[1], (std::pair<int64_t, std::string>{8, "summary1"}));
  EXPECT_EQ(writes[2], (std::pair<int64_t, std::string>{32, "career00"}));
  s.write(1, "career01");
  s.close();
  EXPECT_EQ(slurp(path), "");
}

TEST_F(JournalTest, ProcessedLogsReturnBesideWaitingOnes) {
  home.write("a.log.del", "A");
  home.write("b.log.del", "B old");
  home.write("b.log", "B new");
  home.mkdir("c.log.del");  // no log of ours
  LogQueue(dir()).returnProcessed();
  EXPECT_EQ(slurp(home.file("a.log")), "A");
  EXPECT_EQ(slurp(home.file("b.log")), "B new");
  EXPECT_EQ(slurp(home.file("b-1.log")), "B old");
  EXPECT_FALSE(std::filesystem::exists(home.file("a.log.del")));
  EXPECT_TRUE(std::filesystem::is_directory(home.file("c.log.del")));
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
