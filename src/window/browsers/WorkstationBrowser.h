#pragma once

#include <QObject>

#include "window/controls/StatusPanels.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

class ImageListMy;
struct DirectoryControls;

// The workstation-database browser TreeViewWS of the "Workstation Database" settings frame: its
// selected container is where a database build starts.
class WorkstationBrowser : public QObject {
  Q_OBJECT

 public:
  WorkstationBrowser(QTreeWidget& TreeViewWS, StatusLine status, const ImageListMy& images,
                     const DirectoryControls& dir);

  // Rebuilds the browser from the tree root; the error number of the step that failed, or 0.
  int BrowseStartWS();

  void TreeViewWS_Expand(QTreeWidgetItem* node);
  void TreeViewWS_NodeClick(QTreeWidgetItem* node);

 private:
  QTreeWidget& tree_;
  StatusLine status_;
  const ImageListMy& images_;
  const DirectoryControls& dir_;
};

}  // namespace cvx
