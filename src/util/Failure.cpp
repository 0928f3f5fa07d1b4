#include "util/Failure.h"

#include <new>
#include <typeinfo>

namespace orvane::util {

const char* Failure::kindName(Kind kind) {
  switch (kind) {
    case kIO:
      return "IOException";
    case kFileNotFound:
      return "FileNotFoundException";
    case kEOF:
      return "EOFException";
    case kNullPointer:
      return "NullPointerException";
    case kNumberFormat:
      return "NumberFormatException";
    case kParse:
      return "ParseException";
    case kArithmetic:
      return "ArithmeticException";
    case kClassCast:
      return "ClassCastException";
    case kIllegalArgument:
      return "IllegalArgumentException";
    case kIndexOutOfBounds:
      return "IndexOutOfBoundsException";
    case kArrayIndexOutOfBounds:
      return "ArrayIndexOutOfBoundsException";
    case kStringIndexOutOfBounds:
      return "StringIndexOutOfBoundsException";
    case kInterrupted:
      return "InterruptedException";
    case kConfiguration:
      return "ConfigurationException";
  }
  return "Exception";
}

std::string failureText(const std::exception& e) {
  std::string kind;
  if (const auto* f = dynamic_cast<const Failure*>(&e)) {
    kind = Failure::kindName(f->getKind());
  } else if (dynamic_cast<const std::out_of_range*>(&e) != nullptr) {
    kind = Failure::kindName(Failure::kIndexOutOfBounds);
  } else if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
    return "OutOfMemoryError";
  } else {
    kind = "Exception";
  }
  const std::string message = e.what();
  return message.empty() ? kind : kind + ": " + message;
}

}  // namespace orvane::util
