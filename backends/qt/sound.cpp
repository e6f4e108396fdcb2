// Sound files the user picks: the file dialog, and playback at a volume.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibrary>
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

// Beside the program in the build, in lib/qov-clock/modules beside bin/
// when installed (a folder of its own, which the loader's cache never
// lists). The module stays loaded once loaded: the player's code may
// still run from the event loop.
std::unique_ptr<AudioPlayer> LoadPlayer() {
  const QDir bin(QCoreApplication::applicationDirPath());
  for (const QString& path : {bin.filePath(kSoundModule), bin.filePath(QStringLiteral("../lib/qov-clock/modules/")) + kSoundModule}) {
    if (!QFileInfo(path).isFile()) continue;
    QLibrary module(path);
    if (auto make = reinterpret_cast<MakeAudioPlayer>(module.resolve(kMakeAudioPlayer))) return std::unique_ptr<AudioPlayer>(make());
  }
  return nullptr;
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
    player_ = LoadPlayer();
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
