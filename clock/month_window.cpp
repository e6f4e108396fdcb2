#include "clock/month_window.h"

#include <algorithm>
#include <cstdio>

#include "clock/dialog_frame.h"
#include "engine/waktu_names.h"
#include "platform/i18n.h"
#include "timetable/calendar_file.h"
#include "timetable/page.h"

namespace qov {
namespace {

using i18n::Tr;

constexpr const char* kCaption = N_("Jadwal Sebulan");
constexpr ui::Twips kMargin = 150;
constexpr ui::Twips kDateWidth = 450, kWeekdayWidth = 1200, kHijriWidth = 1800, kTimeWidth = 840;
constexpr ui::Twips kRowHeight = 240;
constexpr ui::Twips kTableTop = 2070;
constexpr ui::Twips kRowsTop = kTableTop + 300;
constexpr ui::Twips kStatusTop = kRowsTop + MonthWindow::kMaxDays * kRowHeight + 60;
constexpr ui::Twips kButtonsTop = kStatusTop + 300;
constexpr ui::Twips kButtonHeight = 345;
constexpr ui::Twips kHeight = kButtonsTop + kButtonHeight + kMargin;

constexpr ui::Color kRowShade = 0x00282828;   // every other row, to follow a line across
constexpr ui::Color kFriday = 0x0090EE90;     // light green
constexpr ui::Color kInfo = 0x00E0E0E0;

const ui::Font kTitleFont{"Arial", 12, true, false};
const ui::Font kCellFont{"Arial", 9, false, false};
const ui::Font kFridayFont{"Arial", 9, true, false};

std::string TimeText(const engine::PrayerTime& t) {
  if (t.minuteOfDay < 0) return "--:--";
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02d:%02d%s", t.minuteOfDay / 60, t.minuteOfDay % 60,
                t.dayOffset > 0 ? "+1" : t.dayOffset < 0 ? "-1" : "");
  return buf;
}

// The months the window pages through: those the Hijri calendar covers, so
// every row has its Hijri date and the page its heading.
int MonthIndex(int year, int month) { return year * 12 + month - 1; }
constexpr int kFirstMonth = engine::kHijriFirstCivilYear * 12;
constexpr int kLastMonth = engine::kHijriLastCivilYear * 12 + 11;

}  // namespace

