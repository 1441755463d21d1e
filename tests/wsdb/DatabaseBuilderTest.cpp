#include "wsdb/DatabaseBuilder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>
#include <filesystem>

#include "directory/DirectoryClient.h"
#include "support/TempFolder.h"
#include "wsdb/BuildContextCheck.h"
#include "wsdb/DatabaseBuildRun.h"
#include "wsdb/DatabaseBuildTexts.h"

namespace cvx {
namespace {

using Status = DatabaseBuildResult::Status;
using test::TempFolder;

const std::string kLab = R"(NDS:\\LAB\LAB\)";
const std::string kLabDir = std::string(CVX_TEST_DATA_DIR) + "/dirs/dbbuild";

std::string Record(const std::string& name, const std::string& a1, const std::string& a2) {
  return "\"" + kLab + name + "\",\"" + a1 + "\",\"" + a2 + "\"\r\n";
}

class DatabaseBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(kLabDir, "LAB");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    search_ = client_->CreateControl();
    search_->SetClassFilter("Workstation");
    lookups_ = client_->CreateControl();
  }

  // A build as the window runs it: the file opened, the search started, its outcome handed on,
  // the batches run by the event loop.
  DatabaseBuildResult Build(const std::string& context,
                            DatabaseWriteMode mode = DatabaseWriteMode::kReplace,
                            const DirectoryControl* lookups = nullptr) {
    auto file = DatabaseBuildFile::Open(folder_.path(), "LAB", mode);
    EXPECT_TRUE(file.ok()) << file.reason();
    DatabaseBuilder builder(std::move(file), lookups ? lookups : lookups_.get());
    QEventLoop loop;
    QObject::connect(search_.get(), &DirectoryControl::SearchCompleted, &builder,
                     &DatabaseBuilder::Start);
    QObject::connect(&builder, &DatabaseBuilder::Finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    search_->StartSearch("*", "Workstation", kScopeSubtree, kLab + context);
    loop.exec();
    EXPECT_TRUE(builder.finished());
    return builder.finished() ? builder.result() : DatabaseBuildResult{};
  }

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_.path()))
      names.push_back(e.path().filename().string());
    return names;
  }

  TempFolder folder_;
  DirectoryClientPtr client_;
  std::unique_ptr<DirectoryControl> search_;
  std::unique_ptr<DirectoryControl> lookups_;
};

TEST_F(DatabaseBuilderTest, OneRecordPerWorkstationInSearchOrder) {
  const auto r = Build("DESKS");
  ASSERT_EQ(r.status, Status::kBuilt) << r.reason;
  // Three addresses: the first two. One address: the third field empty. None: no record. A
  // name holding a quotation mark or a line break: left out.
  EXPECT_EQ(folder_.Read("LAB.lst"),
            Record(R"(DESKS\FIRST)", "IPX 00001001:00A0C9000001:4005", "TCP 10.9.0.1") +
                Record(R"(DESKS\THREE)", "TCP 10.9.0.3", "IPX 00001001:00A0C9000003:4005") +
                Record(R"(DESKS\ONE)", "TCP 10.9.0.6", ""));
  // Each name left out with the reason it cannot be a record.
  const std::string control = "a control character";
  EXPECT_EQ(r.tally.leftOut,
            (std::vector<LeftOutName>{{kLab + "DESKS\\QUOTE\"D", "a quotation mark"},
                                      {kLab + "DESKS\\LINE\nBREAK", control},
                                      {kLab + "DESKS\\CARRIAGE\rRETURN", control},
                                      {kLab + "DESKS\\ESC\x1b[2J", control},
                                      {kLab + "DESKS\\BAD\xff"
                                              "BYTE",
                                       "invalid UTF-8"}}));
  EXPECT_EQ(BuildFinishedText(r),
            "Found: 9 Workstation(s) - 5 left out: a quotation mark, a control character, "
            "invalid UTF-8");
  // On stderr each name is named, escaped, so that no name can forge a line or a terminal
  // sequence.
  const auto lines = LeftOutLines(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "  " + kLab + "DESKS\\LINE\\nBREAK (a control character)");
  EXPECT_EQ(lines[4], "  " + kLab + "DESKS\\ESC\\x1b[2J (a control character)");
  EXPECT_EQ(lines[5], "  " + kLab + "DESKS\\BAD\\xffBYTE (invalid UTF-8)");
}

