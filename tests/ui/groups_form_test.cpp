#include "editors/groups/groups_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/radio_id.h"
#include "editors/channels/channel_record.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "editors/groups/groups_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"
#include "ui/list_popup_menu.h"
#include "ui/list_view.h"

namespace tamberlin {
namespace {

class GroupsFormTest : public ::testing::Test {
 protected:
  // Contacts 1-5: group calls but contact 2, a private call.
  void open(int lists) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, kModelMd390, silent), 0);
    slot = common.slot(0);
    for (int i = 0; i < 5; ++i) {
      initContactRecord(slot->contact(i), utf8ToUtf16("TG " + std::to_string(i + 1)));
      writeRadioId3(slot->contact(i), static_cast<uint32_t>(2620 + i));
    }
    slot->contact(1)[3] = static_cast<uint8_t>((slot->contact(1)[3] & ~0x07) | 2);
    for (int i = 0; i < lists; ++i)
      initialiseGroupList(*slot, i, utf8ToUtf16("Group " + std::to_string(i + 1)));
    form = std::make_unique<TGroupsForm>(EditorContext{common, prompt}, nullptr);
    form->resize(1000, 600);
    form->show();
    list = find<ListView>("ListView");
    available = find<ListView>("AvailableListView");
    memberList = find<ListView>("MemberListView");
  }
  template <typename T>
  T* find(const char* name) {
    T* widget = form->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void click(ListView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(view->model()->index(row, 2)).center());
  }
  void press(const char* button) {
    QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  QString text(const char* label) { return find<QLabel>(label)->text(); }
  std::vector<uint16_t> members(int list) {
    std::vector<uint16_t> numbers;
    for (int k = 0; k < 4; ++k) numbers.push_back(groupListMember(slot->groupList(list), k));
    return numbers;
  }

  CCommon common;
  test::ScriptedPrompt prompt;
  c_codeplug* slot = nullptr;
  std::unique_ptr<TGroupsForm> form;
  ListView* list = nullptr;
  ListView* available = nullptr;
  ListView* memberList = nullptr;
};

TEST_F(GroupsFormTest, TheMembersOfTheOneSelectedListAreEdited) {
  open(3);
  EXPECT_EQ(form->windowTitle(), "Digital Groups");
  EXPECT_EQ(text("TitleLabel"), "Groups  used 3 of 250 ");
  EXPECT_EQ(text("MembersTitleLabel"), "Contact Members .. up to 32 ");
  EXPECT_EQ(available->model()->rowCount(), 0);

  click(list, 1);
  EXPECT_EQ(text("TitleLabel"), "Groups  used 3 of 250  1 selected ");
  EXPECT_EQ(text("MembersTitleLabel"), "Contact Members  used 0 of 32 ");
  // The private call is no candidate.
  ASSERT_EQ(available->model()->rowCount(), 4);
  EXPECT_EQ(available->model()->index(1, 1).data().toString(), "3");
  EXPECT_EQ(available->model()->index(1, 3).data().toString(), "2622");
  EXPECT_FALSE(find<QPushButton>("AddToMemberBitBtn")->isEnabled());

  click(available, 1);
  press("AddToMemberBitBtn");
  const QPoint first = available->visualRect(available->model()->index(0, 2)).center();
  QTest::mouseClick(available->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(available->viewport(), Qt::LeftButton, {}, first);
  QCoreApplication::processEvents();
  EXPECT_EQ(members(1), (std::vector<uint16_t>{3, 1, 0, 0}));
  EXPECT_EQ(members(0), (std::vector<uint16_t>{0, 0, 0, 0}));
  EXPECT_EQ(text("MembersTitleLabel"), "Contact Members  used 2 of 32 ");
  EXPECT_EQ(memberList->model()->index(1, 2).data().toString(), "TG 1");

  // With two lists selected nothing is shown.
  click(list, 2, Qt::ControlModifier);
  EXPECT_EQ(memberList->model()->rowCount(), 0);
  EXPECT_EQ(available->model()->rowCount(), 0);
  EXPECT_EQ(text("MembersTitleLabel"), "Contact Members .. up to 32 ");
}

TEST_F(GroupsFormTest, MovingAListTakesItsMembersAndItsChannels) {
  open(3);
  setGroupListMember(slot->groupList(0), 0, 4);
  initialiseChannel(*slot, 0, u"Ch");
  ChannelRecord(slot->channel(0)).setRxGroupList(1);
  click(list, 0);
  EXPECT_FALSE(find<QWidget>("MoveUpBitBtn")->isEnabled());
  press("MoveDownBitBtn");
  EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
  EXPECT_EQ(ChannelRecord(slot->channel(0)).rxGroupList(), 2);
  EXPECT_EQ(memberList->model()->index(0, 1).data().toString(), "4");
}

TEST_F(GroupsFormTest, DeletingAListUsedByDigitalChannelsAsks) {
  open(2);
  for (int i = 0; i < 2; ++i) {
    initialiseChannel(*slot, i, u"Ch");
    ChannelRecord channel(slot->channel(i));
    channel.bytes()[0] = static_cast<uint8_t>((channel.bytes()[0] & ~0x03) | ChannelRecord::kDigital);
    channel.setRxGroupList(2);
  }
  click(list, 1);
  prompt.answerNext(PromptAnswer::Yes);
  QTest::keyClick(list, Qt::Key_Delete);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"Group 2\" is used in .. \n\n2 channels \n\nDelete the group ? ");
  EXPECT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(ChannelRecord(slot->channel(1)).rxGroupList(), 0);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{0});
  EXPECT_EQ(text("TitleLabel"), "Groups  used 1 of 250  1 selected ");
}

TEST_F(GroupsFormTest, CopiedListsArePastedBehindTheLastOneWithTheirMembers) {
  open(3);
  setGroupListMember(slot->groupList(0), 0, 5);
  click(list, 0);
  auto* menu = find<ListPopupMenu>("PopupMenu");
  menu->copyItem->trigger();
  click(list, 1);
  menu->pasteItem->trigger();
  QCoreApplication::processEvents();  // the paste refreshes through a queued call
  EXPECT_EQ(list->model()->rowCount(), 4);
  EXPECT_EQ(list->model()->index(3, 2).data().toString(), "Group 1");
  EXPECT_EQ(members(3), (std::vector<uint16_t>{5, 0, 0, 0}));
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(GroupsFormTest, WithoutACodeplugTheFormIsDisabled) {
  form = std::make_unique<TGroupsForm>(EditorContext{common, prompt}, nullptr);
  EXPECT_FALSE(form->isEnabled());
  EXPECT_EQ(form->findChild<QLabel*>("TitleLabel")->text(), "Groups .. up to 250. ");
}

}  // namespace
}  // namespace tamberlin
