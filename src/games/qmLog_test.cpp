#include "games/qmLog.h"

#include <gtest/gtest.h>

#include <sstream>

#include "util/Debug.h"

namespace orvane::games {
namespace {

using Lines = std::vector<std::vector<std::string>>;

Lines tokens(std::string_view text) {
  const TokenLines lines = qmLog::parse(text);
  Lines out;
  for (size_t i = 0; i < lines.size(); ++i) {
    out.emplace_back(lines[i].begin(), lines[i].end());
  }
  return out;
}

TEST(qmLog, FieldsAndSkippedLines) {
  EXPECT_EQ(tokens("0.0\tinfo\tmap\tq2dm1\n1.5\tKill\t0\n"),
            (Lines{{"0.0", "info", "map", "q2dm1"}, {"1.5", "Kill", "0"}}));
  // Comments, empty lines and lines starting with CR add nothing; "#" later is plain text.
  EXPECT_EQ(tokens("# head\n\n\r\n\rjunk\tx\n2.0\tChat\t#1\n#\n"), (Lines{{"2.0", "Chat", "#1"}}));
  // No final LF: the last line still counts.
  EXPECT_EQ(tokens("3.0\tGame_Start"), (Lines{{"3.0", "Game_Start"}}));
  // Two TABs give an empty field; a trailing TAB a final empty field.
  EXPECT_EQ(tokens("1\t\tx\t\n"), (Lines{{"1", "", "x", ""}}));
  EXPECT_EQ(tokens("lonely\n"), (Lines{{"lonely"}}));
  EXPECT_TRUE(tokens("").empty());
}

TEST(qmLog, CarriageReturnsEndFields) {
  // CR LF: no field carries the CR.
  EXPECT_EQ(tokens("1.0\tKill\t3\r\n2.0\tChat\thi\r\n"),
            (Lines{{"1.0", "Kill", "3"}, {"2.0", "Chat", "hi"}}));
  // A lone CR with a TAB later: the next field starts after the CR.
  EXPECT_EQ(tokens("1.0\tab\rcd\tef\n"), (Lines{{"1.0", "ab", "cd", "ef"}}));
  // A lone CR with no TAB later: the rest of the line is dropped.
  EXPECT_EQ(tokens("1.0\tab\rcd ef\n"), (Lines{{"1.0", "ab"}}));
  EXPECT_EQ(tokens("1.0\tab\r\tef\n"), (Lines{{"1.0", "ab", "", "ef"}}));
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
  const std::string full = "1\tz" + std::string(qmLog::kMaxFields - 2, '\t');
  EXPECT_EQ(tokens(full)[0].size(), qmLog::kMaxFields);
}

TEST(qmLog, TraceAtLevelOne) {
  std::ostringstream trace;
  util::Debug::setStream(&trace);
  util::Debug::setLevel(1);
  qmLog::parse("1\tx\n");
  util::Debug::reset();
  EXPECT_EQ(trace.str(), "I qmLog.parse\nO qmLog.parse\n");
}

TEST(qmLog, SplitAtTheMarkerWhereverItStands) {
  const std::string m = "MARK";
  using Pieces = std::vector<std::string_view>;
  EXPECT_EQ(qmLog::split("MARK a\nMARK b\nMARK c\n", m),
            (Pieces{"MARK a\n", "MARK b\n", "MARK c\n"}));
  EXPECT_EQ(qmLog::split("head\nMARK a\n", m), (Pieces{"head\n", "MARK a\n"}));
  EXPECT_EQ(qmLog::split("no marker here", m), (Pieces{"no marker here"}));
  EXPECT_EQ(qmLog::split("x MARK y", m), (Pieces{"x ", "MARK y"}));  // not only at line start
  EXPECT_EQ(qmLog::split("MARKMARK", m), (Pieces{"MARK", "MARK"}));
  EXPECT_TRUE(qmLog::split("", m).empty());
}

TEST(qmLog, NarrowKeepsTheFirstByteOfEachPair) {
  EXPECT_EQ(qmLog::narrow(std::string("a\0b\0c\0d", 7)), "abc");
  EXPECT_EQ(qmLog::narrow(std::string("\xFF\xFE"
                                      "a\0",
                                      4)),
            "\xFF"
            "a");  // no byte-order mark
  EXPECT_EQ(qmLog::narrow(""), "");
}

}  // namespace
}  // namespace orvane::games
