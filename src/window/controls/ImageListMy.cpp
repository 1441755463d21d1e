#include "window/controls/ImageListMy.h"

#include "window/controls/ClassPictures.h"

namespace cvx {

ImageListMy::ImageListMy() {
  const QStringList keys = {QStringLiteral("Top"),
                            QStringLiteral("Alias"),
                            QStringLiteral("Country"),
                            QStringLiteral("Organization"),
                            QStringLiteral("Organizational Unit"),
                            QStringLiteral("User"),
                            QStringLiteral("Workstation")};
  for (const QString& key : keys) {
    QIcon icon;
    // The larger picture serves screens that scale the window up.
    icon.addPixmap(ClassPicture(key, 16));
    icon.addPixmap(ClassPicture(key, 32));
    images_.emplace_back(key, icon);
  }
}

QStringList ImageListMy::Keys() const {
  QStringList keys;
  for (const auto& image : images_) keys << image.first;
  return keys;
}

QIcon ImageListMy::Icon(const QString& key) const {
  for (const auto& image : images_) {
    if (image.first == key) return image.second;
  }
  return {};
}

}  // namespace cvx
