#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/list_section.h"
#include "codeplug/radio_models.h"

namespace tamberlin {

class c_codeplug;

// The fields of a channel record that have a control of their own (switches,
// sliders and drop-downs). A VFO record shares bytes 0-31 with them.
enum class ChannelField {
  Mode, Bandwidth, TxPower, RxRefFrequency, TxRefFrequency, Squelch,
  AdmitCriteria, ScanList, TxTimeOut, RekeyDelay, RxTone, TxTone, TailReversal, NonQtTurnOff,
  RxSignalling, TxSignalling, InCallCriteria, EmergencySystem, VoiceEncryption, GpsSystem, Dcdm,
  Contact, GroupList, ColourCode, TimeSlot,
  TalkAround, RxOnly, Vox, LoneWorker, AutoScan, ReverseBurst, CompressedUdp, EmergencyAlarmAck,
  PrivateCallConfirmed, DataCallConfirmed,
  Decode1, Decode2, Decode3, Decode4, Decode5, Decode6, Decode7, Decode8,
  DisplayPttId, TxGpsInfo, RxGpsInfo,
};

// What a control shows for the record: a switch 0 off / 1 on, a slider its
// position, a drop-down the value of its choice. Nothing when the stored value
// has no display of its own.
std::optional<int> readChannelField(std::span<const uint8_t> record, ModelFamily family, ChannelField field);
// Writes a control's value, leaving every other bit of the record as it was.
// Fields of the other family are left alone.
void writeChannelField(std::span<uint8_t> record, ModelFamily family, ChannelField field, int value);

// The value every record shows, or nothing when they differ (a mixed field)
// or there are no records.
std::optional<int> commonChannelField(const std::vector<std::span<uint8_t>>& records, ModelFamily family,
                                      ChannelField field);

struct FieldChoice {
  std::string text;
  int value;
};

// The fixed choices of a drop-down, or the position labels of a slider; empty
// for switches and the name lists.
std::vector<FieldChoice> channelFieldChoices(ChannelField field, ModelFamily family);

// "Correct CTCSS / CDCSS " is offered unless every record is digital, "Colour
// Code " unless every record is analogue.
std::vector<FieldChoice> admitCriteriaChoices(const std::vector<std::span<uint8_t>>& records);

// `none` (value 0), then every used record of the section by name, value its number.
std::vector<FieldChoice> nameListChoices(const c_codeplug& slot, ListSectionId section, std::string_view none);

// The frequency entry: the typed text as Hz, limited to the bands of the radio
// info block; nothing when it holds no number.
std::optional<int> parseFrequencyEntry(std::string_view text, ModelFamily family, uint8_t bandAIndex,
                                       uint8_t bandBIndex);
// Stores Hz as 8 BCD digits of 10 Hz (the last Hz digit is dropped).
void encodeFrequencyHz(std::span<uint8_t> bytes, int hz);
// What a frequency field shows: the decoded digits, or nothing for a stored 0.
std::string frequencyFieldText(std::span<const uint8_t> bytes);
// Tx minus rx as "%+0.5f"; empty when equal or either is not a number.
std::string offsetText(std::string_view rxText, std::string_view txText);

// Whether a typed character may go into a frequency field holding `current`.
bool frequencyCharacterAccepted(char c, std::string_view current);

}  // namespace tamberlin
