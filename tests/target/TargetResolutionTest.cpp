// Targets resolved to where an action goes, against a database written here; own actions on them.

#include "DemoDatabase.h"
#include "core/OwnActionsFile.h"
#include "fakes/LosableDirectory.h"
#include "target/CheckLogin.h"
#include "target/LoginWorkstationListing.h"
#include "target/OwnActionForming.h"
#include "target/RemoteTarget.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx::test {
namespace {

using Args = std::vector<std::string>;
const std::string kInUse = "Workstation(s) currently in use ...";
const std::string kNotFound =
    "Couldn't find workstation in database - Update the Workstation Database!";

class TargetResolution : public DemoDatabase {
 protected:
  TargetOutcome Check(const std::string& path, const std::string& db = {}) {
    return checkLogin(kCorp + path, *control_, db.empty() ? dbPath() : db, "CORP");
  }
  TargetOutcome Resolve(const std::string& path, const std::string& db = {}) {
    return ResolveRemoteTarget(kCorp + path, *control_, db.empty() ? dbPath() : db, "CORP");
  }
  TargetOutcome Resolve(const std::string& path, const DirectoryControl& control) {
    return ResolveRemoteTarget(kCorp + path, control, dbPath(), "CORP");
  }
  // The own action formed on what the target led to, as the window does.
  OwnActionCommand OnTarget(const std::string& path, const std::string& exec) {
    const auto file = ParseOwnActions("[action A]\nExec=" + exec + "\n", "t.ini");
    const auto where = Resolve(path);
    EXPECT_TRUE(where.launch) << path << ": " << where.statusText.value_or("");
    return FormOwnAction(file.actions.at(0), *control_, where.launch.value_or(""),
                         where.launchLogin);
  }
};

TEST_F(TargetResolution, EveryLoginOfAUserIsLookedUpInTheDatabase) {
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

TEST_F(TargetResolution, NoLoginsNoUserOrNoDatabaseEndsWithoutAList) {
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
  // The server connection, though ignored, still opens the file.
  for (const char* user : {R"(ACME\SALES\JSMITH)", R"(ACME\IT\BACKUPSVC)"}) {
    const auto noFile = Check(user);
    EXPECT_EQ(noFile.databaseMessage, DatabaseMessageText(DatabaseFault::kFileMissing)) << user;
    EXPECT_TRUE(noFile.entries->empty());
  }
}

// Read literally, an address without a key reused an earlier (or empty) key and picked whichever
// workstation came first. (Which record a key finds is the database lookup's to decide.)
TEST_F(TargetResolution, AddressesOfOtherTypesAreNotedNotGuessed) {
  AddWorkstation(R"(ACME\SALES\WS05)");
  ResultEntries entries;
  const auto listing = ListLoginWorkstations(
      kCorp + R"(ACME\SALES\X)",
      {"13 DEADBEEF", "UDP 10.1.1.105", "IPX 0000000A:000000000001:4007", "7A7A"}, dbPath(), "CORP",
      entries);
  EXPECT_TRUE(listing.lookedUp);
  EXPECT_FALSE(listing.databaseMessage);
  EXPECT_EQ(entries.items(), (Entries{NotInDatabase("13 DEADBEEF"), Ws(R"(ACME\SALES\WS05)"),
                                      NotInDatabase("7A7A")}));
}

// Only a status text, nothing started or listed.
void ExpectStatusOnly(const TargetOutcome& o, const std::string& status) {
  EXPECT_EQ(o.statusText, status);
  EXPECT_FALSE(o.launch || o.entries || o.columnTitle || o.databaseMessage) << status;
}

TEST_F(TargetResolution, AWorkstationIsActedOnAndAUserLoggedInOnceAtThatWorkstation) {
  // A workstation needs no database: the folder is never opened.
  const auto ws = Resolve(R"(ACME\SALES\WS01)", dbPath() + "/gone");
  EXPECT_EQ(ws.launch, kCorp + R"(ACME\SALES\WS01)");
  EXPECT_FALSE(ws.databaseMessage || ws.statusText || ws.entries);

  AddRecord(kCorp + R"(ACME\SALES\WS01-OLD)", Field(R"(ACME\SALES\WS01)", "WM:Network Address"));
  AddWorkstation(R"(ACME\SALES\WS01)");
  AddWorkstation(R"(ACME\SALES\WS05)");
  EXPECT_EQ(Resolve(R"(ACME\SALES\JSMITH)").launch, kCorp + R"(ACME\SALES\WS01-OLD)");
  // A TCP login read by the IPX steps keeps its address.
  const auto tcp = Resolve(R"(ACME\SALES\TCLARK)");
  EXPECT_EQ(tcp.launch, kCorp + R"(ACME\SALES\WS05)");
  EXPECT_FALSE(tcp.statusText);
  ExpectStatusOnly(Resolve(R"(ACME\SALES\LGARCIA)"), kNotFound);
  ExpectStatusOnly(Resolve(R"(ACME\SALES\AWHITE)"), "User not logged in!");
  ExpectStatusOnly(Resolve(R"(ACME\SALES\KBROWN)"), "User not logged in!");
  ExpectStatusOnly(Resolve(R"(ACME\SALES\NOBODY)"), "Object does not exist!");
  // A single server connection is looked up like any other login.
  ExpectStatusOnly(Resolve(R"(ACME\IT\BACKUPSVC)"), kNotFound);
  AddRecord(kCorp + R"(ACME\FS1)", "IPX 0000000A:000000000001:0451", "TCP 10.1.0.11");
  EXPECT_EQ(Resolve(R"(ACME\IT\BACKUPSVC)").launch, kCorp + R"(ACME\FS1)");
}

TEST_F(TargetResolution, SeveralLoginsAreListedAndAMissingDatabaseIsSaid) {
  const auto once = Resolve(R"(ACME\SALES\JSMITH)", dbPath() + "/gone");
  EXPECT_EQ(once.databaseMessage, DatabaseMessageText(DatabaseFault::kDirectoryMissing));
  EXPECT_EQ(once.statusText, "");
  EXPECT_FALSE(once.launch);
  // Several logins: the list is emptied, and its title stays as nothing was looked up.
  const auto none = Resolve(R"(ACME\SALES\MMILLER)");
  EXPECT_EQ(none.databaseMessage, DatabaseMessageText(DatabaseFault::kFileMissing));
  EXPECT_TRUE(none.entries && none.entries->empty());
  EXPECT_FALSE(none.columnTitle || none.launch);

  AddWorkstation(R"(ACME\SALES\WS03)");
  AddWorkstation(R"(ACME\SALES\WS02)");
  const auto o = Resolve(R"(ACME\SALES\MMILLER)");
  EXPECT_FALSE(o.launch);
  ASSERT_TRUE(o.entries);
  EXPECT_EQ(o.entries->items(), (Entries{Ws(R"(ACME\SALES\WS02)"), Ws(R"(ACME\SALES\WS03)")}));
  EXPECT_EQ(o.columnTitle, "Workstation(s) currently in use ...");
  EXPECT_EQ(o.statusText, "");
  EXPECT_FALSE(o.databaseMessage);
}

TEST_F(TargetResolution, AnObjectLostWhileReadEndsSilentlyAnyOtherFailureIsSaid) {
  auto client = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/badtrees", "");
  ASSERT_TRUE(client) << client.message();
  const auto o = ResolveRemoteTarget(R"(NDS:\\BADRECORD\ACME)", *(*client)->CreateControl(),
                                     dbPath(), "BADRECORD");
  EXPECT_FALSE(o.launch || o.entries || o.statusText || o.databaseMessage);
  // Any other failed look-up is said, with the directory's reason.
  LosableDirectory busy(client_);
  busy.Cut(999);
  EXPECT_EQ(Resolve(R"(ACME\SALES\WS01)", *busy.CreateControl()).statusText,
            "Directory lookup failed: connection lost");
}

TEST_F(TargetResolution, OwnActionsReachAUserAtTheLoginAndAWorkstationAtItsIpv4Address) {
  // TCLARK's TCP login 10.1.1.105 is WS01's here (own address 10.1.1.101): the user is there now.
  AddRecord(kCorp + R"(ACME\SALES\WS01)", "TCP 10.1.1.105");
  EXPECT_EQ(OnTarget(R"(ACME\SALES\TCLARK)", "probe %a %w %u").arguments,
            (Args{"probe", "10.1.1.105", "WS01.SALES.ACME", "TCLARK.SALES.ACME"}));
  // A login over IPX falls back to the workstation's own address.
  AddWorkstation(R"(ACME\SALES\WS01)");
  EXPECT_EQ(OnTarget(R"(ACME\SALES\JSMITH)", "probe %a %u").arguments,
            (Args{"probe", "10.1.1.101", "JSMITH.SALES.ACME"}));
  // A workstation: IPX first, TCP second, the TCP one; no user, so %u is left out.
  EXPECT_EQ(OnTarget(R"(ACME\SALES\WS01)", "probe %a %w %u").arguments,
            (Args{"probe", "10.1.1.101", "WS01.SALES.ACME"}));
  // An address of type IP renders as TCP.
  EXPECT_EQ(WorkstationIpv4(*control_, kCorp + R"(ACME\IT\Workstation\IT05)"), "10.1.2.105");
  // A blank inside the name stays inside its argument.
  EXPECT_EQ(OnTarget(R"(ACME\Field Service\PC 12)", "probe \"host %w\"").arguments,
            (Args{"probe", "host PC 12.Field Service.ACME"}));
  // No IPv4 address known: nothing is started, unless the action needs none.
  const auto ipxOnly = OnTarget(R"(ACME\SALES\WS06)", "probe %a");
  EXPECT_TRUE(ipxOnly.arguments.empty());
  EXPECT_EQ(ipxOnly.statusText, "Not started: no IPv4 address is known for WS06.SALES.ACME!");
  EXPECT_FALSE(OnTarget(R"(ACME\SALES\WS06)", "probe %w").statusText);
}

}  // namespace
}  // namespace cvx::test
