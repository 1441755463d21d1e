#include "window/AttributeDisplay.h"

#include <QComboBox>
#include <QListWidget>

#include "BrowserFixture.h"

namespace cvx {
namespace {

using AttributeDisplay = BrowserFixture;

using Rows = std::vector<std::pair<std::string, std::string>>;

QStringList PickerTexts(const QListWidget* picker) {
  QStringList texts;
  for (int i = 0; i < picker->count(); ++i) texts << picker->item(i)->text();
  return texts;
}

TEST_F(AttributeDisplay, PickersOfferTheLayoutsFieldsInSchemaOrderUnchecked) {
  const auto layouts = w().dir().NWDirUser->SchemaLayouts();
  ASSERT_TRUE(layouts);
  const char* names[] = {"user", "workstation"};
  for (int k = 0; k < 2; ++k) {
    const auto layout = layouts->Item(names[k]);
    ASSERT_TRUE(layout);
    QStringList fields;
    for (const auto& f : layout->Fields) fields << QString::fromStdString(f.Name);
    const QListWidget* picker = ui().lstNDSInfoSelect[k];
    EXPECT_EQ(PickerTexts(picker), fields);
    for (int i = 0; i < picker->count(); ++i) {
      EXPECT_TRUE(picker->item(i)->flags() & Qt::ItemIsUserCheckable);
      EXPECT_EQ(picker->item(i)->checkState(), Qt::Unchecked);
    }
  }
  EXPECT_TRUE(PickerTexts(ui().lstNDSInfoSelect[0]).contains("Telephone Number"));
  EXPECT_TRUE(PickerTexts(ui().lstNDSInfoSelect[1]).contains("WM:Network Address"));
}

TEST_F(AttributeDisplay, TheLayoutBoxChoosesTheVisiblePicker) {
  EXPECT_FALSE(ui().lstNDSInfoSelect[0]->isHidden());
  EXPECT_TRUE(ui().lstNDSInfoSelect[1]->isHidden());
  ui().cmbNDSInfoLayout->setCurrentIndex(1);
  EXPECT_TRUE(ui().lstNDSInfoSelect[0]->isHidden());
  EXPECT_FALSE(ui().lstNDSInfoSelect[1]->isHidden());
  ui().cmbNDSInfoLayout->setCurrentIndex(0);
  EXPECT_FALSE(ui().lstNDSInfoSelect[0]->isHidden());
}

class AttributeRowsShown : public AttributeDisplay {
 protected:
  Rows Shown(const std::string& object, int expectedError = 0) {
    EXPECT_EQ(getNDSinfo(w(), object), expectedError) << object;
    Rows rows;
    for (int i = 0; i < ui().lvwNDSinfo->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = ui().lvwNDSinfo->topLevelItem(i);
      rows.emplace_back(row->text(0).toStdString(), row->text(1).toStdString());
    }
    return rows;
  }
};

TEST_F(AttributeRowsShown, OneRowPerValueOfEachCheckedAttributeInPickerOrder) {
  // Checked out of picker order: the rows still follow the picker.
  SetCheckedAttributes(ui(), 0, {"Telephone Number", "Surname", "Network Address"});
  EXPECT_EQ(CheckedAttributes(ui(), 0),
            (std::vector<std::string>{"Surname", "Telephone Number", "Network Address"}));
  EXPECT_EQ(Shown(kJsmith), (Rows{{"Surname", "Smith"},
                                  {"Telephone Number", "+1 555 0101"},
                                  {"Telephone Number", "+1 555 0102"},
                                  {"Telephone Number", "+1 555 0199"},
                                  {"Network Address", "IPX 00001001:0060B0100101:4003"}}));
  // An empty value keeps its row; an attribute the object lacks has none.
  EXPECT_EQ(
      Shown(kSales + R"(\AWHITE)"),
      (Rows{{"Surname", "White"}, {"Telephone Number", "+1 555 0105"}, {"Network Address", ""}}));
  EXPECT_EQ(Shown(kSales + R"(\KBROWN)"),
            (Rows{{"Surname", "Brown"}, {"Telephone Number", "+1 555 0106"}}));

  // A workstation uses its own picker; with nothing checked there, nothing is listed.
  const std::string it03 = R"(NDS:\\CORP\ACME\IT\Workstation\IT03)";
  EXPECT_EQ(Shown(it03), Rows{});
  SetCheckedAttributes(ui(), 1, {"WM:Network Address", "No Such Attribute"});
  EXPECT_EQ(CheckedAttributes(ui(), 1), (std::vector<std::string>{"WM:Network Address"}));
  EXPECT_EQ(Shown(it03).size(), 3u);
  // Checks change the next listing, not the current one.
  SetCheckedAttributes(ui(), 1, {});
  EXPECT_EQ(ui().lvwNDSinfo->topLevelItemCount(), 3);
}

TEST_F(AttributeRowsShown, AnObjectThatCannotBeReadLeavesTheViewEmpty) {
  SetCheckedAttributes(ui(), 0, {"Surname"});
  ASSERT_EQ(Shown(kJsmith).size(), 1u);
  EXPECT_EQ(Shown(kSales + R"(\NOBODY)", kDirNoSuchObject), Rows{});
  directory->Cut();
  EXPECT_EQ(Shown(kJsmith, kDirLost), Rows{});
  EXPECT_TRUE(CheckedAttributes(ui(), 5).empty());
}

}  // namespace
}  // namespace cvx
