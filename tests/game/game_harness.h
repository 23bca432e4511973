// The real game on the real framework, with the fake window layer, fake OpenGL and a silent OpenAL, driven by
// a scripted clock and scripted input: a test can say "press F2, run 3 updates" and then look at the game's
// fields and its recorded draw list. The data folder is the one the build generated.
#pragma once

#include <string>
#include <vector>

#include "game/my_app.h"
#include "host/core/glfw_game.h"
#include "tests/fakes/fake_gl.h"
#include "tests/fakes/fake_glfw2.h"
#include "tests/game/build_data_host.h"

// The host with "tarsil://data/" mapped onto the generated data folder (the test does not live beside it),
// and the saved state kept in memory: no test reads or writes a file of another, even when they run side by side.
class TestHost : public BuildDataHost {
 public:
  int SaveState(String state) override;
  String LoadState() override { return savedState; }
  String savedState;  // what the game saved last, or what it finds at start
  int saves = 0;      // SaveState calls
};

struct DrawCommand {
  float kind, x, y, rotation, sizeX, sizeY, frame, alpha, red, green, blue, blend;
};

class GameHarness {
 public:
  // Starts the program as Main does, with a window of this size and this saved state.
  explicit GameHarness(int width = 640, int height = 480, const String& savedState = String());
  ~GameHarness();

  void Update(int count = 1);  // updates, each 1/60 s later on the clock
  void Render();
  void Frame(int count = 1);   // render then update, as the frame loop does
  void FinishLoading();        // frames until the loader is done
  void Resize(int width, int height);

  void Press(int glfwKey);    // key down (stays down until Release)
  void Release(int glfwKey);
  void Tap(int glfwKey);      // down and up before the next update
  void Hold(int glfwKey, int updates = 4);  // pressed for a few updates, as a person presses, then released
  void Type(int character);
  void MouseTo(int x, int y);  // window pixels
  void MouseButton(int button, bool down);

  c_MyApp& app() { return *app_; }
  std::vector<DrawCommand> Commands();             // the recorded draw list
  std::vector<DrawCommand> ImageCommands(int slot);  // only the image commands of one slot
  // The text drawn with the game's font, one string per run of glyphs on one baseline (spaces are not drawn).
  std::vector<std::string> Texts();
  bool Shows(const std::string& text);  // one of Texts() contains it

  TestHost host;

 private:
  c_MyApp* app_ = nullptr;
};
