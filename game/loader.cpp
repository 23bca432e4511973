// Image and sound slots, the resolution of the art, the loader (one step per update) and the loading screen.
//
// Art exists at factor 1, 2 and 4 ("name.png", "name-hd.png", "name-hd2.png"); the factor follows the window
// size and is chosen again at every loader step, so a resize mid-load finishes at the new size.
//
// A file that is missing or cannot be decoded is named on the standard output. A picture or a sound leaves its
// slot empty and the game goes on without it (draws of an empty slot are skipped by the render pass); the
// font alone is needed: without it no text could be read, so the game stops with an error naming it.
#include "framework/audio/audio.h"
#include "framework/data/data_path.h"
#include "framework/graphics/graphics.h"
#include "game/my_app.h"
#include "runtime/errors.h"

namespace {
constexpr int kHandleCentre = 1;  // every slot's frames are drawn about their middle

// The file of the named art at this factor: "name.png", "name-hd.png" or "name-hd2.png".
String art_file(const String& name, int factor) {
  if (factor == 4) return name + String("-hd2.png");
  if (factor == 2) return name + String("-hd.png");
  return name + String(".png");
}

String sound_path(int number) {
  String digits(number);
  if (number < 10) return String("sfx/00") + digits + String(".wav");
  if (number < 100) return String("sfx/0") + digits + String(".wav");
  return String("sfx/") + digits + String(".wav");
}
}  // namespace

void c_MyApp::p_ChooseResolution() {
  m_hdScale = 1;
  int width = ko_app__devWidth, height = ko_app__devHeight;
  if (width > 630 || height > 630) m_hdScale = 2;
  if (width > 1230 || height > 1230) m_hdScale = 4;
  if (ko_Quarzel_UseHDImages == 0) m_hdScale = 1;
  m_hdInvScale = 1.0f / m_hdScale;
}

void c_MyApp::p_ReportDataFile(String name, String consequence) { koPrint(ko_data_CannotLoad(name, consequence)); }

// Fills the slot and its triple (frame sizes in device pixels of the art); false when the file is missing or
// damaged, the slot then empty.
bool c_MyApp::p_LoadSlot(int slot, String file, int frameW, int frameH, int frames, int flags) {
  m_images[slot] = nullptr;
  m_images[slot] = ko_graphics_LoadImage2(file, frameW * m_hdScale, frameH * m_hdScale, frames, flags);
  m_imgInfo[3 * slot] = frameW * m_hdScale;
  m_imgInfo[3 * slot + 1] = frameH * m_hdScale;
  m_imgInfo[3 * slot + 2] = frames;
  return m_images[slot] != nullptr;
}

int c_MyApp::p_LoadImg(int slot, String name, int frameW, int frameH, int frames, int flags) {
  String file = art_file(name, m_hdScale);
  if (!p_LoadSlot(slot, file, frameW, frameH, frames, flags)) {
    p_ReportDataFile(file, String("the game goes on without this picture"));
  }
  return 0;
}

int c_MyApp::p_LoadFont(int slot, String name, int advance, int lineHeight) {
  String file = art_file(name, m_hdScale);
  bool loaded = p_LoadSlot(slot, file, 16, 16, 128, kHandleCentre);
  m_imgInfo[3 * slot] = advance;  // a font's triple holds its metrics in font units
  m_imgInfo[3 * slot + 1] = lineHeight;
  m_font = slot;
  if (!loaded) {
    koError(ko_data_CannotLoad(file, String("the game's font is missing or damaged; install the game again")));
  }
  return 0;
}

int c_MyApp::p_ReserveImg(int slot, int width, int height) {
  m_images[slot] = nullptr;
  m_images[slot] = ko_graphics_CreateImage(width, height, 1, kHandleCentre);
  m_imgInfo[3 * slot] = width;
  m_imgInfo[3 * slot + 1] = height;
  m_imgInfo[3 * slot + 2] = 1;
  return 0;
}

int c_MyApp::p_LoadSFX(int number) {
  m_sounds[number] = nullptr;
  m_sounds[number] = ko_audio_LoadSound(sound_path(number));
  if (!m_sounds[number]) p_ReportDataFile(sound_path(number), String("the game goes on without this sound"));
  return 0;
}

