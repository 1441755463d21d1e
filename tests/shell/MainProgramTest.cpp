#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include "fakes/MemorySettingsStore.h"
#include "fakes/RecordingLauncher.h"
#include "fakes/RecordingPrompter.h"
#include "fakes/frmMainTestAccess.h"
#include "shell/MainProgram.h"
#include "shell/frmHelpWindow.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

TEST(MainProgram, HelpRunParsesEverythingThenLeavesOnlyTheHelpWindow) {
  RecordingPrompter prompter;
  MemorySettingsStore store;
  RecordingLauncher launcher;
  frmMain::Ports ports;
  ports.directory = OpenDirectoryClient(CVX_DEMO_DIR, "");
  ports.prompter = &prompter;
  ports.settings = &store;
  ports.launcher = &launcher;
  ports.arguments = {R"(/tree=NDS:\\LEGACY /? /dbpath=c:\x)"};
  MainProgram program(std::move(ports));
  frmMain& w = program.window();
  QSignalSpy unloaded(&w, &frmMain::Unloaded);
  ASSERT_EQ(program.Load(), StartUpOutcome::kHelpRun);
  EXPECT_EQ(w.windowTitle(), "Corvexa on LEGACY");
  EXPECT_EQ(Access::state(w).start.DBPath, R"(c:\x)");
  EXPECT_TRUE(w.IsUnloaded());
  EXPECT_FALSE(w.isVisible());
  ASSERT_NE(program.helpWindow(), nullptr);
  EXPECT_TRUE(program.helpWindow()->isVisible());
  // Steps after the help test did not run.
  EXPECT_EQ(Access::ui(w).cmbServerlist->count(), 0);
  EXPECT_EQ(StatusPanelText(Access::ui(w), 2), "");
  // OK closes the help window, and with it the program.
  QSignalSpy ended(&program, &MainProgram::HelpRunEnded);
  program.helpWindow()->cmdOK()->click();
  EXPECT_FALSE(program.helpWindow()->isVisible());
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(unloaded.count(), 0);
}

}  // namespace
}  // namespace cvx
