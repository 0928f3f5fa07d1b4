#include "tools/ZlnLogGenerator.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <iterator>
#include <numeric>
#include <utility>
#include <vector>

#include "tools/BrkLogGenerator.h"
#include "tools/SplitMix64.h"

namespace orvane::tools {

namespace {

// How a game type plays: who fights whom, and which objective events it logs.
enum class Mode { FreeForAll, Team, Flags, Points, Assault };

struct GameKind {
  const char* name;
  const char* gameClass;
  Mode mode;
  const char* mapPrefix;
};

const GameKind kGameKinds[] = {
    {"Tournament DeathMatch", "Botpack.DeathMatchPlus", Mode::FreeForAll, "DM-"},
    {"Capture the Flag", "Botpack.CTFGame", Mode::Flags, "CTF-"},
    {"Domination", "Botpack.Domination", Mode::Points, "DOM-"},
    {"Assault", "Botpack.Assault", Mode::Assault, "AS-"},
    {"Tournament Team Game", "Botpack.TeamGamePlus", Mode::Team, "DM-"},
    {"SinglePlayer", "Botpack.DeathMatchPlus", Mode::FreeForAll, "DM-"},
    {"Last Man Standing", "Botpack.LastManStanding", Mode::FreeForAll, "DM-"},
    {"Challenge DeathMatch", "Botpack.DeathMatchPlus", Mode::FreeForAll, "DM-"},
};

// A weapon with a damage type the server logs for its kills.
struct Hit {
  const char* weapon;
  const char* damage;
};

const Hit kHits[] = {
    {"Enforcer", "shot"},
    {"Double Enforcer", "shot"},
    {"Minigun", "shot"},
    {"Sniper Rifle", "shot"},
    {"Sniper Rifle", "Decapitated"},
    {"Flak Cannon", "shredded"},
    {"Flak Cannon", "FlakDeath"},
    {"Ripper", "shredded"},
    {"Ripper", "Decapitated"},
    {"Ripper", "RipperAltDeath"},
    {"Rocket Launcher", "RocketDeath"},
    {"Rocket Launcher", "GrenadeDeath"},
    {"Shock Rifle", "jolted"},
    {"Enhanced Shock Rifle", "jolted"},
    {"Pulse Gun", "Pulsed"},
    {"Pulse Gun", "zapped"},
    {"GES Bio Rifle", "Corroded"},
    {"Impact Hammer", "impact"},
    {"Redeemer", "RedeemerDeath"},
    {"Redeemer", "vaporized"},
    {"Chainsaw", "slashed"},
    {"Chainsaw", "Decapitated"},
    {"Translocator", "Gibbed"},
    {"None", "SpecialDamage"},
    {"Minigun", "Decapitated"},
};

const char* const kSuicideDamage[] = {"Burned",        "Drowned",     "Fell",    "Electrocuted",
                                      "exploded",      "Suicided",    "Unknown", "Corroded",
                                      "SpecialDamage", "RocketDeath", "jolted"};
const char* const kSuicideWeapons[] = {"None", "Rocket Launcher", "Shock Rifle", "GES Bio Rifle"};
const char* const kItems[] = {"AntiGrav Boots",
                              "Biosludge Ammo",
                              "Blade Hopper",
                              "Body Armor",
                              "Box of Rifle Rounds",
                              "Damage Amplifier",
                              "Double Enforcer",
                              "Enforcer",
                              "Flak Cannon",
                              "Flak Shells",
                              "GES Bio Rifle",
                              "Health Vial",
                              "Invisibility",
                              "Large Bullets",
                              "MedBox",
                              "Minigun",
                              "Pulse Cell",
                              "Pulse Gun",
                              "Redeemer",
                              "Ripper",
                              "Rocket Launcher",
                              "RocketPack",
                              "Shock Core",
                              "Shock Rifle",
                              "Sniper Rifle",
                              "Super Health Pack",
                              "Thigh Pads",
                              "SCUBAGear",
                              "Shells",
                              "ShieldBelt",
                              "Enhanced Shock Rifle"};
const char* const kPickups[] = {"AntiGrav Boots", "Damage Amplifier", "Invisibility"};
const char* const kBots[] = {"Grunt", "Wraith", "Cyclops", "Sarge", "Visor"};
const char* const kMaps[] = {"Cinder Yard", "Hollow Keep", "Vantage", "Rustbelt", "Lowtide"};
const char* const kPoints[] = {"Alpha Tower", "Bravo Yard", "Core", "Sluice Gate"};
const char* const kTeams[] = {"Red", "Blue"};
const char* const kOffsets[] = {"+1", "+1", "-5", "+0", "+5.5"};
const char* const kMutators[] = {"Botpack.NoRedeemer", "Botpack.LowGrav", "Botpack.InstaGibDM",
                                 "Botpack.NoPowerups", "Botpack.ChainsawMelee"};

// 2026-03-14 20:15:09.123 as local milliseconds since 1970.
constexpr int64_t kDayMs = 86400000;
constexpr int64_t kFirstStart = 20526 * kDayMs + ((20 * 60 + 15) * 60 + 9) * 1000 + 123;

enum Kind {
  kKill,
  kBurst,
  kSuicide,
  kTeamKill,
  kItemGet,
  kActivate,
  kDeactivate,
  kPing,
  kTranslocator,
  kTyping,
  kRename,
  kLeave,
  kReturn,
  kFlag,
  kPoint,
  kScore,
  kKinds
};
constexpr std::array<int, kKinds> kWeights = {30, 4, 5, 2, 14, 3, 2, 4, 4, 3, 1, 2, 2, 12, 8, 4};
// With pools a match looks like a real server's: a rename starts a new career under the new
// name, so about one match in fifteen has one.
constexpr std::array<int, kKinds> kPooledWeights = {3000, 400, 500, 200, 1400, 300,  200, 400,
                                                    400,  300, 1,   200, 200,  1200, 800, 400};

std::string num(int64_t v) { return std::to_string(v); }

std::string digits(int64_t v, int width) {
  std::string s = num(v);
  return std::string(static_cast<size_t>(std::max<int64_t>(0, width - std::ssize(s))), '0') + s;
}

// "yyyy.MM.dd.HH.mm.ss.SSS" of local milliseconds since 1970.
std::string absoluteTime(int64_t ms) {
  using std::chrono::days;
  using std::chrono::milliseconds;
  const days day = std::chrono::floor<days>(milliseconds(ms));
  const std::chrono::year_month_day ymd{std::chrono::sys_days(day)};
  const std::chrono::hh_mm_ss<milliseconds> hms(milliseconds(ms) - day);
  return digits(static_cast<int>(ymd.year()), 4) + "." +
         digits(static_cast<unsigned>(ymd.month()), 2) + "." +
         digits(static_cast<unsigned>(ymd.day()), 2) + "." + digits(hms.hours().count(), 2) + "." +
         digits(hms.minutes().count(), 2) + "." + digits(hms.seconds().count(), 2) + "." +
         digits(hms.subseconds().count(), 3);
}

class ZlnLogGenerator {
 public:
  explicit ZlnLogGenerator(const ZlnLogOptions& options);
  std::string match();
  const SkillTable& skills() const { return named; }

