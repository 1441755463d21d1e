#include "shell/OwnActionsLoading.h"

#include <iostream>

#include "core/OwnActionsFile.h"
#include "window/menus/ActionMenuHandlers.h"
#include "window/controls/Prompter.h"
#include "window/frmMain.h"

namespace cvx {

void LoadOwnActions(frmMain& w) {
  OwnActionsFile file = ReadOwnActions(w.ports().ownActionsFile);
  if (!file.problems.empty()) {
    QString text = QStringLiteral("Some of your own remote actions are left out:");
    for (const auto& problem : file.problems) {
      std::cerr << "cvx: " << problem << "\n";
      text += QStringLiteral("\r\n") + QString::fromStdString(problem);
    }
    w.prompter().ShowMessage(text, QStringLiteral("Warning!"), MessageIcon::kCritical);
  }
  w.state().OwnActions = std::move(file.actions);
  AddOwnActionEntries(w);
}

}  // namespace cvx
