#include "programs/Scorex/career/CareerRecord.h"

#include <exception>
#include <utility>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::career {

CareerRecord::CareerRecord(int32_t uid, std::string name, bool isABot, int32_t score, int32_t games,
                           double time)
    : name(std::move(name)), uid(uid), score(score), games(games), isABot(isABot), time(time) {}

CareerRecord::CareerRecord(util::BigEndianReader& in) {
  // Each field is stored as soon as it is read, so a damaged record keeps what came before.
  try {
    uid = in.readInt();
    name = in.readText();
    isABot = in.readBool();
    score = in.readInt();
    games = in.readInt();
    time = in.readDouble();
  } catch (const std::exception& e) {
    util::Debug::report("Error in CareerRecord.new: ", e);
    in.markFailed();
  }
}

void CareerRecord::writeDB(util::BigEndianWriter& out) const {
  try {
    out.writeInt(uid);
    out.writeText(name);
    out.writeBool(isABot);
    out.writeInt(score);
    out.writeInt(games);
    out.writeDouble(time);
  } catch (const std::exception& e) {
    util::Debug::report("Error in CareerRecord.writeDB: ", e);
  }
}

}  // namespace orvane::programs::Scorex::career
