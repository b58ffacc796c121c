#pragma once

#include <QTabWidget>

namespace tamberlin {

// A tab control with its tabs down the left side and their captions written
// across, so many tabs stay readable without scrolling.
class SideTabWidget final : public QTabWidget {
  Q_OBJECT

 public:
  explicit SideTabWidget(QWidget* parent = nullptr);
};

}  // namespace tamberlin
