#include "window/controls/MainWindowControls.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "window/controls/TabPane.h"
#include "window/database/DatabaseBuildPage.h"

namespace cvx {

namespace {

QString IndexedName(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(index);
}

template <typename Widget>
Widget* Make(QWidget* parent, const QString& name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(name);
  return widget;
}

template <typename Widget>
Widget* Make(QWidget* parent, const char* name) {
  return Make<Widget>(parent, QString::fromLatin1(name));
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = Make<QLabel>(parent, name);
  label->setText(text);
  return label;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = Make<Button>(parent, name);
  button->setText(caption);
  return button;
}

// A caption as a screen reader should say it: without the colon that ends a label.
QString SpokenCaption(const QString& caption) {
  QString name = caption.trimmed();
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

// A screen reader names the control after the label a person sees beside it; the label's colon
// is punctuation, not part of the name. The buddy also moves the focus from the label's mnemonic.
void NameAfterLabel(QWidget* control, QLabel* label) {
  label->setBuddy(control);
  control->setAccessibleName(SpokenCaption(label->text()));
}

// A combo box's typing field and pop-up list are objects of their own to a screen reader, the
// field the one with the focus: each is called what the box is called.
void NameComboParts(QComboBox* box) {
  if (QLineEdit* field = box->lineEdit()) field->setAccessibleName(box->accessibleName());
  box->view()->setAccessibleName(box->accessibleName());
}

QTabBar* MakeTabBar(QWidget* parent, const char* name, const QStringList& captions) {
  auto* bar = Make<QTabBar>(parent, name);
  // The pane below the bar draws the frame; the bar's own base line would cross it.
  bar->setDrawBase(false);
  bar->setExpanding(false);
  for (const QString& caption : captions) bar->addTab(caption);
  return bar;
}

QTreeWidget* MakeBrowser(QWidget* parent, const char* name) {
  auto* tree = Make<QTreeWidget>(parent, name);
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  return tree;
}

QTreeWidget* MakeReportList(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = Make<QTreeWidget>(parent, name);
  list->setHeaderLabels(columns);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  return list;
}

QFrame* MakeSplitterStrip(QWidget* parent, const char* name, Qt::CursorShape cursor) {
  auto* strip = Make<QFrame>(parent, name);
  strip->setCursor(cursor);
  return strip;
}

QFrame* MakeDragBar(QWidget* parent, const char* name) {
  auto* bar = Make<QFrame>(parent, name);
  bar->setAutoFillBackground(true);
  bar->setBackgroundRole(QPalette::Dark);
  bar->hide();
  return bar;
}

template <std::size_t N>
QButtonGroup* MakeOptionGroup(QWidget* parent, std::array<QRadioButton*, N>& options,
                              const char* name, const QStringList& captions) {
  auto* group = new QButtonGroup(parent);
  group->setObjectName(QString::fromLatin1(name));
  for (std::size_t k = 0; k < N; ++k) {
    options[k] = MakeButton<QRadioButton>(parent, IndexedName(name, static_cast<int>(k)),
                                          captions[static_cast<int>(k)]);
    group->addButton(options[k], static_cast<int>(k));
  }
  return group;
}

void BuildRemoteActionPage(MainWindowControls& c, QWidget* page) {
  c.lblRCUserFieldEntry =
      MakeLabel(page, "lblRCUserFieldEntry", QStringLiteral("Enter Username or Workstation Name:"));
  c.ImageCombo1 = Make<QComboBox>(page, "ImageCombo1");
  c.ImageCombo1->setEditable(true);
  // The history decides what enters the list, not the typing.
  c.ImageCombo1->setInsertPolicy(QComboBox::NoInsert);
  c.cmdRC =
      MakeButton<QPushButton>(page, QStringLiteral("cmdRC"), QStringLiteral("Remote Control"));
  c.Command1 = Make<QToolButton>(page, "Command1");
  c.Command1->setArrowType(Qt::DownArrow);
  c.lblRCUserFromNDS = MakeLabel(page, "lblRCUserFromNDS",
                                 QStringLiteral("Set Context / Choose User or Workstation:"));
  c.TreeViewRC = MakeBrowser(page, "TreeViewRC");
  c.lvwNDSinfo =
      MakeReportList(page, "lvwNDSinfo", {QStringLiteral("Attribute"), QStringLiteral("Value")});
  c.lstMultiple = MakeReportList(page, "lstMultiple", {QStringLiteral("Search Results")});
  c.imgSplitterV = MakeSplitterStrip(page, "imgSplitterV", Qt::SplitHCursor);
  c.imgSplitterH = MakeSplitterStrip(page, "imgSplitterH", Qt::SplitVCursor);
  // Made last so that a bar being dragged shows above the views it crosses.
  c.picSplitterV = MakeDragBar(page, "picSplitterV");
  c.picSplitterH = MakeDragBar(page, "picSplitterH");
}

void BuildRemoteManagementFrame(MainWindowControls& c, QWidget* frame) {
  c.lblServerlist = MakeLabel(frame, "lblServerlist",
                              QStringLiteral("Select the server holding your Z.E.N.works files"));
  c.cmbServerlist = Make<QComboBox>(frame, "cmbServerlist");
  c.cmbServerlist->setEditable(true);
  c.cmbServerlist->setInsertPolicy(QComboBox::NoInsert);
  c.lblInvServer = MakeLabel(frame, "lblInvServer",
                             QStringLiteral("Enter the Inventory Server's IP name or address"));
  c.txtInvServer = Make<QLineEdit>(frame, "txtInvServer");
}

void BuildSearchFrame(MainWindowControls& c, QWidget* frame) {
  c.optSubOrdTreeGroup =
      MakeOptionGroup(frame, c.optSubOrdTree, "optSubOrdTree",
                      {QStringLiteral("Search Selected Context and all Subcontainer"),
                       QStringLiteral("Search Selected Container Only")});
  c.CheckAlias = MakeButton<QCheckBox>(frame, QStringLiteral("CheckAlias"),
                                       QStringLiteral("Include Aliases in Search"));
  c.lblSearchAnchor =
      MakeLabel(frame, "lblSearchAnchor", QStringLiteral("Search starts always from within"));
  c.txtSearchAnchor = Make<QLineEdit>(frame, "txtSearchAnchor");
  c.txtSearchAnchor->setReadOnly(true);
  c.cmdPurgeH =
      MakeButton<QPushButton>(frame, QStringLiteral("cmdPurgeH"), QStringLiteral("Purge History"));
}

void BuildAttributeFrame(MainWindowControls& c, QWidget* frame) {
  c.cmbNDSInfoLayout = Make<QComboBox>(frame, "cmbNDSInfoLayout");
  for (int k = 0; k < 2; ++k) {
    c.lstNDSInfoSelect[k] = Make<QListWidget>(frame, IndexedName("lstNDSInfoSelect", k));
    c.lstNDSInfoSelect[k]->setUniformItemSizes(true);
  }
  c.lstNDSInfoSelect[1]->hide();
}

void BuildDatabaseFrame(MainWindowControls& c, QWidget* frame) {
  c.TreeViewWS = MakeBrowser(frame, "TreeViewWS");
  c.frmDBopt = Make<QGroupBox>(frame, "frmDBopt");
  c.optDBfileGroup = MakeOptionGroup(c.frmDBopt, c.optDBfile, "optDBfile",
                                     {QStringLiteral("Append to Existing Database"),
                                      QStringLiteral("Overwrite Existing Database")});
  c.cmdBuildWSdb = MakeButton<QPushButton>(frame, QStringLiteral("cmdBuildWSdb"),
                                           QStringLiteral("Build Workstation Database"));
  c.lblDBstate = MakeDatabaseStateLabel(frame);
}

void BuildSettingsPage(MainWindowControls& c, QWidget* page) {
  c.TabStripSettingsPane = new TabPane(page);
  c.TabStripSettingsPane->setObjectName(QStringLiteral("TabStripSettingsPane"));
  c.TabStripSettings =
      MakeTabBar(page, "TabStripSettings",
                 {QStringLiteral("Remote Management"), QStringLiteral("Searching"),
                  QStringLiteral("NDS Attributes"), QStringLiteral("Workstation Database")});
  // Choosing a settings page must not pull the focus away from where the administrator works.
  c.TabStripSettings->setFocusPolicy(Qt::NoFocus);

  const QStringList captions = {
      QStringLiteral("Remote Management Settings"), QStringLiteral("Search Settings"),
      QStringLiteral("Select NDS attributes to be displayed"),
      QStringLiteral("Set NDS context to search (including subtrees) for workstations:")};
  for (int i = 1; i <= 4; ++i) {
    c.frameS[i] = Make<QGroupBox>(page, IndexedName("frameS", i));
    c.frameS[i]->setTitle(captions[i - 1]);
    if (i != 1) c.frameS[i]->hide();
  }
  BuildRemoteManagementFrame(c, c.frameS[1]);
  BuildSearchFrame(c, c.frameS[2]);
  BuildAttributeFrame(c, c.frameS[3]);
  BuildDatabaseFrame(c, c.frameS[4]);
}

void BuildAboutPage(MainWindowControls& c, QWidget* page) {
  c.FrameAbout = Make<QGroupBox>(page, "FrameAbout");
  const QStringList texts = {
      QStringLiteral("Corvexa"), QString(),
      QStringLiteral("From a user or workstation name to a remote management session."),
      QStringLiteral("Copyright \u00A9 2026 The Corvexa developers")};
  for (int k = 0; k < 4; ++k) {
    c.lblAbout[k] = Make<QLabel>(c.FrameAbout, IndexedName("lblAbout", k));
    c.lblAbout[k]->setText(texts[k]);
    c.lblAbout[k]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.lblAbout[k]->setWordWrap(true);
  }
  QFont title = c.lblAbout[0]->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.8);
  c.lblAbout[0]->setFont(title);
}

void BuildStatusBar(MainWindowControls& c, QMainWindow* window) {
  c.StatusBar = new QStatusBar(window);
  c.StatusBar->setObjectName(QStringLiteral("StatusBar"));
  window->setStatusBar(c.StatusBar);
  for (int i = 1; i <= 2; ++i) {
    c.StatusPanel[i] = Make<QLabel>(c.StatusBar, IndexedName("StatusPanel", i));
    c.StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  // Wide enough for its "Help" and no more: it is a button, the other panel carries the texts.
  QLabel* help = c.StatusPanel[1];
  help->setFrameShadow(QFrame::Raised);
  help->setAlignment(Qt::AlignCenter);
  help->setMinimumWidth(help->fontMetrics().horizontalAdvance(QStringLiteral("Help")) + 24);
  // A long status text is cut off at the window's edge; it must not make the window wider.
  c.StatusPanel[2]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  c.StatusBar->addWidget(c.StatusPanel[1]);
  c.StatusBar->addWidget(c.StatusPanel[2], 1);
}

// What a screen reader says for each control a person can operate: its label's text where it has
// a label, else what it is for. Without a name a control inside a frame is called by the frame's
// title, and one outside by its kind alone.
void NameControls(MainWindowControls& c) {
  NameAfterLabel(c.ImageCombo1, c.lblRCUserFieldEntry);
  NameAfterLabel(c.TreeViewRC, c.lblRCUserFromNDS);
  NameAfterLabel(c.cmbServerlist, c.lblServerlist);
  NameAfterLabel(c.txtInvServer, c.lblInvServer);
  NameAfterLabel(c.txtSearchAnchor, c.lblSearchAnchor);
  c.Command1->setAccessibleName(QStringLiteral("Choose Default Action"));
  c.lvwNDSinfo->setAccessibleName(QStringLiteral("NDS Attributes"));
  c.lstMultiple->setAccessibleName(QStringLiteral("Search Results"));
  c.TabStrip->setAccessibleName(QStringLiteral("Pages"));
  c.TabStripSettings->setAccessibleName(QStringLiteral("Settings Pages"));
  c.cmbNDSInfoLayout->setAccessibleName(QStringLiteral("Attributes of Class"));
  c.lstNDSInfoSelect[0]->setAccessibleName(QStringLiteral("User Attributes to be displayed"));
  c.lstNDSInfoSelect[1]->setAccessibleName(
      QStringLiteral("Workstation Attributes to be displayed"));
  c.TreeViewWS->setAccessibleName(SpokenCaption(c.frameS[4]->title()));
  c.frmDBopt->setAccessibleName(QStringLiteral("Database File"));
  for (QComboBox* box : {c.ImageCombo1, c.cmbServerlist, c.cmbNDSInfoLayout}) NameComboParts(box);
}

// Tab walks each page as the work goes: name, action, its default, then the views left to right.
void SetFocusOrder(const MainWindowControls& c) {
  const std::initializer_list<QWidget*> page1 = {c.ImageCombo1, c.cmdRC,      c.Command1,
                                                 c.TreeViewRC,  c.lvwNDSinfo, c.lstMultiple};
  for (auto it = page1.begin(); it + 1 != page1.end(); ++it) QWidget::setTabOrder(*it, *(it + 1));
}

}  // namespace

MainWindowControls BuildMainWindowControls(QMainWindow* window) {
  MainWindowControls c;
  auto* central = new QWidget(window);
  central->setObjectName(QStringLiteral("centralWidget"));
  window->setCentralWidget(central);

  c.TabStripPane = new TabPane(central);
  c.TabStripPane->setObjectName(QStringLiteral("TabStripPane"));
  c.TabStrip = MakeTabBar(
      central, "TabStrip",
      {QStringLiteral("Remote Action"), QStringLiteral("Settings"), QStringLiteral("About")});
  for (int i = 1; i <= 3; ++i) {
    c.picControl[i] = Make<QWidget>(central, IndexedName("picControl", i));
    if (i != 1) c.picControl[i]->hide();
  }
  BuildRemoteActionPage(c, c.picControl[1]);
  BuildSettingsPage(c, c.picControl[2]);
  BuildAboutPage(c, c.picControl[3]);
  BuildStatusBar(c, window);
  c.menus = BuildActionMenus(window);
  NameControls(c);
  SetFocusOrder(c);
  return c;
}

}  // namespace cvx
