#include "actions/LaunchStep.h"

#include <gtest/gtest.h>

#include "fakes/RecordingLauncher.h"

namespace cvx {
namespace {

TEST(LaunchStep, MissingProgramShowsTheMessageAndTheServerPage) {
  RecordingLauncher launcher;
  launcher.answer = {LaunchStatus::kNotFound, "no such file"};
  const auto reaction = LaunchStep(launcher, R"(\\FS9\sys\public\zenworks\wviewnt.exe -w"A")");
  EXPECT_EQ(launcher.launched,
            std::vector<std::string>{R"(\\FS9\sys\public\zenworks\wviewnt.exe -w"A")"});
  EXPECT_EQ(reaction.message,
            "Could not find files needed to launch Z.E.N.works Remote Management!\r\n"
            "These files are usually located on your server beneath \\sys\\public\\.\r\n"
            "Please choose a server where you have installed Z.E.N.works files!");
  EXPECT_TRUE(reaction.showServerSettings);
  EXPECT_EQ(reaction.statusText, "");
  EXPECT_EQ(kLaunchWarningTitle, "Warning!");
}

TEST(LaunchStep, OtherFailuresShowTheirReasonInTheStatusBar) {
  RecordingLauncher launcher;
  launcher.answer = {LaunchStatus::kFailed, "Permission denied"};
  const auto reaction = LaunchStep(launcher, "x");
  EXPECT_FALSE(reaction.message);
  EXPECT_FALSE(reaction.showServerSettings);
  EXPECT_EQ(reaction.statusText,
            "Could not start the remote management program: Permission denied");
}

TEST(LaunchStep, StartedOrEmptyChangesNothing) {
  RecordingLauncher launcher;
  for (const std::string line : {"", "x"}) {
    const auto reaction = LaunchStep(launcher, line);
    EXPECT_FALSE(reaction.message);
    EXPECT_FALSE(reaction.showServerSettings);
    EXPECT_FALSE(reaction.statusText);
  }
}

}  // namespace
}  // namespace cvx
