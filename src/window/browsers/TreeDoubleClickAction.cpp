#include "window/browsers/TreeDoubleClickAction.h"

#include <QApplication>
#include <QTreeWidget>

#include "window/launch/RemoteActionRun.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

void RunTreeDoubleClickAction(frmMain& w) {
  MainState& s = w.state();
  s.TreePickActive = true;
  s.HistoryPickActive = false;
  s.ResultPickActive = false;
  const QTreeWidgetItem* node = w.ui().TreeViewRC->currentItem();
  if (!node) return;
  const std::string image = NodeImage(node);
  if (image == "User" || image == "Alias") {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    s.TargetName = NodeKey(node);
    s.TargetClass = "User";  // an alias stands for its user
    SetStatusPanelText(w.ui(), 2, QStringLiteral("Connecting ..."));
    RunRemoteAction(w, NodeTag(node));
  } else if (image == "Workstation") {
    SetStatusPanelText(w.ui(), 2, QStringLiteral("Connecting ..."));
    s.TargetName = NodeKey(node);
    s.TargetClass = "Workstation";
    BuildAndLaunch(w, s.TargetName);
  }
}

void ConnectTreeDoubleClick(frmMain& w) {
  QObject::connect(w.ui().TreeViewRC, &QTreeWidget::itemDoubleClicked, &w,
                   [&w] { RunTreeDoubleClickAction(w); });
}

}  // namespace cvx
