// Sound files the user picks: the file dialog, and playback at a volume.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <string_view>

#include "backends/common/sound_file.h"
#include "backends/qt/services.h"
#include "backends/qt/sound/player.h"
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
  if (!player_ && !triedLoading_) {
    triedLoading_ = true;
    // The module stays loaded once loaded: the player's code may still run
    // from the event loop.
    if (auto make = reinterpret_cast<MakeAudioPlayer>(ModuleEntry(kSoundModule, kMakeAudioPlayer)))
      player_.reset(make());
  }
  if (!player_) return false;
  // Linear, as the Windows program scales its samples.
  player_->Play(file, static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f);
  return true;
}

void SystemSound::Stop() {
  if (player_) player_->Stop();
}

bool SystemSound::Playing() { return player_ && player_->Playing(); }

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
