#include "backends/qt/services.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QLocale>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimeZone>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/datetime.h"
#include "backends/common/conversions.h"
#include "backends/common/reg_value.h"
#include "backends/qt/x11.h"

namespace qov::qt {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString SettingsKey(const std::string& section, const std::string& key) {
  // A slash would open a subgroup and a backslash is QSettings' own
  // separator: neither is part of any key the program uses, and a key that
  // has one is kept out of the other groups.
  QString k = Q(key);
  k.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
  return Q(section) + QLatin1Char('/') + k;
}

// The native format on Linux is INI, in $XDG_CONFIG_HOME/QOVClock/QOVClock.conf.
QSettings Store() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "QOVClock", "QOVClock"); }

// Windows has no "C" locale; a system without a locale set formats as the
// Windows program does under an English system.
QLocale UserQLocale() {
  const QLocale system = QLocale::system();
  if (system.language() == QLocale::C) return QLocale(QLocale::English, QLocale::UnitedStates);
  return system;
}

// The locale's long time without the zone name Qt appends ("t"), which the
// Windows long time has not.
QString LongTimeFormat(const QLocale& locale) {
  QString f = locale.timeFormat(QLocale::LongFormat);
  QString out;
  bool quoted = false;
  for (QChar ch : f) {
    if (ch == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && ch == QLatin1Char('t')) continue;
    out += ch;
  }
  return out.trimmed();
}

}  // namespace

// ---------------------------------------------------------------- settings

std::string IniSettings::Get(const std::string& section, const std::string& key) {
  const QVariant v = Store().value(SettingsKey(section, key));
  // A hand-edited value with a comma reads as a list: it is one text.
  const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
  const std::string out = text.toStdString();
  // As in the registry, a value no setting could be is not ours.
  return out.size() > SettingsStore::kMaxValueBytes ? std::string() : out;
}

bool IniSettings::Save(const std::string& section, const std::string& key, const std::string& value) {
  if (value.size() > SettingsStore::kMaxValueBytes) return false;
  QSettings s = Store();
  s.setValue(SettingsKey(section, key), Q(value));
  // Written at once (through a temporary file, so a failed write leaves the
  // old file whole), as the registry is.
  s.sync();
  return s.status() == QSettings::NoError;
}

// ------------------------------------------------------------ clock, locale

double LocalClock::Now() {
  constexpr int64_t kMsPerMinute = 60000, kMsPerDay = 86400000;
  constexpr double kSerialOf1970 = 25569;  // 1970-01-01 in days since 1899-12-30
  const int64_t utcMs = QDateTime::currentMSecsSinceEpoch();
  const int64_t minute = utcMs >= 0 ? utcMs / kMsPerMinute : (utcMs - kMsPerMinute + 1) / kMsPerMinute;
  // A new zone the user picks shows within the minute.
  if (minute != offsetMinute_) {
    offsetMinute_ = minute;
    offsetMs_ = int64_t{QDateTime::fromMSecsSinceEpoch(minute * kMsPerMinute).offsetFromUtc()} * 1000;
  }
  const int64_t localMs = utcMs + offsetMs_;
  const int64_t day = localMs >= 0 ? localMs / kMsPerDay : (localMs - kMsPerDay + 1) / kMsPerDay;
  return kSerialOf1970 + static_cast<double>(day) + static_cast<double>(localMs - day * kMsPerDay) / kMsPerDay;
}

double LocalClock::UtcOffsetAt(double utcDateTime) {
  if (!(utcDateTime > 0 && utcDateTime < 2958466)) return 0;
  const CivilDate d = DateOf(utcDateTime);
  const TimeOfDay t = TimeOf(utcDateTime);
  const QDateTime utc(QDate(d.year, d.month, d.day), QTime(t.hour % 24, t.minute, 0), Qt::UTC);
  if (!utc.isValid()) return 0;
  const int seconds = QTimeZone::systemTimeZone().offsetFromUtc(utc);
  // Zones are whole quarter hours.
  return std::round(seconds / 900.0) / 4;
}

