#include "wsdb/DatabaseBuildFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "support/UnprivilegedScope.h"
#include "wsdb/InterruptedCalls.h"

namespace cvx {
namespace {

using Fault = DatabaseBuildFile::Fault;
using test::TempFolder;

const std::string kOld = "\"NDS:\\\\CORP\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n";
const std::string kNew = "\"NDS:\\\\CORP\\NEW\",\"TCP 10.0.0.2\",\"\"\r\n";

class DatabaseBuildFileTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_.path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  ino_t Inode() const {
    struct stat st {};
    ::stat((folder_.path() + "/CORP.lst").c_str(), &st);
    return st.st_ino;
  }
  DatabaseBuildFile Open(DatabaseWriteMode mode) {
    return DatabaseBuildFile::Open(folder_.path(), "CORP", mode);
  }

  TempFolder folder_;
};

TEST_F(DatabaseBuildFileTest, ReplaceShowsTheOldFileUntilTheCommit) {
  folder_.Write("CORP.lst", kOld);
  ::chmod((folder_.path() + "/CORP.lst").c_str(), 0640);
  auto f = Open(DatabaseWriteMode::kReplace);
  ASSERT_TRUE(f.ok()) << f.reason();
  EXPECT_EQ(f.path(), folder_.path() + "/CORP.lst");
  ASSERT_TRUE(f.Write(kNew));
  EXPECT_EQ(folder_.Read("CORP.lst"), kOld);  // readers still see the previous database
  ASSERT_TRUE(f.Commit(true));
  EXPECT_EQ(folder_.Read("CORP.lst"), kNew);
  EXPECT_EQ(Names(), std::vector<std::string>{"CORP.lst"});
  struct stat st {};
  ::stat(f.path().c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the database keeps its permissions

  // A build that found nothing leaves no database, whether there was one or not.
  for (int twice = 0; twice < 2; ++twice) {
    ASSERT_TRUE(Open(DatabaseWriteMode::kReplace).Commit(false));
    EXPECT_TRUE(Names().empty());
  }
}

// The old database that a build which found nothing cannot remove is a failed build.
TEST_F(DatabaseBuildFileTest, AnEmptyBuildThatCannotRemoveTheOldFileFails) {
  folder_.Write("CORP.lst", kOld);
  ::chmod(folder_.path().c_str(), 0755);
  auto f = Open(DatabaseWriteMode::kReplace);
  ASSERT_TRUE(f.ok()) << f.reason();
  ::chmod(folder_.path().c_str(), 0555);
  test::UnprivilegedScope nobody;
  if (nobody.failed()) GTEST_SKIP() << "permissions do not apply";
  EXPECT_FALSE(f.Commit(false));
  EXPECT_EQ(f.fault(), Fault::kWriteFailed);
  EXPECT_NE(f.reason().find("CORP.lst"), std::string::npos) << f.reason();
  EXPECT_EQ(folder_.Read("CORP.lst"), kOld);
}

// A write or read that a signal interrupts before any byte moved is made again (see
// InterruptedCalls below): the file holds every byte once.
TEST_F(DatabaseBuildFileTest, InterruptedWritesAndReadsAreMadeAgain) {
  folder_.Write("CORP.lst", kOld);
  test::InterruptEveryOtherCall interrupted;
  auto f = Open(DatabaseWriteMode::kAppend);
  ASSERT_TRUE(f.ok()) << f.reason();
  ASSERT_TRUE(f.Write(kNew)) << f.reason();
  ASSERT_TRUE(f.Commit(true)) << f.reason();
  EXPECT_EQ(folder_.Read("CORP.lst"), kOld + kNew);
  EXPECT_GE(interrupted.count(), 2);
}

TEST_F(DatabaseBuildFileTest, AppendKeepsTheOldRecordsFirst) {
  folder_.Write("CORP.lst", kOld);
  auto f = Open(DatabaseWriteMode::kAppend);
  ASSERT_TRUE(f.ok()) << f.reason();
  ASSERT_TRUE(f.Write(kNew));
  ASSERT_TRUE(f.Commit(true));
  EXPECT_EQ(folder_.Read("CORP.lst"), kOld + kNew);

  // Nothing new: the file is not touched at all.
  const ino_t before = Inode();
  auto g = Open(DatabaseWriteMode::kAppend);
  ASSERT_TRUE(g.Commit(false));
  EXPECT_EQ(Inode(), before);
  EXPECT_EQ(folder_.Read("CORP.lst"), kOld + kNew);

  // Appending to no database starts one.
  std::filesystem::remove(folder_.path() + "/CORP.lst");
  auto h = Open(DatabaseWriteMode::kAppend);
  ASSERT_TRUE(h.Write(kNew) && h.Commit(true));
  EXPECT_EQ(folder_.Read("CORP.lst"), kNew);
}

TEST_F(DatabaseBuildFileTest, AnAbandonedOrFailedBuildLeavesThePreviousFile) {
  folder_.Write("CORP.lst", kOld);
  for (auto mode : {DatabaseWriteMode::kReplace, DatabaseWriteMode::kAppend}) {
    {
      auto f = Open(mode);
      ASSERT_TRUE(f.Write(kNew));
    }  // dropped without a commit
    EXPECT_EQ(folder_.Read("CORP.lst"), kOld);
    EXPECT_EQ(Names(), std::vector<std::string>{"CORP.lst"});

    // The new file removed under the build: the rename fails, the old file stands.
    auto g = Open(mode);
    ASSERT_TRUE(g.Write(kNew));
    for (const auto& name : Names()) {
      if (name != "CORP.lst") std::filesystem::remove(folder_.path() + "/" + name);
    }
    EXPECT_FALSE(g.Commit(true));
    EXPECT_EQ(g.fault(), Fault::kWriteFailed);
    EXPECT_NE(g.reason().find("CORP.lst."), std::string::npos) << g.reason();
    EXPECT_EQ(folder_.Read("CORP.lst"), kOld);
  }
}

TEST_F(DatabaseBuildFileTest, PlacesThatCannotHoldADatabase) {
  const std::string aFile = folder_.Write("plain", "x");
  for (const std::string& dir : {folder_.path() + "/gone", aFile, std::string()}) {
    EXPECT_EQ(DatabaseBuildFile::Open(dir, "CORP", DatabaseWriteMode::kReplace).fault(),
              Fault::kDirectoryMissing)
        << dir;
  }
  EXPECT_EQ(DatabaseBuildFile::Open(folder_.path(), "../CORP", DatabaseWriteMode::kReplace).fault(),
            Fault::kTreeNameRefused);
  std::filesystem::create_directory(folder_.path() + "/CORP.lst");
  EXPECT_EQ(Open(DatabaseWriteMode::kAppend).fault(), Fault::kNotWritable);
  // A file moved into another keeps its fault and reason.
  auto moved = DatabaseBuildFile::Open(folder_.path(), "OTHER", DatabaseWriteMode::kReplace);
  ASSERT_TRUE(moved.ok()) << moved.reason();
  moved = Open(DatabaseWriteMode::kAppend);
  EXPECT_EQ(moved.fault(), Fault::kNotWritable);
  EXPECT_NE(moved.reason().find("CORP.lst"), std::string::npos) << moved.reason();
}

struct stat Stat(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

TEST_F(DatabaseBuildFileTest, OwnerGroupModeAndSymbolicLinkAreKept) {
  const std::string db = folder_.path() + "/CORP.lst";
  if (::geteuid() == 0) {
    // Shared as nobody:nogroup 0640, or nobody's in root's group, and rebuilt by root: still
    // theirs.
    folder_.Write("CORP.lst", kOld);
    for (gid_t group : {65534, 0}) {
      ASSERT_EQ(::chown(db.c_str(), 65534, group), 0);
      ::chmod(db.c_str(), 0640);
      auto f = Open(DatabaseWriteMode::kReplace);
      ASSERT_TRUE(f.Write(kNew) && f.Commit(true)) << f.reason();
      EXPECT_EQ(Stat(db).st_uid, 65534u);
      EXPECT_EQ(Stat(db).st_gid, group);
      EXPECT_EQ(Stat(db).st_mode & 07777, 0640u);
    }

    // Another user rebuilding it: a file its group may write keeps group and mode; one whose
    // group cannot be kept is refused.
    ::chmod(folder_.path().c_str(), 0777);
    for (gid_t group : {65534, 0}) {
      ASSERT_EQ(::chown(db.c_str(), 0, group), 0);
      ::chmod(db.c_str(), 0666);
      test::UnprivilegedScope nobody;
      if (nobody.failed()) GTEST_SKIP() << "cannot drop root's rights";
      auto g = Open(DatabaseWriteMode::kReplace);
      if (group == 0) {
        EXPECT_EQ(g.fault(), Fault::kNotKept) << g.reason();
        continue;
      }
      ASSERT_TRUE(g.Write(kNew) && g.Commit(true)) << g.reason();
      EXPECT_EQ(Stat(db).st_gid, 65534u);
      EXPECT_EQ(Stat(db).st_mode & 07777, 0666u);
    }
    std::filesystem::remove(db);
    EXPECT_EQ(Names(), std::vector<std::string>{});
  }

  // A database that is a symbolic link: the file it leads to is replaced, the link stays.
  std::filesystem::create_directory(folder_.path() + "/real");
  folder_.Write("real/corp.lst", kOld);
  std::filesystem::create_symlink("real/corp.lst", db);
  auto f = Open(DatabaseWriteMode::kAppend);
  ASSERT_TRUE(f.Write(kNew) && f.Commit(true)) << f.reason();
  EXPECT_TRUE(S_ISLNK(Stat(db).st_mode));
  EXPECT_EQ(folder_.Read("real/corp.lst"), kOld + kNew);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path() + "/real"), {}), 1);
  // One that leads nowhere is refused.
  std::filesystem::remove(folder_.path() + "/real/corp.lst");
  EXPECT_EQ(Open(DatabaseWriteMode::kReplace).fault(), Fault::kNotKept);
}

TEST_F(DatabaseBuildFileTest, StagingFileGoesWithTheProcessOrWithTheNextBuild) {
  folder_.Write("CORP.lst", kOld);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // As a build started by hand gets them, even where this test runs with them ignored.
      for (int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      auto f = Open(DatabaseWriteMode::kReplace);
      const char ok = f.Write(kNew) ? 'y' : 'n';
      if (::write(ready[1], &ok, 1) != 1) _exit(2);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(ok, 'y');
    ASSERT_EQ(Names().size(), 2u) << "the staging file is there while the build runs";
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "ended as before";
    if (signal == SIGKILL) {
      // Nothing runs on SIGKILL: the next build removes what the dead process left.
      EXPECT_EQ(Names().size(), 2u);
      auto next = Open(DatabaseWriteMode::kReplace);
      ASSERT_TRUE(next.ok()) << next.reason();
      next.Abandon();
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"CORP.lst"}) << strsignal(signal);
    EXPECT_EQ(folder_.Read("CORP.lst"), kOld);
  }
}

}  // namespace
}  // namespace cvx
