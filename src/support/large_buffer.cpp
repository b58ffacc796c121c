#include "support/large_buffer.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tamberlin {

void reserveLargeBuffer(std::vector<uint8_t>& buffer, size_t size) {
  buffer.reserve(size);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  if (buffer.capacity() < 2 * kHugePage) return;
  const auto start = reinterpret_cast<uintptr_t>(buffer.data());
  const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (start + buffer.capacity()) & ~(kHugePage - 1);
  // Only advice: where the system declines, the buffer works as before.
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

}  // namespace tamberlin
