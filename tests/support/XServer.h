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

// What a test can see of a top-level window through Xlib.
struct WindowInfo {
  unsigned long id = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool mapped = false;
};

// The top-level window with this title, waiting up to timeoutMs for it to be mapped.
std::optional<WindowInfo> findWindow(const std::string& display, const std::string& title,
                                     int timeoutMs);
// The window's current state (mapped or not), or nothing when it is gone.
std::optional<WindowInfo> windowState(const std::string& display, unsigned long id);
// The colour of a pixel of the window as 0xRRGGBB.
unsigned long pixelAt(const std::string& display, unsigned long id, int x, int y);
// Asks the window to close, as a window manager's close button does.
void closeWindow(const std::string& display, unsigned long id);

}  // namespace orvane::testing
