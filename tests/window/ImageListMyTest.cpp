#include "window/controls/ImageListMy.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace cvx {
namespace {

QImage Picture(const ImageListMy& images, const QString& key) {
  return images.Icon(key).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ImageListMyTest, HoldsTheSevenClassesInOrder) {
  const ImageListMy images;
  EXPECT_EQ(images.Keys(), (QStringList{"Top", "Alias", "Country", "Organization",
                                        "Organizational Unit", "User", "Workstation"}));
}

TEST(ImageListMyTest, EveryClassHasItsOwnVisiblePicture) {
  const ImageListMy images;
  std::vector<QImage> seen;
  for (const QString& key : images.Keys()) {
    SCOPED_TRACE(key.toStdString());
    const QImage picture = Picture(images, key);
    ASSERT_EQ(picture.size(), QSize(16, 16));
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) opaque += qAlpha(picture.pixel(x, y)) > 128 ? 1 : 0;
    }
    // Enough ink to be recognised at a glance, with some background left around it.
    EXPECT_GT(opaque, 40);
    EXPECT_LT(opaque, 16 * 16);
    for (const QImage& other : seen) EXPECT_NE(picture, other);
    seen.push_back(picture);
  }
}

TEST(ImageListMyTest, UnknownClassHasNoPicture) {
  const ImageListMy images;
  EXPECT_TRUE(images.Icon(QStringLiteral("NCP Server")).isNull());
  EXPECT_TRUE(images.Icon(QString()).isNull());
  EXPECT_TRUE(images.Icon(QStringLiteral("user")).isNull());
}

}  // namespace
}  // namespace cvx
