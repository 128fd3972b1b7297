#include "runtime/qt/controls.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolTip>
#include <QValidator>
#include <QWindow>

#include <map>
#include <utility>
#include <vector>

#include "runtime/core/pstring.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr int16_t kDefaultButton = 1;
constexpr int16_t kCancelButton = 2;

struct ModalLoop {
  int16_t window = 0;
  bool done = false;
  int16_t endedBy = 0;  // kDefaultButton, kCancelButton when clicked, 0 when cancelled otherwise
};

struct ControlRegistry {
  std::map<std::pair<int16_t, int16_t>, QPointer<QWidget>> controls;
  std::vector<ModalLoop*> loops;  // innermost last
};

ControlRegistry& registry() {
  static ControlRegistry r;
  return r;
}

QWidget* controlOf(int16_t window, int16_t id) {
  auto& c = registry().controls;
  auto it = c.find({window, id});
  if (it == c.end()) return nullptr;
  if (it->second.isNull() || it->second->window() != contentWidget(window)) {
    c.erase(it);
    return nullptr;
  }
  return it->second.data();
}

QRect widgetRectOf(int16_t window, const Rect& r) {
  const GrafPtr port = windowPort(window);
  const QPoint o = port != nullptr ? port->origin : QPoint();
  return QRect(r.left - o.x(), r.top - o.y() + detail::menuBarHeightOf(window), r.width(), r.height());
}

ModalLoop* loopFor(int16_t window) {
  auto& loops = registry().loops;
  return !loops.empty() && loops.back()->window == window ? loops.back() : nullptr;
}

void endLoop(ModalLoop* loop, int16_t endedBy) {
  loop->done = true;
  loop->endedBy = endedBy;
  if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

template <typename W>
W* place(int16_t window, int16_t id, W* w, const Rect& r) {
  QWidget* parent = contentWidget(window);
  if (parent == nullptr) {
    delete w;
    return nullptr;
  }
  if (QWidget* old = controlOf(window, id)) delete old;
  w->setParent(parent);
  w->setGeometry(widgetRectOf(window, r));
  if (const GrafPtr port = windowPort(window)) w->setFont(detail::fontOf(port));
  w->show();
  registry().controls[{window, id}] = w;
  return w;
}

constexpr const char* kSeparatorText = "-";

// A field holds one line: a line end pasted or dropped into it becomes a blank. With a
// limit, it refuses an edit that would take its text past that many bytes of UTF-8, and
// says why beside the field.
class OneLineField : public QValidator {
 public:
  explicit OneLineField(QLineEdit* field) : QValidator(field), field_(field) {}
  void limit(int maxBytes, QString refusal) {
    maxBytes_ = maxBytes;
    refusal_ = std::move(refusal);
  }
  State validate(QString& input, int& /*pos*/) const override {
    QByteArray bytes = input.toUtf8();
    if (hasLineEnd(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      const std::string line = oneLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      input = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
      bytes = input.toUtf8();
    }
    if (maxBytes_ < 0 || bytes.size() <= maxBytes_) return Acceptable;
    QApplication::beep();
    QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), refusal_, field_);
    return Invalid;
  }

 private:
  QLineEdit* field_;
  int maxBytes_ = -1;  // no limit
  QString refusal_;
};

// The field's one-line rule, installed on first asking: every field, built in code or in
// a designed window, holds one line.
OneLineField* oneLineField(QLineEdit* e) {
  if (auto* field = dynamic_cast<OneLineField*>(const_cast<QValidator*>(e->validator()))) return field;
  auto* field = new OneLineField(e);
  e->setValidator(field);
  return field;
}

