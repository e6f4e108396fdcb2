// The alerts the user sets: what happens at each time, the sound files and
// their fallback, stopping and muting, several reminders, Friday's Jumat,
// what a sleep missed, the next prayer in the tip and the countdown. Jakarta
// (first run) on Thursday 2024-03-14: Imsak 04:34, Shubuh 04:44, Terbit
// 05:57, Dzuhur 12:04, Ashar 15:09, Maghrib 18:08, Isya 19:24; Friday the
// 15th: Dzuhur 12:04, Ashar 15:10.
#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using Strings = std::vector<std::string>;
constexpr double kSecond = 1.0 / 86400, kMinute = 60 * kSecond;
const std::string kShipped = "C:\\Program Files\\QOVClock\\adzhan.wav";
const std::string kChime = "C:\\Program Files\\QOVClock\\bunyi.wav";

double Thu(int h, int mi, int s = 0) { return At(2024, 3, 14, h, mi, s); }

class AlertChoices : public AppTest {
 protected:
  // A clock that has run before, with "Suara Adzhan" on and `stored` set.
  void StartWith(double when, std::map<std::string, std::string> stored = {}) {
    p.settings.values.clear();
    settings::Settings(p.settings).WriteFirstRun();
    p.settings.values[{"PosisiWindow", "Suara Adzhan"}] = "-1";
    for (auto& [key, value] : stored) p.settings.values[{"PosisiWindow", key}] = value;
    StartAt(when);
    p.sound.played.clear();
    p.sound.volumes.clear();
    p.tray.messages.clear();
  }
  Strings Names() {
    Strings names;
    for (const Alert& a : run->alerts) names.push_back(a.name);
    return names;
  }
  Strings Messages() {
    Strings texts;
    for (auto& [title, text] : p.tray.messages) texts.push_back(text);
    return texts;
  }
  void ClickFace(float toX) {
    ui::Control& face = run->Get("face");
    face.onMouseDown(1, 0, 100, 100);
    face.onMouseMove(1, 0, toX, 100);
    face.onMouseUp(1, 0, toX, 100);
  }
};

TEST_F(AlertChoices, EachTimeAlertsAsChosen) {
  const struct {
    std::string key, value;
    double at;
    Strings names, played, messages;
  } cases[] = {
      {"", "", Thu(4, 44), {"Shubuh"}, {kShipped}, {}},
      {"", "", Thu(4, 34), {}, {}, {}},  // Imsak and Terbit: Mati unless set
      {"", "", Thu(5, 57), {}, {}, {}},
      {"Aksi Imsak", " 1", Thu(4, 34), {"Imsak"}, {}, {"Waktu Imsak (04:34)"}},
      {"Aksi Terbit", " 2", Thu(5, 57), {"Terbit"}, {kChime}, {}},
      {"Aksi Shubuh", " 0", Thu(4, 44), {}, {}, {}},
      {"Aksi Dzuhur", " 1", Thu(12, 4), {"Dzhuhur"}, {}, {"Waktu Dzhuhur (12:04)"}},
      {"Aksi Ashar", " 2", Thu(15, 9), {"Ashar"}, {kChime}, {}},
      {"Aksi Ashar", " 7", Thu(15, 9), {"Ashar"}, {kShipped}, {}},   // beyond: as absent
      {"Aksi Ashar", "abc", Thu(15, 9), {"Ashar"}, {kShipped}, {}},  // unreadable: as absent
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.key + "=" + k.value);
    StartWith(k.at - kMinute, k.key.empty() ? std::map<std::string, std::string>{} : std::map{std::pair{k.key, k.value}});
    RunUntil(k.at + 5 * kSecond);
    EXPECT_EQ(Names(), k.names);
    EXPECT_EQ(p.sound.played, k.played);
    EXPECT_EQ(Messages(), k.messages);
  }
}

TEST_F(AlertChoices, TheMasterSwitchOffSilencesAdzanAndChimeButNotTheNotification) {
  StartWith(Thu(12, 3), {{"Aksi Ashar", " 2"}, {"Aksi Maghrib", " 1"}});
  run->Click("adzanSound");
  RunUntil(Thu(18, 9));
  EXPECT_EQ(Names(), (Strings{"Dzhuhur", "Ashar", "Maghrib"}));
  EXPECT_TRUE(p.sound.played.empty());
  EXPECT_EQ(Messages(), (Strings{"Waktu Maghrib (18:08)"}));
}

