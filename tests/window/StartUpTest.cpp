#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>

#include "fakes/MainWindowHarness.h"
#include "support/TempFolder.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;
const std::string kBroken = std::string(CVX_TEST_DATA_DIR) + "/shell/broken";

QStringList ComboItems(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

std::vector<QAction*> ExtendedEntries(const ActionMenus& m) {
  return {m.mnuRV, m.mnuRe, m.mnuFT, m.mnuCH, m.mnuRD, m.mnuRI, m.mnuRP};
}

TEST(StartUp, NormalStartPreparesEveryControl) {
  MainWindowHarness h(kDemo, "", {});
  frmMain& w = *h.window;
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  const MainState& s = Access::state(w);
  const MainWindowControls& ui = Access::ui(w);

  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(s.start.TreeName, "CORP");
  EXPECT_EQ(w.windowTitle(), "Corvexa on CORP");
  EXPECT_TRUE(s.start.DBPathByDefault);  // a program folder that is not there holds no database
  EXPECT_NE(s.start.DBPath, "/opt/cvx/bin");
  EXPECT_EQ(StatusPanelText(ui, 2), "Remember to update the Workstation Database regularly!");
  EXPECT_EQ(ComboItems(ui.cmbServerlist), (QStringList{"FS1", "FS2"}));
  EXPECT_TRUE(s.start.ExtendedActionsAvailable);
  for (QAction* a : ExtendedEntries(ui.menus)) EXPECT_TRUE(a->isVisible() && a->isEnabled());
  EXPECT_FALSE(ui.Command1->isHidden());
  EXPECT_FALSE(ui.lblInvServer->isHidden());
  EXPECT_FALSE(ui.txtInvServer->isHidden());

  EXPECT_EQ(Access::dir(w).NWDirWSAddress->ContextPath(), R"(NDS:\\CORP)");
}

TEST(StartUp, ChosenTreeNamesEverythingAndAnswersTheSchemaTest) {
  // The default tree (CORP) knows the extended actions; the chosen one (LEGACY) does not.
  MainWindowHarness h(kDemo, "", {R"(/tree=NDS:\\legacy\)", "--dbpath=/srv/cvx db"});
  frmMain& w = *h.window;
  Access::state(w).actions.DefaultAction = "RV";  // whatever was chosen before, only RC remains
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  const MainWindowControls& ui = Access::ui(w);
  EXPECT_EQ(Access::state(w).start.TreeName, "LEGACY");  // spelled as the directory spells it
  EXPECT_EQ(w.windowTitle(), "Corvexa on LEGACY");
  EXPECT_FALSE(Access::state(w).start.ExtendedActionsAvailable);
  EXPECT_EQ(Access::state(w).actions.DefaultAction, "RC");
  for (QAction* a : ExtendedEntries(ui.menus)) EXPECT_FALSE(a->isVisible() || a->isEnabled());
  EXPECT_TRUE(ui.menus.mnuRC->isVisible());
  EXPECT_TRUE(ui.Command1->isHidden());
  EXPECT_TRUE(ui.txtInvServer->isHidden());
  EXPECT_EQ(Access::state(w).start.DBPath, "/srv/cvx db");
  const DirectoryControls& d = Access::dir(w);
  for (const auto* c : {&d.NWDirUser, &d.NWDirWSdb, &d.NWDirWSAddress}) {
    EXPECT_EQ((*c)->ContextPath(), R"(NDS:\\legacy)");
  }
  // The browsers start from their tree's root, as the directory spells it.
  EXPECT_EQ(d.NWDirRCTree->ContextPath(), R"(NDS:\\LEGACY)");
  EXPECT_EQ(d.NWDirWS->ContextPath(), R"(NDS:\\LEGACY)");
}

TEST(StartUp, MissingDirectoryShowsTheClientMessageAndSavesNothing) {
  MainWindowHarness h("/nonexistent/cvx-directory", "", {});
  frmMain& w = *h.window;
  QSignalSpy unloaded(&w, &frmMain::Unloaded);
  ASSERT_EQ(h.Load(), StartUpOutcome::kClientMissing);
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_EQ(h.prompter.messages[0].text,
            "Sorry! This application works with Novell Netware Client only!");
  EXPECT_TRUE(w.IsUnloaded());
  w.close();
  EXPECT_EQ(unloaded.count(), 0);  // the shutdown steps never ran
  EXPECT_FALSE(Access::dir(w).Created());
}

TEST(StartUp, FailingStepEndsStartUpThereAndShowsTheWindowSoFar) {
  // The only tree cannot be read: listing the servers fails, later steps do not run.
  MainWindowHarness h(kBroken, "", {});
  frmMain& w = *h.window;
  ASSERT_EQ(h.Load(), StartUpOutcome::kStopped);
  EXPECT_EQ(w.windowTitle(), "Corvexa on BROKEN");
  // The administrator learns which step failed and why, in the window and on stderr.
  const QString status = StatusPanelText(Access::ui(w), 2);
  EXPECT_TRUE(status.startsWith("Start-up stopped at listing the servers (error 600): "))
      << status.toStdString();
  EXPECT_TRUE(status.contains("BROKEN.ldif")) << status.toStdString();
  EXPECT_EQ(Access::ui(w).cmbNDSInfoLayout->count(), 0);
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_FALSE(w.IsUnloaded());

  // A run that closes by itself has nobody to close the half-prepared window: it is unloaded.
  MainWindowHarness closing(kBroken, "", {R"(/dbbuild=NDS:\\BROKEN\X)", "/autoclose"});
  ASSERT_EQ(closing.Load(), StartUpOutcome::kStoppedClosed);
  EXPECT_TRUE(closing.window->IsUnloaded());
}

TEST(Shutdown, ReleasesTheControlsInOrder) {
  MainWindowHarness h(kDemo, "", {});
  frmMain& w = *h.window;
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  std::vector<QString> released;
  const DirectoryControls& d = Access::dir(w);
  for (const auto* c :
       {&d.NWDirWSAddress, &d.NWDirWS, &d.NWDirWSdb, &d.NWDirUser, &d.NWDirRCTree}) {
    const QString name = (*c)->objectName();
    QObject::connect(c->get(), &QObject::destroyed,
                     [&released, name] { released.push_back(name); });
  }
  QSignalSpy unloaded(&w, &frmMain::Unloaded);
  w.close();
  EXPECT_EQ(unloaded.count(), 1);
  EXPECT_EQ(released, (std::vector<QString>{"NWDirRCTree", "NWDirUser", "NWDirWSdb", "NWDirWS",
                                            "NWDirWSAddress"}));
  w.close();  // a second close does nothing more
  EXPECT_EQ(unloaded.count(), 1);
}

TEST(Shutdown, UnattendedBuildThatClosesItselfLeavesEverything) {
  const test::TempFolder db;
  MainWindowHarness h(kDemo, "",
                      {R"(/dbbuild=NDS:\\CORP\ACME /autoclose)", "--dbpath=" + db.path()});
  frmMain& w = *h.window;
  ASSERT_EQ(h.Load(), StartUpOutcome::kUnloaded);
  EXPECT_TRUE(w.IsUnloaded());
  EXPECT_EQ(Access::state(w).start.DBBuildContext, R"(NDS:\\CORP\ACME)");
  EXPECT_TRUE(Access::dir(w).Created());  // nothing was released
  EXPECT_NE(Access::dir(w).NWDirWSAddress, nullptr);
}

TEST(Shutdown, UnattendedBuildWithoutAutoCloseRunsLikeANormalStart) {
  const test::TempFolder db;
  MainWindowHarness h(kDemo, "", {R"(/dbbuild=NDS:\\CORP\ACME)", "--dbpath=" + db.path()});
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  EXPECT_FALSE(h.window->IsUnloaded());
}

}  // namespace
}  // namespace cvx
