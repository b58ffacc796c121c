#pragma once

#include <string>
#include <string_view>

namespace tamberlin {

// "Tamberlin v1.2.3 by Orvane   compiled Dec  8 2018 10:38:32  ": the start of
// every main window caption.
std::string captionPrefix(std::string_view title, int major, int minor, int release, std::string_view date,
                          std::string_view time);

// The caption for the selected slot: the style in quotes, then the slot's file
// name when it has one.
std::string mainCaption(std::string_view prefix, std::string_view styleName, std::string_view fileName);

}  // namespace tamberlin