TEST_F(AlertChoices, OwnFilesShubuhsOwnAndTheShippedSoundWhenOneCannotPlay) {
  const struct {
    std::string adzan, shubuh, volume;
    bool broken;  // the files of the user's own cannot be played
    double at;
    Strings played;
    std::vector<int> volumes;
    Strings messages;
  } cases[] = {
      {"D:\\suara\\makkah.wav", "", "", false, Thu(4, 44), {"D:\\suara\\makkah.wav"}, {100}, {}},
      {"D:\\suara\\makkah.wav", "D:\\suara\\subuh.mp3", " 40", false, Thu(4, 44), {"D:\\suara\\subuh.mp3"}, {40}, {}},
      {"D:\\suara\\makkah.wav", "D:\\suara\\subuh.mp3", " 40", false, Thu(12, 4), {"D:\\suara\\makkah.wav"}, {40}, {}},
      {"", "D:\\suara\\subuh.mp3", "", false, Thu(12, 4), {kShipped}, {100}, {}},
      {"D:\\suara\\hilang.wav", "", " 0", true, Thu(12, 4), {kShipped}, {0},
       {"File adzan tidak dapat diputar: hilang.wav. Memakai suara bawaan."}},
      {"", "/home/u/subuh.mp3", "", true, Thu(4, 44), {kShipped}, {100},
       {"File adzan tidak dapat diputar: subuh.mp3. Memakai suara bawaan."}},
      {"", "", " 250", false, Thu(12, 4), {kShipped}, {100}, {}},  // held to 100
      {"", "", "-5", false, Thu(12, 4), {kShipped}, {0}, {}},
      {"", "", "keras", false, Thu(12, 4), {kShipped}, {100}, {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.adzan + " " + k.shubuh + " " + k.volume);
    p.sound.unplayable.clear();
    if (k.broken) p.sound.unplayable = {k.adzan, k.shubuh};
    std::map<std::string, std::string> stored = {{"File Adzan", k.adzan}, {"File Adzan Shubuh", k.shubuh}};
    if (!k.volume.empty()) stored["Volume Adzan"] = k.volume;
    StartWith(k.at - kMinute, stored);
    RunUntil(k.at + 5 * kSecond);
    EXPECT_EQ(p.sound.played, k.played);
    EXPECT_EQ(p.sound.volumes, k.volumes);
    EXPECT_EQ(Messages(), k.messages);
  }
}

TEST_F(AlertChoices, TheAdzanStopsFromTheMenuOrAClickOnTheFaceButNotADrag) {
  const struct {
    const char* how;
    bool stops;
  } cases[] = {{"menu", true}, {"tray", true}, {"click", true}, {"drag", false}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.how);
    StartWith(Thu(12, 3));
    run->Get("face").onMouseDown(2, 0, 10, 10);
    EXPECT_EQ(std::count(p.windows.lastMenu.begin(), p.windows.lastMenu.end(), "Hentikan Adzan"), 0) << "silent";
    RunUntil(Thu(12, 4, 10));
    ASSERT_TRUE(p.sound.playing);
    const std::string how = k.how;
    if (how == "menu" || how == "tray") {
      p.windows.choose = "stopAdzan";
      if (how == "menu") run->Get("face").onMouseDown(2, 0, 10, 10);
      else p.tray.Click(TrayIcon::Click::kRight);
      EXPECT_EQ(p.windows.lastMenu.front(), "Hentikan Adzan");
    } else {
      ClickFace(how == "click" ? 100 : 160);
    }
    EXPECT_EQ(p.sound.playing, !k.stops);
    EXPECT_EQ(Names(), Strings{"Dzhuhur"}) << "the alert goes on";
  }
}

