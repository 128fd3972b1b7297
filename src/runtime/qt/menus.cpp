#include "runtime/qt/menus.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <map>
#include <memory>

#include "runtime/core/shutdown.h"
#include "runtime/qt/events.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/windows.h"

namespace bg {

namespace {

constexpr const char* kItemTextProperty = "itemText";
// Menus inside menus go no deeper than this; a cycle cannot make the reachability walk spin.
constexpr int kMostMenuNesting = 8;

struct MenuRec {
  std::unique_ptr<QMenu> menu;
  std::map<int16_t, int16_t> hosts;  // submenu number -> host item
};

struct MenuRegistry {
  std::map<int16_t, MenuRec> menus;
  std::vector<int16_t> barMenus;
  int16_t barWindow = 0;
  QPointer<QMenuBar> bar;
};

// Lives until the process ends; its menus go before the application object does.
MenuRegistry& registry() {
  static MenuRegistry* r = [] {
    auto* made = new MenuRegistry;
    addShutdownHook([made] {
      made->menus.clear();
      made->barMenus.clear();
    });
    return made;
  }();
  return *r;
}

QMenu* menuOf(int16_t menu) {
  auto& m = registry().menus;
  auto it = m.find(menu);
  return it == m.end() ? nullptr : it->second.menu.get();
}

QAction* itemOf(int16_t menu, int16_t item) {
  QMenu* m = menuOf(menu);
  if (m == nullptr || item < 1) return nullptr;
  const QList<QAction*> actions = m->actions();
  return item <= actions.size() ? actions.at(item - 1) : nullptr;
}

// Each action reports its own number when chosen, so inserted items renumber by position.
void connectItem(int16_t menu, QAction* a) {
  QObject::connect(a, &QAction::triggered, [menu, a](bool checked) {
    // The program keeps the check marks: a choice it refuses must not flip one.
    if (a->isCheckable()) a->setChecked(!checked);
    QMenu* m = menuOf(menu);
    if (m == nullptr) return;
    const auto index = m->actions().indexOf(a);
    if (index >= 0) postMenuSelection(menu, static_cast<int16_t>(index + 1));
  });
}

// A disabled line ("(-..."): a plain separator on screen (a separator with a text shows
// it as a heading), its text kept aside for whoever reads the item.
QAction* makeDisabledLine(QMenu* m, const QString& text) {
  auto* a = new QAction(m);
  a->setSeparator(true);
  a->setEnabled(false);
  a->setProperty(kItemTextProperty, text);
  return a;
}

QAction* makeItem(int16_t menu, QMenu* m, const QString& text) {
  if (text == QStringLiteral("-")) return m->addSeparator();
  if (text.startsWith(QStringLiteral("(-"))) {
    QAction* a = makeDisabledLine(m, text);
    m->addAction(a);
    return a;
  }
  auto* a = new QAction(text, m);
  connectItem(menu, a);
  return a;
}

void rebuildBar() {
  auto& r = registry();
  if (r.bar.isNull()) return;
  r.bar->clear();
  for (int16_t id : r.barMenus) {
    if (QMenu* m = menuOf(id)) r.bar->addMenu(m);
  }
}

}  // namespace

bool loadMenu(int16_t menu) {
  QByteArray bytes;
  if (!readResourceFile(QStringLiteral("text/menus/%1.txt").arg(menu), bytes)) return false;
  QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) return false;
  MenuRec rec;
  rec.menu = std::make_unique<QMenu>(lines.takeFirst().trimmed());
  int16_t item = 0;
  for (const QString& line : lines) {
    ++item;
    const auto tab = line.indexOf(QLatin1Char('\t'));
    QString text = tab < 0 ? line : line.left(tab);
    const QString attrs = tab < 0 ? QString() : line.mid(tab + 1);
    const bool disabled = text.startsWith(QLatin1Char('(')) && !text.startsWith(QStringLiteral("(-"));
    if (disabled) text.remove(0, 1);
    QAction* a = makeItem(menu, rec.menu.get(), text);
    if (!a->isSeparator()) rec.menu->addAction(a);
    if (disabled) a->setEnabled(false);
    for (const QString& attr : attrs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      if (attr.startsWith(QLatin1Char('^')) && attr.size() == 2) {
        a->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + attr.at(1)));
      } else if (attr.startsWith(QLatin1Char('>'))) {
        rec.hosts[static_cast<int16_t>(attr.mid(1).toInt())] = item;
      } else if (attr == QStringLiteral("!")) {
        a->setCheckable(true);
        a->setChecked(true);
      }
    }
  }
  auto& r = registry();
  r.menus[menu] = std::move(rec);
  rebuildBar();
  return true;
}

