#include "tools/BrkLogGenerator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <numeric>
#include <set>
#include <string_view>
#include <utility>

#include "games/brk/Specs.h"
#include "tools/SplitMix64.h"
#include "util/CivilDate.h"

namespace orvane::tools {

using games::brk::Specs;

namespace {

const char* const kHumans[] = {"Raven", "J\xF6rg", "Mira", "Tomasz", "Kestrel", "Ada", "Bors"};
const char* const kBots[] = {"Grunt", "Wraith", "Cyclops", "Sarge", "Visor"};
const char* const kMaps[] = {"q2dm1", "q2dm2", "q2dm3", "q2dm8", "base64"};
const char* const kOffsets[] = {"+1", "+1", "-5", "+0", "+5.5"};
const char* const kChat[] = {"gg", "nice shot", "lag!", "brb", "one more?"};
const char* const kSelfKills[] = {"Rocket Launcher", "Grenades", "Grenade Launcher", "BFG10K"};

// The pieces of pool names. Names starting like a bot or the lurker are left out of the pool.
const char* const kOnsets[] = {"B",  "D",  "G",  "K",  "M",  "N",  "R",  "S",  "T",
                               "V",  "Z",  "L",  "F",  "H",  "J",  "W",  "Br", "Dr",
                               "Gr", "Kr", "Th", "Sk", "St", "Vr", "Sh", "Ch"};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "a", "e", "o", "y", "ae", "ai", "ou", "ei"};
const char* const kAccented[] = {"\xF6", "\xE9", "\xE4", "\xFC", "\xE5", "\xF8"};
const char* const kCodas[] = {"",  "",   "",   "n", "r", "k",  "x",
                              "s", "th", "rn", "l", "m", "sh", "nd"};
const char* const kTaken[] = {"Bot", "Grunt", "Wraith", "Cyclops", "Sarge", "Visor", "Lurker"};

// 2026-03-14 20:15:09.123 as local milliseconds since 1970.
constexpr int64_t kDayMs = 86400000;
constexpr int64_t kFirstStart = 20526 * kDayMs + ((20 * 60 + 15) * 60 + 9) * 1000 + 123;

enum Kind {
  kKill,
  kRespawn,
  kSuicide,
  kFratricide,
  kPickup,
  kPowerOn,
  kPowerOff,
  kDrop,
  kAccuracy,
  kRename,
  kLeave,
  kReturn,
  kSpectate,
  kChatLine,
  kVote,
  kZbot,
  kTeamChange,
  kTeamLeave,
  kTeamRename,
  kKinds
};
constexpr std::array<int, kKinds> kWeights = {30, 12, 5, 3, 15, 4, 3, 2, 2, 2,
                                              2,  3,  2, 3, 1,  1, 2, 1, 1};
// With pools a match looks like a real server's: a rename starts a new career under the new
// name, so about one match in fifteen has one; zbot detections and team renames are rare too.
constexpr std::array<int, kKinds> kPooledWeights = {
    3000, 1200, 500, 300, 1500, 400, 300, 200, 200, 1, 200, 300, 200, 300, 50, 20, 150, 50, 30};

std::string num(int64_t v) { return std::to_string(v); }

std::string pad(int64_t v, size_t width) {
  std::string s = num(v);
  return std::string(width > s.size() ? width - s.size() : 0, '0') + s;
}

// "yyyy.MM.dd.HH.mm.ss.SSS" of local milliseconds since 1970 (proleptic Gregorian calendar).
std::string dateText(int64_t ms) {
  const util::CivilDate c = util::civilFromDays(ms / kDayMs);
  const int64_t dayMs = ms % kDayMs;
  return pad(c.year, 4) + "." + pad(c.month, 2) + "." + pad(c.day, 2) + "." +
         pad(dayMs / 3600000, 2) + "." + pad(dayMs / 60000 % 60, 2) + "." +
         pad(dayMs / 1000 % 60, 2) + "." + pad(dayMs % 1000, 3);
}

// One syllable: an onset (always on the first), a vowel, now and then an accented one, and
// mostly on the last syllable a coda (always when it is the only one).
std::string syllable(SplitMix64& rng, bool first, bool last, bool only) {
  std::string s;
  if (first || rng.below(100) < 70) {
    s = kOnsets[rng.below(std::ssize(kOnsets))];
    if (!first) {
      for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  s += rng.below(100) < 4 ? kAccented[rng.below(std::ssize(kAccented))]
                          : kVowels[rng.below(std::ssize(kVowels))];
  if (only) return s + kCodas[3 + rng.below(std::ssize(kCodas) - 3)];
  if (last || rng.below(100) < 25) s += kCodas[rng.below(std::ssize(kCodas))];
  return s;
}

// The next candidate of the pool sequence: one to three syllables, a fifth with digits.
std::string poolCandidate(SplitMix64& rng) {
  const int r = rng.below(100);
  const int syllables = r < 20 ? 1 : r < 85 ? 2 : 3;
  std::string name;
  for (int i = 0; i < syllables; ++i) {
    name += syllable(rng, i == 0, i == syllables - 1, syllables == 1);
  }
  if (rng.below(100) < 20) name += num(rng.below(100));
  return name;
}

}  // namespace

std::vector<std::string> humanPoolNames(int count) {
  SplitMix64 rng(0x5C0BE7);  // one sequence for every log
  std::vector<std::string> names;
  std::set<std::string> seen;
  while (std::ssize(names) < count) {
    std::string name = poolCandidate(rng);
    const bool taken = std::any_of(std::begin(kTaken), std::end(kTaken),
                                   [&](const char* t) { return name.starts_with(t); });
    if (taken || name.size() > 10 || !seen.insert(name).second) continue;
    names.push_back(std::move(name));
  }
  return names;
}

std::string botName(int i) { return std::string("Bot_") + kBots[i % std::ssize(kBots)] + num(i); }

std::vector<int> drawDistinct(SplitMix64& rng, int pool, int count) {
  std::vector<int> all(static_cast<size_t>(std::max(0, pool)));
  std::iota(all.begin(), all.end(), 0);
  const size_t n = std::min(all.size(), static_cast<size_t>(std::max(0, count)));
  for (size_t i = 0; i < n; ++i) {
    std::swap(all[i], all[i + static_cast<size_t>(rng.below(static_cast<int>(all.size() - i)))]);
  }
  all.resize(n);
  return all;
}

Seats drawSeats(SplitMix64& rng, int players, int bots, int maxPlayers) {
  Seats seats{std::max(0, players), std::max(0, bots)};
  if (maxPlayers <= 0) return seats;
  const int least = seats.humans + seats.bots;
  const int total = least + rng.below(std::max(0, maxPlayers - least) + 1);
  seats.bots = seats.bots > 0 ? (total + 5) / 10 : 0;
  seats.humans = total - seats.bots;
  return seats;
}

Seating drawSeating(SplitMix64& rng, int players, int bots, int maxPlayers, int humanPool,
                    int botPool) {
  const Seats seats = drawSeats(rng, players, bots, maxPlayers);
  Seating seating{std::vector<int>(static_cast<size_t>(seats.humans)),
                  std::vector<int>(static_cast<size_t>(seats.bots))};
  std::iota(seating.humans.begin(), seating.humans.end(), 0);
  if (humanPool > 0) seating.humans = drawDistinct(rng, humanPool, seats.humans);
  std::iota(seating.bots.begin(), seating.bots.end(), 0);
  if (botPool > 0) seating.bots = drawDistinct(rng, botPool, seats.bots);
  return seating;
}

std::string humanName(int i, const std::vector<std::string>& pool) {
  if (!pool.empty()) return pool.at(static_cast<size_t>(i));
  std::string name = kHumans[i % std::ssize(kHumans)];
  if (i >= std::ssize(kHumans)) name += num(i);
  return name;
}

BrkLogGenerator::BrkLogGenerator(const BrkLogOptions& options)
    : o(options),
      pool(humanPoolNames(options.humanPool)),
      rng(options.seed),
      startMs(kFirstStart + options.startDay * kDayMs),
      hidden(options.skillSeed.value_or(options.seed), options.skillSpread),
      attendRng(options.seed ^ 0xA77E9DA9CEULL) {
  if (o.regulars) {
    // Squared, so that a few regulars come often and most players now and then.
    for (int i = 0; i < o.humanPool; ++i) {
      const double u = static_cast<double>(attendRng.below(1 << 30)) / (1 << 30);
      attendance.push_back(1.0 + 9.0 * u * u);
    }
  }
  offset = anyOf(kOffsets);
}

uint64_t BrkLogGenerator::next() { return rng.next(); }

int BrkLogGenerator::below(int n) { return rng.below(n); }

bool BrkLogGenerator::chance(int percent) { return below(100) < percent; }

template <class Table>
std::string BrkLogGenerator::anyOf(const Table& table) {
  const size_t first = std::string_view(table[0]).empty() ? 1 : 0;
  return std::string(table[first + any(std::size(table) - first)]);
}

void BrkLogGenerator::line(const std::string& text) {
  out += text;
  out += o.malformed && chance(5) ? "\r\n" : "\n";
}

std::string BrkLogGenerator::now() const { return num(tenths / 10) + "." + num(tenths % 10); }

std::string BrkLogGenerator::ping() { return num(20 + below(180)); }

std::string BrkLogGenerator::nextMatch() {
  out.clear();
  tenths = 0;
  slots.clear();
  teams = {"Red", "Blue"};
  nextNum = 0;
  scored = false;
  teamPlay = o.teamPlay;
  duel = o.duel;
  if (o.mixModes) {
    const int r = below(100);
    duel = r >= 95;
    teamPlay = r >= 55 && !duel;
  }
  header();
  seat();
  if (duel && slots.size() > 2) slots.resize(2);
  for (Slot& s : slots) {
    s.secret = num(static_cast<int64_t>(next() % 900000 + 100000));
    join(s, nextNum++);
  }
  if (chance(30)) {  // connects, watches, and does nothing else
    const std::string n = num(nextNum++);
    line(now() + "\tPlayer_Connect\tLurker\t" + n + "\t10.0.0.99:27901\tlurk");
    line(now() + "\tPlayer_Enter\tLurker\t" + n);
    line(now() + "\tObserve\tLurker\t" + n + "\t" + ping());
  }
  line(now() + "\tGame_Start");

  int events = o.eventsPerMatch;
  if (o.varyEvents) events = events / 2 + below(std::max(0, events) + 1);
  for (int e = 0; e < events; ++e) {
    tenths += 1 + below(40);
    event();
    if (o.malformed && chance(4)) malformedLine();
  }
  if (!scored && !slots.empty()) {
    tenths += 3;
    line(now() + "\tSuicide\t" + num(slots[0].num) + "\tFell\t0\t" + ping());
  }
  tenths += 5;
  if (chance(85)) {
    const std::string reason = chance(50) ? "Fraglimit hit" : "Timelimit hit";
    line(now() + "\tGame_End\t" + reason + "\t" + num(static_cast<int64_t>(next() % 0xFFFFFFFF)));
  }
  // The server reports everybody's accuracy as the match closes.
  for (const Slot& s : slots) {
    if (s.connected) accuracy(s);
  }
  startMs += (20 + below(40)) * 60000 + below(60000);
  ++matchNo;
  return std::move(out);
}

void BrkLogGenerator::seat() {
  Seating seating = drawSeating(rng, o.players, o.bots, o.maxPlayers, o.humanPool, o.botPool);
  if (!attendance.empty()) {
    // As many humans, drawn by attendance without repetition from a sequence of their own.
    std::vector<double> left = attendance;
    for (int& h : seating.humans) {
      double total = 0;
      for (const double w : left) total += w;
      double r = total * static_cast<double>(attendRng.below(1 << 30)) / (1 << 30);
      size_t pick = 0;
      while (pick + 1 < left.size() && (left[pick] == 0 || r >= left[pick])) {
        r -= left[pick];
        ++pick;
      }
      // Rounding may run past the last one left: take the last one left.
      while (pick > 0 && left[pick] == 0) --pick;
      h = static_cast<int>(pick);
      left[pick] = 0;
    }
  }
  for (const int i : seating.humans) {
    Slot s;
    s.name = humanName(i, pool);
    s.skill = hidden.human(i);
    slots.push_back(std::move(s));
  }
  for (const int i : seating.bots) {
    Slot s;
    s.name = botName(i);
    s.skill = hidden.bot(i);
    s.bot = true;
    slots.push_back(std::move(s));
  }
}

void BrkLogGenerator::header() {
  const auto info = [this](const std::string& key, const std::string& value) {
    line("0.0\tinfo\t" + key + "\t" + value);
  };
  info("Log_Standard", "qmLog");
  info("hostname", "Orvane Arena " + num(o.seed % 10));
  info("Server_Address", "192.168.1.10");
  info("Server_Port", "27910");
  info("map", anyOf(kMaps));
  const std::string date = dateText(startMs);
  info("Absolute_Time", date + "." + offset);
  info("timelimit", "20");
  info("fraglimit", num(10 + 5 * below(10)));
  info("hook_status", num(below(2)));
  info("runes_status", num(below(2)));
  info("dmflags", "1044");
  info("disabled_items", "BFG10K\tQuad");
  info("match_mode", duel ? "1-vs-1" : teamPlay ? "TeamPlay" : "RegularDM");
  line("0.0\tGame_Init\t" + date);
}

void BrkLogGenerator::join(Slot& s, int32_t number) {
  s.num = number;
  named[s.name] = {s.bot, s.skill};
  const std::string n = num(s.num);
  const std::string ip = s.bot ? "IS_A_BOT" : "10.0.0." + num(1 + s.num % 250) + ":27901";
  line(now() + "\tPlayer_Connect\t" + s.name + "\t" + n + "\t" + ip + "\t" + s.secret);
  if (s.bot && chance(50)) {
    line(now() + "\tPlayer_ZBOT\t" + s.name + "\t" + n + "\t" + ip + "\tskill " + num(below(5)));
  }
  line(now() + "\tPlayer_Enter\t" + s.name + "\t" + n);
  s.connected = true;
  s.alive = true;
  if (teamPlay) {
    if (s.team < 0) s.team = below(2);
    line(now() + "\tPlayer_Team_Join\t" + s.name + "\t" + n + "\t" + teams.at(s.team) + "\t" +
         ping());
  }
}

int BrkLogGenerator::pickSlot(Pick which) {
  std::vector<int> fit;
  for (size_t i = 0; i < slots.size(); ++i) {
    const Pick state = !slots[i].connected ? Pick::Gone : slots[i].alive ? Pick::Alive : Pick::Dead;
    if (state == which) fit.push_back(static_cast<int>(i));
  }
  return fit.empty() ? -1 : fit[any(fit.size())];
}

void BrkLogGenerator::event() {
  const std::array<int, kKinds>& weights =
      o.humanPool > 0 || o.botPool > 0 ? kPooledWeights : kWeights;
  int r = below(std::accumulate(weights.begin(), weights.end(), 0));
  int kind = 0;
  while (r >= weights.at(kind)) r -= weights.at(kind++);
  if (!teamPlay && kind >= kTeamChange) kind = kKill;

  const int alive = pickSlot(Pick::Alive);
  if (alive < 0 && kind != kReturn) kind = kRespawn;
  // Kills need two live players; a lone survivor waits for somebody to respawn.
  int living = 0;
  for (const Slot& c : slots) living += c.connected && c.alive ? 1 : 0;
  if ((kind == kKill || kind == kFratricide) && living < 2 && pickSlot(Pick::Dead) >= 0) {
    kind = kRespawn;
  }
  Slot* s = alive < 0 ? nullptr : &slots[static_cast<size_t>(alive)];
  const std::string t = now();
  switch (kind) {
    case kKill:
    case kFratricide:
      return kill(kind == kFratricide);
    case kRespawn: {
      const int x = pickSlot(Pick::Dead);
      if (x < 0) return kill(false);
      Slot& d = slots[static_cast<size_t>(x)];
      d.alive = true;
      if (chance(20)) return line(t + "\tPlayer_Enter\t" + d.name + "\t" + num(d.num));
      return line(t + "\tPlayer_Respawn\t" + num(d.num));
    }
    case kSuicide: {
      const std::string cause = chance(50) ? anyOf(Specs::suicides) : anyOf(kSelfKills);
      s->alive = false;
      s->powerups.clear();
      scored = true;
      return line(t + "\tSuicide\t" + num(s->num) + "\t" + cause + "\t0\t" + ping());
    }
    case kPickup: {
      const std::string item = anyOf(Specs::items);
      return line(t + "\tItem_Pickup\t" + item + "\t0\t" + num(s->num) + "\t" + ping());
    }
    case kPowerOn: {
      const int p = below(Specs::kPickups);
      s->powerups.push_back(p);
      return line(t + "\tItem_Use\t" + std::string(Specs::pickups.at(static_cast<size_t>(p))) +
                  "\t0\t" + num(s->num) + "\t" + ping());
    }
    case kPowerOff: {
      // Now and then a power-up runs out that was never switched on.
      int p = below(Specs::kPickups);
      if (!s->powerups.empty() && !chance(20)) {
        p = s->powerups.front();
        s->powerups.erase(s->powerups.begin());
      }
      return line(t + "\tItem_Expire\t" + std::string(Specs::pickups.at(static_cast<size_t>(p))) +
                  "\t0\t" + num(s->num));
    }
    case kDrop:
      return line(t + "\tItem_Drop\t" + anyOf(Specs::items) + "\t0\t0\t" + num(s->num));
    case kAccuracy:
      return accuracy(*s);
    case kRename: {
      const std::string old = s->name;
      s->name += chance(50) ? "'" : "_x";
      named[s->name] = {s->bot, s->skill};
      if (chance(20)) s->secret = num(static_cast<int64_t>(next() % 900000 + 100000));
      return line(t + "\tPlayer_Rename\t" + old + "\t" + s->name + "\t" + num(s->num) + "\t" +
                  ping() + "\t" + s->secret);
    }
    case kLeave: {
      int connected = 0;
      for (const Slot& c : slots) connected += c.connected ? 1 : 0;
      if (connected > 2) return disconnect(*s);
      return line(t + "\tChat\t" + s->name + ": staying");
    }
    case kReturn: {
      const int gone = pickSlot(Pick::Gone);
      if (gone >= 0) return reconnect(slots[static_cast<size_t>(gone)]);
      if (s == nullptr) return;
      return line(t + "\tChat\t" + s->name + ": " + anyOf(kChat));
    }
    case kSpectate: {
      const char* const how[] = {"Observe", "Chasecam", "Autocam"};
      const std::string keyword = anyOf(how);
      s->alive = false;
      s->powerups.clear();
      return line(t + "\t" + keyword + "\t" + s->name + "\t" + num(s->num) + "\t" + ping());
    }
    case kChatLine:
      return line(t + "\tChat\t" + s->name + ": " + anyOf(kChat));
    case kVote:
      return line(chance(50) ? t + "\tVote\tfailed" : t + "\tVote\tpassed\tmap\tq2dm2");
    case kZbot:
      return line(t + "\tPlayer_ZBOT\t" + s->name + "\t" + num(s->num) + "\tIS_A_BOT\tzbot 1.0");
    case kTeamChange: {
      if (teams.size() < 3 && chance(20)) teams.push_back("Green");
      int to = below(static_cast<int>(teams.size()));
      if (to == s->team) to = (to + 1) % static_cast<int>(teams.size());
      s->team = to;
      return line(t + "\tPlayer_Team_Join\t" + s->name + "\t" + num(s->num) + "\t" +
                  teams.at(static_cast<size_t>(to)) + "\t" + ping());
    }
    case kTeamLeave:
      return line(t + "\tPlayer_Team_Leave\t" + num(s->num) + "\t" +
                  teams.at(static_cast<size_t>(std::max(0, s->team))) + "\t" + ping());
    default: {  // kTeamRename
      const size_t x = static_cast<size_t>(below(static_cast<int>(teams.size())));
      const std::string old = teams[x];
      teams[x] = "Team" + num(matchNo) + "_" + num(tenths);
      return line(t + "\tTeam_Rename\t" + old + "\t" + teams[x]);
    }
  }
}

void BrkLogGenerator::kill(bool team) {
  int k = pickSlot(Pick::Alive);
  int v = pickSlot(Pick::Alive);
  if (k < 0 || v < 0) return;
  // Mostly somebody else; a team kill prefers a team mate.
  for (int tries = 0; tries < 4 && v == k && !chance(3); ++tries) v = pickSlot(Pick::Alive);
  if (team) {
    for (int tries = 0;
         tries < 4 && slots[static_cast<size_t>(v)].team != slots[static_cast<size_t>(k)].team;
         ++tries) {
      v = pickSlot(Pick::Alive);
    }
  }
  // Of two players who meet, the more skilled one wins more often.
  if (o.skillSpread > 0 && !team && k != v &&
      !HiddenSkills::beats(rng, slots[static_cast<size_t>(k)].skill,
                           slots[static_cast<size_t>(v)].skill)) {
    std::swap(k, v);
  }
  Slot& killer = slots[static_cast<size_t>(k)];
  Slot& victim = slots[static_cast<size_t>(v)];
  // One draw per statement: the operands of + are evaluated in no fixed order.
  const std::string kw = anyOf(Specs::weapons);
  const std::string kp = ping();
  const std::string vw = anyOf(Specs::weapons);
  line(now() + (team ? "\tFratricide\t" : "\tKill\t") + num(killer.num) + "\t" + kw + "\t0\t" + kp +
       "\t" + num(victim.num) + "\t" + vw + "\t0\t" + ping());
  victim.alive = false;
  victim.powerups.clear();
  if (!team) scored = true;
}

void BrkLogGenerator::disconnect(Slot& s) {
  if (chance(70)) accuracy(s);
  line(now() + "\tPlayer_Leave\t" + s.name + "\t" + num(s.num));
  s.connected = false;
  s.alive = false;
  s.powerups.clear();
}

// The same name and secret again, on the old slot or a new one, sometimes announced first.
void BrkLogGenerator::reconnect(Slot& s) {
  const int32_t number = chance(50) ? s.num : nextNum++;
  if (chance(50)) {
    line(now() + "\tPlayer_Reconnect\t" + s.name + "\t" + num(number) + "\t10.0.0.1:27901");
  }
  join(s, number);
}

void BrkLogGenerator::accuracy(const Slot& s) {
  std::string text = now() + "\tPlayer_Accuracy\t" + num(s.num);
  for (int n = below(4); n > 0; --n) {
    const std::string weapon = anyOf(Specs::weapons);
    const int hits = below(50);
    text += "\t" + weapon + ":" + num(hits) + ":" + num(hits + below(100));
    if (chance(50)) {  // damage given and received with this weapon
      text.append(":").append(num(below(3000)));
      text.append(":").append(num(below(3000)));
    }
  }
  text += "\tdmg:" + num(below(5000));
  line(text + ":" + num(below(5000)));
}

void BrkLogGenerator::malformedLine() {
  const std::string t = now();
  const std::string n = slots.empty() ? "0" : num(slots[0].num);
  const bool fatal = chance(15);  // a bad number ends the reading of the match
  switch (below(20)) {
    case 0:
      return line(t + "\tKill\t" + n + "\tRailgun");
    case 1:
      return line(t + "\tItem_Pickup\tQuad");
    case 2:
      return line(t + "\tinfo");
    case 3:
      return line(t + "\tGame_End");
    case 4:
      return line(t + "\tkill\t" + n + "\tRailgun\t0\t50\t" + n + "\tBlaster\t0\t50");
    case 5:
      return line(t + "\tFlag_Capture\t" + n + "\tRed");
    case 6:
      return line(t + "\tPlayer_Score\t" + n + "\t17");
    case 7:
    case 8:
      return line(t + "\tPlayer_Respawn\tabc");
    case 9:
      out += "\r\n";
      return;
    case 10:
      return line(t + "\tChat\thello\rworld\tagain");
    case 11:
      return line("# " + t + " restarted logging");
    case 12:
      out += "\n";
      return;
    case 13:
      return line(t + "\tKill\t" + n + "\tPlasma Rifle\t0\t50\t" + n + "\tRailgun\t0\t50");
    case 14:
      return line(t + "\tItem_Pickup\tRed Flag\t0\t" + n + "\t50");
    case 15:
      return line(t + "\tChat\ttrailing tab\t");
    case 16:
      return line(t + "\tItem_Pickup\tQuad\t0\t99999\t2147483647");
    case 17:
      return line(fatal ? t + "\tKill\tone\tRailgun\t0\t50\t1\tBlaster\t0\t50"
                        : t + "\tChat\tnumbers later");
    case 18:
      return line(fatal ? (chance(50) ? "12.5" : "abc\tChat\thi") : t + "\tVote\tstarted");
    default:
      return line(fatal ? t + "\tPlayer_Accuracy\t" + n + "\tRailgun:3\tdmg:1:2"
                        : t + "\tPlayer_Accuracy\t" + n + "\tRailgun::3:::10\tdmg:1:2");
  }
}

std::string generateBrkLog(const BrkLogOptions& options, SkillTable* skills) {
  BrkLogGenerator gen(options);
  std::string log;
  for (int m = 0; m < options.matches; ++m) log += gen.nextMatch();
  if (skills != nullptr) *skills = gen.skills();
  return log;
}

}  // namespace orvane::tools
