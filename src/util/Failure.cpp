#include "util/Failure.h"

#include <new>
#include <typeinfo>

namespace orvane::util {

std::string failureText(const std::exception& e) {
  std::string kind;
  if (const auto* f = dynamic_cast<const Failure*>(&e)) {
    kind = f->getKind();
  } else if (dynamic_cast<const std::out_of_range*>(&e) != nullptr) {
    kind = "IndexOutOfBoundsException";
  } else if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
    return "OutOfMemoryError";
  } else {
    kind = "Exception";
  }
  const std::string message = e.what();
  return message.empty() ? kind : kind + ": " + message;
}

}  // namespace orvane::util
