#include "ui/toggle_switch.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace tamberlin {

namespace {
constexpr int kMargin = 2;
constexpr int kCaptionGap = 6;
}  // namespace

ToggleSwitch::ToggleSwitch(const QString& onText, const QString& offText, QWidget* parent)
    : QAbstractButton(parent), onText_(onText), offText_(offText) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setText(caption());
  connect(this, &QAbstractButton::toggled, this, [this] {
    setText(caption());
    update();
  });
  connect(this, &QAbstractButton::clicked, this, &ToggleSwitch::switched);
}

QRect ToggleSwitch::trackRect() const {
  const int height = fontMetrics().height();
  const int width = height * 9 / 5;
  return QRect(kMargin, (this->height() - height) / 2, width, height);
}

QRect ToggleSwitch::captionRect() const {
  const QRect track = trackRect();
  const int left = track.right() + 1 + kCaptionGap;
  return QRect(left, 0, width() - left - kMargin, height());
}

QSize ToggleSwitch::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  const int height = metrics.height();
  const int captionWidth = std::max(metrics.horizontalAdvance(onText_), metrics.horizontalAdvance(offText_));
  // Room for the wider caption, so the switch does not change size when flipped.
  return QSize(kMargin + height * 9 / 5 + kCaptionGap + captionWidth + 2 * kMargin, height + 2 * kMargin + 2);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
  const QPalette& colours = palette();

  const QRectF track = QRectF(trackRect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = track.height() / 2;
  QColor fill = isChecked() ? colours.color(group, QPalette::Highlight) : colours.color(group, QPalette::Mid);
  if (!isEnabled()) fill.setAlpha(110);
  if (hovered_ && isEnabled()) fill = fill.lighter(112);
  painter.setPen(QPen(colours.color(group, QPalette::Dark), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(track, radius, radius);

  const qreal knobSize = track.height() - 4;
  const qreal knobLeft = isChecked() ? track.right() - 2 - knobSize : track.left() + 2;
  const QRectF knob(knobLeft, track.top() + 2, knobSize, knobSize);
  painter.setPen(QPen(colours.color(group, QPalette::Shadow).lighter(150), 0.8));
  painter.setBrush(colours.color(group, QPalette::Light));
  painter.drawEllipse(knob);

  const QRect text = captionRect();
  style()->drawItemText(&painter, text, Qt::AlignLeft | Qt::AlignVCenter, colours, isEnabled(), caption(),
                        QPalette::WindowText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect =
        style()
            ->itemTextRect(fontMetrics(), text, Qt::AlignLeft | Qt::AlignVCenter, isEnabled(), caption())
            .adjusted(-2, -1, 2, 1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

// Right means on and Left off, as the knob moves.
void ToggleSwitch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) {
    const bool wantOn = event->key() == Qt::Key_Right;
    if (wantOn != isChecked()) click();
    event->accept();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

void ToggleSwitch::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ToggleSwitch::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void ToggleSwitch::setCaptionShown(bool shown) {
  if (captionShown_ == shown) return;
  captionShown_ = shown;
  setText(caption());
  update();
}

}  // namespace tamberlin
