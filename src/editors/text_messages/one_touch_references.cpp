#include "editors/text_messages/one_touch_references.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/section_table.h"
#include "editors/buttons/buttons_model.h"

namespace tamberlin {

namespace {

constexpr size_t kOneTouchEntrySize = 4;
constexpr int kDigitalMode = 1;
constexpr int kTextMessageCall = 1;

template <typename Visit>
void forEachMessageEntry(c_codeplug& slot, Visit visit) {
  for (int k = 0; k < kOneTouchEntryCount; ++k) {
    const std::span<uint8_t> entry = oneTouchEntry(slot, k);
    if (oneTouchMessage(entry) != 0) visit(entry);
  }
}

class TextMessageReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    int count = 0;
    forEachMessageEntry(slot, [&](std::span<uint8_t> entry) { count += entry[1] == number; });
    return {{" one touch button accesses ", count}};
  }

  void clearHolders(c_codeplug& slot, int number) override {
    forEachMessageEntry(slot, [&](std::span<uint8_t> entry) {
      if (entry[1] == number) std::fill(entry.begin(), entry.end(), uint8_t{0});
    });
  }

  void renumberAfterInsert(c_codeplug& slot, int position) override {
    forEachMessageEntry(slot, [&](std::span<uint8_t> entry) {
      if (entry[1] >= position + 1 && entry[1] <= kTextMessageCount) ++entry[1];
    });
  }

  void renumberAfterDelete(c_codeplug& slot, int number) override {
    forEachMessageEntry(slot, [&](std::span<uint8_t> entry) {
      if (entry[1] > number && entry[1] <= kTextMessageCount) --entry[1];
    });
  }

  // Messages are never moved.
  void renumberAfterMove(c_codeplug&, int, int) override {}
};

}  // namespace

int oneTouchMessage(std::span<const uint8_t> entry) {
  if (entry.size() < kOneTouchEntrySize) return 0;
  const int mode = (entry[0] >> 4) & 0x03;
  const int call = entry[0] & 0x03;
  return mode == kDigitalMode && call == kTextMessageCall ? entry[1] : 0;
}

ListReferences& textMessageReferences() {
  static TextMessageReferences references;
  return references;
}

}  // namespace tamberlin