bool menuExists(int16_t menu) { return menuOf(menu) != nullptr; }

QMenu* menuWidget(int16_t menu) { return menuOf(menu); }

std::vector<int16_t> loadMenuBarList(int16_t bar) {
  std::vector<int16_t> ids;
  QByteArray bytes;
  if (!readResourceFile(QStringLiteral("text/menubars/%1.txt").arg(bar), bytes)) return ids;
  for (const QString& word : QString::fromUtf8(bytes).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
    ids.push_back(static_cast<int16_t>(word.toInt()));
  }
  return ids;
}

namespace {

// A press on the bar is a click on the window holding it: that window comes to the front
// before the menu opens, as a window manager makes it on any click. Without one, or with
// the activation held back while the menu is open, the choice would be taken as made in
// the window that was in front before (the note pad), where About and others do nothing.
class BarPress : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* obj, QEvent* e) override {
    const int16_t n = registry().barWindow;
    if (e->type() == QEvent::MouseButtonPress && obj == registry().bar.data() && frontWindow() != n &&
        !modalWindowUp())
      windowActivate(n);
    return false;
  }
};

}  // namespace

void setMenuBar(int16_t window, const std::vector<int16_t>& menus) {
  auto& r = registry();
  r.barMenus = menus;
  // Before the window exists the bar waits for the next call.
  if (!windowExists(window)) return;
  if (r.barWindow != window || r.bar.isNull() || detail::menuBarHeightOf(window) == 0) {
    r.barWindow = window;
    r.bar = new QMenuBar;
    r.bar->installEventFilter(new BarPress(r.bar));
    // Filled first: the window makes room for the bar's height.
    rebuildBar();
    attachMenuBar(window, r.bar);
    return;
  }
  rebuildBar();
}

std::vector<int16_t> menuBarMenus() { return registry().barMenus; }

void removeMenuFromBar(int16_t menu) {
  auto& ids = registry().barMenus;
  ids.erase(std::remove(ids.begin(), ids.end(), menu), ids.end());
  rebuildBar();
}

// The item that hosts submenu sub in the first menu naming it, or nullptr.
QAction* hostItemOf(int16_t sub) {
  for (auto& [host, rec] : registry().menus) {
    auto it = rec.hosts.find(sub);
    if (it != rec.hosts.end()) return itemOf(host, it->second);
  }
  return nullptr;
}

bool insertSubmenu(int16_t sub) {
  QMenu* m = menuOf(sub);
  QAction* a = m == nullptr ? nullptr : hostItemOf(sub);
  if (a == nullptr) return false;
  a->setMenu(m);
  a->setEnabled(true);
  return true;
}

bool submenuInserted(int16_t sub) {
  QMenu* m = menuOf(sub);
  QAction* a = m == nullptr ? nullptr : hostItemOf(sub);
  return a != nullptr && a->menu() == m;
}

int16_t menuItemCount(int16_t menu) {
  QMenu* m = menuOf(menu);
  return m == nullptr ? int16_t{0} : static_cast<int16_t>(m->actions().size());
}

std::string menuTitle(int16_t menu) {
  QMenu* m = menuOf(menu);
  return m == nullptr ? std::string() : m->title().toStdString();
}

