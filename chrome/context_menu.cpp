#include "chrome/context_menu.h"

namespace qov {
namespace {

// The tree is built once, in menu order; each reference below names an
// item of it.
ui::MenuItem& Root(ui::Form& form) {
  ui::MenuItem& root = form.menu();
  root.name = "mKeluar";
  root.caption = "Keluar";
  root.visible = false;  // shown only as a popup
  root.Add("mQOV", "QOV Web Site");
  root.Add("mgaris", "-");
  root.Add("mAOP", "Always On Top");
  root.Add("mwSholat", "Waktu Sholat");
  ui::MenuItem& setting = root.Add("mSete", "Setting");
  setting.Add("mAna", "Analog Clock", true);
  ui::MenuItem& display = setting.Add("mCDisp", "Clock Display");
  display.Add("mVer1", "Versi 1");
  display.Add("mVer2", "Versi 2");
  setting.Add("mpop", "Pop Up Waktu Sholat");
  setting.Add("msuara", "Suara Adzhan");
  setting.Add("mLok", "Lokasi");
  ui::MenuItem& colours = setting.Add("mSet", "Set Warna Jarum");
  colours.Add("mJam", "Jam");
  colours.Add("MMenit", "Menit");
  colours.Add("mDetik", "Detik");
  // Later additions go last, so the items users know keep their places.
  setting.Add("mLengkap", "Jadwal Lengkap");
  ui::MenuItem& reminder = setting.Add("mPengingat", "Pengingat");
  reminder.Add("mPengingat0", "Mati", true);
  reminder.Add("mPengingat5", "5 menit");
  reminder.Add("mPengingat10", "10 menit");
  reminder.Add("mPengingat15", "15 menit");
  reminder.Add("mPengingat30", "30 menit");
  root.Add("mg3", "-");
  root.Add("mAbout", "About");
  root.Add("mg2", "-");
  root.Add("mExit", "Exit");
  return root;
}

}  // namespace

ContextMenu::ContextMenu(ui::Form& form, Windows& windows)
    : webSite(*Root(form).Find("mQOV")),
      alwaysOnTop(*form.menu().Find("mAOP")),
      prayerTimes(*form.menu().Find("mwSholat")),
      analog(*form.menu().Find("mAna")),
      version1(*form.menu().Find("mVer1")),
      version2(*form.menu().Find("mVer2")),
      popUpTimes(*form.menu().Find("mpop")),
      sound(*form.menu().Find("msuara")),
      fullSchedule(*form.menu().Find("mLengkap")),
      reminder(*form.menu().Find("mPengingat")),
      location(*form.menu().Find("mLok")),
      hourHandColor(*form.menu().Find("mJam")),
      minuteHandColor(*form.menu().Find("MMenit")),
      secondHandColor(*form.menu().Find("mDetik")),
      about(*form.menu().Find("mAbout")),
      exit(*form.menu().Find("mExit")),
      form_(form),
      windows_(windows) {}

void ContextMenu::OpenFromWindow() {
  exit.visible = false;
  windows_.PopupMenu(form_, form_.menu());
}

void ContextMenu::OpenFromTray() {
  exit.visible = true;
  windows_.PopupMenu(form_, form_.menu());
}

}  // namespace qov
