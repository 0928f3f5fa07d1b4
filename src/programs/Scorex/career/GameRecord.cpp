#include "programs/Scorex/career/GameRecord.h"

#include <exception>
#include <utility>

#include "util/Debug.h"
#include "util/Failure.h"

namespace orvane::programs::Scorex::career {

GameRecord::GameRecord(int32_t uid, std::string name, bool isABot, int32_t score, std::string map,
                       std::string date, double time)
    : name(std::move(name)),
      map(std::move(map)),
      date(std::move(date)),
      uid(uid),
      score(score),
      isABot(isABot),
      time(time) {}

GameRecord::GameRecord(util::BigEndianReader& in) {
  // Each field is stored as soon as it is read, so a damaged record keeps what came before.
  try {
    uid = in.readInt();
    name = in.readText();
    map = in.readText();
    date = in.readText();
    isABot = in.readBool();
    score = in.readInt();
    time = in.readDouble();
  } catch (const std::exception& e) {
    util::Debug::report("Error in GameRecord.new: ", e);
    in.markFailed();
  }
}

void GameRecord::writeDB(util::BigEndianWriter& out) const {
  try {
    out.writeInt(uid);
    out.writeText(name);
    out.writeText(map);
    out.writeText(date);
    out.writeBool(isABot);
    out.writeInt(score);
    out.writeDouble(time);
  } catch (const std::exception& e) {
    util::Debug::report("Error in GameRecord.writeDB: ", e);
  }
}

}  // namespace orvane::programs::Scorex::career
