#include "target/OwnActionForming.h"

#include "DemoDatabase.h"
#include "core/OwnActionsFile.h"
#include "target/RemoteTarget.h"

namespace cvx::test {
namespace {

using Args = std::vector<std::string>;

class OwnActionFormingTest : public DemoDatabase {
 protected:
  void SetUp() override {
    DemoDatabase::SetUp();
    const auto file = ParseOwnActions(
        "[action Probe]\nExec=probe %a %w %u\n[action Name]\nExec=probe \"host %w\"\n", "t.ini");
    ASSERT_TRUE(file.problems.empty());
    actions_ = file.actions;
  }
  const OwnAction& Probe() const { return actions_[0]; }

  // The target as the window resolves it, then the own action formed on what it led to.
  OwnActionCommand OnTarget(const std::string& path, const OwnAction& action) {
    const auto where = ResolveRemoteTarget(kCorp + path, *control_, dbPath(), "CORP");
    EXPECT_TRUE(where.launch) << path << ": " << where.statusText.value_or("");
    return FormOwnAction(action, *control_, where.launch.value_or(""), where.launchLogin);
  }

  OwnActionList actions_;
};

TEST_F(OwnActionFormingTest, AUsersWorkstationIsReachedAtTheLoginAddress) {
  // TCLARK is logged in over TCP from 10.1.1.105, which the database gives to WS01, whose own
  // stored address is 10.1.1.101: the login is where the user is now.
  AddRecord(kCorp + R"(ACME\SALES\WS01)", "TCP 10.1.1.105", "");
  EXPECT_EQ(OnTarget(R"(ACME\SALES\TCLARK)", Probe()).arguments,
            (Args{"probe", "10.1.1.105", "WS01.SALES.ACME", "TCLARK.SALES.ACME"}));
}

TEST_F(OwnActionFormingTest, ALoginOverIpxFallsBackToTheWorkstationsOwnAddress) {
  AddWorkstation(R"(ACME\SALES\WS01)");
  EXPECT_EQ(OnTarget(R"(ACME\SALES\JSMITH)", Probe()).arguments,
            (Args{"probe", "10.1.1.101", "WS01.SALES.ACME", "JSMITH.SALES.ACME"}));
}

TEST_F(OwnActionFormingTest, AWorkstationTargetUsesItsFirstIpv4Address) {
  // IPX first, TCP second: the TCP one. No user: %u is left out.
  EXPECT_EQ(OnTarget(R"(ACME\SALES\WS01)", Probe()).arguments,
            (Args{"probe", "10.1.1.101", "WS01.SALES.ACME"}));
  // An address of type IP renders as TCP.
  EXPECT_EQ(WorkstationIpv4(*control_, kCorp + R"(ACME\IT\Workstation\IT05)"), "10.1.2.105");
  // A blank inside the name stays inside its argument.
  EXPECT_EQ(OnTarget(R"(ACME\Field Service\PC 12)", actions_[1]).arguments,
            (Args{"probe", "host PC 12.Field Service.ACME"}));
}

TEST_F(OwnActionFormingTest, NoAddressKnownStartsNothing) {
  const auto command = OnTarget(R"(ACME\SALES\WS06)", Probe());  // IPX only
  EXPECT_TRUE(command.arguments.empty());
  EXPECT_EQ(command.statusText, "Not started: no IPv4 address is known for WS06.SALES.ACME!");
  EXPECT_FALSE(OnTarget(R"(ACME\SALES\WS06)", actions_[1]).statusText);  // no %a, no need
}

}  // namespace
}  // namespace cvx::test