 private:
  struct Slot {
    std::string name;
    std::string secret;  // empty for bots: their connect lines carry none
    std::string skill;   // a bot's level as the server logs it
    double hidden = 0;   // decides fights, the log never shows it
    bool bot = false;
    int32_t num = 0;
    bool connected = false;
    int team = -1;
  };
  // A team's flag: at home, carried by a slot, or lying where its carrier dropped it.
  struct Flag {
    int carrier = -1;
    bool dropped = false;
  };

  uint64_t next();
  int below(int n);
  size_t any(size_t n) { return static_cast<size_t>(below(static_cast<int>(n))); }
  bool chance(int percent) { return below(100) < percent; }
  template <class Table>
  std::string anyOf(const Table& table) {
    return std::string(table[any(std::size(table))]);
  }
  bool teams() const { return kind.mode != Mode::FreeForAll; }

  void line(const std::string& text);
  std::string now() const;
  std::string player(const std::string& sub, const Slot& s, const std::string& value);
  void header();
  void join(Slot& s);
  void seat();
  void event();
  // A random connected slot: any, one of the given team, or one not of it; -1 when none.
  int pick(int team = -1, bool sameTeam = true, int besides = -1);
  void kill(int killer, bool teamKill);
  void suicide(Slot& s);
  void flag(int f);
  void leave(int x);
  void malformedLine();

