// The state hash (see state_hash.h): each value is folded in as a 64-bit word, arrays two floats or ints at a time.
#include "game/state_hash.h"

#include <cstring>
#include <initializer_list>

#include "framework/random/random.h"
#include "game/my_app.h"

namespace {

class Hasher {
 public:
  static constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15u;
  void Word(std::uint64_t word) {
    hash_ = (hash_ ^ word) * kMultiplier;
    hash_ ^= hash_ >> 29;
  }
  void Ints(std::initializer_list<int> values) {
    for (int value : values) Word(static_cast<std::uint32_t>(value));
  }
  void Floats(std::initializer_list<float> values) {
    for (float value : values) Word(Bits(value));
  }
  // Ints, floats or bools, by their bytes, 32 at a time in four independent lanes: the large tables are most of
  // the work, and the lanes let the processor overlap their multiplications.
  template <class T>
  void Elements(const Array<T>& array) {
    const int length = array.Length();
    Word(static_cast<std::uint32_t>(length));
    if (length == 0) return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&array[0]);
    const std::size_t size = sizeof(T) * static_cast<std::size_t>(length);
    std::uint64_t lanes[4] = {1, 2, 3, 4};
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32) {
      for (int lane = 0; lane < 4; ++lane) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at + 8 * lane, 8);
        lanes[lane] = (lanes[lane] ^ word) * kMultiplier;
      }
    }
    for (std::uint64_t lane : lanes) Word(lane);
    for (; at < size; at += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + at, size - at < 8 ? size - at : 8);
      Word(word);
    }
  }
  void Text(const String& text) {
    Word(static_cast<std::uint32_t>(text.Length()));
    for (int i = 0; i < text.Length(); ++i) Word(text[i]);
  }
  std::uint64_t value() const { return hash_; }

 private:
  static std::uint32_t Bits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }
  std::uint64_t hash_ = 0xcbf29ce484222325u;
};

void hash_flow_and_display(const c_MyApp& a, Hasher& h) {
  h.Ints({a.m_mode, a.m_paused, a.m_pauseCursor, a.m_pauseSlide, a.m_pauseSel, a.m_gameOverTimer, a.m_endStep,
          a.m_difficulty, a.m_lastDevW, a.m_lastDevH, a.m_fitAxis, a.m_landscape, a.m_renderLast, a.m_renderFps,
          a.m_renderFpsAvg, a.m_updateLast, a.m_updateFps, a.m_updateFpsAvg, a.m_loadStep, a.m_hdScale});
  h.Floats({a.m_scaleX, a.m_scaleY, a.m_hdInvScale});
  h.Floats({a.m_sizeX, a.m_sizeY, a.m_rot, a.m_red, a.m_green, a.m_blue, a.m_alpha, a.m_bgRed, a.m_bgGreen,
            a.m_bgBlue, a.m_bgAlpha});
  h.Ints({a.m_blend, a.m_font, a.m_sfxChannel, a.m_musicOn, a.m_jinglePlayed, a.m_spin});
  h.Elements(a.m_bgTarget);
  h.Elements(a.m_bgCurrent);
  h.Elements(a.m_imgInfo);
  h.Text(a.m_tune);
}

void hash_input(const c_MyApp& a, Hasher& h) {
  h.Elements(a.m_pad);
  h.Elements(a.m_touchOn);
  h.Elements(a.m_touchX);
  h.Elements(a.m_touchY);
  h.Ints({a.m_controlMode, a.m_mouseX, a.m_mouseY, a.m_prevMouseX, a.m_prevMouseY, a.m_mouseDown,
          a.m_prevMouseDown, a.m_mouseHit, a.m_inputLatch, a.m_keyLatch, a.m_inputDelay, a.m_touchAnchorX,
          a.m_touchAnchorY, a.m_lastChar, a.m_padX, a.m_padY, a.m_pinching, a.m_pinchLast});
  h.Floats({a.m_stickX, a.m_stickY, a.m_keyVelX, a.m_keyVelY, a.m_padScale, a.m_accelZeroX, a.m_accelZeroY,
            a.m_tiltX, a.m_tiltY, a.m_rawTiltX, a.m_rawTiltY});
}

void hash_play(const c_MyApp& a, Hasher& h) {
  h.Elements(a.m_settings);
  h.Elements(a.m_scores);
  h.Elements(a.m_badges);
  h.Elements(a.m_channels);
  h.Elements(a.m_units);
  h.Elements(a.m_objs);
  h.Elements(a.m_particles);
  h.Elements(a.m_grid);
  h.Ints({a.m_particleMax, a.m_gridW, a.m_gridH, a.m_waveState, a.m_wave, a.m_waveTimer, a.m_money, a.m_score,
          a.m_shownScore, a.m_newRank});
  h.Floats({a.m_camX, a.m_camY, a.m_camTargetX, a.m_camTargetY, a.m_bgPulse});
}

void hash_front_end(const c_MyApp& a, Hasher& h) {
  h.Elements(a.m_toastBadge);
  h.Elements(a.m_toastTime);
  h.Elements(a.m_pauseTrail);
  h.Ints({a.m_toastWidth, a.m_pingDone, a.m_optionsOpen, a.m_optionsSlide, a.m_sidePanelOpen, a.m_hideHud,
          a.m_menuSel, a.m_menuSlide, a.m_menuFocus, a.m_dialTouchPick, a.m_dragHeld, a.m_repeatCountdown,
          a.m_repeatStart, a.m_creditTop, a.m_optCursor, a.m_optKeyLatch, a.m_optTouchLatch, a.m_pauseTrailStarted,
          a.m_buttonHit, a.m_fullscreen});
  h.Floats({a.m_sidePanelX, a.m_dialTarget, a.m_dialAngle, a.m_dialSpin, a.m_gearAngle, a.m_dragX, a.m_dragY,
            a.m_creditScroll, a.m_pauseArmA, a.m_pauseArmB, a.m_pauseSpeed, a.m_pauseArm, a.m_pauseHue});
  h.Text(a.m_pingReply);
}

void hash_globals(Hasher& h) {
  h.Floats({ko_Quarzel_jscrw, ko_Quarzel_jscrh, ko_Quarzel_rawscrw, ko_Quarzel_rawscrh, ko_Quarzel_overscan});
  h.Ints({ko_Quarzel_isOuya, ko_Quarzel_DebugMode, ko_Quarzel_UseHDImages, ko_Quarzel_HasMusicStream,
          ko_Quarzel_iCadeControls, ko_Quarzel_OnScreenControls, ko_Quarzel_AccelerometerControls, ko_random_Seed});
}

}  // namespace

std::uint64_t ko_Quarzel_StateHash() {
  Hasher h;
  hash_globals(h);
  const auto* app = static_cast<const c_MyApp*>(ko_app__app.get());
  if (!app) return h.value();
  hash_flow_and_display(*app, h);
  hash_input(*app, h);
  hash_play(*app, h);
  hash_front_end(*app, h);
  return h.value();
}
