// The retained model of the clock's windows: geometry in twips, controls,
// timers and menus. The logic reads and writes only this model; a back end
// (Win32, or the in-memory one of the tests) renders it and feeds user
// events back through the callbacks. No operating-system type appears here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qov::ui {

using Twips = float;      // window geometry is single precision, 1/1440 inch
using Color = uint32_t;   // 0x00BBGGRR
using Handle = intptr_t;  // opaque window handle issued by the back end

inline constexpr Color kWhite = 0x00FFFFFF;
inline constexpr Color kBlack = 0x00000000;
inline constexpr Color kYellow = 0x0000FFFF;
inline constexpr Color kSystemWindow = 0xFF000000;  // "use the system's colour"

enum class Kind { Label, TextBox, ComboBox, Button, OptionButton, CheckBox, Frame, PictureBox, Line };
enum class Align { Left, Center, Right };
// The pointer over a control: the system arrow, or the hand over a link.
enum class Cursor { Arrow, Hand };

struct Font {
  std::string name = "Arial";
  float size = 8.25f;  // points
  bool bold = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

// Mouse events: button 1 left, 2 right, 4 middle; x, y in twips relative to
// the surface that received the event.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using Handler = std::function<void()>;

class Form;

struct ComboItem {
  std::string text;
  int32_t itemData = 0;
  const char* textId = nullptr;  // the Indonesian text, for a change of language
};

// One control of a form. A single flat type keeps the renderer and the tests
// simple; fields that do not apply to a kind are ignored for it.
class Control {
 public:
  Control(Form& form, Kind kind, std::string name, int index, Control* container);

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }
  Control* container() const { return container_; }
  Form& form() const { return form_; }

  // Position inside the container (or the form's client area), twips.
  Twips left() const { return left_; }
  Twips top() const { return top_; }
  Twips width() const { return width_; }
  Twips height() const { return height_; }
  void Move(Twips left, Twips top, Twips width, Twips height);
  void SetLeft(Twips v) { Move(v, top_, width_, height_); }
  void SetTop(Twips v) { Move(left_, v, width_, height_); }
  void SetWidth(Twips v) { Move(left_, top_, v, height_); }
  void SetHeight(Twips v) { Move(left_, top_, width_, v); }

  bool visible() const { return visible_; }
  void SetVisible(bool v);
  // Native controls only: whether the user can edit or press it.
  bool enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // Visible and every container visible.
  bool shown() const;

  // Caption of labels, buttons, options and frames; contents of text boxes
  // and of the combo box's edit field.
  const std::string& text() const { return text_; }
  void SetText(const std::string& t);
  // A fixed caption, given in Indonesian: shown in the current language and
  // shown again in the next by Form::Retranslate.
  void SetCaption(const char* id);
  // The back end reports the user's typing without echoing it back.
  void SetTextFromUser(const std::string& t) { text_ = t; }

  const Font& font() const { return font_; }
  void SetFont(const Font& f);
  void SetFontSize(float points);
  Color foreColor() const { return fore_; }
  void SetForeColor(Color c);
  Color backColor() const { return back_; }
  void SetBackColor(Color c);
  bool transparent() const { return transparent_; }
  void SetTransparent(bool t);
  Align alignment() const { return align_; }
  void SetAlignment(Align a);

  // Option buttons: selected state; selecting one clears the others in the
  // same container. Check boxes: ticked.
  bool value() const { return value_; }
  void SetValue(bool v);

  // Combo box list.
  const std::vector<ComboItem>& items() const { return items_; }
  void ClearItems();
  void AddItem(const std::string& text, int32_t itemData);
  // An entry given in Indonesian, translated as SetCaption is.
  void AddCaptionItem(const char* id, int32_t itemData);
  int listIndex() const { return listIndex_; }
  // A list to choose from, with no text of one's own; set before the form
  // is shown, as the back ends build the control once.
  bool listOnly() const { return listOnly_; }
  void SetListOnly(bool on) { listOnly_ = on; }
  // Buttons: the Escape key presses this one while it is shown and enabled.
  bool cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Selecting an entry puts its name into the edit field and raises onClick,
  // as the platform's list does when the user picks one.
  void SelectItem(int index);

  // Picture boxes: which picture is drawn stretched over the box.
  const std::string& picture() const { return picture_; }
  void SetPicture(const std::string& id);

  // Lines: end points in the container's twips, width in whole pixels at
  // 96 DPI (the back end scales it with the monitor).
  float x1() const { return x1_; }
  float y1() const { return y1_; }
  float x2() const { return x2_; }
  float y2() const { return y2_; }
  void SetStart(float x, float y);
  void SetEnd(float x, float y);
  int borderWidth() const { return borderWidth_; }
  // A width below 1 pixel is not accepted: the line keeps its width.
  void SetBorderWidth(int px);
  Color borderColor() const { return borderColor_; }
  void SetBorderColor(Color c);

  Cursor cursor() const { return cursor_; }
  void SetCursor(Cursor c) { cursor_ = c; }

  MouseHandler onMouseDown, onMouseMove, onMouseUp;
  Handler onClick, onDblClick;

 private:
  friend class Form;
  void Changed();

