#include "app/radio_model_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "codeplug/radio_models.h"
#include "ui/qt_prompt.h"

namespace tamberlin {

TRadioModelForm::TRadioModelForm(QWidget* parent) : QDialog(parent), radioType_(new QComboBox(this)) {
  setObjectName("RadioModelForm");
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  radioType_->setObjectName("RadioTypeComboBox");
  for (const RadioModel& model : radioModels()) {
    if (model.newDialogItem.empty()) continue;
    radioType_->addItem(
        QString::fromUtf8(model.newDialogItem.data(), static_cast<qsizetype>(model.newDialogItem.size())),
        model.code);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  radioType_->setMinimumWidth(260);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->setSpacing(8);
  auto* label = new QLabel(tr("&Radio model of the new codeplug:"), this);
  label->setBuddy(radioType_);
  layout->addWidget(label);
  layout->addWidget(radioType_);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TRadioModelForm::selectedModel() const { return radioType_->currentData().toInt(); }

std::optional<int> TRadioModelForm::chooseModel(const QPoint& position) {
  adjustSize();
  QPoint topLeft = position;
  // Keep the whole dialog on the screen the position is on.
  if (const QScreen* screen = QGuiApplication::screenAt(position)) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
  }
  move(topLeft);
  radioType_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return selectedModel();
}

}  // namespace tamberlin
