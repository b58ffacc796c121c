#include "ui/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tamberlin {

namespace {

std::optional<QString> run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, request.title, request.directory, request.filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.fileName.isEmpty()) {
    const QFileInfo preset(request.fileName);
    if (preset.isAbsolute()) dialog.setDirectory(preset.absolutePath());
    dialog.selectFile(preset.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen.front());
}

}  // namespace

std::optional<QString> QtFileDialog::openFile(const FileDialogRequest& request) {
  return run(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialog::saveFile(const FileDialogRequest& request) {
  return run(parent_, request, QFileDialog::AcceptSave);
}

QString codeplugFileFilter() { return QStringLiteral("Codeplug files (*.rdt);;All files (*)"); }

}  // namespace tamberlin
