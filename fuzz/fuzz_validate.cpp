// The file-level checks Load runs before it trusts a buffer, over bytes of any
// length: they must only ever read inside what they are given.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/codeplug_file.h"
#include "codeplug/radio_models.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tamberlin;
  const std::span<const uint8_t> bytes(data, size);

  const int status = validateCodeplug(bytes);
  if (status > 0 || status < -6) {
    std::fprintf(stderr, "validateCodeplug returned %d\n", status);
    __builtin_trap();
  }
  const std::string typeString = readTypeString(bytes);
  if (typeString.size() > 16) __builtin_trap();
  const int model = modelCodeForTypeString(typeString);
  if (model == kModelTp660 || (model != kModelNone && radioModel(model) == nullptr)) __builtin_trap();
  // The type string is also looked up straight from untrusted text.
  (void)modelCodeForTypeString(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)trailerCrcIsValid(bytes);
  (void)codeplugHasPasswords(bytes);
  return 0;
}
