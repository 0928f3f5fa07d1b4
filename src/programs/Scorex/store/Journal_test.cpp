#include "programs/Scorex/store/Journal.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "TraceCapture.h"

namespace orvane::programs::Scorex::store {
namespace {

namespace fs = std::filesystem;
using testing::slurp;

class JournalTest : public ::testing::Test {
 protected:
  testing::TempDir home;
  std::string dir = home.path() + "/";
  testing::TraceCapture trace;
};

Journal sample() {
  Journal j;
  j.replaceFile("a.db", "new a");
  j.writeAt("p.db", 4, "XY");
  j.replaceFile("b.db", std::string("\0\xff", 2));
  // An append-only file whose damaged tail is cut before the new records go on.
  j.cutAt("m.db", 3);
  j.writeAt("m.db", 3, "new");
  return j;
}

TEST_F(JournalTest, OnlyAWholeIntactJournalDecodes) {
  const std::string bytes = sample().encode();
  const auto back = Journal::decode(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->encode(), bytes);
  // Cut anywhere or changed anywhere, it is no journal.
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_FALSE(Journal::decode(bytes.substr(0, n)).has_value()) << n;
    std::string bent = bytes;
    bent[n] = static_cast<char>(bent[n] ^ 0x20);
    EXPECT_FALSE(Journal::decode(bent).has_value()) << n;
  }
  // Names outside the database directory are refused even with a right checksum.
  for (const char* name : {"../x.db", "", ".hidden"}) {
    Journal outside;
    outside.replaceFile(name, "x");
    EXPECT_FALSE(Journal::decode(outside.encode()).has_value()) << name;
  }
}

TEST_F(JournalTest, ACommittedJournalIsCarriedOutOnceOrAgainAlike) {
  home.write("a.db", "old a");
  home.write("p.db", "0123456789");
  home.write("m.db", "abc damaged tail");
  const Journal j = sample();
  j.check(dir);
  j.commit(dir);
  // The files are as they were until the journal is carried out, here by the next start.
  EXPECT_EQ(slurp(home.file("a.db")), "old a");
  Journal::recover(dir);
  EXPECT_EQ(trace.str(), "Completing the database changes of an interrupted run\n");
  const std::string done =
      slurp(home.file("a.db")) + slurp(home.file("p.db")) + slurp(home.file("m.db"));
  EXPECT_EQ(done, "new a0123XY6789abcnew");
  EXPECT_EQ(slurp(home.file("b.db")), std::string("\0\xff", 2));
  EXPECT_FALSE(fs::exists(home.file(Journal::kName)));
  // A journal carried out twice (a run that died while carrying it out) changes nothing more.
  j.commit(dir);
  j.apply(dir);
  EXPECT_EQ(slurp(home.file("a.db")) + slurp(home.file("p.db")) + slurp(home.file("m.db")), done);
  Journal::recover(dir);  // none left: nothing to do
}

TEST_F(JournalTest, UnusableJournalOrTargetStopsBeforeAnyChange) {
  home.write(Journal::kName, "garbage");
  EXPECT_THROW(Journal::recover(dir), std::exception);
  EXPECT_TRUE(fs::exists(home.file(std::string(Journal::kName) + ".damaged")));
  EXPECT_NE(trace.str().find("Error in Journal.recover: IOException: "), std::string::npos);

  home.mkdir("b.db");
  EXPECT_THROW(sample().check(dir), std::exception);
  // A file changed in place is never reached through a link, not even by a recovery.
  fs::remove(home.file("b.db"));
  fs::create_symlink(home.file("victim"), home.file("p.db"));
  EXPECT_THROW(sample().check(dir), std::exception);
  EXPECT_THROW(sample().apply(dir), std::exception);
  EXPECT_FALSE(fs::exists(home.file("victim")));
  // Nowhere to write the journal: nothing changes.
  EXPECT_THROW(sample().commit(home.file("missing/")), std::exception);
}

}  // namespace
}  // namespace orvane::programs::Scorex::store
