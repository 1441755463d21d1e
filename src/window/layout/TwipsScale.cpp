#include "window/layout/TwipsScale.h"

#include <algorithm>

#include <QWidget>

#include "core/Twips.h"

namespace cvx {

TwipsScale::TwipsScale(const QWidget& widget)
    : dpiX_(widget.logicalDpiX()), dpiY_(widget.logicalDpiY()) {}

int TwipsScale::ToPixelsX(double twips) const {
  return TwipsToPixels(twips, dpiX_);
}
int TwipsScale::ToPixelsY(double twips) const {
  return TwipsToPixels(twips, dpiY_);
}
int TwipsScale::ToTwipsX(double pixels) const {
  return PixelsToTwips(pixels, dpiX_);
}
int TwipsScale::ToTwipsY(double pixels) const {
  return PixelsToTwips(pixels, dpiY_);
}

int TwipsScale::Left(const QWidget& widget) const {
  return ToTwipsX(widget.x());
}
int TwipsScale::Top(const QWidget& widget) const {
  return ToTwipsY(widget.y());
}
int TwipsScale::Width(const QWidget& widget) const {
  return ToTwipsX(widget.width());
}
int TwipsScale::Height(const QWidget& widget) const {
  return ToTwipsY(widget.height());
}

void TwipsScale::SetLeft(QWidget& widget, double left) const {
  widget.move(ToPixelsX(left), widget.y());
}

void TwipsScale::SetTop(QWidget& widget, double top) const {
  widget.move(widget.x(), ToPixelsY(top));
}

void TwipsScale::SetWidth(QWidget& widget, double width) const {
  widget.resize(ToPixelsX(std::max(0.0, width)), widget.height());
}

void TwipsScale::SetHeight(QWidget& widget, double height) const {
  widget.resize(widget.width(), ToPixelsY(std::max(0.0, height)));
}

void TwipsScale::SetRight(QWidget& widget, double right) const {
  widget.resize(std::max(0, ToPixelsX(right) - widget.x()), widget.height());
}

void TwipsScale::SetBottom(QWidget& widget, double bottom) const {
  widget.resize(widget.width(), std::max(0, ToPixelsY(bottom) - widget.y()));
}

void TwipsScale::Move(QWidget& widget, double left, double top, double width, double height) const {
  SetLeft(widget, left);
  SetTop(widget, top);
  SetWidth(widget, width);
  SetHeight(widget, height);
}

int TwipsScale::HintHeight(const QWidget& widget) const {
  return ToTwipsY(widget.sizeHint().height());
}

}  // namespace cvx
