#include "core/OwnActionCommand.h"

#include <gtest/gtest.h>

#include "core/DesktopExec.h"
#include "core/ExecFieldCodes.h"
#include "core/Ipv4Address.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

OwnAction Action(std::string_view exec) {
  OwnAction action;
  action.name = "T";
  action.arguments = SplitDesktopExec(exec).arguments;
  for (const auto& arg : action.arguments) action.usesAddress |= HoldsFieldCode(arg, 'a');
  return action;
}

const std::string kPc12 = R"(NDS:\\CORP\ACME\Field Service\PC 12)";
const std::string kUser = R"(NDS:\\CORP\ACME\SALES\TCLARK)";

TEST(FormOwnActionCommand, EveryCodeFillsItsOwnArgument) {
  const auto command = FormOwnActionCommand(
      Action(R"(rec %w "--label=%w on %n" %f user=%u %a 100%%)"), {kPc12, kUser, "10.1.4.112"});
  ASSERT_FALSE(command.statusText) << *command.statusText;
  EXPECT_EQ(command.arguments,
            (Args{"rec", "PC 12.Field Service.ACME", "--label=PC 12.Field Service.ACME on CORP",
                  kPc12, "user=TCLARK.SALES.ACME", "10.1.4.112", "100%"}));
}

TEST(FormOwnActionCommand, AnEmptyLoneCodeIsLeftOutButAnEmptyPartIsKept) {
  const auto command =
      FormOwnActionCommand(Action(R"(p %u "%u" --user=%u %w)"), {kPc12, "", std::nullopt});
  EXPECT_EQ(command.arguments, (Args{"p", "--user=", "PC 12.Field Service.ACME"}));
}

TEST(FormOwnActionCommand, RefusalsStartNothingAndSayWhy) {
  struct Case {
    std::string exec;
    OwnActionTarget target;
    std::string said;
  };
  const std::string withLineEnd = "NDS:\\\\CORP\\ACME\\WS\n01";
  const std::string dashed = R"(NDS:\\CORP\ACME\-oProxyCommand=x)";
  const Case cases[] = {
      {"ssh admin@%a", {kPc12, "", std::nullopt}, "no IPv4 address is known for PC 12."},
      {"p %w", {withLineEnd, "", std::nullopt}, "workstation name holds a control character"},
      {"p %f", {withLineEnd, "", std::nullopt}, "full name holds a control character"},
      {"ssh %w", {dashed, "", std::nullopt}, "workstation name starts with \"-\""},
      // %u is empty for a workstation, so %w starts the argument all the same.
      {"ssh %u%w", {dashed, "", std::nullopt}, "workstation name starts with \"-\""},
      {"ssh %u%w", {kPc12, R"(NDS:\\CORP\-oX=y)", std::nullopt}, "user name starts with \"-\""},
      {"p %w", {"NDS:\\\\CORP", "", std::nullopt}, "no workstation below the tree"},
  };
  for (const auto& c : cases) {
    const auto command = FormOwnActionCommand(Action(c.exec), c.target);
    EXPECT_TRUE(command.arguments.empty()) << c.exec;
    ASSERT_TRUE(command.statusText) << c.exec;
    EXPECT_NE(command.statusText->find(c.said), std::string::npos) << *command.statusText;
  }
  // A value that starts with "-" inside an argument is only text, an option the action writes
  // itself stays, and a %w that is never used cannot refuse anything.
  EXPECT_EQ(
      FormOwnActionCommand(Action("ssh host=%w -l%u%w %%%w"), {dashed, "", std::nullopt}).arguments,
      (Args{"ssh", "host=-oProxyCommand=x.ACME", "-l-oProxyCommand=x.ACME",
            "%-oProxyCommand=x.ACME"}));
  EXPECT_FALSE(FormOwnActionCommand(Action("ping %a"), {withLineEnd, "", "10.0.0.1"}).statusText);
}

TEST(Ipv4OfAddress, OnlyTcpAndUdpAddressesHaveOne) {
  EXPECT_EQ(Ipv4OfAddress(" UDP 192.168.0.255 "), "192.168.0.255");
  for (const char* none : {"IPX 00001001:0060B0100101:4003", "12 0A0B", "TCP 10.1.1.256",
                           "TCP 10.1.1", "TCP 10.1.1.1.1", ""}) {
    EXPECT_EQ(Ipv4OfAddress(none), std::nullopt) << none;
  }
}

}  // namespace
}  // namespace cvx
