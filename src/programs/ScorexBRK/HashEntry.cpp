#include "programs/ScorexBRK/HashEntry.h"

#include <exception>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::ScorexBRK {

HashEntry::HashEntry(std::string name, bool isABot, int32_t uid)
    : name(std::move(name)), isABot(isABot), uid(uid) {}

HashEntry::HashEntry(util::BigEndianReader& in) {
  try {
    name = in.readText();
    isABot = in.readBool();
    uid = in.readInt();
    time = in.readDouble();
    for (int32_t* field : {&a_frags, &a_deaths, &a_suicides, &dm_frags, &dm_deaths, &dm_suicides,
                           &t_wins, &t_losses, &o_wins, &o_losses}) {
      *field = in.readInt();
    }
  } catch (const std::exception& e) {
    util::Debug::print("Error in HashEntry.new: " + util::failureText(e), 0);
    in.markFailed();
  }
}

void HashEntry::update(double t, int32_t af, int32_t ad, int32_t as, int32_t df, int32_t dd,
                       int32_t ds, int32_t tw, int32_t tl, int32_t ow, int32_t ol) {
  time = t;
  a_frags = af;
  a_deaths = ad;
  a_suicides = as;
  dm_frags = df;
  dm_deaths = dd;
  dm_suicides = ds;
  t_wins = tw;
  t_losses = tl;
  o_wins = ow;
  o_losses = ol;
  modified = true;
}

void HashEntry::writeDB(util::BigEndianWriter& out) const {
  try {
    out.writeText(name);
    out.writeBool(isABot);
    out.writeInt(uid);
    out.writeDouble(time);
    for (const int32_t field : {a_frags, a_deaths, a_suicides, dm_frags, dm_deaths, dm_suicides,
                                t_wins, t_losses, o_wins, o_losses}) {
      out.writeInt(field);
    }
  } catch (const std::exception& e) {
    util::Debug::print("Error in HashEntry.writeDB: " + util::failureText(e), 0);
  }
}

}  // namespace orvane::programs::ScorexBRK
