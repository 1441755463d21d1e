// How a folder directory reports what is wrong with its files. Only folders can hold broken
// files, so these run against the folder backend alone.

#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

DirResult<DirectoryClientPtr> OpenFolder(const std::string& fixture,
                                         const std::string& preferredTree = "") {
  return EmbeddedDirectoryBackend().Open(fixture, preferredTree);
}

}  // namespace

TEST(FolderDirectory, OpenFailsWithoutAFolderOrAnyTree) {
  for (const auto* fixture : {"no-such-folder", "empty", "schemaonly"}) {
    auto opened = OpenFolder(fixture);
    EXPECT_EQ(opened.error(), kDirClientMissing) << fixture;
    EXPECT_FALSE(opened.message().empty()) << fixture;
  }
}

TEST(FolderDirectory, MalformedSchemaFileFailsTheOpenNamingTheFile) {
  auto opened = OpenFolder("badschema");
  EXPECT_EQ(opened.error(), kDirClientMissing);
  EXPECT_NE(opened.message().find("broken.schema"), std::string::npos) << opened.message();
}

// Trees are read when first needed, so a broken tree does not stop the open; every operation on
// it gives 600 and says where the file goes wrong.
TEST(FolderDirectory, BrokenTreeGives600NamingFileAndLine) {
  struct Case {
    const char* tree;
    std::vector<int> lines;  // the record's first line or the offending line
  };
  const Case cases[] = {
      {"BADRECORD", {11, 12}},  // a line without a colon
      {"ORPHAN", {11}},         // parent missing
      {"BADCLASS", {7, 8}},     // class no schema defines
  };
  auto opened = OpenFolder("badtrees");
  ASSERT_TRUE(opened) << opened.message();
  auto control = (*opened)->CreateControl();
  for (const auto& c : cases) {
    const std::string tree = c.tree;
    const std::string file = tree + ".ldif";
    auto found = control->FindEntry(R"(NDS:\\)" + tree + R"(\ACME)");
    EXPECT_EQ(found.error(), kDirLost) << tree;
    EXPECT_NE(found.message().find(file), std::string::npos) << found.message();
    EXPECT_TRUE(MentionsLine(found.message(), c.lines)) << found.message();

    control->SetContextPath(R"(NDS:\\)" + tree);
    EXPECT_EQ(control->ContextEntries().error(), kDirLost) << tree;
    EXPECT_EQ(control->ContextEntry().error(), kDirLost) << tree;
  }
}

TEST(FolderDirectory, BrokenTreesLeaveTheOthersWorking) {
  // The default tree, first by name, is a broken one.
  auto broken = OpenFolder("badtrees");
  ASSERT_TRUE(broken) << broken.message();
  EXPECT_EQ((*broken)->CreateSession()->ServerNames().error(), kDirLost);
  auto control = (*broken)->CreateControl();
  EXPECT_EQ(control->ContextEntry().error(), kDirLost);
  auto good = control->FindEntry(R"(NDS:\\GOOD\ACME\FS9)");
  ASSERT_TRUE(good) << good.message();
  EXPECT_EQ((*good)->Layout().Name, "NCP Server");

  auto preferred = OpenFolder("badtrees", "GOOD");
  ASSERT_TRUE(preferred) << preferred.message();
  auto servers = (*preferred)->CreateSession()->ServerNames();
  ASSERT_TRUE(servers) << servers.message();
  ASSERT_EQ(servers->size(), 1u);
  EXPECT_EQ(servers->front().ShortName, "FS9");
}

}  // namespace cvx::test
