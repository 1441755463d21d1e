#include "shell/UnattendedBuild.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "fakes/MainWindowHarness.h"
#include "support/TempFolder.h"
#include "window/database/DatabaseBuildJob.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;

// A run whose start-up unloads the window, to its end.
struct UnattendedRun {
  explicit UnattendedRun(const std::vector<std::string>& args) : h(kDemo, "", args) {
    const StartUpOutcome outcome = h.Load();
    if (outcome == StartUpOutcome::kUnloaded || outcome == StartUpOutcome::kStoppedClosed) {
      status = FinishUnattendedRun(h.window->buildJob(), outcome == StartUpOutcome::kStoppedClosed);
    }
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
  EXPECT_EQ(std::count(records.begin(), records.end(), '\n'), 33);  // all written before the end
  EXPECT_EQ(built.h.memoryStore.writes, 0);                         // nothing saved
  EXPECT_TRUE(built.h.prompter.messages.empty());

  // A missing directory: the message, and the run ends without building.
  const UnattendedRun missing({R"(/dbbuild=NDS:\\CORP\ACME)", "/autoclose", dbpath + "/gone"});
  EXPECT_EQ(missing.status, 1);
  ASSERT_EQ(missing.h.prompter.messages.size(), 1u);
  EXPECT_TRUE(missing.h.prompter.messages[0].text.startsWith("The path specified"));
  EXPECT_EQ(missing.h.memoryStore.writes, 0);
  // Without "/autoclose" the missing directory ends the run just the same.
  EXPECT_EQ(UnattendedRun({R"(/dbbuild=NDS:\\CORP\ACME)", dbpath + "/gone"}).status, 1);
  // A start-up that stops ends a run that closes by itself, with 1: nobody is there to close it.
  EXPECT_EQ(
      UnattendedRun({R"(/tree=NDS:\\NOSUCH)", R"(/dbbuild=NDS:\\NOSUCH\X)", "/autoclose", dbpath})
          .status,
      1);
}

TEST(UnattendedBuild, OnlyABuildThatClosesItselfIsUnattended) {
  EXPECT_TRUE(IsUnattendedBuild({R"(/dbbuild=NDS:\\CORP\ACME)", "/autoclose"}));
  EXPECT_TRUE(IsUnattendedBuild({R"(--dbbuild=NDS:\\CORP\ACME)", "--autoclose"}));
  EXPECT_FALSE(IsUnattendedBuild({R"(/dbbuild=NDS:\\CORP\ACME)"}));
  EXPECT_FALSE(IsUnattendedBuild({"/autoclose"}));
  EXPECT_FALSE(IsUnattendedBuild({}));
}

TEST(UnattendedBuild, OffscreenUnlessAPlatformWasChosen) {
  const QByteArray saved[] = {qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                              qgetenv("QT_QPA_PLATFORM")};
  const auto platformAfter = [](const char* display) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    if (display) ::setenv(display, "x", 1);
    UseOffscreenPlatform();
    return qgetenv("QT_QPA_PLATFORM");
  };
  // A display that is set may be one that cannot be reached; the run needs none.
  EXPECT_EQ(platformAfter(nullptr), "offscreen");
  EXPECT_EQ(platformAfter("DISPLAY"), "offscreen");
  EXPECT_EQ(platformAfter("WAYLAND_DISPLAY"), "offscreen");
  EXPECT_EQ(platformAfter("QT_QPA_PLATFORM"), "x");  // a platform chosen stands
  const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  for (int i = 0; i < 3; ++i) {
    if (saved[i].isEmpty()) {
      ::unsetenv(names[i]);
    } else {
      ::setenv(names[i], saved[i].constData(), 1);
    }
  }
}

}  // namespace
}  // namespace cvx
