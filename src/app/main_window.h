#pragma once

#include <QMainWindow>

namespace tamberlin {

class CCommon;

// The program's window. For now it only shows which slots hold a codeplug.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(CCommon& common, QWidget* parent = nullptr);

 private:
  CCommon& common_;
};

}  // namespace tamberlin
