// What the graphics-module tests share: the device-layer fixture's window, fake GL and image host, plus the
// framework's globals and a renderer that also records the calls the module makes on it, inside a frame.
#pragma once

#include <unistd.h>

#include <cstdio>

#include "framework/app/app.h"
#include "framework/graphics/graphics.h"
#include "tests/gxtk/gxtk_fixture.h"

class RecordingGraphics : public gxtkGraphics {
 public:
  int setMatrixCalls = 0;
  std::vector<std::vector<float>> ovals, scissors;

  int SetMatrix(float a, float b, float c, float d, float tx, float ty) override {
    ++setMatrixCalls;
    return gxtkGraphics::SetMatrix(a, b, c, d, tx, ty);
  }
  int DrawOval(float x, float y, float width, float height) override {
    ovals.push_back({x, y, width, height});
    return gxtkGraphics::DrawOval(x, y, width, height);
  }
  int SetScissor(int x, int y, int width, int height) override {
    scissors.push_back({float(x), float(y), float(width), float(height)});
    return gxtkGraphics::SetScissor(x, y, width, height);
  }
};

class GraphicsModuleTest : public GxtkTest {
 protected:
  void SetUp() override {
    GxtkTest::SetUp();
    ko_app__InitGlobals();
    ko_graphics__InitGlobals();
    ko_app_ValidateDeviceWindow(false);
    device = new RecordingGraphics;
    ko_graphics_SetGraphicsDevice(device);
    device->BeginRender();
    ko_graphics_BeginRender();
    fake_gl::state.calls.clear();
  }

  // The vertices drawn so far (the pending batch is flushed).
  const std::vector<fake_gl::Vertex>& Drawn() {
    device->EndRender();
    all.clear();
    for (const fake_gl::Draw& draw : fake_gl::state.draws) all.insert(all.end(), draw.vertices.begin(), draw.vertices.end());
    return all;
  }

  RecordingGraphics* device = nullptr;
  std::vector<fake_gl::Vertex> all;
};

// Runs `body` in a death test's child with the fatal report sent to standard error, where the death test
// looks for it, and no debugger on standard input.
template <class Body>
void WithFatalReportOnStderr(Body body) {
  if (!std::freopen("/dev/null", "r", stdin)) return;
  dup2(2, 1);
  body();
}
