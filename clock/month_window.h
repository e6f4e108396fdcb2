// "Jadwal Sebulan": a month's times for the stored place and method in a
// window of its own over the clock, paged a month at a time, printed, and
// saved as a PDF or a calendar file. Its rows come from the same code as
// the clock's own times, and are computed when it opens or pages, never on
// the clock's tick.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chrome/context_menu.h"
#include "clock/schedule.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"
#include "timetable/days.h"

namespace qov {

class MonthWindow {
 public:
  static constexpr int kMaxDays = 31;
  static constexpr int kColumns = 3 + engine::kWaktuCount;  // date, weekday, Hijri date, the times

  MonthWindow(ui::Form& clock, ContextMenu& menu, Services& services, settings::Settings& settings,
              const Schedule& schedule);
  ~MonthWindow();
  MonthWindow(const MonthWindow&) = delete;
  MonthWindow& operator=(const MonthWindow&) = delete;

  ui::Form& form() { return form_; }
  bool IsOpen() const { return open_; }

  // Opens on the month of today, modal over the clock; an open window stays
  // the only one.
  void Open();
  // Another month, `months` away from the one shown, within the years the
  // Hijri calendar covers.
  void Page(int months);
  void Print();
  void SavePdf();
  void SaveCalendar();
  void Close();
  // The captions and the rows in the language just chosen.
  void Retranslate();

  // The month shown: the first day and the rows.
  const std::vector<timetable::Day>& days() const { return days_; }

 private:
  void OnLoad();
  void Layout();
  void Fill();
  std::string PageHtml() const;
  // The save dialog for one kind of file; an empty text when cancelled.
  std::string AskPath(const char* title, const Dialogs::FileKind& kind);
  void Saved(const std::string& path, bool ok);

  ui::Form& clock_;
  Services& svc_;
  settings::Settings& settings_;
  const Schedule& schedule_;
  ui::Form form_;
  bool open_ = false;

  timetable::Request request_;
  std::vector<engine::Waktu> shown_;
  int year_ = 0, month_ = 0;  // the month shown
  std::vector<timetable::Day> days_;

  ui::Control* frame_ = nullptr;
  ui::Control* title_ = nullptr;
  ui::Control* hijriSpan_ = nullptr;
  ui::Control* place_ = nullptr;
  ui::Control* method_ = nullptr;
  ui::Control* status_ = nullptr;
  ui::Control* previous_ = nullptr;
  ui::Control* next_ = nullptr;
  ui::Control* rule_ = nullptr;
  std::array<ui::Control*, kColumns> headers_{};
  std::array<std::array<ui::Control*, kColumns>, kMaxDays> cells_{};
  std::array<ui::Control*, 4> buttons_{};  // print, PDF, calendar, close
  float dragX_ = 0, dragY_ = 0;
  bool dragging_ = false;
};

}  // namespace qov
