#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/radio_models.h"
#include "support/prompt.h"

namespace tamberlin::bench {

// Says Yes to every question, so deletes run through their reference checks.
class YesPrompt final : public Prompt {
 public:
  PromptAnswer show(PromptIcon, const std::string&, PromptButtons, PromptAnswer) override {
    return PromptAnswer::Yes;
  }
  void beep(int, int) override {}
};

// Slot 0 with a new UV390 codeplug, the family with the largest lists.
inline c_codeplug* newUvSlot(CCommon& common, Prompt& prompt) {
  return common.newCodeplug(0, kModelUv390, prompt) == 0 ? common.slot(0) : nullptr;
}

inline double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace tamberlin::bench
