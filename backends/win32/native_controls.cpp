// Native child controls for the model's text boxes, combo box, buttons and
// option buttons. The model is the truth: the controls follow it after
// every batch of changes, and the user's typing and choices go back into it
// without being echoed out again.
#include "backends/win32/form_window.h"

#include <uxtheme.h>

#include "backends/win32/platform.h"

namespace qov::win32 {

namespace {

constexpr UINT_PTR kFirstChildId = 100;

bool SameItems(const std::vector<ui::ComboItem>& a, const std::vector<ui::ComboItem>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].text != b[i].text || a[i].itemData != b[i].itemData) return false;
  return true;
}

// Restores the flag however the sync leaves.
class Flag {
 public:
  explicit Flag(bool& f) : f_(f), was_(f) { f_ = true; }
  ~Flag() { f_ = was_; }
  Flag(const Flag&) = delete;
  Flag& operator=(const Flag&) = delete;

 private:
  bool& f_;
  bool was_;
};

}  // namespace

void FormWindow::CreateNatives() {
  if (!form_) return;
  for (const auto& c : form_->controls())
    if (IsNative(c->kind())) NativeFor(*c);
}

FormWindow::Native* FormWindow::NativeFor(ui::Control& c) {
  for (auto& n : natives_)
    if (n->model == &c) return n.get();
  if (!hwnd_ || !IsNative(c.kind())) return nullptr;

  const wchar_t* cls = L"BUTTON";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
  DWORD exStyle = 0;
  switch (c.kind()) {
    case ui::Kind::TextBox:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | ES_LEFT;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ui::Kind::ComboBox:
      cls = L"COMBOBOX";
      style |= (c.listOnly() ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) | WS_VSCROLL;
      break;
    case ui::Kind::OptionButton:
      style |= BS_AUTORADIOBUTTON;
      break;
    case ui::Kind::CheckBox:
      style |= BS_AUTOCHECKBOX;
      break;
    default:
      style |= BS_PUSHBUTTON;
      break;
  }
  HWND h = CreateWindowExW(exStyle, cls, L"", style, 0, 0, 0, 0, hwnd_,
                           reinterpret_cast<HMENU>(kFirstChildId + natives_.size()), platform_.instance(), nullptr);
  if (!h) return nullptr;
  // Themed radio buttons ignore the colours of WM_CTLCOLORSTATIC; the
  // dialog's options are yellow on black.
  if (c.kind() == ui::Kind::OptionButton || c.kind() == ui::Kind::CheckBox) SetWindowTheme(h, L"", L"");
  auto n = std::make_unique<Native>();
  n->model = &c;
  n->hwnd = h;
  natives_.push_back(std::move(n));
  return natives_.back().get();
}

FormWindow::Native* FormWindow::NativeByHwnd(HWND h) {
  if (!h) return nullptr;
  for (auto& n : natives_)
    if (n->hwnd == h) return n.get();
  return nullptr;
}

void FormWindow::ScheduleNativeSync() {
  if (syncPosted_ || !hwnd_ || destroying_ || natives_.empty()) return;
  syncPosted_ = PostMessageW(hwnd_, kMsgSyncNatives, 0, 0) != FALSE;
}

void FormWindow::SyncNatives() {
  if (!form_ || destroying_) return;
  for (auto& n : natives_) SyncNative(*n);
}

