#include "games/qmLog.h"

#include <gtest/gtest.h>

namespace orvane::games {
namespace {

// The tokenized lines, fields joined by "|" and lines by "/".
std::string tokens(std::string_view text) {
  const TokenLines lines = qmLog::parse(text);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "/";
    for (size_t f = 0; f < lines[i].size(); ++f)
      out += (f > 0 ? "|" : "") + std::string(lines[i][f]);
  }
  return out;
}

TEST(qmLog, FieldsSkippedLinesAndCarriageReturns) {
  const std::pair<std::string, std::string> cases[] = {
      {"0.0\tinfo\tmap\tq2dm1\n1.5\tKill\t0\n", "0.0|info|map|q2dm1/1.5|Kill|0"},
      // Comments, empty lines and lines starting with CR add nothing; "#" later is plain text.
      {"# head\n\n\r\n\rjunk\tx\n2.0\tChat\t#1\n#\n", "2.0|Chat|#1"},
      {"3.0\tGame_Start", "3.0|Game_Start"},  // no final LF
      {"1\t\tx\t\n", "1||x|"},
      {"", ""},
      {"1.0\tKill\t3\r\n2.0\tChat\thi\r\n", "1.0|Kill|3/2.0|Chat|hi"},
      // A lone CR ends its field; the next starts after the CR, or the rest of the line is lost.
      {"1.0\tab\rcd\tef\n", "1.0|ab|cd|ef"},
      {"1.0\tab\rcd ef\n", "1.0|ab"},
      {"1.0\tab\r\tef\n", "1.0|ab||ef"},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(tokens(text), want) << text;
}

// A field keeps its first bytes and a line its first fields; the lines after are intact.
TEST(qmLog, GarbledLinesAreCutToTheFieldLimits) {
  const std::string huge(qmLog::kMaxFieldBytes + 1, '<');
  EXPECT_EQ(tokens("1\tPlayer_Rename\t" + huge + "\t0\n2\tx\n"),
            "1|Player_Rename|" + huge.substr(1) + "|0/2|x");
  const std::string wide =
      "1\tPlayer_Accuracy" + std::string(qmLog::kMaxFields * 3, '\t') + "\n2\ty\n";
  const TokenLines cut = qmLog::parse(wide);  // views into wide
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].size(), qmLog::kMaxFields);
  EXPECT_EQ(cut[1][1], "y");
}

TEST(qmLog, SplitAtTheMarkerWhereverItStandsAndNarrow) {
  using Pieces = std::vector<std::string_view>;
  EXPECT_EQ(qmLog::split("head\nMARK a\nMARK b\n", "MARK"),
            (Pieces{"head\n", "MARK a\n", "MARK b\n"}));
  EXPECT_EQ(qmLog::split("x MARK y", "MARK"), (Pieces{"x ", "MARK y"}));  // not only at line start
  EXPECT_EQ(qmLog::split("MARKMARK", "MARK"), (Pieces{"MARK", "MARK"}));
  EXPECT_TRUE(qmLog::split("", "MARK").empty());
  // The first byte of each pair; a lone last byte is dropped; a byte-order mark is no exception.
  EXPECT_EQ(qmLog::narrow(std::string("\377\376a\0b\0c", 7)), "\377ab");
}

}  // namespace
}  // namespace orvane::games