  ZlnLogOptions o;
  GameKind kind;
  SplitMix64 rng;
  std::string out;
  int64_t hundredths = 0;  // event time, in hundredths of a second
  std::vector<Slot> slots;
  int32_t nextNum = 0;
  std::array<Flag, 2> flags;
  std::array<int64_t, 2> domScore{};  // in tenths
  bool useTranslocator = false;
  bool scored = false;  // the match has a kill, suicide or team kill line
  HiddenSkills hidden;
  SkillTable named;
};

ZlnLogGenerator::ZlnLogGenerator(const ZlnLogOptions& options)
    : o(options),
      kind{o.gameType.c_str(), "Botpack.DeathMatchPlus", Mode::FreeForAll, "DM-"},
      rng(options.seed),
      hidden(options.skillSeed.value_or(options.seed), options.skillSpread) {
  for (const GameKind& k : kGameKinds) {
    if (o.gameType == k.name) kind = k;
  }
}

uint64_t ZlnLogGenerator::next() { return rng.next(); }

int ZlnLogGenerator::below(int n) { return rng.below(n); }

void ZlnLogGenerator::line(const std::string& text) {
  out += now();
  out += '\t';
  out += text;
  out += o.malformed && chance(5) ? "\r\n" : "\n";
}

std::string ZlnLogGenerator::now() const {
  return num(hundredths / 100) + "." + digits(hundredths % 100, 2);
}

std::string ZlnLogGenerator::player(const std::string& sub, const Slot& s,
                                    const std::string& value) {
  return "player\t" + sub + "\t" + num(s.num) + "\t" + value;
}

std::string ZlnLogGenerator::match() {
  header();
  seat();
  for (size_t i = 0; i < slots.size(); ++i) {
    if (teams()) slots[i].team = static_cast<int>(i % 2);
    join(slots[i]);
  }
  if (kind.mode == Mode::Assault) {
    const int defender = below(2);
    line("assault_timelimit\t" + num(5 + 5 * below(3)));
    const std::string code = num(static_cast<int64_t>(next() % 90000 + 10000));
    line("assault_gamecode\t" + code + "\t" + num(1 + below(3)));
    line("assault_defender\t" + num(defender));
    line("assault_attacker\t" + num(1 - defender));
  }
  line("game_start");

  int events = o.eventsPerMatch;
  if (o.varyEvents) events = events / 2 + below(std::max(0, events) + 1);
  for (int e = 0; e < events; ++e) {
    hundredths += 5 + below(400);
    event();
    if (o.malformed && chance(4)) malformedLine();
  }
  if (!scored && !slots.empty()) {
    hundredths += 30;
    suicide(slots[0]);
  }
  hundredths += 50;
  if (chance(85)) {
    std::string reason = chance(50) ? "timelimit" : "fraglimit";
    if (kind.mode == Mode::Assault && chance(60)) reason = "Assault succeeded";
    if (kind.mode == Mode::Flags || kind.mode == Mode::Points) {
      reason = chance(50) ? "timelimit" : "teamscorelimit";
    }
    // Some servers leave out the checksum.
    if (chance(70)) reason += "\t" + num(static_cast<int64_t>(next() % 0xFFFFFFFF));
    line("game_end\t" + reason);
  }
  return std::move(out);
}

void ZlnLogGenerator::seat() {
  const Seating seating = drawSeating(rng, o.players, o.bots, o.maxPlayers, o.humanPool, o.botPool);
  const std::vector<std::string> pool = humanPoolNames(o.humanPool);
  for (const int i : seating.humans) {
    Slot s;
    s.name = humanName(i, pool);
    s.secret = num(static_cast<int64_t>(next() % 900000 + 100000));
    s.skill = "0.000000";
    s.hidden = hidden.human(i);
    slots.push_back(std::move(s));
  }
  for (const int i : seating.bots) {
    Slot s;
    s.name = std::string(kBots[i % std::ssize(kBots)]) + num(i);
    s.skill = num(below(8)) + ".000000";
    s.hidden = hidden.bot(i);
    s.bot = true;
    slots.push_back(std::move(s));
  }
}

void ZlnLogGenerator::header() {
  const int64_t startMs = kFirstStart + o.startDay * kDayMs + below(600) * 1000;
  const std::string offset = anyOf(kOffsets);
  line("info\tLog_Standard\tngLog");
  line("info\tLog_Version\t1.2");
  line("info\tGame_Name\tZolnar");
  line("info\tAbsolute_Time\t" + absoluteTime(startMs) + "." + offset);
  line("info\tServer_ServerName\tOrvane Zolnar " + num(o.seed % 10));
  line("info\tServer_Port\t7777");
  line("info\tServer_MOTD\tWelcome\tPlay fair");
  const std::string title = anyOf(kMaps);
  std::string name = kind.mapPrefix;
  for (const char c : title) {
    if (c != ' ') name += c;
  }
  line("map\tName\t" + name);
  line("map\tTitle\t" + title);
  line("map\tAuthor\tOrvane Studio");
  line("game\tGameName\t" + o.gameType);
  line(std::string("game\tGameClass\t") + kind.gameClass);
  line(std::string("game\tTeamGame\t") + (teams() ? "True" : "False"));
  line("game\tTimeLimit\t" + num(10 + 5 * below(3)));
  line("game\tFragLimit\t" + num(20 + 5 * below(5)));
  line("game\tGoalTeamScore\t" + num(teams() ? 3 + below(5) : 0));
  line(std::string("game\tWeaponsStay\t") + (chance(50) ? "True" : "False"));
  line("game\tAirControl\t0.350000");
  line("game\tJumpMatch\tFalse");
  useTranslocator = kind.mode != Mode::FreeForAll || chance(50);
  line(std::string("game\tUseTranslocator\t") + (useTranslocator ? "True" : "False"));
  line(std::string("game\tTournamentMode\t") + (chance(30) ? "True" : "False"));
  // A single-player match is logged with the net mode of that name.
  line(std::string("game\tNetMode\t") +
       (o.gameType == "SinglePlayer" ? "SinglePlayer" : "DedicatedServer"));
  line(std::string("game\tFriendlyFireScale\t") + (chance(50) ? "0.000000" : "0.500000"));
  line("game\tGameMutator\tBotpack.DMMutator");
  if (chance(40)) line("game\tGameMutator\t" + anyOf(kMutators));
}

void ZlnLogGenerator::join(Slot& s) {
  s.num = nextNum++;
  s.connected = true;
  named[s.name] = {s.bot, s.hidden};
  // Bots and humans without a secret write one field less.
  const std::string admin = !s.bot && chance(10) ? "True" : "False";
  line("player\tConnect\t" + s.name + "\t" + num(s.num) + "\t" + admin +
       (s.secret.empty() ? "" : "\t" + s.secret));
  line(player("IsABot", s, s.bot ? "True" : "False"));
  if (teams()) {
    // The team's name comes before or after its number.
    const bool nameFirst = chance(50);
    if (nameFirst) line(player("TeamName", s, kTeams[s.team]));
    line(player("Team", s, num(s.team)));
    line(player("TeamID", s, num(s.num % 16)));
    if (!nameFirst) line(player("TeamName", s, kTeams[s.team]));
  }
  line(player("Skill", s, s.skill));
  line(player("Ping", s, num(20 + below(180))));
}

int ZlnLogGenerator::pick(int team, bool sameTeam, int besides) {
  std::vector<int> fit;
  for (size_t i = 0; i < slots.size(); ++i) {
    const Slot& s = slots[i];
    const bool teamFits = team < 0 || (s.team == team) == sameTeam;
    if (s.connected && teamFits && static_cast<int>(i) != besides) {
      fit.push_back(static_cast<int>(i));
    }
  }
  return fit.empty() ? -1 : fit[any(fit.size())];
}

void ZlnLogGenerator::event() {
  const std::array<int, kKinds>& weights =
      o.humanPool > 0 || o.botPool > 0 ? kPooledWeights : kWeights;
  int r = below(std::accumulate(weights.begin(), weights.end(), 0));
  int k = 0;
  while (r >= weights.at(k)) r -= weights.at(k++);
  if ((k == kTeamKill && !teams()) || (k == kFlag && kind.mode != Mode::Flags) ||
      ((k == kPoint || k == kScore) && kind.mode != Mode::Points) ||
      (k == kTranslocator && !useTranslocator)) {
    k = kKill;
  }
  const int x = pick();
  if (x < 0) {
    const int gone = static_cast<int>(any(slots.size()));
    if (!slots.empty()) join(slots[static_cast<size_t>(gone)]);
    return;
  }
  Slot& s = slots[static_cast<size_t>(x)];
  switch (k) {
    case kKill:
    case kTeamKill:
      return kill(x, k == kTeamKill);
    case kBurst:  // a kill chain: kills less than three seconds apart
      for (int n = 2 + below(3); n > 0; --n) {
        kill(x, false);
        hundredths += 50 + below(200);
      }
      return;
    case kSuicide:
      return suicide(s);
    case kItemGet:
      return line("item_get\t" + anyOf(kItems) + "\t" + num(s.num));
    case kActivate:
      return line("item_activate\t" + anyOf(kPickups) + "\t" + num(s.num));
    case kDeactivate:
      return line("item_deactivate\t" + anyOf(kPickups) + "\t" + num(s.num));
    case kPing:
      return line(player("Ping", s, num(20 + below(180))));
    case kTranslocator: {
      line("throw_translocator\t" + num(s.num));
      hundredths += 20 + below(100);
      const char* const outcomes[] = {"translocate", "translocate", "translocate_fail",
                                      "translocate_gib"};
      return line(anyOf(outcomes) + "\t" + num(s.num));
    }
    case kTyping:
      return line(std::string("typing\t") + (chance(50) ? "True" : "False") + "\t" + num(s.num));
    case kRename: {
      s.name += chance(50) ? "'" : "_x";
      named[s.name] = {s.bot, s.hidden};
      if (s.bot) return line("player\tRename\t" + s.name + "\t" + num(s.num));
      return line("player\tRename\t" + s.name + "\t" + s.secret + "\t" + num(s.num));
    }
    case kLeave: {
      int connected = 0;
      for (const Slot& c : slots) connected += c.connected ? 1 : 0;
      return connected > 2 ? leave(x) : kill(x, false);
    }
    case kReturn: {
      // The same name, secret, team and skill under a new player number.
      std::vector<size_t> gone;
      for (size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].connected) gone.push_back(i);
      }
      if (gone.empty()) return kill(x, false);
      return join(slots[gone[any(gone.size())]]);
    }
    case kFlag:
      return flag(below(2));
    case kPoint:
      return line("controlpoint_capture\t" + anyOf(kPoints) + "\t" + num(s.num));
    default: {  // kScore
      for (int t = 0; t < 2; ++t) {
        domScore.at(static_cast<size_t>(t)) += below(60);
        const int64_t v = domScore.at(static_cast<size_t>(t));
        line("dom_score_update\t" + num(t) + "\t" + num(v / 10) + "." + num(v % 10));
      }
      return;
    }
  }
}

