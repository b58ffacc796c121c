#pragma once

#include <cstdint>
#include <span>

#include "codeplug/list_engine.h"

namespace tamberlin {

class c_codeplug;

inline constexpr int kOneTouchEntryCount = 6;

// One-touch entry k (0-based, 4 bytes) of the buttons block; empty without one.
std::span<uint8_t> oneTouchEntry(c_codeplug& slot, int k);
// The message number an entry sends, or 0 when it sends no text message.
int oneTouchMessage(std::span<const uint8_t> entry);

// The one-touch entries that send a text message, kept pointing at the same
// message when messages are inserted or deleted.
ListReferences& textMessageReferences();

}  // namespace tamberlin
