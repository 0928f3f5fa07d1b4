#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane::programs::Scorex::career {

// The player index of a module's career totals: one entry per known player, found by its key
// (the name followed by "t" for a bot, "f" for a human) and enumerated in ascending career
// number, so that every run that builds the same index walks it in the same order. Entry is
// the module's HashEntry, with name, isABot and uid.
template <class Entry>
class PlayerIndex {
 public:
  static std::string key(std::string_view name, bool isABot) {
    std::string k(name);
    k.push_back(isABot ? 't' : 'f');
    return k;
  }

  // The entry under the key, or null.
  Entry* find(const std::string& key) {
    const auto it = byKey.find(key);
    return it == byKey.end() ? nullptr : &it->second;
  }
  const Entry* find(const std::string& key) const {
    const auto it = byKey.find(key);
    return it == byKey.end() ? nullptr : &it->second;
  }

  // Puts an entry under its key, replacing one of the same key.
  Entry& put(Entry entry) {
    std::string k = key(entry.name, entry.isABot);
    return byKey.insert_or_assign(std::move(k), std::move(entry)).first->second;
  }

  // The entries in ascending career number.
  std::vector<const Entry*> entries() const {
    std::vector<const Entry*> all;
    all.reserve(byKey.size());
    for (const auto& [k, e] : byKey) all.push_back(&e);
    // Career numbers are unique in a sound index; the name and bot flag settle a damaged one.
    std::sort(all.begin(), all.end(), [](const Entry* a, const Entry* b) {
      if (a->uid != b->uid) return a->uid < b->uid;
      if (a->name != b->name) return a->name < b->name;
      return a->isABot < b->isABot;
    });
    return all;
  }

  size_t size() const { return byKey.size(); }

  // One more than the largest career number, or 0 when empty.
  int32_t nextUID() const {
    int32_t next = 0;
    for (const auto& [k, e] : byKey) {
      if (e.uid >= next) next = e.uid == INT32_MAX ? INT32_MAX : e.uid + 1;
    }
    return next;
  }

 private:
  std::unordered_map<std::string, Entry> byKey;
};

}  // namespace orvane::programs::Scorex::career
