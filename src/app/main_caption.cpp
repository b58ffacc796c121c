#include "app/main_caption.h"

namespace tamberlin {

std::string captionPrefix(std::string_view title, int major, int minor, int release, std::string_view date,
                          std::string_view time) {
  return std::string(title) + " v" + std::to_string(major) + '.' + std::to_string(minor) + '.' +
         std::to_string(release) + " by Orvane   compiled " + std::string(date) + ' ' + std::string(time) +
         "  ";
}

std::string mainCaption(std::string_view prefix, std::string_view styleName, std::string_view fileName) {
  std::string caption = std::string(prefix) + "  \"" + std::string(styleName) + '"';
  if (!fileName.empty()) caption += "    " + std::string(fileName);
  return caption + ' ';
}

}  // namespace tamberlin
