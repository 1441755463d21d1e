#include "actions/DataLocations.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

namespace cvx {
namespace {

namespace fs = std::filesystem;

// A build tree keeps the data next to the program; an installed one finds its prefix wherever it
// is (the folder may end in a slash); with nothing anywhere, the place next to the program.
TEST(DataLocations, NextToTheProgramElseBelowItsPrefix) {
  struct Case {
    std::vector<std::string> folders;
    std::string bin, demo, standins;
  };
  const Case cases[] = {
      {{"build/bin/data/demo", "build/bin/standins"},
       "build/bin",
       "build/bin/data/demo",
       "build/bin/standins"},
      {{"opt/bin", "opt/share/corvexa/demo", "opt/lib/corvexa/standins"},
       "opt/bin/",
       "opt/share/corvexa/demo",
       "opt/lib/corvexa/standins"},
      {{"bin", "lib/corvexa/standins"}, "bin", "bin/data/demo", "lib/corvexa/standins"},
  };
  for (const Case& c : cases) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    for (const auto& f : c.folders) fs::create_directories(root / f);
    const auto found = FindDataLocations((root / c.bin).string());
    EXPECT_EQ(found.demoDirectory, (root / c.demo).string()) << c.bin;
    EXPECT_EQ(found.standinRoot, (root / c.standins).string()) << c.bin;
  }
}

}  // namespace
}  // namespace cvx
