// Own actions started for real: a recorder script written here writes the arguments it was given,
// one NUL-terminated each, so what reached the program can be compared byte for byte.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "actions/LaunchStep.h"
#include "actions/SpawnLauncher.h"
#include "core/OwnActionCommand.h"
#include "core/OwnActionsFile.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

class OwnActionLaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    std::ofstream(Recorder()) << "#!/bin/sh\n"
                                 "for a in \"$@\"; do printf '%s\\0' \"$a\"; done >\"$0.part\"\n"
                                 "mv \"$0.part\" \"$0.args\"\n";
    chmod(Recorder().c_str(), 0755);
  }

  std::string Folder() const { return dir_.path().toStdString(); }
  std::string Recorder() const { return Folder() + "/cvx-recorder"; }

  // The arguments the recorder was started with (not its name), once it has written them.
  std::optional<Args> Recorded() const {
    const std::string file = Recorder() + ".args";
    if (!QTest::qWaitFor([&] { return access(file.c_str(), F_OK) == 0; }, 10000)) {
      return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    Args args;
    std::string arg;
    while (std::getline(content, arg, '\0')) args.push_back(arg);
    return args;
  }

  QTemporaryDir dir_;
  SpawnLauncher launcher_{"/nonexistent-unc-root"};
};

TEST_F(OwnActionLaunchTest, AFormedCommandReachesTheProgramArgumentForArgument) {
  const auto file =
      ParseOwnActions("[action Rec]\nExec=\"" + Recorder() +
                          "\" \"--label=%w on %n\" %w %a \"\\\\$HOME;\\\\$x\" \"\" 100%%\n",
                      "t.ini");
  ASSERT_TRUE(file.problems.empty()) << file.problems.front();
  const auto command = FormOwnActionCommand(
      file.actions[0], {R"(NDS:\\CORP\ACME\Field Service\PC 12)", "", "10.1.4.112"});
  ASSERT_FALSE(command.statusText);

  const LaunchReaction reaction = LaunchArgumentsStep(launcher_, command.arguments);
  EXPECT_FALSE(reaction.statusText);
  EXPECT_FALSE(reaction.message);
  // No shell in between: nothing is expanded, split or joined.
  EXPECT_EQ(Recorded(), (Args{"--label=PC 12.Field Service.ACME on CORP",
                              "PC 12.Field Service.ACME", "10.1.4.112", "$HOME;$x", "", "100%"}));
}

TEST_F(OwnActionLaunchTest, ABareNameIsLookedUpInPath) {
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (Folder() + ":" + path).c_str(), 1);
  const LaunchOutcome outcome = launcher_.LaunchArguments({"cvx-recorder", "a b"});
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(outcome.status, LaunchStatus::kStarted) << outcome.reason;
  EXPECT_EQ(Recorded(), Args{"a b"});
}

TEST_F(OwnActionLaunchTest, AProgramThatDoesNotStartIsOnlyAStatusText) {
  const LaunchReaction missing = LaunchArgumentsStep(launcher_, {"cvx-no-such-program", "x"});
  EXPECT_FALSE(missing.message);  // not the catalogue's message about the server's files
  EXPECT_FALSE(missing.showServerSettings);
  EXPECT_EQ(missing.statusText,
            "Could not start the action's program: cvx-no-such-program: No such file or directory");

  chmod(Recorder().c_str(), 0644);
  EXPECT_EQ(launcher_.LaunchArguments({Recorder()}).status, LaunchStatus::kFailed);
  EXPECT_EQ(launcher_.LaunchArguments({Folder() + "/gone/x"}).status, LaunchStatus::kNotFound);
  EXPECT_EQ(launcher_.LaunchArguments({}).status, LaunchStatus::kEmpty);
}

}  // namespace
}  // namespace cvx
