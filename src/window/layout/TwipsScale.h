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

  // A negative width or height becomes 0: a control with no room left is collapsed rather than
  // left at an old size from which it would reach over its neighbours.
  void SetLeft(QWidget& widget, double left) const;
  void SetTop(QWidget& widget, double top) const;
  void SetWidth(QWidget& widget, double width) const;
  void SetHeight(QWidget& widget, double height) const;
  void Move(QWidget& widget, double left, double top, double width, double height) const;
  // Move the right (bottom) edge, keeping the left (top) one: the size is the distance between
  // the two edges in whole pixels, so that controls meeting at an edge meet to the pixel however
  // the lengths round. An edge before the other gives a size of 0.
  void SetRight(QWidget& widget, double right) const;
  void SetBottom(QWidget& widget, double bottom) const;

 private:
  double dpiX_;
  double dpiY_;
};

}  // namespace cvx
