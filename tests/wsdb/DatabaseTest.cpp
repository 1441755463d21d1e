// The database file as builds write it and look-ups read it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <optional>

#include "directory/DirectoryClient.h"
#include "support/TempFolder.h"
#include "support/UnprivilegedScope.h"
#include "wsdb/DatabaseBuildRun.h"
#include "wsdb/DatabaseBuildTexts.h"
#include "wsdb/DatabaseBuilder.h"
#include "wsdb/DatabaseState.h"
#include "wsdb/WorkstationDatabaseFile.h"

// Armed, every other write, read and pread fails with EINTR before moving a byte, as one that a
// signal interrupts does (the program is linked with --wrap for these, see tests/CMakeLists.txt).
namespace {
int interruptible = -1;  // calls so far while armed; -1: not armed
int interrupted = 0;
bool Interrupt() {
  if (interruptible < 0 || ++interruptible % 2 == 0) return false;
  ++interrupted;
  errno = EINTR;
  return true;
}
}  // namespace

#define CVX_INTERRUPTIBLE(name, params, args)     \
  ssize_t __real_##name params;                   \
  ssize_t __wrap_##name params {                  \
    return Interrupt() ? -1 : __real_##name args; \
  }
extern "C" {
CVX_INTERRUPTIBLE(write, (int fd, const void* data, std::size_t size), (fd, data, size))
CVX_INTERRUPTIBLE(read, (int fd, void* data, std::size_t size), (fd, data, size))
CVX_INTERRUPTIBLE(pread, (int fd, void* data, std::size_t size, off_t at), (fd, data, size, at))
}

