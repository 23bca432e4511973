// The short list of what the host does its own way on each platform it runs on. Each platform has one backend
// file for it: platform_desktop.cpp (a Linux desktop) and platform_web.cpp (a web page built with the
// WebAssembly toolchain). The other platform files come in the same pairs: the window (window.cpp,
// window_web.cpp), our GLFW 2 layer (glfw2_desktop.cpp, glfw2_web.cpp) and the sockets (net/ko_socket.cpp,
// net/ko_socket_web.cpp). Everything else, the game, the framework and the rest of the host, is the same code
// on both.
//
// Also each platform's, declared with their classes: KoGlfwGame::Run (the frame loop around Frame: the
// desktop's in window_desktop.cpp, the page's in platform_web.cpp), KoGlfwGame::OpenUrl (handing a URL to the
// system's browser) and KoGlfwGame::Fullscreen (window_desktop.cpp, window_web.cpp).
#pragma once

#include "runtime/string.h"

// Before anything else of the program runs (KoTarsilGame::Main, first).
void PlatformStart();

// Makes a crash end with the runtime's fatal report where the platform can catch one (KoTarsilGame::Main).
void PlatformCatchCrashes();

// The directory of the running program: the desktop's executable's, or where the page's files are mounted.
String RunningProgramDirectory();

// The saved state has been written whole (KoGame::SaveState). The page makes its stored copy durable here.
void PlatformStateSaved();
