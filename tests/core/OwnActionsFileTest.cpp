#include "core/OwnActionsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempFolder.h"
#include "support/UnprivilegedScope.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

const std::string kFile = "/home/admin/.config/corvexa/actions.ini";

std::vector<std::string> Names(const OwnActionsFile& file) {
  std::vector<std::string> names;
  for (const auto& a : file.actions) names.push_back(a.name);
  return names;
}

TEST(ParseOwnActions, SectionsInFileOrderWithTheirCaptionAndArguments) {
  const OwnActionsFile file = ParseOwnActions(
      "\xEF\xBB\xBF[action SSH]\r\n"  // saved with a byte-order mark
      "# the administrator's tools\r\n"
      "Caption = SSH terminal\r\n"
      "Exec=x-terminal-emulator -e ssh admin@%a\r\n"
      "\n"
      "[action RDP]\n"
      "X-Note=kept for the helpdesk\n"
      "Caption[de]=Fernsteuerung\n"
      "Exec=xfreerdp \"/v:%a\" \"/title:%w (%n)\"\n"
      "[action Web console]\n"
      "Exec=xdg-open https://%w/console\n",
      kFile);
  EXPECT_TRUE(file.problems.empty()) << file.problems.front();
  EXPECT_EQ(Names(file), (std::vector<std::string>{"SSH", "RDP", "Web console"}));
  const OwnAction& ssh = file.actions[0];
  EXPECT_EQ(ssh.caption, "SSH terminal");
  EXPECT_EQ(ssh.arguments, (Args{"x-terminal-emulator", "-e", "ssh", "admin@%a"}));
  EXPECT_TRUE(ssh.usesAddress);
  EXPECT_EQ(file.actions[1].arguments, (Args{"xfreerdp", "/v:%a", "/title:%w (%n)"}));
  EXPECT_EQ(file.actions[2].caption, "Web console");  // no caption: the name
  EXPECT_FALSE(file.actions[2].usesAddress);
  EXPECT_EQ(FindOwnAction(file.actions, "RDP"), &file.actions[1]);
  EXPECT_EQ(FindOwnAction(file.actions, "rdp"), nullptr);
}

// Each bad action is one message naming the file and the line of its fault; the good ones
// around it are still read.
TEST(ParseOwnActions, EachBadActionIsLeftOutWithOneMessage) {
  struct Case {
    std::string section;  // starts on line 3, after a good action
    int line;
    std::string said;
  };
  const Case cases[] = {
      {"[action X]\nExec=ssh %x\n", 4, "unknown field code %x"},
      {"[action X]\nExec=ping 50%\n", 4, "unknown field code %"},
      {"[action X]\nCaption=x\nExec=\n", 5, "Exec is empty"},
      {"[action X]\nExec=\"\"\n", 4, "Exec is empty"},
      {"[action X]\nCaption=x\n", 3, "no Exec key"},
      {"[action rc]\nExec=vncviewer %a\n", 3, "clashes with the catalogue's action code RC"},
      {"[action RP]\nExec=ping %a\n", 3, "action code RP"},
      {"[action A]\nExec=p\n", 3, "defined on line 1 already"},
      {"[action X]\nExec=ssh host | tee\n", 4, "Exec cannot be read: \"|\" must be inside"},
      {"[action X]\nExec=p \"open\n", 4, "not closed"},
      {"[action X]\nExec=%w-tool\n", 4, "program's name in Exec may not hold a field code"},
      {"[action X]\nExec=A=1 p\n", 4, "may not hold \"=\""},
      {"[action X]\nExce=p\nExec=p\n", 4, "unknown key \"Exce\""},
      {"[action X]\nExec=p\nExec=q\n", 5, "Exec is given twice"},
      {"[action X]\njust words\nExec=p\n", 4, "is not a KEY=VALUE line"},
      {"[action X]\nExec=p \x01\n", 4, "control character"},
      {"[action ]\nExec=p\n", 3, "has no name"},
  };
  for (const auto& c : cases) {
    const OwnActionsFile file =
        ParseOwnActions("[action A]\nExec=a\n" + c.section + "[action Z]\nExec=z\n", kFile);
    EXPECT_EQ(Names(file), (std::vector<std::string>{"A", "Z"})) << c.section;
    ASSERT_EQ(file.problems.size(), 1u) << c.section;
    const std::string& message = file.problems[0];
    EXPECT_EQ(message.rfind(kFile + ":" + std::to_string(c.line) + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(c.said), std::string::npos) << message;
    EXPECT_NE(message.find("is left out"), std::string::npos) << message;
  }
}

TEST(ParseOwnActions, LinesOutsideActionSectionsAreReportedOnce) {
  const OwnActionsFile file = ParseOwnActions(
      "Exec=stray\nCaption=stray\n[Desktop Entry]\nExec=p\nName=q\n[action A]\nExec=a\n", kFile);
  EXPECT_EQ(Names(file), std::vector<std::string>{"A"});
  ASSERT_EQ(file.problems.size(), 2u);
  EXPECT_EQ(file.problems[0], kFile + ":1: a line outside any [action NAME] section is ignored");
  EXPECT_EQ(file.problems[1].rfind(kFile + ":3: the section [Desktop Entry] is ignored", 0), 0u);
}

TEST(ReadOwnActions, AMissingFileIsNoActionsAndNoProblem) {
  test::TempFolder folder;
  EXPECT_TRUE(ReadOwnActions(folder.path() + "/absent.ini").problems.empty());
  EXPECT_TRUE(ReadOwnActions("").problems.empty());

  const std::string path = folder.Write("actions.ini", "[action A]\nExec=a\n");
  EXPECT_EQ(Names(ReadOwnActions(path)), std::vector<std::string>{"A"});
}

TEST(ReadOwnActions, AnUnreadableFileIsOneProblem) {
  test::TempFolder folder;
  std::filesystem::create_directory(folder.path() + "/actions.ini");
  auto file = ReadOwnActions(folder.path() + "/actions.ini");
  ASSERT_EQ(file.problems.size(), 1u);
  EXPECT_EQ(file.problems[0], folder.path() + "/actions.ini: cannot be read: not a regular file");

  const std::string locked = folder.Write("locked.ini", "[action A]\nExec=a\n");
  ::chmod(folder.path().c_str(), 0755);
  ::chmod(locked.c_str(), 0);
  test::UnprivilegedScope nobody;
  if (nobody.failed()) GTEST_SKIP() << "permissions do not apply";
  file = ReadOwnActions(locked);
  EXPECT_TRUE(file.actions.empty());
  ASSERT_EQ(file.problems.size(), 1u);
  EXPECT_EQ(file.problems[0], locked + ": cannot be read: Permission denied");
}

}  // namespace
}  // namespace cvx
