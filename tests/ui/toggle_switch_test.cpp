#include "ui/toggle_switch.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace tamberlin {
namespace {

TEST(ToggleSwitch, ShowsTheCaptionOfItsState) {
  ToggleSwitch toggle("Analogue", "Digital");
  EXPECT_FALSE(toggle.isChecked());
  EXPECT_EQ(toggle.caption(), "Digital");
  EXPECT_EQ(toggle.text(), "Digital");
  toggle.setChecked(true);
  EXPECT_EQ(toggle.caption(), "Analogue");
  EXPECT_EQ(toggle.text(), "Analogue");
  // Wide enough for either caption, so flipping it does not move the form.
  const QFontMetrics metrics = toggle.fontMetrics();
  EXPECT_GT(toggle.sizeHint().width(),
            std::max(metrics.horizontalAdvance("Analogue"), metrics.horizontalAdvance("Digital")));
}

TEST(ToggleSwitch, SwitchedOnlyForTheUser) {
  ToggleSwitch toggle("On", "Off");
  toggle.resize(toggle.sizeHint());
  toggle.show();
  QSignalSpy switched(&toggle, &ToggleSwitch::switched);

  toggle.setChecked(true);
  toggle.setChecked(false);
  EXPECT_EQ(switched.count(), 0);

  QTest::mouseClick(&toggle, Qt::LeftButton);
  ASSERT_EQ(switched.count(), 1);
  EXPECT_TRUE(switched.takeFirst().at(0).toBool());
  EXPECT_TRUE(toggle.isChecked());

  // Clicking the caption works as well as clicking the knob.
  QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(toggle.width() - 4, toggle.height() / 2));
  ASSERT_EQ(switched.count(), 1);
  EXPECT_FALSE(switched.takeFirst().at(0).toBool());
}

TEST(ToggleSwitch, KeyboardOperable) {
  ToggleSwitch toggle("On", "Off");
  toggle.show();
  QSignalSpy switched(&toggle, &ToggleSwitch::switched);

  QTest::keyClick(&toggle, Qt::Key_Space);
  EXPECT_TRUE(toggle.isChecked());
  QTest::keyClick(&toggle, Qt::Key_Right);  // already on
  EXPECT_TRUE(toggle.isChecked());
  QTest::keyClick(&toggle, Qt::Key_Left);
  EXPECT_FALSE(toggle.isChecked());
  QTest::keyClick(&toggle, Qt::Key_Right);
  EXPECT_TRUE(toggle.isChecked());
  EXPECT_EQ(switched.count(), 3);
}

TEST(ToggleSwitch, DisabledIgnoresTheUser) {
  ToggleSwitch toggle("On", "Off");
  toggle.show();
  toggle.setEnabled(false);
  QSignalSpy switched(&toggle, &ToggleSwitch::switched);
  QTest::mouseClick(&toggle, Qt::LeftButton);
  QTest::keyClick(&toggle, Qt::Key_Space);
  EXPECT_FALSE(toggle.isChecked());
  EXPECT_EQ(switched.count(), 0);
}

}  // namespace
}  // namespace tamberlin
