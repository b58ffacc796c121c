#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/list_section.h"
#include "codeplug/text_field.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "support/codeplug_fixtures.h"
#include "support/endian.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using test::TempDir;

// Builds a codeplug file in a scratch slot, writes it out, and loads it into
// slot 0 the way Open does.
class Normalisation : public ::testing::Test {
 protected:
  CCommon common;
  test::ScriptedPrompt prompt;
  TempDir dir;

  c_codeplug& draft(int model) {
    EXPECT_EQ(common.newCodeplug(3, model, prompt), 0);
    return *common.slot(3);
  }
  std::string saveDraft(const std::string& name) {
    const std::string path = dir.file(name);
    EXPECT_GT(common.save(3, path), 0);
    return path;
  }
  c_codeplug& open(const std::string& path) {
    EXPECT_EQ(common.load(0, path, true, prompt), 0);
    return *common.slot(0);
  }
  static std::u16string channelName(c_codeplug& slot, int index) {
    return decodeTextField(slot.channel(index).subspan(32), 16, -1);
  }
};

TEST_F(Normalisation, AGapInTheChannelsClearsEverythingAfterIt) {
  c_codeplug& d = draft(kModelUv390);
  for (int i : {0, 1, 2, 3, 5, 6, 7, 8}) {
    initChannelRecord(d.channel(i), ModelFamily::Uv, 2, u"Ch " + utf8ToUtf16(std::to_string(i + 1)));
  }
  d.channel(5)[16] = 0x55;  // a named channel behind the gap with its own settings
  c_codeplug& s = open(saveDraft("gap.rdt"));

  EXPECT_TRUE(common.isDirty(0));
  const ListSectionLayout channels = listSectionLayouts(s.sections)[static_cast<int>(ListSectionId::Channels)];
  EXPECT_EQ(usedCount(s, channels), 4);
  EXPECT_EQ(channelName(s, 3), u"Ch 4");
  std::vector<uint8_t> blank(64);
  initChannelRecord(blank, ModelFamily::Uv, s.buffer[layout::kBandAIndex], u"");
  for (int i = 4; i < 3000; ++i) {
    ASSERT_TRUE(std::equal(blank.begin(), blank.end(), s.channel(i).begin())) << "channel " << i + 1;
  }

  // Saved and opened again, nothing is left to change.
  const std::string path = dir.file("gap-saved.rdt");
  ASSERT_GT(common.save(0, path), 0);
  c_codeplug& again = open(path);
  EXPECT_FALSE(common.isDirty(0));
  EXPECT_EQ(again.buffer, TempDir::read(path));
}

TEST_F(Normalisation, AZoneGapKeepsTheLaterZones) {
  c_codeplug& d = draft(kModelMd390);
  test::setName(d.zone(0), u"Home");
  test::setName(d.zone(2), u"Away");
  writeLe16(d.zone(2), 32, 1);  // one member
  c_codeplug& s = open(saveDraft("zones.rdt"));
  EXPECT_FALSE(common.isDirty(0));
  EXPECT_EQ(decodeTextField(s.zone(2), 16), u"Away");
  EXPECT_EQ(readLe16(s.zone(2), 32), 1);
}

TEST_F(Normalisation, NamesAreTrimmedAndZeroPadded) {
  c_codeplug& d = draft(kModelMd390);
  // "  Base " padded with 0xFFFF as erased memory would leave it.
  std::span<uint8_t> name = d.groupList(0).first(32);
  std::fill(name.begin(), name.end(), uint8_t{0xFF});
  const std::u16string raw = u"  Base ";
  for (size_t i = 0; i < raw.size(); ++i) writeLe16(name, 2 * i, raw[i]);
  c_codeplug& s = open(saveDraft("names.rdt"));

  EXPECT_TRUE(common.isDirty(0));
  std::vector<uint8_t> expected(32, 0);
  encodeTextField(expected, 16, u"Base");
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), s.groupList(0).begin()));
}

TEST_F(Normalisation, EachListEndsAtItsFirstUnnamedRecord) {
  c_codeplug& d = draft(kModelUv390);
  // Contact 2 unnamed with contact 3 named; text message 1 unnamed with 2 set.
  initContactRecord(d.contact(0), u"One");
  initContactRecord(d.contact(2), u"Three");
  encodeTextField(d.textMessage(1), 144, u"Orphan");
  encodeTextField(d.emergencySystem(1), 16, u"Behind a gap");
  c_codeplug& s = open(saveDraft("lists.rdt"));

  EXPECT_TRUE(common.isDirty(0));
  std::vector<uint8_t> cleared(36);
  initContactRecord(cleared, u"");
  EXPECT_EQ(decodeTextField(s.contact(0).subspan(4), 16), u"One");
  EXPECT_TRUE(std::equal(cleared.begin(), cleared.end(), s.contact(2).begin()));
  EXPECT_EQ(s.contact(2)[3], 0xC0);
  EXPECT_EQ(decodeTextField(s.textMessage(1), 144), u"");
  EXPECT_TRUE(std::all_of(s.textMessage(1).begin(), s.textMessage(1).end(), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(decodeTextField(s.emergencySystem(1), 16), u"");
}

TEST_F(Normalisation, ACleanFileStaysClean) {
  c_codeplug& d = draft(kModelMd390);
  for (int i = 0; i < 1000; ++i) initChannelRecord(d.channel(i), ModelFamily::Kib256, 2, u"Full");
  open(saveDraft("full.rdt"));
  EXPECT_FALSE(common.isDirty(0));
}

}  // namespace
}  // namespace tamberlin
