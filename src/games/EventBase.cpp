#include "games/EventBase.h"

#include "util/Debug.h"
#include "util/Failure.h"
#include "util/Numbers.h"

namespace orvane::games {

namespace {

std::string_view fieldAt(TokenList l, size_t i) {
  if (i >= l.size()) throw util::Failure(util::Failure::kArrayIndexOutOfBounds, std::to_string(i));
  return l[i];
}

}  // namespace

bool EventBase::begin(TokenList l, size_t required, std::string_view report) {
  if (l.size() < required) {
    util::Debug::print(report, 0);
    return false;
  }
  valid = true;
  time = floatAt(l, 0);
  return true;
}

int32_t intAt(TokenList l, size_t i) { return util::parseInt(fieldAt(l, i)); }
double floatAt(TokenList l, size_t i) { return util::parseDouble(fieldAt(l, i)); }
bool flagAt(TokenList l, size_t i) { return fieldAt(l, i) != "False"; }
std::string textAt(TokenList l, size_t i) { return std::string(fieldAt(l, i)); }

EInfo::EInfo(TokenList l) {
  if (!begin(l, 3, "Bad 'Info' Event")) return;
  infoType = l[2];
  list.assign(l.begin() + 3, l.end());
}
std::string EInfo::body() const { return "Info " + infoType; }

}  // namespace orvane::games
