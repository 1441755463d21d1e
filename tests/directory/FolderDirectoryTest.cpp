// What a folder directory makes of broken and unusual files, and the index it keeps of each tree
// file in the cache folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtGlobal>
#include <filesystem>
#include <fstream>
#include <regex>

#include "DirectoryConformance.h"
#include "directory/SchemaFileReader.h"
#include "directory/ldif/IndexedTreeSource.h"
#include "directory/ldif/LdifTypeCheck.h"
#include "directory/ldif/StringArena.h"
#include "directory/ldif/TreeIndex.h"
#include "support/TempFolder.h"

namespace cvx::test {

namespace fs = std::filesystem;

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
  EXPECT_EQ((*good)->CreateSession()->ServerNames().value().front().ShortName, "FS9");
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
// inheritance; a record of an old-style record number alone and a change record are skipped, a
// folded one read whole. The index reads each record again for its values: the same.
TEST(FolderDirectory, EscapedNamesDerivedAddressTypesAndRecordNumbersAreReadAsMeant) {
  static int warnings = 0;  // a record the index cannot find again would make it reread the tree
  const auto previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
  for (const auto* backend : {&EmbeddedDirectoryBackend(), &IndexedDirectoryBackend()}) {
    SCOPED_TRACE(backend->Name());
    warnings = 0;
    auto opened = backend->Open("unusual", "");
    ASSERT_TRUE(opened) << opened.message();
    auto control = (*opened)->CreateControl();
    EXPECT_EQ(Listed(*control, R"(NDS:\\T\ACME)"), (Names{"A,B", "FOLD", "PC 12", "Q+R"}));
    auto value = [&](const char* path, const char* field) {
      auto entry = control->FindEntry(path);
      if (!entry) return Names{"none"};
      auto values = (*entry)->GetFieldValue(field);
      return values ? *values : Names{values.message()};
    };
    EXPECT_EQ(value(R"(NDS:\\T\ACME\A,B)", "siteAddress"), Names{"TCP 10.0.0.21"});
    EXPECT_EQ(value(R"(NDS:\\T\ACME\FOLD)", "description"), Names{"folded"});
    EXPECT_EQ(value(R"(NDS:\\T\ACME\Q+R)", "CN"), Names{"Q"});
    EXPECT_EQ(warnings, backend == &EmbeddedDirectoryBackend() ? 1 : 0);
  }
  qInstallMessageHandler(previous);
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
    fs::copy_file(FixtureFolder("basic") + "/core.schema", folder / "core.schema");
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
}

namespace {

// A tree of units below ACME; names of the same length keep its size.
std::string TreeOf(const std::vector<std::string>& units = {"SALES", "SUPPORT"}) {
  std::string ldif = "dn: o=ACME\nobjectClass: organization\no: ACME\n";
  for (const auto& unit : units) {
    ldif += "\ndn: ou=" + unit + ",o=ACME\nobjectClass: organizationalUnit\nou: " + unit + "\n";
  }
  return ldif;
}
const Names kUnits{"SALES", "SUPPORT"};

// Sets a file's modification time `secondsAgo` in the past (files just written get no index).
void SetAge(const std::string& file, long secondsAgo) {
  struct timespec times[2];
  ::clock_gettime(CLOCK_REALTIME, &times[0]);
  times[1] = times[0];
  times[1].tv_sec -= secondsAgo;
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0) << file;
}

// Writes `text` over the tree keeping its modification time, moved by `ns` nanoseconds; through
// a new file (another inode) when `replace`.
void RewriteKeepingTime(const std::string& tree, const std::string& text, bool replace, long ns) {
  struct stat old {};
  ::stat(tree.c_str(), &old);
  const std::string target = replace ? tree + ".next" : tree;
  std::ofstream(target, std::ios::binary | std::ios::trunc) << text;
  struct timespec times[2] = {old.st_atim, old.st_mtim};
  times[1].tv_nsec = (times[1].tv_nsec + ns) % 1000000000;
  ::utimensat(AT_FDCWD, target.c_str(), times, 0);
  if (replace) fs::rename(target, tree);
}

ino_t InodeOf(const std::string& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A folder with one tree T and its schema, and a cache folder of its own.
class TreeIndex : public ::testing::Test {
 public:
  void SetUp() override {
    qputenv("XDG_CACHE_HOME", cache_.path().c_str());
    fs::copy_file(std::string(CVX_TEST_DATA_DIR) + "/dirs/basic/core.schema", Schema());
    WriteTree(TreeOf());
  }
  std::string Tree() const { return folder_ / "T.ldif"; }
  std::string Schema() const { return folder_ / "core.schema"; }
  std::string Index() const { return TreeIndexFile(Tree(), "T").value_or(""); }
  void WriteTree(const std::string& text) {
    folder_.Write("T.ldif", text);
    SetAge(Tree(), 60);
    SetAge(Schema(), 60);
  }

  // The units below ACME as a fresh start of the program sees them.
  Names Units() const {
    auto client = OpenDirectoryClient(folder_.path(), "");
    return client ? Listed(*(*client)->CreateControl(), R"(NDS:\\T\ACME)")
                  : Names{client.message()};
  }
  // The index the next start finds (after building it), checked to be the one the start after uses.
  ino_t IndexInUse(const Names& units, const char* what) {
    EXPECT_EQ(Units(), units) << what;
    const ino_t used = InodeOf(Index());
    EXPECT_EQ(Units(), units) << what;
    EXPECT_TRUE(used && InodeOf(Index()) == used) << what << ": no index, or it was not used";
    return used;
  }

  TempFolder folder_, cache_;
};

}  // namespace

// Any change of the files, damage or another format is seen at the next start and rebuilt.
TEST_F(TreeIndex, AnIndexIsUsedOnlyWhileItMatchesTheFilesAndIsWhole) {
  struct Case {
    const char* change;
    void (*apply)(TreeIndex&);
    Names units = kUnits;
  };
  const Case cases[] = {
      {"an object renamed, same size, new time",
       [](TreeIndex& t) {
         t.WriteTree(TreeOf({"SALEZ", "SUPPORT"}));
         SetAge(t.Tree(), 30);
       },
       {"SALEZ", "SUPPORT"}},
      {"an object added",
       [](TreeIndex& t) {
         t.WriteTree(TreeOf({"SALES", "SUPPORT", "LAB"}));
       },
       {"LAB", "SALES", "SUPPORT"}},
      {"same size and time, another file (inode)",
       [](TreeIndex& t) {
         RewriteKeepingTime(t.Tree(), TreeOf({"SALES", "SUPPOSE"}), true, 0);
       },
       {"SALES", "SUPPOSE"}},
      {"same time to the second, other nanoseconds",
       [](TreeIndex& t) {
         RewriteKeepingTime(t.Tree(), TreeOf({"SALTS", "SUPPORT"}), false, 1);
       },
       {"SALTS", "SUPPORT"}},
      {"a schema file touched", [](TreeIndex& t) { SetAge(t.Schema(), 30); }},
      {"garbage",
       [](TreeIndex& t) { std::ofstream(t.Index(), std::ios::trunc) << "not an index"; }},
      {"empty", [](TreeIndex& t) { std::ofstream(t.Index(), std::ios::trunc); }},
      {"cut in half",
       [](TreeIndex& t) { fs::resize_file(t.Index(), fs::file_size(t.Index()) / 2); }},
      {"pages overwritten",
       [](TreeIndex& t) {
         std::fstream io(t.Index(), std::ios::in | std::ios::out | std::ios::binary);
         io.seekp(100);
         io << std::string(fs::file_size(t.Index()) - 200, '\x5a');
       }},
      {"another format",
       [](TreeIndex& t) {
         std::fstream io(t.Index(), std::ios::in | std::ios::out | std::ios::binary);
         io.seekp(19);
         io << '2';
       }},
  };
  for (const auto& c : cases) {
    WriteTree(TreeOf());
    const ino_t built = IndexInUse(kUnits, c.change);
    c.apply(*this);
    EXPECT_NE(IndexInUse(c.units, c.change), built) << c.change << ": the index was not rebuilt";
  }

  // The cache folder the first build made is the user's alone.
  EXPECT_EQ(fs::status(fs::path(Index()).parent_path()).permissions(), fs::perms::owner_all);

  // The tree file changed in place after its index was found good: the records are no longer
  // where the index says, and the tree file answers instead, from that moment.
  auto client = OpenDirectoryClient(folder_.path(), "");
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  ASSERT_TRUE(control->FindEntry(R"(NDS:\\T\ACME)"));
  RewriteKeepingTime(Tree(), "# moved\n" + TreeOf({"SALES", "SUPPORT", "LAB"}), false, 0);
  auto sales = control->FindEntry(R"(NDS:\\T\ACME\SALES)");
  ASSERT_TRUE(sales);
  EXPECT_EQ((*sales)->GetFieldValue("OU").value(), std::vector<std::string>{"SALES"});
  EXPECT_EQ(Listed(*control, R"(NDS:\\T\ACME)"), (Names{"LAB", "SALES", "SUPPORT"}));
}

// Each writer renames its own file into place: the index left is whole, and no staging file is
// left, not even one a killed writer left.
TEST_F(TreeIndex, TwoProcessesBuildingAtOnceLeaveOneWholeIndex) {
  fs::create_directories(fs::path(Index()).parent_path());
  std::ofstream(Index() + ".2147483647-0.new") << "half an index";  // no process has that number
  pid_t children[2];
  for (auto& child : children) {
    child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto client = OpenDirectoryClient(folder_.path(), "");
      ::_exit(client && (*client)->CreateControl()->FindEntry(R"(NDS:\\T\ACME\SALES)") ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const ino_t left = InodeOf(Index());
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Index()).parent_path()), {}), 1);
  EXPECT_EQ(IndexInUse(kUnits, "left by two"), left) << "the index they left was not used";
}

