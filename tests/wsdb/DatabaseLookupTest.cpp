#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "wsdb/DatabaseState.h"
#include "wsdb/InterruptedCalls.h"
#include "wsdb/WorkstationDatabaseFile.h"

namespace cvx {
namespace {

using test::TempFolder;

std::string Record(const std::string& name, const std::string& a1, const std::string& a2) {
  return "\"" + name + "\",\"" + a1 + "\",\"" + a2 + "\"\r\n";
}

class DatabaseLookupTest : public ::testing::Test {
 protected:
  void WriteDb(const std::string& bytes) { folder_.Write("CORP.lst", bytes); }
  DatabaseLookup Lookup(const std::string& key) {
    return LookupWorkstation(folder_.path(), "CORP", key);
  }
  std::optional<std::string> Found(const std::string& key) {
    const auto r = Lookup(key);
    EXPECT_EQ(r.fault, DatabaseFault::kNone) << r.reason;
    return r.fullName;
  }

  TempFolder folder_;
};

TEST_F(DatabaseLookupTest, FirstRecordHoldingTheWholeKey) {
  WriteDb(Record("NDS:\\\\CORP\\ACME\\LONGER", "TCP 10.1.2.30", "") +
          Record("NDS:\\\\CORP\\ACME\\WS01", "IPX 00001001:00A0C9100101:4005", "TCP 10.1.2.3") +
          Record("NDS:\\\\CORP\\ACME\\WS08", "TCP 10.1.1.108", "IPX 00001001:00A0C9100108:4005") +
          Record("NDS:\\\\CORP\\ACME\\WS01-AGAIN", "IPX 00001001:00A0C9100101:4005", ""));
  // The earlier 10.1.2.30 is another machine: the right record further down wins.
  EXPECT_EQ(Found("10.1.2.3"), "NDS:\\\\CORP\\ACME\\WS01");
  EXPECT_EQ(Found("10.1.2.30"), "NDS:\\\\CORP\\ACME\\LONGER");
  // Appended twice: the first in file order.
  EXPECT_EQ(Found("00A0C9100101"), "NDS:\\\\CORP\\ACME\\WS01");
  EXPECT_EQ(Found("00a0c9100101"), "NDS:\\\\CORP\\ACME\\WS01");
  // Found in the second address only.
  EXPECT_EQ(Found("00A0C9100108"), "NDS:\\\\CORP\\ACME\\WS08");
  // Not across the two addresses, not in the name, not a part of a token.
  EXPECT_EQ(Found("4005TCP"), std::nullopt);
  EXPECT_EQ(Found("WS01"), std::nullopt);
  EXPECT_EQ(Found("10.1.2"), std::nullopt);
  // An empty key would take the first workstation for anyone's.
  EXPECT_EQ(Found(""), std::nullopt);
}

TEST_F(DatabaseLookupTest, NamesComeBackAsStored) {
  WriteDb("");
  EXPECT_EQ(Found("10.1.2.3"), std::nullopt);  // an empty file is no fault
  WriteDb(Record("NDS:\\\\CORP\\DE\\M\xC3\xBCller-PC", "TCP 10.49.1.101", "") +
          "\"NDS:\\\\CORP\\LAST\",\"TCP 10.9.9.9\",\"\"");  // no line end after the last record
  EXPECT_EQ(Found("10.49.1.101"), "NDS:\\\\CORP\\DE\\M\xC3\xBCller-PC");
  EXPECT_EQ(Found("10.9.9.9"), "NDS:\\\\CORP\\LAST");
}

TEST_F(DatabaseLookupTest, MalformedLinesNeverMatch) {
  const std::string key = "10.1.2.3";
  const std::string garbage =
      "NDS:\\\\CORP\\BAD1,TCP 10.1.2.3,\r\n"                                 // no quotes
      "\"NDS:\\\\CORP\\BAD2\",\"TCP 10.1.2.3\"\r\n"                          // two fields
      "\"NDS:\\\\CORP\\BAD3\",\"TCP 10.1.2.3\r\",\"\"\r\n"                   // lone CR
      "\"NDS:\\\\CORP\\BAD4\",\"TCP 10.1.2.3\",\"\"\r\"X\",\"Y\",\"Z\"\r\n"  // CR as line end
      "\"" +
      std::string(100 * 1024, 'A') + "\",\"TCP 10.1.2.3\",\"\"\r\n" +  // overlong
      std::string(3 * 1024 * 1024, 'B') + " TCP 10.1.2.3\r\n" +        // longer than a block
      "\r\n\"\"\r\n";
  WriteDb(garbage);
  EXPECT_EQ(Found(key), std::nullopt);
  WriteDb(garbage + Record("NDS:\\\\CORP\\GOOD", "TCP 10.1.2.3", ""));
  EXPECT_EQ(Found(key), "NDS:\\\\CORP\\GOOD");
  // A line that is not UTF-8 was written in the 8-bit code page of other tools: Windows-1252.
  WriteDb(garbage + "\"NDS:\\\\CORP\\M\xFCller \x80\x81\",\"TCP 10.1.2.3\",\"\"\r\n");
  EXPECT_EQ(Found(key), "NDS:\\\\CORP\\M\u00FCller \u20AC\uFFFD");
  // A line ended by LF alone is still a record.
  WriteDb("\"NDS:\\\\CORP\\LF\",\"TCP 10.1.2.3\",\"\"\n");
  EXPECT_EQ(Found(key), "NDS:\\\\CORP\\LF");
}

TEST_F(DatabaseLookupTest, RecordsAcrossReadBlocks) {
  // The file is read in blocks of 1 MiB: put the record everywhere around the first boundary.
  constexpr std::size_t kBlock = 1 << 20;
  const std::string target = Record("NDS:\\\\CORP\\TARGET", "IPX 00001001:0060B00F3C21:4005", "");
  const std::string filler = Record("NDS:\\\\CORP\\FILL", "IPX 00001001:0060B00F3C20:4005", "");
  for (std::size_t start = kBlock - target.size() - 2; start <= kBlock + 2; start += 3) {
    std::string bytes;
    while (bytes.size() + filler.size() + 40 < start) bytes += filler;
    const std::size_t padding = start - bytes.size() - Record("P", "", "").size();
    bytes += Record("P", std::string(padding, 'x'), "");
    ASSERT_EQ(bytes.size(), start);
    WriteDb(bytes + target + filler);
    EXPECT_EQ(Found("0060b00f3c21"), "NDS:\\\\CORP\\TARGET") << "record at " << start;
  }
}

TEST_F(DatabaseLookupTest, MissingDirectoryOrFile) {
  EXPECT_EQ(LookupWorkstation(folder_.path() + "/gone", "CORP", "1").fault,
            DatabaseFault::kDirectoryMissing);
  const std::string notADirectory = folder_.Write("plain", "x");
  EXPECT_EQ(LookupWorkstation(notADirectory, "CORP", "1").fault, DatabaseFault::kDirectoryMissing);
  EXPECT_EQ(LookupWorkstation("", "CORP", "1").fault, DatabaseFault::kDirectoryMissing);
  // Another tree's file is never read in its place.
  folder_.Write("LEGACY.lst", Record("NDS:\\\\LEGACY\\X", "TCP 10.1.2.3", ""));
  EXPECT_EQ(Lookup("10.1.2.3").fault, DatabaseFault::kFileMissing);
  // The file is opened even when the key could never match.
  EXPECT_EQ(Lookup("").fault, DatabaseFault::kFileMissing);
}

TEST_F(DatabaseLookupTest, TreeNamesThatCannotNameAFile) {
  std::filesystem::create_directory(folder_.path() + "/db");
  folder_.Write("OUTSIDE.lst", Record("NDS:\\\\X\\WS", "TCP 10.1.2.3", ""));
  for (const std::string tree : {"", "../OUTSIDE", "..", "A/B", "A\\B", "A\tB", "A\x7F"}) {
    const WorkstationDatabaseFile file(folder_.path() + "/db", tree);
    EXPECT_EQ(file.fault(), DatabaseFault::kFileMissing) << tree;
  }
  // Dots and blanks inside a name are fine.
  folder_.Write("db/MY TREE.1.lst", Record("NDS:\\\\MY TREE.1\\WS", "TCP 10.1.2.3", ""));
  EXPECT_TRUE(LookupWorkstation(folder_.path() + "/db", "MY TREE.1", "10.1.2.3").found());
}

TEST_F(DatabaseLookupTest, FilesThatCannotBeRead) {
  std::filesystem::create_directory(folder_.path() + "/CORP.lst");
  const auto dir = Lookup("10.1.2.3");
  EXPECT_EQ(dir.fault, DatabaseFault::kUnreadable);
  EXPECT_NE(dir.reason.find("CORP.lst"), std::string::npos) << dir.reason;
  std::filesystem::remove(folder_.path() + "/CORP.lst");

  ASSERT_EQ(::mkfifo((folder_.path() + "/CORP.lst").c_str(), 0600), 0);
  EXPECT_EQ(Lookup("10.1.2.3").fault, DatabaseFault::kUnreadable);  // and it did not hang
  std::filesystem::remove(folder_.path() + "/CORP.lst");

  if (::geteuid() != 0) {
    WriteDb(Record("NDS:\\\\CORP\\WS", "TCP 10.1.2.3", ""));
    ::chmod((folder_.path() + "/CORP.lst").c_str(), 0);
    EXPECT_EQ(Lookup("10.1.2.3").fault, DatabaseFault::kUnreadable);
  }
}

TEST_F(DatabaseLookupTest, InterruptedReadsAreMadeAgain) {
  WriteDb(Record("NDS:\\\\CORP\\WS01", "TCP 10.1.2.3", "") +
          Record("NDS:\\\\CORP\\WS02", "TCP 10.1.2.4", ""));
  test::InterruptEveryOtherCall interrupted;
  EXPECT_EQ(Found("10.1.2.4"), "NDS:\\\\CORP\\WS02");
  EXPECT_EQ(ReadDatabaseState(folder_.path(), "CORP").records, 2u);
  EXPECT_GE(interrupted.count(), 2);
}

}  // namespace
}  // namespace cvx
