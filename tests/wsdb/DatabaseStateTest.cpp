#include "wsdb/DatabaseState.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempFolder.h"
#include "wsdb/DatabaseBuildTexts.h"

namespace cvx {
namespace {

// Dates are shown in local time; the test pins the zone.
class DatabaseStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    savedTz_ = tz ? std::optional<std::string>(tz) : std::nullopt;
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
  }
  void TearDown() override {
    if (savedTz_) {
      ::setenv("TZ", savedTz_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

  test::TempFolder folder_;
  std::optional<std::string> savedTz_;
};

TEST_F(DatabaseStateTest, CountsRecordsAndTellsWhenTheFileWasWritten) {
  std::string records;
  for (int i = 0; i < 1204; ++i) records += "\"NDS:\\\\CORP\\WS\",\"TCP 10.0.0.1\",\"\"\r\n";
  const std::string file = folder_.Write("CORP.lst", records);
  const utimbuf when{1796104800, 1796104800};  // 2026-12-01 06:00 UTC
  ASSERT_EQ(::utime(file.c_str(), &when), 0);
  const DatabaseState s = ReadDatabaseState(folder_.path(), "CORP");
  EXPECT_EQ(s.status, DatabaseState::Status::kPresent);
  EXPECT_EQ(s.records, 1204u);
  EXPECT_EQ(DatabaseStateText(s), "1,204 workstations, built 2026-12-01 06:00");

  folder_.Write("CORP.lst", "\"NDS:\\\\CORP\\WS\",\"TCP 10.0.0.1\",\"\"\r\n");
  EXPECT_EQ(DatabaseStateText(ReadDatabaseState(folder_.path(), "CORP")).substr(0, 22),
            "1 workstation, built 2");
}

TEST_F(DatabaseStateTest, NoDatabaseOrOneThatCannotBeRead) {
  EXPECT_EQ(DatabaseStateText(ReadDatabaseState(folder_.path(), "CORP")),
            "No workstation database yet");
  EXPECT_EQ(DatabaseStateText(ReadDatabaseState(folder_.path() + "/gone", "CORP")),
            "No workstation database yet");
  std::filesystem::create_directory(folder_.path() + "/CORP.lst");
  const DatabaseState s = ReadDatabaseState(folder_.path(), "CORP");
  EXPECT_EQ(s.status, DatabaseState::Status::kUnreadable);
  EXPECT_EQ(DatabaseStateText(s),
            "Workstation database unreadable: " + folder_.path() + "/CORP.lst: not a regular file");
}

TEST(DatabaseBuildTexts, NumbersAndSummary) {
  EXPECT_EQ(GroupThousands(0), "0");
  EXPECT_EQ(GroupThousands(999), "999");
  EXPECT_EQ(GroupThousands(1000), "1,000");
  EXPECT_EQ(GroupThousands(100000), "100,000");
  EXPECT_EQ(GroupThousands(1234567), "1,234,567");

  DatabaseBuildResult r;
  r.tally.found = 41;
  r.tally.written = 38;
  r.tally.withoutAddress = 1;
  r.tally.notLookedUp = 1;
  r.tally.leftOut = {"NDS:\\\\CORP\\A\"B"};
  r.file = "/srv/cvx/CORP.lst";
  r.seconds = 1.234;
  EXPECT_EQ(BuildSummaryLine(r),
            "Workstation Database: 38 records in 1.23 s, /srv/cvx/CORP.lst (41 found, 1 left "
            "out, 2 without a readable address)");
  r.status = DatabaseBuildResult::Status::kWriteFailed;
  r.reason = "/srv/cvx/CORP.lst.1-0.new: No space left on device";
  EXPECT_EQ(BuildFailedText(r),
            "Workstation Database could not be written: /srv/cvx/CORP.lst.1-0.new: No space left "
            "on device - the previous Workstation Database was kept");
}

}  // namespace
}  // namespace cvx
