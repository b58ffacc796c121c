#include <QApplication>
#include <QGuiApplication>

#include "app/app_paths.h"
#include "app/main_form.h"
#include "codeplug/ccommon.h"
#include "databases/curl_http_client.h"
#include "databases/server_settings.h"
#include "radio/program_radio_form.h"
#include "support/clock.h"
#include "support/ini_document.h"
#include "ui/database_services.h"
#include "ui/file_dialog.h"
#include "ui/qt_prompt.h"

namespace {

// [Radio] Simulated=1 lists a simulated radio beside the real ones, so the
// programming window can be tried without a radio on the cable.
bool simulatedRadioWanted(const tamberlin::IniDocument& settings) {
  const auto value = settings.value("Radio", "Simulated");
  return value && *value == "1";
}

}  // namespace

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

  const tamberlin::AppPaths paths = tamberlin::appPaths();
  const QString& settingsFile = paths.settingsFile;
  const tamberlin::IniDocument settings = tamberlin::readIniFile(settingsFile.toStdString());
  tamberlin::QtPrompt prompt;
  tamberlin::QtFileDialog fileDialog;
  tamberlin::CurlHttpClient http;
  const tamberlin::DatabaseServices databases{paths.dataDirectory.toStdString(),
                                              tamberlin::readServerSettings(settings), http,
                                              tamberlin::SteadyClock::instance(), fileDialog};
  tamberlin::TProgramRadioForm radioWindow(common, prompt, simulatedRadioWanted(settings));
  tamberlin::TMainForm window({common, prompt, fileDialog, radioWindow, settingsFile, &databases});
  prompt.setParentWidget(&window);
  fileDialog.setParentWidget(&window);
  window.show();
  return QApplication::exec();
}
