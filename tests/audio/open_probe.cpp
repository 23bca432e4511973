// The audio device opened as the program opens it, run by open_test in a child process with ALSOFT_DRIVERS
// chosen:
//   open_probe silent   no device opens: every call must be harmless and print nothing more
//   open_probe play     the null backend, through the framework's delegate: sounds advance in real time,
//                       and the application hears of suspend before the audio pauses, of resume after
// Prints only what the program prints; each failed check goes to standard error and makes the status 1.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "framework/app/app.h"
#include "framework/audio/audio.h"
#include "framework/framework.h"
#include "tests/audio/tone_host.h"

namespace {

int failures = 0;

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "failed: %s\n", what);
  ++failures;
}

void silent() {
  gxtkAudio* audio = new gxtkAudio;
  gxtkSample* sample = audio->LoadSample(String("tarsil://data/tone.wav"));
  check(sample && sample->buffer == 0, "a sound loads, without a buffer");
  check(audio->PlaySample(sample, 0, 1) == -1, "nothing plays");
  for (int c : {0, 31, 32}) {
    check(audio->SetVolume(c, 0.5f) + audio->SetPan(c, 1) + audio->SetRate(c, 2) == 0, "settings");
    check(audio->PauseChannel(c) + audio->ResumeChannel(c) + audio->StopChannel(c) == 0, "controls");
    check(audio->ChannelState(c) == 0, "every channel stopped");
  }
  check(audio->PlayMusic(String("tarsil://data/tone.wav"), 1) == 0 && audio->MusicState() == 0, "music");
  check(audio->Suspend() + audio->Resume() == 0, "suspend and resume");
  sample->Discard();
  gc_collect_all();
}

// The state of channel 0's source at the application's suspend and resume.
ALint atSuspend = 0, atResume = 0;

class RecordingApp : public c_App {
 public:
  int p_OnSuspend() override { return atSuspend = gxtkSourceState(ko_audio_device->channels[0].source), 0; }
  int p_OnResume() override { return atResume = gxtkSourceState(ko_audio_device->channels[0].source), 0; }
};

// Waits, at most `seconds`, until the channel's state is 0.
bool ends_within(int channel, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (ko_audio_device->ChannelState(channel) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void play(KoGame& host) {
  ko_framework__InitGlobals();
  (new RecordingApp)->m_new();
  host.StartGame();
  c_Sound* sound = ko_audio_LoadSound(String("tone.wav"));
  check(sound && sound->m_sample->buffer != 0, "a sound loads into a buffer");
  ko_audio_PlaySound(sound, 0, 1);
  ko_audio_PlaySound(sound, 1, 0);
  check(ends_within(1, 10), "a 0.2 s sound ends");
  check(ko_audio_device->ChannelState(0) == 1, "a looping sound plays on");
  host.SuspendGame();
  check(atSuspend == AL_PLAYING, "the application hears of suspend first");
  check(gxtkSourceState(ko_audio_device->channels[0].source) == AL_PAUSED, "then the audio pauses");
  host.ResumeGame();
  check(atResume == AL_PLAYING, "the audio resumes before the application hears of it");
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  ToneHost host;
  Tone tone;
  tone.seconds = 0.2f;
  host.files["tarsil://data/tone.wav"] = tone;
  if (mode == "silent") silent();
  if (mode == "play") play(host);
  return failures ? 1 : 0;
}
