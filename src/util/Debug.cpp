#include "util/Debug.h"

#include <iostream>
#include <string>

#include "util/Failure.h"

namespace orvane::util {

int32_t Debug::level = 0;
Debug::Output Debug::type = kStdOut;
std::ostream* Debug::out = &std::cout;
std::string* Debug::held = nullptr;

void Debug::setLevel(int32_t lvl) {
  if (lvl >= 0) level = lvl;
}

void Debug::setType(std::string_view tp) {
  if (tp == "StdOut") {
    type = kStdOut;
  } else if (tp == "None") {
    type = kNone;
  }
}

void Debug::print(std::string_view text, int32_t severity) {
  if (!shows(severity)) return;
  // One write per line, so a line never comes out in pieces. Control bytes (names and lines
  // from logs) are written as \xNN: raw, an escape sequence would drive the admin's terminal.
  std::string line;
  line.reserve(text.size() + 1);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\t') || b == 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      line.append("\\x");
      line.push_back(kHex[b >> 4]);
      line.push_back(kHex[b & 15]);
    } else {
      line.push_back(c);
    }
  }
  line.push_back('\n');
  write(line);
}

void Debug::write(std::string_view lines) {
  if (held != nullptr) {
    held->append(lines);
  } else {
    out->write(lines.data(), static_cast<std::streamsize>(lines.size()));
  }
}

void Debug::report(std::string_view prefix, const std::exception& e) {
  if (!shows(0)) return;
  print(std::string(prefix) + failureText(e), 0);
}

void Debug::setStream(std::ostream* os) { out = os != nullptr ? os : &std::cout; }

void Debug::reset() {
  level = 0;
  type = kStdOut;
  out = &std::cout;
  held = nullptr;
}

}  // namespace orvane::util
