// Hand-edited settings and a store that refuses writes: the start never
// fails, each field falls back as the readers promise, and the clock keeps
// working from its in-memory state.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/clockface.h"
#include "app/settings.h"
#include "platform/memory/memory_platform.h"

namespace qov {
namespace {

using memory::MemoryPlatform;
namespace s = settings;

// What a previous normal run leaves behind.
void CompleteStore(MemoryPlatform& p) {
  p.settings.values = {
      {{"Lokasi", "Kota"}, "Jakarta"},        {{"Lokasi", "LAT"}, "-6.15"},
      {{"Lokasi", "LONG"}, " 106.816"},       {{"Lokasi", "Time ZOne"}, " 7"},
      {{"Lokasi", "AddDhuhur"}, " 2"},        {{"Lokasi", "AddMaghrib"}, " 2"},
      {{"Lokasi", "MazhabAshar"}, " 1"},      {{"Lokasi", "sudutFajar"}, " 19"},
      {{"Lokasi", "sudutIsya"}, " 20"},       {{"Lokasi", "Pop Delay"}, " 5"},
      {{"Lokasi", "Versi Display"}, " 1"},    {{"PosisiWindow", "Top"}, " 450"},
      {{"PosisiWindow", "Left"}, " 9000"},    {{"PosisiWindow", "Panjang"}, " 3075"},
      {{"PosisiWindow", "Suara Adzhan"}, "-1"}, {{"PosisiWindow", "Analog"}, "-1"},
      {{"PosisiWindow", "AOT"}, "-1"}};
}

// A garbage text and what a number field makes of it: as a double, and as
// a 16-bit field (nullopt: overflow, the field keeps its 0).
struct Garbage {
  const char* label;
  std::string text;
  double asDouble;
  std::optional<int16_t> as16;
};

const std::vector<Garbage>& Garbages() {
  static const std::vector<Garbage> g = {
      {"empty", "", 0, 0},
      {"letters", "abc", 0, 0},
      {"trailing letters", "7abc", 7, 7},
      {"negative", "-5", -5, -5},
      {"half", "2.5", 2.5, 2},
      {"16-bit overflow", "40000", 40000, std::nullopt},
      {"16-bit underflow", "-32769", -32769, std::nullopt},
      {"huge", "99999999999999999999", 1e20, std::nullopt},
      {"near double max", "1e308", 1e308, std::nullopt},
      {"100000 digits", std::string(100000, '9'), 0, 0},
      {"exponent overflow", "1e999", 0, 0},
      {"negative exponent overflow", "-1e999", 0, 0},
      {"nan", "nan", 0, 0},
      {"inf", "inf", 0, 0},
      {"-infinity", "-Infinity", 0, 0},
      {"binary", std::string("\x01\x02\xff\x00\x80", 5), 0, 0},
      {"hex", "&HFFFF", -1, -1},
  };
  return g;
}

struct Key {
  const char* section;
  const char* key;
  enum Kind { kText, kDouble, kInt16, kFlag, kTwips } kind;
  std::function<double(ClockFace&)> field;
};

const std::vector<Key>& Keys() {
  static const std::vector<Key> k = {
      {"Lokasi", "Kota", Key::kText, nullptr},
      {"Lokasi", "LAT", Key::kDouble, [](ClockFace& c) { return c.Lat; }},
      {"Lokasi", "LONG", Key::kDouble, [](ClockFace& c) { return c.Lon; }},
      {"Lokasi", "sudutFajar", Key::kDouble, [](ClockFace& c) { return c.SudutFajar; }},
      {"Lokasi", "sudutIsya", Key::kDouble, [](ClockFace& c) { return c.SudutIsya; }},
      {"Lokasi", "Time ZOne", Key::kInt16, [](ClockFace& c) { return c.TimeZone; }},
      {"Lokasi", "AddDhuhur", Key::kInt16, [](ClockFace& c) { return c.AddDhuhur; }},
      {"Lokasi", "AddMaghrib", Key::kInt16, [](ClockFace& c) { return c.AddMaghrib; }},
      {"Lokasi", "MazhabAshar", Key::kInt16, [](ClockFace& c) { return c.MazhabAshar; }},
      {"Lokasi", "Pop Delay", Key::kInt16, [](ClockFace& c) { return c.PopDelay; }},
      {"Lokasi", "Versi Display", Key::kInt16, [](ClockFace& c) { return c.VersiDisplay; }},
      {"PosisiWindow", "Suara Adzhan", Key::kFlag, [](ClockFace& c) { return c.msuara->checked; }},
      {"PosisiWindow", "Analog", Key::kFlag, [](ClockFace& c) { return c.mAna->checked; }},
      {"PosisiWindow", "AOT", Key::kFlag, [](ClockFace& c) { return c.mAOP->checked; }},
      {"PosisiWindow", "Top", Key::kTwips, nullptr},
      {"PosisiWindow", "Left", Key::kTwips, nullptr},
      {"PosisiWindow", "Panjang", Key::kTwips, nullptr},
  };
  return k;
}

class BadSetting : public testing::TestWithParam<std::tuple<size_t, size_t>> {
 protected:
  const Key& key() { return Keys()[std::get<0>(GetParam())]; }
  const Garbage& garbage() { return Garbages()[std::get<1>(GetParam())]; }
};

TEST_P(BadSetting, StartSucceedsAndTheFieldFallsBack) {
  MemoryPlatform p;
  CompleteStore(p);
  p.settings.values[{key().section, key().key}] = garbage().text;
  ClockFace c(p.services);
  p.Attach(c.form());
  ASSERT_TRUE(StartClock(c));
  EXPECT_TRUE(p.dialogs.messages.empty());

  const Garbage& g = garbage();
  const std::string name = key().key;
  switch (key().kind) {
    case Key::kText:
      // An empty city name is a first run; anything else is taken as it is.
      EXPECT_EQ(c.Kota, g.text.empty() ? "Jakarta" : g.text);
      break;
    case Key::kDouble:
      EXPECT_EQ(key().field(c), g.asDouble);
      break;
    case Key::kInt16: {
      double want = g.as16.value_or(0);
      if (want == 0 && name == "Pop Delay") want = 5;
      if (want == 0 && name == "Versi Display") want = 1;
      EXPECT_EQ(key().field(c), want);
      if ((name == "Pop Delay" || name == "Versi Display") && g.as16.value_or(0) == 0) {
        EXPECT_EQ(s::Val(p.settings.values[{"Lokasi", name}]), want) << "the replacement is stored";
      }
      break;
    }
    case Key::kFlag: {
      // A switch never stored keeps the first run's state (only sound off).
      const bool on = g.text.empty() ? name != "Suara Adzhan" : g.asDouble != 0;
      EXPECT_EQ(key().field(c), on);
      break;
    }
    case Key::kTwips:
      // A height that gives no window is not restored: the design height.
      if (name == "Panjang" && !(g.asDouble >= 15 && g.asDouble <= std::numeric_limits<float>::max())) {
        EXPECT_FLOAT_EQ(c.form().height(), 3075);
      }
      break;
  }

  // Whatever was read, the numbers the clock works with are numbers and
  // the window is somewhere with a size.
  for (double v : {c.Lat, c.Lon, c.SudutFajar, c.SudutIsya}) EXPECT_TRUE(std::isfinite(v));
  ui::Form& f = c.form();
  for (float v : {f.left(), f.top(), f.width(), f.height()}) EXPECT_TRUE(std::isfinite(v));
  EXPECT_GT(f.width(), 0);
  EXPECT_GT(f.height(), 0);

  // And it runs: ticks, the panel, the dialog and the editor.
  p.RunFor(61000);
  c.mwSholat_Click();
  p.RunFor(40000);
  c.mLok_Click();
  c.Command2_Click();
  c.mpop_Click();
  c.Command3_Click();
  EXPECT_FALSE(c.Frame1->visible());
  EXPECT_FALSE(c.Frame2->visible());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKeyEveryGarbage, BadSetting,
    testing::Combine(testing::Range<size_t>(0, Keys().size()), testing::Range<size_t>(0, Garbages().size())),
    [](const testing::TestParamInfo<BadSetting::ParamType>& info) {
      std::string n = std::string(Keys()[std::get<0>(info.param)].key) + "_" +
                      Garbages()[std::get<1>(info.param)].label;
      for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

// A store that takes no write (a read-only or broken registry): the first
// run and every handler that writes go on with their in-memory state.
class FailingStore : public testing::TestWithParam<bool> {};

TEST_P(FailingStore, FirstRunAndEveryWritingHandlerGoOn) {
  MemoryPlatform p;
  if (!GetParam()) CompleteStore(p);
  p.settings.failWrites = true;
  ClockFace c(p.services);
  p.Attach(c.form());
  ASSERT_TRUE(StartClock(c));
  EXPECT_EQ(c.Kota, "Jakarta");
  EXPECT_EQ(c.PopDelay, 5);
  EXPECT_EQ(c.VersiDisplay, 1);
  const double dzuhur = c.engine().WaktuDzuhur;
  EXPECT_GT(dzuhur, 0.4);

  for (auto [click, item] : {std::pair{&ClockFace::msuara_Click, c.msuara}, std::pair{&ClockFace::mAna_Click, c.mAna},
                             std::pair{&ClockFace::mAOP_Click, c.mAOP}}) {
    const bool was = item->checked;
    (c.*click)();
    EXPECT_NE(item->checked, was) << item->name;
  }
  c.mVer2_Click();
  EXPECT_EQ(c.VersiDisplay, 2);
  c.mVer1_Click();
  EXPECT_EQ(c.VersiDisplay, 1);

  c.mpop_Click();
  c.tkDel->SetTextFromUser("9");
  c.Command3_Click();
  EXPECT_EQ(c.PopDelay, 9);
  c.mLok_Click();
  c.Combo1->SetTextFromUser("Desa");
  c.tkLong->SetTextFromUser("120");
  c.Command1_Click();
  EXPECT_EQ(c.Kota, "Desa");
  EXPECT_EQ(c.Lon, 120);
  EXPECT_FALSE(c.Frame2->visible());

  c.digTime_DblClick();
  c.Form_MouseDown(1, 0, 100, 100);
  c.Form_MouseUp(1, 0, 100, 100);
  p.RunFor(3 * 60 * 1000);
  c.mwSholat_Click();
  EXPECT_NE(c.engine().WaktuDzuhur, dzuhur) << "the new place is in use";
  c.Form_Unload();
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_TRUE(p.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(FirstRunOrLater, FailingStore, testing::Bool());

}  // namespace
}  // namespace qov
