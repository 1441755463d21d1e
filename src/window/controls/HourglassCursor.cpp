#include "window/controls/HourglassCursor.h"

#include <QApplication>
#include <QCursor>

namespace cvx {

HourglassCursor::HourglassCursor() {
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourglassCursor::~HourglassCursor() {
  QApplication::restoreOverrideCursor();
}

HourglassCursor::Pause::Pause() {
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

HourglassCursor::Pause::~Pause() {
  QApplication::restoreOverrideCursor();
}

}  // namespace cvx
