#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/list_engine.h"

namespace tamberlin {

class c_codeplug;

// A text message record: all zero, then the trimmed text.
void initTextMessageRecord(std::span<uint8_t> record, std::u16string_view text);

// The text messages of a slot for the list engine, with the fix-up of the
// one-touch entries that send a message.
ListSection textMessageSection(const c_codeplug& slot);

// Writes the blank message with a text at a 0-based index (an empty text: a
// free record); ignored outside the section or without a codeplug.
void initialiseTextMessage(c_codeplug& slot, int index, std::u16string_view text);

// The text of message index + 1 as the list shows it (no no_name substitute).
std::u16string textMessageText(const c_codeplug& slot, int index);

// What an edit of message index + 1 stores: the trimmed text, or "Message N"
// for an empty one. False outside the list.
bool commitTextMessage(c_codeplug& slot, int index, std::u16string_view text);

// Characters an edited message refuses besides the control and non-ASCII ones.
inline constexpr std::u16string_view kTextMessageRefused = u"\"|";

}  // namespace tamberlin
