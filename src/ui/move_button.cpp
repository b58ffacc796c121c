#include "ui/move_button.h"

#include <QGuiApplication>

namespace tamberlin {

MoveButton::MoveButton(int distance, int shiftDistance, const QString& hint, QWidget* parent)
    : QToolButton(parent), distance_(distance), shiftDistance_(shiftDistance) {
  setToolTip(hint);
  setArrowType(distance > 0 ? Qt::UpArrow : Qt::DownArrow);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  connect(this, &QToolButton::clicked, this, [this] { emit moveRequested(currentDistance()); });
  connect(this, &QToolButton::pressed, this, [this] { repeat_.press(); });
  connect(this, &QToolButton::released, this, [this] { repeat_.release(); });
}

int MoveButton::currentDistance() const {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier ? shiftDistance_ : distance_;
}

void MoveButton::tick() {
  if (isDown() && repeat_.tick()) emit moveRequested(currentDistance());
}

}  // namespace tamberlin
