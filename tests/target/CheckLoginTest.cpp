#include "target/CheckLogin.h"

#include "DemoDatabase.h"
#include "target/LoginWorkstationListing.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx::test {
namespace {

using Entries = std::vector<ResultEntry>;

const std::string kInUse = "Workstation(s) currently in use ...";

class CheckLoginTest : public DemoDatabase {
 protected:
  void SetUp() override {
    DemoDatabase::SetUp();
    for (const char* ws :
         {R"(ACME\SALES\WS01)", R"(ACME\SALES\WS02)", R"(ACME\SALES\WS03)", R"(ACME\SALES\WS04)",
          R"(ACME\SALES\WS05)", R"(ACME\SALES\WS08)", R"(ACME\IT\Workstation\IT01)",
          R"(ACME\IT\Workstation\IT02)", R"(ACME\IT\Workstation\IT06)",
          R"(ACME\HR\Workstations\HR03)", R"(ACME\HR\PAYROLL\PAY02)"}) {
      AddWorkstation(ws);
    }
  }
  TargetOutcome Check(const std::string& path) {
    return checkLogin(kCorp + path, *control_, dbPath(), "CORP");
  }
};

// A finished resolution: the list titled, the status text cleared, no message.
void ExpectListed(const TargetOutcome& o, const Entries& entries) {
  EXPECT_EQ(o.entries->items(), entries);
  EXPECT_EQ(o.columnTitle, kInUse);
  EXPECT_EQ(o.statusText, "");
  EXPECT_FALSE(o.databaseMessage);
}

TEST_F(CheckLoginTest, WorkstationsOfEachLoginInAttributeOrder) {
  ExpectListed(Check(R"(ACME\SALES\JSMITH)"),
               {Workstation(R"(ACME\SALES\WS01)", "WS01.SALES.ACME")});
  ExpectListed(Check(R"(ACME\SALES\MMILLER)"),
               {Workstation(R"(ACME\SALES\WS02)", "WS02.SALES.ACME"),
                Workstation(R"(ACME\SALES\WS03)", "WS03.SALES.ACME")});
  ExpectListed(Check(R"(ACME\IT\PADAMS)"),
               {Workstation(R"(ACME\IT\Workstation\IT01)", "IT01.Workstation.IT.ACME"),
                Workstation(R"(ACME\IT\Workstation\IT02)", "IT02.Workstation.IT.ACME"),
                Workstation(R"(ACME\IT\Workstation\IT06)", "IT06.Workstation.IT.ACME")});
  // Over IPX, found in the workstation's second stored address.
  ExpectListed(Check(R"(ACME\SALES\RMOORE)"),
               {Workstation(R"(ACME\SALES\WS08)", "WS08.SALES.ACME")});
  // An alias resolves to its user.
  ExpectListed(Check(R"(ACME\HR\JOHN)"), {Workstation(R"(ACME\SALES\WS01)", "WS01.SALES.ACME")});
}

TEST_F(CheckLoginTest, TwoConnectionsFromOneWorkstationListItOnce) {
  ExpectListed(Check(R"(ACME\SALES\BJONES)"),
               {Workstation(R"(ACME\SALES\WS04)", "WS04.SALES.ACME")});
  // Once over IPX, once over TCP.
  ExpectListed(Check(R"(ACME\HR\PAYROLL\MKING)"),
               {Workstation(R"(ACME\HR\PAYROLL\PAY02)", "PAY02.PAYROLL.HR.ACME")});
}

TEST_F(CheckLoginTest, ServerConnectionsAreLeftOut) {
  ExpectListed(Check(R"(ACME\IT\BACKUPSVC)"), {});
  ExpectListed(Check(R"(ACME\HR\GHARRIS)"),
               {Workstation(R"(ACME\HR\Workstations\HR03)", "HR03.Workstations.HR.ACME")});
}

TEST_F(CheckLoginTest, UnknownAddressesAreNoted) {
  const std::string laptop = LoginOf(R"(ACME\SALES\LGARCIA)");
  EXPECT_EQ(laptop, "IPX 00001001:0060B00F3C21:4003");
  ExpectListed(Check(R"(ACME\SALES\LGARCIA)"), {NotInDatabase(laptop)});
}

TEST_F(CheckLoginTest, NotLoggedIn) {
  // One empty value, and no attribute at all.
  for (const char* user : {R"(ACME\SALES\AWHITE)", R"(ACME\SALES\KBROWN)"}) {
    const auto o = Check(user);
    EXPECT_EQ(o.entries->items(), (Entries{{"", "User not logged in!", "User"}})) << user;
    EXPECT_FALSE(o.columnTitle);
    EXPECT_FALSE(o.statusText);
    EXPECT_FALSE(o.databaseMessage);
  }
}

TEST_F(CheckLoginTest, OnlyUsersAreResolved) {
  for (const char* name : {R"(ACME\SALES\WS01)", R"(ACME\SALES)", R"(ACME\SALES\NOBODY)"}) {
    const auto o = Check(name);
    EXPECT_TRUE(o.entries->empty()) << name;
    EXPECT_FALSE(o.columnTitle);
    EXPECT_FALSE(o.databaseMessage);
  }
  // A look-up that fails is said, with its error, and its number is handed on.
  const auto missing = Check(R"(ACME\SALES\NOBODY)");
  EXPECT_EQ(missing.lookupError, kDirNoSuchObject);
  EXPECT_EQ(missing.statusText, "The logins of NOBODY.SALES.ACME could not be read (error 601).");
  EXPECT_FALSE(Check(R"(ACME\SALES\WS01)").statusText);
}

class CheckLoginDatabaseTest : public DemoDatabase {
 protected:
  TargetOutcome Check(const std::string& path, const std::string& db) {
    return checkLogin(kCorp + path, *control_, db, "CORP");
  }
};

TEST_F(CheckLoginDatabaseTest, MissingDirectoryOrFileEndsWithItsMessage) {
  const auto noDir = Check(R"(ACME\SALES\JSMITH)", dbPath() + "/gone");
  EXPECT_EQ(noDir.databaseMessage, DatabaseMessageText(DatabaseFault::kDirectoryMissing));
  EXPECT_EQ(noDir.statusText, "");
  EXPECT_FALSE(noDir.columnTitle);
  EXPECT_TRUE(noDir.entries->empty());

  // Another tree's file does not stand in; the server connection, though ignored, still opens
  // the file.
  folder_.Write("LEGACY.lst", "");
  for (const char* user : {R"(ACME\SALES\JSMITH)", R"(ACME\IT\BACKUPSVC)"}) {
    const auto noFile = Check(user, dbPath());
    EXPECT_EQ(noFile.databaseMessage, DatabaseMessageText(DatabaseFault::kFileMissing)) << user;
    EXPECT_TRUE(noFile.entries->empty());
  }
}

TEST_F(CheckLoginDatabaseTest, EmptyDatabaseNotesEveryLogin) {
  CreateEmptyDatabase();
  const auto o = Check(R"(ACME\SALES\MMILLER)", dbPath());
  EXPECT_EQ(o.entries->items(), (Entries{NotInDatabase(LoginOf(R"(ACME\SALES\MMILLER)", 0)),
                                         NotInDatabase(LoginOf(R"(ACME\SALES\MMILLER)", 1))}));
  EXPECT_EQ(o.columnTitle, kInUse);
}

TEST_F(CheckLoginDatabaseTest, WhichRecordMatches) {
  const std::string ws05 = LoginOf(R"(ACME\SALES\TCLARK)");
  ASSERT_EQ(ws05, "TCP 10.1.1.105");
  // Damaged lines and a longer address holding the key come first; the right record further
  // down wins.
  folder_.Write("CORP.lst",
                "NDS:\\\\CORP\\ACME\\SALES\\BROKEN,TCP 10.1.1.105,\r\n"
                "\"NDS:\\\\CORP\\ACME\\SALES\\BROKEN2\",\"TCP 10.1.1.105\"\r\n");
  AddRecord(kCorp + R"(ACME\SALES\DECOY)", "TCP 10.1.1.1050", "");
  AddWorkstation(R"(ACME\SALES\WS05)");
  // The first of two records with the same address; letter case does not matter.
  AddRecord(kCorp + R"(ACME\SALES\WS01-OLD)", Lower(StoredAddressOf(R"(ACME\SALES\WS01)")), "");
  AddWorkstation(R"(ACME\SALES\WS01)");

  EXPECT_EQ(Check(R"(ACME\SALES\TCLARK)", dbPath()).entries->items(),
            (Entries{Workstation(R"(ACME\SALES\WS05)", "WS05.SALES.ACME")}));
  EXPECT_EQ(Check(R"(ACME\SALES\JSMITH)", dbPath()).entries->items(),
            (Entries{Workstation(R"(ACME\SALES\WS01-OLD)", "WS01-OLD.SALES.ACME")}));
}

TEST_F(CheckLoginDatabaseTest, AddressesOfOtherTypesAreNotedNotGuessed) {
  AddWorkstation(R"(ACME\SALES\WS01)");
  AddWorkstation(R"(ACME\SALES\WS05)");
  ResultEntries entries;
  // Read literally, an address without a key reused an earlier (or empty) key and picked
  // whichever workstation came first.
  const auto listing = ListLoginWorkstations(
      kCorp + R"(ACME\SALES\X)",
      {"13 DEADBEEF", "UDP 10.1.1.105", "IPX 0000000A:000000000001:4007", "7A7A"}, dbPath(), "CORP",
      entries);
  EXPECT_TRUE(listing.lookedUp);
  EXPECT_FALSE(listing.databaseMessage);
  EXPECT_EQ(entries.items(),
            (Entries{NotInDatabase("13 DEADBEEF"),
                     Workstation(R"(ACME\SALES\WS05)", "WS05.SALES.ACME"), NotInDatabase("7A7A")}));
}

}  // namespace
}  // namespace cvx::test
