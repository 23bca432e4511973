// Music figures: what starting the game's tune costs the update that starts it, and what keeping it playing costs
// the updates after, on an OpenAL Soft loopback device that mixes exactly one update's worth of sound per update.
//   - the whole decode of the tune into one block, as a round start once did, and the block's size: the cost of
//     decoding it whole on a worker thread instead, which would keep that block resident through play;
//   - PlayMusic of the streamed tune: opening the file and filling the queue;
//   - UpdateMusic, the top-up, over a minute of updates (the tune loops at 55 s).
// CPU time of the calling thread. Prints figures; asserts nothing about time.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/process_figures.h"
#include "tests/audio/loopback_device.h"
#include "tests/game/build_data_host.h"

namespace {

double thread_ms() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

const String kTune("tarsil://data/sfx/testmusic.ogg");

void WholeDecode(BuildDataHost& host) {
  std::vector<double> times;
  long bytes = 0;
  for (int run = 0; run < 5; ++run) {
    int frames = 0, channels = 0, format = 0, hertz = 0;
    double start = thread_ms();
    unsigned char* samples = host.LoadAudioData(kTune, &frames, &channels, &format, &hertz);
    times.push_back(thread_ms() - start);
    bytes = static_cast<long>(frames) * channels * format;
    std::free(samples);
  }
  Summary whole = Summarise(times);
  std::printf("whole decode of the tune: %.1f ms median (%.1f..%.1f), a block of %.1f MiB\n", whole.median, whole.low,
              whole.high, bytes / 1048576.0);
}

void Streamed(LoopbackAudio* audio) {
  std::vector<double> starts;
  for (int run = 0; run < 5; ++run) {
    double start = thread_ms();
    if (audio->PlayMusic(kTune, 1) != 0) {
      std::printf("the tune does not play: %s\n", kTune.ToCString().c_str());
      return;
    }
    starts.push_back(thread_ms() - start);
  }
  Summary start = Summarise(starts);
  std::printf("PlayMusic, streamed: %.2f ms median (%.2f..%.2f)\n", start.median, start.low, start.high);

  std::vector<double> topUps;
  for (int update = 0; update < 60 * 60; ++update) {
    double begin = thread_ms();
    audio->UpdateMusic();
    topUps.push_back(thread_ms() - begin);
    audio->Render(1.0f / 60);
  }
  Summary topUp = Summarise(topUps);
  std::printf("UpdateMusic over 3600 updates: %.3f ms median, %.3f ms longest; still playing: %s\n", topUp.median,
              topUp.high, audio->MusicState() == 1 ? "yes" : "no");
  audio->StopMusic();
}

}  // namespace

int main() {
  BuildDataHost host;
  WholeDecode(host);
  Streamed(LoopbackAudio::Get());
  return 0;
}
