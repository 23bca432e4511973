// The audio device as the program opens it, run by open_test in a child process with ALSOFT_DRIVERS set:
//   open_probe silent   no device can be opened: every call must be harmless and say nothing
//   open_probe play     the null backend: sounds advance in real time, silently
// Prints only what the device prints; each failed check goes to standard error, and the exit status is 1.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "gxtk/audio.h"
#include "tests/audio/tone_host.h"

namespace {

int failures = 0;

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "failed: %s\n", what);
  ++failures;
}

void silent(gxtkAudio* audio) {
  gxtkSample* sample = audio->LoadSample(String("tone.wav"));
  check(sample && sample->buffer == 0, "a sound loads, without a buffer");
  check(!audio->LoadSample(String("missing.wav")), "a missing sound is none");
  check(audio->PlaySample(sample, 0, 1) == -1, "nothing plays");
  for (int c : {0, 31, 32}) {
    check(audio->SetVolume(c, 0.5f) + audio->SetPan(c, 1) + audio->SetRate(c, 2) == 0, "settings");
    check(audio->PauseChannel(c) + audio->ResumeChannel(c) + audio->StopChannel(c) == 0, "controls");
    check(audio->ChannelState(c) == 0, "every channel stopped");
  }
  check(audio->PlayMusic(String("tone.wav"), 1) == 0 && audio->MusicState() == 0, "music loads, plays nothing");
  check(audio->PlayMusic(String("missing.wav"), 1) == -1, "missing music");
  check(audio->Suspend() + audio->Resume() == 0, "suspend and resume");
  sample->Discard();
  gc_collect_all();
}

// Waits, at most `seconds`, until the channel's state is 0.
bool ends_within(gxtkAudio* audio, int channel, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (audio->ChannelState(channel) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void play(gxtkAudio* audio) {
  gxtkSample* sample = audio->LoadSample(String("tone.wav"));
  check(sample && sample->buffer != 0, "a sound loads into a buffer");
  check(audio->PlaySample(sample, 0, 0) == 0 && audio->PlaySample(sample, 1, 1) == 0, "sounds start");
  check(audio->ChannelState(0) == 1, "playing at first");
  check(ends_within(audio, 0, 10), "a 0.2 s sound ends");
  check(audio->ChannelState(1) == 1, "a looping sound plays on");
  check(audio->PlayMusic(String("tone.wav"), 1) == 0 && audio->MusicState() == 1, "music plays");
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  ToneHost host;
  Tone tone;
  tone.seconds = 0.2f;
  host.files["tone.wav"] = tone;
  gxtkAudio* audio = new gxtkAudio;
  std::fflush(stdout);
  if (mode == "silent") silent(audio);
  if (mode == "play") play(audio);
  return failures ? 1 : 0;
}
