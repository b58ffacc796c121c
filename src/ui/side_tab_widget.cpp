#include "ui/side_tab_widget.h"

#include <QFontMetrics>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace tamberlin {

namespace {

// Draws each tab's shape as a side tab but its caption unrotated.
class SideTabBar final : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    size.transpose();
    // Room for the caption in bold, as the active tab shows it.
    QFont bold = font();
    bold.setBold(true);
    const int textWidth = QFontMetrics(bold).horizontalAdvance(tabText(index)) + 24;
    return size.expandedTo(QSize(textWidth, 26));
  }

  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
      if (!isTabVisible(i)) continue;
      QStyleOptionTab option;
      initStyleOption(&option, i);
      painter.drawControl(QStyle::CE_TabBarTabShape, option);
      // The style would write the caption turned on its side; write it across.
      const QRect text = option.rect.adjusted(10, 0, -6, 0);
      // Some styles barely mark the active tab; its bold caption shows it in all of them.
      QFont caption = font();
      caption.setBold(i == currentIndex());
      painter.setFont(caption);
      painter.drawItemText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, option.palette,
                           (option.state & QStyle::State_Enabled) != 0, option.text, QPalette::WindowText);
    }
  }
};

}  // namespace

SideTabWidget::SideTabWidget(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new SideTabBar(this));
  setTabPosition(QTabWidget::West);
}

}  // namespace tamberlin
