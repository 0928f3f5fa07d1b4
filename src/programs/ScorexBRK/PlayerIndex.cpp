#include "programs/ScorexBRK/PlayerIndex.h"

#include <algorithm>

namespace orvane::programs::ScorexBRK {

HashEntry* PlayerIndex::find(const std::string& key) {
  const auto it = byKey.find(key);
  return it == byKey.end() ? nullptr : &it->second;
}

const HashEntry* PlayerIndex::find(const std::string& key) const {
  const auto it = byKey.find(key);
  return it == byKey.end() ? nullptr : &it->second;
}

HashEntry& PlayerIndex::put(HashEntry entry) {
  std::string k = key(entry.name, entry.isABot);
  return byKey.insert_or_assign(std::move(k), std::move(entry)).first->second;
}

std::vector<const HashEntry*> PlayerIndex::entries() const {
  std::vector<const HashEntry*> all;
  all.reserve(byKey.size());
  for (const auto& [k, e] : byKey) all.push_back(&e);
  // Career numbers are unique in a sound index; the name and bot flag settle a damaged one.
  std::sort(all.begin(), all.end(), [](const HashEntry* a, const HashEntry* b) {
    if (a->uid != b->uid) return a->uid < b->uid;
    if (a->name != b->name) return a->name < b->name;
    return a->isABot < b->isABot;
  });
  return all;
}

int32_t PlayerIndex::nextUID() const {
  int32_t next = 0;
  for (const auto& [k, e] : byKey) {
    if (e.uid >= next) next = e.uid == INT32_MAX ? INT32_MAX : e.uid + 1;
  }
  return next;
}

}  // namespace orvane::programs::ScorexBRK
