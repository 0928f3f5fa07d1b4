#include "programs/ScorexRatings/ScorexRatings.h"

#include <array>
#include <cstdio>
#include <exception>
#include <optional>

#include "programs/Scorex/modern/Html.h"
#include "programs/Scorex/rating/RatingBook.h"
#include "programs/Scorex/settings/config.h"
#include "programs/Scorex/store/Journal.h"
#include "util/BigEndian.h"
#include "util/Debug.h"
#include "util/Files.h"

namespace orvane::programs::ScorexRatings {

namespace {

using Scorex::rating::RatingBook;
using Scorex::settings::config;

struct Module {
  const char* program;
  const char* file;
};
constexpr std::array<Module, 2> kModules = {
    {{"ScorexBRK", "brk_ratings.db"}, {"ScorexZLN", "zln_ratings.db"}}};

// The ratings file's bytes as the last run committed them: a committed journal not yet carried
// out holds them (the file itself is then older); none when there are no ratings yet.
std::optional<std::string> committedBytes(const std::string& db, const std::string& file) {
  const std::string journal = db + Scorex::store::Journal::kName;
  if (util::isReadableFile(journal)) {
    const auto j = Scorex::store::Journal::decode(util::readWholeFile(journal));
    if (j) {
      for (const auto& c : j->changes()) {
        if (c.whole && c.name == file) return c.bytes;
      }
    }
  }
  if (!util::isReadableFile(db + file)) return std::nullopt;
  return util::readWholeFile(db + file);
}

std::string exact(double v) {
  std::array<char, 64> b{};
  std::snprintf(b.data(), b.size(), "%.17g", v);
  return b.data();
}

std::string padLeft(const std::string& s, size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

// Names in UTF-8, as the modern site writes them: a control byte shows as "?", so a planted
// name cannot drive the admin's terminal.
using Scorex::modern::Html;

void printTable(const RatingBook& book, int32_t minMatches, std::ostream& out) {
  for (size_t c = 0; c < book.categoryNames().size(); ++c) {
    out << "\n" << Html::utf8(book.categoryNames()[c]) << "\n";
    const auto board = book.leaderboard(c, minMatches);
    if (board.empty()) {
      out << "  no rated matches yet\n";
      continue;
    }
    out << "  Rank   Rating       Mu   Sigma  Matches  Name\n";
    for (const RatingBook::Standing& s : board) {
      out << padLeft(std::to_string(s.rank), 6) << padLeft(Html::fixed(ordinal(s.rating), 2), 9)
          << padLeft(Html::fixed(s.rating.mu, 2), 9) << padLeft(Html::fixed(s.rating.sigma, 2), 8)
          << padLeft(std::to_string(s.matches), 9) << "  " << Html::utf8(s.player->name);
      if (s.player->isABot) out << "  (bot)";
      if (s.provisional) out << "  (provisional)";
      out << "\n";
    }
  }
}

void printJson(const RatingBook& book, int32_t minMatches, std::ostream& out) {
  out << "\"categories\":[";
  for (size_t c = 0; c < book.categoryNames().size(); ++c) {
    if (c > 0) out << ",";
    out << "{\"name\":" << Html::json(book.categoryNames()[c]) << ",\"players\":[";
    bool first = true;
    for (const RatingBook::Standing& s : book.leaderboard(c, minMatches)) {
      out << (first ? "" : ",") << "{\"rank\":" << s.rank << ",\"career\":" << s.uid
          << ",\"name\":" << Html::json(s.player->name)
          << ",\"bot\":" << (s.player->isABot ? "true" : "false")
          << ",\"rating\":" << exact(ordinal(s.rating)) << ",\"mu\":" << exact(s.rating.mu)
          << ",\"sigma\":" << exact(s.rating.sigma) << ",\"matches\":" << s.matches
          << ",\"provisional\":" << (s.provisional ? "true" : "false") << "}";
      first = false;
    }
    out << "]}";
  }
  out << "]";
}

int usage(std::ostream& err) {
  err << "Usage: scorex-ratings HOME [--json]\n";
  return 2;
}

}  // namespace

int scorexRatings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<std::string> home;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (!home && !a.empty() && a[0] != '-') {
      home = a;
    } else {
      return usage(err);
    }
  }
  if (!home) return usage(err);
  // The trace (a bad configuration, a damaged file) goes beside the output, not into it.
  util::Debug::setStream(&err);

  bool any = false;
  bool failed = false;
  if (json) out << "{\"modules\":[";
  for (const Module& m : kModules) {
    if (!util::isReadableFile(*home + "/" + m.program + ".cfg")) continue;
    config::reset();
    config::homeDir = *home;
    config::set(std::nullopt, m.program);
    RatingBook book({});
    try {
      if (const std::optional<std::string> bytes = committedBytes(config::qmDBDir(), m.file)) {
        util::BigEndianReader in(*bytes);
        book.read(in);
      }
    } catch (const std::exception& e) {
      // What was read before the damage is still shown.
      util::Debug::report("Error in scorex-ratings: ", e);
      failed = true;
    }
    const int32_t minMatches = config::ratingMinMatches();
    if (json) {
      out << (any ? "," : "") << "{\"program\":\"" << m.program
          << "\",\"minMatches\":" << minMatches << ",";
      printJson(book, minMatches, out);
      out << "}";
    } else {
      out << (any ? "\n" : "") << m.program << ": skill ratings in " << config::qmDBDir() << m.file
          << " (provisional below " << minMatches << " rated matches)\n";
      if (book.categoryNames().empty()) out << "  no rated matches yet\n";
      printTable(book, minMatches, out);
    }
    any = true;
  }
  if (json) out << "]}\n";
  if (!any) {
    err << "scorex-ratings: no ScorexBRK.cfg or ScorexZLN.cfg in " << *home << "\n";
    return 1;
  }
  return failed ? 1 : 0;
}

}  // namespace orvane::programs::ScorexRatings
