#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::games {

// One log line as its fields: field 0 is the time, field 1 the event keyword.
using TokenList = std::span<const std::string_view>;

// The tokenized lines of one match. The fields are views into the match text, which must
// outlive this object (a match's lines live only while its match object is being built).
class TokenLines {
 public:
  size_t size() const { return lineStart.size(); }
  bool empty() const { return lineStart.empty(); }
  TokenList operator[](size_t i) const {
    const size_t end = i + 1 < lineStart.size() ? lineStart[i + 1] : fields.size();
    return TokenList(fields.data() + lineStart[i], end - lineStart[i]);
  }
  TokenList at(size_t i) const;

  void addField(std::string_view f) { fields.push_back(f); }
  void startLine() { lineStart.push_back(fields.size()); }

 private:
  std::vector<std::string_view> fields;
  std::vector<size_t> lineStart;
};

// Reads a match text line by line, each line cut into its fields as qmLog::parse cuts it; the
// fields of one line at a time are held, as views into the text.
class LineCursor {
 public:
  explicit LineCursor(std::string_view in) : in(in) {}
  // Moves to the next line that is not skipped; false at the end of the text.
  bool next();
  TokenList fields() const { return current; }

 private:
  std::string_view in;
  size_t lstart = 0;
  std::vector<std::string_view> current;
};

// The statistics log's line format: LF-separated lines of TAB-separated fields.
class qmLog {
 public:
  // No event reads more fields than this, nor does any game log a longer text (names, maps,
  // server names are a few dozen bytes). A garbled line keeps its first kMaxFields fields and
  // each field its first kMaxFieldBytes bytes: a name of megabytes would otherwise be escaped
  // and repeated on hundreds of pages, and a line of millions of tabs take a view for each.
  static constexpr size_t kMaxFields = 256;
  static constexpr size_t kMaxFieldBytes = 1024;

  // Tokenizes a match text. Comment lines ("#"), empty lines and lines starting with CR are
  // skipped; a CR inside a line ends the field it stands in. Longer lines and fields are cut
  // to the limits above.
  static TokenLines parse(std::string_view in);

  // Cuts a log text at every occurrence of the marker: each piece after the first begins
  // with the marker, and a head before the first marker is a piece of its own.
  static std::vector<std::string_view> split(std::string_view text, std::string_view marker);

  // A log written in 16-bit little-endian units as one byte per character: the first byte of
  // every pair; a lone trailing byte is dropped.
  static std::string narrow(std::string bytes);
};

}  // namespace orvane::games
