#pragma once

#include <string>

// Asking the user is a service: core operations that show a message or ask a
// question do it through a Prompt. The application passes one that shows
// message boxes; tests pass a scripted one; the command line prints to stderr.
namespace tamberlin {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
 public:
  virtual ~Prompt() = default;

  virtual PromptAnswer show(PromptIcon icon, const std::string& text,
                            PromptButtons buttons = PromptButtons::Ok,
                            PromptAnswer defaultAnswer = PromptAnswer::Ok) = 0;
  virtual void beep(int frequencyHz, int durationMs) = 0;
  // A box with a title of its own in place of the application title. Where
  // there is no title to show, it is just the box.
  virtual PromptAnswer showTitled(const std::string& title, PromptIcon icon, const std::string& text,
                                  PromptButtons buttons = PromptButtons::Ok,
                                  PromptAnswer defaultAnswer = PromptAnswer::Ok) {
    (void)title;
    return show(icon, text, buttons, defaultAnswer);
  }

  void error(const std::string& text) { show(PromptIcon::Error, text); }
  void information(const std::string& text) { show(PromptIcon::Information, text); }
  // Yes/No with a question icon; No is the default unless said otherwise.
  bool askYesNo(const std::string& text, bool defaultYes = false) {
    return show(PromptIcon::Question, text, PromptButtons::YesNo,
                defaultYes ? PromptAnswer::Yes : PromptAnswer::No) == PromptAnswer::Yes;
  }

  // The user's warning-beep setting: a short tone before every warning prompt.
  void setWarningBeep(bool on) { warningBeep_ = on; }
  bool warningBeep() const { return warningBeep_; }
  // A prompt that warns (unsaved work, passwords): beeps first when enabled.
  PromptAnswer warn(PromptIcon icon, const std::string& text, PromptButtons buttons,
                    PromptAnswer defaultAnswer) {
    if (warningBeep_) beep(440, 100);
    return show(icon, text, buttons, defaultAnswer);
  }
  // A warning Yes/No question; only Yes goes ahead.
  bool confirmWarning(const std::string& text, PromptIcon icon = PromptIcon::Question,
                      bool defaultYes = false) {
    return warn(icon, text, PromptButtons::YesNo, defaultYes ? PromptAnswer::Yes : PromptAnswer::No) ==
           PromptAnswer::Yes;
  }

 private:
  bool warningBeep_ = false;
};

// Shows nothing and answers every question with its default: what an operation
// sees when it runs with its messages turned off.
class SilentPrompt final : public Prompt {
 public:
  PromptAnswer show(PromptIcon, const std::string&, PromptButtons, PromptAnswer defaultAnswer) override {
    return defaultAnswer;
  }
  void beep(int, int) override {}
};

}  // namespace tamberlin
