// The game test harness (see game_harness.h).
#include "tests/game/game_harness.h"


int TestHost::SaveState(String state) {
  savedState = state;
  ++saves;
  return 0;
}

GameHarness::GameHarness(int width, int height, const String& savedState) {
  host.savedState = savedState;
  fake_glfw::reset();
  fake_gl::reset();
  fake_glfw::state.now = 10;
  fake_glfw::state.desktop = {1920, 1080, 8, 8, 8};
  koInit();
  koMain();
  host.SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, false);
  host.StartGame();
  app_ = static_cast<c_MyApp*>(ko_app__app.get());
}

GameHarness::~GameHarness() {
  for (bool& down : fake_glfw::state.keyDown) down = false;
}

void GameHarness::Update(int count) {
  for (int i = 0; i < count; ++i) {
    fake_glfw::state.now += 1.0 / 60;
    host.UpdateGame();
  }
}

void GameHarness::Render() { host.RenderGame(); }

void GameHarness::Frame(int count) {
  for (int i = 0; i < count; ++i) {
    Render();
    Update();
  }
}

void GameHarness::FinishLoading() {
  for (int guard = 0; guard < 40 && app_->m_loadStep > 0; ++guard) Frame();
}

void GameHarness::Resize(int width, int height) {
  fake_glfw::state.width = width;
  fake_glfw::state.height = height;
}

void GameHarness::Press(int glfwKey) { fake_glfw::press_key(glfwKey); }
void GameHarness::Release(int glfwKey) { fake_glfw::release_key(glfwKey); }

void GameHarness::Tap(int glfwKey) {
  Press(glfwKey);
  Release(glfwKey);
}

void GameHarness::Hold(int glfwKey, int updates) {
  Press(glfwKey);
  Update(updates);
  Release(glfwKey);
  Update();
}

void GameHarness::Type(int character) { fake_glfw::type_char(character); }
void GameHarness::MouseTo(int x, int y) { fake_glfw::move_mouse(x, y); }
void GameHarness::MouseButton(int button, bool down) {
  fake_glfw::mouse_button(button, down ? glfw2::GLFW_PRESS : glfw2::GLFW_RELEASE);
}

std::vector<DrawCommand> GameHarness::Commands() {
  std::vector<DrawCommand> commands;
  for (int start = 0; start + 15 <= app_->m_drawLen; start += 15) {
    const Array<float>& list = app_->m_drawList;
    commands.push_back({list[start], list[start + 1], list[start + 2], list[start + 3], list[start + 4],
                        list[start + 5], list[start + 6], list[start + 7], list[start + 10], list[start + 11],
                        list[start + 12], list[start + 13]});
  }
  return commands;
}

std::vector<DrawCommand> GameHarness::ImageCommands(int slot) {
  std::vector<DrawCommand> found;
  for (const DrawCommand& command : Commands()) {
    if (command.kind == slot) found.push_back(command);
  }
  return found;
}

std::vector<std::string> GameHarness::Texts() {
  std::vector<std::string> texts;
  float lastY = kNone;
  for (const DrawCommand& command : ImageCommands(app_->m_font)) {
    if (texts.empty() || command.y != lastY) texts.emplace_back();
    texts.back() += static_cast<char>(command.frame + 32);
    lastY = command.y;
  }
  return texts;
}

bool GameHarness::Shows(const std::string& text) {
  for (const std::string& drawn : Texts()) {
    if (drawn.find(text) != std::string::npos) return true;
  }
  return false;
}
