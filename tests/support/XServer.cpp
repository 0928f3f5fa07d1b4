#include "XServer.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

namespace orvane::testing {

XServer::XServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid = fork();
  if (pid == 0) {
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, 1);
    dup2(devNull, 2);
    const std::string fd = std::to_string(fds[1]);
    // Without -noreset the server resets whenever its last client goes, and a program that
    // connects meanwhile finds no display.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "640x480x24",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // Xvfb writes its display number on the descriptor once it accepts clients.
  pollfd p = {fds[0], POLLIN, 0};
  char c = 0;
  while (pid > 0 && poll(&p, 1, 15000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') name += c;
  close(fds[0]);
  if (!name.empty()) name = ":" + name;
}

XServer::~XServer() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
}

namespace {

// One Xlib connection for one query; X errors (a window gone meanwhile) are ignored.
using Connection = std::unique_ptr<Display, int (*)(Display*)>;
Connection connect(const std::string& display) {
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  return {XOpenDisplay(display.c_str()), XCloseDisplay};
}

}  // namespace

std::optional<unsigned long> findWindow(const std::string& display, const std::string& title,
                                        int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (; std::chrono::steady_clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
    const Connection c = connect(display);
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!c || !XQueryTree(c.get(), DefaultRootWindow(c.get()), &root, &parent, &children, &count)) {
      continue;
    }
    std::optional<unsigned long> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
      char* name = nullptr;
      XWindowAttributes a;
      if (XFetchName(c.get(), children[i], &name) != 0 && name != nullptr && name == title &&
          XGetWindowAttributes(c.get(), children[i], &a) != 0 && a.map_state == IsViewable) {
        found = children[i];
      }
      XFree(name);
    }
    XFree(children);
    if (found) return found;
  }
  return std::nullopt;
}

void closeWindow(const std::string& display, unsigned long id) {
  const Connection c = connect(display);
  if (!c) return;
  XEvent ev{};
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
