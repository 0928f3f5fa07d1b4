#include "programs/Scorex/store/MatchArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "util/Checksum.h"
#include "util/Failure.h"
#include "util/FileDescriptor.h"

namespace orvane::programs::Scorex::store {

namespace {

constexpr size_t kHeader = MatchArchive::kMagic.size() + 4;
constexpr size_t kChunk = 1 << 20;

util::Failure ioFailure(const std::string& path) {
  return util::Failure(util::Failure::kIO, path + " (" + std::strerror(errno) + ")");
}

// Reads an archive front to back through a window of a megabyte or so, handing each sound
// record's bytes to each; returns where the sound part ends, or none when the whole file is.
// fileSize gets the file's size (0 for a missing file).
std::optional<int64_t> scan(const std::string& path,
                            const std::function<void(std::string_view)>& each, int64_t& fileSize) {
  fileSize = 0;
  const util::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.valid()) {
    if (errno == ENOENT) return std::nullopt;
    throw ioFailure(path);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw ioFailure(path);
  if (!S_ISREG(st.st_mode)) throw util::Failure(util::Failure::kIO, path + " is no file");
  fileSize = static_cast<int64_t>(st.st_size);
  const auto size = static_cast<uint64_t>(st.st_size);
  if (size == 0) return std::nullopt;

  std::string window;
  uint64_t windowAt = 0;
  // The n bytes at offset at, or none when the file ends before them.
  const auto bytes = [&](uint64_t at, uint64_t n) -> std::optional<std::string_view> {
    if (at > size || n > size - at) return std::nullopt;
    if (at < windowAt || at + n > windowAt + window.size()) {
      window.resize(static_cast<size_t>(std::min(std::max<uint64_t>(n, kChunk), size - at)));
      size_t done = 0;
      while (done < window.size()) {
        const ssize_t r = ::pread(fd.get(), window.data() + done, window.size() - done,
                                  static_cast<off_t>(at + done));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) throw ioFailure(path);
        if (r == 0) {
          window.resize(done);
          break;
        }
        done += static_cast<size_t>(r);
      }
      windowAt = at;
      if (window.size() < n) return std::nullopt;
    }
    return std::string_view(window).substr(static_cast<size_t>(at - windowAt),
                                           static_cast<size_t>(n));
  };

  const std::optional<std::string_view> head = bytes(0, kHeader);
  if (!head || head->substr(0, MatchArchive::kMagic.size()) != MatchArchive::kMagic) return 0;
  util::BigEndianReader version(head->substr(MatchArchive::kMagic.size()));
  if (version.readInt() != MatchArchive::kVersion) return 0;
  uint64_t at = kHeader;
  while (at < size) {
    const std::optional<std::string_view> length = bytes(at, 4);
    if (!length) return static_cast<int64_t>(at);
    util::BigEndianReader lr(*length);
    const int32_t n = lr.readInt();
    if (n < 8 || n > MatchArchive::kMaxRecord) return static_cast<int64_t>(at);
    const std::optional<std::string_view> record = bytes(at + 4, static_cast<uint64_t>(n) + 8);
    if (!record) return static_cast<int64_t>(at);
    const std::string_view body = record->substr(0, static_cast<size_t>(n));
    util::BigEndianReader sum(record->substr(static_cast<size_t>(n)));
    if (static_cast<uint64_t>(sum.readLong()) != util::fnv1a64(body)) {
      return static_cast<int64_t>(at);
    }
    each(body);
    at += 4 + static_cast<uint64_t>(n) + 8;
  }
  return std::nullopt;
}

void writePairs(util::BigEndianWriter& out, const std::vector<std::pair<int32_t, int32_t>>& list) {
  out.writeInt(static_cast<int32_t>(list.size()));
  for (const auto& [at, count] : list) {
    out.writeInt(at);
    out.writeInt(count);
  }
}

std::vector<std::pair<int32_t, int32_t>> readPairs(util::BigEndianReader& in) {
  const int32_t n = in.readInt();
  if (n < 0 || static_cast<size_t>(n) > in.remaining() / 8) {
    throw util::Failure(util::Failure::kIO, "bad pair count " + std::to_string(n));
  }
  std::vector<std::pair<int32_t, int32_t>> list;
  list.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    const int32_t at = in.readInt();
    list.emplace_back(at, in.readInt());
  }
  return list;
}

}  // namespace

void ArchivedMatch::writeDB(util::BigEndianWriter& out) const {
  out.writeLong(time);
  out.writeText(server);
  out.writeText(map);
  out.writeText(gameType);
  out.writeInt(gameTypeNumber);
  out.writeDouble(length);
  out.writeInt(winningTeam);
  out.writeText(winner);
  out.writeInt(static_cast<int32_t>(teams.size()));
  for (const std::string& t : teams) out.writeText(t);
  out.writeInt(static_cast<int32_t>(weapons.size()));
  for (const std::string& w : weapons) out.writeText(w);
  out.writeByte(static_cast<uint8_t>(categories.size()));
  for (const uint8_t c : categories) out.writeByte(c);
  out.writeInt(static_cast<int32_t>(players.size()));
  for (const ArchivedPlayer& p : players) {
    out.writeInt(p.uid);
    out.writeText(p.name);
    out.writeBool(p.isABot);
    out.writeInt(p.team);
    out.writeInt(p.rank);
    out.writeInt(p.frags);
    out.writeInt(p.kills);
    out.writeInt(p.deaths);
    out.writeInt(p.suicides);
    out.writeInt(p.teamKills);
    out.writeDouble(p.time);
    writePairs(out, p.victims);
    writePairs(out, p.weaponKills);
    out.writeBool(p.rated);
    if (!p.rated) continue;
    for (size_t c = 0; c < categories.size(); ++c) {
      const rating::RatingChange r = c < p.ratings.size() ? p.ratings[c] : rating::RatingChange{};
      out.writeDouble(r.before.mu);
      out.writeDouble(r.before.sigma);
      out.writeDouble(r.after.mu);
      out.writeDouble(r.after.sigma);
    }
  }
}