namespace cvx {
namespace {

using Fault = DatabaseBuildFile::Fault;
using Mode = DatabaseWriteMode;
using Names = std::vector<std::string>;

std::string Record(const std::string& name, const std::string& a1, const std::string& a2 = "") {
  return "\"NDS:\\\\CORP\\" + name + "\",\"" + a1 + "\",\"" + a2 + "\"\r\n";
}
const std::string kOld = Record("OLD", "TCP 10.0.0.1");
const std::string kNew = Record("NEW", "TCP 10.0.0.2");

struct stat Stat(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

class DatabaseFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.Write("CORP.lst", kOld); }
  Names FolderNames() const {
    Names names;
    for (const auto& e : std::filesystem::directory_iterator(folder_.path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  DatabaseBuildFile Open(Mode mode) {
    return DatabaseBuildFile::Open(folder_.path(), "CORP", mode);
  }
  std::string Db() const { return folder_.Read("CORP.lst"); }
  void WriteDb(const std::string& bytes) { folder_.Write("CORP.lst", bytes); }
  // The name found for key (without the tree's prefix), or "-".
  std::string Found(const std::string& key) {
    const auto r = LookupWorkstation(folder_.path(), "CORP", key);
    EXPECT_EQ(r.fault, DatabaseFault::kNone) << r.reason;
    return r.fullName ? r.fullName->substr(11) : "-";
  }
  DatabaseFault FaultOf(const std::string& dir, const std::string& tree = "CORP") {
    return LookupWorkstation(dir, tree, "10.1.2.3").fault;
  }

  test::TempFolder folder_;
  const std::string db_ = folder_ / "CORP.lst";
};

// Readers see the old database until one rename puts the new one, with its permissions, there.
TEST_F(DatabaseFileTest, TheCommitReplacesOrAppendsByOneRename) {
  ::chmod(db_.c_str(), 0640);
  auto f = Open(Mode::kReplace);
  ASSERT_TRUE(f.ok()) << f.reason();
  EXPECT_EQ(f.path(), db_);
  ASSERT_TRUE(f.Write(kNew));
  EXPECT_EQ(Db(), kOld);
  ASSERT_TRUE(f.Commit(true));
  EXPECT_EQ(Db(), kNew);
  EXPECT_EQ(FolderNames(), Names{"CORP.lst"});
  EXPECT_EQ(Stat(db_).st_mode & 07777, 0640u);

  auto g = Open(Mode::kAppend);
  ASSERT_TRUE(g.Write(kOld) && g.Commit(true)) << g.reason();
  EXPECT_EQ(Db(), kNew + kOld);
  // Appending nothing does not touch the file; replacing with nothing leaves no database, twice.
  const ino_t before = Stat(db_).st_ino;
  ASSERT_TRUE(Open(Mode::kAppend).Commit(false));
  EXPECT_EQ(Stat(db_).st_ino, before);
  for (int twice = 0; twice < 2; ++twice) {
    ASSERT_TRUE(Open(Mode::kReplace).Commit(false));
    EXPECT_TRUE(FolderNames().empty());
  }
  auto h = Open(Mode::kAppend);  // appending to no database starts one
  ASSERT_TRUE(h.Write(kNew) && h.Commit(true));
  EXPECT_EQ(Db(), kNew);
}

TEST_F(DatabaseFileTest, AnAbandonedOrFailedBuildLeavesThePreviousFile) {
  for (auto mode : {Mode::kReplace, Mode::kAppend}) {
    {
      auto f = Open(mode);
      ASSERT_TRUE(f.Write(kNew));
    }  // dropped without a commit
    EXPECT_EQ(FolderNames(), Names{"CORP.lst"});
    // The new file removed under the build: the rename fails, the old file stands.
    auto g = Open(mode);
    ASSERT_TRUE(g.Write(kNew));
    for (const auto& name : FolderNames()) {
      if (name != "CORP.lst") std::filesystem::remove(folder_ / name);
    }
    EXPECT_FALSE(g.Commit(true));
    EXPECT_EQ(g.fault(), Fault::kWriteFailed);
    EXPECT_NE(g.reason().find("CORP.lst."), std::string::npos) << g.reason();
    EXPECT_EQ(Db(), kOld);
  }
  // An old database that a build which found nothing cannot remove is a failed build.
  auto f = Open(Mode::kReplace);
  ::chmod(folder_.path().c_str(), 0555);
  test::UnprivilegedScope nobody;
  if (nobody.failed()) GTEST_SKIP() << "permissions do not apply";
  EXPECT_FALSE(f.Commit(false));
  EXPECT_EQ(f.fault(), Fault::kWriteFailed);
  EXPECT_NE(f.reason().find("CORP.lst"), std::string::npos) << f.reason();
  EXPECT_EQ(Db(), kOld);
}

// Shared as nobody:nogroup 0640, or nobody's in root's group, and rebuilt by root: still theirs.
// Rebuilt by another user: a file its group may write keeps group and mode; one whose group
// cannot be kept is refused.
TEST_F(DatabaseFileTest, OwnerGroupModeAndSymbolicLinkAreKept) {
  struct Case {
    uid_t owner;
    gid_t group;
    mode_t mode;
    bool byNobody;
  };
  ::chmod(folder_.path().c_str(), 0777);
  for (const Case& c : {Case{65534, 65534, 0640, false}, Case{65534, 0, 0640, false},
                        Case{0, 65534, 0666, true}, Case{0, 0, 0666, true}}) {
    if (::geteuid() != 0) break;
    ASSERT_EQ(::chown(db_.c_str(), c.owner, c.group), 0);
    ::chmod(db_.c_str(), c.mode);
    std::optional<test::UnprivilegedScope> nobody;
    if (c.byNobody && nobody.emplace().failed()) GTEST_SKIP() << "cannot drop root's rights";
    auto f = Open(Mode::kReplace);
    if (c.byNobody && c.group == 0) {
      EXPECT_EQ(f.fault(), Fault::kNotKept) << f.reason();
      continue;
    }
    ASSERT_TRUE(f.Write(kNew) && f.Commit(true)) << f.reason();
    EXPECT_EQ(Stat(db_).st_uid, c.byNobody ? 65534u : c.owner);
    EXPECT_EQ(Stat(db_).st_gid, c.group);
    EXPECT_EQ(Stat(db_).st_mode & 07777, c.mode);
  }
  // A symbolic link stays, the file it leads to is replaced; one that leads nowhere is refused.
  std::filesystem::remove(db_);
  folder_.Write("real.lst", kOld);
  std::filesystem::create_symlink("real.lst", db_);
  auto f = Open(Mode::kAppend);
  ASSERT_TRUE(f.Write(kNew) && f.Commit(true)) << f.reason();
  EXPECT_TRUE(S_ISLNK(Stat(db_).st_mode));
  EXPECT_EQ(folder_.Read("real.lst"), kOld + kNew);
  EXPECT_EQ(FolderNames(), (Names{"CORP.lst", "real.lst"}));
  std::filesystem::remove(folder_ / "real.lst");
  EXPECT_EQ(Open(Mode::kReplace).fault(), Fault::kNotKept);
}

TEST_F(DatabaseFileTest, TheStagingFileGoesWithTheProcessOrWithTheNextBuild) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      // As a build started by hand gets them, even where this test runs with them ignored.
      for (int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      auto f = Open(Mode::kReplace);
      if (f.Write(kNew) && ::write(ready[1], "y", 1) == 1) ::pause();
      _exit(2);
    }
    ::close(ready[1]);
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(FolderNames().size(), 2u) << "the staging file is there while the build runs";
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "ended as before";
    if (signal == SIGKILL) {
      // Nothing runs on SIGKILL: the next build removes what the dead process left.
      EXPECT_EQ(FolderNames().size(), 2u);
      Open(Mode::kReplace).Abandon();
    }
    EXPECT_EQ(FolderNames(), Names{"CORP.lst"}) << strsignal(signal);
    EXPECT_EQ(Db(), kOld);
  }
}

// A call that a signal interrupts before any byte moved is made again. The look-up reads as with
// standard input closed: from descriptor 0, which it closes again.
TEST_F(DatabaseFileTest, InterruptedCallsAreMadeAgain) {
  interruptible = 0;
  auto f = Open(Mode::kAppend);
  const bool written = f.Write(kNew) && f.Commit(true);
  const int input = ::dup(0);
  ::close(0);
  const auto found = LookupWorkstation(folder_.path(), "CORP", "10.0.0.2");
  const bool closedAgain = ::fcntl(0, F_GETFD) < 0;
  ::dup2(input, 0);
  ::close(input);
  const auto state = ReadDatabaseState(folder_.path(), "CORP");
  interruptible = -1;
  EXPECT_TRUE(written) << f.reason();
  EXPECT_EQ(Db(), kOld + kNew);
  EXPECT_EQ(found.fullName, "NDS:\\\\CORP\\NEW") << found.reason;
  EXPECT_TRUE(closedAgain);
  EXPECT_EQ(state.records, 2u);
  EXPECT_GE(interrupted, 4);
}

TEST_F(DatabaseFileTest, TheFirstRecordHoldingTheWholeKeyInEitherAddress) {
  WriteDb(Record("LONGER", "TCP 10.1.2.30") +
          Record("WS01", "IPX 00001001:00A0C9100101:4005", "TCP 10.1.2.3") +
          Record("WS08", "TCP 10.1.1.108", "IPX 00001001:00A0C9100108:4005") +
          Record("WS01-AGAIN", "IPX 00001001:00A0C9100101:4005") +
          Record("DE\\M\xC3\xBCller", "TCP 10.49.1.101") +
          "\"NDS:\\\\CORP\\LAST\",\"TCP 10.9.9.9\",\"\"");  // no line end after the last record
  const std::pair<std::string, std::string> cases[] = {
      {"10.1.2.3", "WS01"},  // the earlier 10.1.2.30 is another machine
      {"10.1.2.30", "LONGER"},
      {"00a0c9100101", "WS01"},  // appended twice: the first in file order
      {"00A0C9100108", "WS08"},
      {"10.49.1.101", "DE\\M\xC3\xBCller"},
      {"10.9.9.9", "LAST"},
      {"4005TCP", "-"},  // not across the two addresses, not in the name, not a part of a token
      {"", "-"},         // an empty key would take the first workstation for anyone's
  };
  for (const auto& [key, name] : cases) EXPECT_EQ(Found(key), name) << key;
  WriteDb("");
  EXPECT_EQ(Found("10.1.2.3"), "-");  // an empty file is no fault
}

TEST_F(DatabaseFileTest, MalformedLinesNeverMatch) {
  const std::string garbage =
      "NDS:\\\\CORP\\BAD1,TCP 10.1.2.3,\r\n"                                 // no quotes
      "\"NDS:\\\\CORP\\BAD2\",\"TCP 10.1.2.3\"\r\n"                          // two fields
      "\"NDS:\\\\CORP\\BAD3\",\"TCP 10.1.2.3\r\",\"\"\r\n"                   // lone CR
      "\"NDS:\\\\CORP\\BAD4\",\"TCP 10.1.2.3\",\"\"\r\"X\",\"Y\",\"Z\"\r\n"  // CR as line end
      "\r\n\"\"\r\n\"" +
      std::string(100 * 1024, 'A') + "\",\"TCP 10.1.2.3\",\"\"\r\n" +  // overlong
      std::string(3 * 1024 * 1024, 'B') + " TCP 10.1.2.3\r\n";         // longer than a block
  WriteDb(garbage);
  EXPECT_EQ(Found("10.1.2.3"), "-");
  // The line right after one longer than a block is read whole.
  WriteDb(garbage + Record("GOOD", "TCP 10.1.2.3"));
  EXPECT_EQ(Found("10.1.2.3"), "GOOD");
  // A line that is not UTF-8 was written in the 8-bit code page of other tools: Windows-1252.
  WriteDb(garbage + Record("M\xFCller \x80\x81", "TCP 10.1.2.3"));
  EXPECT_EQ(Found("10.1.2.3"), "M\u00FCller \u20AC\uFFFD");
  WriteDb("\"NDS:\\\\CORP\\LF\",\"TCP 10.1.2.3\",\"\"\n");  // LF alone ends a record too
  EXPECT_EQ(Found("10.1.2.3"), "LF");
}

TEST_F(DatabaseFileTest, RecordsAcrossReadBlocks) {
  // The file is read in blocks of 1 MiB: put the record everywhere around the first boundary.
  constexpr std::size_t kBlock = 1 << 20;
  const std::string target = Record("TARGET", "IPX 00001001:0060B00F3C21:4005");
  const std::string filler = Record("FILL", "IPX 00001001:0060B00F3C20:4005");
  for (std::size_t start = kBlock - target.size() - 2; start <= kBlock + 2; start += 3) {
    std::string bytes;
    while (bytes.size() + filler.size() + 40 < start) bytes += filler;
    bytes += Record("P", std::string(start - bytes.size() - Record("P", "").size(), 'x'));
    ASSERT_EQ(bytes.size(), start);
    WriteDb(bytes + target + filler);
    EXPECT_EQ(Found("0060b00f3c21"), "TARGET") << "record at " << start;
  }
}

TEST_F(DatabaseFileTest, PlacesThatHoldNoDatabaseAreNeitherBuiltNorRead) {
  std::filesystem::remove(db_);
  const std::string plain = folder_.Write("plain", "x");
  for (const std::string& dir : {folder_ / "gone", plain, std::string()}) {
    EXPECT_EQ(FaultOf(dir), DatabaseFault::kDirectoryMissing) << dir;
    EXPECT_EQ(DatabaseBuildFile::Open(dir, "CORP", Mode::kReplace).fault(),
              Fault::kDirectoryMissing)
        << dir;
  }
  // Another tree's file is never read in its place, nor one outside the folder.
  folder_.Write("LEGACY.lst", Record("X", "TCP 10.1.2.3"));
  EXPECT_EQ(FaultOf(folder_.path()), DatabaseFault::kFileMissing);
  EXPECT_EQ(LookupWorkstation(folder_.path(), "CORP", "").fault, DatabaseFault::kFileMissing);
  for (const std::string tree : {"", "../LEGACY", "..", "A/B", "A\\B", "A\tB", "A\x7F"}) {
    EXPECT_EQ(FaultOf(folder_.path(), tree), DatabaseFault::kFileMissing) << tree;
    EXPECT_EQ(DatabaseBuildFile::Open(folder_.path(), tree, Mode::kReplace).fault(),
              Fault::kTreeNameRefused)
        << tree;
  }
  folder_.Write("MY TREE.1.lst", Record("WS", "TCP 10.1.2.3"));
  EXPECT_TRUE(LookupWorkstation(folder_.path(), "MY TREE.1", "10.1.2.3").found());

  std::filesystem::create_directory(db_);
  const auto dir = LookupWorkstation(folder_.path(), "CORP", "1");
  EXPECT_EQ(dir.fault, DatabaseFault::kUnreadable);
  EXPECT_NE(dir.reason.find("CORP.lst"), std::string::npos) << dir.reason;
  // A file moved into another keeps its fault and reason.
  auto moved = DatabaseBuildFile::Open(folder_.path(), "OTHER", Mode::kReplace);
  ASSERT_TRUE(moved.ok()) << moved.reason();
  moved = Open(Mode::kAppend);
  EXPECT_EQ(moved.fault(), Fault::kNotWritable);
  EXPECT_NE(moved.reason().find("CORP.lst"), std::string::npos) << moved.reason();
  std::filesystem::remove(db_);
  ASSERT_EQ(::mkfifo(db_.c_str(), 0600), 0);
  EXPECT_EQ(FaultOf(folder_.path()), DatabaseFault::kUnreadable);  // and it did not hang
}

using Status = DatabaseBuildResult::Status;

const std::string kLab = R"(NDS:\\LAB\LAB\)";

std::string LabRecord(const std::string& name, const std::string& a1, const std::string& a2 = "") {
  return "\"" + kLab + name + "\",\"" + a1 + "\",\"" + a2 + "\"\r\n";
}

SearchResults Desks(const Names& names) {
  SearchResults full;
  for (const auto& name : names) full.push_back(kLab + "DESKS\\" + name);
  return full;
}

// The database of the tree CORP built from the tree LAB of a directory of the test's own.
class DatabaseBuilderTest : public DatabaseFileTest {
 protected:
  void SetUp() override {
    DatabaseFileTest::SetUp();
    auto client = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/dbbuild", "LAB");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    lookups_ = client_->CreateControl();
  }
  // The batches one after the other, as the window's event loop runs them.
  DatabaseBuildResult Build(const SearchResults& names, Mode mode = Mode::kReplace) {
    DatabaseBuildRun run(Open(mode), names, lookups_.get());
    while (run.Step(std::chrono::seconds(10))) {
    }
    return run.Finish();
  }

