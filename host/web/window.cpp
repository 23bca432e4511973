// The page's window and its loop (host/core/platform.h): the one canvas, opened once at the size first asked (640 x 480), with one
// WebGL context for the page's life, so only that first opening counts as a new context in glfwGraphicsSeq.
//
// Full screen is the browser's full screen of that canvas, drawn at the screen's size; the context, and every
// texture in it, stay. Asking for it needs a recent key press or click, which is what the game's F11 and options
// row answer; the request completes a moment later, or is refused, so Fullscreen() asks the browser what it is
// now rather than remembering what was asked. The browser leaves full screen by itself when the player presses
// Escape: the canvas then takes its window size back, and the game reads Fullscreen() turn false.
// On a touch screen the page is the screen: the canvas covers it in either orientation, drawn at the page's size
// in device pixels whatever size the game asks for, and follows it when it turns or resizes (touch_screen.h).
// The loop: the browser calls Frame once per animation frame; the host's own schedule runs inside it.
#include <emscripten.h>
#include <emscripten/em_asm.h>
#include <emscripten/html5.h>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"
#include "host/web/touch_screen.h"

using namespace glfw2;

namespace {

constexpr const char* kCanvas = "#canvas";

void frame(void* game) { static_cast<KoGlfwGame*>(game)->Frame(); }
int windowedWidth = 640;   // canvas pixels, restored when full screen ends
int windowedHeight = 480;

// The canvas is drawn at the size it has on the screen: the whole screen while full, the window's size after.
EM_BOOL on_fullscreen_change(int, const EmscriptenFullscreenChangeEvent* change, void*) {
  if (PlatformHasTouchScreen()) {
    FitCanvasToPage();
  } else if (change->isFullscreen) {
    emscripten_set_canvas_element_size(kCanvas, change->screenWidth, change->screenHeight);
  } else {
    emscripten_set_canvas_element_size(kCanvas, windowedWidth, windowedHeight);
  }
  if (!change->isFullscreen && KoGlfwGame::_glfwGame) KoGlfwGame::_glfwGame->LeftFullscreen();
  return EM_FALSE;  // the browser's own handling goes on
}

// A hidden tab gets no animation frames, so the loop's own check would only see the change once the tab is
// back: the game is suspended (its state saved, its sound paused) when the tab is hidden, and resumed when shown.
EM_BOOL on_visibility_change(int, const EmscriptenVisibilityChangeEvent*, void*) {
  if (KoGlfwGame::_glfwGame) KoGlfwGame::_glfwGame->UpdateEvents();
  return EM_FALSE;
}

// The browser's own request: the toolchain's refuses outside its own event handlers, though the browser allows
// it for a while after a key press or click. A refused request leaves the page as it was.
void request_fullscreen() {
  EM_ASM({
    var canvas = document.querySelector(UTF8ToString($0));
    if (!canvas || !canvas.requestFullscreen || document.fullscreenElement) return;
    canvas.requestFullscreen().catch(function () {});
  }, kCanvas);
}

void exit_fullscreen() {
  EM_ASM({
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
  });
}

}  // namespace

WindowChange PlatformSetWindow(const WindowRequest& request) {
  WindowChange change = WindowChange::Kept;
  if (!glfwGetWindowParam(GLFW_OPENED)) {
    if (!glfwOpenWindow(request.width, request.height, request.red, request.green, request.blue, request.alpha,
                        request.depth, request.stencil, GLFW_WINDOW)) {
      return WindowChange::Failed;  // no WebGL
    }
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, on_fullscreen_change);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, on_visibility_change);
    ListenToTouchScreen();
    change = WindowChange::Opened;
  }
  if (request.fullscreen) {
    request_fullscreen();
  } else {
    windowedWidth = request.width;
    windowedHeight = request.height;
    exit_fullscreen();
    emscripten_set_canvas_element_size(kCanvas, request.width, request.height);
    FitCanvasToPage();
  }
  return change;
}

bool PlatformFullscreen() { return EM_ASM_INT({ return document.fullscreenElement ? 1 : 0; }) != 0; }

void PlatformRun(KoGlfwGame& game) {
  game.Open();
  emscripten_set_main_loop_arg(frame, &game, 0, 1);  // does not return: the browser drives the loop from here
}