std::string FormWindow::NativeText(HWND h) const {
  const int len = GetWindowTextLengthW(h);
  if (len <= 0) return {};
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  const int got = GetWindowTextW(h, text.data(), len + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return Narrow(text);
}

void FormWindow::SyncNative(Native& n) {
  ui::Control& c = *n.model;
  Flag syncing(syncing_);

  if (!n.font || !(n.fontKey == c.font()) || n.fontDpi != dpi_) {
    AutoFont font(GdiCache::CreateFontFor(c.font(), dpi_));
    SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    n.font = std::move(font);  // the old font goes only after the control let go of it
    n.fontKey = c.font();
    n.fontDpi = dpi_;
  }

  if (c.kind() == ui::Kind::ComboBox) {
    if (!SameItems(n.items, c.items())) {
      SendMessageW(n.hwnd, WM_SETREDRAW, FALSE, 0);
      SendMessageW(n.hwnd, CB_RESETCONTENT, 0, 0);
      SendMessageW(n.hwnd, CB_INITSTORAGE, c.items().size(), c.items().size() * 32);
      for (const ui::ComboItem& item : c.items()) {
        const LRESULT at = SendMessageW(n.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item.text).c_str()));
        if (at >= 0) SendMessageW(n.hwnd, CB_SETITEMDATA, static_cast<WPARAM>(at), item.itemData);
      }
      SendMessageW(n.hwnd, WM_SETREDRAW, TRUE, 0);
      n.items = c.items();
    }
    if (SendMessageW(n.hwnd, CB_GETCURSEL, 0, 0) != c.listIndex())
      SendMessageW(n.hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
  }

  // A list-only combo shows its selected item and has no text to set.
  const bool ownText = !(c.kind() == ui::Kind::ComboBox && c.listOnly());
  if (ownText && NativeText(n.hwnd) != c.text()) SetWindowTextW(n.hwnd, Wide(c.text()).c_str());

  if (c.kind() == ui::Kind::OptionButton || c.kind() == ui::Kind::CheckBox) {
    const WPARAM want = c.value() ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageW(n.hwnd, BM_GETCHECK, 0, 0)) != want)
      SendMessageW(n.hwnd, BM_SETCHECK, want, 0);
  }

  if ((IsWindowEnabled(n.hwnd) != FALSE) != c.enabled()) EnableWindow(n.hwnd, c.enabled() ? TRUE : FALSE);

  const PxRect r = ControlRectPx(c, scale());
  if (!(r == n.rect)) {
    int h = r.bottom - r.top;
    // A drop-down combo's window height includes its open list.
    if (c.kind() == ui::Kind::ComboBox) h += MulDiv(240, static_cast<int>(dpi_), 96);
    MoveWindow(n.hwnd, r.left, r.top, r.right - r.left, h, TRUE);
    n.rect = r;
  }

  const bool want = c.shown();
  const bool is = (GetWindowLongW(n.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (want != is) {
    // A hidden control cannot keep the keyboard: the window takes it back.
    if (!want && GetFocus() == n.hwnd) SetFocus(hwnd_);
    ShowWindow(n.hwnd, want ? SW_SHOWNA : SW_HIDE);
  }
}

// Escape presses the open dialog's Cancel.
bool FormWindow::OnEscape() {
  ui::Control* cancel = form_ ? EscapeButton(*form_) : nullptr;
  if (!cancel || !cancel->onClick) return false;
  ui::Handler click = cancel->onClick;
  click();
  return true;
}

void FormWindow::OnCommand(WPARAM wp, LPARAM lp) {
  HWND child = reinterpret_cast<HWND>(lp);
  Native* n = NativeByHwnd(child);
  if (!n || syncing_ || !form_) return;
  ui::Control& c = *n->model;
  const UINT code = HIWORD(wp);
  auto click = [&c] {
    if (!c.onClick) return;
    ui::Handler h = c.onClick;
    h();
  };
  switch (c.kind()) {
    case ui::Kind::TextBox:
      if (code == EN_CHANGE) c.SetTextFromUser(NativeText(child));
      break;
    case ui::Kind::ComboBox:
      if (code == CBN_EDITCHANGE) {
        c.SetTextFromUser(NativeText(child));
      } else if (code == CBN_SELCHANGE) {
        const LRESULT i = SendMessageW(child, CB_GETCURSEL, 0, 0);
        if (i >= 0 && i <= INT_MAX) c.SelectItem(static_cast<int>(i));  // raises the combo's Click
      }
      break;
    case ui::Kind::Button:
      if (code == BN_CLICKED) click();
      break;
    case ui::Kind::OptionButton:
      if (code == BN_CLICKED) {
        c.SetValue(true);
        click();
      }
      break;
    case ui::Kind::CheckBox:
      if (code == BN_CLICKED) {
        c.SetValue(SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED);
        click();
      }
      break;
    default:
      break;
  }
}

LRESULT FormWindow::OnCtlColor(UINT msg, HDC dc, HWND child) {
  Native* n = NativeByHwnd(child);
  // The edit field of a combo box reports through the combo.
  if (!n && child) n = NativeByHwnd(GetParent(child));
  if (!n) return 0;
  const ui::Control& c = *n->model;
  GdiCache& gdi = platform_.gdi();
  if (msg == WM_CTLCOLOREDIT) {
    // A box marked with a colour of its own (a wrong entry) shows it;
    // otherwise the system's colours stay.
    if (c.backColor() == ui::kSystemWindow && c.foreColor() == ui::kSystemWindow) return 0;
    const COLORREF back = c.backColor() == ui::kSystemWindow ? GetSysColor(COLOR_WINDOW) : BackColor(c.backColor());
    const COLORREF fore = c.foreColor() == ui::kSystemWindow ? GetSysColor(COLOR_WINDOWTEXT) : TextColor(c.foreColor());
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    return reinterpret_cast<LRESULT>(gdi.Brush(back));
  }
  if (msg == WM_CTLCOLORSTATIC && (c.kind() == ui::Kind::OptionButton || c.kind() == ui::Kind::CheckBox)) {
    const COLORREF back = BackColor(c.backColor());
    SetBkColor(dc, back);
    SetTextColor(dc, TextColor(c.foreColor()));
    return reinterpret_cast<LRESULT>(gdi.Brush(back));
  }
  return 0;
}

}  // namespace qov::win32
