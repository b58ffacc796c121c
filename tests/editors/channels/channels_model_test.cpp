#include "editors/channels/channels_model.h"

#include <gtest/gtest.h>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/dtmf/dtmf_model.h"
#include "editors/emergency/emergency_model.h"
#include "editors/gps/gps_model.h"
#include "editors/scan_lists/scan_lists_model.h"
#include "editors/zones/zones_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

// A UV390 codeplug with channels "C1".."Cn" and room for the holders a test sets up.
class ChannelsTest : public ::testing::Test {
 protected:
  void SetUp() override { makeCodeplug(kModelUv390, 12); }

  void makeCodeplug(int model, int channels) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, model, silent), 0);
    slot = common.slot(0);
    for (int i = 0; i < channels; ++i) initialiseChannel(*slot, i, utf8ToUtf16("C" + std::to_string(i + 1)));
  }
  void setDigital(int number) { slot->channel(number - 1)[0] = (slot->channel(number - 1)[0] & ~3) | 2; }
  std::span<uint8_t> addEmergencySystem(int index, uint16_t revert) {
    initEmergencySystemRecord(slot->emergencySystem(index), utf8ToUtf16("E" + std::to_string(index + 1)));
    setEmergencyRevertChannel(slot->emergencySystem(index), revert);
    return slot->emergencySystem(index);
  }
  void addZone(int index, ZoneBank bank, std::vector<uint16_t> members) {
    if (textFieldIsEmpty(slot->zone(index))) initZoneRecords(slot->zone(index), slot->zoneExtension(index), u"Z");
    ZoneBankView view(*slot, index, bank);
    for (size_t k = 0; k < members.size(); ++k) view.setMember(static_cast<int>(k), members[k]);
  }
  std::vector<uint16_t> bank(int index, ZoneBank b, int count = 4) {
    ZoneBankView view(*slot, index, b);
    std::vector<uint16_t> members;
    for (int k = 0; k < count; ++k) members.push_back(view.member(k));
    return members;
  }
  void addScanList(int index, std::vector<uint16_t> members) {
    initScanListRecord(slot->scanList(index), u"S");
    for (size_t k = 0; k < members.size(); ++k) setScanListMember(slot->scanList(index), static_cast<int>(k), members[k]);
  }
  std::vector<uint16_t> scanMembers(int index, int count = 4) {
    std::vector<uint16_t> members;
    for (int k = 0; k < count; ++k) members.push_back(scanListMember(slot->scanList(index), k));
    return members;
  }
  std::string channelName(int index) {
    return utf16ToUtf8(decodeTextField(ChannelRecord(slot->channel(index)).name(), kNameUnits, -1));
  }
  int used() {
    const ListSection section = channelListSection(*slot);
    return ListEngine(*slot, section).used();
  }

  CCommon common;
  c_codeplug* slot = nullptr;
  test::ScriptedPrompt prompt;
};

TEST_F(ChannelsTest, DeletingChannelFiveFixesZonesAndEmergencySystems) {
  setDigital(5);
  addZone(0, ZoneBank::A, {3, 5, 7});
  addEmergencySystem(0, 3);
  addEmergencySystem(1, 5);
  addEmergencySystem(2, 7);
  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_EQ(deleteChannel(*slot, 5, true, prompt), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"C5\" is used in .. \n\n1 emergency systems \n1 zones \n\nDelete the channel ? ");
  EXPECT_EQ(bank(0, ZoneBank::A), (std::vector<uint16_t>{3, 6, 0, 0}));
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(0)), 3);
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(1)), 6);
  EXPECT_TRUE(textFieldIsEmpty(slot->emergencySystem(2)));
  EXPECT_EQ(channelName(4), "C6");
  EXPECT_EQ(used(), 11);
}

TEST_F(ChannelsTest, AnAnalogueChannelNamedByAnEmergencySystemGoesWithoutAQuestion) {
  addEmergencySystem(0, 4);
  EXPECT_EQ(deleteChannel(*slot, 4, true, prompt), 0);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(0)), 0);
  EXPECT_FALSE(textFieldIsEmpty(slot->emergencySystem(0)));
}

