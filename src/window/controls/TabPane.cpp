#include "window/controls/TabPane.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace cvx {

TabPane::TabPane(QWidget* parent) : QWidget(parent) {}

void TabPane::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  option.shape = QTabBar::RoundedNorth;
  option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

}  // namespace cvx
