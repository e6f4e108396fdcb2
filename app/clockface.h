// The main window `clockface`: its controls and menus, its state, and every
// handler. The handlers of each subsystem live in that subsystem's folder
// (app/ start-up, layout and placement; clock/ timers, hands, panel,
// adzan and dragging; location/ city list and dialog; chrome/ tray, hook,
// colours and about box); this header is the one place they meet.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/waktu_sholat.h"
#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class ClsStyle;
class ClsTrayIcon;
class FrmAbout;

// One record of the city list.
struct Posisi {
  std::string nama;
  double latitude = 0;
  double longitude = 0;
  int16_t zone = 0;
};

inline constexpr const char* kAppTitle = "Jam QOV";
inline constexpr int kDaftarPosisiSize = 2001;

class ClockFace {
 public:
  explicit ClockFace(Services& services);
  ~ClockFace();
  ClockFace(const ClockFace&) = delete;
  ClockFace& operator=(const ClockFace&) = delete;

  ui::Form& form() { return form_; }
  Services& services() { return svc_; }
  engine::WaktuSholat& engine() { return engine_; }

  // ---- start-up and shut-down (app/startup.cpp)
  // False when another copy runs: the refusal was shown and the caller ends
  // the process without showing anything.
  bool Form_Load();
  void Form_Unload();
  void mExit_Click();

  // ---- layout and display versions (app/layout.cpp)
  void Form_Resize();
  void mVer1_Click();
  void mVer2_Click();
  void mAna_Click();
  void Timer1_Timer();
  void PaintFace();
  void KeepOnScreen();

  // ---- placement (app/placement.cpp)
  void mAOP_Click();
  void msuara_Click();

  // ---- main tick and alerts (clock/)
  void tmr_Timer();
  void Timer2_Timer();
  void Timer3_Timer();
  void SetHand(int16_t angle, ui::Control& line, int16_t length);
  void UpdateHands();
  void Adzhan();
  void PlayWave(const std::string& path);
  // Today's times from the engine with the form's place and parameters.
  void HitungHariIni();

  // ---- prayer-time panel and popup (clock/)
  void mwSholat_Click();
  void mpop_Click();
  void timerPopUp_Timer();
  void Frame1_Click();
  void Command3_Click();

  // Today's times as the tick tests them (Dzuhur, Ashar, Maghrib, Isya,
  // Shubuh), reduced to their "HH:MM" minute of the day (-1: none), and the
  // engine outputs they were taken from: the tick re-reduces them only when
  // those outputs change, never formats five texts per tick.
  struct PrayerMinutes {
    std::array<double, 5> from{};
    std::array<int16_t, 5> minute{};
    bool valid = false;
  };
  PrayerMinutes prayerMinutes;

  // ---- dragging and double-clicks (clock/)
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void Picture1_MouseDown(int button, int shift, float x, float y);
  void Picture1_MouseMove(int button, int shift, float x, float y);
  void Picture1_MouseUp(int button, int shift, float x, float y);
  void Picture1_DblClick();
  void digTime_MouseDown(int button, int shift, float x, float y);
  void digTime_MouseMove(int button, int shift, float x, float y);
  void digTime_MouseUp(int button, int shift, float x, float y);
  void digTime_DblClick();
  // Opens mKeluar at the pointer (mExit as the caller left it).
  void PopupContextMenu();

  // ---- location (location/)
  void AddNamaPosisi();
  void mLok_Click();
  void Combo1_Click();
  void Command1_Click();
  void Command2_Click();

  // ---- chrome (chrome/)
  void CreateTrayIcon();
  void HookWindow(ui::Handle hWnd);
  void UnhookWindow();
  intptr_t WindowProc(ui::Handle hWnd, uint32_t uMsg, uintptr_t wParam, intptr_t lParam);
  void mJam_Click();
  void MMenit_Click();
  void mDetik_Click();
  void mAbout_Click();
  void mQOV_Click();

