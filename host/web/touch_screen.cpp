// The page's fingers and tilt (touch_screen.h).
//
// Touches: every finger on the canvas keeps one index (0 to 31) from touching down to lifting, the lowest one
// free when it came down, so the game tells two fingers apart (the pad moved with one while the other fires, a
// pinch). Positions are in the canvas's drawing pixels, as the mouse's are. The page's own handling of a touch
// (scrolling, zooming, a long press's menu, the mouse events a browser makes up afterwards) is prevented. A
// finger past the 32nd is ignored until one lifts; one never seen coming down (it began off the canvas) too.
// Tilt: the device's acceleration with gravity, in g, turned from the device's axes to the screen's as the
// screen is turned (x to the right of the picture, y up it, z out of it); a browser with no motion sensor sends
// nothing, and the readings stay 0.
// The first lifted finger is the page's first gesture: sound may start then, and a browser that asks before
// giving the device's motion asks then.
#include "host/web/touch_screen.h"

#include <emscripten/em_asm.h>
#include <emscripten/html5.h>

#include <cmath>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr int kFingers = 32;
constexpr double kGravity = 9.81;  // m/s^2 in one g

bool listening = false;
bool gestured = false;
long fingerIds[kFingers];
bool fingerDown[kFingers] = {};

int finger_index(long identifier) {
  for (int i = 0; i < kFingers; ++i) {
    if (fingerDown[i] && fingerIds[i] == identifier) return i;
  }
  return -1;
}

int take_free_index(long identifier) {
  for (int i = 0; i < kFingers; ++i) {
    if (fingerDown[i]) continue;
    fingerDown[i] = true;
    fingerIds[i] = identifier;
    return i;
  }
  return -1;
}

// What the page does on its first gesture, which browsers require for sound and for the device's motion.
void first_gesture() {
  if (gestured) return;
  gestured = true;
  EM_ASM({
    if (typeof AL == "object") {
      for (var id in AL.contexts) {
        var context = AL.contexts[id] && AL.contexts[id].audioCtx;
        if (context && context.state == "suspended") context.resume().catch(function () {});
      }
    }
    if (typeof DeviceMotionEvent != "undefined" && typeof DeviceMotionEvent.requestPermission == "function") {
      DeviceMotionEvent.requestPermission().catch(function () {});
    }
  });
}

// From the canvas's page pixels to its drawing pixels.
void canvas_position(const EmscriptenTouchPoint& point, float* x, float* y) {
  double pageWidth = 0, pageHeight = 0;
  int width = 0, height = 0;
  emscripten_get_element_css_size(kCanvas, &pageWidth, &pageHeight);
  emscripten_get_canvas_element_size(kCanvas, &width, &height);
  *x = pageWidth > 0 ? static_cast<float>(point.targetX * width / pageWidth) : 0.0f;
  *y = pageHeight > 0 ? static_cast<float>(point.targetY * height / pageHeight) : 0.0f;
}

void deliver_finger(int eventType, const EmscriptenTouchPoint& point) {
  int index = finger_index(point.identifier);
  int event = c_KoGameEvent::TouchMove;
  if (eventType == EMSCRIPTEN_EVENT_TOUCHSTART) {
    if (index < 0) index = take_free_index(point.identifier);
    event = c_KoGameEvent::TouchDown;
  } else if (eventType == EMSCRIPTEN_EVENT_TOUCHEND || eventType == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
    event = c_KoGameEvent::TouchUp;
  }
  if (index < 0) return;
  if (event == c_KoGameEvent::TouchUp) fingerDown[index] = false;
  float x = 0, y = 0;
  canvas_position(point, &x, &y);
  if (KoGlfwGame::_glfwGame) KoGlfwGame::_glfwGame->TouchEvent(event, index, x, y);
}

