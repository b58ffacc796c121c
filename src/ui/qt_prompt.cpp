#include "ui/qt_prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace tamberlin {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None: return QMessageBox::NoIcon;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton boxButton(PromptAnswer answer) {
  switch (answer) {
    case PromptAnswer::Ok: return QMessageBox::Ok;
    case PromptAnswer::Cancel: return QMessageBox::Cancel;
    case PromptAnswer::Yes: return QMessageBox::Yes;
    case PromptAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

PromptAnswer answerFor(int button, PromptAnswer fallback) {
  switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: return fallback;
  }
}

}  // namespace

PromptAnswer QtPrompt::show(PromptIcon icon, const std::string& text, PromptButtons buttons,
                            PromptAnswer defaultAnswer) {
  return showTitled(kApplicationTitle, icon, text, buttons, defaultAnswer);
}

PromptAnswer QtPrompt::showTitled(const std::string& title, PromptIcon icon, const std::string& text,
                                  PromptButtons buttons, PromptAnswer defaultAnswer) {
  QMessageBox box(boxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  boxButtons(buttons), parent_);
  box.setDefaultButton(boxButton(defaultAnswer));
  // Closing the box with Esc or the title bar is the cautious answer.
  const PromptAnswer escape = buttons == PromptButtons::Ok ? PromptAnswer::Ok
                              : buttons == PromptButtons::YesNo ? PromptAnswer::No
                                                                : PromptAnswer::Cancel;
  return answerFor(box.exec(), escape);
}

void QtPrompt::beep(int, int) { QApplication::beep(); }

}  // namespace tamberlin
