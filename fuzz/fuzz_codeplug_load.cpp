// Codeplug files as Load takes them: size check, type string, validation,
// Place and the load normalisation, then the read-only checks on the result.
//
// Input layout (every part optional; an empty input loads a blank template):
//   byte 0   bits 0-2  template (mod 5)
//            bit  3    Ctrl+Alt held while loading (reaches the TP660 rule)
//            bits 4-5  0/1: overlay on the template
//                      2:   the input itself, zero-padded or cut to the size
//                      3:   overlay, after writing a known type string
//   byte 1   anchor the overlay offset counts from (section starts, see below);
//            with mode 3 its high nibble also picks the type string
//   byte 2-3 offset from the anchor, little-endian (anchor 0: bytes 2-4, 24 bits)
//   rest     bytes copied over the template from that offset, clipped at its end

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/list_section.h"
#include "codeplug/load_normalization.h"
#include "codeplug/radio_models.h"
#include "support/prompt.h"

namespace {

using namespace tamberlin;
using namespace std::string_view_literals;

bool gCtrlAndAltHeld = false;

CCommon& common() {
  // Building the templates is the expensive part; once per process is enough.
  static CCommon instance({}, [] { return gCtrlAndAltHeld; });
  return instance;
}

// Where the interesting structures begin, so a short input can land deep in
// the image instead of only ever rewriting the header.
constexpr std::array<size_t, 16> kAnchors = {
    0,
    layout::kTypeString,
    layout::kModelVariant,
    layout::kProgrammedStamp,
    layout::kGeneralSettings,
    layout::kTextMessages,
    layout::kEmergency,
    layout::kKib256Contacts,
    layout::kGroupLists,
    layout::kZones,
    layout::kScanLists,
    layout::kKib256Channels,
    layout::kUvZoneExtension,
    layout::kUvChannels,
    layout::kUvContacts,
    layout::kDtmf,
};

constexpr std::array<std::string_view, 12> kTypeStrings = {
    "DR780"sv, "MD390"sv, "MD-UV380"sv, "MD-UV390"sv, "MD9600"sv, "2017"sv, "DM-1701"sv,
    "TP660"sv, "tp660\x01x"sv, "md-uv390\xff"sv, ""sv, "\x1f" "DM-1701\x00X"sv,
};

[[noreturn]] void fault(const char* what) {
  // A broken invariant is as much a finding as a crash.
  std::fprintf(stderr, "invariant broken: %s\n", what);
  __builtin_trap();
}

// Builds the file into `bytes`, reusing its storage: buffers this size are
// mapped afresh by the sanitizer's allocator, which costs more than the load.
void shapeInput(const uint8_t* data, size_t size, std::vector<uint8_t>& bytes) {
  const uint8_t control = size > 0 ? data[0] : 0;
  const auto templateId = static_cast<TemplateId>((control & 7) % kTemplateCount);
  const int mode = (control >> 4) & 3;
  const std::vector<uint8_t>& blank = common().blankTemplate(templateId);

  if (mode == 2) {
    bytes.assign(blank.size(), 0);
    const size_t n = size > 1 ? std::min(size - 1, bytes.size()) : 0;
    if (n > 0) std::memcpy(bytes.data(), data + 1, n);
    return;
  }

  bytes.assign(blank.begin(), blank.end());
  const uint8_t anchorByte = size > 1 ? data[1] : 0;
  if (mode == 3) {
    const std::string_view type = kTypeStrings[(anchorByte >> 4) % kTypeStrings.size()];
    std::memset(bytes.data() + layout::kTypeString, 0, layout::kTypeStringSize);
    std::memcpy(bytes.data() + layout::kTypeString, type.data(),
                std::min(type.size(), layout::kTypeStringSize));
  }
  const size_t anchor = kAnchors[anchorByte % kAnchors.size()];
  size_t at = 2;
  size_t offset = 0;
  const size_t offsetBytes = anchor == 0 ? 3 : 2;
  for (size_t i = 0; i < offsetBytes && at < size; ++i, ++at) offset |= size_t{data[at]} << (8 * i);
  offset += anchor;
  if (at < size && offset < bytes.size()) {
    const size_t n = std::min(size - at, bytes.size() - offset);
    std::memcpy(bytes.data() + offset, data + at, n);
  }
}

void checkLoadedSlot(const c_codeplug& slot, const std::vector<uint8_t>& input) {
  if (!slot.holdsCodeplug()) fault("load succeeded but the slot is empty");
  if (slot.buffer.size() != input.size()) fault("load changed the buffer size");
  if (familyFileSize(modelFamily(slot.modelCode)) != slot.buffer.size()) fault("model and size disagree");
  if (validateCodeplug(slot.buffer) != 0) fault("normalisation broke the file header");
  // Normalisation only touches the list sections, never the radio info block.
  if (readTypeString(slot.buffer) != readTypeString(input)) fault("normalisation changed the type string");
  (void)trailerCrcIsValid(slot.buffer);
  (void)codeplugHasPasswords(slot.buffer);

  for (const ListSectionLayout& layout : listSectionLayouts(slot.sections)) {
    const int used = usedCount(slot, layout);
    if (used < 0 || used > layout.capacity) fault("used count outside the section");
  }

  // A loaded codeplug is already normal: a second pass must change nothing.
  static c_codeplug again;
  again.modelCode = slot.modelCode;
  again.sections = slot.sections;
  again.buffer.assign(slot.buffer.begin(), slot.buffer.end());
  normaliseLoadedCodeplug(again);
  if (again.buffer != slot.buffer) fault("load normalisation is not idempotent");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CCommon& cc = common();
  gCtrlAndAltHeld = size > 0 && (data[0] & 0x08) != 0;

  static std::vector<uint8_t> input;
  shapeInput(data, size, input);

  // Every run starts from an empty slot, so no run depends on the one before.
  cc.place(0, kModelNone, std::string(), {});
  SilentPrompt prompt;
  const int result = cc.loadBytes(0, "fuzz.rdt", input, false, prompt);
  const c_codeplug& slot = *cc.slot(0);
  if (result == 0) {
    checkLoadedSlot(slot, input);
  } else if (result > 0 || result < -11) {
    fault("load returned a code it does not document");
  }
  return 0;
}
