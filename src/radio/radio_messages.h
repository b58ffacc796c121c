#pragma once

#include <string>

// What the programming window says to the user.
namespace tamberlin::radio_messages {

inline constexpr const char* kNoCodeplug = " No Codeplug loaded ";
inline constexpr const char* kNormalModeNeeded =
    "You need to have the radio in normal user mode. \r\n\nPlease switch it off and on again.";
inline constexpr const char* kDiscardUnsaved = "Unsaved code plug. \n\nDiscard it ? ";
inline constexpr const char* kNotEnoughMemory = "Not enough memory.";
inline constexpr const char* kReadFailed = "Failed to read the codeplug.";
inline constexpr const char* kWriteFailed = "Could not write the codeplug ";
inline constexpr const char* kBusy = "Currently busy reading/writing with the radio. ";

// " Codeplug 2 .. name.rdt ", or " Codeplug 2 .. empty " for a slot without a file name.
std::string codeplugSlotText(int slot, const std::string& fileName);

}  // namespace tamberlin::radio_messages