int c_MyApp::p_Reload() {
  m_bgRed = m_bgGreen = m_bgBlue = 0;
  m_bgAlpha = 1;
  p_ChooseResolution();
  // The logo and the font first, so that the loading screen can be drawn from the next frame on.
  p_LoadImg(93, String("common/BrixLogo"), 256, 256, 1, kHandleCentre);
  p_LoadFont(90, String("fonts/shadow_editundo"), 7, 10);
  m_loadStep = 1;
  return 0;
}

int c_MyApp::p_Loader() {
  p_ChooseResolution();
  switch (m_loadStep) {
    case 1:
      p_LoadImg(97, String("common/icons"), 32, 32, 16, kHandleCentre);
      p_LoadSFX(96);
      p_ReserveImg(81, 2048, 2048);
      break;
    case 2:
      p_LoadImg(95, String("common/Buttons"), 64, 64, 16, kHandleCentre);
      p_LoadSFX(1);
      break;
    case 3:
      p_LoadImg(94, String("common/dpad"), 32, 32, 16, kHandleCentre);
      p_LoadSFX(98);
      break;
    case 4:
      p_LoadImg(93, String("common/BrixLogo"), 256, 256, 1, kHandleCentre);
      if (m_jinglePlayed == 0) {  // once per run, not again on a reload after a resize
        p_PlaySFX(96, 1, 1, 0);
        m_jinglePlayed = 1;
      }
      break;
    case 5:
      p_LoadFont(90, String("fonts/shadow_editundo"), 7, 10);
      p_LoadSFX(99);
      break;
    case 6:
      p_LoadImg(99, String("menu"), 256, 256, 4, kHandleCentre);
      p_LoadImg(98, String("logo"), 256, 128, 1, kHandleCentre);
      p_LoadSFX(95);
      break;
    case 7:
      p_LoadImg(80, String("BadgesA"), 64, 64, 64, kHandleCentre);
      p_LoadImg(96, String("parts"), 8, 8, 256, kHandleCentre);
      break;
    case 8:
      p_LoadImg(85, String("common/circle"), 256, 256, 4, kHandleCentre);
      p_LoadImg(86, String("common/light"), 32, 32, 4, kHandleCentre);
      break;
    case 9:
      p_LoadImg(1, String("nme"), 36, 36, 49, kHandleCentre);
      break;
    default:
      m_loadStep = 0;  // complete
      break;
  }
  if (m_loadStep > 0) ++m_loadStep;
  p_WaitStart(1);
  return 0;
}

// One loading-screen frame: rings of dots turning around the logo, and "Loading...". Mode 0 (the start
// screen) also starts a full load and goes to the menu.
int c_MyApp::p_WaitStart(int mode) {
  float width = ko_Quarzel_jscrw, height = ko_Quarzel_jscrh;
  m_bgRed *= 0.875f, m_bgGreen *= 0.875f, m_bgBlue *= 0.875f;  // fades to black over the loading frames
  p_CLS2D(m_bgRed, m_bgGreen, m_bgBlue, 1);
  int radius = Trunc(width < height ? width : height);
  m_spin += 3;

  struct Ring {
    float offset, reach, dot;  // degrees ahead of the spin, fraction of the radius, dot radius
    float red, green, blue;
  };
  const Ring rings[] = {{0, 0.45f, 16, 0, 125, 255}, {120, 0.4f, 12, 255, 125, 0}, {240, 0.35f, 8, 255, 125, 0}};
  auto draw_ring = [&](const Ring& ring) {
    for (int e = 0; e <= 10; ++e) {
      float angle = m_spin + 4 * e + ring.offset;
      p_SetCol(ring.red, ring.green, ring.blue, e / 10.0f);
      p_Oval(width / 2 + ring.reach * radius * SinDeg(angle), height / 2 - ring.reach * radius * CosDeg(angle),
             ring.dot, ring.dot);
    }
  };
  if (mode == 1) draw_ring(rings[0]);
  p_SetCol(255, 255, 255, 1);
  p_SetSize(2, 2);
  m_blend = 1;
  p_DrawImg(93, width / 2, 0.48f * height, 0);
  p_SetSize(1, 1);
  if (mode == 1) draw_ring(rings[1]), draw_ring(rings[2]);

  p_SetCol(255, 255, 255, 1);
  p_SetSize(1);
  p_Text(width / 2, height - 32, String("Loading..."), 1, 1);
  if (mode == 0) {
    m_inputLatch = 1;
    m_mode = 1;
    p_Reload();
    ko_app_SetUpdateRate(60);
  }
  return 0;
}
