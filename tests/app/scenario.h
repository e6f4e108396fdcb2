// Scenarios of the clock told in a data file, one line each: the test's
// name, then steps separated by '|' (Fields' escapes), run in order.
// Actions:
//   set KEY=VALUE     a "PosisiWindow" value for the next start or restart
//   place KEY=VALUE   a "Lokasi" value, likewise
//   folder PATH       where the program is; cities TEXT, the city list
//                     there (daftar_all.TXT)
//   unplayable PATH   the sound service cannot play PATH, for the whole test
//   start T           a clock that has run before, "Suara Adzhan" on and the
//                     values set; what was recorded until then is forgotten
//   restart T         the program again on the same store (at first an
//                     empty one: a first run)
//   run T, sleep T    the clock runs to T, or jumps there without a tick
//   wait MS           the clock runs MS milliseconds
//   height H, width W, resize W H, move L T   the window as a program or the user sets
//                     it; exit (from the tray), close (by the system)
//   check BOX=0|1     the user ticks or unticks a check or option box
//   additem LIST=TEXT an item naming no record
//   menu ITEM, press CONTROL, type BOX=TEXT, select LIST=INDEX
//   file PATH, file   the file dialogs' next answer, or a cancel;
//                     unwritable PATH, a file that cannot be written;
//                     nopdf, a printer without a PDF writer
//   choose ITEM       the item to choose in the next popup menu
//   rightclick, trayclick, click X (a press on the face released at X),
//   dblclick CONTROL
//   login on|off|refuse   the desktop's login entry, changed behind the
//                     clock's back, or refusing every change
//   forget            the writes, message boxes and notifications so far
//   do NAME           the steps of a line "=NAME|steps"
// Expectations, "?WHAT=VALUE" (lists joined by ';'): names (the alerts),
// played, volumes, playing, messages (the tray's), notes (the same with
// their titles), tip, shown (the digital
// time), writes, dialog (message boxes), files (file dialogs' titles),
// suggested (their file names), over (the windows open over the clock), saved (each file written: path and first
// line), events PATH (in a calendar file), pdfs, printed (pages), menu
// top, item ITEM, checked ITEM, stored KEY, text CONTROL, list CONTROL,
// lokasi KEY (stored in "Lokasi"), listonly CONTROL, marked CONTROL, visible
// CONTROL, value CONTROL (a box's tick), enabled CONTROL, box CONTROL (left
// top width height), line CONTROL (x1 y1 x2 y2), pen CONTROL (border width),
// font CONTROL (size), picture CONTROL, centred CONTROL (in the window)
// (CONTROL#INDEX for one of an array), height, size, place (left top), tall
// (the window holds "Pengaturan Adzan"), window (shown), topmost, sizable, blink, timer NAME
// (enabled), tray (the icon shows), login (the login entry), alerts ("MM-DD HH:MM name"), panel (the
// panel's times top to bottom, opened and closed for it).
// T is "[YYYY-]MM-DD HH:MM[:SS[.S]]", in 2024 without a year.
#pragma once

