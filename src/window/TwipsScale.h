#pragma once

class QWidget;

namespace cvx {

// Reads and writes a widget's edges in twips, relative to its parent, at the logical dpi of the
// screen the widget is on. Layout code works in twips and meets pixels only here.
class TwipsScale {
 public:
  explicit TwipsScale(const QWidget& widget);
  TwipsScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

  int ToPixelsX(double twips) const;
  int ToPixelsY(double twips) const;
  int ToTwipsX(double pixels) const;
  int ToTwipsY(double pixels) const;

  int Left(const QWidget& widget) const;
  int Top(const QWidget& widget) const;
  int Width(const QWidget& widget) const;
  int Height(const QWidget& widget) const;
  // The height the widget asks for, in twips.
  int HintHeight(const QWidget& widget) const;
  int Right(const QWidget& widget) const { return Left(widget) + Width(widget); }
  int Bottom(const QWidget& widget) const { return Top(widget) + Height(widget); }

  // A negative width or height is not a size: that assignment is skipped and the others stand,
  // so a window made very small leaves controls as they were instead of collapsing them.
  void SetLeft(QWidget& widget, double left) const;
  void SetTop(QWidget& widget, double top) const;
  void SetWidth(QWidget& widget, double width) const;
  void SetHeight(QWidget& widget, double height) const;
  void Move(QWidget& widget, double left, double top, double width, double height) const;

 private:
  double dpiX_;
  double dpiY_;
};

}  // namespace cvx
