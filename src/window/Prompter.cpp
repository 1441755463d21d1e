#include "window/Prompter.h"

#include <QMessageBox>
#include <cstdio>

namespace cvx {

void QtPrompter::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon,
                  title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                  QMessageBox::Ok, parent_);
  box.exec();
}

void StderrPrompter::ShowMessage(const QString& text, const QString& title, MessageIcon) {
  const QByteArray line = (title + QStringLiteral(": ") + text).toUtf8();
  std::fprintf(stderr, "%s\n", line.constData());
}

}  // namespace cvx
