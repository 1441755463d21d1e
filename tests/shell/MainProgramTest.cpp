#include "shell/MainProgram.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include "fakes/RecordingLauncher.h"
#include "fakes/RecordingPrompter.h"
#include "fakes/frmMainTestAccess.h"
#include "settings/LazySettingsStore.h"
#include "shell/frmHelpWindow.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

// The line is read to the end (the tree and the folder take effect), then the help window alone
// is shown; its OK ends the program, without the main window's shutdown.
TEST(MainProgram, AHelpRunParsesEverythingThenLeavesOnlyTheHelpWindow) {
  RecordingPrompter prompter;
  const test::TempFolder folder;
  LazySettingsStore store(folder / "settings.sqlite3");
  RecordingLauncher launcher;
  const std::vector<std::string> args{R"(/tree=NDS:\\LEGACY /? /dbpath=c:\x)"};
  MainProgram program(
      {OpenDirectoryClient(CVX_DEMO_DIR, ""), &prompter, nullptr, &store, &launcher, "", args, ""});
  frmMain& w = program.window();
  QSignalSpy unloaded(&w, &frmMain::Unloaded);
  QSignalSpy ended(&program, &MainProgram::HelpRunEnded);
  ASSERT_EQ(program.Load(), StartUpOutcome::kHelpRun);
  EXPECT_EQ(w.windowTitle(), "Corvexa on LEGACY");
  EXPECT_EQ(Access::state(w).start.DBPath, R"(c:\x)");
  EXPECT_TRUE(w.IsUnloaded() && !w.isVisible());
  ASSERT_TRUE(program.helpWindow() && program.helpWindow()->isVisible());
  EXPECT_EQ(Access::ui(w).cmbServerlist->count(), 0);  // steps after the help test did not run
  program.helpWindow()->cmdOK()->click();
  EXPECT_FALSE(program.helpWindow()->isVisible());
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(unloaded.count(), 0);
}

}  // namespace
}  // namespace cvx
