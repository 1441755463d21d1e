#include "window/attributes/AttributeDisplay.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>

#include "core/UNCtoDOTConversion.h"
#include "directory/AttributeRows.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/MainWindowControls.h"

namespace cvx {

namespace {

QListWidget* Picker(const std::array<QListWidget*, 2>& pickers, int picker) {
  if (picker != kUserPicker && picker != kWorkstationPicker) return nullptr;
  return pickers[static_cast<std::size_t>(picker)];
}

std::vector<std::string> Checked(const std::array<QListWidget*, 2>& pickers, int picker) {
  std::vector<std::string> names;
  const QListWidget* list = Picker(pickers, picker);
  if (!list) return names;
  for (int i = 0; i < list->count(); ++i) {
    const QListWidgetItem* item = list->item(i);
    if (item->checkState() == Qt::Checked) names.push_back(item->text().toStdString());
  }
  return names;
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

AttributeDisplay::AttributeDisplay(Controls controls, const DirectoryControls& dir)
    : c_(std::move(controls)), dir_(dir) {
  connect(c_.cmbNDSInfoLayout, &QComboBox::currentIndexChanged, this,
          [this] { cmbNDSInfoLayout_Click(); });
}

int AttributeDisplay::BuildNDSLayoutList() {
  for (QListWidget* picker : c_.lstNDSInfoSelect) picker->clear();
  if (!dir_.NWDirUser) return kDirClientMissing;
  const auto layouts = dir_.NWDirUser->SchemaLayouts();
  if (!layouts) return layouts.error();
  FillPicker(*c_.lstNDSInfoSelect[kUserPicker], *layouts, "user");
  FillPicker(*c_.lstNDSInfoSelect[kWorkstationPicker], *layouts, "workstation");
  return kDirOk;
}

int AttributeDisplay::getNDSinfo(const std::string& NDSObject) {
  c_.lvwNDSinfo->clear();
  if (!dir_.NWDirRCTree) return kDirClientMissing;
  const CheckedByPicker checked = {Checked(c_.lstNDSInfoSelect, kUserPicker),
                                   Checked(c_.lstNDSInfoSelect, kWorkstationPicker)};
  const AttributeListing listing = ListAttributes(*dir_.NWDirRCTree, NDSObject, checked);
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(listing.rows.size()));
  for (const AttributeRow& row : listing.rows) {
    rows.append(new QTreeWidgetItem(
        QStringList{QString::fromStdString(row.Name), QString::fromStdString(row.Value)}));
  }
  c_.lvwNDSinfo->addTopLevelItems(rows);
  // Directory errors end nothing here; the administrator is told which object's attributes are
  // missing from the view.
  if (listing.error != kDirOk) {
    c_.status.Set(QStringLiteral("The attributes of %1 could not be read (error %2).")
                      .arg(QString::fromStdString(DottedName(NDSObject)))
                      .arg(listing.error));
  }
  return listing.error;
}

void AttributeDisplay::ClearAttributes() {
  c_.lvwNDSinfo->clear();
}

void AttributeDisplay::cmbNDSInfoLayout_Click() {
  const bool user = c_.cmbNDSInfoLayout->currentText() == QLatin1String("User");
  c_.lstNDSInfoSelect[kUserPicker]->setVisible(user);
  c_.lstNDSInfoSelect[kWorkstationPicker]->setVisible(!user);
}

std::vector<std::string> CheckedAttributes(const MainWindowControls& ui, int picker) {
  return Checked(ui.lstNDSInfoSelect, picker);
}

void SetCheckedAttributes(MainWindowControls& ui, int picker,
                          const std::vector<std::string>& names) {
  QListWidget* list = Picker(ui.lstNDSInfoSelect, picker);
  if (!list) return;
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const std::string text = item->text().toStdString();
    const bool wanted = std::find(names.begin(), names.end(), text) != names.end();
    item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
  }
}

}  // namespace cvx
