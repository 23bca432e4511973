// The host's values as a replay file keeps them (replay_format.h) and back: text as UTF-16 code units, display
// modes as width and height pairs, a joystick poll as one JoystickReading, the ping's outcome as its status and
// text (nothing while none has come).
#pragma once

#include <cstdint>
#include <vector>

#include "host/core/display_mode.h"
#include "host/core/game.h"
#include "host/replay/replay_format.h"
#include "runtime/array.h"
#include "runtime/string.h"

namespace replay_values {
std::vector<std::int32_t> Units(const String& text);
String Text(const std::vector<std::int32_t>& units);
std::vector<std::int32_t> Mode(const KoDisplayMode* mode);  // empty for none
KoDisplayMode* ModeObject(const std::vector<std::int32_t>& size);
std::vector<std::int32_t> Modes(const Array<KoDisplayMode*>& modes);
Array<KoDisplayMode*> ModeArray(const std::vector<std::int32_t>& sizes);
// The poll's arrays (at least 2 floats and 32 flags each) are read only when a controller was present.
JoystickReading Joystick(bool present, const Array<float>& x, const Array<float>& y, const Array<float>& z,
                         const Array<bool>& buttons);
// Fills the arrays as the poll would have; returns whether a controller was present.
bool FillJoystick(const JoystickReading& value, Array<float>& x, Array<float>& y, Array<float>& z,
                  Array<bool>& buttons);
std::vector<std::int32_t> Ping(const KoPingOutcome& outcome);
KoPingOutcome PingOutcome(const std::vector<std::int32_t>& list);
}  // namespace replay_values
