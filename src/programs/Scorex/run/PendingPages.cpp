#include "programs/Scorex/run/PendingPages.h"

#include <algorithm>
#include <utility>

namespace orvane::programs::Scorex::run {

PendingPages::PendingPages(size_t theCapacity, Write write, Kept isKept)
    : capacity(std::max<size_t>(theCapacity, 1)),
      writer(std::move(write)),
      kept(std::move(isKept)) {}

void PendingPages::add(std::unique_ptr<games::Game> g, bool isRecent, bool isHigh, bool normal) {
  if (!g) return;
  // A later merge takes over "Last_Game" and "Highest_Score": the earlier holder owes them no
  // more.
  if (isRecent) recent = g.get();
  if (isHigh) high = g.get();
  // The new match may have pushed earlier ones out of the kept range.
  for (Entry& e : entries) e.normal = e.normal && kept(*e.game);
  entries.push_back({std::move(g), normal});
  dropIdle();
  while (entries.size() > capacity) {
    const auto newest = std::max_element(
        entries.begin(), entries.end(),
        [](const Entry& a, const Entry& b) { return a.game->theTime() < b.game->theTime(); });
    write(static_cast<size_t>(newest - entries.begin()));
  }
}

void PendingPages::flush() {
  while (!entries.empty()) write(0);
}

void PendingPages::write(size_t i) {
  std::unique_ptr<games::Game> g = std::move(entries[i].game);
  const bool normal = entries[i].normal;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
  const bool isRecent = recent == g.get();
  const bool isHigh = high == g.get();
  if (isRecent) recent = nullptr;
  if (isHigh) high = nullptr;
  writer(*g, isRecent, isHigh, normal);
}

void PendingPages::dropIdle() {
  std::erase_if(entries, [this](const Entry& e) {
    return !e.normal && e.game.get() != recent && e.game.get() != high;
  });
}

}  // namespace orvane::programs::Scorex::run