std::string UserLocale::LongTime(double dateTime) {
  const TimeOfDay t = TimeOf(dateTime);
  if (t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60) {
    const int secondOfDay = (t.hour * 60 + t.minute) * 60 + t.second;
    if (secondOfDay == lastSecondOfDay_) return lastText_;
    const QLocale locale = UserQLocale();
    const QString text = locale.toString(QTime(t.hour, t.minute, t.second), LongTimeFormat(locale));
    if (!text.isEmpty()) {
      lastSecondOfDay_ = secondOfDay;
      lastText_ = text.toStdString();
      return lastText_;
    }
  }
  return FormatHHMMSS(dateTime);
}

std::string UserLocale::MonthName(int month) {
  if (month < 1 || month > 12) return {};
  return UserQLocale().standaloneMonthName(month, QLocale::LongFormat).toStdString();
}

// ------------------------------------------------------------------ screen

ScreenInfo DesktopScreen::Info() {
  QWidget* w = mainWidget_ ? mainWidget_() : nullptr;
  QScreen* screen = w ? w->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  ScreenInfo info;  // the logic's defaults where there is no screen at all
  if (!screen) return info;
  // Device-independent pixels at 96 per inch: Qt scales them to the
  // screen's real density.
  const QRect work = screen->availableGeometry();
  constexpr float tpp = 15;
  // Right and bottom edges, as the logic places the window against them.
  info.width = static_cast<ui::Twips>(work.x() + work.width()) * tpp;
  info.height = static_cast<ui::Twips>(work.y() + work.height()) * tpp;
  info.left = static_cast<ui::Twips>(work.x()) * tpp;
  info.top = static_cast<ui::Twips>(work.y()) * tpp;
  info.twipsPerPixelX = tpp;
  info.twipsPerPixelY = tpp;
  return info;
}

// --------------------------------------------------------- single instance

// The kernel's lock on an open file: held for the process's life and let
// go when it ends, by exit or crash, so no lock is ever stale. Nothing in
// the file needs to outlive a crash, so nothing is synced to the disk.
bool LockFileInstance::AnotherRunning() {
  if (asked_) return another_;
  asked_ = true;
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || !QFileInfo(dir).isDir())
    dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/QOVClock";
  QDir().mkpath(dir);
  path_ = QFile::encodeName(dir + "/qov-clock.lock");
  // A copy ending removes the file: a lock taken on the removed file locks
  // nothing, and the next try opens the new one.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path_.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock that cannot be made (a read-only folder) is no reason to
    // refuse to run.
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) {
        another_ = true;
        // The holder's process ID leads the file.
        char text[32] = {};
        if (::pread(fd, text, sizeof text - 1, 0) > 0) holder_ = std::strtoll(text, nullptr, 10);
      }
      ::close(fd);
      return another_;
    }
    struct stat locked {}, named {};
    if (::fstat(fd, &locked) == 0 && ::stat(path_.constData(), &named) == 0 && locked.st_dev == named.st_dev &&
        locked.st_ino == named.st_ino) {
      const std::string pid = std::to_string(::getpid()) + "\n";
      if (::ftruncate(fd, 0) == 0) [[maybe_unused]] const ssize_t n = ::pwrite(fd, pid.data(), pid.size(), 0);
      held_ = fd;
      return false;
    }
    ::close(fd);
  }
  return false;
}

LockFileInstance::~LockFileInstance() {
  if (held_ < 0) return;
  // Removed while still locked, so that no copy starting now takes it.
  ::unlink(path_.constData());
  ::close(held_);
}

void LockFileInstance::BringRunningForward(const std::string& title) {
  if (another_) x11::RaiseWindowOf(holder_, title.c_str());
}

// ----------------------------------------------------------------- dialogs

void SystemDialogs::MessageBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Information, Q(caption), Q(text), QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

bool SystemDialogs::ChooseColor(ui::Form& owner, ui::Color* result) {
  // Sixteen black custom colours every time, as the Windows dialog opens.
  for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::black);
  QWidget* parent = widgetOf_ ? widgetOf_(&owner) : nullptr;
  const QColor c = QColorDialog::getColor(Qt::black, parent);
  if (!c.isValid()) return false;
  if (result) *result = static_cast<ui::Color>(c.red() | (c.green() << 8) | (c.blue() << 16));
  return true;
}