// The program breaks its lines with CR (CR LF from files); a label breaks at LF only.
QString labelLines(std::string_view text) {
  QString lines = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

// A pop-up shows its menu's items as the menu has them each time it opens: the check mark
// and the dimming follow the menu, which the program keeps in line with the settings.
class MenuPopUp final : public QComboBox {
 public:
  explicit MenuPopUp(int16_t menu) : menu_(menu) {}
  void showPopup() override {
    showMenuMarks();
    QComboBox::showPopup();
  }
  void showMenuMarks() {
    auto* items = qobject_cast<QStandardItemModel*>(model());
    if (items == nullptr) return;
    for (int row = 0; row < count(); ++row) {
      const auto item = static_cast<int16_t>(row + 1);
      QStandardItem* s = items->item(row);
      if (s == nullptr || menuItemText(menu_, item) == kSeparatorText) continue;
      s->setEnabled(menuItemEnabled(menu_, item));
      s->setData(menuItemChecked(menu_, item) ? QVariant(Qt::Checked) : QVariant(), Qt::CheckStateRole);
    }
  }

 private:
  int16_t menu_;
};

// The hit is queued: its reader may open a box, wait on the board or quit, none of which
// may run inside the widget's own signal.
void controlHit(int16_t window, int16_t id) {
  if (ModalLoop* loop = loopFor(window)) {
    if (id == kDefaultButton || id == kCancelButton) return endLoop(loop, id);
  }
  detail::queueTask(true, [window, id] {
    if (contentWidget(window) == nullptr) return;
    AppEvent e;
    e.kind = AppEvent::kControlHit;
    e.window = window;
    e.control = id;
    // Not taken by the application handler: the dialog callback gets the control hit.
    if (!detail::deliverAppEvent(e)) detail::deliverDialogEvent(kDialogControlHit, id);
  });
}

// The buttons of a radio group: its checkable buttons that carry a `value`.
QList<QAbstractButton*> radioButtonsOf(QWidget* group) {
  QList<QAbstractButton*> buttons;
  for (QAbstractButton* b : group->findChildren<QAbstractButton*>()) {
    if (b->property("value").isValid()) buttons.push_back(b);
  }
  return buttons;
}

bool isRadioGroup(QWidget* w) {
  return w != nullptr && qobject_cast<QAbstractButton*>(w) == nullptr && qobject_cast<QComboBox*>(w) == nullptr &&
         !radioButtonsOf(w).isEmpty();
}

void connectHits(int16_t window, int16_t id, QWidget* w) {
  if (isRadioGroup(w)) {
    for (QAbstractButton* b : radioButtonsOf(w)) {
      b->setAutoExclusive(true);
      QObject::connect(b, &QAbstractButton::clicked, [window, id] { controlHit(window, id); });
    }
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    QObject::connect(b, &QAbstractButton::clicked, [window, id] { controlHit(window, id); });
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    QObject::connect(c, &QComboBox::activated, [window, id] { controlHit(window, id); });
  }
}

// Return and Enter press the default button, Escape and the close box cancel (a box with
// only a Done is closed by them too); installed after the layer's filter, so it sees the
// keys of the modal window first.
class ModalAnswers : public QObject {
 public:
  explicit ModalAnswers(ModalLoop* loop) : loop_(loop) {}
  bool eventFilter(QObject* obj, QEvent* e) override {
    // A window manager draws the close box whatever the window asks for. The box is hidden
    // at the loop's end either way: the close may go through.
    if (e->type() == QEvent::Close && obj == contentWidget(loop_->window)) {
      endLoop(loop_, 0);
      return true;
    }
    if (e->type() != QEvent::KeyPress || !obj->isWindowType()) return false;
    QWidget* w = contentWidget(loop_->window);
    if (w == nullptr || w->windowHandle() != obj) return false;
    switch (static_cast<QKeyEvent*>(e)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        endLoop(loop_, kDefaultButton);
        return true;
      case Qt::Key_Escape:
        endLoop(loop_, 0);
        return true;
      default:
        return false;
    }
  }

 private:
  ModalLoop* loop_;
};

}  // namespace

void addPushButton(int16_t window, int16_t id, std::string_view title, const Rect& r) {
  auto* b = place(window, id, new QPushButton(QString::fromUtf8(title.data(), static_cast<int>(title.size()))), r);
  if (b == nullptr) return;
  b->setAutoDefault(false);
  b->setDefault(id == kDefaultButton);
  connectHits(window, id, b);
}

void addCheckBox(int16_t window, int16_t id, std::string_view title, const Rect& r) {
  auto* b = place(window, id, new QCheckBox(QString::fromUtf8(title.data(), static_cast<int>(title.size()))), r);
  if (b != nullptr) connectHits(window, id, b);
}

void addPopUpMenu(int16_t window, int16_t id, int16_t menu, const Rect& r) {
  auto* c = place(window, id, new MenuPopUp(menu), r);
  if (c == nullptr) return;
  const int16_t count = menuItemCount(menu);
  for (int16_t item = 1; item <= count; ++item) {
    const std::string text = menuItemText(menu, item);
    if (text == kSeparatorText) {
      c->insertSeparator(c->count());
    } else {
      c->addItem(QString::fromStdString(text));
    }
  }
  c->showMenuMarks();
  connectHits(window, id, c);
}

