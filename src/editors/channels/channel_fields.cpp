#include "editors/channels/channel_fields.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "codeplug/band_range.h"
#include "codeplug/bcd_frequency.h"
#include "codeplug/c_codeplug.h"
#include "codeplug/text_field.h"
#include "codeplug/tone_word.h"
#include "editors/channels/channel_record.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

struct BitField {
  size_t byte;
  int shift;
  int width;
};

int getBits(std::span<const uint8_t> r, BitField f) { return (r[f.byte] >> f.shift) & ((1 << f.width) - 1); }

void setBits(std::span<uint8_t> r, BitField f, int value) {
  const int mask = ((1 << f.width) - 1) << f.shift;
  r[f.byte] = static_cast<uint8_t>((r[f.byte] & ~mask) | ((value << f.shift) & mask));
}

struct Flag {
  ChannelField field;
  BitField bits;
  bool inverted;  // the radio stores 0 for on
};

constexpr Flag kFlags[] = {
    {ChannelField::TalkAround, {1, 0, 1}, false},
    {ChannelField::RxOnly, {1, 1, 1}, false},
    {ChannelField::Vox, {4, 4, 1}, false},
    {ChannelField::LoneWorker, {0, 7, 1}, false},
    {ChannelField::AutoScan, {0, 4, 1}, false},
    {ChannelField::ReverseBurst, {4, 2, 1}, false},
    {ChannelField::CompressedUdp, {3, 6, 1}, true},
    {ChannelField::EmergencyAlarmAck, {3, 3, 1}, false},
    {ChannelField::PrivateCallConfirmed, {2, 6, 1}, false},
    {ChannelField::DataCallConfirmed, {2, 7, 1}, false},
    {ChannelField::Decode1, {14, 0, 1}, false},
    {ChannelField::Decode2, {14, 1, 1}, false},
    {ChannelField::Decode3, {14, 2, 1}, false},
    {ChannelField::Decode4, {14, 3, 1}, false},
    {ChannelField::Decode5, {14, 4, 1}, false},
    {ChannelField::Decode6, {14, 5, 1}, false},
    {ChannelField::Decode7, {14, 6, 1}, false},
    {ChannelField::Decode8, {14, 7, 1}, false},
    {ChannelField::DisplayPttId, {3, 7, 1}, true},
    {ChannelField::TxGpsInfo, {31, 0, 1}, true},
    {ChannelField::RxGpsInfo, {31, 1, 1}, true},
};

// Fields stored as a plain number in some bits, the same in both families.
struct Plain {
  ChannelField field;
  BitField bits;
};

constexpr Plain kPlain[] = {
    {ChannelField::RxRefFrequency, {3, 0, 2}},  {ChannelField::TxRefFrequency, {4, 0, 2}},
    {ChannelField::AdmitCriteria, {4, 6, 2}},   {ChannelField::ScanList, {11, 0, 8}},
    {ChannelField::TxTimeOut, {8, 0, 8}},       {ChannelField::RekeyDelay, {9, 0, 8}},
    {ChannelField::RxSignalling, {28, 0, 8}},   {ChannelField::TxSignalling, {29, 0, 8}},
    {ChannelField::InCallCriteria, {5, 4, 2}},  {ChannelField::EmergencySystem, {10, 0, 8}},
    {ChannelField::VoiceEncryption, {2, 0, 6}}, {ChannelField::GpsSystem, {13, 0, 5}},
    {ChannelField::GroupList, {12, 0, 8}},      {ChannelField::ColourCode, {1, 4, 4}},
};

constexpr BitField kModeBits{0, 0, 2};
constexpr BitField kBandwidthBits{0, 2, 2};
constexpr BitField kKib256Power{4, 5, 1};
constexpr BitField kUvPower{30, 0, 2};
constexpr BitField kKib256Squelch{0, 5, 1};
constexpr BitField kKib256TailReversal{4, 3, 1};
constexpr BitField kUvTailReversal{5, 0, 2};
constexpr BitField kNonQt{5, 6, 2};
constexpr BitField kTimeSlot{1, 2, 2};
constexpr size_t kUvSquelchLevel = 15;
constexpr size_t kContact = 6;
constexpr size_t kRxTone = 24;
constexpr size_t kTxTone = 26;
constexpr size_t kDcdm = 31;
constexpr uint8_t kDcdmOff = 0x08;
constexpr uint8_t kDcdmMs = 0x10;
constexpr int kUvPowerValues[] = {0, 2, 3};

