// The page's fingers and tilt (touch_screen.cpp): touches on the canvas and the device's motion, delivered to
// the game as the input device's touch and accelerometer events.
#pragma once

// Starts listening, once the canvas is the game's window; the toolchain's GLFW stops turning touches into a
// mouse. Calling it again does nothing.
void ListenToTouchScreen();

// Stops listening, at the end of the program.
void StopTouchScreen();

// On a touch screen the canvas covers the page (its style sheet sees to that): its drawing size is then its size
// on the page in device pixels, so the sharper art is used where the screen has the pixels for it. Elsewhere the
// canvas keeps the size the game asked for, and this does nothing.
void FitCanvasToPage();
