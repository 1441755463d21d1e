// What a folder directory makes of broken and unusual files.

#include <filesystem>
#include <regex>

#include "DirectoryConformance.h"
#include "directory/SchemaFileReader.h"
#include "directory/ldif/LdifTypeCheck.h"
#include "directory/ldif/StringArena.h"
#include "support/TempFolder.h"

namespace cvx::test {

TEST(FolderDirectory, OpenFailsWithoutAFolderOrATreeOrOnAMalformedSchemaNamingIt) {
  for (const char* fixture : {"no-such-folder", "empty", "schemaonly", "badschema"}) {
    auto opened = EmbeddedDirectoryBackend().Open(fixture, "");
    EXPECT_TRUE(opened.error() == kDirClientMissing && !opened.message().empty()) << fixture;
  }
  EXPECT_TRUE(Holds(EmbeddedDirectoryBackend().Open("badschema", "").message(), "broken.schema"));
}

// A broken tree (several crashed or fooled the reader once) stops neither the open nor the other
// trees; every call on it gives 600 naming file and line.
TEST(FolderDirectory, ABrokenTreeGives600NamingFileAndLineAndLeavesTheOthersWorking) {
  struct Case {
    const char *tree, *lines;  // the record's first line or the offending line
  };
  const Case cases[] = {
      {"BADRECORD", "11|12"},  // a line without a colon
      {"ORPHAN", "11"},        // parent missing
      {"BADCLASS", "7|8"},     // class no schema defines
      {"INCLUDE", "7"},        // "include:" would read another file into the tree
      {"URLVALUE", "10"},      // ":<" would read a value from a file
      {"NOTYPE", "8"},         // no attribute name: the LDIF parser would crash on it
      {"NUL", "9"},            // a raw NUL byte would rename the entry and swallow the next
      {"BADDN", "7"},          // a DN the DN parser refuses
      {"BADTYPE", "7"},        // the same, through a type that is not one
      {"BARENAME", "3"},       // a DN of no "type=value" at all
  };
  auto opened = EmbeddedDirectoryBackend().Open("badtrees", "");
  ASSERT_TRUE(opened) << opened.message();
  auto control = (*opened)->CreateControl();
  for (const auto& c : cases) {
    const std::string tree = R"(NDS:\\)" + std::string(c.tree);
    const std::regex where(std::string(c.tree) + R"(\.ldif:()" + c.lines + "):");
    const auto found = control->FindEntry(tree + R"(\ACME)");
    EXPECT_TRUE(found.error() == kDirLost && std::regex_search(found.message(), where))
        << c.tree << ": " << found.message();
    EXPECT_EQ(Listed(*control, tree), Names{"error 600"}) << c.tree;
    EXPECT_EQ(Shown(control->ContextEntry()), "error 600") << c.tree;
    const auto search = SearchAndWait(*control, "*", "User", kScopeSubtree, tree);
    EXPECT_TRUE(search.error() == kDirLost && std::regex_search(search.message(), where))
        << c.tree << ": " << search.message();
  }
  // The default tree, first by name, is a broken one; the sound one answers all the same.
  EXPECT_EQ((*opened)->CreateSession()->ServerNames().error(), kDirLost);
  EXPECT_EQ(Shown(control->FindEntry(R"(NDS:\\GOOD\ACME\FS9)")),
            R"(NDS:\\GOOD\ACME\FS9 (NCP Server))");
  auto good = EmbeddedDirectoryBackend().Open("badtrees", "GOOD");
  ASSERT_TRUE(good) << good.message();
  auto servers = (*good)->CreateSession()->ServerNames();
  ASSERT_TRUE(servers && servers->size() == 1) << servers.message();
  EXPECT_EQ(servers->front().ShortName, "FS9");
}

// Lines right after the DN without an attribute name crashed the LDIF parser; continuations,
// options and comments are no such lines.
TEST(FolderDirectory, LinesWithoutAnAttributeNameAreFound) {
  for (const char* line : {": v", ":: dg==", ":< file:///x", ":", "-", "\t: v", "\r:", "\v\f:"}) {
    const std::string record = std::string("dn: o=X\n") + line + "\nb: c\n";
    EXPECT_EQ(FindLineWithoutType(record.c_str(), 7), 8u) << line;
  }
  EXPECT_EQ(FindLineWithoutType("dn: o=X\na: b\n-\n", 1), 3u);
  for (const char* record :
       {"dn: o=X\na: b\n", "dn: o=X\na;lang-de: b\n", "dn: o=X\na: b\n :folded\n",
        "dn: o=X\n# :comment\na: b", "dn: o=X\n-x: b\n", "dn: o=X\n- \n", "dn:: bz1Y\n"}) {
    EXPECT_FALSE(FindLineWithoutType(record, 1)) << record;
  }
}

// Blank continuations and CR LF ends are harmless; bad input is error 7 naming file and line.
TEST(FolderDirectory, SchemaLinesEndingInCrLfAndBlankContinuationsAreHarmless) {
  for (const std::string end : {"\n", "\r\n"}) {
    const std::string def = "# notes" + end + end + "attributetype ( 1.9.1 NAME 'note'" + end +
                            "\t \t" + end + "  SYNTAX 1.3.6.1.4.1.1466.115.121.1.15 )" + end;
    auto parsed = ParseSchemaText(def, "x.schema");
    ASSERT_TRUE(parsed) << parsed.message();
    EXPECT_EQ(parsed->attributeTypes.size(), 1u);
  }
  for (const auto& [text, where] : {std::pair{"# nothing yet\n\t x\n", "y.schema:2"},
                                    {"# c\n\nnotes ( 1 )\n", "y.schema:3"},
                                    {"attributetype ( 1.9.1 NAME )\n", "y.schema:1"}}) {
    auto bad = ParseSchemaText(text, "y.schema");
    EXPECT_EQ(bad.error(), kDirClientMissing);
    EXPECT_TRUE(Holds(bad.message(), where)) << bad.message();
  }
}

// Escaped, multi-valued and blank-holding names, a class named by its OID, an address type by
// inheritance; a record of an old-style record number alone is skipped, not repeating the last.
TEST(FolderDirectory, EscapedNamesDerivedAddressTypesAndRecordNumbersAreReadAsMeant) {
  auto opened = EmbeddedDirectoryBackend().Open("unusual", "");
  ASSERT_TRUE(opened) << opened.message();
  auto control = (*opened)->CreateControl();
  EXPECT_EQ(Listed(*control, R"(NDS:\\T\ACME)"), (Names{"A,B", "PC 12", "Q+R"}));
  EXPECT_EQ(*control->FindEntry(R"(NDS:\\T\ACME\A,B)").value()->GetFieldValue("siteAddress"),
            Names{"TCP 10.0.0.21"});
}

// A superclass cycle is refused naming its classes; a diamond of 40 levels (2^40 paths from the
// bottom) opens at once.
TEST(FolderDirectory, ClassCyclesAreRefusedAndDeepDiamondsResolvedOnce) {
  std::string diamond;
  for (int level = 0; level < 40; ++level) {
    const std::string up = std::to_string(level - 1), at = std::to_string(level);
    for (const char* side : {"1", "2"}) {
      diamond += "objectclass ( 1.9." + at + "." + side + " NAME 'd" + at + "-" + side + "' SUP " +
                 (level ? "( d" + up + "-1 $ d" + up + "-2 )" : "top") +
                 " STRUCTURAL MAY description )\n";
    }
  }
  const std::pair<std::string, Names> cases[] = {
      {"objectclass ( 1.9.1 NAME 'pa' SUP pb STRUCTURAL )\n"
       "objectclass ( 1.9.2 NAME 'pb' SUP pa STRUCTURAL )\n",
       {"pa", "pb"}},
      {"objectclass ( 1.9.1 NAME 'qa' SUP ( top $ qc ) STRUCTURAL )\n"
       "objectclass ( 1.9.2 NAME 'qb' SUP qa STRUCTURAL )\n"
       "objectclass ( 1.9.3 NAME 'qc' SUP qb STRUCTURAL )\n",
       {"qa", "qb", "qc"}},
      {"objectclass ( 1.9.1 NAME 'self' SUP self STRUCTURAL )\n", {"self"}},
      {diamond, {}},  // opens
  };
  for (const auto& [schema, named] : cases) {
    TempFolder folder;
    std::filesystem::copy_file(FixtureFolder("basic") + "/core.schema", folder / "core.schema");
    folder.Write("extra.schema", schema);
    folder.Write("T.ldif", "dn: o=ACME\nobjectClass: organization\no: ACME\n");
    auto opened = OpenDirectoryClient(folder.path(), "");
    EXPECT_EQ(opened.error(), named.empty() ? kDirOk : kDirClientMissing) << opened.message();
    for (const auto& cls : named) EXPECT_TRUE(Holds(opened.message(), "'" + cls + "'")) << cls;
    if (opened) {  // Object Class and Description, once
      EXPECT_EQ((*opened)->CreateControl()->SchemaLayouts()->Item("d39-1")->Fields.size(), 2u);
    }
  }
}

// Kept text must stay where it is while blocks fill up and long values get blocks of their own.
TEST(StringArena, KeptTextStaysValidAcrossBlocksAndLongValues) {
  StringArena arena;
  std::vector<std::pair<std::string, std::string_view>> kept;
  for (int i = 0; i < 20000; ++i) {
    std::string text = "value " + std::to_string(i);
    if (i % 5000 == 0) text += std::string(200000, static_cast<char>('a' + i % 26));
    kept.emplace_back(text, arena.Keep(text));
  }
  for (const auto& [text, view] : kept) ASSERT_EQ(view, text);
  EXPECT_TRUE(arena.Keep("").empty());
}

}  // namespace cvx::test