TEST_F(ChannelsTest, DeclinedDeleteChangesNothing) {
  addScanList(0, {2, 4});
  const std::vector<uint8_t> before = slot->buffer;
  prompt.answerNext(PromptAnswer::No);
  EXPECT_EQ(deleteChannel(*slot, 2, true, prompt), -3);
  EXPECT_EQ(slot->buffer, before);
  EXPECT_EQ(deleteChannel(*slot, 0, true, prompt), -1);
  EXPECT_EQ(deleteChannel(*slot, 3001, true, prompt), -1);
}

TEST_F(ChannelsTest, DeleteCleansEveryKindOfHolder) {
  setDigital(6);
  addZone(0, ZoneBank::A, {6, 2, 9});
  addZone(0, ZoneBank::B, {9, 6});
  addZone(1, ZoneBank::B, {1, 10});
  addScanList(0, {6, 11, 3});
  resetDtmfDecodeEntry(*slot, 2);
  setDtmfDecodeRevertChannel(dtmfDecodeEntry(*slot, 2), 6);
  setDtmfDecodeRevertChannel(dtmfDecodeEntry(*slot, 3), 8);
  setGpsRevertChannel(gpsSystem(*slot, 0), 6);
  setGpsRevertChannel(gpsSystem(*slot, 1), 12);
  gpsSystem(*slot, 0)[2] = 5;
  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_EQ(deleteChannel(*slot, 6, true, prompt), 0);
  EXPECT_EQ(prompt.texts().at(0),
            "\"C6\" is used in .. \n\n1 zones \n1 scan lists \n1 DTMF settings \n1 GPS settings \n\nDelete the channel ? ");
  EXPECT_EQ(bank(0, ZoneBank::A), (std::vector<uint16_t>{2, 8, 0, 0}));
  EXPECT_EQ(bank(0, ZoneBank::B), (std::vector<uint16_t>{8, 0, 0, 0}));
  EXPECT_EQ(bank(1, ZoneBank::B), (std::vector<uint16_t>{1, 9, 0, 0}));
  EXPECT_EQ(scanMembers(0), (std::vector<uint16_t>{10, 3, 0, 0}));
  std::vector<uint8_t> fresh(kDtmfDecodeSize);
  initDtmfDecodeEntry(fresh);
  const auto entry = dtmfDecodeEntry(*slot, 2);
  EXPECT_TRUE(std::equal(fresh.begin(), fresh.end(), entry.begin()));
  EXPECT_EQ(dtmfDecodeRevertChannel(dtmfDecodeEntry(*slot, 3)), 7);
  EXPECT_EQ(gpsSystem(*slot, 0)[2], 0);
  EXPECT_EQ(gpsRevertChannel(gpsSystem(*slot, 0)), 0);
  EXPECT_EQ(gpsRevertChannel(gpsSystem(*slot, 1)), 11);
}

TEST_F(ChannelsTest, AGpsSystemOnADeletedAnalogueChannelFallsBackToTheCurrentChannel) {
  setGpsRevertChannel(gpsSystem(*slot, 4), 3);
  gpsSystem(*slot, 4)[2] = 7;
  EXPECT_EQ(deleteChannel(*slot, 3, true, prompt), 0);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(gpsRevertChannel(gpsSystem(*slot, 4)), 0);
  EXPECT_EQ(gpsSystem(*slot, 4)[2], 7);
}

TEST_F(ChannelsTest, MovingChannelTenUpByThree) {
  addZone(0, ZoneBank::A, {7, 8, 9, 10});
  addScanList(0, {10, 6, 11});
  addEmergencySystem(0, 10);
  setGpsRevertChannel(gpsSystem(*slot, 0), 8);
  EXPECT_EQ(moveChannel(*slot, 9, 3), 6);
  EXPECT_EQ(channelName(6), "C10");
  EXPECT_EQ(channelName(7), "C7");
  EXPECT_EQ(bank(0, ZoneBank::A), (std::vector<uint16_t>{8, 9, 10, 7}));
  EXPECT_EQ(scanMembers(0), (std::vector<uint16_t>{7, 6, 11, 0}));
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(0)), 7);
  EXPECT_EQ(gpsRevertChannel(gpsSystem(*slot, 0)), 9);
  // Never past the last used channel.
  EXPECT_EQ(moveChannel(*slot, 11, -5), 11);
  EXPECT_EQ(used(), 12);
}

