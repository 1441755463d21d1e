#include "window/attributes/AttributeDisplay.h"

#include <QComboBox>
#include <QListWidget>

#include "BrowserFixture.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

using AttributeDisplay = BrowserFixture;

TEST_F(AttributeDisplay, PickersOfferTheLayoutsFieldsInSchemaOrderUnchecked) {
  const auto layouts = Access::dir(w()).NWDirUser->SchemaLayouts();
  ASSERT_TRUE(layouts);
  const char* names[] = {"user", "workstation"};
  for (int k = 0; k < 2; ++k) {
    const auto layout = layouts->Item(names[k]);
    ASSERT_TRUE(layout);
    const QListWidget* picker = ui().lstNDSInfoSelect[k];
    ASSERT_EQ(picker->count(), static_cast<int>(layout->Fields.size()));
    for (int i = 0; i < picker->count(); ++i) {
      EXPECT_EQ(picker->item(i)->text().toStdString(), layout->Fields[i].Name);
      EXPECT_TRUE(picker->item(i)->flags() & Qt::ItemIsUserCheckable);
      EXPECT_EQ(picker->item(i)->checkState(), Qt::Unchecked);
    }
  }
  EXPECT_FALSE(ui().lstNDSInfoSelect[0]->findItems("Telephone Number", Qt::MatchExactly).empty());
}

TEST_F(AttributeDisplay, TheLayoutBoxChoosesTheVisiblePicker) {
  EXPECT_FALSE(ui().lstNDSInfoSelect[0]->isHidden());
  EXPECT_TRUE(ui().lstNDSInfoSelect[1]->isHidden());
  ui().cmbNDSInfoLayout->setCurrentIndex(1);
  EXPECT_TRUE(ui().lstNDSInfoSelect[0]->isHidden());
  EXPECT_FALSE(ui().lstNDSInfoSelect[1]->isHidden());
}

TEST_F(AttributeDisplay, TheViewListsTheCheckedAttributesOfTheObject) {
  // Checked out of picker order: the picker's order is kept, and an unknown name passed over.
  SetCheckedAttributes(ui(), 0, {"Telephone Number", "Surname", "No Such Attribute"});
  EXPECT_EQ(CheckedAttributes(ui(), 0), (std::vector<std::string>{"Surname", "Telephone Number"}));
  EXPECT_EQ(Access::attributes(w()).getNDSinfo(kJsmith), 0);
  QTreeWidget& view = *ui().lvwNDSinfo;
  ASSERT_EQ(view.topLevelItemCount(), 4);
  EXPECT_EQ(view.topLevelItem(0)->text(1), "Smith");
  for (int i = 1; i < 4; ++i) EXPECT_EQ(view.topLevelItem(i)->text(0), "Telephone Number");
  EXPECT_EQ(view.topLevelItem(3)->text(1), "+1 555 0199");

  // Checks change the next listing, not the one shown; with none checked the view is emptied.
  SetCheckedAttributes(ui(), 0, {});
  EXPECT_EQ(view.topLevelItemCount(), 4);
  Access::attributes(w()).getNDSinfo(kJsmith);
  EXPECT_EQ(view.topLevelItemCount(), 0);

  SetCheckedAttributes(ui(), 0, {"Surname"});
  directory->Cut();
  EXPECT_EQ(Access::attributes(w()).getNDSinfo(kJsmith), kDirLost);
  EXPECT_EQ(view.topLevelItemCount(), 0);
  EXPECT_TRUE(StatusPanelText(ui(), 2).startsWith("The attributes of JSMITH.SALES.ACME "));
}

}  // namespace
}  // namespace cvx
