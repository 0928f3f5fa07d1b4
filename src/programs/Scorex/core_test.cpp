#include "programs/Scorex/core.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TempDir.h"
#include "programs/Scorex/Modules.h"
#include "programs/Scorex/config.h"
#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex {
namespace {

using util::Debug;

// A match double: valid unless its text says "invalid"; "throw" fails while it is built.
class FakeGame : public games::Game {
 public:
  explicit FakeGame(std::string_view text) : text(text) {
    if (text.find("throw") != std::string_view::npos) {
      throw util::Failure("NumberFormatException", "For input string: \"x\"");
    }
  }
  int64_t theTime() const override { return 0; }
  bool isValid() const override { return text.find("invalid") == std::string::npos; }
  const std::string& getServerName() const override { return text; }
  const std::string& getMap() const override { return text; }
  std::string text;
};

class CoreLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config::reset();
    Modules::reset();
    Debug::reset();
    Debug::setStream(&trace);
    config::homeDir = home.path();
    home.write("data/.keep", "");
    Module m;
    m.decode = [](std::string bytes) { return "<" + bytes + ">"; };
    m.split = [](std::string_view text) {
      std::vector<std::string_view> pieces;
      size_t start = 0;
      for (size_t bar; (bar = text.find('|', start)) != std::string_view::npos; start = bar + 1) {
        pieces.push_back(text.substr(start, bar - start));
      }
      pieces.push_back(text.substr(start));
      return pieces;
    };
    m.newGame = [](std::string_view text) { return std::make_unique<FakeGame>(text); };
    Modules::add("Test", m);
    config::set(std::nullopt, "Test");
    trace.str("");
  }
  void TearDown() override {
    config::reset();
    Modules::reset();
    Debug::reset();
  }
  std::vector<std::string> texts(const std::vector<std::unique_ptr<games::Game>>& games) {
    std::vector<std::string> out;
    for (const auto& g : games) out.push_back(g->getServerName());
    return out;
  }
  testing::TempDir home;
  std::ostringstream trace;
};

TEST_F(CoreLogTest, ReadsAndDecodesAWaitingLog) {
  home.write("data/a.log", "one|two");
  core c;
  EXPECT_EQ(c.getLogfileData("a.log"), std::optional<std::string>("<one|two>"));
  EXPECT_EQ(trace.str(), "");
}

TEST_F(CoreLogTest, MissingLogGivesBothErrorsAndNoMatch) {
  core c;
  const auto text = c.getLogfileData("gone.log");
  EXPECT_FALSE(text.has_value());
  EXPECT_TRUE(c.getGameStats(text).empty());
  EXPECT_EQ(trace.str(), "Error in core.getLogfileData: FileNotFoundException: " + home.path() +
                             "/data/gone.log (No such file or directory)\n"
                             "Error in core.getGameStats: NullPointerException\n");
}

TEST_F(CoreLogTest, KeepsValidMatchesInLogOrder) {
  core c;
  Debug::setLevel(1);
  const auto games = c.getGameStats(std::string("a|invalid b|c"));
  EXPECT_EQ(texts(games), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(trace.str(), "I core.getGameStats\nO core.getGameStats\n");
}

TEST_F(CoreLogTest, BrokenMatchDoesNotLoseTheLaterOnes) {
  core c;
  const auto games = c.getGameStats(std::string("a|throw|c"));
  EXPECT_EQ(texts(games), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(trace.str(),
            "Error in core.getGameStats: NumberFormatException: For input string: \"x\"\n");
}

TEST_F(CoreLogTest, UnknownProgramBuildsNoMatch) {
  config::set(std::nullopt, "Other");
  trace.str("");
  home.write("data/b.log", "raw");
  core c;
  const auto text = c.getLogfileData("b.log");
  EXPECT_EQ(text, std::optional<std::string>("raw"));
  EXPECT_TRUE(c.getGameStats(text).empty());
  EXPECT_EQ(trace.str(), "");
}

}  // namespace
}  // namespace orvane::programs::Scorex
