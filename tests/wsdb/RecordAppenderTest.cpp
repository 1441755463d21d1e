#include "wsdb/RecordAppender.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "wsdb/WorkstationDatabaseFile.h"

namespace cvx {
namespace {

using Status = AppendResult::Status;
using test::TempFolder;

TEST(RecordAppender, CreatesThenAppendsCrLfRecords) {
  TempFolder folder;
  ASSERT_TRUE(AppendWorkstationRecord(folder.path(), "CORP", "NDS:\\\\CORP\\ACME\\WS01",
                                      "IPX 00001001:00A0C9100101:4005", "TCP 10.1.1.101")
                  .ok());
  ASSERT_TRUE(
      AppendWorkstationRecord(folder.path(), "CORP", "NDS:\\\\CORP\\ACME\\IT08", "IPX 1:2:3", "")
          .ok());
  EXPECT_EQ(folder.Read("CORP.lst"),
            "\"NDS:\\\\CORP\\ACME\\WS01\",\"IPX 00001001:00A0C9100101:4005\",\"TCP 10.1.1.101\"\r\n"
            "\"NDS:\\\\CORP\\ACME\\IT08\",\"IPX 1:2:3\",\"\"\r\n");
  // What was written is what the reader finds.
  EXPECT_EQ(LookupWorkstation(folder.path(), "CORP", "10.1.1.101").fullName,
            "NDS:\\\\CORP\\ACME\\WS01");
}

TEST(RecordAppender, RefusesWhatCouldNotBeReadBack) {
  TempFolder folder;
  EXPECT_EQ(AppendWorkstationRecord(folder.path(), "CORP", "WS\"01", "TCP 1.2.3.4", "").status,
            Status::kRecordRefused);
  // A value holding a line break would smuggle in a record of its own.
  EXPECT_EQ(AppendWorkstationRecord(folder.path(), "CORP", "WS01",
                                    "TCP 1.2.3.4\r\n\"NDS:\\\\CORP\\EVIL\",\"TCP 9.9.9.9", "")
                .status,
            Status::kRecordRefused);
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/CORP.lst"));
}

TEST(RecordAppender, MissingDirectoryAndRefusedTreeNames) {
  TempFolder folder;
  EXPECT_EQ(AppendWorkstationRecord(folder.path() + "/gone", "CORP", "WS01", "", "").status,
            Status::kDirectoryMissing);
  EXPECT_EQ(AppendWorkstationRecord("", "CORP", "WS01", "", "").status, Status::kDirectoryMissing);
  std::filesystem::create_directory(folder.path() + "/db");
  for (const std::string tree : {"", "../ESCAPE", "A/B", "A\\B", "A\nB"}) {
    EXPECT_EQ(AppendWorkstationRecord(folder.path() + "/db", tree, "WS01", "", "").status,
              Status::kTreeNameRefused)
        << tree;
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() + "/db"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/ESCAPE.lst"));
}

}  // namespace
}  // namespace cvx
