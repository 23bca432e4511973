// The GLFW 2 interface the host is written against: exactly the calls and constants the host uses.
//
// GLFW 2 is not packaged any more, so this interface has two implementations with the same function list: the
// real one on GLFW 3 (glfw2_on_glfw3.cpp with each platform's part, glfw2_layer.h) and tests/fakes/fake_glfw2.cpp
// (a recording fake with a scripted clock). The functions live in namespace glfw2 so that they never collide with GLFW 3's C symbols
// of the same names. One window at most; every call is made on the main thread.
//
// GLFW 2 semantics kept by both implementations: key numbers are GLFW 2's (printable keys by their upper-case
// ASCII code, special keys from 256); hints apply to the next glfwOpenWindow only; the window-close callback
// returning 0 keeps the window open; a joystick's hat is reported as four buttons after the ordinary ones, in
// the order left, up, right, down.
#pragma once

namespace glfw2 {

constexpr int GL_FALSE_ = 0;
constexpr int GL_TRUE_ = 1;

constexpr int GLFW_RELEASE = 0;
constexpr int GLFW_PRESS = 1;

// Keys
constexpr int GLFW_KEY_UNKNOWN = -1;
constexpr int GLFW_KEY_SPACE = 32;
constexpr int GLFW_KEY_SPECIAL = 256;
constexpr int GLFW_KEY_ESC = 257;
constexpr int GLFW_KEY_F1 = 258;
constexpr int GLFW_KEY_F12 = 269;
constexpr int GLFW_KEY_F13 = 270;
constexpr int GLFW_KEY_F25 = 282;
constexpr int GLFW_KEY_UP = 283;
constexpr int GLFW_KEY_DOWN = 284;
constexpr int GLFW_KEY_LEFT = 285;
constexpr int GLFW_KEY_RIGHT = 286;
constexpr int GLFW_KEY_LSHIFT = 287;
constexpr int GLFW_KEY_RSHIFT = 288;
constexpr int GLFW_KEY_LCTRL = 289;
constexpr int GLFW_KEY_RCTRL = 290;
constexpr int GLFW_KEY_LALT = 291;
constexpr int GLFW_KEY_RALT = 292;
constexpr int GLFW_KEY_TAB = 293;
constexpr int GLFW_KEY_ENTER = 294;
constexpr int GLFW_KEY_BACKSPACE = 295;
constexpr int GLFW_KEY_INSERT = 296;
constexpr int GLFW_KEY_DEL = 297;
constexpr int GLFW_KEY_PAGEUP = 298;
constexpr int GLFW_KEY_PAGEDOWN = 299;
constexpr int GLFW_KEY_HOME = 300;
constexpr int GLFW_KEY_END = 301;
constexpr int GLFW_KEY_KP_0 = 302;
constexpr int GLFW_KEY_KP_9 = 311;
constexpr int GLFW_KEY_KP_DIVIDE = 312;
constexpr int GLFW_KEY_KP_MULTIPLY = 313;
constexpr int GLFW_KEY_KP_SUBTRACT = 314;
constexpr int GLFW_KEY_KP_ADD = 315;
constexpr int GLFW_KEY_KP_DECIMAL = 316;
constexpr int GLFW_KEY_KP_EQUAL = 317;
constexpr int GLFW_KEY_KP_ENTER = 318;
constexpr int GLFW_KEY_KP_NUM_LOCK = 319;
constexpr int GLFW_KEY_CAPS_LOCK = 320;
constexpr int GLFW_KEY_SCROLL_LOCK = 321;
constexpr int GLFW_KEY_PAUSE = 322;
constexpr int GLFW_KEY_LSUPER = 323;
constexpr int GLFW_KEY_RSUPER = 324;
constexpr int GLFW_KEY_MENU = 325;
constexpr int GLFW_KEY_LAST = GLFW_KEY_MENU;

// Window modes, parameters and hints
constexpr int GLFW_WINDOW = 0x00010001;
constexpr int GLFW_FULLSCREEN = 0x00010002;
constexpr int GLFW_OPENED = 0x00020001;
constexpr int GLFW_ACTIVE = 0x00020002;
constexpr int GLFW_ICONIFIED = 0x00020003;
constexpr int GLFW_REFRESH_RATE = 0x0002000B;
constexpr int GLFW_WINDOW_NO_RESIZE = 0x0002000C;

// glfwEnable / glfwDisable
constexpr int GLFW_MOUSE_CURSOR = 0x00030001;
constexpr int GLFW_KEY_REPEAT = 0x00030005;
constexpr int GLFW_AUTO_POLL_EVENTS = 0x00030007;

// Joysticks
constexpr int GLFW_JOYSTICK_LAST = 15;
constexpr int GLFW_PRESENT = 0x00050001;
constexpr int GLFW_AXES = 0x00050002;
constexpr int GLFW_BUTTONS = 0x00050003;

struct GLFWvidmode {
  int Width, Height;
  int RedBits, BlueBits, GreenBits;
};

using GLFWwindowclosefun = int (*)();
using GLFWkeyfun = void (*)(int key, int action);
using GLFWcharfun = void (*)(int character, int action);
using GLFWmousebuttonfun = void (*)(int button, int action);
using GLFWmouseposfun = void (*)(int x, int y);

int glfwInit();
void glfwTerminate();

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits, int depthbits,
                   int stencilbits, int mode);
void glfwOpenWindowHint(int target, int hint);
void glfwCloseWindow();
void glfwSetWindowTitle(const char* title);
void glfwGetWindowSize(int* width, int* height);
void glfwSetWindowPos(int x, int y);
int glfwGetWindowParam(int param);
void glfwSwapBuffers();
void glfwSwapInterval(int interval);
int glfwGetVideoModes(GLFWvidmode* list, int maxcount);
void glfwGetDesktopMode(GLFWvidmode* mode);

void glfwPollEvents();
void glfwWaitEvents();
int glfwGetKey(int key);
void glfwGetMousePos(int* x, int* y);
void glfwSetWindowCloseCallback(GLFWwindowclosefun callback);
void glfwSetKeyCallback(GLFWkeyfun callback);
void glfwSetCharCallback(GLFWcharfun callback);
void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback);
void glfwSetMousePosCallback(GLFWmouseposfun callback);

int glfwGetJoystickParam(int joy, int param);
int glfwGetJoystickPos(int joy, float* pos, int numaxes);
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons);

double glfwGetTime();
void glfwSleep(double seconds);

void glfwEnable(int token);
void glfwDisable(int token);

}  // namespace glfw2
