// Sound files the user picks: the file dialog, and playback at a volume.
#include <QAudioOutput>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <string_view>

#include "backends/common/sound_file.h"
#include "backends/qt/services.h"
#include "platform/i18n.h"

namespace qov::qt {
namespace {

// The file holds a sound the program plays, judged from its start the way
// the Windows program judges it, so that both refuse the same files at once.
bool IsPlayableSound(const QString& file) {
  QFile f(file);
  if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) return false;
  QByteArray head = f.read(10);
  const size_t tag = desktop::Id3v2Bytes(std::string_view(head.constData(), static_cast<size_t>(head.size())));
  if (!f.seek(static_cast<qint64>(tag))) return false;
  head = f.read(128 * 1024);
  return desktop::SoundKindOf(std::string_view(head.constData(), static_cast<size_t>(head.size()))).has_value();
}

}  // namespace

SystemSound::SystemSound() = default;
SystemSound::~SystemSound() = default;

bool SystemSound::Play(const std::string& path, int volume) {
  Stop();
  const QString file = LocalPath(path);
  if (!IsPlayableSound(file)) return false;
  if (!player_) {
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
  }
  // Linear, as the Windows program scales its samples.
  output_->setVolume(static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f);
  player_->setSource(QUrl::fromLocalFile(file));
  player_->play();
  return true;
}

void SystemSound::Stop() {
  if (!player_) return;
  player_->stop();
  // Lets go of the file, which the user may replace or delete.
  player_->setSource(QUrl());
}

bool SystemSound::Playing() {
  // A file that fails to decode stops the player with an error.
  return player_ && player_->playbackState() == QMediaPlayer::PlayingState &&
         player_->error() == QMediaPlayer::NoError;
}

std::optional<std::string> SystemDialogs::OpenSoundFile(ui::Form& owner, const std::string& title,
                                                        const std::string& current) {
  QWidget* parent = widgetOf_ ? widgetOf_(&owner) : nullptr;
  const QFileInfo now(LocalPath(current));
  // The current file preselected where it exists, else its folder.
  const QString start = current.empty() ? QString() : now.isFile() ? now.absoluteFilePath() : now.absolutePath();
  const QString chosen = QFileDialog::getOpenFileName(parent, QString::fromStdString(title), start,
                                                      QString::fromUtf8(i18n::Tr("Suara")) + " (*.wav *.mp3 *.WAV *.MP3)");
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

}  // namespace qov::qt
