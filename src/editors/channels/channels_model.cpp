#include "editors/channels/channels_model.h"

#include <algorithm>

#include "codeplug/bcd_frequency.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
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
