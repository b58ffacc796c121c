#include <QApplication>
#include <QGuiApplication>

#include "app/app_paths.h"
#include "app/main_form.h"
#include "app/radio_window_placeholder.h"
#include "codeplug/ccommon.h"
#include "ui/file_dialog.h"
#include "ui/qt_prompt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tamberlin::kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral(TAMBERLIN_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("tamberlin"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tamberlin.png")));

  tamberlin::CCommon common(QApplication::applicationDirPath().toStdString(), [] {
    const auto keys = QGuiApplication::queryKeyboardModifiers();
    return keys.testFlag(Qt::ControlModifier) && keys.testFlag(Qt::AltModifier);
  });

  tamberlin::QtPrompt prompt;
  tamberlin::QtFileDialog fileDialog;
  tamberlin::RadioWindowPlaceholder radioWindow;
  tamberlin::TMainForm window({common, prompt, fileDialog, radioWindow, tamberlin::appPaths().settingsFile});
  prompt.setParentWidget(&window);
  fileDialog.setParentWidget(&window);
  window.show();
  return QApplication::exec();
}
