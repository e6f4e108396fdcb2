// "Pengaturan Adzan": what it shows, what it refuses and what its OK stores.
#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using Strings = std::vector<std::string>;

class AlertDialogTest : public AppTest {
 protected:
  void SetUp() override {
    StartAt(At(2024, 3, 14, 10, 0));
    p.settings.writes.clear();
    run->Click("alertSettings");
  }
  int Choice(const std::string& time) { return run->Get("choice" + time).listIndex(); }
};

TEST_F(AlertDialogTest, OpensOverTheClockWithWhatIsInForce) {
  EXPECT_TRUE(run->Get("alertDialog").visible());
  EXPECT_GE(form().height(), 5325);
  EXPECT_EQ((std::vector<int>{Choice("Imsak"), Choice("Shubuh"), Choice("Terbit"), Choice("Dzuhur"), Choice("Ashar"),
                              Choice("Maghrib"), Choice("Isya")}),
            (std::vector<int>{0, 0 + 3, 0, 3, 3, 3, 3}));
  EXPECT_TRUE(run->Get("choiceDzuhur").listOnly());
  EXPECT_EQ(run->Get("leadsDzuhur").text(), "");
  EXPECT_EQ(run->Get("adzanFile").text(), "(bawaan)");
  EXPECT_EQ(run->Get("shubuhFile").text(), "(ikut file adzan)");
  EXPECT_EQ(run->Get("volume").text(), "100");
  run->Press("alertCancel");
  run->Click("reminder15");  // "Pengingat" is what the five's boxes show while none is stored
  run->Click("alertSettings");
  EXPECT_EQ(run->Get("leadsAshar").text(), "15");
  EXPECT_EQ(run->Get("leadsImsak").text(), "");
  EXPECT_EQ(run->Get("leadsJumat").text(), "");
  p.settings.writes.clear();
  run->Press("alertOk");
  EXPECT_TRUE(p.settings.writes.empty()) << "an unchanged OK stores nothing";
  EXPECT_FALSE(run->Get("alertDialog").visible());
}

TEST_F(AlertDialogTest, RefusesWrongBoxesSayingWhatIsWrongAndStoresNothing) {
  const struct {
    const char* box;
    std::string text, caption, message;
  } cases[] = {
      {"leadsDzuhur", "0, 10", "Pengingat Dzuhur",
       "Pengingat Dzuhur harus menit bulat antara 1 dan 120, dipisah koma (mis. 30, 10)."},
      {"leadsImsak", "121", "Pengingat Imsak", ""},
      {"leadsJumat", "sepuluh", "Pengingat Jumat", ""},
      {"leadsIsya", "30,", "Pengingat Isya", ""},
      {"leadsAshar", "5.5", "Pengingat Ashar", ""},
      {"leadsAshar", "-5", "Pengingat Ashar", ""},
      {"volume", "101", "Volume", "Volume harus bilangan bulat antara 0 dan 100."},
      {"volume", "-1", "Volume", ""},
      {"volume", "50.5", "Volume", ""},
      {"volume", "", "Volume", ""},
      {"volume", "80%", "Volume", ""},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.box) + "=" + k.text);
    run->Click("alertSettings");
    run->Type(k.box, k.text);
    run->Get("choiceImsak").SelectItem(1);
    p.dialogs.messages.clear();
    run->Press("alertOk");
    EXPECT_EQ(run->Get("alertDialog").text(), "Pengaturan Adzan - " + k.caption + " salah");
    ASSERT_EQ(p.dialogs.messages.size(), 1u);
    if (!k.message.empty()) {
      EXPECT_EQ(p.dialogs.messages[0].first, k.message);
    }
    EXPECT_NE(run->Get(k.box).backColor(), ui::kSystemWindow);
    EXPECT_TRUE(run->Get("alertDialog").visible());
    EXPECT_TRUE(p.settings.writes.empty());
    run->Press("alertCancel");
  }
}

