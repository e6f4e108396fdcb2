#include "platform/model.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/i18n.h"

namespace qov::ui {
namespace {

// Geometry settles in whole pixels, as the platform stores it.
Twips SnapToPixels(Twips v, float tpp) {
  if (!std::isfinite(v) || tpp <= 0) return 0;
  return static_cast<Twips>(std::nearbyint(v / tpp) * tpp);
}

// A resize handler that changes the size again nests; the platform gives up
// after a few levels rather than recursing without end.
constexpr int kMaxResizeDepth = 8;

}  // namespace

// ---------------------------------------------------------------- Control

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
  if (kind == Kind::Label || kind == Kind::OptionButton || kind == Kind::Frame) transparent_ = false;
}

void Control::Changed() {
  if (form_.view_) form_.view_->ControlChanged(*this);
}

void Control::Move(Twips left, Twips top, Twips width, Twips height) {
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) || !std::isfinite(height))
    return;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}

bool Control::shown() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return true;
}

void Control::SetText(const std::string& t) {
  textId_ = nullptr;
  if (t == text_) return;
  text_ = t;
  Changed();
}

void Control::SetCaption(const char* id) {
  SetText(i18n::Tr(id));
  textId_ = id;
}

void Control::SetFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  Changed();
}

void Control::SetFontSize(float points) {
  if (!std::isfinite(points) || points <= 0 || points == font_.size) return;
  font_.size = points;
  Changed();
}

void Control::SetForeColor(Color c) {
  if (c == fore_) return;
  fore_ = c;
  Changed();
}

void Control::SetBackColor(Color c) {
  if (c == back_) return;
  back_ = c;
  Changed();
}

void Control::SetTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  Changed();
}

void Control::SetAlignment(Align a) {
  if (a == align_) return;
  align_ = a;
  Changed();
}

void Control::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Changed();
}

void Control::SetValue(bool v) {
  if (kind_ == Kind::OptionButton && v) {
    for (auto& other : form_.controls_) {
      Control& o = *other;
      if (&o != this && o.kind_ == Kind::OptionButton && o.container_ == container_ && o.value_) {
        o.value_ = false;
        o.Changed();
      }
    }
  }
  if (v == value_) return;
  value_ = v;
  Changed();
}

void Control::ClearItems() {
  items_.clear();
  listIndex_ = -1;
  Changed();
}

void Control::AddItem(const std::string& text, int32_t itemData) {
  items_.push_back(ComboItem{text, itemData});
  Changed();
}

void Control::AddCaptionItem(const char* id, int32_t itemData) {
  items_.push_back(ComboItem{i18n::Tr(id), itemData, id});
  Changed();
}

void Control::SelectItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  listIndex_ = index;
  text_ = items_[static_cast<size_t>(index)].text;
  Changed();
  if (onClick) onClick();
}

void Control::SetPicture(const std::string& id) {
  // Drawing the picture again repaints the box even when it is the same.
  picture_ = id;
  Changed();
}

void Control::SetStart(float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y) || (x == x1_ && y == y1_)) return;
  x1_ = x;
  y1_ = y;
  Changed();
}

void Control::SetEnd(float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y) || (x == x2_ && y == y2_)) return;
  x2_ = x;
  y2_ = y;
  Changed();
}

void Control::SetBorderWidth(int px) {
  if (px < 1 || px == borderWidth_) return;
  borderWidth_ = px;
  Changed();
}

void Control::SetBorderColor(Color c) {
  if (c == borderColor_) return;
  borderColor_ = c;
  Changed();
}

// ------------------------------------------------------------------ Timer

Timer::Timer(Form& form, std::string name, int interval, bool enabled)
    : form_(form), name_(std::move(name)), interval_(interval < 0 ? 0 : interval), enabled_(enabled) {}

void Timer::SetInterval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  ++generation_;
  if (form_.view_) form_.view_->TimerChanged(*this);
}

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;  // enabling a running timer does not restart it
  enabled_ = on;
  ++generation_;
  if (form_.view_) form_.view_->TimerChanged(*this);
}

