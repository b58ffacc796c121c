#pragma once

#include <deque>
#include <string>
#include <vector>

#include "support/prompt.h"

namespace tamberlin::test {

// Records every message and question, and answers from a script; once the
// script runs out each question gets its default answer.
class ScriptedPrompt final : public Prompt {
 public:
  struct Shown {
    PromptIcon icon;
    std::string text;
    PromptButtons buttons;
    PromptAnswer defaultAnswer;
    std::string title;  // empty: the application title
  };

  void answerNext(PromptAnswer answer) { script_.push_back(answer); }

  PromptAnswer show(PromptIcon icon, const std::string& text, PromptButtons buttons,
                    PromptAnswer defaultAnswer) override {
    shown.push_back({icon, text, buttons, defaultAnswer, {}});
    if (script_.empty()) return defaultAnswer;
    const PromptAnswer answer = script_.front();
    script_.pop_front();
    return answer;
  }
  PromptAnswer showTitled(const std::string& title, PromptIcon icon, const std::string& text,
                          PromptButtons buttons, PromptAnswer defaultAnswer) override {
    const PromptAnswer answer = show(icon, text, buttons, defaultAnswer);
    shown.back().title = title;
    return answer;
  }
  void beep(int frequencyHz, int durationMs) override { beeps.push_back({frequencyHz, durationMs}); }

  std::vector<std::string> texts() const {
    std::vector<std::string> all;
    for (const Shown& s : shown) all.push_back(s.text);
    return all;
  }

  std::vector<Shown> shown;
  std::vector<std::pair<int, int>> beeps;

 private:
  std::deque<PromptAnswer> script_;
};

}  // namespace tamberlin::test
