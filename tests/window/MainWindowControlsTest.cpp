#include "window/controls/MainWindowControls.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

// What a control shows as its caption, whatever kind of control it is.
QString Caption(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
  return QString();
}

QStringList TabCaptions(const QTabBar* bar) {
  QStringList captions;
  for (int i = 0; i < bar->count(); ++i) captions << bar->tabText(i);
  return captions;
}

QStringList HeaderCaptions(const QTreeWidget* list) {
  QStringList captions;
  for (int i = 0; i < list->columnCount(); ++i) captions << list->headerItem()->text(i);
  return captions;
}

class MainWindowControlsTest : public ::testing::Test {
 protected:
  QMainWindow window;
  MainWindowControls c = BuildMainWindowControls(&window);
};

TEST_F(MainWindowControlsTest, EveryControlIsFoundByItsNameAndShowsItsCaption) {
  struct Expected {
    const char* name;
    QWidget* control;
    QString caption;
  };
  const Expected expected[] = {
      {"TabStrip", c.TabStrip, {}},
      {"picControl(1)", c.picControl[1], {}},
      {"picControl(2)", c.picControl[2], {}},
      {"picControl(3)", c.picControl[3], {}},
      {"lblRCUserFieldEntry", c.lblRCUserFieldEntry, "Enter Username or Workstation Name:"},
      {"ImageCombo1", c.ImageCombo1, {}},
      {"cmdRC", c.cmdRC, "Remote Control"},
      {"Command1", c.Command1, {}},
      {"lblRCUserFromNDS", c.lblRCUserFromNDS, "Set Context / Choose User or Workstation:"},
      {"TreeViewRC", c.TreeViewRC, {}},
      {"lvwNDSinfo", c.lvwNDSinfo, {}},
      {"lstMultiple", c.lstMultiple, {}},
      {"imgSplitterV", c.imgSplitterV, {}},
      {"picSplitterV", c.picSplitterV, {}},
      {"imgSplitterH", c.imgSplitterH, {}},
      {"picSplitterH", c.picSplitterH, {}},
      {"TabStripSettings", c.TabStripSettings, {}},
      {"frameS(1)", c.frameS[1], "Remote Management Settings"},
      {"frameS(2)", c.frameS[2], "Search Settings"},
      {"frameS(3)", c.frameS[3], "Select NDS attributes to be displayed"},
      {"frameS(4)", c.frameS[4],
       "Set NDS context to search (including subtrees) for workstations:"},
      {"lblServerlist", c.lblServerlist, "Select the server holding your Z.E.N.works files"},
      {"cmbServerlist", c.cmbServerlist, {}},
      {"lblInvServer", c.lblInvServer, "Enter the Inventory Server's IP name or address"},
      {"txtInvServer", c.txtInvServer, {}},
      {"optSubOrdTree(0)", c.optSubOrdTree[0], "Search Selected Context and all Subcontainer"},
      {"optSubOrdTree(1)", c.optSubOrdTree[1], "Search Selected Container Only"},
      {"CheckAlias", c.CheckAlias, "Include Aliases in Search"},
      {"lblSearchAnchor", c.lblSearchAnchor, "Search starts always from within"},
      {"txtSearchAnchor", c.txtSearchAnchor, {}},
      {"cmdPurgeH", c.cmdPurgeH, "Purge History"},
      {"cmbNDSInfoLayout", c.cmbNDSInfoLayout, {}},
      {"lstNDSInfoSelect(0)", c.lstNDSInfoSelect[0], {}},
      {"lstNDSInfoSelect(1)", c.lstNDSInfoSelect[1], {}},
      {"TreeViewWS", c.TreeViewWS, {}},
      {"frmDBopt", c.frmDBopt, {}},
      {"optDBfile(0)", c.optDBfile[0], "Append to Existing Database"},
      {"optDBfile(1)", c.optDBfile[1], "Overwrite Existing Database"},
      {"cmdBuildWSdb", c.cmdBuildWSdb, "Build Workstation Database"},
      {"FrameAbout", c.FrameAbout, {}},
      {"lblAbout(0)", c.lblAbout[0], "Corvexa"},
      {"lblAbout(1)", c.lblAbout[1], {}},
      {"StatusBar", c.StatusBar, {}},
      {"StatusPanel(1)", c.StatusPanel[1], {}},
      {"StatusPanel(2)", c.StatusPanel[2], {}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_NE(e.control, nullptr);
    // Handlers and tests find controls by name, so a name must be unique in the window.
    const auto found = window.findChildren<QWidget*>(QString::fromLatin1(e.name));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.front(), e.control);
    EXPECT_EQ(Caption(e.control), e.caption);
  }
  EXPECT_TRUE(c.lblAbout[3]->text().startsWith(QStringLiteral("Copyright \u00A9 2026")));
}

