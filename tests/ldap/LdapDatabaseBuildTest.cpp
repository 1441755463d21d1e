// A database build whose server goes away half-way: the build fails and the previous file
// stays byte for byte, and the window's batch ends at the failed look-up.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"
#include "wsdb/DatabaseBuildRun.h"
#include "wsdb/DatabaseBuildTexts.h"

namespace cvx::test {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const std::string kNet = R"(NDS:\\NET\NET)";
constexpr int kTimeoutMs = 500;

}  // namespace

TEST(LdapDatabaseBuild, AServerStoppedOrPausedHalfWayFailsTheBuildAndKeepsTheOldFile) {
  for (bool pause : {false, true}) {
    TempFolder folder;
    std::string why;
    SlapdSetup setup;
    setup.treeName = "NET";
    auto server = StartTreeServer(NetTreeLdif(40), setup, folder, &why);
    ASSERT_TRUE(server) << why;
    LdapOptions options = TestLdapOptions();
    options.timeoutMs = kTimeoutMs;
    auto client = OpenDirectoryClientWith(server->Uri(), "", options);
    ASSERT_TRUE(client) << client.message();
    auto search = client.value()->CreateControl();
    auto lookups = client.value()->CreateControl();
    SearchRecorder recorder(*search);
    search->StartSearch("*", "Workstation", kScopeSubtree, kNet);
    ASSERT_TRUE(recorder.WaitFor(1));
    const SearchOutcome found = recorder.Outcomes().front();
    ASSERT_TRUE(found) << found.message();
    ASSERT_EQ(found->size(), 40u);
    // A new search of the same control retires the entries of the first, so the build's look-ups
    // go to the server, as they do in a build that outlasts its hits' freshness.
    search->StartSearch("none", "Workstation", kScopeSubtree, kNet);
    ASSERT_TRUE(recorder.WaitFor(2));

    const std::string db = folder / "db";
    std::filesystem::create_directory(db);
    const std::string old = "\"NDS:\\\\NET\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n";
    folder.Write("db/NET.lst", old);
    DatabaseBuildRun run(DatabaseBuildFile::Open(db, "NET", DatabaseWriteMode::kReplace), *found,
                         lookups.get());
    ASSERT_TRUE(run.Step(0ms));  // a batch past its time after one workstation
    ASSERT_EQ(run.tally().handled, 1u);

    if (pause) {
      server->Pause();
    } else {
      server->Stop();
    }
    const auto start = Clock::now();
    EXPECT_FALSE(run.Step(60s));
    // The batch ends at the look-up that failed, bounded by the network timeout.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3 * kTimeoutMs));
    EXPECT_LT(run.tally().handled, found->size());  // it ended at the failed look-up
    const DatabaseBuildResult r = run.Finish();
    EXPECT_EQ(r.status, DatabaseBuildResult::Status::kLookupsFailed);
    const std::string text = BuildFailedText(r);
    EXPECT_NE(text.find("(error 600"), std::string::npos) << text;
    EXPECT_NE(text.find(" - the previous Workstation Database was kept"), std::string::npos);
    std::ifstream in(db + "/NET.lst", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(db), {}), 1);
    if (pause) server->Resume();
  }
}

}  // namespace cvx::test
