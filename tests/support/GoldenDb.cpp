#include "GoldenDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <regex>
#include <sstream>
#include <vector>

#include "Golden.h"
#include "TempDir.h"

namespace orvane::testing {

namespace {

std::string fromHex(const std::string& hex) {
  EXPECT_EQ(hex.size() % 2, 0u) << hex;
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string toHex(const std::string& bytes) {
  std::string hex;
  for (const char c : bytes)
    hex += {"0123456789abcdef"[uint8_t(c) >> 4], "0123456789abcdef"[c & 15]};
  return hex;
}

// Where the words of a line lie: a 'quoted' text is one word; "#" starts a comment.
std::vector<std::pair<size_t, size_t>> words(const std::string& line) {
  static const std::regex word("#.*|'[^']*'?|[^ ]+");
  std::vector<std::pair<size_t, size_t>> w;
  for (std::sregex_iterator i(line.begin(), line.end(), word), end; i != end; ++i) {
    if (line[size_t(i->position())] == '#') break;
    w.emplace_back(i->position(), i->position() + i->length());
  }
  return w;
}

// A golden text read, and its lines with the words that stand for bytes of the file `name`
// given the bytes of `got` there instead.
struct Reading {
  std::map<std::string, std::string> files;
  std::map<std::string, std::vector<bool>> named;  // the bytes of each store given so far
  std::string text;
};

Reading read(const std::string& path, size_t slotSize, const SlotField& slotField,
             const std::string& name = "", const std::string& got = "") {
  Reading r;
  std::istringstream text(slurp(path));
  std::string file;
  for (std::string line; std::getline(text, line);) {
    const auto w = words(line);
    auto word = [&](size_t k) { return line.substr(w.at(k).first, w[k].second - w[k].first); };
    std::string rewritten;
    size_t copied = 0;
    // Puts got's bytes in the place of the words from begin to the end of word last, which
    // stand for width bytes at.
    auto put = [&](size_t last, size_t begin, size_t at, size_t width) {
      if (file != name || at + width > got.size()) return;
      const std::string bytes = got.substr(at, width);
      bool quoted = line[begin] == '\'';
      for (const char c : bytes) quoted = quoted && c >= ' ' && c <= '~' && c != '\'';
      if (line[begin] == 'z' && bytes == std::string(width, '\0')) return;
      rewritten +=
          line.substr(copied, begin - copied) + (quoted ? "'" + bytes + "'" : toHex(bytes));
      copied = w[last].second;
    };
    if (!w.empty() && (word(0) == "file" || word(0) == "store")) {
      file = word(1);
      if (word(0) == "store") r.files[file].assign(std::stoul(word(2)), '\0');
      if (word(0) == "store") r.named[file].assign(r.files[file].size(), false);
    } else if (!w.empty() && !r.named.contains(file)) {
      std::string& bytes = r.files[file];
      for (size_t k = 0; k < w.size(); ++k) {
        const std::string v = word(k);
        const size_t zeros = v == "zeros" ? std::stoul(word(k + 1)) : 0;
        const std::string b = v == "zeros"   ? std::string(zeros, '\0')
                              : v[0] == '\'' ? v.substr(1, v.size() - 2)
                                             : fromHex(v);
        put(k + (v == "zeros"), w[k].first, bytes.size(), b.size());
        bytes += b;
        k += v == "zeros";
      }
    } else if (!w.empty()) {
      // "<slot> <block> <field>=<hex> ...", or "0 version=<hex>"
      const bool version = word(1).find('=') != std::string::npos;
      for (size_t k = version ? 1 : 2; k < w.size(); ++k) {
        const std::string v = word(k);
        const size_t eq = v.find('=');
        const auto [off, width] =
            version ? std::pair<size_t, size_t>{0, 1} : slotField(word(1), v.substr(0, eq));
        const std::string value = fromHex(v.substr(eq + 1));
        EXPECT_EQ(value.size(), width) << line;
        const size_t at = slotSize * std::stoul(word(0)) + off;
        put(k, w[k].first + eq + 1, at, width);
        for (size_t j = 0; j < width && j < value.size(); ++j) {
          EXPECT_FALSE(r.named[file].at(at + j)) << "given twice: " << line;
          r.named[file].at(at + j) = true;
          r.files[file].at(at + j) = value[j];
        }
      }
    }
    r.text += rewritten + line.substr(copied) + "\n";
  }
  return r;
}

std::string difference(const std::string& got, const std::string& want, size_t slot) {
  if (got == want) return "";
  const size_t i =
      size_t(std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin());
  std::ostringstream o;
  o << "sizes " << got.size() << "/" << want.size() << ", first difference at byte " << i;
  if (slot > 0) o << " (slot " << i / slot << " + " << i % slot << ")";
  if (i < got.size() && i < want.size()) {
    o << ": got " << int(uint8_t(got[i])) << ", want " << int(uint8_t(want[i]));
  }
  return o.str();
}

}  // namespace

void GoldenDb::expect(const std::string& name, const std::string& got) const {
  const auto want = find(name);
  if (want != end() && want->second == got) return;
  // Only values in their places are rewritten: a file of another size, or with a new byte that
  // no name gives, is written into the text by hand.
  Reading r;
  bool inPlace = updatingGolden();
  if (inPlace) r = read(path, slotSize, slotField, name, got);
  inPlace = inPlace && r.files.contains(name) && r.files[name].size() == got.size();
  for (size_t i = 0; inPlace && i < r.named[name].size(); ++i) {
    inPlace = got[i] == '\0' || r.named[name][i];
  }
  if (inPlace) return rewriteGolden(path, r.text);
  ADD_FAILURE() << name << " differs from " << path << ": "
                << difference(got, want == end() ? "" : want->second,
                              stores.contains(name) ? slotSize : 0);
}

GoldenDb readGolden(const std::string& path, size_t slotSize, const SlotField& slotField) {
  Reading r = read(path, slotSize, slotField);
  GoldenDb golden{{std::move(r.files)}, path, slotSize, slotField, {}};
  for (const auto& [name, named] : r.named) golden.stores.insert(name);
  return golden;
}

}  // namespace orvane::testing
