#include <gtest/gtest.h>

#include <QCoreApplication>

// The launcher tests wait for started programs on an event loop; no widgets are linked, and the
// stand-ins they start only print what they would show.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
