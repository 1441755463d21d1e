#include "wsdb/DatabaseBuildFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempFolder.h"

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

  // A build that found nothing leaves no database.
  ASSERT_TRUE(Open(DatabaseWriteMode::kReplace).Commit(false));
  EXPECT_TRUE(Names().empty());
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
}

}  // namespace
}  // namespace cvx
