#include "wsdb/DatabaseState.h"

#include <gtest/gtest.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempFolder.h"

namespace cvx {
namespace {

TEST(DatabaseState, RecordCountAndWhenTheFileWasWritten) {
  test::TempFolder folder;
  EXPECT_EQ(DatabaseStateText(ReadDatabaseState(folder.path(), "CORP")),
            "No workstation database yet");

  std::string records;
  for (int i = 0; i < 1204; ++i) records += "\"NDS:\\\\CORP\\WS\",\"TCP 10.0.0.1\",\"\"\r\n";
  const std::string file = folder.Write("CORP.lst", records);
  const utimbuf when{1796104800, 1796104800};  // 2026-12-01 06:00 UTC
  ASSERT_EQ(::utime(file.c_str(), &when), 0);
  // Shown in local time: the test pins the zone.
  const char* tz = std::getenv("TZ");
  const std::string savedTz = tz ? tz : "";
  ::setenv("TZ", "UTC0", 1);
  ::tzset();
  const std::string text = DatabaseStateText(ReadDatabaseState(folder.path(), "CORP"));
  tz ? ::setenv("TZ", savedTz.c_str(), 1) : ::unsetenv("TZ");
  ::tzset();
  EXPECT_EQ(text, "1,204 workstations, built 2026-12-01 06:00");

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(DatabaseStateText(ReadDatabaseState(folder.path(), "CORP")),
            "Workstation database unreadable: " + file + ": not a regular file");
}

}  // namespace
}  // namespace cvx
