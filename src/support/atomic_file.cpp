#include "support/atomic_file.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tamberlin {

namespace {

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target) {
  static std::mt19937_64 random{std::random_device{}()};
  const auto name = target.filename().string() + ".tmp-" + std::to_string(random() % 1000000000);
  return target.parent_path() / name;
}

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Opens a new file that did not exist before, so two writers never share one.
std::FILE* createExclusive(const std::filesystem::path& path) {
  return std::fopen(path.string().c_str(), "wbx");
}

}  // namespace

WriteStatus writeFileAtomically(const std::filesystem::path& target,
                                std::span<const uint8_t> bytes,
                                const AtomicWriteOptions& options) {
  std::filesystem::path temporary;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
    temporary = temporaryPathBeside(target);
    file = createExclusive(temporary);
  }
  if (file == nullptr) return WriteStatus::CannotCreate;

  size_t toWrite = bytes.size();
  if (options.failAfterBytes && *options.failAfterBytes < toWrite) toWrite = *options.failAfterBytes;
  const size_t written = toWrite == 0 ? 0 : std::fwrite(bytes.data(), 1, toWrite, file);
  const bool complete = written == bytes.size() && flushToDisk(file);
  const bool closed = std::fclose(file) == 0;

  std::error_code ignored;
  if (!complete || !closed) {
    std::filesystem::remove(temporary, ignored);
    return WriteStatus::ShortWrite;
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, target, renameError);
  if (renameError) {
    std::filesystem::remove(temporary, ignored);
    return WriteStatus::CannotCreate;
  }
  return WriteStatus::Ok;
}

}  // namespace tamberlin
