// Particles: sparks from hits and score numbers from pickups, in m_particles (slots 0..m_particleMax, layout in
// entity_tables.h), and the re-seeding of the random numbers when a game starts.
//
// A new particle takes the HIGHEST free slot (objects take the lowest); with none free it is dropped. A particle
// loses 0.01 life per update and is freed below 0: a spark (life 0.7..1.3) lives 70 to 130 updates, a score
// number (life 1) about 100 while it rises a quarter pixel per update.
#include <algorithm>
#include <cmath>

#include "framework/random/random.h"
#include "game/entity_tables.h"
#include "game/my_app.h"

int c_MyApp::p_FreeParticleSlot() {
  int last = std::min(m_particleMax, particle::kLastSlot);  // the table holds no more
  for (int slot = last; slot >= 0; --slot) {
    if (m_particles[kEntryFloats * slot + particle::kKind] == particle::kFree) return slot;
  }
  return -1;
}

int c_MyApp::p_ThrowParticle(float x, float y, int preset, float angle, float speed) {
  int slot = p_FreeParticleSlot();
  if (slot < 0) return 0;
  float* spark = &m_particles[kEntryFloats * slot];
  spark[particle::kKind] = particle::kSpark;
  spark[particle::kX] = x;
  spark[particle::kY] = y;
  spark[particle::kVelX] = speed * SinDeg(angle);
  spark[particle::kVelY] = -speed * CosDeg(angle);
  spark[particle::kAngle] = 360 * ko_random_Rnd();
  spark[particle::kSpin] = 16 * ko_random_Rnd() - 8;
  spark[particle::kLife] = 0.7f + 0.6f * ko_random_Rnd();
  spark[particle::kPreset] = static_cast<float>(preset);
  spark[particle::kFrameOrValue] = std::floor(255.99f * ko_random_Rnd());
  return 0;
}

int c_MyApp::p_DoParticles(float scale) {
  p_ResetDraw();
  int last = std::min(m_particleMax, particle::kLastSlot);
  for (int slot = 0; slot <= last; ++slot) {
    float* p = &m_particles[kEntryFloats * slot];
    float kind = p[particle::kKind];
    if (!(kind > 0)) continue;
    p[particle::kX] += p[particle::kVelX];
    p[particle::kY] += p[particle::kVelY];
    p[particle::kAngle] += p[particle::kSpin];
    bool number = kind == particle::kScoreNumber;
    p_SetRot(number ? 0 : -p[particle::kAngle]);  // numbers stay upright
    p_Alpha(std::fmin(p[particle::kLife], 1.0f));
    p_SetSize(scale);
    p_Ink(Trunc(p[particle::kPreset]), 1);
    float x = p[particle::kX] - m_camX, y = p[particle::kY] - m_camY;
    if (kind >= 1 && kind <= 9) p_DrawImg(96, x, y, p[particle::kFrameOrValue]);
    if (number) p_Text(x, y, String(Trunc(p[particle::kFrameOrValue])), 1, 1);
    p[particle::kLife] -= 0.01f;
    if (p[particle::kLife] < 0) p[particle::kKind] = particle::kFree;
  }
  p_ResetDraw();
  return 0;
}

// Seeds the random numbers from the clock, so that every game brings other enemy groups. (The count sized a
// star table nothing draws.)
int c_MyApp::p_ResetStars(int /*count*/) {
  uint32_t seed = static_cast<uint32_t>(ko_app_Millisecs());
  for (int step = 0; step < 21; ++step) seed = seed * 1664525u + 1013904223u;
  ko_random_Seed = static_cast<int32_t>(seed);
  return 0;
}