MonthWindow::MonthWindow(ui::Form& clock, ContextMenu& menu, Services& services, settings::Settings& settings,
                         const Schedule& schedule)
    : clock_(clock), svc_(services), settings_(settings), schedule_(schedule), form_("jadwalSebulan") {
  frame_ = &dialog::AddFrame(form_, "monthFrame", kCaption, 0, kHeight);
  frame_->SetVisible(true);
  auto line = [&](const char* name, const ui::Font& font, ui::Color color, ui::Twips top, ui::Twips height) {
    ui::Control& c = form_.Add(ui::Kind::Label, name, -1, frame_);
    c.Move(kMargin, top, 0, height);
    c.SetFont(font);
    c.SetForeColor(color);
    c.SetTransparent(true);
    c.SetAlignment(ui::Align::Center);
    return &c;
  };
  title_ = line("monthTitle", kTitleFont, ui::kYellow, 360, 330);
  hijriSpan_ = line("hijriSpan", dialog::kCaptionFont, ui::kYellow, 720, 270);
  place_ = line("place", dialog::kBoxFont, kInfo, 1050, 240);
  method_ = line("method", kCellFont, kInfo, 1290, 480);
  status_ = line("status", kCellFont, ui::kYellow, kStatusTop, 240);

  auto button = [&](const char* name, const char* text) {
    ui::Control& b = form_.Add(ui::Kind::Button, name, -1, frame_);
    b.SetCaption(text);
    b.SetFont(dialog::kCaptionFont);
    return &b;
  };
  previous_ = button("previousMonth", "<");
  next_ = button("nextMonth", ">");
  buttons_ = {button("print", N_("Cetak")), button("savePdf", N_("Simpan PDF")),
              button("saveCalendar", N_("Simpan Kalender (.ics)")), button("close", N_("Tutup"))};

  for (int c = 0; c < kColumns; ++c) {
    ui::Control& h = form_.Add(ui::Kind::Label, "header", c, frame_);
    if (c >= 3) h.SetCaption(engine::kWaktuNames[static_cast<size_t>(c - 3)]);
    h.SetFont(dialog::kCaptionFont);
    h.SetForeColor(ui::kYellow);
    h.SetTransparent(true);
    h.SetAlignment(c == 2 ? ui::Align::Left : ui::Align::Center);
    headers_[static_cast<size_t>(c)] = &h;
  }
  rule_ = &form_.Add(ui::Kind::Line, "headerRule", -1, frame_);
  rule_->SetBorderColor(ui::kYellow);
  for (int r = 0; r < kMaxDays; ++r)
    for (int c = 0; c < kColumns; ++c) {
      ui::Control& cell = form_.Add(ui::Kind::Label, "cell", r * kColumns + c, frame_);
      cell.SetAlignment(c == 2 ? ui::Align::Left : ui::Align::Center);
      cells_[static_cast<size_t>(r)][static_cast<size_t>(c)] = &cell;
    }

  previous_->onClick = [this] { Page(-1); };
  next_->onClick = [this] { Page(1); };
  buttons_[0]->onClick = [this] { Print(); };
  buttons_[1]->onClick = [this] { SavePdf(); };
  buttons_[2]->onClick = [this] { SaveCalendar(); };
  buttons_[3]->onClick = [this] { Close(); };
  // Escape closes it, as it cancels the location dialog.
  buttons_[3]->SetCancel(true);
  // Borderless like the clock's other windows, so it moves by a drag
  // anywhere off its controls.
  frame_->onMouseDown = [this](int button, int, float x, float y) {
    dragging_ = button == 1;
    dragX_ = x;
    dragY_ = y;
  };
  frame_->onMouseMove = [this](int, int, float x, float y) {
    if (dragging_) form_.Move(form_.left() + x - dragX_, form_.top() + y - dragY_, form_.width(), form_.height());
  };
  frame_->onMouseUp = [this](int, int, float, float) { dragging_ = false; };
  form_.onLoad = [this] { OnLoad(); };
  form_.onUnload = [this] {
    open_ = false;
    dragging_ = false;
  };
  menu.On(Command::kMonthTable, [this] { Open(); });
}

MonthWindow::~MonthWindow() {
  // The window must not outlive the form it renders.
  if (open_ || form_.visible()) Close();
}

void MonthWindow::Open() {
  // The tray's menu still reaches the item while the window is open.
  if (open_) return;
  const settings::Location& l = schedule_.location();
  request_ = {settings::PlaceOf(l), settings::MethodOf(l), {}, l.hijriCorrection};
  // A place that follows the system's zone takes its offset at each time's
  // own instant, exactly as the clock does.
  if (l.followSystemZone) request_.offsetAt = [clock = svc_.clock](double utc) { return clock->UtcOffsetAt(utc); };
  // Read when opened: "Jadwal Lengkap" is the panel's switch.
  const bool full = settings_.ReadWindow().fullSchedule;
  shown_.clear();
  for (int k = 0; k < engine::kWaktuCount; ++k) {
    const auto w = static_cast<engine::Waktu>(k);
    if (full || (w != engine::Waktu::kImsak && w != engine::Waktu::kTerbit && w != engine::Waktu::kDhuha))
      shown_.push_back(w);
  }
  const CivilDate today = DateOf(svc_.clock->Now());
  const int index = std::clamp(MonthIndex(today.year, today.month), kFirstMonth, kLastMonth);
  year_ = index / 12;
  month_ = index % 12 + 1;
  status_->SetText("");
  Layout();
  Fill();
  // The back end creates the window, raises onLoad and shows it; the real
  // one returns only when the window has closed.
  svc_.windows->ShowModal(form_, clock_);
}

void MonthWindow::OnLoad() {
  open_ = true;
  const ScreenInfo area = svc_.screen->Info();
  MoveOnScreen(form_, area, area.left + (area.width - area.left - form_.width()) / 2,
               area.top + (area.height - area.top - form_.height()) / 2);
}

void MonthWindow::Close() { svc_.windows->Close(form_); }