#include <map>
#include <sstream>
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
  static double T(std::string text) {
    int y = 2024, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    if (text.find('-') == 4) y = std::stoi(text), text = text.substr(5);
    EXPECT_GE(std::sscanf(text.c_str(), "%d-%d %d:%d:%lf", &mo, &d, &h, &mi, &s), 4) << text;
    return At(y, mo, d, h, mi) + s / 86400;
  }
  static int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  // Numbers as "1065 1590", in twips.
  static std::string Numbers(std::initializer_list<float> values) {
    std::ostringstream out;
    for (float v : values) out << (out.tellp() ? " " : "") << v;
    return out.str();
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
    if (what == "suggested") list = p.dialogs.suggestedNames;
    if (what == "saved") for (auto& [path, bytes] : p.files.files) list.push_back(path + ":" + bytes.substr(0, bytes.find('\r')));
    if (what == "pdfs") for (auto& [path, html] : p.printer.pdfs) list.push_back(path);
    if (what == "over") for (const ui::Form* f : p.windows.modal) list.push_back(f->name());
    if (what == "printed") list.push_back(std::to_string(p.printer.printed.size()));
    if (what == "events") return std::to_string(Count(p.files.files[of], "BEGIN:VEVENT"));
    if (what == "alerts")
      for (const Alert& a : run->alerts) list.push_back(FormatIsoDate(a.at).substr(5) + " " + FormatHHMM(a.at) + " " + a.name);
    if (what == "panel") list = PanelRows();
    if (what == "playing") return p.sound.playing ? "1" : "0";
    if (what == "tip") return p.tray.tip;
    if (what == "shown") return run->Get("digitalTime").text();
    if (what == "menu") return p.windows.lastMenu.empty() ? "" : p.windows.lastMenu.front();
    if (what == "item") return run->Item(of).caption;
    if (what == "checked") return run->Item(of).checked ? "1" : "0";
    if (what == "stored") return Stored(p, "PosisiWindow", of.c_str());
    if (what == "lokasi") return Stored(p, "Lokasi", of.c_str());
    if (what == "text") return Control(of).text();
    if (what == "list") return std::to_string(Control(of).listIndex());
    if (what == "listonly") return Control(of).listOnly() ? "1" : "0";
    if (what == "marked") return Control(of).backColor() != ui::kSystemWindow ? "1" : "0";
    if (what == "visible") return Control(of).visible() ? "1" : "0";
    if (what == "value") return Control(of).value() ? "1" : "0";
    if (what == "enabled") return Control(of).enabled() ? "1" : "0";
    if (what == "picture") return Control(of).picture();
    if (what == "pen") return std::to_string(Control(of).borderWidth());
    if (what == "font") return Numbers({Control(of).font().size});
    if (what == "box") return Numbers({Control(of).left(), Control(of).top(), Control(of).width(), Control(of).height()});
    if (what == "line") return Numbers({Control(of).x1(), Control(of).y1(), Control(of).x2(), Control(of).y2()});
    if (what == "centred") {
      const ui::Control& c = Control(of);
      return Numbers({c.left() - (form().width() - c.width()) / 2, c.top() - (form().height() - c.height()) / 2}) == "0 0" ? "1" : "0";
    }
    if (what == "size") return Numbers({form().width(), form().height()});
    if (what == "place") return Numbers({form().left(), form().top()});
    if (what == "topmost") return run->Topmost() ? "1" : "0";
    if (what == "sizable") return run->Sizable() ? "1" : "0";
    if (what == "blink") return form().blink() ? "1" : "0";
    if (what == "timer") return run->Timer(of).enabled() ? "1" : "0";
    if (what == "window") return form().visible() ? "1" : "0";
    if (what == "tray") return p.tray.shown ? "1" : "0";
    if (what == "login") return p.loginStart.enabled ? "1" : "0";
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
    } else if (verb == "set" || verb == "place") {
      stored_[{verb == "set" ? "PosisiWindow" : "Lokasi", key}] = value;
    } else if (verb == "folder") {
      p.files.appPath = arg;
    } else if (verb == "cities") {
      p.files.files[p.files.appPath + "\\daftar_all.TXT"] = arg;
    } else if (verb == "unplayable") {
      p.sound.unplayable.insert(arg);
    } else if (verb == "start") {
      p.settings.values.clear();
      settings::Settings(p.settings).WriteFirstRun();
      p.settings.values[{"PosisiWindow", "Suara Adzhan"}] = "-1";
      Restart(arg);
      p.sound.played.clear();
      p.sound.volumes.clear();
      p.tray.messages.clear();
      p.settings.writes.clear();
    } else if (verb == "restart") {
      Restart(arg);
    } else if (verb == "run" || verb == "sleep") {
      verb == "run" ? RunUntil(T(arg)) : p.JumpTo(T(arg));
    } else if (verb == "wait") {
      p.RunFor(std::stoll(arg));
    } else if (verb == "height" || verb == "width") {
      verb == "height" ? form().SetHeight(std::stof(arg)) : form().SetWidth(std::stof(arg));
    } else if (verb == "resize" || verb == "move") {
      const float a = std::stof(arg), b = std::stof(arg.substr(arg.find(' ')));
      verb == "resize" ? p.UserResize(form(), a, b) : form().Move(a, b, form().width(), form().height());
    } else if (verb == "exit" || verb == "close") {
      verb == "exit" ? run->Exit() : p.windows.Close(form());
    } else if (verb == "check") {
      Control(key).SetValue(value == "1");
    } else if (verb == "additem") {
      Control(key).AddItem(value, 99999);
    } else if (verb == "dblclick") {
      Control(arg).onDblClick();
    } else if (verb == "menu" || verb == "press") {
      verb == "menu" ? run->Click(arg) : run->Press(arg);
    } else if (verb == "type" || verb == "select") {
      verb == "type" ? run->Type(key, value) : run->Get(key).SelectItem(std::stoi(value));
    } else if (verb == "unwritable") {
      p.files.unwritable.insert(arg);
    } else if (verb == "nopdf") {
      p.printer.pdf = false;
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
    } else if (verb == "login") {
      arg == "refuse" ? void(p.loginStart.refuses = true) : void(p.loginStart.enabled = arg == "on");
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

  void Restart(const std::string& at) {
    for (auto& [k, v] : stored_) p.settings.values[k] = v;
    stored_.clear();
    StartAt(T(at));
  }

  std::map<std::pair<std::string, std::string>, std::string> stored_;
  std::map<std::string, std::vector<std::string>> macros_;
};

}  // namespace qov::testing
