#include "shell/PasswordDialog.h"

#include <QInputDialog>
#include <QLineEdit>

namespace cvx {

std::optional<std::string> AskLdapPassword(const std::string& bindDn, const std::string& server) {
  bool ok = false;
  const QString password = QInputDialog::getText(
      nullptr, QStringLiteral("Corvexa"),
      QStringLiteral("Password of %1 on %2:")
          .arg(QString::fromStdString(bindDn), QString::fromStdString(server)),
      QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return password.toStdString();
}

}  // namespace cvx
