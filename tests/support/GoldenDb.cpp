#include "GoldenDb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <vector>

#include "Golden.h"
#include "TempDir.h"

namespace orvane::testing {

namespace {

// A word of the text that stands for bytes of a file: its place in the text and the bytes.
struct Span {
  size_t line, begin, end;
  size_t at, width;
  char kind;  // 'h' hex, 'q' quoted, 'z' "zeros N", 'v' a field's value
};

struct Section {
  size_t header = 0;  // the line of "file" or "store"
  size_t last = 0;    // its last line that gives bytes
  std::vector<Span> spans;
  std::vector<bool> named;  // a store's bytes given so far
};

struct Text {
  std::vector<std::string> lines;
  std::map<std::string, std::string> files;
  std::map<std::string, Section> sections;
};

std::string fromHex(const std::string& hex) {
  EXPECT_EQ(hex.size() % 2, 0u) << hex;
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::string toHex(const std::string& bytes) {
  static const char* const digits = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) hex += {digits[uint8_t(c) >> 4], digits[uint8_t(c) & 15]};
  return hex;
}

// Where the words of a line lie: a 'quoted' text is one word; "#" starts a comment.
std::vector<std::pair<size_t, size_t>> words(const std::string& line) {
  std::vector<std::pair<size_t, size_t>> w;
  for (size_t i = 0; i < line.size() && line[i] != '#';) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = line[i] == '\'' ? line.find('\'', i + 1) : line.find(' ', i);
    end = end == std::string::npos ? line.size() : end + (line[i] == '\'' ? 1 : 0);
    w.emplace_back(i, end);
    i = end;
  }
  return w;
}

Text parse(const std::string& path, size_t slotSize, const SlotField& slotField) {
  Text t;
  std::istringstream text(slurp(path));
  std::string file;
  for (std::string line; std::getline(text, line);) {
    const size_t n = t.lines.size();
    t.lines.push_back(line);
    const auto w = words(line);
    auto word = [&](size_t k) { return line.substr(w.at(k).first, w[k].second - w[k].first); };
    if (w.empty()) continue;
    if (word(0) == "file" || word(0) == "store") {
      file = word(1);
      if (word(0) == "store") t.files[file].assign(std::stoul(word(2)), '\0');
      t.sections[file] = {n, n, {}, std::vector<bool>(t.files[file].size(), false)};
      continue;
    }
    std::string& bytes = t.files[file];
    Section& s = t.sections[file];
    s.last = n;
    if (s.named.empty()) {
      for (size_t k = 0; k < w.size(); ++k) {
        const std::string v = word(k);
        if (v == "zeros") {
          const size_t zeros = std::stoul(word(++k));
          s.spans.push_back({n, w[k - 1].first, w[k].second, bytes.size(), zeros, 'z'});
          bytes.append(zeros, '\0');
          continue;
        }
        const std::string b = v[0] == '\'' ? v.substr(1, v.size() - 2) : fromHex(v);
        s.spans.push_back(
            {n, w[k].first, w[k].second, bytes.size(), b.size(), v[0] == '\'' ? 'q' : 'h'});
        bytes += b;
      }
      continue;
    }
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
      s.spans.push_back({n, w[k].first + eq + 1, w[k].second, at, width, 'v'});
      for (size_t j = 0; j < width && j < value.size(); ++j) {
        EXPECT_FALSE(s.named.at(at + j)) << "given twice: " << line;
        s.named.at(at + j) = true;
        bytes.at(at + j) = value[j];
      }
    }
  }
  return t;
}

// Bytes as lines of 16 in words of 4, a run of zero lines as "zeros N".
std::vector<std::string> plain(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t zeros = 0;
  for (size_t i = 0;; i += 16) {
    const std::string row = i < bytes.size() ? bytes.substr(i, 16) : "";
    if (!row.empty() && row == std::string(row.size(), '\0')) {
      zeros += row.size();
      continue;
    }
    if (zeros > 0) lines.push_back("zeros " + std::to_string(zeros));
    zeros = 0;
    if (row.empty()) break;
    lines.emplace_back();
    for (size_t k = 0; k < row.size(); k += 4)
      lines.back() += (k ? " " : "") + toHex(row.substr(k, 4));
  }
  return lines;
}

// The text with the file's bytes replaced by got.
std::string rewritten(Text t, const std::string& name, const std::string& got) {
  const auto s = t.sections.find(name);
  bool inPlace = s != t.sections.end() && t.files[name].size() == got.size();
  for (size_t i = 0; inPlace && i < s->second.named.size(); ++i) {
    inPlace = got[i] == '\0' || s->second.named[i];
  }
  if (inPlace) {
    for (auto sp = s->second.spans.rbegin(); sp != s->second.spans.rend(); ++sp) {
      const std::string bytes = got.substr(sp->at, sp->width);
      if (sp->kind == 'z' && bytes == std::string(sp->width, '\0')) continue;
      bool printable = sp->kind == 'q';
      for (const char c : bytes) printable = printable && c >= ' ' && c <= '~' && c != '\'';
      t.lines[sp->line].replace(sp->begin, sp->end - sp->begin,
                                printable ? "'" + bytes + "'" : toHex(bytes));
    }
  } else {
    size_t at = t.lines.size();
    if (s != t.sections.end()) {
      at = s->second.header;
      t.lines.erase(t.lines.begin() + long(at), t.lines.begin() + long(s->second.last) + 1);
    }
    std::vector<std::string> part = plain(got);
    part.insert(part.begin(), "file " + name);
    t.lines.insert(t.lines.begin() + long(at), part.begin(), part.end());
  }
  std::string text;
  for (const std::string& line : t.lines) text += line + "\n";
  return text;
}

}  // namespace

void GoldenDb::expect(const std::string& name, const std::string& got) const {
  const auto want = find(name);
  if (want != end() && want->second == got) return;
  if (updatingGolden())
    return rewriteGolden(path, rewritten(parse(path, slotSize, slotField), name, got));
  ADD_FAILURE() << name << " differs from " << path << ": "
                << difference(got, want == end() ? "" : want->second,
                              stores.count(name) != 0 ? slotSize : 0);
}

GoldenDb readGolden(const std::string& path, size_t slotSize, const SlotField& slotField) {
  Text t = parse(path, slotSize, slotField);
  GoldenDb golden;
  static_cast<std::map<std::string, std::string>&>(golden) = std::move(t.files);
  golden.path = path;
  golden.slotSize = slotSize;
  golden.slotField = slotField;
  for (const auto& [name, s] : t.sections) {
    if (!s.named.empty()) golden.stores.insert(name);
  }
  return golden;
}

std::string difference(const std::string& got, const std::string& want, size_t slot) {
  if (got == want) return "";
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  std::ostringstream o;
  o << "sizes " << got.size() << "/" << want.size() << ", first difference at byte " << i;
  if (slot > 0) o << " (slot " << i / slot << " + " << i % slot << ")";
  if (i < got.size() && i < want.size()) {
    o << ": got " << int(uint8_t(got[i])) << ", want " << int(uint8_t(want[i]));
  }
  return o.str();
}

}  // namespace orvane::testing
