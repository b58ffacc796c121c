#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "ui/file_dialog.h"

namespace tamberlin::test {

// Records every dialog a form asked for and answers from a script; once the
// script runs out every dialog is cancelled.
class ScriptedFileDialog final : public FileDialog {
 public:
  struct Asked {
    bool save;
    FileDialogRequest request;
  };

  void chooseNext(const QString& path) { script_.push_back(path); }
  void cancelNext() { script_.push_back(std::nullopt); }

  std::optional<QString> openFile(const FileDialogRequest& request) override {
    return answer(false, request);
  }
  std::optional<QString> saveFile(const FileDialogRequest& request) override { return answer(true, request); }

  std::vector<Asked> asked;

 private:
  std::optional<QString> answer(bool save, const FileDialogRequest& request) {
    asked.push_back({save, request});
    if (script_.empty()) return std::nullopt;
    std::optional<QString> next = script_.front();
    script_.pop_front();
    return next;
  }

  std::deque<std::optional<QString>> script_;
};

}  // namespace tamberlin::test