void ZlnLogGenerator::kill(int killer, bool teamKill) {
  // Team games: mostly an enemy, a team kill always a team mate.
  int v = -1;
  if (teams()) v = pick(slots.at(static_cast<size_t>(killer)).team, teamKill, killer);
  if (v < 0 && !teamKill) v = pick(-1, true, killer);
  if (v < 0) return suicide(slots.at(static_cast<size_t>(killer)));
  // Of two players who meet, the more skilled one wins more often.
  if (o.skillSpread > 0 && !teamKill &&
      !HiddenSkills::beats(rng, slots.at(static_cast<size_t>(killer)).hidden,
                           slots[static_cast<size_t>(v)].hidden)) {
    std::swap(killer, v);
  }
  const Slot& k = slots.at(static_cast<size_t>(killer));
  const Slot& victim = slots.at(static_cast<size_t>(v));
  const Hit hit = kHits[any(std::size(kHits))];
  const std::string victimWeapon = kHits[any(std::size(kHits))].weapon;
  line((teamKill ? "teamkill\t" : "kill\t") + num(k.num) + "\t" + hit.weapon + "\t" +
       num(victim.num) + "\t" + victimWeapon + "\t" + hit.damage);
  scored = true;
  if (std::string_view(hit.damage) == "Decapitated" && chance(80)) {
    line("headshot\t" + num(k.num) + "\t" + num(victim.num));
  }
  // A carrier who dies drops the flag on the spot.
  for (size_t f = 0; f < flags.size(); ++f) {
    if (flags[f].carrier == v) {
      line("flag_dropped\t" + num(victim.num) + "\t" + num(static_cast<int>(f)));
      flags[f] = {-1, true};
    }
  }
}