void MonthWindow::Retranslate() {
  form_.Retranslate();
  if (open_) Fill();
}

// The width follows the columns shown: five times or eight.
void MonthWindow::Layout() {
  const auto shownCount = static_cast<ui::Twips>(shown_.size());
  const ui::Twips width = 2 * kMargin + kDateWidth + kWeekdayWidth + kHijriWidth + shownCount * kTimeWidth;
  form_.Move(form_.left(), form_.top(), width, kHeight);
  frame_->Move(0, 0, width, kHeight);
  for (ui::Control* c : {title_, hijriSpan_, place_, method_, status_}) c->SetWidth(width - 2 * kMargin);
  previous_->Move(kMargin, 330, 480, kButtonHeight);
  next_->Move(width - kMargin - 480, 330, 480, kButtonHeight);

  std::array<ui::Twips, kColumns> left{}, span{};
  ui::Twips x = kMargin;
  for (int c = 0; c < kColumns; ++c) {
    const bool time = c >= 3;
    const bool on = !time || std::find(shown_.begin(), shown_.end(), static_cast<engine::Waktu>(c - 3)) != shown_.end();
    span[static_cast<size_t>(c)] = !on ? 0 : c == 0 ? kDateWidth : c == 1 ? kWeekdayWidth : c == 2 ? kHijriWidth : kTimeWidth;
    left[static_cast<size_t>(c)] = x;
    x += span[static_cast<size_t>(c)];
  }
  for (size_t c = 0; c < kColumns; ++c) {
    headers_[c]->Move(left[c], kTableTop, span[c], 255);
    headers_[c]->SetVisible(span[c] > 0);
    for (size_t r = 0; r < kMaxDays; ++r) {
      // Each row's cells meet, so the row's shade runs unbroken.
      cells_[r][c]->Move(left[c], kRowsTop + static_cast<ui::Twips>(r) * kRowHeight, span[c], kRowHeight);
      cells_[r][c]->SetVisible(span[c] > 0);
    }
  }
  rule_->SetStart(kMargin, kRowsTop - 30);
  rule_->SetEnd(width - kMargin, kRowsTop - 30);

  const ui::Twips widths[] = {900, 1400, 2300, 900};
  ui::Twips total = 3 * 90;
  for (ui::Twips w : widths) total += w;
  ui::Twips bx = (width - total) / 2;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->Move(bx, kButtonsTop, widths[i], kButtonHeight);
    bx += widths[i] + 90;
  }
  // Where no printer is offered, its buttons are not shown at all.
  buttons_[0]->SetVisible(svc_.printer != nullptr);
  buttons_[1]->SetVisible(svc_.printer != nullptr);
}

void MonthWindow::Page(int months) {
  const int index = std::clamp(MonthIndex(year_, month_) + months, kFirstMonth, kLastMonth);
  year_ = index / 12;
  month_ = index % 12 + 1;
  status_->SetText("");
  Fill();
}

