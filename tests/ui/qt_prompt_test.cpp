#include "ui/qt_prompt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tamberlin {
namespace {

struct BoxSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Looks at the next box while it is open, then answers it with `key`.
void pressWhenShown(BoxSeen& seen, Qt::Key key) {
  QTimer::singleShot(0, [&seen, key] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButton(box->defaultButton())};
    QTest::keyClick(box, key);
  });
}

TEST(QtPrompt, DiscardQuestionsDefaultToNo) {
  QtPrompt prompt;
  BoxSeen seen;
  pressWhenShown(seen, Qt::Key_Return);
  EXPECT_FALSE(prompt.confirmWarning("Unsaved code plug. \n\nDiscard it ? "));
  EXPECT_EQ(seen.title, "Tamberlin");
  EXPECT_EQ(seen.text, "Unsaved code plug. \n\nDiscard it ? ");
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.defaultButton, QMessageBox::No);
}

TEST(QtPrompt, EscapeIsTheCautiousAnswer) {
  QtPrompt prompt;
  BoxSeen question;
  pressWhenShown(question, Qt::Key_Escape);
  EXPECT_EQ(prompt.show(PromptIcon::Warning, "Sure ?", PromptButtons::YesNo, PromptAnswer::Yes),
            PromptAnswer::No);
  EXPECT_EQ(question.icon, QMessageBox::Warning);
  EXPECT_EQ(question.defaultButton, QMessageBox::Yes);

  BoxSeen seen;
  pressWhenShown(seen, Qt::Key_Escape);
  prompt.error("Could not write to the code plug file");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.title, "Tamberlin");
}

}  // namespace
}  // namespace tamberlin
