#include "shell/UnattendedBuild.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/MainWindowHarness.h"
#include "support/TempFolder.h"
#include "window/database/DatabaseBuildJob.h"

namespace cvx {
namespace {

// The exit status of a run whose start-up unloads the window.
struct UnattendedRun {
  explicit UnattendedRun(const std::vector<std::string>& args) : h(CVX_DEMO_DIR, "", args) {
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
  const std::string acme = R"(/dbbuild=NDS:\\CORP\ACME)";
  const UnattendedRun built({R"(/tree=NDS:\\CORP)", acme, "/autoclose", dbpath});
  EXPECT_EQ(built.status, 0);
  EXPECT_TRUE(std::filesystem::is_empty(built.h.folder.path()));  // nothing saved
  EXPECT_TRUE(built.h.prompter.messages.empty());
  // A missing folder: its message, and the end without building, "/autoclose" or not (as a press
  // of the build button replacing the database ends).
  for (const auto& args : {std::vector<std::string>{acme, "/autoclose", dbpath + "/gone"},
                           std::vector<std::string>{acme, dbpath + "/gone"}}) {
    const UnattendedRun missing(args);
    EXPECT_EQ(missing.status, 1);
    ASSERT_EQ(missing.h.prompter.messages.size(), 1u);
    EXPECT_TRUE(missing.h.prompter.messages[0].text.startsWith("The path specified"));
    EXPECT_TRUE(std::filesystem::is_empty(missing.h.folder.path()));
  }
  // A start-up that stops ends a run that closes by itself with 1: nobody is there to close it.
  EXPECT_EQ(
      UnattendedRun({R"(/tree=NDS:\\NOSUCH)", R"(/dbbuild=NDS:\\NOSUCH\X)", "/autoclose", dbpath})
          .status,
      1);
  EXPECT_TRUE(IsUnattendedBuild({R"(--dbbuild=NDS:\\CORP\ACME)", "--autoclose"}));
  EXPECT_FALSE(IsUnattendedBuild({acme}));
  EXPECT_FALSE(IsUnattendedBuild({"/autoclose"}));
}

}  // namespace
}  // namespace cvx
