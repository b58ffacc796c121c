#include "cli/codeplug_info.h"

#include <sstream>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/list_section.h"
#include "support/cp1252.h"

namespace tamberlin {

namespace {

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace

CodeplugInfo describeSlot(const CCommon& common, int slotIndex, const std::vector<uint8_t>& fileBytes) {
  CodeplugInfo info;
  const c_codeplug* slot = common.slot(slotIndex);
  if (slot == nullptr || !slot->holdsCodeplug()) return info;
  info.modelCode = slot->modelCode;
  if (const RadioModel* model = radioModel(slot->modelCode)) info.modelName = std::string(model->basicTabItem);
  if (info.modelName.empty()) info.modelName = "TP660";
  info.typeString = cp1252ToUtf8(readTypeString(fileBytes));
  info.fileSize = fileBytes.size();
  info.hasTrailerCrc = modelFamily(slot->modelCode) == ModelFamily::Kib256;
  info.trailerCrcValid = info.hasTrailerCrc && trailerCrcIsValid(fileBytes);
  for (const ListSectionLayout& layout : listSectionLayouts(slot->sections)) {
    info.usedCounts.emplace_back(std::string(layout.name), usedCount(*slot, layout));
  }
  info.normalised = slot->buffer != fileBytes;
  return info;
}

std::string infoText(const CodeplugInfo& info) {
  std::ostringstream out;
  out << "model: " << info.modelCode << " " << info.modelName << "\n";
  out << "type string: " << info.typeString << "\n";
  out << "file size: " << info.fileSize << "\n";
  out << "trailer CRC: " << (info.hasTrailerCrc ? (info.trailerCrcValid ? "valid" : "wrong") : "none")
      << "\n";
  for (const auto& [section, count] : info.usedCounts) out << section << ": " << count << "\n";
  out << "normalised on load: " << (info.normalised ? "yes" : "no") << "\n";
  return out.str();
}

std::string infoJson(const CodeplugInfo& info) {
  std::ostringstream out;
  out << "{\"model_code\":" << info.modelCode << ",\"model_name\":" << jsonString(info.modelName)
      << ",\"type_string\":" << jsonString(info.typeString) << ",\"file_size\":" << info.fileSize
      << ",\"trailer_crc\":"
      << (info.hasTrailerCrc ? (info.trailerCrcValid ? "\"valid\"" : "\"wrong\"") : "null")
      << ",\"used\":{";
  bool first = true;
  for (const auto& [section, count] : info.usedCounts) {
    out << (first ? "" : ",") << jsonString(section) << ":" << count;
    first = false;
  }
  out << "},\"normalised\":" << (info.normalised ? "true" : "false") << "}\n";
  return out.str();
}

}  // namespace tamberlin