const Flag* findFlag(ChannelField field) {
  for (const Flag& f : kFlags) {
    if (f.field == field) return &f;
  }
  return nullptr;
}

const Plain* findPlain(ChannelField field) {
  for (const Plain& p : kPlain) {
    if (p.field == field) return &p;
  }
  return nullptr;
}

std::vector<FieldChoice> numbered(int from, int to, const std::string& suffix, int firstValue = -1) {
  std::vector<FieldChoice> choices;
  int value = firstValue < 0 ? from : firstValue;
  for (int n = from; n <= to; ++n) choices.push_back({std::to_string(n) + suffix, value++});
  return choices;
}

std::vector<FieldChoice> prepended(FieldChoice first, std::vector<FieldChoice> rest) {
  rest.insert(rest.begin(), std::move(first));
  return rest;
}

std::vector<FieldChoice> texts(std::initializer_list<const char*> items) {
  std::vector<FieldChoice> choices;
  int value = 0;
  for (const char* item : items) choices.push_back({item, value++});
  return choices;
}

bool isSeparator(char c) { return c == '.' || c == ','; }

std::optional<double> parseNumber(std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> readChannelField(std::span<const uint8_t> r, ModelFamily family, ChannelField field) {
  if (r.size() < 32) return std::nullopt;
  const bool uv = family == ModelFamily::Uv;
  if (const Flag* f = findFlag(field)) return getBits(r, f->bits) ^ (f->inverted ? 1 : 0);
  if (const Plain* p = findPlain(field)) {
    const int v = getBits(r, p->bits);
    const bool slider = field == ChannelField::RxRefFrequency || field == ChannelField::TxRefFrequency;
    if (slider && v > 2) return std::nullopt;
    return v;
  }
  switch (field) {
    case ChannelField::Mode: return getBits(r, kModeBits) == ChannelRecord::kDigital ? 1 : 0;
    case ChannelField::Bandwidth: return getBits(r, kBandwidthBits) == 0 ? 0 : 1;
    case ChannelField::TxPower: {
      if (!uv) return getBits(r, kKib256Power);
      const int v = getBits(r, kUvPower);
      const auto* at = std::find(std::begin(kUvPowerValues), std::end(kUvPowerValues), v);
      if (at == std::end(kUvPowerValues)) return std::nullopt;
      return static_cast<int>(at - std::begin(kUvPowerValues));
    }
    case ChannelField::Squelch:
      if (!uv) return getBits(r, kKib256Squelch) == 1 ? 0 : 1;
      if (r[kUvSquelchLevel] > 9) return std::nullopt;
      return r[kUvSquelchLevel];
    case ChannelField::RxTone: return normalisedToneWord(readLe16(r, kRxTone));
    case ChannelField::TxTone: return normalisedToneWord(readLe16(r, kTxTone));
    case ChannelField::TailReversal: return uv ? getBits(r, kUvTailReversal) : getBits(r, kKib256TailReversal);
    case ChannelField::NonQtTurnOff:
      if (!uv) return std::nullopt;
      return getBits(r, kNonQt);
    case ChannelField::Dcdm:
      if (!uv) return std::nullopt;
      if (r[kDcdm] & kDcdmOff) return 0;
      return (r[kDcdm] & kDcdmMs) ? 2 : 1;
    case ChannelField::Contact: return readLe16(r, kContact);
    case ChannelField::TimeSlot: {
      const int slot = getBits(r, kTimeSlot);
      if (slot != 1 && slot != 2) return std::nullopt;
      return slot - 1;
    }
    default: return std::nullopt;
  }
}

void writeChannelField(std::span<uint8_t> r, ModelFamily family, ChannelField field, int value) {
  if (r.size() < 32) return;
  const bool uv = family == ModelFamily::Uv;
  if (const Flag* f = findFlag(field)) {
    setBits(r, f->bits, (value != 0) ^ f->inverted);
    return;
  }
  if (const Plain* p = findPlain(field)) {
    setBits(r, p->bits, value);
    return;
  }
  switch (field) {
    case ChannelField::Mode: setBits(r, kModeBits, value ? ChannelRecord::kDigital : ChannelRecord::kAnalogue); break;
    case ChannelField::Bandwidth: setBits(r, kBandwidthBits, value ? 2 : 0); break;
    case ChannelField::TxPower:
      if (uv) {
        setBits(r, kUvPower, kUvPowerValues[std::clamp(value, 0, 2)]);
      } else {
        setBits(r, kKib256Power, value);
      }
      break;
    case ChannelField::Squelch:
      if (uv) {
        r[kUvSquelchLevel] = static_cast<uint8_t>(std::clamp(value, 0, 9));
      } else {
        setBits(r, kKib256Squelch, value == 0 ? 1 : 0);
      }
      break;
    case ChannelField::RxTone: writeLe16(r, kRxTone, static_cast<uint16_t>(value)); break;
    case ChannelField::TxTone: writeLe16(r, kTxTone, static_cast<uint16_t>(value)); break;
    case ChannelField::TailReversal:
      setBits(r, uv ? kUvTailReversal : kKib256TailReversal, uv ? value : value & 1);
      break;
    case ChannelField::NonQtTurnOff:
      if (uv) setBits(r, kNonQt, value);
      break;
    case ChannelField::Dcdm:
      if (!uv) break;
      if (value == 0) {
        r[kDcdm] |= kDcdmOff;
      } else if (value == 1) {
        r[kDcdm] &= static_cast<uint8_t>(~(kDcdmOff | kDcdmMs));
      } else {
        r[kDcdm] = static_cast<uint8_t>((r[kDcdm] & ~kDcdmOff) | kDcdmMs);
      }
      break;
    case ChannelField::Contact: writeLe16(r, kContact, static_cast<uint16_t>(value)); break;
    case ChannelField::TimeSlot: setBits(r, kTimeSlot, value ? 2 : 1); break;
    default: break;
  }
}

std::optional<int> commonChannelField(const std::vector<std::span<uint8_t>>& records, ModelFamily family,
                                      ChannelField field) {
  if (records.empty()) return std::nullopt;
  const std::optional<int> first = readChannelField(records.front(), family, field);
  for (size_t i = 1; i < records.size(); ++i) {
    if (readChannelField(records[i], family, field) != first) return std::nullopt;
  }
  return first;
}

std::vector<FieldChoice> channelFieldChoices(ChannelField field, ModelFamily family) {
  const bool uv = family == ModelFamily::Uv;
  switch (field) {
    case ChannelField::TxPower: return uv ? texts({"Low", "Mid", "High"}) : texts({"Low", "High"});
    case ChannelField::RxRefFrequency:
    case ChannelField::TxRefFrequency: return texts({"Low", "Mid", "High"});
    case ChannelField::Squelch: return uv ? numbered(0, 9, " ") : texts({"Normal ", "Hard "});
    case ChannelField::TxTimeOut: {
      std::vector<FieldChoice> choices = {{"Infinite ", 0}};
      for (int n = 1; n <= 37; ++n) choices.push_back({std::to_string(15 * n) + " secs", n});
      return choices;
    }
    case ChannelField::RekeyDelay: return prepended({"None", 0}, numbered(1, 255, " secs"));
    case ChannelField::RxTone:
    case ChannelField::TxTone: {
      std::vector<FieldChoice> choices;
      for (const ToneChoice& tone : toneChoices()) choices.push_back({tone.text, tone.word});
      return choices;
    }
    case ChannelField::TailReversal:
      return uv ? texts({"180 deg ", "120 deg ", "240 deg ", "Silent "}) : texts({"180 deg ", "120 deg "});
    case ChannelField::NonQtTurnOff: return {{"259.2 Hz ", 0}, {"55.2 Hz ", 1}, {"None ", 3}};
    case ChannelField::RxSignalling:
    case ChannelField::TxSignalling: return texts({"Off ", "DTMF 1 ", "DTMF 2 ", "DTMF 3 ", "DTMF 4 "});
    case ChannelField::InCallCriteria:
      return uv ? texts({"Always ", "Follow Admit Criteria ", "Tx Interrupt "})
                : texts({"Always ", "Follow Admit Criteria "});
    case ChannelField::VoiceEncryption: {
      std::vector<FieldChoice> choices = {{"None ", 0}};
      for (int k = 1; k <= 16; ++k) choices.push_back({"Basic " + std::to_string(k) + " ", 0x10 | (k - 1)});
      for (int k = 1; k <= 8; ++k) choices.push_back({"Enhanced " + std::to_string(k) + " ", 0x20 | (k - 1)});
      return choices;
    }
    case ChannelField::GpsSystem: return prepended({"None ", 0}, numbered(1, 16, " "));
    case ChannelField::Dcdm: return texts({"Off ", "Leader ", "MS "});
    case ChannelField::ColourCode: return numbered(0, 15, " ");
    default: return {};
  }
}

std::vector<FieldChoice> admitCriteriaChoices(const std::vector<std::span<uint8_t>>& records) {
  bool allDigital = !records.empty();
  bool allAnalogue = !records.empty();
  for (const std::span<uint8_t>& r : records) {
    const bool digital = ChannelRecord(r).isDigital();
    allDigital = allDigital && digital;
    allAnalogue = allAnalogue && !digital;
  }
  std::vector<FieldChoice> choices = {{"Always ", 0}, {"Channel Free ", 1}};
  if (!allDigital) choices.push_back({"Correct CTCSS / CDCSS ", 2});
  if (!allAnalogue) choices.push_back({"Colour Code ", 3});
  return choices;
}

std::vector<FieldChoice> nameListChoices(const c_codeplug& slot, ListSectionId section, std::string_view none) {
  std::vector<FieldChoice> choices = {{std::string(none), 0}};
  const ListSectionLayout layout = listSectionLayout(slot.sections, section);
  const int used = slot.holdsCodeplug() ? usedCount(slot, layout) : 0;
  for (int i = 0; i < used; ++i) {
    const auto record = listRecord(slot, layout, i);
    choices.push_back({utf16ToUtf8(decodeTextField(record.subspan(layout.nameOffset), layout.nameUnits, -1)), i + 1});
  }
  return choices;
}

std::optional<int> parseFrequencyEntry(std::string_view text, ModelFamily family, uint8_t bandAIndex,
                                       uint8_t bandBIndex) {
  std::string whole;
  std::string fraction;
  bool separated = false;
  for (char c : text) {
    if (isSeparator(c)) {
      separated = true;
    } else if (c >= '0' && c <= '9') {
      if (!separated) {
        whole += c;
      } else if (fraction.size() < 6) {
        fraction += c;
      }
    }
  }
  std::string digits = whole + fraction;
  if (digits.empty()) return std::nullopt;
  int separatorAt = static_cast<int>(whole.size());
  const size_t zeros = std::min(digits.find_first_not_of('0'), digits.size());
  digits.erase(0, zeros);
  separatorAt -= static_cast<int>(zeros);
  while (static_cast<int>(digits.size()) - separatorAt < 6 && digits.size() < 9) digits += '0';
  int hz = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), hz);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  const BandRangeHz a = bandRangeHz(bandAIndex);
  if (family == ModelFamily::Uv) {
    const BandRangeHz b = bandRangeHz(bandBIndex);
    if ((hz >= a.low && hz <= a.high) || (hz >= b.low && hz <= b.high)) return hz;
  }
  return std::clamp(hz, a.low, a.high);
}

void encodeFrequencyHz(std::span<uint8_t> bytes, int hz) {
  if (bytes.size() < 4) return;
  char text[16];
  std::snprintf(text, sizeof text, "%09d", std::max(hz, 0));
  auto pair = [&](int at) { return static_cast<uint8_t>(((text[at] - '0') << 4) | (text[at + 1] - '0')); };
  bytes[3] = pair(0);
  bytes[2] = pair(2);
  bytes[1] = pair(4);
  bytes[0] = pair(6);
}

std::string frequencyFieldText(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || readLe32(bytes) == 0) return {};
  return bcdFrequencyText(bytes);
}

std::string offsetText(std::string_view rxText, std::string_view txText) {
  const auto rx = parseNumber(rxText);
  const auto tx = parseNumber(txText);
  if (!rx || !tx || *rx == *tx) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%+0.5f", *tx - *rx);
  return text;
}

bool frequencyCharacterAccepted(char c, std::string_view current) {
  if (static_cast<unsigned char>(c) < 0x20) return true;
  if (c >= '0' && c <= '9') return true;
  if (!isSeparator(c)) return false;
  return std::none_of(current.begin(), current.end(), isSeparator);
}

}  // namespace tamberlin
