#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace orvane::util {

// A failure thrown by deep code and caught by the operation that owns it. It carries a kind
// and a message; failureText renders both.
class Failure : public std::runtime_error {
 public:
  // The kinds of failure. The trace shows each by its name ("IOException" for kIO, see
  // kindName); naming them here, once, keeps a misspelt kind from compiling.
  enum Kind {
    kIO,
    kFileNotFound,
    kEOF,
    kNullPointer,
    kNumberFormat,
    kParse,
    kArithmetic,
    kClassCast,
    kIllegalArgument,
    kIndexOutOfBounds,
    kArrayIndexOutOfBounds,
    kStringIndexOutOfBounds,
    kInterrupted,
    kConfiguration,
  };

  Failure(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}
  Kind getKind() const { return kind; }

  // The name the trace shows for a kind.
  static const char* kindName(Kind kind);

 private:
  Kind kind;
};

// The failure's text as trace lines show it: its kind, then ": " and its message when it has
// one. Exceptions from the standard library are given the kind that matches their cause.
std::string failureText(const std::exception& e);

}  // namespace orvane::util
