#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>
#include <vector>

namespace cvx {

// The window's pictures of directory objects, keyed by class name. Tree nodes, history entries
// and result entries show them, and the key of a node's picture doubles as its class.
class ImageListMy {
 public:
  ImageListMy();

  // "Top", "Alias", "Country", "Organization", "Organizational Unit", "User", "Workstation".
  QStringList Keys() const;
  // A null icon for a key that is not in the list.
  QIcon Icon(const QString& key) const;

 private:
  std::vector<std::pair<QString, QIcon>> images_;
};

}  // namespace cvx
