#include "window/layout/WindowGeometry.h"

#include <algorithm>
#include <initializer_list>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "window/controls/MainWindowControls.h"
#include "window/layout/SettingsPageGeometry.h"
#include "window/controls/TabPane.h"
#include "window/layout/TwipsScale.h"

namespace cvx {

namespace {

struct TwipsRect {
  double left;
  double top;
  double width;
  double height;
};

// Gap between a tab pane's edge and the page placed on it.
constexpr double kClientInset = 45;
// Margins of page 1 and the gaps between its rows.
constexpr double kPageLeft = 60;
constexpr double kFirstRowTop = 120;
constexpr double kLabelGap = 30;
constexpr double kRowGap = 120;
constexpr double kActionButtonWidth = 1800;
constexpr double kMenuButtonWidth = 300;
// The strips fill the gaps SizeControlsV and SizeControlsH leave between the views.
constexpr double kSplitterVWidth = 50;
constexpr double kSplitterHHeight = 30;

void MoveTo(const TwipsScale& t, QWidget& widget, const TwipsRect& r) {
  t.Move(widget, r.left, r.top, r.width, r.height);
}

// A tab bar shows only its row of tabs; the strip's remaining area is the pane below it, and the
// area inside the pane's frame is where the pages go. Returns that area.
TwipsRect PlaceTabStrip(const TwipsScale& t, QTabBar& bar, TabPane& pane, const TwipsRect& strip) {
  const double rowHeight = t.HintHeight(bar);
  QStyleOptionTab option;
  option.shape = bar.shape();
  const double overlap =
      t.ToTwipsY(bar.style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &option, &bar));
  t.Move(bar, strip.left, strip.top, strip.width, rowHeight);
  const double paneTop = strip.top + rowHeight - overlap;
  const double paneHeight = strip.top + strip.height - paneTop;
  t.Move(pane, strip.left, paneTop, strip.width, paneHeight);
  return {strip.left + kClientInset, paneTop + kClientInset, strip.width - 2 * kClientInset,
          paneHeight - 2 * kClientInset};
}

void ArrangeRemoteActionPage(MainWindowControls& c, const TwipsScale& t) {
  QWidget& page = *c.picControl[1];
  const double pageWidth = t.Width(page);
  const double pageHeight = t.Height(page);
  const double labelHeight = t.HintHeight(*c.lblRCUserFieldEntry);
  const double comboHeight = t.HintHeight(*c.ImageCombo1);

  t.Move(*c.lblRCUserFieldEntry, kPageLeft, kFirstRowTop, pageWidth - 200, labelHeight);
  t.SetWidth(*c.cmdRC, kActionButtonWidth);
  t.SetWidth(*c.Command1, kMenuButtonWidth);
  t.Move(*c.ImageCombo1, kPageLeft, t.Bottom(*c.lblRCUserFieldEntry) + kLabelGap,
         pageWidth - t.Width(*c.cmdRC) - t.Width(*c.Command1) - 200, comboHeight);
  // The two buttons sit flush right of the history box, on its line.
  t.Move(*c.cmdRC, t.Right(*c.ImageCombo1) + 60, t.Top(*c.ImageCombo1), t.Width(*c.cmdRC),
         t.Height(*c.ImageCombo1));
  t.Move(*c.Command1, t.Right(*c.cmdRC), t.Top(*c.cmdRC), t.Width(*c.Command1), t.Height(*c.cmdRC));

  t.Move(*c.lblRCUserFromNDS, kPageLeft, t.Bottom(*c.ImageCombo1) + kRowGap, pageWidth - 200,
         labelHeight);
  t.SetLeft(*c.TreeViewRC, kPageLeft);
  t.SetTop(*c.TreeViewRC, t.Bottom(*c.lblRCUserFromNDS) + kLabelGap);
  t.SetTop(*c.lvwNDSinfo, t.Top(*c.TreeViewRC));
  t.SetWidth(*c.lstMultiple, pageWidth - 120);
  t.SetHeight(*c.TreeViewRC, pageHeight - t.Top(*c.TreeViewRC) - 60);

  for (QFrame* strip : {c.imgSplitterV, c.picSplitterV}) {
    t.SetTop(*strip, t.Top(*c.TreeViewRC));
    t.SetHeight(*strip, t.Height(*c.TreeViewRC));
  }
  for (QFrame* strip : {c.imgSplitterH, c.picSplitterH}) {
    t.SetLeft(*strip, t.Left(*c.lstMultiple));
    t.SetWidth(*strip, t.Width(*c.lstMultiple));
  }
}

void ArrangeAboutPage(MainWindowControls& c, const TwipsScale& t) {
  const double pageWidth = t.Width(*c.picControl[1]);
  const double pageHeight = t.Height(*c.picControl[1]);
  t.Move(*c.FrameAbout, kPageLeft, 90, pageWidth - 120, pageHeight - 200);

  const double width = t.Width(*c.FrameAbout) - 240;
  const double gaps[] = {600, 120, 360, 240};
  double top = 0;
  for (std::size_t k = 0; k < c.lblAbout.size(); ++k) {
    QLabel& label = *c.lblAbout[k];
    // Wrapped lines need the height that goes with the width they get.
    const int widthPixels = std::max(1, t.ToPixelsX(width));
    const double height =
        t.ToTwipsY(label.heightForWidth(widthPixels) > 0 ? label.heightForWidth(widthPixels)
                                                         : label.sizeHint().height());
    top += gaps[k];
    t.Move(label, 120, top, width, height);
    top += height;
  }
}

}  // namespace

