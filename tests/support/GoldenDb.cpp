#include "GoldenDb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <vector>

#include "TempDir.h"

namespace orvane::testing {

namespace {

using Names = std::vector<std::string>;

std::string fromHex(const std::string& hex) {
  EXPECT_EQ(hex.size() % 2, 0u) << hex;
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// The words of a line of the golden text: a 'quoted' text is one word; "#" starts a comment.
Names words(const std::string& line) {
  Names w;
  for (size_t i = 0; i < line.size() && line[i] != '#';) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = line[i] == '\'' ? line.find('\'', i + 1) : line.find(' ', i);
    end = end == std::string::npos ? line.size() : end + (line[i] == '\'' ? 1 : 0);
    w.push_back(line.substr(i, end - i));
    i = end;
  }
  return w;
}

}  // namespace

std::map<std::string, std::string> readGolden(const std::string& path, size_t slotSize,
                                              const SlotField& slotField) {
  std::map<std::string, std::string> files;
  std::istringstream text(slurp(path));
  std::string line;
  std::string file;
  std::vector<bool> named;  // the store's bytes given so far
  while (std::getline(text, line)) {
    const Names w = words(line);
    if (w.empty()) continue;
    if (w[0] == "file" || w[0] == "store") {
      file = w.at(1);
      if (w[0] == "store") files[file].assign(std::stoul(w.at(2)), '\0');
      named.assign(files[file].size(), false);
      continue;
    }
    std::string& bytes = files[file];
    if (named.empty()) {
      for (size_t k = 0; k < w.size(); ++k) {
        if (w[k] == "zeros") {
          bytes.append(std::stoul(w.at(++k)), '\0');
        } else {
          bytes += w[k][0] == '\'' ? w[k].substr(1, w[k].size() - 2) : fromHex(w[k]);
        }
      }
      continue;
    }
    // "<slot> <block> <field>=<hex> ...", or "0 version=<hex>"
    const bool version = w.at(1).find('=') != std::string::npos;
    for (size_t k = version ? 1 : 2; k < w.size(); ++k) {
      const size_t eq = w[k].find('=');
      const auto [off, width] =
          version ? std::pair<size_t, size_t>{0, 1} : slotField(w[1], w[k].substr(0, eq));
      const std::string value = fromHex(w[k].substr(eq + 1));
      EXPECT_EQ(value.size(), width) << line;
      const size_t at = slotSize * std::stoul(w[0]) + off;
      for (size_t j = 0; j < width && j < value.size(); ++j) {
        EXPECT_FALSE(named.at(at + j)) << "given twice: " << line;
        named.at(at + j) = true;
        bytes.at(at + j) = value[j];
      }
    }
  }
  return files;
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
