#include "shell/UnattendedBuild.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "fakes/MainWindowHarness.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;

// A run whose start-up unloads the window, to its end.
struct UnattendedRun {
  explicit UnattendedRun(const std::vector<std::string>& args) : h(kDemo, "", args) {
    status = h.Load() == StartUpOutcome::kUnloaded ? FinishUnattendedRun(*h.window) : -1;
  }
  MainWindowHarness h;
  int status = -1;
};

TEST(UnattendedBuild, ExitStatusSaysWhetherTheDatabaseWasBuilt) {
  const test::TempFolder db;
  const std::string dbpath = "--dbpath=" + db.path();
  const UnattendedRun built(
      {R"(/tree=NDS:\\CORP)", R"(/dbbuild=NDS:\\CORP\ACME)", "/autoclose", dbpath});
  EXPECT_EQ(built.status, 0);
  const std::string records = db.Read("CORP.lst");
  EXPECT_EQ(std::count(records.begin(), records.end(), '\n'), 33);
  EXPECT_EQ(built.h.memoryStore.writes, 0);  // nothing saved
  EXPECT_TRUE(built.h.prompter.messages.empty());

  // A context that is not there: the search fails, the database stays as it was.
  EXPECT_EQ(UnattendedRun({R"(/dbbuild=NDS:\\CORP\NOWHERE)", "/autoclose", dbpath}).status, 1);
  EXPECT_EQ(db.Read("CORP.lst"), records);

  // A missing directory: the message, and the run ends without building.
  const UnattendedRun missing({R"(/dbbuild=NDS:\\CORP\ACME)", "/autoclose", dbpath + "/gone"});
  EXPECT_EQ(missing.status, 1);
  ASSERT_EQ(missing.h.prompter.messages.size(), 1u);
  EXPECT_TRUE(missing.h.prompter.messages[0].text.startsWith("The path specified"));
  // Without "/autoclose" the missing directory ends the run just the same.
  EXPECT_EQ(UnattendedRun({R"(/dbbuild=NDS:\\CORP\ACME)", dbpath + "/gone"}).status, 1);
}

TEST(UnattendedBuild, OnlyABuildThatClosesItselfIsUnattended) {
  EXPECT_TRUE(IsUnattendedBuild({R"(/dbbuild=NDS:\\CORP\ACME)", "/autoclose"}));
  EXPECT_TRUE(IsUnattendedBuild({R"(--dbbuild=NDS:\\CORP\ACME)", "--autoclose"}));
  EXPECT_FALSE(IsUnattendedBuild({R"(/dbbuild=NDS:\\CORP\ACME)"}));
  EXPECT_FALSE(IsUnattendedBuild({"/autoclose"}));
  EXPECT_FALSE(IsUnattendedBuild({}));
}

class Environment {
 public:
  explicit Environment(std::initializer_list<const char*> names) {
    for (const char* n : names) {
      const char* v = std::getenv(n);
      saved_.emplace_back(n, v ? std::optional<std::string>(v) : std::nullopt);
      ::unsetenv(n);
    }
  }
  ~Environment() {
    for (const auto& [n, v] : saved_) {
      if (v) {
        ::setenv(n.c_str(), v->c_str(), 1);
      } else {
        ::unsetenv(n.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(UnattendedBuild, OffscreenOnlyWithoutADisplayOrAChosenPlatform) {
  const Environment env{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  UseOffscreenPlatformWithoutDisplay();
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "offscreen");

  ::unsetenv("QT_QPA_PLATFORM");
  ::setenv("DISPLAY", ":0", 1);
  UseOffscreenPlatformWithoutDisplay();
  EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);

  ::unsetenv("DISPLAY");
  ::setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  UseOffscreenPlatformWithoutDisplay();
  EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);

  ::unsetenv("WAYLAND_DISPLAY");
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  UseOffscreenPlatformWithoutDisplay();
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb");
}

}  // namespace
}  // namespace cvx
