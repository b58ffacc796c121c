#pragma once

#include <QToolButton>

#include "codeplug/list_engine.h"

namespace tamberlin {

// A move button: a click moves once; held down it repeats on the editor's
// 25 ms tick. Shift picks the larger distance, for the click and every repeat.
class MoveButton : public QToolButton {
  Q_OBJECT

 public:
  // `distance` > 0 moves up.
  MoveButton(int distance, int shiftDistance, const QString& hint, QWidget* parent);

  // Called on every tick of the editor's 25 ms timer.
  void tick();

 signals:
  void moveRequested(int distance);

 private:
  int currentDistance() const;

  int distance_;
  int shiftDistance_;
  MoveRepeat repeat_;
};

}  // namespace tamberlin
