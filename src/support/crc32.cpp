#include "support/crc32.h"

#include <zlib.h>

#include <algorithm>

namespace tamberlin {

uint32_t crc32Running(uint32_t running, std::span<const uint8_t> bytes) {
  // zlib inverts on the way in and out; undoing both gives the bare register.
  uLong crc = ~running & 0xFFFFFFFFu;
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t chunk = std::min<size_t>(bytes.size() - done, 1u << 30);
    crc = ::crc32(crc, bytes.data() + done, static_cast<uInt>(chunk));
    done += chunk;
  }
  return static_cast<uint32_t>(~crc & 0xFFFFFFFFu);
}

}  // namespace tamberlin