void addStaticText(int16_t window, int16_t id, std::string_view text, const Rect& r, bool centred) {
  auto* l = place(window, id, new QLabel(labelLines(text)), r);
  if (l == nullptr) return;
  l->setTextFormat(Qt::PlainText);
  l->setWordWrap(true);
  l->setAlignment(centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
  // Text longer than the rectangle is cut at its edge.
  l->setMaximumSize(l->size());
}

void addEditText(int16_t window, int16_t id, std::string_view text, const Rect& r) {
  auto* e = place(window, id, new QLineEdit(QString::fromUtf8(text.data(), static_cast<int>(text.size()))), r);
  if (e == nullptr) return;
  e->setMaxLength(255);
  oneLineField(e);
  e->setFocus();
  e->selectAll();
}

void addSeparatorLine(int16_t window, int16_t id, const Rect& r) {
  auto* f = place(window, id, new QFrame, r);
  if (f != nullptr) f->setFrameStyle(QFrame::HLine | QFrame::Sunken);
}

void setControlFont(int16_t window, int16_t id, int16_t font, int16_t size) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return;
  GrafPort scratch;
  scratch.textFont = font;
  scratch.textSize = size;
  w->setFont(detail::fontOf(&scratch));
}

void setControlTextColour(int16_t window, int16_t id, const RGBColor& colour) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return;
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, QColor::fromRgba64(colour.red, colour.green, colour.blue));
  p.setColor(QPalette::Text, QColor::fromRgba64(colour.red, colour.green, colour.blue));
  w->setPalette(p);
}

bool controlExists(int16_t window, int16_t id) { return controlOf(window, id) != nullptr; }

bool pushButtonExists(int16_t window, int16_t id) {
  return qobject_cast<QPushButton*>(controlOf(window, id)) != nullptr;
}

QWidget* controlWidget(int16_t window, int16_t id) { return controlOf(window, id); }

int16_t controlValue(int16_t window, int16_t id) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return 0;
  if (auto* c = qobject_cast<QComboBox*>(w)) return static_cast<int16_t>(c->currentIndex() + 1);
  if (isRadioGroup(w)) {
    for (QAbstractButton* b : radioButtonsOf(w)) {
      if (b->isChecked()) return static_cast<int16_t>(b->property("value").toInt());
    }
    return 0;
  }
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->isCheckable() && b->isChecked() ? 1 : 0;
  return 0;
}

void setControlValue(int16_t window, int16_t id, int16_t value) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return;
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    c->setCurrentIndex(value >= 1 && value <= c->count() ? value - 1 : -1);
  } else if (isRadioGroup(w)) {
    const QList<QAbstractButton*> buttons = radioButtonsOf(w);
    // Exclusive buttons cannot all be cleared while exclusive: a value of none clears them.
    for (QAbstractButton* b : buttons) b->setAutoExclusive(false);
    for (QAbstractButton* b : buttons) b->setChecked(b->property("value").toInt() == value);
    for (QAbstractButton* b : buttons) b->setAutoExclusive(true);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    if (b->isCheckable()) b->setChecked(value != 0);
  }
}

void setControlText(int16_t window, int16_t id, std::string_view text) {
  QWidget* w = controlOf(window, id);
  const QString t = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    e->setText(t);
  } else if (auto* l = qobject_cast<QLabel*>(w)) {
    l->setText(labelLines(text));
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(t);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    c->setPlaceholderText(t);  // shown while no item is chosen
  }
}

void reportTextEdits(int16_t window, int16_t id) {
  auto* e = qobject_cast<QLineEdit*>(controlOf(window, id));
  if (e == nullptr) return;
  QObject::connect(e, &QLineEdit::textEdited, [window, id] { controlHit(window, id); });
}

void limitTextBytes(int16_t window, int16_t id, int maxBytes, std::string_view refusal) {
  auto* e = qobject_cast<QLineEdit*>(controlOf(window, id));
  if (e == nullptr) return;
  oneLineField(e)->limit(maxBytes, QString::fromUtf8(refusal.data(), static_cast<int>(refusal.size())));
}

int16_t fitStaticText(int16_t window, int16_t id) {
  auto* l = qobject_cast<QLabel*>(controlOf(window, id));
  if (l == nullptr) return 0;
  const int more = l->heightForWidth(l->width()) - l->height();
  if (more <= 0) return 0;
  const int oldBottom = l->geometry().bottom();
  for (const auto& [key, w] : registry().controls) {
    if (key.first != window || w.isNull() || w == l || w->window() != contentWidget(window)) continue;
    if (w->geometry().top() > oldBottom) w->move(w->x(), w->y() + more);
  }
  l->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  l->resize(l->width(), l->height() + more);
  l->setMaximumSize(l->size());
  const Rect bounds = portBounds(window);
  sizeWindow(window, bounds.width(), bounds.height() + more, true);
  return static_cast<int16_t>(more);
}

