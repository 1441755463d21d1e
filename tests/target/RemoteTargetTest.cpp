#include "target/RemoteTarget.h"

#include "DemoDatabase.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx::test {
namespace {

using Entries = std::vector<ResultEntry>;

class RemoteTargetTest : public DemoDatabase {
 protected:
  TargetOutcome Resolve(const std::string& path) { return Resolve(path, dbPath()); }
  TargetOutcome Resolve(const std::string& path, const std::string& db) {
    return ResolveRemoteTarget(kCorp + path, *control_, db, "CORP");
  }
};

// Only a status text, nothing started or listed.
void ExpectStatusOnly(const TargetOutcome& o, const std::string& status) {
  EXPECT_EQ(o.statusText, status);
  EXPECT_FALSE(o.launch);
  EXPECT_FALSE(o.entries);
  EXPECT_FALSE(o.columnTitle);
  EXPECT_FALSE(o.databaseMessage);
}

TEST_F(RemoteTargetTest, WorkstationIsActedOnWithoutTheDatabase) {
  // No database folder at all: it is never opened.
  const auto o = Resolve(R"(ACME\SALES\WS01)", dbPath() + "/gone");
  EXPECT_EQ(o.launch, kCorp + R"(ACME\SALES\WS01)");
  EXPECT_FALSE(o.databaseMessage);
  EXPECT_FALSE(o.statusText);
  EXPECT_FALSE(o.entries);
}

TEST_F(RemoteTargetTest, UserLoggedInOnceIsActedOnAtThatWorkstation) {
  AddRecord(kCorp + R"(ACME\SALES\WS01-OLD)", StoredAddressOf(R"(ACME\SALES\WS01)"), "");
  AddWorkstation(R"(ACME\SALES\WS01)");
  AddWorkstation(R"(ACME\SALES\WS05)");
  EXPECT_EQ(Resolve(R"(ACME\SALES\JSMITH)").launch, kCorp + R"(ACME\SALES\WS01-OLD)");
  // A TCP login read by the IPX steps keeps its address.
  const auto tcp = Resolve(R"(ACME\SALES\TCLARK)");
  EXPECT_EQ(tcp.launch, kCorp + R"(ACME\SALES\WS05)");
  EXPECT_FALSE(tcp.statusText);
  ExpectStatusOnly(Resolve(R"(ACME\SALES\LGARCIA)"),
                   "Couldn't find workstation in database - Update the Workstation Database!");
}

TEST_F(RemoteTargetTest, SingleServerConnectionIsLookedUpLikeAnyOther) {
  CreateEmptyDatabase();
  ExpectStatusOnly(Resolve(R"(ACME\IT\BACKUPSVC)"),
                   "Couldn't find workstation in database - Update the Workstation Database!");
  AddRecord(kCorp + R"(ACME\FS1)", "IPX 0000000A:000000000001:0451", "TCP 10.1.0.11");
  EXPECT_EQ(Resolve(R"(ACME\IT\BACKUPSVC)").launch, kCorp + R"(ACME\FS1)");
}

TEST_F(RemoteTargetTest, SeveralLoginsAreListedForTheAdministrator) {
  AddWorkstation(R"(ACME\SALES\WS03)");
  AddWorkstation(R"(ACME\SALES\WS02)");
  AddWorkstation(R"(ACME\HR\Workstations\HR03)");
  const auto o = Resolve(R"(ACME\SALES\MMILLER)");
  EXPECT_FALSE(o.launch);
  ASSERT_TRUE(o.entries);
  EXPECT_EQ(o.entries->items(), (Entries{Workstation(R"(ACME\SALES\WS02)", "WS02.SALES.ACME"),
                                         Workstation(R"(ACME\SALES\WS03)", "WS03.SALES.ACME")}));
  EXPECT_EQ(o.columnTitle, "Workstation(s) currently in use ...");
  EXPECT_EQ(o.statusText, "");
  EXPECT_FALSE(o.databaseMessage);

  const auto server = Resolve(R"(ACME\HR\GHARRIS)");
  ASSERT_TRUE(server.entries);
  EXPECT_EQ(server.entries->items(),
            (Entries{Workstation(R"(ACME\HR\Workstations\HR03)", "HR03.Workstations.HR.ACME")}));
}

TEST_F(RemoteTargetTest, MissingDatabase) {
  const std::string gone = dbPath() + "/gone";
  const auto once = Resolve(R"(ACME\SALES\JSMITH)", gone);
  EXPECT_EQ(once.databaseMessage, DatabaseMessageText(DatabaseFault::kDirectoryMissing));
  EXPECT_EQ(once.statusText, "");
  EXPECT_FALSE(once.launch);

  // Several logins: the list is emptied, and its title stays as nothing was looked up.
  const auto several = Resolve(R"(ACME\SALES\MMILLER)");
  EXPECT_EQ(several.databaseMessage, DatabaseMessageText(DatabaseFault::kFileMissing));
  ASSERT_TRUE(several.entries);
  EXPECT_TRUE(several.entries->empty());
  EXPECT_FALSE(several.columnTitle);
  EXPECT_FALSE(several.launch);
}

TEST_F(RemoteTargetTest, UserNotLoggedInOrNotThere) {
  ExpectStatusOnly(Resolve(R"(ACME\SALES\AWHITE)"), "User not logged in!");
  ExpectStatusOnly(Resolve(R"(ACME\SALES\KBROWN)"), "User not logged in!");
  ExpectStatusOnly(Resolve(R"(ACME\SALES\NOBODY)"), "Object does not exist!");
}

TEST_F(RemoteTargetTest, LostObjectEndsSilently) {
  auto client = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/badtrees", "");
  ASSERT_TRUE(client) << client.message();
  const auto control = (*client)->CreateControl();
  const auto o = ResolveRemoteTarget(R"(NDS:\\BADRECORD\ACME)", *control, dbPath(), "BADRECORD");
  EXPECT_FALSE(o.launch);
  EXPECT_FALSE(o.entries);
  EXPECT_FALSE(o.statusText);
  EXPECT_FALSE(o.databaseMessage);
}

}  // namespace
}  // namespace cvx::test