// ------------------------------------------------------------------- shell

void SystemShell::Open(const std::string& link) {
  const QUrl url = QUrl::fromUserInput(Q(link));
  if (url.isValid()) QDesktopServices::openUrl(url);
}

// ------------------------------------------------------------------- files

QString LocalPath(const std::string& path) {
  const QString asIs = Q(path);
  if (QFileInfo::exists(asIs) || !asIs.contains(QLatin1Char('\\'))) return asIs;
  return QString(asIs).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QFunctionPointer ModuleEntry(const char* file, const char* symbol) {
  const QDir bin(QCoreApplication::applicationDirPath());
  const QString name = QString::fromLatin1(file);
  for (const QString& path : {bin.filePath(name), bin.filePath(QStringLiteral("../lib/qov-clock/modules/") + name)}) {
    if (!QFileInfo(path).isFile()) continue;
    QLibrary module(path);
    if (QFunctionPointer entry = module.resolve(symbol)) return entry;
  }
  return nullptr;
}

std::string DataFiles::BesideProgram(const std::string& name) {
  // Beside the program when the data is there (the build tree), else the
  // installed data folder next to bin/ (/usr/share/qov-clock for /usr/bin).
  const QDir exeDir(QCoreApplication::applicationDirPath());
  if (QFileInfo(exeDir.filePath("daftar_all.TXT")).isFile()) return exeDir.filePath(Q(name)).toStdString();
  const QDir shared(QDir::cleanPath(exeDir.path() + "/../share/qov-clock"));
  if (shared.exists()) return shared.filePath(Q(name)).toStdString();
  return QDir("/usr/share/qov-clock").filePath(Q(name)).toStdString();
}

std::optional<std::string> DataFiles::ReadAll(const std::string& path, size_t maxBytes) {
  const QString local = LocalPath(path);
  // Only regular files: a FIFO or a device put in the list's place would
  // block or never end.
  if (!QFileInfo(local).isFile()) return std::nullopt;
  QFile f(local);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray data = f.read(static_cast<qint64>(std::min<size_t>(maxBytes, 1u << 30)));
  if (data.isNull() && f.error() != QFileDevice::NoError) return std::nullopt;
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

// ----------------------------------------------------------- login start

namespace {

QString AutostartPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart/qov-clock.desktop";
}

// The program as a desktop entry's Exec value: quoted where it holds a
// reserved character, with the entry's own escapes on top.
QString DesktopExec(const QString& program) {
  static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  const bool quote = std::any_of(program.begin(), program.end(), [](QChar c) { return kReserved.contains(c); });
  QString arg;
  for (QChar c : program) {
    if (quote && QStringLiteral("\"`$\\").contains(c)) arg += QLatin1Char('\\');
    arg += c;
  }
  if (quote) arg = QLatin1Char('"') + arg + QLatin1Char('"');
  // The value's escapes come on top of the quoting; '%' would be a field code.
  return arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
      .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
      .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
      .replace(QLatin1Char('%'), QStringLiteral("%%"));
}

}  // namespace

// A user who turned the entry off in the desktop's own settings has it
// hidden rather than removed: that reads as off.
bool AutostartEntry::IsEnabled() {
  QFile f(AutostartPath());
  if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  const QByteArray text = f.read(64 * 1024);
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") return false;
  }
  return true;
}

bool AutostartEntry::Enable(bool on) {
  const QString path = AutostartPath();
  if (!on) return !QFileInfo::exists(path) || QFile::remove(path);
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  const QString program = QCoreApplication::applicationFilePath();
  QString tryExec = program;
  tryExec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  // Written whole or not at all: a desktop reading it at login never sees
  // half an entry.
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  const QString entry = QStringLiteral(
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Jam QOV\n"
                            "Comment=Jam meja dengan waktu sholat\n"
                            "Icon=qov-clock\n"
                            "TryExec=%1\n"
                            "Exec=%2\n"
                            "Terminal=false\n")
                            .arg(tryExec, DesktopExec(program));
  f.write(entry.toUtf8());
  return f.commit();
}

}  // namespace qov::qt
