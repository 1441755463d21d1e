#pragma once

#include <QWidget>

namespace cvx {

// The framed area below a free-standing tab bar. A tab bar draws only its tabs; this draws the
// panel they open onto, so that the pages placed on it look like the pages of a tab widget.
class TabPane : public QWidget {
  Q_OBJECT

 public:
  explicit TabPane(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace cvx