TEST_F(AlertChoices, AMuteSilencesUntilItsMomentAcrossMidnightASleepAndARestart) {
  const double friday = At(2024, 3, 15, 0, 0);
  const struct {
    const char* name;
    double from;
    const char* item;
    std::string caption, stored;
    double then;  // a restart, or a sleep to this moment; 0: neither
    bool sleep;
    double until;
    Strings played;
  } cases[] = {
      {"an hour", Thu(11, 30), "muteHour", "Bisukan (sampai 12:30)", " 45365.5208333333", 0, false, Thu(15, 10),
       {kShipped}},
      {"ended", Thu(11, 0), "muteHour", "Bisukan (sampai 12:00)", " 45365.5", 0, false, Thu(12, 5), {kShipped}},
      {"restart", Thu(11, 30), "muteHour", "Bisukan (sampai 12:30)", " 45365.5208333333", Thu(11, 40), false,
       Thu(12, 31), {}},
      {"asleep", Thu(11, 30), "muteHour", "Bisukan (sampai 12:30)", " 45365.5208333333", Thu(15, 8), true,
       Thu(15, 10), {kShipped}},
      {"tomorrow", Thu(19, 0), "muteTomorrow", "Bisukan (sampai 00:00)", " 45366", 0, false, friday + 4.75 / 24,
       {kShipped}},
      {"unmuted", Thu(11, 30), "unmute", "Bisukan", " 0", 0, false, Thu(12, 5), {kShipped}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    StartWith(k.from);
    if (std::string(k.item) == "unmute") run->Click("muteHour");
    run->Click(k.item);
    EXPECT_EQ(run->Item("mute").caption, k.caption);
    EXPECT_EQ(Stored(p, "PosisiWindow", "Bisukan Sampai"), k.stored);
    if (k.then && k.sleep) p.JumpTo(k.then);
    else if (k.then) StartAt(k.then);
    RunUntil(k.until);
    EXPECT_EQ(p.sound.played, k.played);
    run->Get("face").onMouseDown(2, 0, 10, 10);
    EXPECT_EQ(run->Item("mute").caption, "Bisukan") << "ended by " << k.until;
  }
}

TEST_F(AlertChoices, AHandEditedMuteOrCountdownFallsBackToSound) {
  for (const char* until : {"zz", "nan", "1e308", "-5", " 46000", "&HFFFF"}) {
    StartWith(Thu(12, 3), {{"Bisukan Sampai", until}, {"Hitung Mundur", until}});
    RunUntil(Thu(12, 4, 5));
    EXPECT_EQ(p.sound.played, Strings{kShipped}) << until;
    EXPECT_EQ(run->Item("mute").caption, "Bisukan") << until;
  }
  for (const char* on : {"zz", "0", ""}) {
    StartWith(Thu(11, 0), {{"Hitung Mundur", on}});
    RunUntil(Thu(11, 0, 7) + kSecond / 2);
    EXPECT_EQ(run->Get("digitalTime").text(), "11:00:07") << on;
  }
}

TEST_F(AlertChoices, MutingStopsWhatPlays) {
  StartWith(Thu(12, 3));
  RunUntil(Thu(12, 4, 5));
  ASSERT_TRUE(p.sound.playing);
  run->Click("muteHour");
  EXPECT_FALSE(p.sound.playing);
}

TEST_F(AlertChoices, SeveralRemindersPerTimeEachOnceAndJumatsOwn) {
  const struct {
    std::map<std::string, std::string> stored;
    double from, to;
    Strings messages;
  } cases[] = {
      {{{"Pengingat Dzuhur", "30,10"}, {"Pengingat Imsak", "15"}, {"Pengingat", " 5"}},
       Thu(4, 0),
       Thu(12, 5),
       {"Imsak 15 menit lagi (04:34)", "Shubuh 5 menit lagi (04:44)", "Dzuhur 30 menit lagi (12:04)",
        "Dzuhur 10 menit lagi (12:04)"}},
      // Imsak alerting stands between Isya and a 30-minute Shubuh reminder.
      {{{"Pengingat Shubuh", "30, 5"}, {"Aksi Imsak", " 1"}},
       Thu(4, 0),
       Thu(4, 45),
       {"Waktu Imsak (04:34)", "Shubuh 5 menit lagi (04:44)"}},
      {{{"Pengingat Shubuh", "30,5"}}, Thu(4, 0), Thu(4, 45), {"Shubuh 30 menit lagi (04:44)", "Shubuh 5 menit lagi (04:44)"}},
      {{{"Pengingat", " 10"}, {"Pengingat Ashar", "0"}}, Thu(11, 0), Thu(15, 10), {"Dzuhur 10 menit lagi (12:04)"}},
      {{{"Pengingat", " 10"}, {"Pengingat Ashar", "x"}}, Thu(14, 0), Thu(15, 10), {"Ashar 10 menit lagi (15:09)"}},
      {{{"Pengingat Dzuhur", "20"}, {"Pengingat Jumat", "45"}},
       Thu(11, 0),
       At(2024, 3, 15, 12, 5),
       {"Dzuhur 20 menit lagi (12:04)", "Terlewat: Ashar 15:09, Maghrib 18:08, Isya 19:24, Shubuh 04:44",
        "Jumat 45 menit lagi (12:04)"}},
      {{{"Pengingat Dzuhur", "20"}}, At(2024, 3, 15, 11, 0), At(2024, 3, 15, 12, 5), {"Jumat 20 menit lagi (12:04)"}},
  };
  for (const auto& k : cases) {
    StartWith(k.from, k.stored);
    const double midday = At(2024, 3, 15, 11, 0);
    if (k.from < midday && k.to > midday) {
      RunUntil(Thu(12, 30));
      p.JumpTo(midday);  // asleep overnight
    }
    RunUntil(k.to);
    EXPECT_EQ(Messages(), k.messages) << k.stored.begin()->first;
  }
}

TEST_F(AlertChoices, ARestartWithinAReminderMinuteDoesNotRepeatIt) {
  StartWith(Thu(11, 30), {{"Pengingat Dzuhur", "30,10"}});
  RunUntil(Thu(11, 34, 30));
  StartAt(Thu(11, 34, 40));
  RunUntil(Thu(11, 55));
  EXPECT_EQ(Messages(), (Strings{"Dzuhur 30 menit lagi (12:04)", "Dzuhur 10 menit lagi (12:04)"}));
}

TEST_F(AlertChoices, FridaysDzuhurIsJumatOnThePanelTheAlertAndTheTip) {
  const struct {
    double day;
    std::string row, alert, tip;
  } cases[] = {{Thu(0, 0), "Dzuhur", "Dzhuhur", "Dzuhur 12:04 \u2014 4 menit lagi"},
               {At(2024, 3, 15), "Jumat", "Jumat", "Jumat 12:04 \u2014 4 menit lagi"}};
  for (const auto& k : cases) {
    StartWith(k.day + 12.0 / 24);
    RunUntil(k.day + 12.0 / 24 + 5 * kSecond);
    EXPECT_EQ(p.tray.tip, k.tip);
    run->Click("prayerTimes");
    EXPECT_EQ(run->Get("prayerName", 1).text(), k.row);
    RunUntil(k.day + (12 * 60 + 4.1) / 1440);
    EXPECT_EQ(Names(), Strings{k.alert});
  }
}

TEST_F(AlertChoices, ASleepPastTimesSaysWhatWasMissedQuietlyOnce) {
  const struct {
    std::map<std::string, std::string> stored;
    double to;
    Strings messages;
  } cases[] = {
      {{}, Thu(15, 30), {"Terlewat: Dzuhur 12:04, Ashar 15:09"}},
      {{{"Aksi Ashar", " 0"}}, Thu(15, 30), {"Terlewat: Dzuhur 12:04"}},
      {{}, Thu(12, 4, 0), {}},  // woken in the minute itself: the alert, not late
      {{}, Thu(11, 30), {}},
  };
  for (const auto& k : cases) {
    StartWith(Thu(11, 0), k.stored);
    RunUntil(Thu(11, 1));
    p.JumpTo(k.to);
    RunUntil(k.to + 2 * kMinute);
    EXPECT_EQ(Messages(), k.messages);
    EXPECT_EQ(p.sound.played.size(), k.to == Thu(12, 4, 0) ? 1u : 0u) << "no late adzan";
  }
}

TEST_F(AlertChoices, TheTipSaysTheNextPrayerItsTimeAndTheTimeLeft) {
  const struct {
    double at;
    std::string tip;
  } cases[] = {
      {Thu(11, 0, 10), "Dzuhur 12:04 \u2014 1 jam 4 menit lagi"},
      {Thu(12, 4, 30), "Ashar 15:09 \u2014 3 jam 5 menit lagi"},
      {Thu(13, 9, 0), "Ashar 15:09 \u2014 2 jam lagi"},
      {Thu(19, 30, 0), "Shubuh 04:44 \u2014 9 jam 14 menit lagi"},
      {Thu(4, 30, 0), "Shubuh 04:44 \u2014 14 menit lagi"},  // Imsak is no prayer
  };
  for (const auto& k : cases) {
    StartWith(k.at);
    RunUntil(k.at + kSecond);
    EXPECT_EQ(p.tray.tip, k.tip);
  }
  StartWith(Thu(12, 2, 50));
  RunUntil(Thu(12, 3, 10));
  EXPECT_EQ(p.tray.tip, "Dzuhur 12:04 \u2014 1 menit lagi") << "at the minute's change";
}

TEST_F(AlertChoices, TheCountdownTakesTurnsWithTheTimeEveryFiveSeconds) {
  StartWith(Thu(11, 0, 0));
  // Sampled half a second in: the line shows what the tick before decided.
  RunUntil(Thu(11, 0, 7) + kSecond / 2);
  EXPECT_EQ(run->Get("digitalTime").text(), "11:00:07") << "off by default";
  run->Click("countdown");
  EXPECT_EQ(Stored(p, "PosisiWindow", "Hitung Mundur"), "-1");
  EXPECT_TRUE(run->Item("countdown").checked);
  const struct {
    int second;
    std::string shown;
  } cases[] = {{8, "Dzuhur -1:04"}, {11, "11:00:11"}, {13, "11:00:13"}, {16, "Dzuhur -1:04"}, {21, "11:00:21"}};
  for (const auto& k : cases) {
    RunUntil(Thu(11, 0, k.second) + kSecond / 2);
    EXPECT_EQ(run->Get("digitalTime").text(), k.shown) << k.second;
  }
  StartAt(Thu(12, 3, 0));  // kept across a restart
  RunUntil(Thu(12, 3, 7) + kSecond / 2);
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzuhur -0:01");
  RunUntil(Thu(12, 4, 7) + kSecond / 2);
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzhuhur") << "the alert's name first";
}

}  // namespace
}  // namespace qov::testing
