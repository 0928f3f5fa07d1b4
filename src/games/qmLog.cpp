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

TokenLines qmLog::parse(std::string_view in) {
  Debug::print("I qmLog.parse", 1);
  TokenLines lines;
  try {
    size_t lstart = 0;
    while (lstart < in.size()) {
      size_t lend = in.find('\n', lstart);
      if (lend == std::string_view::npos) lend = in.size();
      const char first = in[lstart];
      if (lend > lstart && first != '#' && first != '\r') {
        const std::string_view line = in.substr(lstart, lend - lstart);
        lines.startLine();
        size_t loc = 0;
        size_t cr = line.find('\r');
        for (;;) {
          size_t end = line.find('\t', loc);
          const bool last = end == std::string_view::npos;
          if (last) end = line.size();
          // A CR ends the field too; the next field then starts right after the CR.
          if (cr < loc) cr = line.find('\r', loc);
          if (cr < end) end = cr;
          lines.addField(line.substr(loc, std::min(end - loc, kMaxFieldBytes)));
          if (last || lines.lastLineFields() == kMaxFields) break;
          loc = end + 1;
        }
      }
      lstart = lend + 1;
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

std::string qmLog::narrow(std::string_view bytes) {
  std::string text(bytes.size() / 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = bytes[2 * i];
  return text;
}

}  // namespace orvane::games
