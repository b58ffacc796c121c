#include <QApplication>
#include <QGuiApplication>

#include "app/main_window.h"
#include "codeplug/ccommon.h"
#include "ui/qt_prompt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(tamberlin::kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral(TAMBERLIN_VERSION));

  tamberlin::CCommon common(QApplication::applicationDirPath().toStdString(), [] {
    const auto keys = QGuiApplication::queryKeyboardModifiers();
    return keys.testFlag(Qt::ControlModifier) && keys.testFlag(Qt::AltModifier);
  });
  tamberlin::MainWindow window(common);
  window.show();
  return QApplication::exec();
}
