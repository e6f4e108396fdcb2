// Scenarios of the clock told in a data file, one line each: the test's
// name, then steps separated by '|' (Fields' escapes), run in order.
// Actions:
//   set KEY=VALUE     a "PosisiWindow" value for the next start
//   unplayable PATH   the sound service cannot play PATH, for the whole test
//   start T           a clock that has run before, "Suara Adzhan" on and the
//                     values set; what was recorded until then is forgotten
//   restart T         the program again on the same store
//   run T, sleep T    the clock runs to T, or jumps there without a tick
//   menu ITEM, press CONTROL, type BOX=TEXT, select LIST=INDEX
//   file PATH, file   the file dialog's next answer, or a cancel
//   choose ITEM       the item to choose in the next popup menu
//   rightclick, trayclick, click X (a press on the face released at X)
//   forget            the writes, message boxes and notifications so far
//   do NAME           the steps of a line "=NAME|steps"
// Expectations, "?WHAT=VALUE" (lists joined by ';'): names (the alerts),
// played, volumes, playing, messages (the tray's), notes (the same with
// their titles), tip, shown (the digital
// time), writes, dialog (message boxes), files (file dialogs' titles), menu
// top, item ITEM, checked ITEM, stored KEY, text CONTROL, list CONTROL,
// listonly CONTROL, marked CONTROL, visible CONTROL (CONTROL#INDEX for one
// of an array), height, tall (the window holds "Pengaturan Adzan").
// T is "MM-DD HH:MM[:SS[.S]]" in 2024.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {

// "Pengaturan Adzan" makes the window this tall.
inline constexpr float kAlertDialogHeight = 5325;

class Scenario : public AppTest {
 protected:
  // Every line of `file` named after the running test.
  void Play(const std::string& file) {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    int lines = 0;
    for (const std::vector<std::string>& row : DataRows(file)) {
      if (row[0][0] == '=') macros_[row[0].substr(1)].assign(row.begin() + 1, row.end());
      if (row[0] != test) continue;
      ++lines;
      SCOPED_TRACE(Join(row, "|"));
      for (size_t i = 1; i < row.size() && !HasFatalFailure(); ++i) Step(row[i]);
    }
    EXPECT_GT(lines, 0) << "no line for " << test;
  }

 private:
  static std::string Join(const std::vector<std::string>& list, const char* by = ";") {
    std::string all;
    for (size_t i = 0; i < list.size(); ++i) all += (i ? by : "") + list[i];
    return all;
  }
  // "NAME" or "NAME#INDEX".
  ui::Control& Control(const std::string& of) {
    const size_t hash = of.find('#');
    return run->Get(of.substr(0, hash), hash == std::string::npos ? -1 : std::stoi(of.substr(hash + 1)));
  }
  static double T(const std::string& text) {
    int mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    EXPECT_GE(std::sscanf(text.c_str(), "%d-%d %d:%d:%lf", &mo, &d, &h, &mi, &s), 4) << text;
    return At(2024, mo, d, h, mi) + s / 86400;
  }
  std::string Seen(const std::string& what, const std::string& of) {
    std::vector<std::string> list;
    if (what == "names") for (const Alert& a : run->alerts) list.push_back(a.name);
    if (what == "played") list = p.sound.played;
    if (what == "volumes") for (int v : p.sound.volumes) list.push_back(std::to_string(v));
    if (what == "messages") for (auto& [title, text] : p.tray.messages) list.push_back(text);
    if (what == "notes") for (auto& [title, text] : p.tray.messages) list.push_back(title + ": " + text);
    if (what == "writes") list = p.settings.writes;
    if (what == "dialog") for (auto& [text, caption] : p.dialogs.messages) list.push_back(caption + ": " + text);
    if (what == "files") list = p.dialogs.fileDialogs;
    if (what == "playing") return p.sound.playing ? "1" : "0";
    if (what == "tip") return p.tray.tip;
    if (what == "shown") return run->Get("digitalTime").text();
    if (what == "menu") return p.windows.lastMenu.empty() ? "" : p.windows.lastMenu.front();
    if (what == "item") return run->Item(of).caption;
    if (what == "checked") return run->Item(of).checked ? "1" : "0";
    if (what == "stored") return Stored(p, "PosisiWindow", of.c_str());
    if (what == "text") return Control(of).text();
    if (what == "list") return std::to_string(Control(of).listIndex());
    if (what == "listonly") return Control(of).listOnly() ? "1" : "0";
    if (what == "marked") return Control(of).backColor() != ui::kSystemWindow ? "1" : "0";
    if (what == "visible") return Control(of).visible() ? "1" : "0";
    if (what == "height") return std::to_string(std::lround(form().height()));
    if (what == "tall") return form().height() >= kAlertDialogHeight ? "1" : "0";
    return Join(list);
  }
  void Step(const std::string& step) {
    const size_t blank = std::min(step.find(' '), step.find('=')), eq = step.find('=');
    const std::string verb = step.substr(0, blank), arg = blank < step.size() ? step.substr(blank + 1) : "";
    const std::string key = arg.substr(0, arg.find('=')), value = eq < step.size() ? step.substr(eq + 1) : "";
    if (verb[0] == '?') {
      EXPECT_EQ(Seen(verb.substr(1), step[blank] == ' ' ? key : ""), value) << step;
    } else if (verb == "set") {
      stored_[key] = value;
    } else if (verb == "unplayable") {
      p.sound.unplayable.insert(arg);
    } else if (verb == "start") {
      p.settings.values.clear();
      settings::Settings(p.settings).WriteFirstRun();
      p.settings.values[{"PosisiWindow", "Suara Adzhan"}] = "-1";
      for (auto& [k, v] : stored_) p.settings.values[{"PosisiWindow", k}] = v;
      stored_.clear();
      StartAt(T(arg));
      p.sound.played.clear();
      p.sound.volumes.clear();
      p.tray.messages.clear();
      p.settings.writes.clear();
    } else if (verb == "restart") {
      StartAt(T(arg));
    } else if (verb == "run" || verb == "sleep") {
      verb == "run" ? RunUntil(T(arg)) : p.JumpTo(T(arg));
    } else if (verb == "menu" || verb == "press") {
      verb == "menu" ? run->Click(arg) : run->Press(arg);
    } else if (verb == "type" || verb == "select") {
      verb == "type" ? run->Type(key, value) : run->Get(key).SelectItem(std::stoi(value));
    } else if (verb == "file") {
      p.dialogs.nextFile = arg.empty() ? std::nullopt : std::optional(arg);
    } else if (verb == "choose") {
      p.windows.choose = arg;
    } else if (verb == "trayclick") {
      p.tray.Click(TrayIcon::Click::kRight);
    } else if (verb == "rightclick") {
      run->Get("face").onMouseDown(2, 0, 10, 10);
    } else if (verb == "click") {
      ui::Control& face = run->Get("face");
      face.onMouseDown(1, 0, 100, 100);
      face.onMouseMove(1, 0, std::stof(arg), 100);
      face.onMouseUp(1, 0, std::stof(arg), 100);
    } else if (verb == "forget") {
      p.settings.writes.clear();
      p.dialogs.messages.clear();
      p.tray.messages.clear();
    } else if (verb == "do") {
      for (const std::string& s : macros_[arg]) Step(s);
    } else {
      ADD_FAILURE() << "no step " << step;
    }
  }

  std::map<std::string, std::string> stored_;
  std::map<std::string, std::vector<std::string>> macros_;
};

}  // namespace qov::testing