TEST_F(AlertDialogTest, OkStoresWhatChangedAndTheClockFollowsAtOnce) {
  run->Get("choiceImsak").SelectItem(1);
  run->Get("choiceMaghrib").SelectItem(2);
  run->Type("leadsDzuhur", " 10, 30 ,10");
  run->Type("leadsJumat", "45");
  run->Type("volume", "80");
  p.dialogs.nextFile = "D:\\adzan\\makkah.wav";
  run->Press("pickAdzanFile");
  EXPECT_EQ(run->Get("adzanFile").text(), "makkah.wav");
  p.dialogs.nextFile = std::nullopt;  // cancelled: the box keeps its file
  run->Press("pickShubuhFile");
  EXPECT_EQ(p.dialogs.fileDialogs, (Strings{"Pilih file adzan", "Pilih file adzan Shubuh"}));
  run->Press("tryAdzan");
  EXPECT_EQ(p.sound.played, Strings{"D:\\adzan\\makkah.wav"});
  EXPECT_EQ(p.sound.volumes, std::vector<int>{80});
  run->Press("alertOk");
  EXPECT_FALSE(p.sound.playing) << "the trial ends with the dialog";
  EXPECT_EQ(p.settings.writes,
            (Strings{"PosisiWindow/Aksi Imsak= 1", "PosisiWindow/Aksi Maghrib= 2", "PosisiWindow/Pengingat Dzuhur=30,10",
                     "PosisiWindow/Pengingat Jumat=45", "PosisiWindow/File Adzan=D:\\adzan\\makkah.wav",
                     "PosisiWindow/Volume Adzan= 80"}));
  RunUntil(At(2024, 3, 14, 11, 55));
  ASSERT_EQ(p.tray.messages.size(), 2u);
  EXPECT_EQ(p.tray.messages[1].second, "Dzuhur 10 menit lagi (12:04)");

  // Back to the defaults: a stored value is written back to its absence.
  run->Click("alertSettings");
  EXPECT_EQ(run->Get("leadsDzuhur").text(), "30, 10");
  run->Press("clearAdzanFile");
  EXPECT_EQ(run->Get("adzanFile").text(), "(bawaan)");
  run->Type("leadsDzuhur", "");
  run->Type("leadsJumat", "");
  p.settings.writes.clear();
  run->Press("alertOk");
  EXPECT_EQ(p.settings.writes,
            (Strings{"PosisiWindow/Aksi Imsak= 1", "PosisiWindow/Aksi Maghrib= 2", "PosisiWindow/Pengingat Dzuhur=0",
                     "PosisiWindow/Pengingat Jumat=", "PosisiWindow/File Adzan=", "PosisiWindow/Volume Adzan= 80"}));
}

TEST_F(AlertDialogTest, ATrialOfAFileThatCannotPlaySaysSoAndPlaysTheShippedSound) {
  p.dialogs.nextFile = "D:\\rusak.wav";
  p.sound.unplayable = {"D:\\rusak.wav"};
  run->Press("pickAdzanFile");
  run->Press("tryAdzan");
  EXPECT_EQ(p.sound.played, Strings{"C:\\Program Files\\QOVClock\\adzhan.wav"});
  EXPECT_EQ(p.dialogs.messages,
            (std::vector<std::pair<std::string, std::string>>{
                {"File adzan tidak dapat diputar: rusak.wav. Memakai suara bawaan.", "Pengaturan Adzan"}}));
  run->Type("volume", "x");
  run->Press("tryAdzan");
  EXPECT_EQ(p.dialogs.messages.back().first, "Volume harus bilangan bulat antara 0 dan 100.");
  EXPECT_EQ(p.sound.played.size(), 1u);
}

TEST_F(AlertDialogTest, TheStripHoldsTheDialogAndGivesItsHeightBack) {
  run->Press("alertCancel");
  run->Click("version2");
  const float height = form().height();
  run->Click("alertSettings");
  EXPECT_GE(form().height(), 5325);
  run->Press("alertCancel");
  EXPECT_EQ(form().height(), height);
}

}  // namespace
}  // namespace qov::testing