int WindowWidthTwips(const QMainWindow& window) {
  return TwipsScale(window).Width(window) + static_cast<int>(kFrameWidthTwips);
}

int WindowHeightTwips(const QMainWindow& window) {
  return TwipsScale(window).Height(window) + static_cast<int>(kFrameHeightTwips);
}

void ResizeWindowTwips(QMainWindow& window, double width, double height) {
  const TwipsScale t(window);
  window.resize(std::max(1, t.ToPixelsX(width - kFrameWidthTwips)),
                std::max(1, t.ToPixelsY(height - kFrameHeightTwips)));
}

void ArrangeControls(MainWindowControls& c, QMainWindow& window, double splitV, double splitH) {
  const TwipsScale t(window);
  const double statusHeight = t.HintHeight(*c.StatusBar);
  const TwipsRect strip{0, 0, WindowWidthTwips(window) - kFrameWidthTwips,
                        WindowHeightTwips(window) - (statusHeight + 400)};
  const TwipsRect client = PlaceTabStrip(t, *c.TabStrip, *c.TabStripPane, strip);
  for (std::size_t i = 1; i < c.picControl.size(); ++i) MoveTo(t, *c.picControl[i], client);

  const TwipsRect settingsClient = PlaceTabStrip(t, *c.TabStripSettings, *c.TabStripSettingsPane,
                                                 {0, 0, client.width, client.height});
  for (std::size_t i = 1; i < c.frameS.size(); ++i) MoveTo(t, *c.frameS[i], settingsClient);

  ArrangeRemoteActionPage(c, t);
  ArrangeSettingsFrames(c, t);
  ArrangeAboutPage(c, t);
  SizeControlsV(c, window, splitV);
  SizeControlsH(c, splitH);
}

void SizeControlsV(MainWindowControls& c, const QMainWindow& window, double x) {
  const TwipsScale t(window);
  // Edges are placed rather than lengths, so that the strip fills the gap between the views to
  // the pixel.
  t.SetRight(*c.TreeViewRC, x);
  t.SetLeft(*c.imgSplitterV, x);
  t.SetRight(*c.imgSplitterV, x + kSplitterVWidth);

  const double left = x + kSplitterVWidth;
  const double width = WindowWidthTwips(window) - (t.Width(*c.TreeViewRC) + 420);
  for (QWidget* right : std::initializer_list<QWidget*>{c.lvwNDSinfo, c.lstMultiple, c.picSplitterH,
                                                        c.imgSplitterH}) {
    t.SetLeft(*right, left);
    t.SetRight(*right, left + width);
  }
  const double column = t.Width(*c.lstMultiple) - 300;
  if (column >= 0) c.lstMultiple->setColumnWidth(0, t.ToPixelsX(column));
}

void SizeControlsH(MainWindowControls& c, double y) {
  const TwipsScale t(*c.picControl[1]);
  t.SetBottom(*c.lvwNDSinfo, y);
  t.SetTop(*c.imgSplitterH, y);
  t.SetBottom(*c.imgSplitterH, y + kSplitterHHeight);
  t.SetTop(*c.lstMultiple, y + kSplitterHHeight);
  t.SetBottom(*c.lstMultiple, t.Height(*c.picControl[1]) - 30);
}

}  // namespace cvx