std::string menuItemText(int16_t menu, int16_t item) {
  QAction* a = itemOf(menu, item);
  if (a == nullptr) return {};
  const QVariant kept = a->property(kItemTextProperty);
  if (kept.isValid()) return kept.toString().toStdString();
  if (a->isSeparator() && a->text().isEmpty()) return "-";
  return a->text().toStdString();
}

void setMenuItemText(int16_t menu, int16_t item, std::string_view text) {
  if (QAction* a = itemOf(menu, item))
    a->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void setMenuItemEnabled(int16_t menu, int16_t item, bool enabled) {
  if (item == 0) {
    if (QMenu* m = menuOf(menu)) m->menuAction()->setEnabled(enabled);
    return;
  }
  if (QAction* a = itemOf(menu, item)) a->setEnabled(enabled);
}

bool menuItemEnabled(int16_t menu, int16_t item) {
  if (item == 0) {
    QMenu* m = menuOf(menu);
    return m != nullptr && m->menuAction()->isEnabled();
  }
  QAction* a = itemOf(menu, item);
  return a != nullptr && a->isEnabled();
}

namespace {

bool actionReachable(const QAction* a, int depth) {
  if (!a->isEnabled()) return false;
  const QList<QObject*> owners = a->associatedObjects();
  bool inMenu = false;
  for (QObject* o : owners) {
    auto* m = qobject_cast<QMenu*>(o);
    if (m == nullptr) continue;
    inMenu = true;
    if (depth < kMostMenuNesting && actionReachable(m->menuAction(), depth + 1)) return true;
  }
  // A menu bar's own menus and pop-ups that belong to no menu end the chain.
  return !inMenu;
}

}  // namespace

bool menuItemReachable(int16_t menu, int16_t item) {
  QMenu* m = menuOf(menu);
  if (m == nullptr) return true;
  const QAction* a = item == 0 ? m->menuAction() : itemOf(menu, item);
  return a == nullptr || actionReachable(a, 0);
}

void setMenuItemChecked(int16_t menu, int16_t item, bool checked) {
  QAction* a = itemOf(menu, item);
  if (a == nullptr || a->isSeparator()) return;
  // An item that never had a mark gets no empty box by losing one.
  if (!checked && !a->isCheckable()) return;
  a->setCheckable(true);
  a->setChecked(checked);
}

bool menuItemChecked(int16_t menu, int16_t item) {
  QAction* a = itemOf(menu, item);
  return a != nullptr && a->isChecked();
}

void checkMenuItemOnly(int16_t menu, int16_t item) {
  for (int16_t i = 1; i <= menuItemCount(menu); ++i) {
    QAction* a = itemOf(menu, i);
    if (a->isSeparator()) continue;
    if (i == item || a->isChecked()) setMenuItemChecked(menu, i, i == item);
  }
}

std::string menuItemShortcut(int16_t menu, int16_t item) {
  QAction* a = itemOf(menu, item);
  return a == nullptr ? std::string() : a->shortcut().toString().toStdString();
}

void chooseMenuItem(int16_t menu, int16_t item) {
  if (QAction* a = itemOf(menu, item)) a->trigger();
}

void appendMenuItem(int16_t menu, std::string_view text) {
  insertMenuItem(menu, menuItemCount(menu), text);
}

void insertMenuItem(int16_t menu, int16_t after, std::string_view text) {
  QMenu* m = menuOf(menu);
  if (m == nullptr) return;
  QString t = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  QAction* a = nullptr;
  if (t.startsWith(QStringLiteral("(-"))) {
    a = makeDisabledLine(m, t);
  } else {
    a = new QAction(t, m);
    connectItem(menu, a);
  }
  const QList<QAction*> actions = m->actions();
  QAction* before = after >= 0 && after < actions.size() ? actions.at(after) : nullptr;
  m->insertAction(before, a);
}

}  // namespace bg