void ZlnLogGenerator::suicide(Slot& s) {
  const std::string weapon = anyOf(kSuicideWeapons);
  line("suicide\t" + num(s.num) + "\t" + weapon + "\t" + anyOf(kSuicideDamage) + "\tNone");
  scored = true;
}

// The next step of team f's flag: taken from home by an enemy, then captured or dropped; a
// dropped flag is picked up by an enemy, returned by a team mate, or returned by time-out.
void ZlnLogGenerator::flag(int f) {
  Flag& fl = flags.at(static_cast<size_t>(f));
  const std::string team = num(f);
  if (fl.carrier >= 0) {
    const std::string carrier = num(slots.at(static_cast<size_t>(fl.carrier)).num);
    const bool captured = chance(50);
    line((captured ? "flag_captured\t" : "flag_dropped\t") + carrier + "\t" + team);
    fl = {-1, !captured};
    return;
  }
  const int r = below(10);
  if (fl.dropped && r >= 8) {
    line("flag_returned_timeout\t" + team);
    fl = {};
    return;
  }
  const bool byEnemy = !fl.dropped || r < 4;
  const int p = pick(f, !byEnemy);
  if (p < 0) return;
  const std::string who = num(slots[static_cast<size_t>(p)].num);
  if (!fl.dropped) {
    line("flag_taken\t" + who + "\t" + team);
  } else {
    line((byEnemy ? "flag_pickedup\t" : "flag_returned\t") + who + "\t" + team);
  }
  fl = {byEnemy ? p : -1, false};
}

