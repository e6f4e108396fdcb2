// Start-up and shut-down of the main window.
#include <cmath>

#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/cls_style.h"
#include "chrome/cls_tray_icon.h"
#include "engine/datetime.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

namespace {

// A stored number that does not fit its 16-bit field leaves the field as it
// was, and the start goes on.
void Read16(int16_t& field, const std::string& text) {
  if (auto v = s::ValInt16(text)) field = *v;
}

}  // namespace

bool ClockFace::Form_Load() {
  if (svc_.instance->AnotherRunning()) {
    svc_.dialogs->MessageBox("Sudah ada yang jalan", kAppTitle);
    return false;
  }

  AdzanArmed = true;

  Kota = Get(s::kLokasi, s::kKota);
  if (Kota.empty()) {
    Lat = -6.15;
    Lon = 106.816;
    TimeZone = 7;
    Kota = "Jakarta";
    AddMaghrib = 2;
    AddDhuhur = 2;
    MazhabAshar = 1;
    SudutFajar = 19;
    SudutIsya = 20;
    PopDelay = 5;
    VersiDisplay = 1;
    Save(s::kLokasi, s::kAddDhuhur, s::SignedBlank(AddDhuhur));
    Save(s::kLokasi, s::kAddMaghrib, s::SignedBlank(AddMaghrib));
    Save(s::kLokasi, s::kMazhabAshar, s::SignedBlank(MazhabAshar));
    Save(s::kLokasi, s::kSudutFajar, s::SignedBlank(SudutFajar));
    Save(s::kLokasi, s::kSudutIsya, s::SignedBlank(SudutIsya));
    Save(s::kLokasi, s::kKota, Kota);
    Save(s::kLokasi, s::kLat, s::SignedBlank(Lat));
    Save(s::kLokasi, s::kLong, s::SignedBlank(Lon));
    Save(s::kLokasi, s::kTimeZone, s::SignedBlank(TimeZone));
    Save(s::kLokasi, s::kPopDelay, s::SignedBlank(PopDelay));
    Save(s::kLokasi, s::kVersiDisplay, s::SignedBlank(VersiDisplay));
    SetAlwaysOnTop(form_, true, *svc_.window);
    mAOP->checked = true;
  } else {
    Lat = s::Val(Get(s::kLokasi, s::kLat));
    Lon = s::Val(Get(s::kLokasi, s::kLong));
    Read16(TimeZone, Get(s::kLokasi, s::kTimeZone));
    Read16(AddMaghrib, Get(s::kLokasi, s::kAddMaghrib));
    Read16(AddDhuhur, Get(s::kLokasi, s::kAddDhuhur));
    Read16(MazhabAshar, Get(s::kLokasi, s::kMazhabAshar));
    SudutFajar = s::Val(Get(s::kLokasi, s::kSudutFajar));
    SudutIsya = s::Val(Get(s::kLokasi, s::kSudutIsya));
    // A switch that was never stored keeps the state the first run showed
    // (sound off, analog face on), rather than reading as off.
    const std::string suara = Get(s::kPosisiWindow, s::kSuaraAdzhan);
    msuara->checked = !suara.empty() && s::ValFlag(suara);
    const std::string analog = Get(s::kPosisiWindow, s::kAnalog);
    mAna->checked = analog.empty() || s::ValFlag(analog);
    Read16(PopDelay, Get(s::kLokasi, s::kPopDelay));
    Read16(VersiDisplay, Get(s::kLokasi, s::kVersiDisplay));
    if (PopDelay == 0) {
      PopDelay = 5;
      Save(s::kLokasi, s::kPopDelay, s::SignedBlank(PopDelay));
    }
    if (VersiDisplay == 0) {
      VersiDisplay = 1;
      Save(s::kLokasi, s::kVersiDisplay, s::SignedBlank(VersiDisplay));
    }
  }

  HitungHariIni();

  const bool hands = mAna->checked;
  hHand->SetVisible(hands);
  secHand->SetVisible(hands);
  minHand->SetVisible(hands);

  AddNamaPosisi();

  Style = std::make_unique<ClsStyle>(*svc_.window);
  Style->SetClient(&form_);
  Style->SetSizable(false);

  if (auto v = ToInt16(form_.scaleWidth() / 2.0)) CenterX = *v;
  if (auto v = ToInt16(form_.scaleHeight() / 2.0)) CenterY = *v;
  AnchorHands();

  if (Get(s::kPosisiWindow, s::kTop).empty()) {
    const ScreenInfo screen = svc_.screen->Info();
    form_.Move(screen.width - 1.1f * form_.width(), 0.1f * form_.height(), form_.width(),
               form_.height());
  }

  CreateTrayIcon();
  HookWindow(form_.hWnd());

  Frame1->Move(0, 0, Frame1->width(), Frame1->height());
  return true;
}

void ClockFace::Form_Unload() {
  if (trayIcon) trayIcon->trayDelete();
  UnhookWindow();
  Style.reset();
  Save(s::kPosisiWindow, s::kPanjang, s::SignedBlankSingle(form_.height()));
}

void ClockFace::mExit_Click() { svc_.windows->Close(form_); }

void ClockFace::HitungHariIni() {
  const double today = DatePart(svc_.clock->Now());
  // Angles are whole degrees for the engine; a stored angle beyond 16 bits
  // means "keep the previous angle" (0), never a failure.
  const int16_t fajar = ToInt16(SudutFajar).value_or(0);
  const int16_t isya = ToInt16(SudutIsya).value_or(0);
  engine_.HitungWaktuSholat(today, Lat, Lon, TimeZone, AddDhuhur, AddMaghrib, MazhabAshar, fajar,
                            isya);
  ComputedDate = today;
}

bool StartClock(ClockFace& clock) {
  if (!clock.Form_Load()) return false;
  clock.form().Show();
  // The platform raises the first layout pass when the window is shown.
  clock.Form_Resize();
  return true;
}

}  // namespace qov
