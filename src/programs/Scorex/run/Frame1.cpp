#include "programs/Scorex/run/Frame1.h"

#include <FL/Fl.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Window.H>
#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "programs/Scorex/settings/config.h"

namespace orvane::programs::Scorex::run {

namespace {

const Fl_Color kBackground = fl_rgb_color(16, 0, 120);  // #100078
const char* const kFirstStatus = "Loading Log Files...";

// FLTK ends the whole process when it cannot open its display, so ask Xlib first: servers
// run this program headless, and a headless run must go on.
bool displayUsable() {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return false;
  XCloseDisplay(d);
  return true;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The font libraries under the toolkit keep caches for the whole process and never free them;
// the leak checker of the sanitized build must not count those as leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

struct Frame1::Ui {
  std::thread thread;
  std::mutex mutex;
  std::condition_variable changed;
  bool ready = false;
  bool shown = false;  // on screen, as the work thread asked and the user left it
  std::atomic<bool> stop{false};
  Fl_Window* window = nullptr;
  Fl_Output* textField1 = nullptr;
  Fl_Output* textField2 = nullptr;
  bool fComponentsAdjusted = false;

  void run(const std::string& title, const std::string& header);
  void setShown(bool on) {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      shown = on;
    }
    changed.notify_all();
  }

  static void styleField(Fl_Output* f) {
    f->color(kBackground);
    f->textcolor(FL_WHITE);
    f->visible_focus(0);
  }
  // Toolkit thread: the user closed the window (or pressed Escape). Only hide it.
  static void closing(Fl_Widget* w, void* data) {
    w->hide();
    static_cast<Ui*>(data)->setShown(false);
  }
  static void show(void* data) {
    Ui* ui = static_cast<Ui*>(data);
    ui->window->position(50, 50);
    ui->window->show();
    // FLTK places children in the client area already, so the decorations need no shift.
    ui->fComponentsAdjusted = true;
  }
  static void hide(void* data) { static_cast<Ui*>(data)->window->hide(); }
};

void Frame1::Ui::run(const std::string& title, const std::string& header) {
  Fl::lock();
  window = new Fl_Window(400, 100);
  window->color(kBackground);
  window->labelcolor(FL_WHITE);
  window->copy_label(title.c_str());
  textField1 = new Fl_Output(84, 12, 228, 24);
  styleField(textField1);
  textField1->value(header.c_str());
  textField2 = new Fl_Output(12, 48, 375, 24);
  styleField(textField2);
  textField2->value(kFirstStatus);
  window->end();
  window->callback(closing, this);
  {
    const std::lock_guard<std::mutex> lock(mutex);
    ready = true;
  }
  changed.notify_all();
  while (!stop.load()) Fl::wait(0.5);
  delete window;  // and its children
  window = nullptr;
  Fl::unlock();
}

Frame1::Frame1() {
  const std::string version = settings::config::getVersion();
  if (settings::config::program == "ScorexZLN") {
    header = "Scorex(tm) v" + version + " for Zolnar(tm)";
    build("Scorex for Zolnar");
  } else if (settings::config::program == "ScorexBRK") {
    header = "Scorex(tm) v" + version + " for Kelvo Tourney DM for Brakk(tm)";
    build("Scorex for Kelvo Tourney DM for Brakk(tm)");
  } else {
    header = "Scorex(tm) v" + version;
    build("Scorex");
  }
}

Frame1::Frame1(const std::string& title) : Frame1() {
  windowTitle = title;
  if (ui) {
    Fl::lock();
    ui->window->copy_label(title.c_str());
    Fl::unlock();
    Fl::awake();
  }
}

void Frame1::build(const std::string& title) {
  windowTitle = title;
  status = kFirstStatus;
  if (!displayUsable()) return;
  ui = std::make_unique<Ui>();
  ui->thread = std::thread([u = ui.get(), title, h = header] { u->run(title, h); });
  std::unique_lock<std::mutex> lock(ui->mutex);
  ui->changed.wait(lock, [&] { return ui->ready; });
}

Frame1::~Frame1() {
  if (!ui) return;
  ui->stop.store(true);
  Fl::awake();
  ui->thread.join();
}

void Frame1::printText(const std::string& str) {
  status = str;
  if (!ui) return;
  Fl::lock();
  ui->textField2->value(str.c_str());
  Fl::unlock();
  Fl::awake();
}

void Frame1::printHeader(const std::string& str) {
  header = str;
  if (!ui) return;
  Fl::lock();
  ui->textField1->value(str.c_str());
  Fl::unlock();
  Fl::awake();
}

void Frame1::setVisible(bool b) {
  if (!ui) return;
  ui->setShown(b);
  // Windows are shown and hidden on the toolkit thread only.
  Fl::awake(b ? Ui::show : Ui::hide, ui.get());
}

bool Frame1::isShowing() const {
  if (!ui) return false;
  const std::lock_guard<std::mutex> lock(ui->mutex);
  return ui->shown;
}

void Frame1::linger(int ms) {
  if (!ui) return;
  std::unique_lock<std::mutex> lock(ui->mutex);
  ui->changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !ui->shown; });
}

std::string Frame1::headerText() const {
  if (!ui) return header;
  Fl::lock();
  std::string text = ui->textField1->value();
  Fl::unlock();
  return text;
}

std::string Frame1::statusText() const {
  if (!ui) return status;
  Fl::lock();
  std::string text = ui->textField2->value();
  Fl::unlock();
  return text;
}

std::string Frame1::title() const {
  if (!ui) return windowTitle;
  Fl::lock();
  std::string text = ui->window->label() != nullptr ? ui->window->label() : "";
  Fl::unlock();
  return text;
}

}  // namespace orvane::programs::Scorex::run
