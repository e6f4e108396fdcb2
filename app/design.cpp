// The design of the main window: its controls with their design-time
// captions and geometry, its timers, its context menu, and the wiring of
// every event to its handler.
#include <cmath>

#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/about.h"
#include "chrome/cls_style.h"
#include "chrome/cls_tray_icon.h"

namespace qov {

using ui::Kind;

ClockFace::ClockFace(Services& services) : svc_(services), form_("clockface") {
  Design();
  DesignPanel();
  DesignDialog();
  Wire();
}

ClockFace::~ClockFace() = default;

void ClockFace::Design() {
  // Inner area at creation; the first layout pass applies the version's
  // proportion to it.
  form_.Move(0, 0, 2115, 3075);

  // Timers, with their design intervals and states.
  timerPopUp = &form_.AddTimer("timerPopUp", 0, false);
  Timer3 = &form_.AddTimer("Timer3", 1000, false);
  Timer2 = &form_.AddTimer("Timer2", 1000, false);
  Timer1 = &form_.AddTimer("Timer1", 1, true);
  tmr = &form_.AddTimer("tmr", 300, true);

  Picture1 = &form_.Add(Kind::PictureBox, "Picture1");
  Picture1->Move(0, 0, 2115, 2706);
  Picture1->SetPicture(kImage1);

  auto hand = [&](const char* name, int width) {
    ui::Control& l = form_.Add(Kind::Line, name, -1, Picture1);
    l.SetBorderColor(ui::kWhite);
    l.SetBorderWidth(width);
    return &l;
  };
  hHand = hand("hHand", 4);
  secHand = hand("secHand", 1);
  minHand = hand("minHand", 2);

  digTime = &form_.Add(Kind::Label, "digTime");
  digTime->Move(0, 2706, 2115, 369);
  digTime->SetText("Label1");
  digTime->SetFont(ui::Font{"Arial", 24, true, false});
  digTime->SetAlignment(ui::Align::Center);

  // The context menu: one hidden top-level menu shown only as a popup.
  ui::MenuItem& root = form_.menu();
  root.name = "mKeluar";
  root.caption = "Keluar";
  root.visible = false;
  mKeluar = &root;
  mQOV = &root.Add("mQOV", "QOV Web Site");
  root.Add("mgaris", "-");
  mAOP = &root.Add("mAOP", "Always On Top");
  mwSholat = &root.Add("mwSholat", "Waktu Sholat");
  mSete = &root.Add("mSete", "Setting");
  mAna = &mSete->Add("mAna", "Analog Clock", true);
  mCDisp = &mSete->Add("mCDisp", "Clock Display");
  mVer1 = &mCDisp->Add("mVer1", "Versi 1");
  mVer2 = &mCDisp->Add("mVer2", "Versi 2");
  mpop = &mSete->Add("mpop", "Pop Up Waktu Sholat");
  msuara = &mSete->Add("msuara", "Suara Adzhan");
  mLok = &mSete->Add("mLok", "Lokasi");
  mSet = &mSete->Add("mSet", "Set Warna Jarum");
  mJam = &mSet->Add("mJam", "Jam");
  MMenit = &mSet->Add("MMenit", "Menit");
  mDetik = &mSet->Add("mDetik", "Detik");
  root.Add("mg3", "-");
  mAbout = &root.Add("mAbout", "About");
  root.Add("mg2", "-");
  mExit = &root.Add("mExit", "Exit");
}

void ClockFace::Wire() {
  tmr->onTimer = [this] { tmr_Timer(); };
  Timer1->onTimer = [this] { Timer1_Timer(); };
  Timer2->onTimer = [this] { Timer2_Timer(); };
  Timer3->onTimer = [this] { Timer3_Timer(); };
  timerPopUp->onTimer = [this] { timerPopUp_Timer(); };

  form_.onResize = [this] { Form_Resize(); };
  form_.onUnload = [this] { Form_Unload(); };
  form_.onMouseDown = [this](int b, int s, float x, float y) {
    Form_MouseDown(b, s, x, y);
    if (Style) Style->mClient_MouseDown(b);
  };
  form_.onMouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
  form_.onMouseUp = [this](int b, int s, float x, float y) {
    Form_MouseUp(b, s, x, y);
    if (Style) Style->mClient_MouseUp(b);
  };
  Picture1->onMouseDown = [this](int b, int s, float x, float y) { Picture1_MouseDown(b, s, x, y); };
  Picture1->onMouseMove = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
  Picture1->onMouseUp = [this](int b, int s, float x, float y) { Picture1_MouseUp(b, s, x, y); };
  Picture1->onDblClick = [this] { Picture1_DblClick(); };
  digTime->onMouseDown = [this](int b, int s, float x, float y) { digTime_MouseDown(b, s, x, y); };
  digTime->onMouseMove = [this](int b, int s, float x, float y) { digTime_MouseMove(b, s, x, y); };
  digTime->onMouseUp = [this](int b, int s, float x, float y) { digTime_MouseUp(b, s, x, y); };
  digTime->onDblClick = [this] { digTime_DblClick(); };

  if (Frame1) Frame1->onClick = [this] { Frame1_Click(); };
  if (Command3) Command3->onClick = [this] { Command3_Click(); };
  if (Combo1) Combo1->onClick = [this] { Combo1_Click(); };
  if (Command1) Command1->onClick = [this] { Command1_Click(); };
  if (Command2) Command2->onClick = [this] { Command2_Click(); };

  mQOV->onClick = [this] { mQOV_Click(); };
  mAOP->onClick = [this] { mAOP_Click(); };
  mwSholat->onClick = [this] { mwSholat_Click(); };
  mAna->onClick = [this] { mAna_Click(); };
  mVer1->onClick = [this] { mVer1_Click(); };
  mVer2->onClick = [this] { mVer2_Click(); };
  mpop->onClick = [this] { mpop_Click(); };
  msuara->onClick = [this] { msuara_Click(); };
  mLok->onClick = [this] { mLok_Click(); };
  mJam->onClick = [this] { mJam_Click(); };
  MMenit->onClick = [this] { MMenit_Click(); };
  mDetik->onClick = [this] { mDetik_Click(); };
  mAbout->onClick = [this] { mAbout_Click(); };
  mExit->onClick = [this] { mExit_Click(); };
}

void ClockFace::AnchorHands() {
  for (auto& c : form_.controls())
    if (c->kind() == Kind::Line && c->name() != "Batas") c->SetStart(CenterX, CenterY);
}

void ClockFace::Save(const char* section, const char* key, const std::string& value) {
  svc_.settings->Save(section, key, value);
}

std::string ClockFace::Get(const char* section, const char* key) {
  return svc_.settings->Get(section, key);
}

}  // namespace qov