EM_BOOL on_touch(int eventType, const EmscriptenTouchEvent* touches, void*) {
  const int count = touches->numTouches < kFingers ? touches->numTouches : kFingers;
  for (int i = 0; i < count; ++i) {
    if (touches->touches[i].isChanged) deliver_finger(eventType, touches->touches[i]);
  }
  if (eventType == EMSCRIPTEN_EVENT_TOUCHEND) first_gesture();
  return EM_TRUE;  // the browser's own handling of the touch is not wanted
}

// The screen's turn in degrees from the device's natural one, counter-clockwise: 0, 90, 180 or 270.
int screen_angle() {
  return EM_ASM_INT({
    var angle = (screen.orientation && screen.orientation.angle) || window.orientation || 0;
    return ((angle % 360) + 360) % 360;
  });
}

float in_g(double metresPerSecond2) {
  return std::isfinite(metresPerSecond2) ? static_cast<float>(metresPerSecond2 / kGravity) : 0.0f;
}

// The toolchain leaves supportedFields unwritten; an event without the acceleration with gravity has its values
// not-a-number instead.
EM_BOOL on_motion(int, const EmscriptenDeviceMotionEvent* motion, void*) {
  if (!std::isfinite(motion->accelerationIncludingGravityX) && !std::isfinite(motion->accelerationIncludingGravityY) &&
      !std::isfinite(motion->accelerationIncludingGravityZ)) {
    return EM_FALSE;
  }
  const float x = in_g(motion->accelerationIncludingGravityX), y = in_g(motion->accelerationIncludingGravityY);
  const float z = in_g(motion->accelerationIncludingGravityZ);
  float screenX = x, screenY = y;
  switch (screen_angle()) {
    case 90: screenX = -y; screenY = x; break;
    case 180: screenX = -x; screenY = -y; break;
    case 270: screenX = y; screenY = -x; break;
    default: break;
  }
  if (KoGlfwGame::_glfwGame) KoGlfwGame::_glfwGame->MotionEvent(c_KoGameEvent::MotionAccel, 0, screenX, screenY, z);
  return EM_FALSE;
}

EM_BOOL on_page_resize(int, const EmscriptenUiEvent*, void*) {
  FitCanvasToPage();
  return EM_FALSE;
}

void set_touch_callbacks(em_touch_callback_func callback) {
  emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, callback);
  emscripten_set_touchmove_callback(kCanvas, nullptr, EM_TRUE, callback);
  emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, callback);
  emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_TRUE, callback);
}

}  // namespace

// Outside a page (the replay runner under Node.js) there is no window to listen to.
void ListenToTouchScreen() {
  if (listening || !EM_ASM_INT({ return typeof window == "object" && typeof document == "object" ? 1 : 0; })) return;
  listening = true;
  // The toolchain's GLFW would press the mouse's button for any touch, at the mouse's last position.
  EM_ASM({
    var canvas = Module["canvas"];
    if (typeof GLFW != "object" || !canvas) return;
    canvas.removeEventListener("touchstart", GLFW.onMouseButtonDown, true);
    canvas.removeEventListener("touchmove", GLFW.onMousemove, true);
    canvas.removeEventListener("touchend", GLFW.onMouseButtonUp, true);
    canvas.removeEventListener("touchcancel", GLFW.onMouseButtonUp, true);
  });
  set_touch_callbacks(on_touch);
  emscripten_set_devicemotion_callback(nullptr, EM_FALSE, on_motion);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, on_page_resize);
}

void StopTouchScreen() {
  if (!listening) return;
  set_touch_callbacks(nullptr);
  emscripten_set_devicemotion_callback(nullptr, EM_FALSE, nullptr);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
}

void FitCanvasToPage() {
  if (!PlatformHasTouchScreen()) return;
  double pageWidth = 0, pageHeight = 0;
  emscripten_get_element_css_size(kCanvas, &pageWidth, &pageHeight);
  const double ratio = emscripten_get_device_pixel_ratio();
  const int width = static_cast<int>(std::lround(pageWidth * ratio));
  const int height = static_cast<int>(std::lround(pageHeight * ratio));
  if (width > 0 && height > 0) emscripten_set_canvas_element_size(kCanvas, width, height);
}
