#include "actions/DataLocations.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

namespace cvx {
namespace {

namespace fs = std::filesystem;

class DataLocationsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  fs::path Root() const { return fs::path(dir_.path().toStdString()); }
  void MakeFolder(const fs::path& relative) const { fs::create_directories(Root() / relative); }

  QTemporaryDir dir_;
};

TEST_F(DataLocationsTest, BuildTreeKeepsTheDataNextToTheProgram) {
  MakeFolder("build/bin/data/demo");
  MakeFolder("build/bin/standins");
  const auto found = FindDataLocations((Root() / "build/bin").string());
  EXPECT_EQ(found.demoDirectory, (Root() / "build/bin/data/demo").string());
  EXPECT_EQ(found.standinRoot, (Root() / "build/bin/standins").string());
}

TEST_F(DataLocationsTest, InstalledProgramFindsItsPrefixWhereverItIs) {
  MakeFolder("opt/corvexa/bin");
  MakeFolder("opt/corvexa/share/corvexa/demo");
  MakeFolder("opt/corvexa/lib/corvexa/standins");
  // The folder as the system reports it may end in a slash.
  for (const std::string bin : {"opt/corvexa/bin", "opt/corvexa/bin/"}) {
    const auto found = FindDataLocations((Root() / bin).string());
    EXPECT_EQ(found.demoDirectory, (Root() / "opt/corvexa/share/corvexa/demo").string()) << bin;
    EXPECT_EQ(found.standinRoot, (Root() / "opt/corvexa/lib/corvexa/standins").string()) << bin;
  }
}

TEST_F(DataLocationsTest, NothingAnywhereNamesThePlaceNextToTheProgram) {
  MakeFolder("bin");
  MakeFolder("lib/corvexa/standins");
  const auto found = FindDataLocations((Root() / "bin").string());
  EXPECT_EQ(found.demoDirectory, (Root() / "bin/data/demo").string());
  EXPECT_EQ(found.standinRoot, (Root() / "lib/corvexa/standins").string());
}

}  // namespace
}  // namespace cvx
