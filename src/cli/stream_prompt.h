#pragma once

#include <iosfwd>

#include "support/prompt.h"

namespace tamberlin {

// The command line's prompt: messages are written to a stream (stderr), and
// questions take their default answer.
class StreamPrompt final : public Prompt {
 public:
  explicit StreamPrompt(std::ostream& out) : out_(out) {}
  PromptAnswer show(PromptIcon icon, const std::string& text, PromptButtons buttons,
                    PromptAnswer defaultAnswer) override;
  void beep(int, int) override {}

 private:
  std::ostream& out_;
};

}  // namespace tamberlin
