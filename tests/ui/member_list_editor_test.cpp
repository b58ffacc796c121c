#include "ui/member_list_editor.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "support/unicode.h"
#include "ui/list_view.h"
#include "ui/move_button.h"

namespace tamberlin {
namespace {

// Four member entries kept in a vector; records 1..6 may join, 5 may not.
class VectorMembers final : public MemberList {
 public:
  explicit VectorMembers(std::vector<uint16_t>& entries) : entries_(entries) {}
  int capacity() const override { return static_cast<int>(entries_.size()); }
  uint16_t entry(int k) const override { return entries_[static_cast<size_t>(k)]; }
  void setEntry(int k, uint16_t number) override { entries_[static_cast<size_t>(k)] = number; }
  int numberLimit() const override { return 6; }
  std::vector<int> eligible() const override { return {1, 2, 3, 4, 6}; }
  std::vector<std::u16string> cells(int number) const override {
    return {utf8ToUtf16(std::to_string(number)), utf8ToUtf16("Rec " + std::to_string(number)), u"-"};
  }

 private:
  std::vector<uint16_t>& entries_;
};

const MemberListTexts kTexts{
    "Available Things ", "Thing Members  used ", "Thing Members .. up to ", {"", "No.", "Name", "ID"}};

class MemberListEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.resize(700, 400);
    editor.show();
    available = editor.findChild<ListView*>("AvailableListView");
    memberList = editor.findChild<ListView*>("MemberListView");
    ASSERT_NE(available, nullptr);
    ASSERT_NE(memberList, nullptr);
  }
  void show(std::vector<uint16_t> start) {
    entries = std::move(start);
    editor.setList(std::make_unique<VectorMembers>(entries));
  }
  QString title() { return editor.findChild<QLabel*>("MembersTitleLabel")->text(); }
  QWidget* button(const char* name) { return editor.findChild<QWidget*>(name); }
  void click(ListView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(view->model()->index(row, 2)).center());
  }
  void doubleClick(ListView* view, int row) {
    const QPoint at = view->visualRect(view->model()->index(row, 2)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
  }
  QString cell(ListView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
  }

  MemberListEditor editor{kTexts, 4, nullptr};
  std::vector<uint16_t> entries;
  ListView* available = nullptr;
  ListView* memberList = nullptr;
};

TEST_F(MemberListEditorTest, WithoutAListBothSidesAreEmptyAndTheTitleCountsUpToTheCapacity) {
  EXPECT_EQ(title(), "Thing Members .. up to 4 ");
  EXPECT_EQ(editor.findChild<QLabel*>("AvailableTitleLabel")->text(), "Available Things ");
  show({2, 0, 0, 0});
  EXPECT_EQ(title(), "Thing Members  used 1 of 4 ");
  EXPECT_EQ(available->model()->rowCount(), 4);
  EXPECT_EQ(cell(available, 1, 2), "Rec 3");
  EXPECT_EQ(cell(memberList, 0, 1), "2");
  editor.setList(nullptr);
  EXPECT_EQ(title(), "Thing Members .. up to 4 ");
  EXPECT_EQ(available->model()->rowCount(), 0);
  EXPECT_EQ(memberList->model()->rowCount(), 0);
  for (const char* name :
       {"AddToMemberBitBtn", "DeleteFromMemberBitBtn", "MemberMoveUpBitBtn", "MemberMoveDownBitBtn"}) {
    EXPECT_FALSE(button(name)->isEnabled()) << name;
  }
}

