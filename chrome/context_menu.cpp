#include "chrome/context_menu.h"

#include <utility>

#include "platform/i18n.h"

namespace qov {
namespace {

struct Row {
  int depth;  // 0 on the menu itself; n + 1 inside the nearest row above at depth n
  Command command;
  const char* name;
  const char* caption;  // "-" is a separator
  int16_t minutes = 0;  // a reminder choice's lead time
};

// In menu order. Later additions go last in their submenu, so the items
// users know keep their places.
// "Hentikan Adzan" shows only while a sound plays, first where it is
// quickest to reach; hidden, it moves nothing.
constexpr Row kRows[] = {
    {0, Command::kStopAdzan, "stopAdzan", "Hentikan Adzan"},
    {0, Command::kWebSite, "webSite", "QOV Web Site"},
    {0, Command::kNone, "separatorAfterWebSite", "-"},
    {0, Command::kAlwaysOnTop, "alwaysOnTop", "Always On Top"},
    {0, Command::kPrayerTimes, "prayerTimes", "Waktu Sholat"},
    {0, Command::kNone, "settings", "Setting"},
    {1, Command::kAnalog, "analogClock", "Analog Clock"},
    {1, Command::kNone, "clockDisplay", "Clock Display"},
    {2, Command::kVersion1, "version1", "Versi 1"},
    {2, Command::kVersion2, "version2", "Versi 2"},
    {1, Command::kPopUpTimes, "popUpTimes", "Pop Up Waktu Sholat"},
    {1, Command::kSound, "adzanSound", "Suara Adzhan"},
    {1, Command::kLocation, "location", "Lokasi"},
    {1, Command::kNone, "handColors", "Set Warna Jarum"},
    {2, Command::kHourHandColor, "hourHandColor", "Jam"},
    {2, Command::kMinuteHandColor, "minuteHandColor", "Menit"},
    {2, Command::kSecondHandColor, "secondHandColor", "Detik"},
    {1, Command::kFullSchedule, "fullSchedule", "Jadwal Lengkap"},
    {1, Command::kNone, "reminder", "Pengingat"},
    {2, Command::kReminder, "reminderOff", "Mati", 0},
    {2, Command::kReminder, "reminder5", "5 menit", 5},
    {2, Command::kReminder, "reminder10", "10 menit", 10},
    {2, Command::kReminder, "reminder15", "15 menit", 15},
    {2, Command::kReminder, "reminder30", "30 menit", 30},
    {1, Command::kAlertSettings, "alertSettings", "Pengaturan Adzan"},
    {1, Command::kCountdown, "countdown", "Hitung Mundur"},
    {1, Command::kMute, "mute", "Bisukan"},
    {2, Command::kMuteHour, "muteHour", "1 jam"},
    {2, Command::kMuteTomorrow, "muteTomorrow", "Sampai besok"},
    {2, Command::kUnmute, "unmute", "Hidupkan suara"},
    {1, Command::kLoginStart, "loginStart", "Jalankan saat login"},
    {1, Command::kMonthTable, "monthTable", "Jadwal Sebulan"},
    {1, Command::kLanguage, "language", "Bahasa / Language"},
    {0, Command::kNone, "separatorBeforeAbout", "-"},
    {0, Command::kAbout, "about", "About"},
    {0, Command::kNone, "separatorBeforeExit", "-"},
    {0, Command::kExit, "exit", "Exit"},
};
constexpr int kMaxDepth = 3;

}  // namespace

ContextMenu::ContextMenu(ui::Form& form, Windows& windows) : form_(form), windows_(windows) {
  ui::MenuItem& root = form.menu();
  root.name = "contextMenu";
  root.visible = false;  // shown only as a popup
  std::array<ui::MenuItem*, kMaxDepth + 1> parents{&root};
  size_t reminder = 0;
  for (const Row& row : kRows) {
    ui::MenuItem& item = parents[static_cast<size_t>(row.depth)]->Add(row.name, row.caption);
    parents[static_cast<size_t>(row.depth) + 1] = &item;
    // The language's own submenu reads in both, so one lost in a language
    // they cannot read finds the way back.
    if (row.caption[0] != '-' && row.command != Command::kLanguage) {
      item.captionId = row.caption;
      item.caption = i18n::Tr(row.caption);
    }
    if (row.command == Command::kReminder) reminders_[reminder++] = {&item, row.minutes};
    else if (row.command != Command::kNone) items_[static_cast<size_t>(row.command)] = &item;
  }
  // One item per catalogue, each named in its own language.
  for (const i18n::Language& l : i18n::Languages())
    items_[static_cast<size_t>(Command::kLanguage)]->Add(std::string("language_") + l.code, l.name);
}

void ContextMenu::OnLanguage(const std::function<void(const std::string&)>& handler) {
  for (auto& item : items_[static_cast<size_t>(Command::kLanguage)]->children)
    item->onClick = [handler, code = item->name.substr(sizeof("language_") - 1)] { handler(code); };
}

void ContextMenu::CheckLanguage(const std::string& code) {
  for (auto& item : items_[static_cast<size_t>(Command::kLanguage)]->children)
    item->checked = item->name.substr(sizeof("language_") - 1) == code;
}

void ContextMenu::On(Command command, ui::Handler handler) {
  items_[static_cast<size_t>(command)]->onClick = std::move(handler);
}

void ContextMenu::Check(Command command, bool on) { items_[static_cast<size_t>(command)]->checked = on; }
void ContextMenu::Show(Command command, bool on) { items_[static_cast<size_t>(command)]->visible = on; }
void ContextMenu::Enable(Command command, bool on) { items_[static_cast<size_t>(command)]->enabled = on; }
void ContextMenu::SetCaption(Command command, const std::string& caption) {
  items_[static_cast<size_t>(command)]->captionId = nullptr;  // the caller's own text from now on
  items_[static_cast<size_t>(command)]->caption = caption;
}

void ContextMenu::OnReminder(const std::function<void(int16_t)>& handler) {
  for (const ReminderChoice& c : reminders_) c.item->onClick = [handler, minutes = c.minutes] { handler(minutes); };
}

void ContextMenu::CheckReminder(int16_t minutes) {
  for (const ReminderChoice& c : reminders_) c.item->checked = c.minutes == minutes;
}

void ContextMenu::OpenFromWindow() {
  for (const ui::Handler& h : onOpen_) h();
  items_[static_cast<size_t>(Command::kExit)]->visible = exitOnWindow_;
  windows_.PopupMenu(form_, form_.menu());
}

void ContextMenu::PrepareForTray() {
  for (const ui::Handler& h : onOpen_) h();
  items_[static_cast<size_t>(Command::kExit)]->visible = true;
}

void ContextMenu::OpenFromTray() {
  PrepareForTray();
  windows_.PopupMenu(form_, form_.menu());
}

}  // namespace qov