// --------------------------------------------------------------- MenuItem

MenuItem& MenuItem::Add(std::string itemName, std::string itemCaption, bool isChecked) {
  auto item = std::make_unique<MenuItem>();
  item->name = std::move(itemName);
  item->caption = std::move(itemCaption);
  item->checked = isChecked;
  children.push_back(std::move(item));
  return *children.back();
}

MenuItem* MenuItem::Find(const std::string& itemName) {
  if (name == itemName) return this;
  for (auto& c : children)
    if (MenuItem* m = c->Find(itemName)) return m;
  return nullptr;
}

// ------------------------------------------------------------------- Form

Form::Form(std::string name) : name_(std::move(name)) {}
Form::~Form() {
  if (view_) view_->FormDestroyed(*this);
}

void Form::Move(Twips left, Twips top, Twips width, Twips height) {
  ApplyGeometry(SnapToPixels(left, tppX_), SnapToPixels(top, tppY_), SnapToPixels(width, tppX_),
                SnapToPixels(height, tppY_), false);
}

void Form::ReportGeometry(Twips left, Twips top, Twips width, Twips height) {
  ApplyGeometry(left, top, width, height, true);
}

void Form::ApplyGeometry(Twips left, Twips top, Twips width, Twips height, bool fromUser) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const bool resized = width != width_ || height != height_;
  const bool moved = left != left_ || top != top_;
  if (!resized && !moved) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!fromUser && view_) view_->GeometryChanged();
  if (resized && onResize && resizeDepth_ < kMaxResizeDepth) {
    ++resizeDepth_;
    onResize();
    --resizeDepth_;
  }
}

void Form::ReportScale(float tppX, float tppY) {
  if (tppX > 0 && std::isfinite(tppX)) tppX_ = tppX;
  if (tppY > 0 && std::isfinite(tppY)) tppY_ = tppY;
}

void Form::ReportBorder(Twips borderX, Twips borderY) {
  borderX_ = borderX > 0 ? borderX : 0;
  borderY_ = borderY > 0 ? borderY : 0;
}

void Form::Show() {
  if (visible_) return;
  visible_ = true;
  if (view_) view_->FormChanged();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (view_) view_->FormChanged();
}

void Form::SetBlink(bool on) {
  if (on == blink_) return;
  blink_ = on;
  if (view_) view_->FormChanged();
}

Control& Form::Add(Kind kind, std::string name, int index, Control* container) {
  controls_.push_back(std::make_unique<Control>(*this, kind, std::move(name), index, container));
  return *controls_.back();
}

Control* Form::Find(const std::string& name, int index) {
  for (auto& c : controls_)
    if (c->name() == name && c->index() == index) return c.get();
  return nullptr;
}

Control& Form::Get(const std::string& name, int index) {
  Control* c = Find(name, index);
  if (!c) std::abort();  // a misspelt design name is a programming error
  return *c;
}

Timer& Form::AddTimer(std::string name, int interval, bool enabled) {
  timers_.push_back(std::make_unique<Timer>(*this, std::move(name), interval, enabled));
  return *timers_.back();
}

Timer* Form::FindTimer(const std::string& name) {
  for (auto& t : timers_)
    if (t->name() == name) return t.get();
  return nullptr;
}

}  // namespace qov::ui

namespace qov::ui {
namespace {

void RetranslateMenu(MenuItem& item) {
  if (item.captionId) item.caption = i18n::Tr(item.captionId);
  for (auto& child : item.children) RetranslateMenu(*child);
}

}  // namespace

void Form::Retranslate() {
  for (auto& c : controls_) {
    bool items = false;
    for (ComboItem& item : c->items_) {
      if (!item.textId) continue;
      item.text = i18n::Tr(item.textId);
      items = true;
    }
    if (items && c->listIndex_ >= 0) c->text_ = c->items_[static_cast<size_t>(c->listIndex_)].text;
    if (c->textId_) {
      c->SetCaption(c->textId_);
    } else if (items) {
      c->Changed();
    }
  }
  RetranslateMenu(menu_);
}

}  // namespace qov::ui