TEST_F(MemberListEditorTest, AddingByButtonAndDoubleClickUntilTheListIsFull) {
  show({0, 0, 0, 0});
  EXPECT_FALSE(button("AddToMemberBitBtn")->isEnabled());
  click(available, 0);
  click(available, 2, Qt::ControlModifier);
  ASSERT_TRUE(button("AddToMemberBitBtn")->isEnabled());
  QTest::mouseClick(static_cast<QPushButton*>(button("AddToMemberBitBtn")), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 3, 0, 0}));
  EXPECT_EQ(title(), "Thing Members  used 2 of 4 ");
  EXPECT_EQ(available->model()->rowCount(), 3);  // 2, 4 and 6 are left

  doubleClick(available, 2);
  doubleClick(available, 0);
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 3, 6, 2}));
  EXPECT_EQ(title(), "Thing Members  used 4 of 4 ");
  click(available, 0);
  EXPECT_FALSE(button("AddToMemberBitBtn")->isEnabled());
  doubleClick(available, 0);
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 3, 6, 2}));
}

TEST_F(MemberListEditorTest, RemovingByDoubleClickPacksTheMembers) {
  show({4, 1, 2, 0});
  EXPECT_FALSE(button("DeleteFromMemberBitBtn")->isEnabled());
  doubleClick(memberList, 0);
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 2, 0, 0}));
  EXPECT_EQ(cell(available, 1, 1), "4");
  click(memberList, 1);
  QTest::mouseClick(static_cast<QPushButton*>(button("DeleteFromMemberBitBtn")), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 0, 0, 0}));
  EXPECT_EQ(title(), "Thing Members  used 1 of 4 ");
}

TEST_F(MemberListEditorTest, MovesKeepTheSelectionAndStopAtTheEnds) {
  show({1, 2, 3, 0});
  click(memberList, 0);
  EXPECT_FALSE(button("MemberMoveUpBitBtn")->isEnabled());
  EXPECT_TRUE(button("MemberMoveDownBitBtn")->isEnabled());
  QTest::mouseClick(static_cast<MoveButton*>(button("MemberMoveDownBitBtn")), Qt::LeftButton);
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 1, 3, 0}));
  EXPECT_EQ(memberList->selectedRows(), std::vector<int>{1});
  QTest::keyClick(memberList, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 3, 1, 0}));
  EXPECT_EQ(memberList->selectedRows(), std::vector<int>{2});
  EXPECT_FALSE(button("MemberMoveDownBitBtn")->isEnabled());
  QTest::keyClick(memberList, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 1, 3, 0}));
}

TEST_F(MemberListEditorTest, HeldMoveButtonRepeatsOnTheTick) {
  show({1, 2, 3, 4});
  click(memberList, 3);
  auto* up = static_cast<MoveButton*>(button("MemberMoveUpBitBtn"));
  up->setDown(true);
  emit up->pressed();
  for (int i = 0; i < 15; ++i) editor.tick();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 2, 3, 4}));
  editor.tick();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 2, 4, 3}));
  for (int i = 0; i < 3; ++i) editor.tick();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 4, 2, 3}));
  up->setDown(false);
  emit up->released();
  for (int i = 0; i < 10; ++i) editor.tick();
  EXPECT_EQ(entries, (std::vector<uint16_t>{1, 4, 2, 3}));
}

TEST_F(MemberListEditorTest, RowsDroppedFromTheOtherListMoveAcross) {
  show({2, 0, 0, 0});
  click(available, 1);
  // What the lists' drop handlers hand over; a test cannot run a real drag.
  auto drop = [this](ListView* target, QMimeData* data) {
    editor.dropRows(data, target);
    QCoreApplication::processEvents();
    delete data;
  };
  // Rows of the member list itself are not taken back in.
  drop(memberList, editor.dragData(memberList));
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 0, 0, 0}));
  drop(memberList, editor.dragData(available));
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 3, 0, 0}));
  // Another editor's rows are refused.
  MemberListEditor other{kTexts, 4, nullptr};
  click(memberList, 0);
  drop(available, other.dragData(nullptr));
  EXPECT_EQ(entries, (std::vector<uint16_t>{2, 3, 0, 0}));
  drop(available, editor.dragData(memberList));
  EXPECT_EQ(entries, (std::vector<uint16_t>{3, 0, 0, 0}));
}

}  // namespace
}  // namespace tamberlin
