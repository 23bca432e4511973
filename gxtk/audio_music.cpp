// gxtkMusic: a tune streamed through a queue of OpenAL buffers, and the device's music operations on it.
//
// Pieces are refilled in the order the source plays them (the queue's front comes back first), so the tune
// reads from the stream strictly in order; at the stream's end a looping tune goes on from its first frame in
// the same piece, so the loop point falls inside a buffer and plays without a gap.
#include <algorithm>

#include "gxtk/audio.h"
#include "host/core/game.h"

namespace {
constexpr int kPiecesPerSecond = 8;   // a piece is an eighth of a second of the tune
constexpr int kSmallestPiece = 1024;  // frames, for streams of very low rates
}  // namespace

gxtkMusic::gxtkMusic(ALuint source, ALenum format, std::unique_ptr<KoAudioStream> stream, bool looping)
    : source_(source), format_(format), stream_(std::move(stream)), looping_(looping) {
  pieceFrames_ = std::max(stream_->hertz / kPiecesPerSecond, kSmallestPiece);
  piece_.resize(static_cast<std::size_t>(pieceFrames_) * stream_->channels * stream_->bytesPerSample);
  alGenBuffers(kPieces, buffers_);
}

gxtkMusic::~gxtkMusic() {
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);  // empties the queue: OpenAL deletes no buffer a source still holds
  alDeleteBuffers(kPieces, buffers_);
}

int gxtkMusic::FillPiece(ALuint buffer) {
  const int frameBytes = stream_->channels * stream_->bytesPerSample;
  int filled = 0;
  bool justRewound = false;  // a stream that gives nothing right after a rewind has nothing to loop
  while (filled < pieceFrames_ && !ended_) {
    int frames = stream_->Read(&piece_[static_cast<std::size_t>(filled) * frameBytes], pieceFrames_ - filled);
    filled += frames;
    if (frames > 0) {
      justRewound = false;
    } else if (looping_ && !justRewound && stream_->Rewind()) {
      justRewound = true;
    } else {
      ended_ = true;
    }
  }
  if (filled > 0) alBufferData(buffer, format_, piece_.data(), filled * frameBytes, stream_->hertz);
  return filled;
}

bool gxtkMusic::Start() {
  alGetError();
  for (ALuint buffer : buffers_) {
    if (FillPiece(buffer) == 0) break;
    alSourceQueueBuffers(source_, 1, &buffer);
  }
  ALint queued = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  if (alGetError() != AL_NO_ERROR || queued == 0) return false;
  alSourcePlay(source_);
  return true;
}

int gxtkMusic::Requeue(int count) {
  int queued = 0;
  for (; count > 0; --count) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    if (ended_ || FillPiece(buffer) == 0) continue;
    alSourceQueueBuffers(source_, 1, &buffer);
    ++queued;
  }
  return queued;
}

// A source stops when updates stall for longer than its queue lasts. It has then played every piece queued before
// this top-up, and none of those this top-up has just put back: it would have gone on into them. A stopped source
// counts its whole queue as played, so the older pieces are taken off by count, and play goes on from the queue's
// front, the first piece just refilled.
void gxtkMusic::TopUp() {
  ALint played = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &played);
  int refilled = Requeue(played);
  if (gxtkSourceState(source_) != AL_STOPPED) return;
  ALint queued = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  Requeue(queued - refilled);
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  if (queued > 0) alSourcePlay(source_);
}

bool gxtkMusic::Ended() const {
  if (!ended_) return false;
  ALint queued = 0, played = 0;
  alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &played);
  return played >= queued;
}

// -------------------------------------------------------------------------------------------------------------
// The device's music operations

int gxtkAudio::PlayMusic(String path, int flags) {
  StopMusic();  // the old tune's buffers and decoder go before the new one opens
  std::unique_ptr<KoAudioStream> stream = KoGame::_game->OpenAudioStream(path);
  if (!stream) return -1;
  ALenum format = gxtkBufferFormat(stream->bytesPerSample, stream->channels);
  if (format == 0) return -1;
  gxtkChannel& channel = channels[kMusicChannel];
  ALuint source = channel.AL_Source();  // kept from the start: channel 32 is never taken over
  if (!context || !source) return 0;    // a silent device: the tune loaded, and nothing plays
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);
  alSourcei(source, AL_LOOPING, AL_FALSE);  // the stream loops itself; a looping source would replay one piece
  music = std::make_unique<gxtkMusic>(source, format, std::move(stream), flags != 0);
  if (!music->Start()) {
    music.reset();
    return -1;
  }
  channel.sample = nullptr;
  channel.flags = flags;
  channel.state = 1;
  return 0;
}

int gxtkAudio::StopMusic() {
  StopChannel(kMusicChannel);
  music.reset();
  return 0;
}

void gxtkAudio::UpdateMusic() {
  if (music && channels[kMusicChannel].state == 1) music->TopUp();
}

int gxtkAudio::PauseMusic() { return PauseChannel(kMusicChannel); }
int gxtkAudio::ResumeMusic() { return ResumeChannel(kMusicChannel); }
int gxtkAudio::MusicState() { return ChannelState(kMusicChannel); }
int gxtkAudio::SetMusicVolume(float volume) { return SetVolume(kMusicChannel, volume); }