TEST_F(ChannelsTest, InsertingAtZeroAddsOneToEveryReference) {
  addZone(0, ZoneBank::A, {1, 12});
  addZone(0, ZoneBank::B, {3});
  addScanList(0, {2, 5});
  addEmergencySystem(0, 1);
  addEmergencySystem(1, 0);
  setDtmfDecodeRevertChannel(dtmfDecodeEntry(*slot, 7), 4);
  setGpsRevertChannel(gpsSystem(*slot, 15), 0xFFFF);  // "Current Channel" stays
  EXPECT_EQ(insertChannel(*slot, 0), 0);
  EXPECT_EQ(channelName(0), "New channel");
  EXPECT_EQ(channelName(1), "C1");
  EXPECT_EQ(bank(0, ZoneBank::A), (std::vector<uint16_t>{2, 13, 0, 0}));
  EXPECT_EQ(bank(0, ZoneBank::B), (std::vector<uint16_t>{4, 0, 0, 0}));
  EXPECT_EQ(scanMembers(0), (std::vector<uint16_t>{3, 6, 0, 0}));
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(0)), 2);
  EXPECT_EQ(emergencyRevertChannel(slot->emergencySystem(1)), 0);
  EXPECT_EQ(dtmfDecodeRevertChannel(dtmfDecodeEntry(*slot, 7)), 5);
  EXPECT_EQ(gpsRevertChannel(gpsSystem(*slot, 15)), 0xFFFF);
  EXPECT_EQ(insertChannel(*slot, -1), 13);
}

TEST_F(ChannelsTest, InsertIntoAFullListOrWithoutACodeplug) {
  for (int i = 12; i < 3000; ++i) initialiseChannel(*slot, i, u"X");
  EXPECT_EQ(insertChannel(*slot, 0), -2);
  c_codeplug empty;
  EXPECT_EQ(insertChannel(empty, 0), -1);
  initialiseChannel(empty, 0, u"X");
  EXPECT_TRUE(empty.buffer.empty());
}

TEST_F(ChannelsTest, DecliningTheThirdOfFiveSelectedLeavesTheFirstThree) {
  addScanList(0, {3});
  const ListSection section = channelListSection(*slot);
  ListEngine engine(*slot, section);
  prompt.answerNext(PromptAnswer::No);
  const auto result = engine.deleteSelection({0, 1, 2, 3, 4}, true, prompt);
  EXPECT_EQ(result.deleted, 2);
  EXPECT_EQ(channelName(0), "C1");
  EXPECT_EQ(channelName(2), "C3");
  EXPECT_EQ(channelName(3), "C6");
  EXPECT_EQ(used(), 10);
}

TEST_F(ChannelsTest, DeletingEveryChannelLeavesChannelOne) {
  addZone(0, ZoneBank::A, {1, 2, 3});
  const ListSection section = channelListSection(*slot);
  ListEngine engine(*slot, section);
  std::vector<int> all(12);
  for (int i = 0; i < 12; ++i) all[i] = i;
  prompt.answerNext(PromptAnswer::Yes);
  prompt.answerNext(PromptAnswer::Yes);
  prompt.answerNext(PromptAnswer::Yes);
  engine.deleteSelection(all, true, prompt);
  EXPECT_EQ(used(), 1);
  EXPECT_EQ(channelName(0), "Channel 1");
  EXPECT_EQ(bank(0, ZoneBank::A), (std::vector<uint16_t>{0, 0, 0, 0}));
  // Every record behind the list is the blank channel again.
  std::vector<uint8_t> blank(kChannelRecordSize);
  initChannelRecord(blank, ModelFamily::Uv, slot->buffer[layout::kBandAIndex], u"");
  const auto last = slot->channel(2999);
  EXPECT_TRUE(std::equal(blank.begin(), blank.end(), last.begin()));
}

TEST_F(ChannelsTest, MakeDigitalChannelClampsAndRounds) {
  std::vector<uint8_t> record(kChannelRecordSize);
  makeDigitalChannel(*slot, record, u"Rpt", 5, 20, 439512346, 430012349);
  EXPECT_EQ(record[0] & 3, 2);
  EXPECT_EQ((record[1] >> 2) & 3, 2);
  EXPECT_EQ(record[1] >> 4, 15);
  EXPECT_EQ(record[19], 0x43);
  EXPECT_EQ(record[18], 0x95);
  EXPECT_EQ(record[17], 0x12);
  EXPECT_EQ(record[16], 0x35);
  EXPECT_EQ(record[20], 0x35);  // 430.01235 MHz
}

