#include "editors/emergency/emergency_model.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/channel_number_field.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "support/endian.h"
#include "support/prompt.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

constexpr size_t kRevertChannel = 36;

// Channels select a system by number in byte 10; only digital channels use it.
class EmergencyReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    int count = 0;
    forEachChannel(slot, [&](ChannelRecord channel) {
      if (channel.isDigital() && channel.emergencySystem() == number) ++count;
    });
    return {{" channels ", count}};
  }
  void clearHolders(c_codeplug& slot, int number) override {
    forEachChannel(slot, [&](ChannelRecord channel) {
      if (channel.isDigital() && channel.emergencySystem() == number) channel.setEmergencySystem(0);
    });
  }
  void renumberAfterInsert(c_codeplug&, int) override {}  // systems are only appended
  void renumberAfterDelete(c_codeplug& slot, int number) override {
    forEachChannel(slot, [&](ChannelRecord channel) {
      const int v = channel.emergencySystem();
      if (v > number && v <= kEmergencySystemCount) channel.setEmergencySystem(static_cast<uint8_t>(v - 1));
    });
  }
  void renumberAfterMove(c_codeplug& slot, int from, int to) override {
    const int low = std::min(from, to) + 1;
    const int high = std::max(from, to) + 1;
    forEachChannel(slot, [&](ChannelRecord channel) {
      if (textFieldIsEmpty(channel.name())) return;
      const int v = channel.emergencySystem();
      if (v < 1 || v > kEmergencySystemCount) return;
      if (v == from + 1) {
        channel.setEmergencySystem(static_cast<uint8_t>(to + 1));
      } else if (v >= low && v <= high) {
        channel.setEmergencySystem(static_cast<uint8_t>(from < to ? v - 1 : v + 1));
      }
    });
  }

 private:
  template <typename Visit>
  static void forEachChannel(c_codeplug& slot, Visit visit) {
    for (int i = 0; i < slot.sections.channelCount; ++i) {
      ChannelRecord channel(slot.channel(i));
      if (channel.valid()) visit(channel);
    }
  }
};

EmergencyReferences emergencyReferences;

}  // namespace

void initEmergencySystemRecord(std::span<uint8_t> system, std::u16string_view name) {
  std::fill(system.begin(), system.end(), uint8_t{0xFF});
  system[33] = 15;
  system[34] = 5;
  system[35] = 10;
  system[36] = 0;
  system[37] = 0;
  encodeTextField(system, kNameUnits, trimmed(name));
}

uint16_t emergencyRevertChannel(std::span<const uint8_t> system) {
  return readChannelNumber(system, kRevertChannel);
}

void setEmergencyRevertChannel(std::span<uint8_t> system, uint16_t channel) {
  writeChannelNumber(system, kRevertChannel, channel);
}

ListSection emergencyListSection(const c_codeplug& slot) {
  ListSection section;
  section.layout = listSectionLayout(slot.sections, ListSectionId::EmergencySystems);
  section.counterText = "Emergency Systems   used ";
  section.upToText = "Emergency Systems .. up to ";
  section.newName = u"New system";
  section.lastName = u"System 1";
  section.singular = "emergency system";
  section.questionIcon = PromptIcon::Information;
  section.initialise = [](c_codeplug& s, int index, std::u16string_view name) {
    const std::span<uint8_t> system = s.emergencySystem(index);
    if (!system.empty()) initEmergencySystemRecord(system, name);
  };
  section.references = &emergencyReferences;
  return section;
}

int deleteEmergencySystem(c_codeplug& slot, int number) {
  const ListSection section = emergencyListSection(slot);
  SilentPrompt silent;
  return ListEngine(slot, section).deleteRecord(number, false, silent);
}

}  // namespace tamberlin
