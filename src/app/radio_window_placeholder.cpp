#include "app/radio_window_placeholder.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/qt_prompt.h"

namespace tamberlin {

RadioWindowPlaceholder::RadioWindowPlaceholder(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("RadioWindowPlaceholder");
  setWindowTitle(QString::fromUtf8(kApplicationTitle) + tr(" - radio"));
  auto* label = new QLabel(tr("Reading and writing a radio comes with radio support,\n"
                              "which this build of the program does not have yet."),
                           this);
  label->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  resize(420, 160);
}

void RadioWindowPlaceholder::openForSlot(int) {
  show();
  raise();
  activateWindow();
}

}  // namespace tamberlin
