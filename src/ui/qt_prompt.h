#pragma once

#include "support/prompt.h"

class QWidget;

namespace tamberlin {

// Message boxes titled with the application title, with the icon and default
// button the caller asks for.
class QtPrompt final : public Prompt {
 public:
  explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}
  // Boxes are centred on this window (the main window, once it exists).
  void setParentWidget(QWidget* parent) { parent_ = parent; }
  PromptAnswer show(PromptIcon icon, const std::string& text, PromptButtons buttons,
                    PromptAnswer defaultAnswer) override;
  PromptAnswer showTitled(const std::string& title, PromptIcon icon, const std::string& text,
                          PromptButtons buttons, PromptAnswer defaultAnswer) override;
  void beep(int frequencyHz, int durationMs) override;

 private:
  QWidget* parent_;
};

inline constexpr const char* kApplicationTitle = "Tamberlin";

}  // namespace tamberlin
