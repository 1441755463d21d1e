// The help: its window, and a run that shows it alone.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "fakes/RecordingLauncher.h"
#include "fakes/RecordingPrompter.h"
#include "fakes/frmMainTestAccess.h"
#include "settings/LazySettingsStore.h"
#include "shell/HelpWindowTexts.h"
#include "shell/MainProgram.h"
#include "shell/frmHelpWindow.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

// Each option in a read-only box that needs no scrolling, its CR LF shown as one line break.
TEST(HelpWindowTest, ShowsEveryOptionInAReadOnlyBoxThatNeedsNoScrolling) {
  frmHelpWindow help;
  help.show();
  QApplication::processEvents();
  const auto texts = HelpWindowTexts();
  EXPECT_EQ(help.findChild<QLabel*>(QStringLiteral("lblSyntax"))->text(), texts[1].first);
  for (int k = 1; k <= 5; ++k) {
    const auto& [caption, text] = texts[static_cast<std::size_t>(k) + 1];
    SCOPED_TRACE(caption.toStdString());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")) &&
                !text.endsWith(QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(text.count(QLatin1Char('\r')), text.count(QLatin1Char('\n')));
    auto* label = help.findChild<QLabel*>(QStringLiteral("lblOption(%1)").arg(k));
    auto* box = help.findChild<QPlainTextEdit*>(QStringLiteral("txtOption(%1)").arg(k));
    ASSERT_TRUE(label && box);
    EXPECT_EQ(label->text(), caption);
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_EQ(box->toPlainText(),
              QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
  }
  help.cmdOK()->click();
  EXPECT_FALSE(help.isVisible());
}

// The whole line is read, then the help window alone is shown; its OK ends the program.
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
