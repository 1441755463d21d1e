#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Qt parts need an application with widgets; it is made after GoogleTest took its arguments.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Indexes of test trees go to the build folder; a test that is about the cache sets its own.
  qputenv("XDG_CACHE_HOME", CVX_TEST_CACHE_DIR);
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  // A window without --dbpath looks for its database in the user's or the shared folder: never
  // the ones of the machine the tests run on.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  qputenv("CVX_SHARED_DB_DIR", (data.path() + QStringLiteral("/shared")).toLocal8Bit());
  return RUN_ALL_TESTS();
}