  DirectoryClientPtr client_;
  std::unique_ptr<DirectoryControl> lookups_;
};

// Three addresses: the first two. One address: the third field empty. None: no record. Removed
// since the search: skipped. A name that cannot be a record field: left out, with the reason, and
// named on stderr escaped, so that no name can forge a line or a terminal sequence.
TEST_F(DatabaseBuilderTest, OneRecordPerWorkstationWithAnAddressInSearchOrder) {
  const auto r = Build(Desks({"FIRST", "QUOTE\"D", "THREE", "LINE\nBREAK", "NONE", "GONE",
                              "CARRIAGE\rRETURN", "ONE", "ESC\x1b[2J",
                              "BAD\xff"
                              "BYTE"}));
  ASSERT_EQ(r.status, Status::kBuilt) << r.reason;
  EXPECT_EQ(Db(),
            LabRecord(R"(DESKS\FIRST)", "IPX 00001001:00A0C9000001:4005", "TCP 10.9.0.1") +
                LabRecord(R"(DESKS\THREE)", "TCP 10.9.0.3", "IPX 00001001:00A0C9000003:4005") +
                LabRecord(R"(DESKS\ONE)", "TCP 10.9.0.6"));
  EXPECT_EQ(BuildFinishedText(r),
            "Found: 10 Workstation(s) - 5 left out: a quotation mark, a control character, "
            "invalid UTF-8");
  EXPECT_NE(
      BuildSummaryLine(r).find("(10 found, 5 left out, 1 removed meanwhile, 1 without an address)"),
      std::string::npos)
      << BuildSummaryLine(r);
  const auto lines = LeftOutLines(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "  " + kLab + "DESKS\\ESC\\x1b[2J (a control character)");
}

// The window's tests run the builder; a failed search fails it at once, the old database kept.
TEST_F(DatabaseBuilderTest, AFailedSearchFailsTheBuildAtOnce) {
  DatabaseBuilder builder(Open(Mode::kAppend), lookups_.get());
  builder.Start(SearchOutcome(DirError{kDirNoSuchObject, "no such object"}));
  ASSERT_TRUE(builder.finished());
  const std::string text = BuildFailedText(builder.result());
  EXPECT_EQ(text.rfind("Workstation search failed (error 601): ", 0), 0u) << text;
  EXPECT_EQ(FolderNames(), Names{"CORP.lst"});
  EXPECT_EQ(Db(), kOld);
}

// Names given while the search runs are written at once; a search that starts over voids what
// was written of them (an append keeps the old records), and its completion brings the rest.
TEST_F(DatabaseBuilderTest, RecordsStartBeforeTheSearchEndsAndStartOverWithIt) {
  DatabaseBuilder builder(Open(Mode::kAppend), lookups_.get());
  std::size_t handled = 0;
  QObject::connect(&builder, &DatabaseBuilder::Progress,
                   [&](std::size_t h, std::size_t) { handled = h; });
  builder.More(Desks({"ONE"}));
  for (int turns = 0; turns < 100 && handled == 0; ++turns) QCoreApplication::processEvents();
  ASSERT_EQ(handled, 1u);
  builder.Restart();
  builder.More(Desks({"THREE"}));
  builder.Start(SearchOutcome(Desks({"THREE", "FIRST"})));
  for (int turns = 0; turns < 100 && !builder.finished(); ++turns) {
    QCoreApplication::processEvents();
  }
  ASSERT_TRUE(builder.finished());
  EXPECT_EQ(builder.result().tally.found, 2u);
  EXPECT_EQ(Db(),
            kOld + LabRecord(R"(DESKS\THREE)", "TCP 10.9.0.3", "IPX 00001001:00A0C9000003:4005") +
                LabRecord(R"(DESKS\FIRST)", "IPX 00001001:00A0C9000001:4005", "TCP 10.9.0.1"));
}

// A full disk, a look-up control released half-way, a directory without the tree (every look-up
// fails: the directory is gone, not every workstation) or one whose tree breaks half-way: the
// build fails, the previous database stays and no new file is left behind.
TEST_F(DatabaseBuilderTest, AFailedBuildKeepsThePreviousDatabase) {
  // Files may not grow past a few bytes more than the old database.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = kOld.size() + 40;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto desks = Desks({"FIRST", "THREE", "ONE"});
  const DatabaseBuildResult full[] = {Build(desks, Mode::kReplace), Build(desks, Mode::kAppend)};
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, savedSignal);
  for (const auto& r : full) {
    EXPECT_EQ(r.status, Status::kWriteFailed);
    EXPECT_NE(r.reason.find("File too large"), std::string::npos) << r.reason;
  }
  EXPECT_EQ(FolderNames(), Names{"CORP.lst"});

  auto other = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
  auto broken = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/badtrees", "GOOD");
  ASSERT_TRUE(other && broken);
  struct Case {
    DirectoryClientPtr client;
    SearchResults names;
    bool release;
    std::string reason;
  };
  for (const Case& c :
       {Case{client_, desks, true, "released"},
        Case{*other, desks, false, "not one workstation could be looked up (3 tried)"},
        Case{*broken, {R"(NDS:\\GOOD\ACME\FS9)", R"(NDS:\\NOTYPE\ACME)"}, false, "NOTYPE"}}) {
    auto lookups = c.client->CreateControl();
    DatabaseBuildRun run(Open(Mode::kReplace), c.names, lookups.get());
    ASSERT_TRUE(run.Step(std::chrono::steady_clock::duration::zero()));
    if (c.release) lookups.reset();
    EXPECT_FALSE(run.Step(std::chrono::seconds(10)));
    const auto r = run.Finish();
    EXPECT_EQ(r.status, Status::kLookupsFailed) << c.reason;
    EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    EXPECT_EQ(FolderNames(), Names{"CORP.lst"}) << c.reason;
  }
  EXPECT_EQ(Db(), kOld);
}

}  // namespace
}  // namespace cvx
