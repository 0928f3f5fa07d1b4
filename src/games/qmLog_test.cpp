#include "games/qmLog.h"

#include <gtest/gtest.h>

namespace orvane::games {
namespace {

using Lines = std::vector<std::vector<std::string>>;

Lines tokens(std::string_view text) {
  const TokenLines lines = qmLog::parse(text);
  Lines out;
  for (size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i].begin(), lines[i].end());
  return out;
}

TEST(qmLog, FieldsSkippedLinesAndCarriageReturns) {
  const struct {
    std::string text;
    Lines want;
  } cases[] = {
      {"0.0\tinfo\tmap\tq2dm1\n1.5\tKill\t0\n",
       {{"0.0", "info", "map", "q2dm1"}, {"1.5", "Kill", "0"}}},
      // Comments, empty lines and lines starting with CR add nothing; "#" later is plain text.
      {"# head\n\n\r\n\rjunk\tx\n2.0\tChat\t#1\n#\n", {{"2.0", "Chat", "#1"}}},
      {"3.0\tGame_Start", {{"3.0", "Game_Start"}}},  // no final LF
      {"1\t\tx\t\n", {{"1", "", "x", ""}}},
      {"lonely\n", {{"lonely"}}},
      {"", {}},
      {"1.0\tKill\t3\r\n2.0\tChat\thi\r\n", {{"1.0", "Kill", "3"}, {"2.0", "Chat", "hi"}}},
      // A lone CR ends its field; the next starts after the CR, or the rest of the line is lost.
      {"1.0\tab\rcd\tef\n", {{"1.0", "ab", "cd", "ef"}}},
      {"1.0\tab\rcd ef\n", {{"1.0", "ab"}}},
      {"1.0\tab\r\tef\n", {{"1.0", "ab", "", "ef"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(tokens(c.text), c.want) << c.text;
}

TEST(qmLog, GarbledLinesAreCutToTheFieldLimits) {
  // A field beyond the byte limit keeps its first bytes; the fields after it are intact.
  const std::string huge(qmLog::kMaxFieldBytes + 1, '<');
  EXPECT_EQ(tokens("1\tPlayer_Rename\t" + huge + "\t0\n2\tx\n"),
            (Lines{{"1", "Player_Rename", huge.substr(1), "0"}, {"2", "x"}}));
  // A line of more fields keeps the first ones only; the next line is read as usual.
  const Lines cut =
      tokens("1\tPlayer_Accuracy" + std::string(qmLog::kMaxFields * 3, '\t') + "\n2\ty\n");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].size(), qmLog::kMaxFields);
  EXPECT_EQ(cut[1], (std::vector<std::string>{"2", "y"}));
  EXPECT_EQ(tokens("1\tz" + std::string(qmLog::kMaxFields - 2, '\t'))[0].size(), qmLog::kMaxFields);
}

TEST(qmLog, SplitAtTheMarkerWhereverItStandsAndNarrow) {
  using Pieces = std::vector<std::string_view>;
  EXPECT_EQ(qmLog::split("head\nMARK a\nMARK b\n", "MARK"),
            (Pieces{"head\n", "MARK a\n", "MARK b\n"}));
  EXPECT_EQ(qmLog::split("no marker here", "MARK"), (Pieces{"no marker here"}));
  EXPECT_EQ(qmLog::split("x MARK y", "MARK"), (Pieces{"x ", "MARK y"}));  // not only at line start
  EXPECT_EQ(qmLog::split("MARKMARK", "MARK"), (Pieces{"MARK", "MARK"}));
  EXPECT_TRUE(qmLog::split("", "MARK").empty());
  // The first byte of each pair; a lone last byte is dropped; no byte-order mark is special.
  EXPECT_EQ(qmLog::narrow(std::string("a\0b\0c\0d", 7)), "abc");
  EXPECT_EQ(qmLog::narrow(std::string("\xFF\xFE"
                                      "a\0",
                                      4)),
            "\xFF"
            "a");
}

}  // namespace
}  // namespace orvane::games
