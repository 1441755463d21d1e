#include "window/controls/Prompter.h"

#include <QMessageBox>
#include <cstdio>

#include "core/PrintableLines.h"
#include "window/controls/HourglassCursor.h"

namespace cvx {

void QtPrompter::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                  QMessageBox::Ok, parent_);
  // A box shown while a slow step holds the hourglass still gets the ordinary pointer.
  const HourglassCursor::Pause pointer;
  box.exec();
}

void StderrPrompter::ShowMessage(const QString& text, const QString& title, MessageIcon) {
  // Box texts may carry names from the directory: escaped, so they cannot forge lines.
  const std::string line = PrintableLines((title + QStringLiteral(": ") + text).toStdString());
  std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace cvx
