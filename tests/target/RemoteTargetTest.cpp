#include "target/RemoteTarget.h"

#include "DemoDatabase.h"
#include "core/OwnActionsFile.h"
#include "target/OwnActionForming.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx::test {
namespace {

using Args = std::vector<std::string>;
const std::string kNotFound =
    "Couldn't find workstation in database - Update the Workstation Database!";

class RemoteTargetTest : public DemoDatabase {
 protected:
  TargetOutcome Resolve(const std::string& path, const std::string& db = {}) {
    return ResolveRemoteTarget(kCorp + path, *control_, db.empty() ? dbPath() : db, "CORP");
  }
  // The own action formed on what the target led to, as the window does.
  OwnActionCommand OnTarget(const std::string& path, const std::string& exec) {
    const auto file = ParseOwnActions("[action A]\nExec=" + exec + "\n", "t.ini");
    EXPECT_TRUE(file.problems.empty());
    const auto where = Resolve(path);
    EXPECT_TRUE(where.launch) << path << ": " << where.statusText.value_or("");
    return FormOwnAction(file.actions.at(0), *control_, where.launch.value_or(""),
                         where.launchLogin);
  }
};

// Only a status text, nothing started or listed.
void ExpectStatusOnly(const TargetOutcome& o, const std::string& status) {
  EXPECT_EQ(o.statusText, status);
  EXPECT_FALSE(o.launch || o.entries || o.columnTitle || o.databaseMessage) << status;
}

TEST_F(RemoteTargetTest, AWorkstationIsActedOnAndAUserLoggedInOnceAtThatWorkstation) {
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

TEST_F(RemoteTargetTest, SeveralLoginsAreListedAndAMissingDatabaseIsSaid) {
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

TEST_F(RemoteTargetTest, AnObjectLostWhileReadEndsSilently) {
  auto client = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/badtrees", "");
  ASSERT_TRUE(client) << client.message();
  const auto o = ResolveRemoteTarget(R"(NDS:\\BADRECORD\ACME)", *(*client)->CreateControl(),
                                     dbPath(), "BADRECORD");
  EXPECT_FALSE(o.launch || o.entries || o.statusText || o.databaseMessage);
}

TEST_F(RemoteTargetTest, OwnActionsReachAUserAtTheLoginAndAWorkstationAtItsIpv4Address) {
  // TCLARK is logged in over TCP from 10.1.1.105, which the database gives to WS01, whose own
  // stored address is 10.1.1.101: the login is where the user is now.
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
