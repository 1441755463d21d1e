#pragma once

#include <array>

#include "window/menus/ActionMenus.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace cvx {

class TabPane;

// Every control of the main window. The window owns them through Qt's parent chain; this only
// points at them. Arrays of controls are indexed as the window's handlers number them: pages and
// settings frames from 1 (element 0 unused), pickers and option buttons from 0.
struct MainWindowControls {
  // Main tab strip and its pages: 1 "Remote Action", 2 "Settings", 3 "About".
  QTabBar* TabStrip = nullptr;
  TabPane* TabStripPane = nullptr;
  std::array<QWidget*, 4> picControl{};

  // Page 1.
  QLabel* lblRCUserFieldEntry = nullptr;
  QComboBox* ImageCombo1 = nullptr;  // history box
  QPushButton* cmdRC = nullptr;      // performs the default action
  QToolButton* Command1 = nullptr;   // opens the default-action menu
  QLabel* lblRCUserFromNDS = nullptr;
  QTreeWidget* TreeViewRC = nullptr;
  QTreeWidget* lvwNDSinfo = nullptr;
  QTreeWidget* lstMultiple = nullptr;
  QFrame* imgSplitterV = nullptr;  // grab strips between the views
  QFrame* imgSplitterH = nullptr;
  QFrame* picSplitterV = nullptr;  // bars shown while a splitter is dragged
  QFrame* picSplitterH = nullptr;

  // Page 2: settings tab strip and its frames 1 "Remote Management", 2 "Searching",
  // 3 "NDS Attributes", 4 "Workstation Database".
  QTabBar* TabStripSettings = nullptr;
  TabPane* TabStripSettingsPane = nullptr;
  std::array<QGroupBox*, 5> frameS{};

  QLabel* lblServerlist = nullptr;
  QComboBox* cmbServerlist = nullptr;
  QLabel* lblInvServer = nullptr;
  QLineEdit* txtInvServer = nullptr;

  std::array<QRadioButton*, 2> optSubOrdTree{};
  QButtonGroup* optSubOrdTreeGroup = nullptr;  // ids 0 and 1
  QCheckBox* CheckAlias = nullptr;
  QLabel* lblSearchAnchor = nullptr;
  QLineEdit* txtSearchAnchor = nullptr;
  QPushButton* cmdPurgeH = nullptr;

  QComboBox* cmbNDSInfoLayout = nullptr;
  std::array<QListWidget*, 2> lstNDSInfoSelect{};  // 0 user, 1 workstation attributes

  QTreeWidget* TreeViewWS = nullptr;
  QGroupBox* frmDBopt = nullptr;
  std::array<QRadioButton*, 2> optDBfile{};
  QButtonGroup* optDBfileGroup = nullptr;  // ids 0 and 1
  QPushButton* cmdBuildWSdb = nullptr;
  QLabel* lblDBstate = nullptr;  // how current the database is, under the button

  // Page 3: 0 program name, 1 version, 2 description, 3 notice.
  QGroupBox* FrameAbout = nullptr;
  std::array<QLabel*, 4> lblAbout{};

  // Status bar panels: 1 the "Help" panel, 2 status texts.
  QStatusBar* StatusBar = nullptr;
  std::array<QLabel*, 3> StatusPanel{};

  ActionMenus menus;
};

// Creates every control as a child of window (a central widget for the pages, the window's status
// bar, the pop-up menus), each named as the handlers name it, arrays as "frameS(3)". Page 1 and
// settings frame 1 are the visible ones. Every operable control has an accessible name, and Tab
// walks page 1 in working order. Nothing is placed yet: ArrangeControls does that.
MainWindowControls BuildMainWindowControls(QMainWindow* window);

}  // namespace cvx
