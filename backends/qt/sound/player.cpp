// qov-clock-sound.so: the player behind backends/qt/sound/player.h, on Qt
// Multimedia (GStreamer under Qt 6.4).
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include "backends/qt/sound/player.h"

namespace qov::qt {
namespace {

class MediaPlayer final : public AudioPlayer {
 public:
  MediaPlayer() { player_.setAudioOutput(&output_); }

  void Play(const QString& file, float volume) override {
    output_.setVolume(volume);
    player_.setSource(QUrl::fromLocalFile(file));
    player_.play();
  }

  void Stop() override {
    player_.stop();
    player_.setSource(QUrl());
  }

  bool Playing() const override {
    // A file that fails to decode stops the player with an error.
    return player_.playbackState() == QMediaPlayer::PlayingState && player_.error() == QMediaPlayer::NoError;
  }

 private:
  // Declared first, destroyed last: the player holds the output.
  QAudioOutput output_;
  QMediaPlayer player_;
};

}  // namespace
}  // namespace qov::qt

extern "C" Q_DECL_EXPORT qov::qt::AudioPlayer* qov_make_audio_player() { return new qov::qt::MediaPlayer(); }
