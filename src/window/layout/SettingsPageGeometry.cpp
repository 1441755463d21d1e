#include "window/layout/SettingsPageGeometry.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "window/controls/MainWindowControls.h"
#include "window/layout/TwipsScale.h"

namespace cvx {

namespace {

// Inside a frame: the left margin, the first row below the frame's caption, and the gaps between
// a label and its field and between one setting and the next.
constexpr double kInnerLeft = 120;
constexpr double kFirstRowTop = 360;
constexpr double kLabelGap = 30;
constexpr double kSettingGap = 240;
// Wide enough for a server name or an address, narrow enough to read as one field.
constexpr double kFieldWidth = 4000;
constexpr double kButtonWidth = 1800;
// Between the database build's controls and the line below them.
constexpr double kStateGap = 20;

// Puts widget at left, top with its natural height; returns the top of what follows below it.
double Stack(const TwipsScale& t, QWidget& widget, double top, double width, double gapBelow) {
  t.Move(widget, kInnerLeft, top, width, t.HintHeight(widget));
  return t.Bottom(widget) + gapBelow;
}

void ArrangeRemoteManagementFrame(MainWindowControls& c, const TwipsScale& t) {
  const double inner = t.Width(*c.frameS[1]) - 2 * kInnerLeft;
  double top = Stack(t, *c.lblServerlist, kFirstRowTop, inner, kLabelGap);
  top = Stack(t, *c.cmbServerlist, top, kFieldWidth, kSettingGap);
  top = Stack(t, *c.lblInvServer, top, inner, kLabelGap);
  Stack(t, *c.txtInvServer, top, kFieldWidth, 0);
}

void ArrangeSearchFrame(MainWindowControls& c, const TwipsScale& t) {
  const double inner = t.Width(*c.frameS[2]) - 2 * kInnerLeft;
  double top = Stack(t, *c.optSubOrdTree[0], kFirstRowTop, inner, kLabelGap);
  top = Stack(t, *c.optSubOrdTree[1], top, inner, kSettingGap);
  top = Stack(t, *c.CheckAlias, top, inner, kSettingGap);
  top = Stack(t, *c.lblSearchAnchor, top, inner, kLabelGap);
  top = Stack(t, *c.txtSearchAnchor, top, t.Width(*c.frameS[2]) - 240, kSettingGap + 120);
  Stack(t, *c.cmdPurgeH, top, kButtonWidth, 0);
}

void ArrangeAttributeFrame(MainWindowControls& c, const TwipsScale& t) {
  QGroupBox& frame = *c.frameS[3];
  t.Move(*c.cmbNDSInfoLayout, t.Left(*c.cmbServerlist), kFirstRowTop, t.Width(*c.cmbServerlist),
         t.HintHeight(*c.cmbNDSInfoLayout));
  // The frame reaches down as far as page 1 does, whatever the settings tab strip takes.
  t.SetHeight(frame, t.Height(*c.picControl[1]) - t.Top(frame) - 100);
  for (QListWidget* picker : c.lstNDSInfoSelect) {
    const double top = t.Bottom(*c.cmbNDSInfoLayout) + 120;
    t.Move(*picker, t.Left(*c.cmbServerlist), top, t.Width(*c.cmbServerlist) + 20,
           t.Height(frame) - top - 100);
  }
}

// Below the button and the option frame, across the frame, its text flush right under the
// button.
void PlaceDatabaseState(MainWindowControls& c, const TwipsScale& t, double frameWidth,
                        double stateRoom) {
  if (!c.lblDBstate) return;
  const double top = std::max(t.Bottom(*c.cmdBuildWSdb), t.Bottom(*c.frmDBopt)) + kStateGap;
  t.Move(*c.lblDBstate, kInnerLeft, top, frameWidth - 2 * kInnerLeft, stateRoom - kStateGap);
}

void ArrangeDatabaseFrame(MainWindowControls& c, const TwipsScale& t) {
  QGroupBox& frame = *c.frameS[4];
  const double frameWidth = t.Width(frame);
  // The line under the button that says how current the database is takes its room from the
  // browser.
  const double stateRoom = c.lblDBstate ? t.HintHeight(*c.lblDBstate) + kStateGap : 0;
  t.Move(*c.TreeViewWS, kInnerLeft, 270, frameWidth - 240, t.Height(frame) - 270 - 700 - stateRoom);

  // The button and the option frame share the line below the browser; the option frame reaches
  // 80 beyond the button above and below, so both look centred on one line.
  const double buttonWidth =
      std::max(kButtonWidth, static_cast<double>(t.ToTwipsX(c.cmdBuildWSdb->sizeHint().width())));
  const double buttonHeight = t.HintHeight(*c.cmdBuildWSdb);
  t.Move(*c.cmdBuildWSdb, frameWidth - kInnerLeft - buttonWidth, t.Bottom(*c.TreeViewWS) + 100,
         buttonWidth, buttonHeight);
  const double optionsTop = t.Top(*c.cmdBuildWSdb) - 80;
  const double optionsWidth = t.Left(*c.cmdBuildWSdb) - 2 * kInnerLeft;
  const double optionHeight = t.HintHeight(*c.optDBfile[0]);
  double sideBySide = 3 * kInnerLeft;
  for (const QRadioButton* option : c.optDBfile)
    sideBySide += t.ToTwipsX(option->sizeHint().width());

  if (optionsWidth >= sideBySide) {
    t.Move(*c.frmDBopt, kInnerLeft, optionsTop, optionsWidth, buttonHeight + 160);
    const double half = (optionsWidth - 2 * kInnerLeft) / 2;
    for (std::size_t k = 0; k < c.optDBfile.size(); ++k) {
      t.Move(*c.optDBfile[k], kInnerLeft + static_cast<double>(k) * half,
             (t.Height(*c.frmDBopt) - optionHeight) / 2, half, optionHeight);
    }
    PlaceDatabaseState(c, t, frameWidth, stateRoom);
    return;
  }
  // Too narrow for one line: the options go one above the other, and the frame takes the room
  // down to the bottom of the settings frame.
  t.Move(*c.frmDBopt, kInnerLeft, optionsTop, optionsWidth,
         t.Height(frame) - optionsTop - 60 - stateRoom);
  const double first = (t.Height(*c.frmDBopt) - 2 * optionHeight) / 2;
  for (std::size_t k = 0; k < c.optDBfile.size(); ++k) {
    t.Move(*c.optDBfile[k], kInnerLeft, first + static_cast<double>(k) * optionHeight,
           optionsWidth - 2 * kInnerLeft, optionHeight);
  }
  PlaceDatabaseState(c, t, frameWidth, stateRoom);
}

}  // namespace

void ArrangeSettingsFrames(MainWindowControls& c, const TwipsScale& t) {
  ArrangeRemoteManagementFrame(c, t);
  ArrangeSearchFrame(c, t);
  ArrangeAttributeFrame(c, t);
  ArrangeDatabaseFrame(c, t);
}

}  // namespace cvx