ArchivedMatch ArchivedMatch::read(util::BigEndianReader& in) {
  ArchivedMatch m;
  const size_t most = in.remaining();
  m.time = in.readLong();
  m.server = in.readText(most);
  m.map = in.readText(most);
  m.gameType = in.readText(most);
  m.gameTypeNumber = in.readInt();
  m.length = in.readDouble();
  m.winningTeam = in.readInt();
  m.winner = in.readText(most);
  const int32_t teams = in.readInt();
  // Each count is checked against the bytes left, so damage cannot make a huge list.
  if (teams < 0 || static_cast<size_t>(teams) > in.remaining() / 4) {
    throw util::Failure(util::Failure::kIO, "bad team count " + std::to_string(teams));
  }
  for (int32_t i = 0; i < teams; ++i) m.teams.push_back(in.readText(most));
  const int32_t weapons = in.readInt();
  if (weapons < 0 || static_cast<size_t>(weapons) > in.remaining() / 4) {
    throw util::Failure(util::Failure::kIO, "bad weapon count " + std::to_string(weapons));
  }
  for (int32_t i = 0; i < weapons; ++i) m.weapons.push_back(in.readText(most));
  const uint8_t categories = in.readByte();
  for (uint8_t i = 0; i < categories; ++i) m.categories.push_back(in.readByte());
  const int32_t players = in.readInt();
  if (players < 0 || static_cast<size_t>(players) > in.remaining() / 4) {
    throw util::Failure(util::Failure::kIO, "bad player count " + std::to_string(players));
  }
  for (int32_t i = 0; i < players; ++i) {
    ArchivedPlayer p;
    p.uid = in.readInt();
    p.name = in.readText(most);
    p.isABot = in.readBool();
    p.team = in.readInt();
    p.rank = in.readInt();
    p.frags = in.readInt();
    p.kills = in.readInt();
    p.deaths = in.readInt();
    p.suicides = in.readInt();
    p.teamKills = in.readInt();
    p.time = in.readDouble();
    p.victims = readPairs(in);
    p.weaponKills = readPairs(in);
    p.rated = in.readBool();
    if (p.rated) {
      for (uint8_t c = 0; c < categories; ++c) {
        rating::RatingChange r;
        r.before.mu = in.readDouble();
        r.before.sigma = in.readDouble();
        r.after.mu = in.readDouble();
        r.after.sigma = in.readDouble();
        p.ratings.push_back(r);
      }
    }
    m.players.push_back(std::move(p));
  }
  return m;
}

void MatchArchive::open(const std::string& path) {
  stamps.clear();
  pending.clear();
  sound = 0;
  damage = false;
  int64_t size = 0;
  const std::optional<int64_t> end = scan(
      path,
      [this](std::string_view body) {
        util::BigEndianReader in(body);
        stamps.insert(in.readLong());
      },
      size);
  sound = end.value_or(size);
  if (end) {
    damage = true;
    throw util::Failure(util::Failure::kIO, path + ": damaged at byte " + std::to_string(*end) +
                                                "; the matches before it are kept");
  }
}

void MatchArchive::add(const ArchivedMatch& m) {
  util::BigEndianWriter body;
  m.writeDB(body);
  util::BigEndianWriter out;
  out.writeInt(static_cast<int32_t>(body.size()));
  out.writeBytes(body.bytes());
  out.writeLong(static_cast<int64_t>(util::fnv1a64(body.bytes())));
  if (pending.empty() || pending.back().size() + out.size() > kSlice) {
    pending.emplace_back().reserve(std::max(kSlice, out.size()));
  }
  pending.back() += out.bytes();
  stamps.insert(m.time);
}

std::string MatchArchive::header() const {
  if (sound >= static_cast<int64_t>(kHeader)) return {};
  util::BigEndianWriter head;
  head.writeBytes(kMagic);
  head.writeInt(kVersion);
  return head.take();
}

std::vector<std::string> MatchArchive::takeNew() {
  handedOver = static_cast<int64_t>(header().size());
  for (const std::string& slice : pending) handedOver += static_cast<int64_t>(slice.size());
  return std::exchange(pending, {});
}

void MatchArchive::saved() {
  sound += handedOver;
  handedOver = 0;
  damage = false;
}

bool MatchArchive::forEach(const std::string& path,
                           const std::function<void(ArchivedMatch&&)>& each) {
  bool whole = true;
  int64_t size = 0;
  const std::optional<int64_t> end = scan(
      path,
      [&](std::string_view body) {
        if (!whole) return;
        try {
          util::BigEndianReader in(body);
          each(ArchivedMatch::read(in));
        } catch (const util::Failure&) {
          whole = false;
        }
      },
      size);
  return whole && !end;
}

void MatchArchive::forEachNew(const std::function<void(ArchivedMatch&&)>& each) const {
  for (const std::string& slice : pending) {
    util::BigEndianReader in(slice);
    while (in.remaining() > 0) {
      const int32_t n = in.readInt();
      const std::string_view body = in.readBytes(static_cast<size_t>(n));
      in.readLong();
      util::BigEndianReader record(body);
      each(ArchivedMatch::read(record));
    }
  }
}

}  // namespace orvane::programs::Scorex::store
