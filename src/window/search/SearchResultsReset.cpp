#include "window/search/SearchResultsReset.h"

#include <QTreeWidget>

#include "window/frmMain.h"

namespace cvx {

void EmptySearchResults(frmMain& w) {
  QTreeWidget* list = w.ui().lstMultiple;
  list->clear();
  list->headerItem()->setText(0, QStringLiteral("Search Results"));
}

}  // namespace cvx
