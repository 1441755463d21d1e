// A database build of a large tree through the window's own makeDB (the button pressed with the
// tree's organization selected, "Overwrite" chosen), next to a plain export of the same
// workstations and addresses through the directory port, written to a file in one go: the speed
// to match. A third run appends record by record, opening and closing the file each time.
// CVX_BENCH_DIRECTORY names a folder holding BIG.ldif and the generator's BIG.lst
// (bench/run-dbbuild-bench writes both); each run's file is checked against BIG.lst.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "actions/SpawnLauncher.h"
#include "core/WorkstationRecord.h"
#include "directory/DirectoryClient.h"
#include "settings/LazySettingsStore.h"
#include "window/controls/Prompter.h"
#include "window/database/DatabaseBuildJob.h"
#include "window/frmMain.h"
#include "support/RecordAppender.h"

namespace {

const std::string kTree = "BIG";
const std::string kContext = R"(NDS:\\BIG\ENTERPRISE)";

std::string Folder() {
  const char* folder = std::getenv("CVX_BENCH_DIRECTORY");
  return folder ? folder : "";
}

std::string OutFolder() {
  static const std::string out = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "cvx-dbbuild-XXXXXX").string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
  }();
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The tree read once, shared by all runs: reading it is not what is measured.
cvx::DirectoryClientPtr LoadedClient(benchmark::State& state) {
  static cvx::DirectoryClientPtr client;
  if (!client) {
    auto opened = cvx::OpenDirectoryClient(Folder(), kTree);
    if (!opened) {
      state.SkipWithError(opened.message().c_str());
      return nullptr;
    }
    client = *opened;
    if (!client->CreateControl()->FindEntry(kContext)) {
      state.SkipWithError(("no " + kContext + " in " + Folder()).c_str());
      client.reset();
    }
  }
  return client;
}

// The file a run wrote must be the generator's database, byte for byte.
bool CheckOutput(benchmark::State& state, const std::string& file) {
  static const std::string expected = ReadFile(Folder() + "/" + kTree + ".lst");
  if (expected.empty()) {
    state.SkipWithError("no BIG.lst from the generator to compare with");
    return false;
  }
  if (ReadFile(file) != expected) {
    state.SkipWithError((file + " differs from the generator's BIG.lst").c_str());
    return false;
  }
  std::filesystem::remove(file);
  return true;
}

class SilentPrompter : public cvx::Prompter {
 public:
  void ShowMessage(const QString& text, const QString&, cvx::MessageIcon) override {
    message = text.toStdString();
  }
  std::string message;
};

void BM_MakeDB(benchmark::State& state) {
  auto client = LoadedClient(state);
  if (!client) return;
  const std::string out = OutFolder() + "/makedb";
  std::filesystem::create_directories(out);
  SilentPrompter prompter;
  cvx::LazySettingsStore settings(out + "/never-written.sqlite3");
  cvx::SpawnLauncher launcher(out);  // starts nothing: no action is run
  double longestStall = 0;
  for (auto _ : state) {
    cvx::frmMain::Ports ports;
    ports.directory = client;
    ports.prompter = &prompter;
    ports.settings = &settings;
    ports.launcher = &launcher;
    ports.programDir = out;
    ports.arguments = {"/dbpath=" + out};
    cvx::frmMain w(std::move(ports));
    if (w.Load() != cvx::StartUpOutcome::kReady) {
      state.SkipWithError("the window did not start");
      return;
    }
    // The build button pressed on the container, replacing the file.
    auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("TreeViewWS"));
    auto* node = new QTreeWidgetItem(tree);
    node->setData(0, Qt::UserRole + 1, QString::fromStdString(kContext));
    tree->setCurrentItem(node);
    w.findChild<QRadioButton*>(QStringLiteral("optDBfile(1)"))->setChecked(true);
    cvx::DatabaseBuildJob& job = w.buildJob();
    QEventLoop loop;
    QObject::connect(&job, &cvx::DatabaseBuildJob::Ended, &loop, &QEventLoop::quit);

    // How long the window could not answer: the longest gap between two turns of its event
    // loop while the build ran.
    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTurn.restart()); });

    QElapsedTimer clock;
    clock.start();
    sinceTurn.start();
    turns.start(0);
    w.findChild<QPushButton*>(QStringLiteral("cmdBuildWSdb"))->click();
    if (job.running()) loop.exec();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    turns.stop();
    longestStall = std::max(longestStall, static_cast<double>(longestGap));

    if (job.state() != cvx::DatabaseBuildJob::State::kBuilt) {
      state.SkipWithError(("the build failed: " + prompter.message).c_str());
      return;
    }
    if (!CheckOutput(state, out + "/" + kTree + ".lst")) return;
  }
  state.counters["longest_stall_ms"] = longestStall;
}

// The names found by one search on the port.
cvx::SearchResults SearchAll(cvx::DirectoryControl& control) {
  cvx::SearchResults names;
  QEventLoop loop;
  QObject::connect(&control, &cvx::DirectoryControl::SearchCompleted, &loop,
                   [&](const cvx::SearchOutcome& r) {
                     if (r) names = *r;
                     loop.quit();
                   });
  control.StartSearch("*", "Workstation", cvx::kScopeSubtree, kContext);
  loop.exec();
  return names;
}

std::optional<std::string> RecordOf(const cvx::DirectoryControl& control, const std::string& name) {
  const auto entry = control.FindEntry(name);
  if (!entry) return std::nullopt;
  const auto values = entry.value()->GetFieldValue("WM:Network Address");
  if (!values || values->empty()) return std::nullopt;
  return cvx::FormatWorkstationRecord(name, (*values)[0], values->size() > 1 ? (*values)[1] : "");
}

void BM_PlainExport(benchmark::State& state) {
  auto client = LoadedClient(state);
  if (!client) return;
  const std::string out = OutFolder() + "/export";
  std::filesystem::create_directories(out);
  auto search = client->CreateControl();
  search->SetClassFilter("Workstation");
  auto lookups = client->CreateControl();
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    std::string all;
    for (const auto& name : SearchAll(*search)) {
      if (auto line = RecordOf(*lookups, name)) all += *line;
    }
    std::ofstream(out + "/" + kTree + ".lst", std::ios::binary | std::ios::trunc) << all;
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (!CheckOutput(state, out + "/" + kTree + ".lst")) return;
  }
}

// Each record appended on its own: open, write, close.
void BM_ExportOpenAppendClose(benchmark::State& state) {
  auto client = LoadedClient(state);
  if (!client) return;
  const std::string out = OutFolder() + "/append";
  std::filesystem::create_directories(out);
  auto search = client->CreateControl();
  search->SetClassFilter("Workstation");
  auto lookups = client->CreateControl();
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    for (const auto& name : SearchAll(*search)) {
      const auto entry = lookups->FindEntry(name);
      if (!entry) continue;
      const auto values = entry.value()->GetFieldValue("WM:Network Address");
      if (!values || values->empty()) continue;
      cvx::AppendWorkstationRecord(out, kTree, name, (*values)[0],
                                   values->size() > 1 ? (*values)[1] : "");
    }
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    if (!CheckOutput(state, out + "/" + kTree + ".lst")) return;
  }
}

BENCHMARK(BM_MakeDB)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_PlainExport)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ExportOpenAppendClose)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(OutFolder());
  return 0;
}
