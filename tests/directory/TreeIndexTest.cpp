// The index a folder keeps of each tree file in the cache folder: used only while it matches the
// files, rebuilt after every kind of change, and never trusted or fatal when it is damaged, of
// another format or cannot be written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtGlobal>
#include <filesystem>
#include <fstream>

#include "directory/DirectoryClient.h"
#include "directory/ldif/TreeIndex.h"
#include "support/TempFolder.h"

namespace cvx::test {

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kTwoUnits =
    "dn: o=ACME\nobjectClass: organization\no: ACME\n\n"
    "dn: ou=SALES,o=ACME\nobjectClass: organizationalUnit\nou: SALES\n\n"
    "dn: ou=SUPPORT,o=ACME\nobjectClass: organizationalUnit\nou: SUPPORT\n";
const Names kUnits{"SALES", "SUPPORT"};

// Sets a file's modification time `secondsAgo` in the past (files just written get no index).
void SetAge(const std::string& file, long secondsAgo) {
  struct timespec times[2];
  ::clock_gettime(CLOCK_REALTIME, &times[0]);
  times[1] = times[0];
  times[1].tv_sec -= secondsAgo;
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0) << file;
}

// The tree with one unit renamed to a name of the same length: the file keeps its size.
std::string Renamed(const std::string& from, const std::string& to) {
  std::string text = kTwoUnits;
  text.replace(text.find("ou=" + from + ","), 3 + from.size(), "ou=" + to);
  text.replace(text.find("ou: " + from + "\n"), 4 + from.size(), "ou: " + to);
  return text;
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
    WriteTree(kTwoUnits);
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
    if (!client) return {"open failed: " + client.message()};
    auto control = (*client)->CreateControl();
    control->SetContextPath(R"(NDS:\\T\ACME)");
    auto entries = control->ContextEntries();
    if (!entries) return {"enumeration failed: " + entries.message()};
    Names names;
    for (const auto& e : *entries) names.push_back(e->RelativeName());
    return names;
  }

  TempFolder folder_, cache_;
};

}  // namespace

TEST_F(TreeIndex, EachKindOfChangeIsSeenAtTheNextStartAndRebuildsTheIndex) {
  struct Case {
    const char* change;
    void (*apply)(TreeIndex&);
    Names units;
  };
  const Case cases[] = {
      {"an object renamed, same size, new time",
       [](TreeIndex& t) {
         t.WriteTree(Renamed("SALES", "SALEZ"));
         SetAge(t.Tree(), 30);
       },
       {"SALEZ", "SUPPORT"}},
      {"an object added",
       [](TreeIndex& t) {
         t.WriteTree(kTwoUnits + "\ndn: ou=LAB,o=ACME\nobjectClass: organizationalUnit\nou: LAB\n");
       },
       {"SALES", "SUPPORT", "LAB"}},
      {"same size and time, another file (inode)",
       [](TreeIndex& t) { RewriteKeepingTime(t.Tree(), Renamed("SUPPORT", "SUPPOSE"), true, 0); },
       {"SALES", "SUPPOSE"}},
      {"same time to the second, other nanoseconds",
       [](TreeIndex& t) { RewriteKeepingTime(t.Tree(), Renamed("SALES", "SALTS"), false, 1); },
       {"SALTS", "SUPPORT"}},
      {"a schema file touched", [](TreeIndex& t) { SetAge(t.Schema(), 30); }, kUnits},
  };
  for (const auto& c : cases) {
    WriteTree(kTwoUnits);
    ASSERT_EQ(Units(), kUnits) << c.change;
    const ino_t built = InodeOf(Index());
    ASSERT_NE(built, 0u) << c.change << ": no index written";
    ASSERT_EQ(Units(), kUnits) << c.change;
    EXPECT_EQ(InodeOf(Index()), built) << c.change << ": a matching index was not used";

    c.apply(*this);
    EXPECT_EQ(Units(), c.units) << c.change;
    const ino_t rebuilt = InodeOf(Index());
    EXPECT_NE(rebuilt, built) << c.change << ": the index was not rebuilt";
    EXPECT_EQ(Units(), c.units) << c.change;
    EXPECT_EQ(InodeOf(Index()), rebuilt) << c.change << ": the rebuilt index was not used";
  }
}

TEST_F(TreeIndex, ADamagedIndexOrOneOfAnotherFormatIsNeverTrustedAndIsRebuilt) {
  struct Case {
    const char* damage;
    void (*apply)(const std::string& index);
  };
  const Case cases[] = {
      {"garbage",
       [](const std::string& f) { std::ofstream(f, std::ios::trunc) << "not an index"; }},
      {"empty", [](const std::string& f) { std::ofstream(f, std::ios::trunc); }},
      {"cut in half", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) / 2); }},
      {"pages overwritten",
       [](const std::string& f) {
         std::fstream io(f, std::ios::in | std::ios::out | std::ios::binary);
         io.seekp(100);
         io << std::string(fs::file_size(f) - 200, '\x5a');
       }},
      {"another format",
       [](const std::string& f) {
         sqlite3* db = nullptr;
         sqlite3_open(f.c_str(), &db);
         sqlite3_exec(db, "UPDATE meta SET value = value || '0' WHERE key = 'format'", nullptr,
                      nullptr, nullptr);
         sqlite3_close(db);
       }},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Units(), kUnits) << c.damage;
    c.apply(Index());
    const ino_t damaged = InodeOf(Index());
    EXPECT_EQ(Units(), kUnits) << c.damage;
    EXPECT_NE(InodeOf(Index()), damaged) << c.damage << ": not rebuilt";
  }

  // Damaged after it was found good: the tree file answers instead, from that moment.
  auto client = OpenDirectoryClient(folder_.path(), "");
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  ASSERT_TRUE(control->FindEntry(R"(NDS:\\T\ACME)"));
  std::fstream(Index(), std::ios::in | std::ios::out | std::ios::binary)
      << std::string(fs::file_size(Index()), '\x5a');
  control->SetContextPath(R"(NDS:\\T\ACME)");
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(entries->size(), 2u);
}

// Each process writes its own file and renames it into place: whichever comes last, the index
// in place is whole, and nothing else is left in the cache folder, not even the staging file a
// killed writer left.
TEST_F(TreeIndex, TwoProcessesBuildingAtOnceLeaveOneWholeIndex) {
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  fs::create_directories(fs::path(Index()).parent_path());
  std::ofstream(Index() + "." + std::to_string(gone) + "-0.new") << "half an index";
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
  Names files;
  for (const auto& f : fs::directory_iterator(fs::path(Index()).parent_path())) {
    files.push_back(f.path().string());
  }
  EXPECT_EQ(files, Names{Index()});
  const ino_t built = InodeOf(Index());
  EXPECT_EQ(Units(), kUnits);
  EXPECT_EQ(InodeOf(Index()), built) << "the index they left was not used";
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
  EXPECT_NE(Units().front().find("failed"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(cache_.path()));
}

}  // namespace cvx::test
