// The state hash: 64 bits that change whenever anything play depends on changes. A replay compares it with the
// recording's (periodically and at the end), so a session that plays differently is caught.
//
// It covers every field of c_MyApp that holds game state: mode and flow, timing and scale, the draw state, the
// input state the game keeps, the options, badges and scores, the entity tables (units, objects, particles,
// playfield cells) and the front end's panels, dial, credits and pause menu; the game module's globals (the
// virtual screen, overscan, the control and debug switches); and the random seed. It leaves out what only
// reflects the machine or the environment and never feeds back into play: the loaded images and sounds
// themselves, the draw command list (rebuilt from the state every update), the statistics switch and the ping
// address. Floats are hashed by their bits, so -0 and 0 differ, as the computation may tell them apart.
// Integer arithmetic only: every compiler gives the same value.
#pragma once

#include <cstdint>

std::uint64_t ko_Quarzel_StateHash();
