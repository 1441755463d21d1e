#include <gtest/gtest.h>

#include <QCoreApplication>

// The directory's controls are Qt objects: an application object, but no widgets.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
