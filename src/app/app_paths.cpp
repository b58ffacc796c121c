#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/settings_location.h"

namespace tamberlin {

AppPaths appPaths() {
  const QFileInfo executable(QCoreApplication::applicationFilePath());
  const bool writable = QFileInfo(executable.absolutePath()).isWritable();
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const SettingsLocation location =
      settingsLocation(executable.absoluteFilePath().toStdString(), writable, config.toStdString());
  const QString dataDirectory = QString::fromStdString(location.dataDirectory.string());
  if (!writable) QDir().mkpath(dataDirectory);
  return {QString::fromStdString(location.settingsFile.string()), dataDirectory};
}

}  // namespace tamberlin
