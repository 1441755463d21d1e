#include <gtest/gtest.h>

#include <QCoreApplication>

// Widget-free parts need only an event loop; it is made after GoogleTest took its arguments.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Indexes of test trees go to the build folder; a test that is about the cache sets its own.
  qputenv("XDG_CACHE_HOME", CVX_TEST_CACHE_DIR);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
