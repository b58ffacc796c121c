#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tamberlin {

// What an open or save dialog is asked for.
struct FileDialogRequest {
  QString title;
  QString directory;      // where the dialog starts
  QString fileName;       // preset name (save dialogs); may hold a whole path
  QString filter;         // Qt form: "Codeplug files (*.rdt);;All files (*)"
  QString defaultSuffix;  // added when the user types a name without one
};

// Choosing files is a service, so forms can be driven by tests.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
};

class QtFileDialog final : public FileDialog {
 public:
  explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
  void setParentWidget(QWidget* parent) { parent_ = parent; }

  std::optional<QString> openFile(const FileDialogRequest& request) override;
  std::optional<QString> saveFile(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

// The filter every codeplug open and save dialog uses.
QString codeplugFileFilter();

}  // namespace tamberlin
