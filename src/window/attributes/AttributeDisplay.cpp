#include "window/attributes/AttributeDisplay.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>

#include "core/UNCtoDOTConversion.h"
#include "directory/AttributeRows.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

QListWidget* Picker(const MainWindowControls& ui, int picker) {
  if (picker != kUserPicker && picker != kWorkstationPicker) return nullptr;
  return ui.lstNDSInfoSelect[static_cast<std::size_t>(picker)];
}

void FillPicker(QListWidget& picker, const LayoutCollection& layouts, const char* layoutName) {
  const auto layout = layouts.Item(layoutName);
  if (!layout) return;
  for (const FieldDef& field : layout->Fields) {
    auto* item = new QListWidgetItem(QString::fromStdString(field.Name), &picker);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

}  // namespace

int BuildNDSLayoutList(frmMain& w) {
  MainWindowControls& ui = w.ui();
  for (QListWidget* picker : ui.lstNDSInfoSelect) picker->clear();
  if (!w.dir().NWDirUser) return kDirClientMissing;
  const auto layouts = w.dir().NWDirUser->SchemaLayouts();
  if (!layouts) return layouts.error();
  FillPicker(*ui.lstNDSInfoSelect[kUserPicker], *layouts, "user");
  FillPicker(*ui.lstNDSInfoSelect[kWorkstationPicker], *layouts, "workstation");
  return kDirOk;
}

int getNDSinfo(frmMain& w, const std::string& NDSObject) {
  MainWindowControls& ui = w.ui();
  ui.lvwNDSinfo->clear();
  if (!w.dir().NWDirRCTree) return kDirClientMissing;
  const CheckedByPicker checked = {CheckedAttributes(ui, kUserPicker),
                                   CheckedAttributes(ui, kWorkstationPicker)};
  const AttributeListing listing = ListAttributes(*w.dir().NWDirRCTree, NDSObject, checked);
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(listing.rows.size()));
  for (const AttributeRow& row : listing.rows) {
    rows.append(new QTreeWidgetItem(
        QStringList{QString::fromStdString(row.Name), QString::fromStdString(row.Value)}));
  }
  ui.lvwNDSinfo->addTopLevelItems(rows);
  // Directory errors end nothing here; the administrator is told which object's attributes are
  // missing from the view.
  if (listing.error != kDirOk) {
    SetStatusPanelText(ui, 2,
                       QStringLiteral("The attributes of %1 could not be read (error %2).")
                           .arg(QString::fromStdString(DottedName(NDSObject)))
                           .arg(listing.error));
  }
  return listing.error;
}

std::vector<std::string> CheckedAttributes(const MainWindowControls& ui, int picker) {
  std::vector<std::string> names;
  const QListWidget* list = Picker(ui, picker);
  if (!list) return names;
  for (int i = 0; i < list->count(); ++i) {
    const QListWidgetItem* item = list->item(i);
    if (item->checkState() == Qt::Checked) names.push_back(item->text().toStdString());
  }
  return names;
}

void SetCheckedAttributes(MainWindowControls& ui, int picker,
                          const std::vector<std::string>& names) {
  QListWidget* list = Picker(ui, picker);
  if (!list) return;
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const std::string text = item->text().toStdString();
    const bool wanted = std::find(names.begin(), names.end(), text) != names.end();
    item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
  }
}

void cmbNDSInfoLayout_Click(MainWindowControls& ui) {
  const bool user = ui.cmbNDSInfoLayout->currentText() == QLatin1String("User");
  ui.lstNDSInfoSelect[kUserPicker]->setVisible(user);
  ui.lstNDSInfoSelect[kWorkstationPicker]->setVisible(!user);
}

void ConnectAttributeDisplay(frmMain& w) {
  MainWindowControls& ui = w.ui();
  QObject::connect(ui.cmbNDSInfoLayout, &QComboBox::currentIndexChanged, &w,
                   [&ui] { cmbNDSInfoLayout_Click(ui); });
}

}  // namespace cvx