TEST_F(MainWindowControlsTest, TabsAndColumnsCarryTheirCaptions) {
  EXPECT_EQ(TabCaptions(c.TabStrip), (QStringList{"Remote Action", "Settings", "About"}));
  EXPECT_EQ(
      TabCaptions(c.TabStripSettings),
      (QStringList{"Remote Management", "Searching", "NDS Attributes", "Workstation Database"}));
  EXPECT_EQ(HeaderCaptions(c.lvwNDSinfo), (QStringList{"Attribute", "Value"}));
  EXPECT_EQ(HeaderCaptions(c.lstMultiple), (QStringList{"Search Results"}));
  EXPECT_FALSE(c.lvwNDSinfo->rootIsDecorated());
  EXPECT_FALSE(c.lstMultiple->rootIsDecorated());
  EXPECT_TRUE(c.TreeViewRC->isHeaderHidden());
  EXPECT_TRUE(c.TreeViewWS->isHeaderHidden());
}

TEST_F(MainWindowControlsTest, StatusPanelsAreTheWindowsStatusBar) {
  EXPECT_EQ(window.statusBar(), c.StatusBar);
  EXPECT_EQ(StatusPanelText(c, 1), QString());
  SetStatusPanelText(c, 1, QStringLiteral("Help"));
  SetStatusPanelText(c, 2, QStringLiteral("Searching ..."));
  EXPECT_EQ(c.StatusPanel[1]->text(), QStringLiteral("Help"));
  EXPECT_EQ(StatusPanelText(c, 2), QStringLiteral("Searching ..."));
  // Numbers without a panel are ignored rather than crashing a handler.
  SetStatusPanelText(c, 0, QStringLiteral("x"));
  SetStatusPanelText(c, 3, QStringLiteral("x"));
  EXPECT_EQ(StatusPanelText(c, 3), QString());
  EXPECT_EQ(StatusPanelText(c, 1), QStringLiteral("Help"));
}

TEST_F(MainWindowControlsTest, ALongStatusTextDoesNotWidenTheWindow) {
  const int before = window.minimumSizeHint().width();
  SetStatusPanelText(c, 2, QString(400, QLatin1Char('x')));
  EXPECT_EQ(window.minimumSizeHint().width(), before);
}

// A screen reader must be able to say what every control a person can reach is for; a labelled
// control is called what its label says.
TEST_F(MainWindowControlsTest, EveryOperableControlHasAnAccessibleName) {
  int named = 0;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    // Parts of a compound control (a combo box's line edit and its pop-up list) take its name.
    if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy()) continue;
    if (qobject_cast<QComboBox*>(control->parentWidget()) || control->window() != &window) continue;
    const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << control->objectName().toStdString();
    ++named;
  }
  EXPECT_GE(named, 20);
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->buddy()) continue;
    EXPECT_TRUE(label->text().startsWith(label->buddy()->accessibleName()));
  }
  EXPECT_EQ(c.ImageCombo1->accessibleName(), "Enter Username or Workstation Name");
  EXPECT_EQ(c.lblRCUserFieldEntry->text(), "Enter Username or Workstation Name:");
}

TEST_F(MainWindowControlsTest, TabWalksTheRemoteActionPageInWorkingOrder) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  c.ImageCombo1->setFocus();
  const QList<QWidget*> expected = {c.ImageCombo1, c.cmdRC,      c.Command1,
                                    c.TreeViewRC,  c.lvwNDSinfo, c.lstMultiple};
  QList<QWidget*> walked;
  for (int k = 0; k < expected.size(); ++k) {
    QWidget* focus = QApplication::focusWidget();
    // The box's typing field stands for the box.
    walked << (focus && focus->parentWidget() == c.ImageCombo1 ? c.ImageCombo1 : focus);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  EXPECT_EQ(walked, expected);
}

}  // namespace
}  // namespace cvx
