#include "cli/stream_prompt.h"

#include <ostream>

namespace tamberlin {

PromptAnswer StreamPrompt::show(PromptIcon, const std::string& text, PromptButtons,
                                PromptAnswer defaultAnswer) {
  out_ << text << '\n';
  return defaultAnswer;
}

}  // namespace tamberlin