TEST_F(DatabaseBuilderTest, OnlyAWorkstationRemovedMeanwhileIsSkippedAndALeafContextRefused) {
  auto file = DatabaseBuildFile::Open(folder_.path(), "LAB", DatabaseWriteMode::kReplace);
  DatabaseBuilder builder(std::move(file), lookups_.get());
  QEventLoop loop;
  QObject::connect(&builder, &DatabaseBuilder::Finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  builder.Start(SearchResults{kLab + R"(DESKS\GONE)", kLab + R"(DESKS\ONE)"});
  loop.exec();
  ASSERT_TRUE(builder.finished());
  const auto& r = builder.result();
  ASSERT_EQ(r.status, Status::kBuilt) << r.reason;
  EXPECT_EQ(r.tally.deleted, 1u);
  EXPECT_EQ(folder_.Read("LAB.lst"), Record(R"(DESKS\ONE)", "TCP 10.9.0.6", ""));
  EXPECT_NE(BuildSummaryLine(r).find("(2 found, 1 removed meanwhile)"), std::string::npos)
      << BuildSummaryLine(r);

  EXPECT_EQ(BuildContextRefusal(*lookups_, kLab + R"(SINGLE\SOLO)"),
            kLab + R"(SINGLE\SOLO is a Workstation, not a container)");
  EXPECT_EQ(BuildContextRefusal(*lookups_, kLab + "SINGLE"), "");
}

TEST_F(DatabaseBuilderTest, AContainerOfExactlyOneWorkstation) {
  const auto r = Build("SINGLE");
  ASSERT_EQ(r.status, Status::kBuilt) << r.reason;
  EXPECT_EQ(folder_.Read("LAB.lst"),
            Record(R"(SINGLE\SOLO)", "IPX 00001002:00A0C9000007:4005", "TCP 10.9.1.7"));
}

// A look-up control released half-way, one that finds not one workstation, or one whose tree
// cannot be read half-way ends the build as failed, its new file removed at once.
TEST_F(DatabaseBuilderTest, FailedLookUpsLeaveNoNewFileBehind) {
  const std::string old = Record("OLD", "TCP 1.1.1.1", "");
  folder_.Write("LAB.lst", old);
  auto other = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
  auto broken = OpenDirectoryClient(std::string(CVX_TEST_DATA_DIR) + "/dirs/badtrees", "GOOD");
  ASSERT_TRUE(other && broken);
  const SearchResults desks{kLab + R"(DESKS\FIRST)", kLab + R"(DESKS\ONE)"};
  struct Case {
    DirectoryClientPtr client;
    SearchResults names;
    bool release;
  };
  for (const Case& c : {Case{client_, desks, true}, Case{*other, desks, false},
                        Case{*broken, {R"(NDS:\\GOOD\ACME\FS9)", R"(NDS:\\NOTYPE\ACME)"}, false}}) {
    auto lookups = c.client->CreateControl();
    DatabaseBuildRun run(
        DatabaseBuildFile::Open(folder_.path(), "LAB", DatabaseWriteMode::kReplace), c.names,
        lookups.get());
    ASSERT_TRUE(run.Step(std::chrono::steady_clock::duration::zero()));
    if (c.release) lookups.reset();
    EXPECT_FALSE(run.Step(std::chrono::seconds(10)));
    EXPECT_EQ(run.Finish().status, Status::kLookupsFailed) << c.names.back();
    EXPECT_EQ(folder_.Read("LAB.lst"), old);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"LAB.lst"}) << c.names.back();
  }
}

TEST_F(DatabaseBuilderTest, FailedSearchOrLookupsKeepThePreviousDatabase) {
  const std::string old = Record("OLD", "TCP 1.1.1.1", "");
  folder_.Write("LAB.lst", old);
  for (auto mode : {DatabaseWriteMode::kReplace, DatabaseWriteMode::kAppend}) {
    const auto r = Build("NOWHERE", mode);
    EXPECT_EQ(r.status, Status::kSearchFailed);
    EXPECT_EQ(r.searchError, kDirNoSuchObject);
    EXPECT_EQ(folder_.Read("LAB.lst"), old);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"LAB.lst"});
    EXPECT_EQ(BuildFailedText(r).rfind("Workstation search failed (error 601): ", 0), 0u)
        << BuildFailedText(r);
  }

  // Look-ups in a directory that does not hold the tree: every one fails, which says the
  // directory is gone rather than every workstation.
  auto other = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
  ASSERT_TRUE(other);
  auto elsewhere = (*other)->CreateControl();
  const auto r = Build("DESKS", DatabaseWriteMode::kReplace, elsewhere.get());
  EXPECT_EQ(r.status, Status::kLookupsFailed);
  EXPECT_EQ(folder_.Read("LAB.lst"), old);
  EXPECT_EQ(BuildFailedText(r),
            "Workstation Database not built: not one workstation could be looked up (4 tried) - "
            "the previous Workstation Database was kept");
}

TEST_F(DatabaseBuilderTest, WriteFailureHalfWayKeepsThePreviousDatabase) {
  const std::string old = Record("OLD", "TCP 1.1.1.1", "");
  folder_.Write("LAB.lst", old);
  // A full disk, as far as this process can tell: files may not grow past a few bytes more
  // than the old database.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = old.size() + 40;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  DatabaseBuildResult results[2];
  results[0] = Build("DESKS", DatabaseWriteMode::kReplace);
  results[1] = Build("DESKS", DatabaseWriteMode::kAppend);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, savedSignal);
  for (const auto& r : results) {
    EXPECT_EQ(r.status, Status::kWriteFailed);
    EXPECT_NE(r.reason.find("File too large"), std::string::npos) << r.reason;
  }
  EXPECT_EQ(folder_.Read("LAB.lst"), old);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"LAB.lst"});
}

TEST_F(DatabaseBuilderTest, ReportsProgressInBatches) {
  auto file = DatabaseBuildFile::Open(folder_.path(), "LAB", DatabaseWriteMode::kReplace);
  DatabaseBuilder builder(std::move(file), lookups_.get());
  std::vector<std::pair<std::size_t, std::size_t>> progress;
  QObject::connect(&builder, &DatabaseBuilder::Progress, [&](std::size_t done, std::size_t found) {
    progress.emplace_back(done, found);
  });
  SearchResults many(5000, kLab + R"(DESKS\ONE)");
  builder.Start(many);
  EXPECT_TRUE(progress.empty());  // nothing is written inside Start
  QEventLoop loop;
  QObject::connect(&builder, &DatabaseBuilder::Finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  ASSERT_TRUE(builder.finished());
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::make_pair(std::size_t{5000}, std::size_t{5000}));
  for (std::size_t i = 1; i < progress.size(); ++i)
    EXPECT_GT(progress[i].first, progress[i - 1].first);
  EXPECT_EQ(builder.result().tally.written, 5000u);
}

}  // namespace
}  // namespace cvx