void ZlnLogGenerator::leave(int x) {
  Slot& s = slots.at(static_cast<size_t>(x));
  for (size_t f = 0; f < flags.size(); ++f) {
    if (flags[f].carrier == x) {
      line("flag_dropped\t" + num(s.num) + "\t" + num(static_cast<int>(f)));
      flags[f] = {-1, true};
    }
  }
  line("player\tDisconnect\t" + num(s.num));
  s.connected = false;
}

void ZlnLogGenerator::malformedLine() {
  const std::string n = slots.empty() ? "0" : num(slots[0].num);
  const bool fatal = chance(15);  // a bad number ends the reading of the match
  switch (below(18)) {
    case 0:
      return line("kill\t" + n + "\tEnforcer");
    case 1:
      return line("item_get\tShells");
    case 2:
      return line("info");
    case 3:
      return line("player\tHover\t" + n);
    case 4:
      return line("respawn\t" + n);
    case 5:
      return line("Kill\t" + n + "\tEnforcer\t" + n + "\tEnforcer\tshot");
    case 6:
      return line("player\tDisconnect\tsomebody");
    case 7:
      return line("player\tIsABot\t" + n + "\tfalse");
    case 8:
      return line("player\tConnect\tGhost\t" + num(nextNum++) + "\tFalse\t123456\textra");
    case 9:
      out += "\r\n";
      return;
    case 10:
      return line("typing\tTrue\t" + n + "\rtrailing");
    case 11:
      out += "# restarted logging\n\n";
      return;
    case 12:
      return line("kill\t" + n + "\tPlasma Rifle\t" + n + "\tEnforcer\tmelted");
    case 13:
      return line("suicide\t" + n + "\tNone\tSquished\tNone");
    case 14:
      return line("game\tGameMutator\tBotpack.Hoverboards");
    case 15:
      return line("player\tRename\tNameless");
    case 16:
      return line(fatal ? "kill\tone\tEnforcer\t" + n + "\tEnforcer\tshot"
                        : "flag_returned_timeout");
    default:
      return line(fatal ? "dom_score_update\t0\tlots" : "chat\ttrailing tab\t");
  }
}

}  // namespace

std::string generateZlnText(const ZlnLogOptions& options, SkillTable* skills) {
  ZlnLogGenerator gen(options);
  std::string text = gen.match();
  if (skills != nullptr) *skills = gen.skills();
  return text;
}

std::string encodeUtf16le(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char c : text) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string generateZlnLog(const ZlnLogOptions& options, SkillTable* skills) {
  return encodeUtf16le(generateZlnText(options, skills));
}

}  // namespace orvane::tools
