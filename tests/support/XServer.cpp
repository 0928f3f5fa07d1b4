#include "XServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace orvane::testing {

XServer::XServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    close(fds[0]);
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // Xvfb writes its display number on the descriptor once it accepts clients.
  std::string number;
  pollfd pfd = {fds[0], POLLIN, 0};
  char ch;
  while (poll(&pfd, 1, 15000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n') number += ch;
  close(fds[0]);
  if (number.empty()) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return;
  }
  pid = child;
  name = ":" + number;
}

XServer::~XServer() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
}

namespace {

// One Xlib connection for one query.
class Connection {
 public:
  explicit Connection(const std::string& display) : d(XOpenDisplay(display.c_str())) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() {
    if (d != nullptr) XCloseDisplay(d);
  }
  Display* get() const { return d; }

 private:
  Display* d;
};

std::string titleOf(Display* d, Window w) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(d, w, &name) != 0 && name != nullptr) title = name;
  if (name != nullptr) XFree(name);
  return title;
}

std::optional<WindowInfo> infoOf(Display* d, Window w) {
  XWindowAttributes a;
  if (XGetWindowAttributes(d, w, &a) == 0) return std::nullopt;
  WindowInfo info;
  info.id = w;
  info.width = a.width;
  info.height = a.height;
  info.mapped = a.map_state == IsViewable;
  Window child;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &info.x, &info.y, &child);
  return info;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::optional<WindowInfo> findWindow(const std::string& display, const std::string& title,
                                     int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  XSetErrorHandler(ignoreErrors);
  while (std::chrono::steady_clock::now() < deadline) {
    Connection c(display);
    if (c.get() != nullptr) {
      Window root;
      Window parent;
      Window* children = nullptr;
      unsigned int count = 0;
      if (XQueryTree(c.get(), DefaultRootWindow(c.get()), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
          if (titleOf(c.get(), children[i]) != title) continue;
          auto info = infoOf(c.get(), children[i]);
          if (info && info->mapped) {
            XFree(children);
            return info;
          }
        }
        if (children != nullptr) XFree(children);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

std::optional<WindowInfo> windowState(const std::string& display, unsigned long id) {
  XSetErrorHandler(ignoreErrors);
  Connection c(display);
  if (c.get() == nullptr) return std::nullopt;
  return infoOf(c.get(), id);
}

unsigned long pixelAt(const std::string& display, unsigned long id, int x, int y) {
  Connection c(display);
  if (c.get() == nullptr) return ~0UL;
  XImage* image = XGetImage(c.get(), id, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return ~0UL;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

void closeWindow(const std::string& display, unsigned long id) {
  Connection c(display);
  if (c.get() == nullptr) return;
  XEvent ev;
  std::memset(&ev, 0, sizeof ev);
  ev.xclient.type = ClientMessage;
  ev.xclient.window = id;
  ev.xclient.message_type = XInternAtom(c.get(), "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(c.get(), "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(c.get(), id, False, NoEventMask, &ev);
  XFlush(c.get());
}

}  // namespace orvane::testing
