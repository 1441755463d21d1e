#pragma once

#include <QPixmap>
#include <QString>

namespace cvx {

// Pictures of the directory's object classes, drawn in code so that they look the same on every
// desktop whatever its icon theme. key is a class name of the image list; size the side in
// pixels. An unknown key gives a null pixmap.
QPixmap ClassPicture(const QString& key, int size);

}  // namespace cvx
