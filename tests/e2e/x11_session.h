// An X server of the test's own (Xvfb, 1280 x 1024 x 24) and what the end-to-end tests ask of it: finding the
// program's window, its title and geometry, asking it to close as a window manager would, reading pixels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"

struct WindowInfo {
  unsigned long id = 0;
  std::string title;
  int x = 0, y = 0, width = 0, height = 0;
};

class X11Session {
 public:
  X11Session();  // starts Xvfb and sets DISPLAY for this process and its children
  ~X11Session();
  bool ok() const { return display_ != nullptr; }
  const std::string& displayName() const { return displayName_; }

  // Waits up to `seconds` for a mapped top-level window with this title.
  bool WaitForWindow(const std::string& title, WindowInfo& info, double seconds = 10);
  WindowInfo Describe(unsigned long window);
  bool WaitForFocus(unsigned long window, double seconds = 5);
  unsigned long FocusedWindow();
  void RequestClose(unsigned long window);  // WM_DELETE_WINDOW, the window's close button
  // The screen's pixels in the rectangle, as 0xRRGGBB, rows top to bottom.
  std::vector<unsigned> Grab(int x, int y, int width, int height);

 private:
  std::unique_ptr<BackgroundProcess> server_;
  std::string displayName_;
  struct _XDisplay* display_ = nullptr;
};

// Runs xdotool with these arguments against the session's display; true on success.
bool Xdotool(const std::vector<std::string>& arguments);
// A key pressed as a person presses it: held for a few of the game's updates, then a short wait, so the game
// sees it held (a press and release between two updates would be missed).
void PressKey(const std::string& key);
void PauseFor(int milliseconds);
