// Badges: 256 earned flags (saved with the settings), their texts, and the notification strip that slides in
// from the left when one is earned. No gameplay awards a badge yet; p_AwardBadge is what one would call.
//
// Notification slots: m_toastTime[i] is the slot's age in updates, 0 when free. Only slots 0..12 are shown
// and aged, stacked upward from the bottom 34 virtual pixels apart, so only they are ever taken. A slot lives
// 240 updates (4 s): ten updates sliding in, then still, then ten sliding out, then free.
#include <algorithm>

#include "game/my_app.h"

namespace {
// The badge texts, name and description joined by "|". Only badge 0 is defined.
const char* const kTestBadge = "Test Badge|This is a Test Badge which has no purpose.";
const char* const kUndefinedBadge = "Odd Badge|This badge hasn't been defined!";

constexpr int kShownSlots = 13;
constexpr int kSlotSpacing = 34;  // virtual pixels
constexpr int kToastHeight = 32;  // virtual pixels
constexpr int kToastLife = 240;   // updates
constexpr int kSlideSpeed = 16;   // virtual pixels per update
constexpr int kPictures = 64;     // badges with a picture in the badge image (slot 80)

// The strip's left edge at this age: in from -width, out again over the last ten updates, never past 0.
float toast_x(int age, int width) {
  int x = kSlideSpeed * age - width;
  if (age > kToastLife - 10) x = kSlideSpeed * (kToastLife - age) - width;
  return static_cast<float>(std::min(x, 0));
}
}  // namespace

String c_MyApp::p_BadgeID(int badge) { return String(badge == 0 ? kTestBadge : kUndefinedBadge); }

String c_MyApp::p_BadgeName(int badge) {
  String text = p_BadgeID(badge);
  int bar = text.Find(String("|"));
  return bar >= 0 ? text.Slice(0, bar) : text;
}

String c_MyApp::p_BadgeDetail(int badge) {
  String text = p_BadgeID(badge);
  int first = text.Find(String("|"));
  if (first < 0) return String();
  int second = text.Find(String("|"), first + 1);
  return text.Slice(first + 1, second >= 0 ? second : text.Length());
}

// Hooks for a platform achievement service; this platform has none.
int c_MyApp::p_GC_PostScore(int, int) { return 0; }
int c_MyApp::p_GC_Badges() { return 0; }

// Earns a badge once: sets its flag, shows it in the first free slot (none when all are busy) and saves.
// Returns 1 when the badge was newly earned.
int c_MyApp::p_AwardBadge(int badge) {
  if (badge < 0 || badge >= m_badges.Length() || m_badges[badge]) return 0;
  m_badges[badge] = true;
  for (int slot = 0; slot < kShownSlots; ++slot) {
    if (m_toastTime[slot] != 0) continue;
    m_toastBadge[slot] = badge;
    m_toastTime[slot] = 1;
    break;
  }
  p_Save();
  return 1;
}

int c_MyApp::p_ShowBadges() {
  p_ResetDraw();
  m_toastWidth = 160;
  for (int slot = 0; slot < kShownSlots; ++slot) {
    if (m_toastTime[slot] <= 0) continue;
    int age = ++m_toastTime[slot];
    int badge = m_toastBadge[slot];
    float x = toast_x(age, m_toastWidth);
    float y = ko_Quarzel_jscrh - static_cast<float>(kSlotSpacing * slot + kSlotSpacing);
    p_SetCol(0, 0, 80, 0.8f);
    p_Rect(x, y, static_cast<float>(m_toastWidth), kToastHeight);
    p_SetCol(255, 255, 255);
    p_Text(x + 16, y + 4, p_BadgeName(badge), 0, 0);
    if (badge >= 0 && badge < kPictures) {
      p_SetSize(0.5f);
      p_DrawImg(80, static_cast<float>(m_toastWidth) + x - 16, y + 16, static_cast<float>(badge));
      p_SetSize(1);
    }
    if (age > kToastLife) m_toastTime[slot] = 0;  // drawn once more, fully out, then free
  }
  return 0;
}
