// The adzan's player lives in a module of its own, qov-clock-sound.so,
// which the clock loads at its first sound: Qt Multimedia and the twenty
// libraries it brings (the sound server's, codecs, network) would otherwise
// be loaded, relocated and kept in memory by every clock from start-up,
// though most of its hours pass in silence.
#pragma once

#include <QString>

namespace qov::qt {

class AudioPlayer {
 public:
  virtual ~AudioPlayer() = default;
  // Starts `file` at `volume` (0..1), replacing what played.
  virtual void Play(const QString& file, float volume) = 0;
  // Stops and lets go of the file, which the user may replace or delete.
  virtual void Stop() = 0;
  virtual bool Playing() const = 0;
};

// The module's one entry: a new player, owned by the caller.
using MakeAudioPlayer = AudioPlayer* (*)();
inline constexpr char kMakeAudioPlayer[] = "qov_make_audio_player";
inline constexpr char kSoundModule[] = "qov-clock-sound.so";

}  // namespace qov::qt
