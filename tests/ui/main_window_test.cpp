#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "app/main_window.h"
#include "codeplug/ccommon.h"

namespace tamberlin {
namespace {

TEST(MainWindow, OpensTitledWithTheProgramName) {
  CCommon common;
  MainWindow window(common);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Tamberlin");
  auto* status = window.findChild<QLabel*>("StatusLabel");
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), " No Codeplug loaded ");
}

}  // namespace
}  // namespace tamberlin
