#include "actions/LaunchStep.h"

#include <gtest/gtest.h>

#include "fakes/RecordingLauncher.h"

namespace cvx {
namespace {

// A missing program is the catalogue's box and the server page; any other failure only the
// status bar; a start or an empty line nothing at all.
TEST(LaunchStep, EachOutcomeHasItsOneReaction) {
  const std::string line = R"(\\FS9\sys\public\zenworks\wviewnt.exe -w"A")";
  RecordingLauncher launcher;
  launcher.answer = {LaunchStatus::kNotFound, "no such file"};
  auto reaction = LaunchStep(launcher, line);
  EXPECT_EQ(launcher.launched, std::vector<std::string>{line});
  ASSERT_TRUE(reaction.message);
  EXPECT_NE(reaction.message->find("beneath \\sys\\public\\"), std::string::npos);
  EXPECT_TRUE(reaction.showServerSettings);
  EXPECT_EQ(reaction.statusText, "");

  launcher.answer = {LaunchStatus::kFailed, "Permission denied"};
  reaction = LaunchStep(launcher, line);
  EXPECT_FALSE(reaction.message);
  EXPECT_FALSE(reaction.showServerSettings);
  EXPECT_EQ(reaction.statusText,
            "Could not start the remote management program: Permission denied");

  launcher.answer = {LaunchStatus::kStarted, ""};
  for (const std::string started : {"", "x"}) {
    reaction = LaunchStep(launcher, started);
    EXPECT_FALSE(reaction.message || reaction.showServerSettings || reaction.statusText);
  }
}

}  // namespace
}  // namespace cvx
