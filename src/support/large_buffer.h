#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamberlin {

// Reserves room for `size` bytes, asking the system for large pages where it
// has them: a database of 75 MB otherwise costs some 18,000 page faults, which
// on a busy or virtual machine take longer than decompressing it.
void reserveLargeBuffer(std::vector<uint8_t>& buffer, size_t size);

}  // namespace tamberlin
