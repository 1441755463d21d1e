#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "actions/LauncherEnvironment.h"
#include "actions/SpawnLauncher.h"

namespace cvx {

// A real launcher on the stand-ins built next to the test program, with a fresh demo log that
// the stand-ins append to.
class StandinFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    setenv("CVX_DEMO_LOG", LogPath().c_str(), 1);
  }
  void TearDown() override { unsetenv("CVX_DEMO_LOG"); }

  static std::string StandinRoot() { return DefaultStandinRoot(CVX_PROGRAM_DIR); }
  std::string TempPath(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }
  std::string LogPath() const { return TempPath("demo.log"); }

  // The complete lines of the demo log, without their line ends.
  std::vector<std::string> LogLines() const {
    std::ifstream in(LogPath(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    std::vector<std::string> lines;
    std::string text = content.str();
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  // Each stand-in writes its line before it ends; nothing else tells when it ran.
  bool WaitForLogLines(std::size_t count) const {
    return QTest::qWaitFor([&] { return LogLines().size() >= count; }, 10000);
  }

  SpawnLauncher launcher_{StandinRoot()};
  QTemporaryDir dir_;
};

}  // namespace cvx
