#include "runtime/qt/designed_windows.h"

#include <QFile>
#include <QLayout>
#include <QUiLoader>
#include <QWidget>

#include <algorithm>
#include <memory>

#include "runtime/qt/controls.h"
#include "runtime/qt/windows.h"

namespace bg {

bool openDesignedWindow(int16_t n, std::string_view name) {
  QFile file(QStringLiteral(":/ui/") + QString::fromUtf8(name.data(), static_cast<int>(name.size())) +
             QStringLiteral(".ui"));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QUiLoader loader;
  std::unique_ptr<QWidget> form(loader.load(&file));
  if (form == nullptr) return false;
  const QSize size = form->size().expandedTo(form->minimumSizeHint());
  const std::string title = form->windowTitle().toStdString();
  windowOpen(n, title, makeRect(0, 0, static_cast<int16_t>(size.width()), static_cast<int16_t>(size.height())),
             kFixedWindow, false);
  QWidget* content = contentWidget(n);
  if (content == nullptr) return false;
  QWidget* f = form.release();
  f->setParent(content);
  f->setWindowFlags(Qt::Widget);
  // The form paints its own background over the port's blank image.
  f->setAutoFillBackground(true);
  f->setGeometry(0, detail::menuBarHeightOf(n), size.width(), size.height());
  f->show();
  for (QWidget* w : f->findChildren<QWidget*>()) {
    bool numbered = false;
    const int id = w->property("control").toInt(&numbered);
    if (numbered) detail::registerControl(n, static_cast<int16_t>(id), w);
  }
  return true;
}

void fitDesignedWindow(int16_t n) {
  QWidget* content = contentWidget(n);
  if (content == nullptr) return;
  for (QWidget* form : content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (form->layout() == nullptr) continue;
    // Texts set while the window is hidden leave the layouts' sizes as they were.
    for (QLayout* l : form->findChildren<QLayout*>()) l->invalidate();
    form->layout()->invalidate();
    const QSize need = form->size().expandedTo(form->minimumSizeHint());
    if (need == form->size()) return;
    form->resize(need);
    sizeWindow(n, need.width(), need.height(), true);
    return;
  }
}

void showModalWindow(int16_t n) {
  QWidget* w = contentWidget(n);
  if (w == nullptr) return;
  if (!w->isVisible()) w->setWindowModality(Qt::ApplicationModal);
  windowSelect(n);
}

}  // namespace bg
