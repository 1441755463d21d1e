// The index a folder keeps of each tree file in the cache folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtGlobal>
#include <filesystem>
#include <fstream>

#include "DirectoryConformance.h"
#include "directory/ldif/TreeIndex.h"
#include "support/TempFolder.h"

namespace cvx::test {

namespace {

namespace fs = std::filesystem;

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
         sqlite3* db = nullptr;
         sqlite3_open(t.Index().c_str(), &db);
         sqlite3_exec(db, "UPDATE meta SET value = value || '0' WHERE key = 'format'", nullptr,
                      nullptr, nullptr);
         sqlite3_close(db);
       }},
  };
  for (const auto& c : cases) {
    WriteTree(TreeOf());
    const ino_t built = IndexInUse(kUnits, c.change);
    c.apply(*this);
    EXPECT_NE(IndexInUse(c.units, c.change), built) << c.change << ": the index was not rebuilt";
  }

  // Damaged after it was found good: the tree file answers instead, from that moment.
  auto client = OpenDirectoryClient(folder_.path(), "");
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  ASSERT_TRUE(control->FindEntry(R"(NDS:\\T\ACME)"));
  std::fstream(Index(), std::ios::in | std::ios::out | std::ios::binary)
      << std::string(fs::file_size(Index()), '\x5a');
  EXPECT_EQ(Listed(*control, R"(NDS:\\T\ACME)"), kUnits);
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

}  // namespace cvx::test
