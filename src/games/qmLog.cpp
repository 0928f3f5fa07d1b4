#include "games/qmLog.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::games {

using util::Debug;

TokenList TokenLines::at(size_t i) const {
  if (i >= lineStart.size()) {
    throw std::out_of_range("line " + std::to_string(i) + " of " +
                            std::to_string(lineStart.size()));
  }
  return (*this)[i];
}

bool LineCursor::next() {
  current.clear();
  while (lstart < in.size()) {
    size_t lend = in.find('\n', lstart);
    if (lend == std::string_view::npos) lend = in.size();
    const size_t start = lstart;
    lstart = lend + 1;
    const char first = in[start];
    if (lend == start || first == '#' || first == '\r') continue;
    const std::string_view line = in.substr(start, lend - start);
    size_t loc = 0;
    size_t cr = line.find('\r');
    for (;;) {
      size_t end = line.find('\t', loc);
      const bool last = end == std::string_view::npos;
      if (last) end = line.size();
      // A CR ends the field too; the next field then starts right after the CR.
      if (cr < loc) cr = line.find('\r', loc);
      if (cr < end) end = cr;
      current.push_back(line.substr(loc, std::min(end - loc, qmLog::kMaxFieldBytes)));
      if (last || current.size() == qmLog::kMaxFields) break;
      loc = end + 1;
    }
    return true;
  }
  return false;
}

TokenLines qmLog::parse(std::string_view in) {
  Debug::print("I qmLog.parse", 1);
  TokenLines lines;
  try {
    LineCursor cursor(in);
    while (cursor.next()) {
      lines.startLine();
      for (const std::string_view f : cursor.fields()) lines.addField(f);
    }
  } catch (const std::exception& e) {
    Debug::report("Error in qmLog.parse: ", e);
  }
  Debug::print("O qmLog.parse", 1);
  return lines;
}

std::vector<std::string_view> qmLog::split(std::string_view text, std::string_view marker) {
  std::vector<std::string_view> pieces;
  size_t lstart = 0;
  while (lstart < text.size()) {
    size_t next = text.find(marker, lstart + 1);
    if (next == std::string_view::npos) next = text.size();
    pieces.push_back(text.substr(lstart, next - lstart));
    lstart = next;
  }
  return pieces;
}

std::string qmLog::narrow(std::string bytes) {
  // In place: a log of hundreds of megabytes is never held twice.
  const size_t n = bytes.size() / 2;
  for (size_t i = 0; i < n; ++i) bytes[i] = bytes[2 * i];
  bytes.resize(n);
  return bytes;
}

}  // namespace orvane::games
