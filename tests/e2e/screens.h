// What the end-to-end tests look for in the game's window: pixel counts by colour in regions given in virtual
// pixels (the game's 640 x 480 design, scaled to the window), the title screen's features, and screenshots
// saved to the build's test output folder for a person to look at. The title's recognition is shared with the
// figures programs in bench/, which watch for the title without the test framework.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/x11_session.h"

// Pixels within `tolerance` of (red, green, blue) on every channel.
int CountNear(const std::vector<unsigned>& pixels, int red, int green, int blue, int tolerance = 60);
// Pixels brighter than `sum` (red + green + blue).
int CountBright(const std::vector<unsigned>& pixels, int sum = 500);

// A view of the game's window in virtual pixels: the window's width is 640 virtual pixels wide in landscape.
class GameView {
 public:
  GameView(X11Session& x11, const WindowInfo& window);
  float scale() const { return scale_; }
  std::vector<unsigned> Grab(float x, float y, float width, float height) const;  // virtual pixels
  // Writes the window's picture to <test output folder>/<name>.png; false if it could not.
  bool Save(const std::string& name) const;

 private:
  X11Session& x11_;
  WindowInfo window_;
  float scale_;
};

// One feature of a screen: how many pixels of its region showed it, and the count it must exceed.
struct ScreenFeature {
  const char* name;
  int count, threshold;
  bool present() const { return count > threshold; }
};

using ScreenFeatures = std::function<std::vector<ScreenFeature>(const GameView&)>;
bool AllPresent(const std::vector<ScreenFeature>& features);
// Looks at the screen until every feature shows or `seconds` pass (a screen may still be sliding in on a busy
// machine), then fails the test once per feature missing. Saves the picture as `screenshot` if one is named.
void ExpectScreen(const GameView& view, const ScreenFeatures& features, const std::string& screenshot = "",
                  double seconds = 3);

// The title screen: the blue ground, the title, the score strip on the right with its "Top" list, the gear.
std::vector<ScreenFeature> TitleScreenFeatures(const GameView& view);
bool LooksLikeTitleScreen(const GameView& view);  // every feature present
bool WaitForTitleScreen(const GameView& view, double seconds);  // false if it did not show in time
void ExpectTitleScreen(const GameView& view, const std::string& screenshot = "");