// A cache folder that cannot be made leaves the tree read in memory, with one warning; a run
// that fails before the tree is read writes no index.
TEST_F(TreeIndex, AnUnusableCacheOrAFailedReadLeavesNoIndex) {
  const std::string blocked = cache_.Write("blocked", "a file where the folder should be");
  qputenv("XDG_CACHE_HOME", blocked.c_str());
  static int warnings = 0;
  const auto previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
  EXPECT_EQ(Units(), kUnits);
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, 1);

  fs::remove(blocked);
  qputenv("XDG_CACHE_HOME", cache_.path().c_str());
  SetAge(folder_.Write("broken.schema", "objectclass ( 1.9.1 NAME 'x' SUP"), 60);
  EXPECT_FALSE(OpenDirectoryClient(folder_.path(), ""));
  fs::remove(folder_ / "broken.schema");
  WriteTree("dn: ou=ORPHAN,o=NOWHERE\nobjectClass: organizationalUnit\nou: ORPHAN\n");
  EXPECT_EQ(Units(), Names{"error 600"});
  EXPECT_TRUE(fs::is_empty(cache_.path()));
}

// An index whose checksum holds but whose sections do not (made by hand, or by a fault of the
// writer) is refused before anything is read through it.
TEST(TreeIndexCheck, EveryReferenceMustPointInsideTheIndex) {
  const auto good = [] {
    TreeIndexData d;
    d.text = "TREEOACLASS";  // names T... : "TREE", "O", "A"; class "CLASS"
    d.classes = {{6, 5}};
    d.nodes = {
        {-1, 0, 4, 0, 0, 0}, {0, 4, 1, kIndexContainer, 10, 0}, {1, 5, 1, kIndexAlias, 10, 10}};
    d.aliases = {{2, {4, 1}}};
    d.table = {0, 1, 2, 3, 0, 0, 0, 0};
    return d;
  };
  ASSERT_TRUE(CheckTreeIndex(good()));
  const std::pair<const char*, void (*)(TreeIndexData&)> faults[] = {
      {"a parent after its child", [](TreeIndexData& d) { d.nodes[1].parent = 2; }},
      {"a second tree object", [](TreeIndexData& d) { d.nodes[1].parent = -1; }},
      {"a name past the text", [](TreeIndexData& d) { d.nodes[2].nameSize = 7; }},
      {"an unknown class", [](TreeIndexData& d) { d.nodes[2].classAndFlags |= 1; }},
      {"a class name past the text", [](TreeIndexData& d) { d.classes[0].size = 6; }},
      {"an alias of no node", [](TreeIndexData& d) { d.aliases[0].node = 3; }},
      {"aliases out of order",
       [](TreeIndexData& d) {
         d.aliases.push_back({1, {4, 1}});
       }},
      {"a slot of no node", [](TreeIndexData& d) { d.table[4] = 4; }},
      {"a full table", [](TreeIndexData& d) { d.table.resize(2); }},
      {"no tree object", [](TreeIndexData& d) { d.nodes.clear(); }},
  };
  for (const auto& [fault, apply] : faults) {
    auto d = good();
    apply(d);
    EXPECT_FALSE(CheckTreeIndex(d)) << fault;
  }
}

}  // namespace cvx::test