  // ---- form state
  int16_t LongHandLen = 0;
  int16_t ShortHandLen = 0;
  int16_t AddMaghrib = 0;
  int16_t AddDhuhur = 0;
  int16_t MazhabAshar = 0;
  double SudutFajar = 0;
  double SudutIsya = 0;
  std::string Kota;
  double Lat = 0;
  double Lon = 0;
  int16_t TimeZone = 0;
  int16_t VersiDisplay = 0;
  int16_t PopDelay = 0;
  bool AdzanArmed = false;
  std::unique_ptr<ClsStyle> Style;
  int16_t CenterX = 0;
  int16_t CenterY = 0;
  bool LayoutDone = false;
  std::unique_ptr<ClsTrayIcon> trayIcon;
  bool ResizePending = false;
  std::string NamaSholat;
  int16_t SavedHeight = 0;
  // While the location dialog is open the strip of version 2 is held at
  // least this high, so that the dialog's buttons stay reachable.
  int16_t DialogMinHeight = 0;
  bool Dragging = false;
  int16_t GrabX = 0;
  int16_t GrabY = 0;
  int16_t AlertTicks = 0;  // static counter of Timer2_Timer
  bool BlinkOff = false;   // static flag of Timer3_Timer
  // Date (whole days) of the last computation of today's times.
  double ComputedDate = -1;
  std::vector<Posisi> daftarPosisi;  // kDaftarPosisiSize slots after AddNamaPosisi
  uintptr_t oldWindowProc = 0;
  std::unique_ptr<FrmAbout> about;
  // The hand colours lives in the line controls themselves.

  // ---- controls (created by the form's design, app/design.cpp)
  ui::Control* Picture1 = nullptr;
  ui::Control* digTime = nullptr;
  ui::Control* hHand = nullptr;
  ui::Control* minHand = nullptr;
  ui::Control* secHand = nullptr;
  ui::Control* Frame1 = nullptr;
  ui::Control* Frame2 = nullptr;
  ui::Control* Combo1 = nullptr;
  ui::Control* tkLat = nullptr;
  ui::Control* tkLong = nullptr;
  ui::Control* tkTimeZone = nullptr;
  ui::Control* tkDz = nullptr;
  ui::Control* tkMag = nullptr;
  ui::Control* Option1 = nullptr;
  ui::Control* Option2 = nullptr;
  ui::Control* sdFajar = nullptr;
  ui::Control* sdIsya = nullptr;
  ui::Control* Command1 = nullptr;
  ui::Control* Command2 = nullptr;
  ui::Control* Command3 = nullptr;
  ui::Control* tkDel = nullptr;
  std::array<ui::Control*, 7> lbWkSholat{};
  std::array<ui::Control*, 5> lbWkt{};
  std::array<ui::Control*, 5> lbtikwa{};
  ui::Control* Label1_0 = nullptr;  // panel title
  ui::Control* Label2_0 = nullptr;  // panel date

  ui::Timer* tmr = nullptr;
  ui::Timer* Timer1 = nullptr;
  ui::Timer* Timer2 = nullptr;
  ui::Timer* Timer3 = nullptr;
  ui::Timer* timerPopUp = nullptr;

  ui::MenuItem* mKeluar = nullptr;
  ui::MenuItem* mQOV = nullptr;
  ui::MenuItem* mAOP = nullptr;
  ui::MenuItem* mwSholat = nullptr;
  ui::MenuItem* mSete = nullptr;
  ui::MenuItem* mAna = nullptr;
  ui::MenuItem* mCDisp = nullptr;
  ui::MenuItem* mVer1 = nullptr;
  ui::MenuItem* mVer2 = nullptr;
  ui::MenuItem* mpop = nullptr;
  ui::MenuItem* msuara = nullptr;
  ui::MenuItem* mLok = nullptr;
  ui::MenuItem* mSet = nullptr;
  ui::MenuItem* mJam = nullptr;
  ui::MenuItem* MMenit = nullptr;
  ui::MenuItem* mDetik = nullptr;
  ui::MenuItem* mAbout = nullptr;
  ui::MenuItem* mExit = nullptr;

  // Picture ids the back end maps to the face bitmaps.
  static constexpr const char* kImage1 = "Image1";  // numerals and dots
  static constexpr const char* kImage2 = "Image2";  // plain

 private:
  void Design();        // app/design.cpp: the controls, menus and timers
  void DesignPanel();   // clock/panel_design.cpp: Frame1's contents
  void DesignDialog();  // location/dialog_design.cpp: Frame2's contents
  void Wire();          // connects events to the handlers
  void AnchorHands();   // every line but "Batas" starts at the centre
  void Save(const char* section, const char* key, const std::string& value);
  std::string Get(const char* section, const char* key);

  Services& svc_;
  ui::Form form_;
  engine::WaktuSholat engine_;
};

// Form_Load, then the first showing and layout pass; false when another
// copy runs (the process should end).
bool StartClock(ClockFace& clock);

// Moves `window` into or out of the topmost band without moving it.
void SetAlwaysOnTop(ui::Form& window, bool onTop, WindowApi& api);
// Moves a window to (left, top), pulled into the work area where it would
// cross an edge; a window larger than the work area keeps its left and top
// edges on it. Moves nothing when the place is unchanged.
void MoveOnScreen(ui::Form& window, const ScreenInfo& area, float left, float top);

}  // namespace qov