  Form& form_;
  Kind kind_;
  std::string name_;
  int index_;
  Control* container_;
  Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  Font font_;
  Color fore_ = kSystemWindow, back_ = kSystemWindow;
  bool transparent_ = false;
  Align align_ = Align::Left;
  bool value_ = false;
  std::vector<ComboItem> items_;
  int listIndex_ = -1;
  bool listOnly_ = false;
  bool cancel_ = false;
  std::string picture_;
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int borderWidth_ = 1;
  Color borderColor_ = kWhite;
  Cursor cursor_ = Cursor::Arrow;
  const char* textId_ = nullptr;
};

class Timer {
 public:
  Timer(Form& form, std::string name, int interval, bool enabled);
  const std::string& name() const { return name_; }
  int interval() const { return interval_; }
  bool enabled() const { return enabled_; }
  // Setting either restarts the countdown, as a window timer does. An
  // interval of 0 never fires.
  void SetInterval(int ms);
  void SetEnabled(bool on);
  // Bumped at every restart so a back end can tell a rearm from a repeat.
  uint64_t generation() const { return generation_; }
  Handler onTimer;

 private:
  Form& form_;
  std::string name_;
  int interval_;
  bool enabled_;
  uint64_t generation_ = 0;
};

struct MenuItem {
  std::string name;
  std::string caption;  // "-" is a separator
  const char* captionId = nullptr;  // set: the caption is this text translated
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  std::vector<std::unique_ptr<MenuItem>> children;
  Handler onClick;

  MenuItem& Add(std::string itemName, std::string itemCaption, bool isChecked = false);
  MenuItem* Find(const std::string& itemName);
};

// What a back end implements to show the model. Every call comes from the
// model on the user-interface thread, right after the change.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void GeometryChanged() = 0;
  virtual void ControlChanged(Control& c) = 0;
  virtual void TimerChanged(Timer& t) = 0;
  virtual void FormChanged() = 0;  // visibility, blink
  // The form is being destroyed: forget it.
  virtual void FormDestroyed(Form&) {}
};

// A top-level window. Outer geometry is in twips and settles in whole
// pixels, as a real window does; every size change raises onResize at once,
// also from inside onResize.
class Form {
 public:
  explicit Form(std::string name);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  Twips left() const { return left_; }
  Twips top() const { return top_; }
  Twips width() const { return width_; }
  Twips height() const { return height_; }
  void SetLeft(Twips v) { Move(v, top_, width_, height_); }
  void SetTop(Twips v) { Move(left_, v, width_, height_); }
  void SetWidth(Twips v) { Move(left_, top_, v, height_); }
  void SetHeight(Twips v) { Move(left_, top_, width_, v); }
  void Move(Twips left, Twips top, Twips width, Twips height);
  // Inner (client) area: the outer size less the sizing border, if any.
  Twips scaleWidth() const { return width_ - 2 * borderX_; }
  Twips scaleHeight() const { return height_ - 2 * borderY_; }

  // Twips per pixel of the monitor the window is on.
  float twipsPerPixelX() const { return tppX_; }
  float twipsPerPixelY() const { return tppY_; }

  // Back-end side: the user (or the system) resized or moved the window, or
  // its monitor or frame changed. Sizes are taken as they are (already whole
  // pixels) and onResize runs when the size changed.
  void ReportGeometry(Twips left, Twips top, Twips width, Twips height);
  void ReportScale(float tppX, float tppY);
  void ReportBorder(Twips borderX, Twips borderY);

  bool visible() const { return visible_; }
  void Show();
  void Hide();
  // The blink property of the alert: True in normal operation.
  bool blink() const { return blink_; }
  void SetBlink(bool on);

  Handle hWnd() const { return hwnd_; }
  void SetHandle(Handle h) { hwnd_ = h; }

  Control& Add(Kind kind, std::string name, int index = -1, Control* container = nullptr);
  Control* Find(const std::string& name, int index = -1);
  Control& Get(const std::string& name, int index = -1);
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  Timer& AddTimer(std::string name, int interval, bool enabled);
  Timer* FindTimer(const std::string& name);
  const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

  MenuItem& menu() { return menu_; }

  // The language changed: every caption and menu item given in Indonesian
  // shows in the new one. Texts the logic composes are the features' own.
  void Retranslate();

  Handler onResize;
  MouseHandler onMouseDown, onMouseMove, onMouseUp;
  Handler onClick, onDblClick;
  Handler onUnload;  // the window is closing, by any path
  // The back end has created the window (it has its handle) and is about to
  // show it; raised once per window, for forms the logic does not load itself.
  Handler onLoad;

  void SetView(FormView* v) { view_ = v; }
  FormView* view() const { return view_; }

 private:
  friend class Control;
  friend class Timer;
  void ApplyGeometry(Twips left, Twips top, Twips width, Twips height, bool fromUser);

  std::string name_;
  Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  Twips borderX_ = 0, borderY_ = 0;
  float tppX_ = 15, tppY_ = 15;
  bool visible_ = false;
  bool blink_ = true;
  Handle hwnd_ = 0;
  int resizeDepth_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Timer>> timers_;
  MenuItem menu_;
  FormView* view_ = nullptr;
};

}  // namespace qov::ui
