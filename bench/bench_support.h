#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "support/prompt.h"

namespace tamberlin::bench {

// Says Yes to every question, so deletes run through their reference checks.
class YesPrompt final : public Prompt {
 public:
  PromptAnswer show(PromptIcon, const std::string&, PromptButtons, PromptAnswer) override { return PromptAnswer::Yes; }
  void beep(int, int) override {}
};

inline double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace tamberlin::bench
