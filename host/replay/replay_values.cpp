// Host values to replay readings and back (see replay_values.h).
#include "host/replay/replay_values.h"

namespace replay_values {

std::vector<std::int32_t> Units(const String& text) {
  return std::vector<std::int32_t>(text.Data(), text.Data() + text.Length());
}

String Text(const std::vector<std::int32_t>& units) {
  std::u16string text;
  for (std::int32_t unit : units) text += static_cast<char16_t>(unit);
  return String(text.data(), static_cast<int>(text.size()));
}

std::vector<std::int32_t> Mode(const KoDisplayMode* mode) {
  if (!mode) return {};
  return {mode->width, mode->height};
}

KoDisplayMode* ModeObject(const std::vector<std::int32_t>& size) {
  if (size.size() < 2) return nullptr;
  return new KoDisplayMode(size[0], size[1]);
}

std::vector<std::int32_t> Modes(const Array<KoDisplayMode*>& modes) {
  std::vector<std::int32_t> sizes;
  for (int i = 0; i < modes.Length(); ++i) {
    sizes.push_back(modes[i] ? modes[i]->width : 0);
    sizes.push_back(modes[i] ? modes[i]->height : 0);
  }
  return sizes;
}

Array<KoDisplayMode*> ModeArray(const std::vector<std::int32_t>& sizes) {
  Array<KoDisplayMode*> modes(static_cast<int>(sizes.size() / 2));
  for (int i = 0; i < modes.Length(); ++i) modes[i] = new KoDisplayMode(sizes[2 * i], sizes[2 * i + 1]);
  return modes;
}

JoystickReading Joystick(bool present, const Array<float>& x, const Array<float>& y, const Array<float>& z,
                         const Array<bool>& buttons) {
  JoystickReading value;
  if (!present) return value;
  value.present = true;
  const Array<float>* axes[3] = {&x, &y, &z};
  for (int stick = 0; stick < 2; ++stick) {
    for (int axis = 0; axis < 3; ++axis) value.axes[3 * stick + axis] = (*axes[axis])[stick];
  }
  for (int b = 0; b < 32; ++b) {
    if (buttons[b]) value.buttons |= 1u << b;
  }
  return value;
}

bool FillJoystick(const JoystickReading& value, Array<float>& x, Array<float>& y, Array<float>& z,
                  Array<bool>& buttons) {
  if (!value.present) return false;
  Array<float>* axes[3] = {&x, &y, &z};
  for (int stick = 0; stick < 2; ++stick) {
    for (int axis = 0; axis < 3; ++axis) (*axes[axis])[stick] = value.axes[3 * stick + axis];
  }
  for (int b = 0; b < 32; ++b) buttons[b] = (value.buttons >> b) & 1;
  return true;
}

std::vector<std::int32_t> Ping(const KoPingOutcome& outcome) {
  if (!outcome.ready) return {};
  std::vector<std::int32_t> list = Units(outcome.reply);
  list.insert(list.begin(), outcome.status);
  return list;
}

KoPingOutcome PingOutcome(const std::vector<std::int32_t>& list) {
  KoPingOutcome outcome;
  if (list.empty()) return outcome;
  outcome.ready = true;
  outcome.status = list[0];
  outcome.reply = Text(std::vector<std::int32_t>(list.begin() + 1, list.end()));
  return outcome;
}

}  // namespace replay_values
