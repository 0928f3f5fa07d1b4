#pragma once

#include <cstdint>
#include <string>

#include "games/Game.h"

namespace orvane::programs::Scorex::rating {
class RatingBook;
}
namespace orvane::programs::Scorex::store {
class MatchArchive;
}

namespace orvane::programs::Scorex::career {

// The career numbers of the three summary players: everybody, the humans, the bots. Career
// players are numbered from 0 upwards.
inline constexpr int32_t kAllPlayers = -3;
inline constexpr int32_t kAllHumans = -2;
inline constexpr int32_t kAllBots = -1;

// The career totals of one game module: every match merged so far, its players and records,
// loaded from the database directory at the start of a run and saved at its end. Owned by the
// run driver for the whole run.
class Totals {
 public:
  Totals() = default;
  Totals(const Totals&) = delete;
  Totals& operator=(const Totals&) = delete;
  virtual ~Totals() = default;

  virtual void update(const games::Game& g) = 0;
  virtual void sortPlayers() = 0;
  virtual void readDBs() = 0;
  // Throws when the database cannot be saved.
  virtual void writeDBs() = 0;
  virtual bool isNewGame(const games::Game& g) = 0;
  virtual bool isPrintableGame(const games::Game& g, int32_t count) = 0;
  virtual bool isHighGame(const games::Game& g) = 0;
  virtual bool isRecentGame(const games::Game& g) = 0;
  virtual bool isModified() const = 0;
  // The time stamps of the kept matches, newest first.
  virtual int32_t gListSize() const = 0;
  virtual int64_t gListElement(int32_t index) const = 0;
  // The match archive (its path, and the records this run has not saved yet) and the skill
  // ratings, for the pages written from them; none for totals that keep neither.
  virtual const store::MatchArchive* matchArchive() const { return nullptr; }
  virtual std::string matchArchivePath() const { return {}; }
  virtual const rating::RatingBook* ratingBook() const { return nullptr; }
};

}  // namespace orvane::programs::Scorex::career
