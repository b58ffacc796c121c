#include "codeplug/codeplug_file_access.h"

#include <fstream>

namespace tamberlin {

CodeplugFileAccess defaultCodeplugFileAccess() {
  CodeplugFileAccess access;
  access.open = [](const std::string& path) -> std::unique_ptr<std::istream> {
    return std::make_unique<std::ifstream>(path, std::ios::binary);
  };
  access.allocate = [](size_t size) { return std::vector<uint8_t>(size, 0xFF); };
  access.write = [](const std::string& path, std::span<const uint8_t> bytes) {
    return writeFileAtomically(path, bytes);
  };
  return access;
}

}  // namespace tamberlin