TEST(HolderResets, ResetEntriesEqualAFreshTemplate) {
  CCommon common;
  SilentPrompt silent;
  for (int model : {kModelMd390, kModelUv390}) {
    ASSERT_EQ(common.newCodeplug(0, model, silent), 0);
    c_codeplug& slot = *common.slot(0);
    const std::vector<uint8_t> fresh = slot.buffer;
    for (int k = 0; k < kDtmfDecodeCount; ++k) {
      std::fill(dtmfDecodeEntry(slot, k).begin(), dtmfDecodeEntry(slot, k).end(), uint8_t{0x5A});
      resetDtmfDecodeEntry(slot, k);
    }
    for (int k = 0; k < kGpsSystemCount; ++k) {
      std::fill(gpsSystem(slot, k).begin(), gpsSystem(slot, k).end(), uint8_t{0x5A});
      resetGpsSystem(slot, k);
    }
    EXPECT_EQ(slot.buffer, fresh) << model;
  }
}

TEST(HolderSections, ZoneBanksAndScanListsCompact) {
  CCommon common;
  SilentPrompt silent;
  ASSERT_EQ(common.newCodeplug(0, kModelUv390, silent), 0);
  c_codeplug& slot = *common.slot(0);
  ZoneBankView a(slot, 0, ZoneBank::A);
  EXPECT_EQ(a.size(), 64);
  EXPECT_EQ(ZoneBankView(slot, 0, ZoneBank::B).size(), 64);
  a.setMember(15, 4);
  a.setMember(16, 9000);  // beyond the channel capacity
  a.setMember(17, 5);
  compactZoneBank(slot, 0, ZoneBank::A);
  EXPECT_EQ(a.member(0), 4);
  EXPECT_EQ(a.member(1), 5);
  EXPECT_EQ(a.member(2), 0);
  removeZoneMember(slot, 0, ZoneBank::A, 0);
  EXPECT_EQ(a.member(0), 5);
  EXPECT_EQ(a.member(63), 0);

  ASSERT_EQ(common.newCodeplug(1, kModelMd390, silent), 0);
  EXPECT_EQ(ZoneBankView(*common.slot(1), 0, ZoneBank::A).size(), 16);
  EXPECT_EQ(ZoneBankView(*common.slot(1), 0, ZoneBank::B).size(), 0);

  std::span<uint8_t> list = slot.scanList(0);
  initScanListRecord(list, u"S");
  setScanListMember(list, 0, 12);
  setScanListMember(list, 2, 5);
  compactScanListMembers(slot, 0);
  EXPECT_EQ(scanListMember(list, 0), 12);
  EXPECT_EQ(scanListMember(list, 1), 5);
  EXPECT_EQ(scanListMember(list, 2), 0);
}

TEST(HolderSections, DeletingAnEmergencySystemWithoutAsking) {
  CCommon common;
  SilentPrompt silent;
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, silent), 0);
  c_codeplug& slot = *common.slot(0);
  for (int i = 0; i < 3; ++i) initialiseChannel(slot, i, u"C");
  for (int i = 0; i < 2; ++i) initEmergencySystemRecord(slot.emergencySystem(i), u"E");
  slot.channel(0)[0] = 0x62;  // digital, uses system 1
  slot.channel(0)[10] = 1;
  slot.channel(1)[10] = 1;    // analogue: kept as it is
  slot.channel(2)[10] = 2;
  EXPECT_EQ(deleteEmergencySystem(slot, 1), 0);
  EXPECT_EQ(slot.channel(0)[10], 0);
  EXPECT_EQ(slot.channel(1)[10], 1);
  EXPECT_EQ(slot.channel(2)[10], 1);
  EXPECT_EQ(deleteEmergencySystem(slot, 1), 0);
  EXPECT_EQ(utf16ToUtf8(decodeTextField(slot.emergencySystem(0), kNameUnits)), "System 1");
  EXPECT_EQ(deleteEmergencySystem(slot, 40), -1);
}

}  // namespace
}  // namespace tamberlin
