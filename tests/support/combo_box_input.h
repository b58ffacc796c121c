#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

namespace tamberlin::test {

// Picks an item the way the keyboard does, so the box reports a user choice.
inline void chooseWithKeyboard(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  ASSERT_GE(index, 0) << text.toStdString();
  box->setCurrentIndex(index == 0 ? 1 : index - 1);
  QTest::keyClick(box, index == 0 ? Qt::Key_Up : Qt::Key_Down);
  ASSERT_EQ(box->currentIndex(), index);
}

}  // namespace tamberlin::test