void setControlEnabled(int16_t window, int16_t id, bool enabled) {
  if (QWidget* w = controlOf(window, id)) w->setEnabled(enabled);
}

void setDefaultButton(int16_t window, int16_t id) {
  for (const auto& [key, w] : registry().controls) {
    if (key.first != window || w.isNull() || w->window() != contentWidget(window)) continue;
    if (auto* b = qobject_cast<QPushButton*>(w.data())) b->setDefault(key.second == id);
  }
}

bool controlEnabled(int16_t window, int16_t id) {
  QWidget* w = controlOf(window, id);
  return w != nullptr && w->isEnabled();
}

void focusControl(int16_t window, int16_t id) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return;
  w->setFocus(Qt::OtherFocusReason);
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
}

void setControlTabOrder(int16_t window, std::span<const int16_t> ids) {
  QWidget* previous = nullptr;
  for (const int16_t id : ids) {
    QWidget* w = controlOf(window, id);
    if (w == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

int16_t focusedControl(int16_t window) {
  QWidget* top = contentWidget(window);
  QWidget* f = top != nullptr ? top->focusWidget() : nullptr;
  if (f == nullptr) return 0;
  // The control itself, else the numbered container holding it (a radio group).
  int16_t holder = 0;
  for (const auto& [key, w] : registry().controls) {
    if (key.first != window || w.isNull()) continue;
    if (w.data() == f) return key.second;
    if (holder == 0 && w->isAncestorOf(f)) holder = key.second;
  }
  return holder;
}

namespace detail {

void registerControl(int16_t window, int16_t id, QWidget* w) {
  if (contentWidget(window) == nullptr || w == nullptr) return;
  registry().controls[{window, id}] = w;
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    b->setAutoDefault(false);
    b->setDefault(id == kDefaultButton);
  }
  if (auto* e = qobject_cast<QLineEdit*>(w)) oneLineField(e);
  connectHits(window, id, w);
}

}  // namespace detail

Rect controlRect(int16_t window, int16_t id) {
  QWidget* w = controlOf(window, id);
  if (w == nullptr) return Rect{};
  const GrafPtr port = windowPort(window);
  const QPoint o = port != nullptr ? port->origin : QPoint();
  const QRect g = w->geometry().translated(o.x(), o.y() - detail::menuBarHeightOf(window));
  return makeRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

std::string controlText(int16_t window, int16_t id) {
  QWidget* w = controlOf(window, id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text().toStdString();
  // A pop-up with no item chosen shows its placeholder text.
  if (auto* c = qobject_cast<QComboBox*>(w))
    return (c->currentIndex() >= 0 ? c->currentText() : c->placeholderText()).toStdString();
  return {};
}

void setButtonHighlight(int16_t window, int16_t id, bool down) {
  if (auto* b = qobject_cast<QPushButton*>(controlOf(window, id))) b->setDown(down);
}

bool buttonHighlighted(int16_t window, int16_t id) {
  auto* b = qobject_cast<QPushButton*>(controlOf(window, id));
  return b != nullptr && b->isDown();
}

void pressButton(int16_t window, int16_t id) {
  if (auto* b = qobject_cast<QAbstractButton*>(controlOf(window, id))) b->click();
}

bool runModalDialog() { return runModalDialogUntilButton() == kDefaultButton; }

int16_t runModalDialogUntilButton() {
  const int16_t n = outputWindow();
  QWidget* w = contentWidget(n);
  if (w == nullptr) return 0;
  ModalLoop loop;
  loop.window = n;
  registry().loops.push_back(&loop);
  ModalAnswers keys(&loop);
  QCoreApplication::instance()->installEventFilter(&keys);
  // The other windows take no input while the box runs.
  const bool wasVisible = w->isVisible();
  if (wasVisible) w->hide();
  w->setWindowModality(Qt::ApplicationModal);
  windowSelect(n);
  while (!loop.done && contentWidget(n) != nullptr) FBHandleEvents();
  QCoreApplication::instance()->removeEventFilter(&keys);
  registry().loops.pop_back();
  if (QWidget* still = contentWidget(n)) {
    still->hide();
    still->setWindowModality(Qt::NonModal);
  }
  return loop.endedBy;
}

int16_t modalLoopWindow() {
  auto& loops = registry().loops;
  return loops.empty() ? int16_t{0} : loops.back()->window;
}

}  // namespace bg
