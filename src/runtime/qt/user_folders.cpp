#include "runtime/qt/user_folders.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "runtime/core/files.h"

namespace bg {

bool initUserFolders() {
  // The folder names follow the application name, not the executable's.
  QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationName));
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const bool dataOk = setDataFolder(data.toStdString());
  const bool configOk = setPreferencesFolder(config.toStdString());
  return dataOk && configOk;
}

}  // namespace bg