void MonthWindow::Fill() {
  const double first = DateSerial(year_, month_, 1);
  const int count = static_cast<int>(DateSerial(year_, month_ + 1, 1) - first);
  days_ = timetable::ComputeDays(request_, first, count);
  const double today = DatePart(svc_.clock->Now());

  const timetable::Sheet sheet = timetable::MonthSheets(days_, shown_).front();
  title_->SetText(std::string(Tr(timetable::MonthName(month_))) + " " + std::to_string(year_));
  hijriSpan_->SetText(sheet.subtitle);
  const settings::Location& l = schedule_.location();
  const std::string coordinates = timetable::CoordinatesText(l.latitude, l.longitude);
  const double noonOffset = days_.front().utcOffset[static_cast<size_t>(engine::Waktu::kDzuhur)];
  place_->SetText((l.city.empty() ? coordinates : l.city + " (" + coordinates + ")") + " · " +
                  timetable::UtcOffsetText(noonOffset));
  method_->SetText(timetable::MethodText(request_.method, l.kemenag));
  // "Hari" is also the location dialog's unit ("Days"): the column's own word.
  headers_[0]->SetText(Tr("Tgl"));
  headers_[1]->SetText(Tr("kolom", "Hari"));
  headers_[2]->SetText(Tr("Hijriah"));

  for (size_t r = 0; r < kMaxDays; ++r) {
    const bool inMonth = r < days_.size();
    for (size_t c = 0; c < kColumns; ++c) {
      ui::Control& cell = *cells_[r][c];
      cell.SetVisible(inMonth && headers_[c]->visible());
      if (!inMonth) continue;
      const timetable::Day& d = days_[r];
      const bool friday = timetable::IsFriday(d.date);
      const bool isToday = d.date == today;
      cell.SetText(c == 0   ? std::to_string(r + 1)
                   : c == 1 ? Tr("hari", timetable::WeekdayName(d.date))
                   : c == 2 ? (d.hijri.valid ? std::to_string(d.hijri.day) + " " + Tr(engine::HijriMonthName(d.hijri.month)) : "")
                            : TimeText(d.times.times[c - 3]));
      cell.SetFont(friday || isToday ? kFridayFont : kCellFont);
      cell.SetForeColor(isToday ? ui::kBlack : friday ? kFriday : ui::kWhite);
      cell.SetBackColor(isToday ? ui::kYellow : r % 2 ? kRowShade : ui::kBlack);
    }
  }
  previous_->SetEnabled(MonthIndex(year_, month_) > kFirstMonth);
  next_->SetEnabled(MonthIndex(year_, month_) < kLastMonth);
}

std::string MonthWindow::PageHtml() const {
  const settings::Location& l = schedule_.location();
  const std::string coordinates = timetable::CoordinatesText(l.latitude, l.longitude);
  const timetable::Heading heading{l.city.empty() ? coordinates : l.city + " (" + coordinates + ")",
                                   timetable::MethodText(request_.method, l.kemenag),
                                   l.followSystemZone ? i18n::Fill("zona {1}", {svc_.clock->SystemName()}) : ""};
  return timetable::WritePage(timetable::MonthSheets(days_, shown_), heading);
}

std::string MonthWindow::AskPath(const char* title, const Dialogs::FileKind& kind) {
  char name[32];
  std::snprintf(name, sizeof name, "jadwal-%04d-%02d.%s", year_, month_, kind.extension.c_str());
  return svc_.dialogs->SaveFile(form_, title, name, kind).value_or("");
}

void MonthWindow::Saved(const std::string& path, bool ok) {
  if (ok) {
    status_->SetText(i18n::Fill("Tersimpan: {1}", {path}));
    return;
  }
  status_->SetText("");
  svc_.dialogs->MessageBox(i18n::Fill("Tidak dapat menyimpan {1}. Pilih folder lain yang dapat ditulisi.", {path}), Tr(kCaption));
}

void MonthWindow::Print() {
  if (!svc_.printer) return;
  if (!svc_.printer->Print(form_, PageHtml())) svc_.dialogs->MessageBox(Tr("Jadwal tidak dapat dicetak."), Tr(kCaption));
}

void MonthWindow::SavePdf() {
  if (!svc_.printer) return;
  // Without a PDF writer of its own the system's browser prints the page,
  // and its print dialog saves it as PDF.
  if (!svc_.printer->WritesPdf()) return Print();
  const std::string path = AskPath(Tr("Simpan PDF"), {Tr("Dokumen PDF"), "pdf"});
  if (!path.empty()) Saved(path, svc_.printer->WritePdf(path, PageHtml()));
}

void MonthWindow::SaveCalendar() {
  const std::string path = AskPath(Tr("Simpan Kalender"), {Tr("Kalender iCalendar"), "ics"});
  if (path.empty()) return;
  const settings::Location& l = schedule_.location();
  const settings::WindowState window = settings_.ReadWindow();
  std::vector<int> leads;
  if (window.reminderMinutes > 0) leads.push_back(window.reminderMinutes);
  const double now = svc_.clock->Now();
  const timetable::CalendarFile file{l.city, l.latitude, l.longitude, timetable::MethodText(request_.method, l.kemenag),
                                     shown_, leads, now - svc_.clock->UtcOffsetAt(now - svc_.clock->UtcOffsetAt(now) / 24) / 24};
  Saved(path, svc_.files->WriteAll(path, timetable::WriteCalendarFile(days_, file)));
}

}  // namespace qov
