#pragma once

#include <optional>
#include <string>

namespace orvane::testing {

// A private Xvfb server for window tests, stopped when the object goes away.
class XServer {
 public:
  XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer();
  // False when Xvfb cannot be started.
  bool available() const { return !name.empty(); }
  // The display name, for example ":5".
  const std::string& display() const { return name; }

 private:
  int pid = -1;
  std::string name;
};

// The top-level window with this title, waiting up to timeoutMs for it to be mapped.
std::optional<unsigned long> findWindow(const std::string& display, const std::string& title,
                                        int timeoutMs);
// Asks the window to close, as a window manager's close button does.
void closeWindow(const std::string& display, unsigned long id);

}  // namespace orvane::testing
