#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "ui/choice_delegate.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/name_delegate.h"
#include "ui/wide_combo_box.h"

namespace tamberlin {
namespace {

TEST(WideComboBox, OpensAsWideAsItsLongestItemPlusEight) {
  WideComboBox combo(nullptr);
  combo.addItems({"1", "Follow Admit Criteria "});
  const int longest = combo.view()->fontMetrics().horizontalAdvance("Follow Admit Criteria ");
  EXPECT_EQ(combo.popupWidth(), longest + 8);
  for (int i = 0; i < combo.maxVisibleItems(); ++i) combo.addItem("x");
  EXPECT_EQ(combo.popupWidth(), longest + 8 + combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

TEST(NameValidator, RefusesControlAndHighCharactersAndTheExtraOnes) {
  NameValidator validator(u"\"|", nullptr);
  int pos = 0;
  struct Case {
    QString text;
    QValidator::State state;
  };
  const Case cases[] = {
      {"Repeater 1", QValidator::Acceptable}, {"A\"B", QValidator::Invalid}, {"A|B", QValidator::Invalid},
      {QString::fromUtf8("Caf\u00e9"), QValidator::Invalid}, {"Tab\t", QValidator::Invalid},
  };
  for (Case c : cases) EXPECT_EQ(validator.validate(c.text, pos), c.state) << c.text.toStdString();
}

// A two-column list whose second column is a drop-down of three values.
struct ChoiceList {
  std::vector<int> values = {0, 1, 2};
  ListView view{nullptr};
  ListTableModel model{{"Name", "Type"},
                       [this] { return static_cast<int>(values.size()); },
                       [this](int row, int column) {
                         return column == 0 ? QString("Row %1").arg(row + 1) : QString::number(values[row]);
                       },
                       nullptr};
  ChoiceList() {
    model.setEditable(1, [this](int row, int, const QVariant& value) {
      values[row] = value.toInt();
      return true;
    });
    view.setModel(&model);
    view.setCellDelegate(1, new ChoiceDelegate(
                                [](int) {
                                  return std::vector<CellChoice>{{"Off", 0}, {"Low", 1}, {"High", 2}};
                                },
                                [this](int row) { return values[row]; }, &view));
    view.resize(300, 200);
    view.show();
  }
};

TEST(ChoiceDelegate, OpensOnTheCurrentValueAndWritesTheChoice) {
  ChoiceList list;
  list.view.edit(list.model.index(1, 1));
  auto* combo = list.view.findChild<WideComboBox*>("InPlaceComboBox");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), "Low");
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  QCoreApplication::processEvents();
  EXPECT_EQ(list.values, (std::vector<int>{0, 2, 2}));
  EXPECT_EQ(list.model.index(1, 1).data().toString(), "2");
}

TEST(ListView, ScrollingCommitsTheOpenEditor) {
  ChoiceList list;
  for (int i = 0; i < 100; ++i) list.values.push_back(0);
  list.model.refresh();
  list.view.edit(list.model.index(0, 1));
  auto* combo = list.view.findChild<WideComboBox*>("InPlaceComboBox");
  ASSERT_NE(combo, nullptr);
  combo->hidePopup();
  combo->setCurrentIndex(1);
  list.view.verticalScrollBar()->setValue(list.view.verticalScrollBar()->maximum());
  QCoreApplication::processEvents();
  EXPECT_EQ(list.values[0], 1);
}

}  // namespace
}  // namespace tamberlin
