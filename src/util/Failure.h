#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace orvane::util {

// A failure thrown by deep code and caught by the operation that owns it. It carries a kind
// (for example "NumberFormatException") and a message; failureText renders both.
class Failure : public std::runtime_error {
 public:
  Failure(std::string kind, const std::string& message)
      : std::runtime_error(message), kind(std::move(kind)) {}
  const std::string& getKind() const { return kind; }

 private:
  std::string kind;
};

// The failure's text as trace lines show it: its kind, then ": " and its message when it has
// one. Exceptions from the standard library are given the kind that matches their cause.
std::string failureText(const std::exception& e);

}  // namespace orvane::util
