// Native widgets for the model's text boxes, combo box, buttons and option
// buttons. The model is the truth: the widgets follow it after every batch
// of changes, and the user's typing and choices go back into it without
// being echoed out again.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "backends/qt/form_widget.h"
#include "backends/qt/services.h"

namespace qov::qt {

namespace {

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

void RunClick(ui::Control& c) {
  if (!c.onClick) return;
  ui::Handler h = c.onClick;
  h();
}

}  // namespace

FormWidget::Native* FormWidget::NativeFor(ui::Control& c, bool create) {
  for (auto& n : natives_)
    if (n->model == &c) return n.get();
  if (!create || !desktop::IsNative(c.kind())) return nullptr;
  QWidget* w = nullptr;
  switch (c.kind()) {
    case ui::Kind::TextBox:
      w = new QLineEdit(this);
      break;
    case ui::Kind::ComboBox: {
      auto* combo = new QComboBox(this);
      combo->setEditable(!c.listOnly());
      // The list keeps the model's order, and typing a new name adds none.
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setMaxVisibleItems(16);
      w = combo;
      break;
    }
    case ui::Kind::OptionButton: {
      auto* radio = new QRadioButton(this);
      // The model clears the other options of the same container; Qt's
      // own grouping would span the whole window.
      radio->setAutoExclusive(false);
      radio->setAutoFillBackground(true);
      w = radio;
      break;
    }
    case ui::Kind::CheckBox: {
      auto* check = new QCheckBox(this);
      check->setAutoFillBackground(true);
      w = check;
      break;
    }
    default:
      w = new QPushButton(this);
      break;
  }
  w->hide();
  auto n = std::make_unique<Native>();
  n->model = &c;
  n->widget = w;
  natives_.push_back(std::move(n));
  ConnectNative(*natives_.back());
  return natives_.back().get();
}

void FormWidget::ConnectNative(Native& n) {
  Native* native = &n;
  auto model = [this, native]() -> ui::Control* { return syncing_ || !form_ ? nullptr : native->model; };
  if (auto* edit = qobject_cast<QLineEdit*>(n.widget.data())) {
    connect(edit, &QLineEdit::textEdited, this, [model](const QString& text) {
      if (ui::Control* c = model()) c->SetTextFromUser(text.toStdString());
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(n.widget.data())) {
    if (combo->lineEdit())
      connect(combo->lineEdit(), &QLineEdit::textEdited, this, [model](const QString& text) {
        if (ui::Control* c = model()) c->SetTextFromUser(text.toStdString());
      });
    connect(combo, &QComboBox::activated, this, [model](int i) {
      if (ui::Control* c = model()) c->SelectItem(i);  // raises the combo's Click
    });
  } else if (auto* radio = qobject_cast<QRadioButton*>(n.widget.data())) {
    connect(radio, &QRadioButton::clicked, this, [this, model] {
      ui::Control* c = model();
      if (!c) return;
      c->SetValue(true);
      // A second click on a chosen option leaves it chosen.
      ScheduleNativeSync();
      RunClick(*c);
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(n.widget.data())) {
    connect(check, &QCheckBox::clicked, this, [model](bool on) {
      ui::Control* c = model();
      if (!c) return;
      c->SetValue(on);
      RunClick(*c);
    });
  } else if (auto* button = qobject_cast<QPushButton*>(n.widget.data())) {
    connect(button, &QPushButton::clicked, this, [model] {
      if (ui::Control* c = model()) RunClick(*c);
    });
  }
}

void FormWidget::ScheduleNativeSync() {
  // Once per batch: filling a list of two thousand cities item by item
  // rebuilds the widget's list once.
  if (syncPosted_ || !*alive_) return;
  syncPosted_ = true;
  QTimer::singleShot(0, this, [this] {
    syncPosted_ = false;
    SyncNatives();
  });
}

void FormWidget::SyncNatives() {
  if (!form_ || !*alive_) return;
  // A widget is made when its control first shows: the clock's dialogs
  // and their list of two thousand cities cost nothing at start-up and
  // nothing to a user who never opens them.
  for (const auto& c : form_->controls()) {
    if (!desktop::IsNative(c->kind())) continue;
    Native* n = NativeFor(*c, c->shown());
    if (n && n->widget) SyncNative(*n);
  }
}

void FormWidget::SyncNative(Native& n) {
  ui::Control& c = *n.model;
  QWidget* w = n.widget;
  Flag syncing(syncing_);

  if (!n.fontSet || !(n.font == c.font())) {
    w->setFont(ToQFont(c.font()));
    n.font = c.font();
    n.fontSet = true;
  }

  if (!n.colorsSet || n.fore != c.foreColor() || n.back != c.backColor()) {
    QPalette pal = palette();
    // A box marked with a colour of its own (a wrong entry) shows it;
    // otherwise the system's colours stay. Buttons and options fill with
    // their own background role (yellow on black in the dialog).
    const bool edit = c.kind() == ui::Kind::TextBox || c.kind() == ui::Kind::ComboBox;
    if (c.backColor() != ui::kSystemWindow)
      pal.setColor(edit ? QPalette::Base : w->backgroundRole(), ToRgb(c.backColor()));
    if (c.foreColor() != ui::kSystemWindow)
      pal.setColor(edit ? QPalette::Text : w->foregroundRole(), ToRgb(c.foreColor()));
    w->setPalette(pal);
    n.fore = c.foreColor();
    n.back = c.backColor();
    n.colorsSet = true;
  }

  const QString text = QString::fromStdString(c.text());
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (!SameItems(n.items, c.items())) {
      combo->setUpdatesEnabled(false);
      combo->clear();
      QStringList names;
      names.reserve(static_cast<qsizetype>(c.items().size()));
      for (const ui::ComboItem& item : c.items()) names << QString::fromStdString(item.text);
      combo->addItems(names);
      for (int i = 0; i < static_cast<int>(c.items().size()); ++i) combo->setItemData(i, c.items()[i].itemData);
      combo->setUpdatesEnabled(true);
      n.items = c.items();
    }
    if (combo->currentIndex() != c.listIndex()) combo->setCurrentIndex(c.listIndex());
    if (combo->isEditable() && combo->currentText() != text) combo->setEditText(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    if (edit->text() != text) edit->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    // "&" marks the access key, as in the Windows program's buttons.
    if (button->text() != text) button->setText(text);
    if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->isChecked() != c.value())
      radio->setChecked(c.value());
    if (auto* check = qobject_cast<QCheckBox*>(w); check && check->isChecked() != c.value())
      check->setChecked(c.value());
  }

  if (w->isEnabled() != c.enabled()) w->setEnabled(c.enabled());

  const desktop::PxRect r = desktop::ControlRectPx(c, scale());
  if (!(r == n.rect)) {
    w->setGeometry(r.left, r.top, std::max(r.right - r.left, 0), std::max(r.bottom - r.top, 0));
    n.rect = r;
  }

  const bool want = c.shown();
  if (want == w->isHidden()) {
    // A hidden widget cannot keep the keyboard: the window takes it back.
    if (!want && w->hasFocus()) setFocus();
    w->setVisible(want);
    if (want) w->raise();
  }
}

}  // namespace qov::qt
