#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/qt_prompt.h"

namespace tamberlin {
namespace {

// Looks at the box while it is open, then closes it with `key`.
struct BoxSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

TEST(QtPrompt, DiscardQuestionsDefaultToNo) {
  QtPrompt prompt;
  BoxSeen seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButton(box->defaultButton())};
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_FALSE(prompt.confirmWarning("Unsaved code plug. \n\nDiscard it ? "));
  EXPECT_EQ(seen.title, "Tamberlin");
  EXPECT_EQ(seen.text, "Unsaved code plug. \n\nDiscard it ? ");
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);
}

TEST(QtPrompt, EscapeIsTheCautiousAnswer) {
  QtPrompt prompt;
  QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
  EXPECT_EQ(prompt.show(PromptIcon::Warning, "Sure ?", PromptButtons::YesNo, PromptAnswer::Yes), PromptAnswer::No);

  BoxSeen seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButton(box->defaultButton())};
    QTest::keyClick(box, Qt::Key_Escape);
  });
  prompt.error("Could not write to the code plug file");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.title, "Tamberlin");
}

}  // namespace
}  // namespace tamberlin
