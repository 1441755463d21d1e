// How a folder directory reports what is wrong with its files. Only folders can hold broken
// files, so these run against the folder backend alone.

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "DirectoryConformance.h"
#include "directory/DirectoryClient.h"
#include "directory/SchemaFileReader.h"

namespace cvx::test {

namespace {

DirResult<DirectoryClientPtr> OpenFolder(const std::string& fixture,
                                         const std::string& preferredTree = "") {
  return EmbeddedDirectoryBackend().Open(fixture, preferredTree);
}

// A folder in `dir` with the core schema of a fixture and the given files.
std::string FolderWith(const QTemporaryDir& dir, const char* fixture,
                       const std::vector<std::pair<std::string, std::string>>& files) {
  const std::string folder = dir.path().toStdString();
  std::filesystem::copy_file(std::string(CVX_TEST_DATA_DIR) + "/dirs/" + fixture + "/core.schema",
                             folder + "/core.schema");
  for (const auto& [name, text] : files) std::ofstream(folder + "/" + name) << text;
  return folder;
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
      {"INCLUDE", {7}},         // "include:" would read another file into the tree
      {"URLVALUE", {10}},       // ":<" would read a value from a file
      {"NOTYPE", {8}},          // no attribute name: the LDIF parser would crash on it
      {"NUL", {9}},             // a raw NUL byte would rename the entry and swallow the next
      {"BADDN", {7}},           // a DN the DN parser refuses
      {"BADTYPE", {7}},         // the same, through a type that is not one
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

    // A search there fails with the same reason instead of completing with nothing found.
    SearchRecorder recorder(*control);
    control->StartSearch("*", "User", kScopeSubtree, R"(NDS:\\)" + tree);
    ASSERT_TRUE(recorder.WaitFor(1)) << tree;
    EXPECT_EQ(recorder.Outcomes()[0].error(), kDirLost) << tree;
    EXPECT_NE(recorder.Outcomes()[0].message().find(file), std::string::npos) << tree;
  }
}

// Blank continuation lines and line ends of CR LF are nothing; bad input is error 7 naming file
// and line, never a throw.
TEST(FolderDirectory, SchemaLinesEndingInCrLfAndBlankContinuationsAreHarmless) {
  for (const std::string end : {"\n", "\r\n"}) {
    const std::string def = "# notes" + end + end + "attributetype ( 1.9.1 NAME 'note'" + end +
                            "\t \t" + end + "  SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )" + end;
    auto parsed = ParseSchemaText(def, "x.schema");
    ASSERT_TRUE(parsed) << parsed.message();
    EXPECT_EQ(parsed->attributeTypes.size(), 1u);
  }
  for (const auto& [text, where] : std::vector<std::pair<std::string, std::string>>{
           {"# nothing yet\n\t x\n", "y.schema:2"},
           {"# c\n\nnotes ( 1 )\n", "y.schema:3"},
           {"attributetype ( 1.9.1 NAME )\n", "y.schema:1"}}) {
    auto bad = ParseSchemaText(text, "y.schema");
    EXPECT_EQ(bad.error(), kDirClientMissing);
    EXPECT_NE(bad.message().find(where), std::string::npos) << bad.message();
  }
}

// DNs that only the DN parser reads right (escapes, multi-valued names, blanks) are read by it; a
// class may be named by its OID; an attribute type derived from an address type is an address.
TEST(FolderDirectory, EscapedNamesAndDerivedAddressTypesAreReadAsMeant) {
  QTemporaryDir dir;
  const std::string folder = FolderWith(
      dir, "addresses",
      {{"site.schema",
        "attributetype ( 1.9.1 NAME 'siteAddress' SUP networkAddress )\n"
        "objectclass ( 1.9.2 NAME 'site' SUP top STRUCTURAL MUST cn MAY siteAddress )\n"},
       {"T.ldif",
        "dn: o=ACME\nobjectClass: organization\no: ACME\n\n"
        "dn: cn=A\\2CB,o=ACME\nobjectClass: site\ncn: A,B\nsiteAddress:: OSMCDAoAABU=\n\n"
        "dn: cn=Q+sn=R,o=ACME\nobjectClass: site\ncn: Q\n\n"
        "dn: cn=PC 12,o=ACME\nobjectClass: 1.9.2\ncn: PC 12\n"}});  // a class named by its OID
  auto opened = OpenDirectoryClient(folder, "");
  ASSERT_TRUE(opened) << opened.message();
  auto control = (*opened)->CreateControl();
  control->SetContextPath(R"(NDS:\\T\ACME)");
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(SortedNames(*entries), (std::vector<std::string>{"A,B", "PC 12", "Q+R"}));
  auto site = control->FindEntry(R"(NDS:\\T\ACME\A,B)");
  ASSERT_TRUE(site) << site.message();
  EXPECT_EQ(*(*site)->GetFieldValue("siteAddress"), std::vector<std::string>{"TCP 10.0.0.21"});
}

// The LDIF reader takes a record's first line that starts with a digit for an old-style record
// number and skips it; a record of nothing else must neither crash the load nor repeat the
// record before it.
TEST(FolderDirectory, RecordOfARecordNumberAloneIsSkipped) {
  QTemporaryDir dir;
  const std::string folder =
      FolderWith(dir, "basic",
                 {{"NUM.ldif",
                   "7\n\ndn: o=ACME\nobjectClass: organization\no: ACME\n\n"
                   "8\n\ndn: ou=SALES,o=ACME\nobjectClass: organizationalUnit\nou: SALES\n"}});
  auto opened = OpenDirectoryClient(folder, "");
  ASSERT_TRUE(opened) << opened.message();
  auto control = (*opened)->CreateControl();
  for (const std::string name : {R"(NDS:\\NUM\ACME)", R"(NDS:\\NUM\ACME\SALES)"}) {
    auto found = control->FindEntry(name);
    EXPECT_TRUE(found) << name << ": " << found.message();
  }
}

// Superclass links are followed once per class: a cycle is refused naming its classes, and a
// diamond of 40 levels (2^40 paths from the bottom, each class reached two ways) opens at once.
TEST(FolderDirectory, ClassCyclesAreRefusedAndDeepDiamondsResolvedOnce) {
  std::string diamond;
  const int levels = 40;
  for (int level = 0; level < levels; ++level) {
    for (const char* side : {"l", "r"}) {
      diamond += "objectclass ( 1.9." + std::to_string(level) + "." + (side[0] == 'l' ? "1" : "2") +
                 " NAME 'd" + std::to_string(level) + side + "' " +
                 (level ? "SUP ( d" + std::to_string(level - 1) + "l $ d" +
                              std::to_string(level - 1) + "r ) "
                        : "SUP top ") +
                 "STRUCTURAL MAY description )\n";
    }
  }
  struct Case {
    const char* name;
    std::string schema;
    std::vector<std::string> named;  // the classes the refusal names; empty: it opens
  };
  const Case cases[] = {
      {"two",
       "objectclass ( 1.9.1 NAME 'pa' SUP pb STRUCTURAL )\n"
       "objectclass ( 1.9.2 NAME 'pb' SUP pa STRUCTURAL )\n",
       {"pa", "pb"}},
      {"three below top",
       "objectclass ( 1.9.1 NAME 'qa' SUP ( top $ qc ) STRUCTURAL )\n"
       "objectclass ( 1.9.2 NAME 'qb' SUP qa STRUCTURAL )\n"
       "objectclass ( 1.9.3 NAME 'qc' SUP qb STRUCTURAL )\n",
       {"qa", "qb", "qc"}},
      {"itself", "objectclass ( 1.9.1 NAME 'self' SUP self STRUCTURAL )\n", {"self"}},
      {"diamond", diamond, {}},
  };
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const std::string folder =
        FolderWith(dir, "basic",
                   {{"extra.schema", c.schema},
                    {"T.ldif", "dn: o=ACME\nobjectClass: organization\no: ACME\n"}});
    auto opened = OpenDirectoryClient(folder, "");
    if (c.named.empty()) {
      ASSERT_TRUE(opened) << c.name << ": " << opened.message();
      auto layouts = (*opened)->CreateControl()->SchemaLayouts();
      ASSERT_TRUE(layouts) << layouts.message();
      auto bottom = layouts->Item("d" + std::to_string(levels - 1) + "l");
      ASSERT_TRUE(bottom) << bottom.message();
      EXPECT_EQ(bottom->Fields.size(), 2u) << c.name;  // Object Class, Description
      continue;
    }
    EXPECT_EQ(opened.error(), kDirClientMissing) << c.name;
    for (const auto& cls : c.named) {
      EXPECT_NE(opened.message().find("'" + cls + "'"), std::string::npos)
          << c.name << ": " << opened.message();
    }
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
