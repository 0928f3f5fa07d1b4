#pragma once

#include <string>

namespace orvane::programs::Scorex::run {

// Starts the browser launcher, an outside program that shows one page of the site.
class Browser {
 public:
  // Starts program with the page as its one argument. With wait, returns when it has ended
  // (and 0); otherwise returns its process id at once. Throws an IOException failure when the
  // program cannot be started (missing, not executable).
  static int start(const std::string& program, const std::string& page, bool wait);
  // Collects a launcher started without waiting if it has ended, so that it leaves no zombie.
  static void reap(int pid);
};

}  // namespace orvane::programs::Scorex::run
