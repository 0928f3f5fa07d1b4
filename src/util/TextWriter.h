#pragma once

#include <string>
#include <string_view>

namespace orvane::util {

// A page assembled in memory: print adds text, println adds text and a line end ("\n").
class TextWriter {
 public:
  void print(std::string_view s) { text.append(s); }
  void println(std::string_view s = {}) {
    text.append(s);
    text.push_back('\n');
  }
  const std::string& str() const { return text; }
  void reserve(size_t n) { text.reserve(n); }

 private:
  std::string text;
};

}  // namespace orvane::util
