#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// List blocks on the system clipboard, one MIME type per format name.
namespace tamberlin {

// "tyt_code_plug_channel_entry" -> "application/x-tyt-code-plug-channel-entry".
QString clipboardMimeType(std::string_view formatName);

// False when the clipboard could not take the data.
bool putClipboardBlock(std::string_view formatName, const std::vector<uint8_t>& block);
bool clipboardHasBlock(std::string_view formatName);
// Drops the clipboard's contents when they hold a block of this format.
void removeClipboardBlock(std::string_view formatName);
// The block's bytes, or nothing when the clipboard holds none of this format.
std::optional<std::vector<uint8_t>> clipboardBlock(std::string_view formatName);

}  // namespace tamberlin
