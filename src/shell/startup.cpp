#include "shell/startup.h"

#include <QApplication>
#include <QMainWindow>

namespace bg {

int runApplication(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tavrik's Backgammon"));
  window.resize(839, 623);
  window.show();
  // The program owns its main loop; closing the board window quits.
  while (window.isVisible()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 33);
  }
  return 0;
}

}  // namespace bg
