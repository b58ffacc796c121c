#pragma once

#include <cstdint>
#include <span>

#include "codeplug/list_engine.h"

namespace tamberlin {

class c_codeplug;

inline constexpr int kOneTouchEntryCount = 6;

// The message number an entry sends, or 0 when it sends no text message.
int oneTouchMessage(std::span<const uint8_t> entry);

// The one-touch entries that send a text message, kept pointing at the same
// message when messages are inserted or deleted.
ListReferences& textMessageReferences();

}  // namespace tamberlin
