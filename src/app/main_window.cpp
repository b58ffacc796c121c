#include "app/main_window.h"

#include <QLabel>

#include "codeplug/ccommon.h"
#include "ui/qt_prompt.h"

namespace tamberlin {

MainWindow::MainWindow(CCommon& common, QWidget* parent) : QMainWindow(parent), common_(common) {
  setObjectName("MainForm");
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  auto* label = new QLabel(tr(" No Codeplug loaded "), this);
  label->setObjectName("StatusLabel");
  label->setAlignment(Qt::AlignCenter);
  setCentralWidget(label);
  resize(900, 600);
}

}  // namespace tamberlin
