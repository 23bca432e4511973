// The test X server and window queries (see x11_session.h).
#include "tests/e2e/x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

bool window_title(Display* display, Window window, std::string& title) {
  char* name = nullptr;
  if (!XFetchName(display, window, &name) || !name) return false;
  title = name;
  XFree(name);
  return true;
}

Window find_titled(Display* display, Window parent, const std::string& title) {
  Window root, parentOut, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    std::string name;
    XWindowAttributes attributes;
    if (window_title(display, children[i], name) && name == title && XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found = children[i];
    } else {
      found = find_titled(display, children[i], title);
    }
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

namespace {
// A window may vanish between finding it and asking about it: report nothing rather than end the test.
int ignore_x_errors(Display*, XErrorEvent*) { return 0; }
}  // namespace

X11Session::X11Session() {
  server_ = std::make_unique<BackgroundProcess>(std::vector<std::string>{
      "Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (server_->Running() && std::chrono::steady_clock::now() < deadline) {
    const std::string& out = server_->Stdout();
    if (out.find('\n') != std::string::npos) {
      displayName_ = ":" + out.substr(0, out.find('\n'));
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (displayName_.empty()) return;
  setenv("DISPLAY", displayName_.c_str(), 1);
  display_ = XOpenDisplay(displayName_.c_str());
  XSetErrorHandler(ignore_x_errors);
}

X11Session::~X11Session() {
  if (display_) XCloseDisplay(display_);
}

WindowInfo X11Session::Describe(unsigned long window) {
  WindowInfo info;
  info.id = window;
  window_title(display_, window, info.title);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window, &attributes)) {
    Window child;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &info.x, &info.y, &child);
    info.width = attributes.width, info.height = attributes.height;
  }
  return info;
}

bool X11Session::WaitForWindow(const std::string& title, WindowInfo& info, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Window window = find_titled(display_, DefaultRootWindow(display_), title)) {
      info = Describe(window);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool X11Session::WaitForFocus(unsigned long window, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(display_, &focused, &revert);
    if (focused == window) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

unsigned long X11Session::FocusedWindow() {
  Window focused = 0;
  int revert = 0;
  XGetInputFocus(display_, &focused, &revert);
  return focused;
}

void X11Session::RequestClose(unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XFlush(display_);
}

std::vector<unsigned> X11Session::Grab(int x, int y, int width, int height) {
  std::vector<unsigned> pixels;
  // Only what lies on the screen can be read.
  int screenWidth = DisplayWidth(display_, DefaultScreen(display_));
  int screenHeight = DisplayHeight(display_, DefaultScreen(display_));
  if (x < 0) width += x, x = 0;
  if (y < 0) height += y, y = 0;
  if (x + width > screenWidth) width = screenWidth - x;
  if (y + height > screenHeight) height = screenHeight - y;
  if (width <= 0 || height <= 0) return pixels;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) pixels.push_back(XGetPixel(image, column, row) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

bool Xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> command = {"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunProcess(command, "", 10).status == 0;
}

void PauseFor(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void PressKey(const std::string& key) {
  Xdotool({"keydown", key});
  PauseFor(120);
  Xdotool({"keyup", key});
  PauseFor(250);
}
