#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace tamberlin {

enum class WriteStatus {
  Ok,
  CannotCreate,  // the temporary file could not be made, or not put in place
  ShortWrite,    // the disk took fewer bytes than it was given
};

struct AtomicWriteOptions {
  // Pretends the disk fills up after this many bytes, so tests can check that a
  // failed write leaves the old file untouched.
  std::optional<size_t> failAfterBytes;
};

// Writes the bytes to a temporary file in the target's folder, flushes it to the
// disk and renames it over the target. On failure the target is left exactly as
// it was and the temporary file is removed.
WriteStatus writeFileAtomically(const std::filesystem::path& target,
                                std::span<const uint8_t> bytes,
                                const AtomicWriteOptions& options = {});

}  // namespace tamberlin
