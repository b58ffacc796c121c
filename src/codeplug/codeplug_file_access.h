#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "support/atomic_file.h"

namespace tamberlin {

// How Load and Save reach the disk. The defaults open real files and replace
// them atomically; tests swap one part to make a step fail.
struct CodeplugFileAccess {
  // nullptr or a stream that is not good: the file could not be opened.
  std::function<std::unique_ptr<std::istream>(const std::string& path)> open;
  // A buffer of `size` bytes of 0xFF; may throw std::bad_alloc.
  std::function<std::vector<uint8_t>(size_t size)> allocate;
  std::function<WriteStatus(const std::string& path, std::span<const uint8_t> bytes)> write;
};

CodeplugFileAccess defaultCodeplugFileAccess();

}  // namespace tamberlin
