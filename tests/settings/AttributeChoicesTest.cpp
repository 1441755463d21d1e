#include "settings/AttributeChoices.h"

#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "settings/SqliteSettingsStore.h"

namespace cvx {
namespace {

TEST(AttributeChoices, SaveReplacesTheSectionOfOneTreeAndKind) {
  StoreTestFolder folder;
  SqliteSettingsStore store(folder.StorePath());
  using V = std::vector<std::string>;
  SaveAttributeChoices(store, "T", AttributeObject::User, {"Surname", "Title"});
  SaveAttributeChoices(store, "T", AttributeObject::Workstation, {"WM:Network Address"});
  SaveAttributeChoices(store, "U", AttributeObject::User, {"CN"});
  EXPECT_EQ(store.ReadValue("NDS User\\T", "Title", ""), "1");

  ASSERT_TRUE(SaveAttributeChoices(store, "T", AttributeObject::User, {"Title"}).ok);
  EXPECT_EQ(LoadAttributeChoices(store, "T", AttributeObject::User), V{"Title"});
  EXPECT_EQ(LoadAttributeChoices(store, "T", AttributeObject::Workstation),
            V{"WM:Network Address"});
  EXPECT_EQ(LoadAttributeChoices(store, "U", AttributeObject::User), V{"CN"});
}

}  // namespace
}  // namespace cvx
