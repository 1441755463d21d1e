#include "target/CheckLogin.h"

#include "DemoDatabase.h"
#include "target/LoginWorkstationListing.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx::test {
namespace {

const std::string kInUse = "Workstation(s) currently in use ...";

class CheckLoginTest : public DemoDatabase {
 protected:
  TargetOutcome Check(const std::string& path, const std::string& db = {}) {
    return checkLogin(kCorp + path, *control_, db.empty() ? dbPath() : db, "CORP");
  }
};

TEST_F(CheckLoginTest, EveryLoginOfAUserIsLookedUpInTheDatabase) {
  for (const char* ws : {R"(ACME\SALES\WS01)", R"(ACME\SALES\WS02)", R"(ACME\SALES\WS03)",
                         R"(ACME\SALES\WS04)", R"(ACME\SALES\WS08)", R"(ACME\IT\Workstation\IT01)",
                         R"(ACME\IT\Workstation\IT02)", R"(ACME\IT\Workstation\IT06)",
                         R"(ACME\HR\Workstations\HR03)", R"(ACME\HR\PAYROLL\PAY02)"}) {
    AddWorkstation(ws);
  }
  const struct {
    const char* user;
    Entries listed;
  } cases[] = {
      {R"(ACME\SALES\MMILLER)", {Ws(R"(ACME\SALES\WS02)"), Ws(R"(ACME\SALES\WS03)")}},
      {R"(ACME\IT\PADAMS)",
       {Ws(R"(ACME\IT\Workstation\IT01)"), Ws(R"(ACME\IT\Workstation\IT02)"),
        Ws(R"(ACME\IT\Workstation\IT06)")}},
      {R"(ACME\SALES\RMOORE)", {Ws(R"(ACME\SALES\WS08)")}},  // the second stored address
      {R"(ACME\HR\JOHN)", {Ws(R"(ACME\SALES\WS01)")}},       // an alias: its user's logins
      {R"(ACME\SALES\BJONES)", {Ws(R"(ACME\SALES\WS04)")}},  // two connections, listed once
      {R"(ACME\HR\PAYROLL\MKING)", {Ws(R"(ACME\HR\PAYROLL\PAY02)")}},  // IPX and TCP, once
      {R"(ACME\IT\BACKUPSVC)", {}},  // server connections are left out
      {R"(ACME\HR\GHARRIS)", {Ws(R"(ACME\HR\Workstations\HR03)")}},
      {R"(ACME\SALES\LGARCIA)", {NotInDatabase("IPX 00001001:0060B00F3C21:4003")}},
  };
  for (const auto& c : cases) {
    const auto o = Check(c.user);
    EXPECT_EQ(o.entries->items(), c.listed) << c.user;
    EXPECT_EQ(o.columnTitle, kInUse) << c.user;
    EXPECT_EQ(o.statusText, "") << c.user;
    EXPECT_FALSE(o.databaseMessage) << c.user;
  }
}

TEST_F(CheckLoginTest, NoLoginsNoUserOrNoDatabaseEndsWithoutAList) {
  // One empty value, and no attribute at all.
  for (const char* user : {R"(ACME\SALES\AWHITE)", R"(ACME\SALES\KBROWN)"}) {
    const auto o = Check(user);
    EXPECT_EQ(o.entries->items(), (Entries{{"", "User not logged in!", "User"}})) << user;
    EXPECT_FALSE(o.columnTitle || o.statusText || o.databaseMessage) << user;
  }
  for (const char* name : {R"(ACME\SALES\WS01)", R"(ACME\SALES)", R"(ACME\SALES\NOBODY)"}) {
    const auto o = Check(name);
    EXPECT_TRUE(o.entries->empty()) << name;
    EXPECT_FALSE(o.columnTitle || o.databaseMessage) << name;
  }
  EXPECT_FALSE(Check(R"(ACME\SALES\WS01)").statusText);
  // A look-up that fails is said, with its error, and its number is handed on.
  const auto missing = Check(R"(ACME\SALES\NOBODY)");
  EXPECT_EQ(missing.lookupError, kDirNoSuchObject);
  EXPECT_EQ(missing.statusText, "The logins of NOBODY.SALES.ACME could not be read (error 601).");

  const auto noDir = Check(R"(ACME\SALES\JSMITH)", dbPath() + "/gone");
  EXPECT_EQ(noDir.databaseMessage, DatabaseMessageText(DatabaseFault::kDirectoryMissing));
  EXPECT_EQ(noDir.statusText, "");
  EXPECT_FALSE(noDir.columnTitle);
  EXPECT_TRUE(noDir.entries->empty());
  // Another tree's file does not stand in; the server connection, though ignored, still opens
  // the file.
  folder_.Write("LEGACY.lst", "");
  for (const char* user : {R"(ACME\SALES\JSMITH)", R"(ACME\IT\BACKUPSVC)"}) {
    const auto noFile = Check(user);
    EXPECT_EQ(noFile.databaseMessage, DatabaseMessageText(DatabaseFault::kFileMissing)) << user;
    EXPECT_TRUE(noFile.entries->empty());
  }
}

TEST_F(CheckLoginTest, TheRightRecordIsFoundAndOtherAddressTypesAreNotedNotGuessed) {
  // Damaged lines and a longer address holding the key come first; the right record further
  // down wins. Of two records with the same address the first, in any letter case.
  folder_.Write("CORP.lst",
                "NDS:\\\\CORP\\ACME\\SALES\\BROKEN,TCP 10.1.1.105,\r\n"
                "\"NDS:\\\\CORP\\ACME\\SALES\\BROKEN2\",\"TCP 10.1.1.105\"\r\n");
  AddRecord(kCorp + R"(ACME\SALES\DECOY)", "TCP 10.1.1.1050");
  AddWorkstation(R"(ACME\SALES\WS05)");
  std::string ws01 = Field(R"(ACME\SALES\WS01)", "WM:Network Address");
  for (auto& c : ws01) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  AddRecord(kCorp + R"(ACME\SALES\WS01-OLD)", ws01);
  AddWorkstation(R"(ACME\SALES\WS01)");
  EXPECT_EQ(Check(R"(ACME\SALES\TCLARK)").entries->items(), Entries{Ws(R"(ACME\SALES\WS05)")});
  EXPECT_EQ(Check(R"(ACME\SALES\JSMITH)").entries->items(), Entries{Ws(R"(ACME\SALES\WS01-OLD)")});

  // Read literally, an address without a key reused an earlier (or empty) key and picked
  // whichever workstation came first.
  ResultEntries entries;
  const auto listing = ListLoginWorkstations(
      kCorp + R"(ACME\SALES\X)",
      {"13 DEADBEEF", "UDP 10.1.1.105", "IPX 0000000A:000000000001:4007", "7A7A"}, dbPath(), "CORP",
      entries);
  EXPECT_TRUE(listing.lookedUp);
  EXPECT_FALSE(listing.databaseMessage);
  EXPECT_EQ(entries.items(), (Entries{NotInDatabase("13 DEADBEEF"), Ws(R"(ACME\SALES\WS05)"),
                                      NotInDatabase("7A7A")}));

  // An empty database notes every login.
  folder_.Write("CORP.lst", "");
  const std::string mmiller = R"(ACME\SALES\MMILLER)";
  EXPECT_EQ(Check(mmiller).entries->items(),
            (Entries{NotInDatabase(Field(mmiller, "Network Address", 0)),
                     NotInDatabase(Field(mmiller, "Network Address", 1))}));
}

}  // namespace
}  // namespace cvx::test
