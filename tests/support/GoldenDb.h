#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace orvane::testing {

// Where a named field of a player-store slot lies: its offset in the slot and its width, from
// the block's name ("all", "games[1]", ...) and the field's ("kills", "myKills[3]", ...).
// Reports a test failure and gives width 0 for a name it does not know.
using SlotField =
    std::function<std::pair<size_t, size_t>(const std::string& block, const std::string& field)>;

// The expected database files of a golden text (see readGolden), by file name.
class GoldenDb : public std::map<std::string, std::string> {
 public:
  // Checks a file against the text, naming the first difference. While golden files are
  // rewritten, each value of the text is rewritten in its place, the comments kept, when the
  // file keeps its size and every non-zero byte is named; any other change is made by hand.
  void expect(const std::string& name, const std::string& got) const;

  std::string path;
  size_t slotSize = 0;
  SlotField slotField;
  std::set<std::string> stores;  // the files given as a store
};

// Reads a golden text. After "#" comments it holds:
//   "file NAME", then lines of hex bytes, 'quoted' characters and "zeros N" (N zero bytes);
//   "store NAME SIZE", then "0 version=<hex>" (byte 0) and lines
//     "<slot> <block> <field>=<hex> ..." naming the non-zero fields of a slot of slotSize
//     bytes; every byte not named is zero.
// A value whose width differs from its field's, or a byte named twice, is a test failure.
GoldenDb readGolden(const std::string& path, size_t slotSize, const SlotField& slotField);

}  // namespace orvane::testing
