#pragma once

#include <memory>
#include <string>

namespace orvane::programs::Scorex::run {

// The progress window: a header line and a status line in a small 400 x 100 window. It runs on
// its own toolkit thread; the work thread only changes its texts and visibility. Without a
// usable display (no DISPLAY, or a server that refuses) it is a silent stand-in. Owned by the
// run driver for one run; the destructor stops and joins the toolkit thread.
class Frame1 {
 public:
  // Title and header by the configured program name and version.
  Frame1();
  explicit Frame1(const std::string& title);
  Frame1(const Frame1&) = delete;
  Frame1& operator=(const Frame1&) = delete;
  ~Frame1();

  void printText(const std::string& str);
  void printHeader(const std::string& str);
  // Showing first moves the window to screen position (50, 50).
  void setVisible(bool b);

  // True while a real window is on screen: shown, and not closed by the user since.
  bool isShowing() const;
  // Waits up to ms milliseconds while the window is on screen; returns early when the user
  // closes it, and at once when there is nothing on screen.
  void linger(int ms);

  // What the fields and title hold (read back from the widgets when there is a window).
  std::string headerText() const;
  std::string statusText() const;
  std::string title() const;
  bool isHeadless() const { return ui == nullptr; }

 private:
  struct Ui;
  void build(const std::string& title);

  std::unique_ptr<Ui> ui;  // null for the headless stand-in
  std::string header;
  std::string status;
  std::string windowTitle;
};

}  // namespace orvane::programs::Scorex::run
