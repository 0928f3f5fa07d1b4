#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "programs/ScorexBRK/HashEntry.h"

namespace orvane::programs::ScorexBRK {

// The player index of the career totals: one HashEntry per known player, found by its key
// (the name followed by "t" for a bot, "f" for a human) and enumerated in ascending career
// number, so that every run that builds the same index walks it in the same order.
class PlayerIndex {
 public:
  static std::string key(std::string_view name, bool isABot) {
    std::string k(name);
    k.push_back(isABot ? 't' : 'f');
    return k;
  }

  // The entry under the key, or null.
  HashEntry* find(const std::string& key);
  const HashEntry* find(const std::string& key) const;
  // Puts an entry under its key, replacing one of the same key.
  HashEntry& put(HashEntry entry);
  // The entries in ascending career number.
  std::vector<const HashEntry*> entries() const;
  size_t size() const { return byKey.size(); }
  // One more than the largest career number, or 0 when empty.
  int32_t nextUID() const;

 private:
  std::unordered_map<std::string, HashEntry> byKey;
};

}  // namespace orvane::programs::ScorexBRK
