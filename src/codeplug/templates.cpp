#include "codeplug/templates.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "codeplug/band_range.h"
#include "codeplug/bcd_frequency.h"
#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/radio_id.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "editors/dtmf/dtmf_model.h"
#include "editors/emergency/emergency_model.h"
#include "editors/gps/gps_model.h"
#include "editors/groups/groups_model.h"
#include "editors/scan_lists/scan_lists_model.h"
#include "editors/text_messages/text_messages_model.h"
#include "editors/zones/zones_model.h"
#include "support/endian.h"

namespace tamberlin {

namespace {

// Programmable key functions, by the codes the radios use.
constexpr uint8_t kUnassigned = 0;
constexpr uint8_t kAllAlertTones = 1;
constexpr uint8_t kTxPower = 4;
constexpr uint8_t kMonitor = 5;
constexpr uint8_t kRepeaterTalkAround = 13;
constexpr uint8_t kScan = 14;
constexpr uint8_t kPrivacy = 22;
constexpr uint8_t kVox = 23;
constexpr uint8_t kZoneNext = 24;
constexpr uint8_t kBatteryIndicator = 26;

// Short and long press of every key position in the buttons block. Each radio
// uses only the positions of its own keys; the others stay unassigned.
using KeyMap = std::array<uint8_t, 16>;

// Upper and lower side button (bytes 2-5).
constexpr KeyMap kSideButtonKeys = {
    kUnassigned, kUnassigned,  // no top button
    kMonitor,    kScan,        // upper side button
    kTxPower,    kZoneNext,    // lower side button
};

// P1 to P4 of the mobile radio (bytes 8-15).
constexpr KeyMap kMobileKeys = {
    kUnassigned, kUnassigned, kUnassigned, kUnassigned,  // no top or side buttons
    kUnassigned, kUnassigned, kUnassigned, kUnassigned,
    kMonitor,    kScan,            // P1
    kTxPower,    kZoneNext,        // P2
    kRepeaterTalkAround, kVox,     // P3
    kPrivacy,    kAllAlertTones,   // P4
};

// Top button, three side buttons, P1 and P2 (bytes 0-11).
constexpr KeyMap kSixKeys = {
    kZoneNext, kBatteryIndicator,       // top button
    kMonitor, kScan,                    // side button 1
    kTxPower, kRepeaterTalkAround,      // side button 2
    kVox, kPrivacy,                     // side button 3
    kAllAlertTones, kUnassigned,        // P1
    kUnassigned, kUnassigned,           // P2
};

// What sets the five templates apart.
struct TemplateFacts {
  TemplateId id;
  int modelCode;  // the model whose layout and type string the template carries
  std::string_view typeString;
  uint8_t variant;
  uint8_t secondVariant;
  uint8_t bandB;  // index into the band list; 0xFF: the radio has one band
  const KeyMap* keys;
};

constexpr uint8_t kBand136To174 = 0;
constexpr uint8_t kBand400To480 = 2;
constexpr uint8_t kNoBand = 0xFF;
constexpr uint8_t kBandA = kBand400To480;  // band A of every template

constexpr std::array<TemplateFacts, kTemplateCount> kTemplates = {{
    {TemplateId::BlankMd390, kModelMd390, "MD390", 0x20, 0x52, kNoBand, &kSideButtonKeys},
    {TemplateId::BlankUv390, kModelUv390, "MD-UV390", 0x23, 0x52, kBand136To174, &kSideButtonKeys},
    {TemplateId::BlankMd9600, kModelMd9600, "MD9600", 0x30, 0x52, kBand136To174, &kMobileKeys},
    {TemplateId::BlankMd2017, kModelMd2017, "2017", 0x21, 0x52, kBand136To174, &kSixKeys},
    {TemplateId::BlankDm1701, kModelDm1701, "DM-1701", 0x22, 0x57, kBand136To174, &kSixKeys},
}};

const TemplateFacts& factsFor(TemplateId id) {
  for (const TemplateFacts& facts : kTemplates) {
    if (facts.id == id) return facts;
  }
  return kTemplates[0];
}

// Band limits as the radio info block holds them; a radio without the band
// keeps them erased.
struct BandLimits {
  uint16_t lower;
  uint16_t upper;
};

BandLimits bandLimits(uint8_t bandIndex) {
  if (bandIndex > 3) return {0xFFFF, 0xFFFF};
  const BandRangeHz range = bandRangeHz(bandIndex);
  return {bandLimitWord(range.low), bandLimitWord(range.high)};
}

std::span<uint8_t> field(std::vector<uint8_t>& bytes, size_t offset, size_t length) {
  return std::span<uint8_t>(bytes).subspan(offset, length);
}

void writeAscii(std::span<uint8_t> destination, std::string_view text) {
  std::copy(text.begin(), text.end(), destination.begin());
}

// One target ("SPI Flash : M25P16") with one element at address 0, as the
// maker's DfuSe tools write it. The UV family keeps the same header even though
// its memory image is larger.
void writeDfuHeader(std::vector<uint8_t>& bytes) {
  using namespace layout;
  writeAscii(field(bytes, kDfuSignature, 5), "DfuSe");
  bytes[kDfuFormatVersion] = 1;
  writeLe32(bytes, kDfuImageSize, 0x40125);
  bytes[kDfuTargetCount] = 1;
  writeAscii(field(bytes, kDfuTargetSignature, 6), "Target");
  bytes[kDfuAlternateSetting] = 1;
  writeLe32(bytes, kDfuTargetNamed, 1);
  std::span<uint8_t> name = field(bytes, kDfuTargetName, kDfuTargetNameSize);
  std::fill(name.begin(), name.end(), uint8_t{0});
  writeAscii(name, "SPI Flash : M25P16");
  writeLe32(bytes, kDfuTargetSize, 0x40008);  // the element and its 8-byte prefix
  writeLe32(bytes, kDfuElementCount, 1);
  writeLe32(bytes, kDfuElementAddress, 0);
  writeLe32(bytes, kDfuElementSize, 0x40000);
}

// No radio has been read into a template: serial number, versions and device
// identity stay erased, which the Basic tab shows as empty.
void writeRadioInfo(std::vector<uint8_t>& bytes, const TemplateFacts& facts) {
  using namespace layout;
  writeAscii(field(bytes, kTypeString, kTypeStringSize), facts.typeString);
  bytes[kModelVariant] = facts.variant;
  bytes[kBandAIndex] = kBandA;
  bytes[kBandBIndex] = facts.bandB;
  bytes[kSecondVariant] = facts.secondVariant;
  const BandLimits a = bandLimits(kBandA);
  const BandLimits b = bandLimits(facts.bandB);
  writeLe16(bytes, kBandALower, a.lower);
  writeLe16(bytes, kBandAUpper, a.upper);
  writeLe16(bytes, kBandBLower, b.lower);
  writeLe16(bytes, kBandBUpper, b.upper);
}

// Last programmed 2018-08-12 14:34:05 by programming software V01.37.
void writeProgrammedStamp(std::vector<uint8_t>& bytes) {
  constexpr std::array<uint8_t, 11> kStamp = {0x20, 0x18, 0x08, 0x12, 0x14, 0x34,
                                              0x05, 0x00, 0x01, 0x03, 0x07};
  std::copy(kStamp.begin(), kStamp.end(), bytes.begin() + layout::kProgrammedStamp);
}

struct ByteDefault {
  size_t offset;
  uint8_t value;
};

// Bits without a meaning are left set, as erased flash has them.
constexpr ByteDefault kGeneralSettings[] = {
    {0x22A5, 0xFF},  // Tx mode "Designed CH + Hand CH", monitor opens squelch, LEDs on
    {0x22A6, 0x2F},  // no talk permit tone, no power-on password, channel free and all
                     // tones on, battery saver on in receive and with preamble
    {0x22A7, 0xFD},  // boot-up screen shows the text lines, no voice announcement
    {0x22A8, 0xFF},  // both UV-family VFO positions start in memory mode
    {0x22AD, 10},    // Tx preamble 600 ms
    {0x22AE, 30},    // group call hang time 3000 ms
    {0x22AF, 40},    // private call hang time 4000 ms
    {0x22B0, 3},     // VOX sensitivity
    {0x22B3, 24},    // low battery alarm every 120 s
    {0x22B4, 0},     // call alert tone continuous
    {0x22B5, 1},     // lone worker response time 1 min
    {0x22B6, 10},    // lone worker reminder 10 s
    {0x22B8, 10},    // scan digital hang time 1000 ms
    {0x22B9, 10},    // scan analogue hang time 1000 ms
    {0x22BA, 0xFD},  // backlight 5 s
    {0x22BB, 0xFF},  // keypad locks manually
    {0x22BC, 0xFF},  // channel mode
    {0x22D0, 0x67},  // UTC, private and group call match on
    {0x22F5, 30},    // channels hang time 3.0 s
    {0x22F7, 0xFB},  // no public zone
    {0x2305, 0xD7},  // radio ID not editable on the radio, mic level 2
};

constexpr size_t kIntroLine1 = 0x2265;
constexpr size_t kIntroLine2 = 0x2279;
constexpr int kIntroLineUnits = 10;
constexpr size_t kRadioName = 0x22D5;
constexpr size_t kRadioId = 0x22A9;
constexpr size_t kPowerOnPassword = 0x22BD;
constexpr uint32_t kDefaultRadioId = 1234;

// The radio programming and PC programming passwords stay erased: none set.
// The three extra UV-family IDs stay erased too, so they show as not set.
void writeGeneralSettings(std::vector<uint8_t>& bytes) {
  for (const ByteDefault& setting : kGeneralSettings) bytes[setting.offset] = setting.value;
  encodeTextField(field(bytes, kIntroLine1, 2 * kIntroLineUnits), kIntroLineUnits, u"Welcome");
  encodeTextField(field(bytes, kIntroLine2, 2 * kIntroLineUnits), kIntroLineUnits, u"Tamberlin");
  encodeTextField(field(bytes, kRadioName, 2 * kNameUnits), kNameUnits, u"My Radio");
  writeRadioId4(field(bytes, kRadioId, 4), kDefaultRadioId);
  // A disabled power-on password keeps zero digits, as the editor leaves it.
  std::span<uint8_t> password = field(bytes, kPowerOnPassword, 4);
  std::fill(password.begin(), password.end(), uint8_t{0});
}

// Every menu entry offered; the menu closes after 10 s.
void writeMenus(std::vector<uint8_t>& bytes) {
  constexpr std::array<ByteDefault, 5> kMenus = {{
      {0x2315, 10},
      {0x2316, 0xFF},
      {0x2317, 0xFF},
      {0x2318, 0xFF},
      {0x2319, 0xF3},  // program radio and GPS are shown when their bits are clear
  }};
  for (const ByteDefault& menu : kMenus) bytes[menu.offset] = menu.value;
}

constexpr size_t kLongPressDuration = 17;
constexpr size_t kOneTouchEntries = 20;
constexpr size_t kQuickContactsEnd = 64;

// One-touch entries and number-key quick contacts are empty (all zero): they
// must not name contacts or messages a blank codeplug does not have.
void writeButtons(std::vector<uint8_t>& bytes, const KeyMap& keys) {
  std::span<uint8_t> block = field(bytes, layout::kButtons, kQuickContactsEnd);
  std::copy(keys.begin(), keys.end(), block.begin());
  block[kLongPressDuration] = 4;  // 1000 ms
  std::fill(block.begin() + kOneTouchEntries, block.end(), uint8_t{0});
}

// Every record of every list is its section's free record, exactly as Load
// rewrites the records after the last used one, so a saved blank codeplug
// opens again without a single byte changed. The privacy keys stay erased
// (unset keys read as all 0xFF).
void writeEmptyLists(c_codeplug& slot, ModelFamily family) {
  for (int i = 0; i < kTextMessageCount; ++i) initTextMessageRecord(slot.textMessage(i), u"");
  for (int i = 0; i < kEmergencySystemCount; ++i) initEmergencySystemRecord(slot.emergencySystem(i), u"");
  for (int i = 0; i < slot.sections.contactCount; ++i) initContactRecord(slot.contact(i), u"");
  for (int i = 0; i < slot.sections.groupListCount; ++i) initGroupListRecord(slot.groupList(i), u"");
  for (int i = 0; i < slot.sections.zoneCount; ++i) {
    initZoneRecords(slot.zone(i), slot.zoneExtension(i), u"");
  }
  for (int i = 0; i < slot.sections.scanListCount; ++i) initScanListRecord(slot.scanList(i), u"");
  for (int i = 0; i < slot.sections.channelCount; ++i) {
    initChannelRecord(slot.channel(i), family, kBandA, u"");
  }
}

// Decoding of remote monitor and radio disable off; remote monitor 10 s, sync
// wake-up time-out 150 ms, 3 wake-up messages.
void writeEmergencyHeader(c_codeplug& slot) {
  std::span<uint8_t> header = slot.bytes(slot.sections.emergency, kEmergencyHeaderSize);
  header[0] = 0xF8;
  header[1] = 10;
  header[2] = 6;  // units of 25 ms
  header[3] = 3;
}

constexpr size_t kDtmfSystems = 4;
constexpr size_t kDtmfSystemSize = 48;
constexpr size_t kDtmfEncodes = 32;
constexpr size_t kDtmfEncodeSize = 16;
constexpr size_t kDtmfBlockSize =
    kDtmfSystems * kDtmfSystemSize + kDtmfEncodes * kDtmfEncodeSize + kDtmfDecodeCount * kDtmfDecodeSize;

// A packed DTMF string with no digits: count 0, every nibble 0xF.
void clearDtmfString(std::span<uint8_t> string) {
  string[0] = 0;
  std::fill(string.begin() + 1, string.begin() + 16, uint8_t{0xFF});
}

// Ordinary DTMF timing in all four systems (300 ms first digit delay, 100 ms
// digits and gaps, D key as itself, 1.0 s next sequence, 10 s auto reset, no
// side tone, PTT ID or group code), no codes, and decode entries that do
// nothing and stay on the selected channel.
void writeDtmf(c_codeplug& slot) {
  std::span<uint8_t> block = slot.bytes(slot.sections.dtmf, kDtmfBlockSize);
  std::fill(block.begin(), block.end(), uint8_t{0xFF});
  for (size_t k = 0; k < kDtmfSystems; ++k) {
    std::span<uint8_t> system = block.subspan(k * kDtmfSystemSize, kDtmfSystemSize);
    constexpr std::array<uint8_t, 9> kTiming = {30, 10, 10, 10, 10, 0, 10, 10, 0x82};
    std::copy(kTiming.begin(), kTiming.end(), system.begin());
    clearDtmfString(system.subspan(16, 16));
    clearDtmfString(system.subspan(32, 16));
  }
  std::span<uint8_t> encodes = block.subspan(kDtmfSystems * kDtmfSystemSize);
  for (size_t k = 0; k < kDtmfEncodes; ++k) {
    clearDtmfString(encodes.subspan(k * kDtmfEncodeSize, kDtmfEncodeSize));
  }
  for (int k = 0; k < kDtmfDecodeCount; ++k) resetDtmfDecodeEntry(slot, k);
}

// Each GPS system is the entry a deleted contact leaves behind: current
// channel, no reports, no destination.
void writeGps(c_codeplug& slot) {
  for (int k = 0; k < kGpsSystemCount; ++k) resetGpsSystem(slot, k);
}

constexpr size_t kVfoRecordSize = 64;
constexpr size_t kVfoStep = 32;
constexpr uint8_t kStep12k5 = 0xF5;  // 12.5 kHz; the high nibble is unused

// VFO A tunes band A and VFO B band B, each at the band's usual calling
// frequency, with the settings of a new channel. The bytes where a channel
// keeps its name are the VFO's step and unused bytes.
void writeVfos(c_codeplug& slot, const TemplateFacts& facts) {
  const std::array<uint8_t, 2> bands = {kBandA, facts.bandB};
  for (size_t k = 0; k < static_cast<size_t>(slot.sections.vfoCount); ++k) {
    std::span<uint8_t> vfo = slot.bytes(slot.sections.vfo + k * kVfoRecordSize, kVfoRecordSize);
    initChannelRecord(vfo, ModelFamily::Uv, bands[k], u"");
    const double mhz = newChannelFrequencyMhz(bands[k]);
    encodeBcdFrequency(vfo.subspan(16, 4), mhz);
    encodeBcdFrequency(vfo.subspan(20, 4), mhz);
    std::fill(vfo.begin() + kVfoStep, vfo.end(), uint8_t{0xFF});
    vfo[kVfoStep] = kStep12k5;
  }
}

// The 256 KiB family ends in a DFU suffix whose CRC covers the whole file;
// the UV family's trailer is left erased.
void writeTrailer(std::vector<uint8_t>& bytes, ModelFamily family) {
  if (family != ModelFamily::Kib256) return;
  const size_t at = bytes.size() - kTrailerSize;
  writeLe16(bytes, at, 0x0200);      // device version
  writeLe16(bytes, at + 2, 0xDF11);  // product
  writeLe16(bytes, at + 4, 0x0483);  // vendor
  writeLe16(bytes, at + 6, 0x011A);  // DFU version the suffix follows
  writeAscii(field(bytes, at + 8, 3), "UFD");
  bytes[at + 11] = kTrailerSize;
  updateTrailerCrc(bytes);
}

}  // namespace

std::vector<uint8_t> buildBlankTemplate(TemplateId id) {
  const TemplateFacts& facts = factsFor(id);
  const ModelFamily family = modelFamily(facts.modelCode);

  c_codeplug slot;
  slot.modelCode = facts.modelCode;
  slot.buffer.assign(familyFileSize(family), 0xFF);
  slot.sections = sectionTableForModel(facts.modelCode);

  writeDfuHeader(slot.buffer);
  writeRadioInfo(slot.buffer, facts);
  writeProgrammedStamp(slot.buffer);
  writeGeneralSettings(slot.buffer);
  writeMenus(slot.buffer);
  writeButtons(slot.buffer, *facts.keys);
  writeEmptyLists(slot, family);
  writeEmergencyHeader(slot);
  writeDtmf(slot);
  writeGps(slot);
  writeVfos(slot, facts);
  writeTrailer(slot.buffer, family);
  return std::move(slot.buffer);
}

}  // namespace tamberlin
