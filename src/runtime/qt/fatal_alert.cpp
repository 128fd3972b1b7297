#include "runtime/qt/fatal_alert.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "runtime/core/fatal.h"

namespace bg {

void showFatalAlert(const std::string& text) {
  // Only the GUI thread may show a box; elsewhere the standard error line must do.
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr || QThread::currentThread() != app->thread()) return;
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Tavrik's Backgammon"), QString::fromStdString(text));
  box.setInformativeText(QString::fromUtf8(kMustQuitText.data(), static_cast<qsizetype>(kMustQuitText.size())));
  box.addButton(QStringLiteral("Quit"), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace bg
