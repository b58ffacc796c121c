#include "editors/channels/channels_model.h"

#include <algorithm>
#include <cstdio>

#include "codeplug/bcd_frequency.h"
#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/list_section.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/channels/channel_references.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {
constexpr size_t kRxFrequency = 16;
constexpr size_t kTxFrequency = 20;
constexpr size_t kName = 32;
}  // namespace

double newChannelFrequencyMhz(uint8_t bandAIndex) {
  switch (bandAIndex) {
    case 0: return 145.0;
    case 1: return 350.0;
    case 2: return 430.0;
    default: return 450.0;
  }
}

void initChannelRecord(std::span<uint8_t> record, ModelFamily family, uint8_t bandAIndex,
                       std::u16string_view name) {
  const bool uv = family == ModelFamily::Uv;
  std::fill(record.begin(), record.end(), uint8_t{0xFF});
  record[0] = 0x61;
  record[1] = 0x14;
  record[2] = 0x00;
  record[3] = 0xE1;
  record[4] = uv ? 0x29 : 0x01;
  record[5] = uv ? 0xC0 : 0xC3;
  record[6] = 0;
  record[7] = 0;
  record[8] = 4;
  std::fill(record.begin() + 9, record.begin() + 13, uint8_t{0});
  record[13] = 0x80;
  record[14] = 0;
  record[15] = uv ? 1 : 0xFF;
  const double mhz = newChannelFrequencyMhz(bandAIndex);
  encodeBcdFrequency(record.subspan(kRxFrequency, 4), mhz);
  encodeBcdFrequency(record.subspan(kTxFrequency, 4), mhz);
  record[28] = 0;
  record[29] = 0;
  record[30] = uv ? 0xFE : 0xFF;
  encodeTextField(record.subspan(kName), kNameUnits, trimmed(name));
}

}  // namespace tamberlin

namespace tamberlin {

namespace {

ModelFamily familyOf(const c_codeplug& slot) { return modelFamily(slot.modelCode); }

uint8_t bandAIndexOf(const c_codeplug& slot) {
  const auto index = slot.bytes(layout::kBandAIndex, 1);
  return index.empty() ? 0 : index[0];
}

}  // namespace

ListSection channelListSection(const c_codeplug& slot) {
  ListSection section;
  section.layout = listSectionLayout(slot.sections, ListSectionId::Channels);
  section.counterText = "Channels  used ";
  section.upToText = "Channels .. up to ";
  section.newName = u"New channel";
  section.lastName = u"Channel 1";
  section.singular = "channel";
  section.formatName = "tyt_code_plug_channel_entry";
  section.initialise = [](c_codeplug& s, int index, std::u16string_view name) { initialiseChannel(s, index, name); };
  section.references = &channelReferences();
  return section;
}

void initialiseChannel(c_codeplug& slot, int index, std::u16string_view name) {
  if (!slot.holdsCodeplug()) return;
  const std::span<uint8_t> record = slot.channel(index);
  if (record.empty()) return;
  initChannelRecord(record, familyOf(slot), bandAIndexOf(slot), name);
}

void makeDigitalChannel(c_codeplug& slot, std::span<uint8_t> record, std::u16string_view name, int timeSlot,
                        int colourCode, int64_t rxHz, int64_t txHz) {
  if (record.size() < kChannelRecordSize) return;
  initChannelRecord(record, familyOf(slot), bandAIndexOf(slot), name);
  record[1] = static_cast<uint8_t>((record[1] & 0x03) | (std::clamp(timeSlot, 1, 2) << 2) |
                                   (std::clamp(colourCode, 0, 15) << 4));
  encodeBcdFrequency(record.subspan(kRxFrequency, 4), static_cast<double>(rxHz) / 1000000.0);
  encodeBcdFrequency(record.subspan(kTxFrequency, 4), static_cast<double>(txHz) / 1000000.0);
  record[0] = static_cast<uint8_t>((record[0] & ~0x03) | ChannelRecord::kDigital);
}

int insertChannel(c_codeplug& slot, int position) {
  const ListSection section = channelListSection(slot);
  return ListEngine(slot, section).insert(position);
}

int moveChannel(c_codeplug& slot, int index, int distance) {
  const ListSection section = channelListSection(slot);
  return ListEngine(slot, section).moveRecord(index, distance);
}

int deleteChannel(c_codeplug& slot, int number, bool ask, Prompt& prompt) {
  const ListSection section = channelListSection(slot);
  return ListEngine(slot, section).deleteRecord(number, ask, prompt);
}

}  // namespace tamberlin

namespace tamberlin {

std::u16string channelSearchKey(std::u16string_view text) { return lowerCased(trimmed(text)); }

bool channelNameMatches(std::u16string_view name, std::u16string_view key) {
  return !key.empty() && lowerCased(name).find(key) != std::u16string::npos;
}

std::string channelNumberCell(int number, std::u16string_view name, std::u16string_view key) {
  char text[16];
  std::snprintf(text, sizeof text, channelNameMatches(name, key) ? "*%5d" : " %5d", number);
  return text;
}

std::u16string channelName(const c_codeplug& slot, int index) {
  const ListSectionLayout layout = listSectionLayout(slot.sections, ListSectionId::Channels);
  const auto record = listRecord(slot, layout, index);
  if (record.empty()) return {};
  return decodeTextField(record.subspan(layout.nameOffset), layout.nameUnits, -1);
}

std::vector<int> channelSearchMatches(const c_codeplug& slot, std::u16string_view key) {
  std::vector<int> rows;
  if (key.empty() || !slot.holdsCodeplug()) return rows;
  const int used = usedCount(slot, listSectionLayout(slot.sections, ListSectionId::Channels));
  for (int i = 0; i < used; ++i) {
    if (channelNameMatches(channelName(slot, i), key)) rows.push_back(i);
  }
  return rows;
}

}  // namespace tamberlin
