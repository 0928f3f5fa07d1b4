#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "games/Game.h"

namespace orvane::programs::Scorex::run {

// The match pages a run owes, written once the run knows which of them last. A run over a
// year of logs merges thousands of matches, but only the newest few keep their own pages, and
// only the last newest and the last highest-scoring are "Last_Game" and "Highest_Score":
// writing each match's pages as it is merged would create (and delete again) tens of
// thousands of files. Matches wait here instead, and leave as soon as they owe nothing; at
// most `capacity` wait at once (the newest by time are then written early, being the likeliest
// to keep their pages), so memory stays bounded however many recent matches are kept.
class PendingPages {
 public:
  // Writes a match's pages: its own (normal), "Last_Game" (recent), "Highest_Score" (high).
  using Write = std::function<void(const games::Game& g, bool recent, bool high, bool normal)>;
  // Whether a match still belongs to the kept recent range.
  using Kept = std::function<bool(const games::Game& g)>;

  PendingPages(size_t capacity, Write write, Kept kept);

  // A merged match and what it was at its merge: the newest so far (recent), the highest
  // scoring (high), one of the kept range (normal). Matches that left the range meanwhile
  // give up their own pages.
  void add(std::unique_ptr<games::Game> g, bool recent, bool high, bool normal);
  // Writes every page still owed, in merge order.
  void flush();
  size_t waiting() const { return entries.size(); }

 private:
  struct Entry {
    std::unique_ptr<games::Game> game;
    bool normal;
  };
  void write(size_t i);
  void dropIdle();

  size_t capacity;
  Write writer;
  Kept kept;
  std::vector<Entry> entries;           // in merge order
  const games::Game* recent = nullptr;  // the last match merged as the newest
  const games::Game* high = nullptr;    // the last match merged as the highest scoring
};

}  // namespace orvane::programs::Scorex::run
