#include "runtime/qt/text_view_window.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTextEdit>

#include <map>

#include "runtime/qt/events.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

// Standard Edit menu positions.
constexpr int kUndoItem = 1;
constexpr int kCutItem = 3;
constexpr int kCopyItem = 4;
constexpr int kPasteItem = 5;
constexpr int kClearItem = 6;

struct TextViewRec {
  QPointer<QTextEdit> view;
  QPointer<QMenuBar> bar;
  QPointer<QMenu> commands;
  QPointer<QMenu> edit;
  TextViewMargins margins;
};

std::map<int16_t, TextViewRec>& views() {
  static std::map<int16_t, TextViewRec> v;
  return v;
}

TextViewRec* recOf(int16_t n) {
  auto it = views().find(n);
  if (it == views().end() || it->second.view.isNull() || contentWidget(n) == nullptr) return nullptr;
  return &it->second;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

void placeView(int16_t n) {
  TextViewRec* rec = recOf(n);
  QWidget* w = contentWidget(n);
  if (rec == nullptr || w == nullptr) return;
  const int bar = detail::menuBarHeightOf(n);
  const TextViewMargins& m = rec->margins;
  rec->view->setGeometry(m.left, bar + m.top, std::max(0, w->width() - m.left - m.right),
                         std::max(0, w->height() - bar - m.top - m.bottom));
}

// Keeps the view filling the window when the user resizes it.
class FollowSize : public QObject {
 public:
  FollowSize(int16_t n, QObject* parent) : QObject(parent), n_(n) {}
  bool eventFilter(QObject* /*obj*/, QEvent* e) override {
    if (e->type() == QEvent::Resize) placeView(n_);
    return false;
  }

 private:
  int16_t n_;
};

void runEdit(QTextEdit* view, int item) {
  switch (item) {
    case kUndoItem: view->undo(); break;
    case kCutItem: view->cut(); break;
    case kCopyItem: view->copy(); break;
    case kPasteItem: view->paste(); break;
    case kClearItem: view->textCursor().removeSelectedText(); break;
    default: break;
  }
}

// Each item reports its number to `chosen`.
template <typename F>
QMenu* buildMenu(QMenuBar* bar, const std::string& title, const std::vector<std::string>& items, F chosen) {
  QMenu* m = bar->addMenu(qs(title));
  int number = 0;
  for (const std::string& item : items) {
    ++number;
    if (item == "-" || item.rfind("(-", 0) == 0) {
      m->addSeparator();
      continue;
    }
    QAction* a = m->addAction(qs(item));
    QObject::connect(a, &QAction::triggered, [chosen, number] { chosen(static_cast<int16_t>(number)); });
  }
  return m;
}

QAction* actionOf(QMenu* m, int16_t item) {
  if (m == nullptr || item < 1 || item > m->actions().size()) return nullptr;
  return m->actions().at(item - 1);
}

}  // namespace

bool openTextViewWindow(const TextViewWindowForm& form) {
  const int16_t n = form.number;
  windowOpen(n, form.title, form.content, kDocumentWindow, false);
  QWidget* w = contentWidget(n);
  if (w == nullptr) return false;
  TextViewRec rec;
  rec.margins = form.margins;
  auto* bar = new QMenuBar;
  if (!form.commandMenuTitle.empty()) {
    const TextViewCommand fn = form.onCommand;
    rec.commands = buildMenu(bar, form.commandMenuTitle, form.commandItems, [n, fn](int16_t item) {
      // From the pump, like every other menu choice.
      if (fn != nullptr) detail::queueTask(true, [n, fn, item] { guarded([&] { fn(n, item); }); });
    });
    for (const auto& [item, keys] : form.commandShortcuts)
      if (QAction* a = actionOf(rec.commands, item)) a->setShortcut(QKeySequence(qs(keys)));
  }
  auto* view = new QTextEdit(w);
  view->setReadOnly(form.readOnly);
  view->setAcceptRichText(true);
  view->setFrameShape(QFrame::NoFrame);
  if (!form.editMenuTitle.empty()) {
    QPointer<QTextEdit> target = view;
    rec.edit = buildMenu(bar, form.editMenuTitle, form.editItems, [target](int16_t item) {
      if (!target.isNull()) runEdit(target, item);
    });
  }
  rec.view = view;
  if (bar->actions().isEmpty()) {
    delete bar;
  } else {
    rec.bar = bar;
    attachMenuBar(n, bar);
  }
  views()[n] = rec;
  w->installEventFilter(new FollowSize(n, view));
  placeView(n);
  view->show();
  windowSelect(n);
  view->setFocus();
  return true;
}

bool textViewExists(int16_t n) { return recOf(n) != nullptr; }

QTextDocument* textViewDocument(int16_t n) {
  TextViewRec* rec = recOf(n);
  return rec == nullptr ? nullptr : rec->view->document();
}

QTextEdit* textViewWidget(int16_t n) {
  TextViewRec* rec = recOf(n);
  return rec == nullptr ? nullptr : rec->view.data();
}

void setTextViewMargins(int16_t n, const TextViewMargins& margins) {
  TextViewRec* rec = recOf(n);
  if (rec == nullptr) return;
  rec->margins = margins;
  placeView(n);
}

void chooseTextViewCommand(int16_t n, int16_t item) {
  TextViewRec* rec = recOf(n);
  if (rec == nullptr) return;
  if (QAction* a = actionOf(rec->commands, item)) a->trigger();
}

void chooseTextViewEdit(int16_t n, int16_t item) {
  TextViewRec* rec = recOf(n);
  if (rec == nullptr) return;
  if (QAction* a = actionOf(rec->edit, item)) a->trigger();
}

std::vector<std::string> textViewMenuTitles(int16_t n) {
  std::vector<std::string> out;
  TextViewRec* rec = recOf(n);
  if (rec == nullptr || rec->bar.isNull()) return out;
  for (QAction* a : rec->bar->actions()) out.push_back(a->text().toStdString());
  return out;
}

}  // namespace bg
