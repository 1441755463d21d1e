#include <gtest/gtest.h>

#include <QCoreApplication>

// Tests of widget-free parts need only an event loop for the completions they wait on; the
// application object is made after GoogleTest has taken its own arguments.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
