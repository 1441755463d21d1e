// The folder directory reads a tree once, when something first needs it. These benchmarks show
// what that costs on a large tree, and that opening the folder itself costs next to nothing.
// CVX_BENCH_DIRECTORY names a folder with one large tree (bench/run-directory-bench writes it).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdlib>
#include <string>

#include <ldap.h>
#include <ldif.h>

#include <cstring>
#include <filesystem>

#include "directory/DirectoryClient.h"

namespace {

std::string Folder() {
  const char* folder = std::getenv("CVX_BENCH_DIRECTORY");
  return folder ? folder : "";
}

cvx::DirectoryClientPtr OpenOrSkip(benchmark::State& state) {
  auto client = cvx::OpenDirectoryClient(Folder(), "");
  if (!client) state.SkipWithError(client.message().c_str());
  return client ? client.value() : nullptr;
}

// The floor: the LDAP library reading and parsing every record of the folder's trees, nothing kept.
void BM_ReadLdifOnly(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t records = 0;
    for (const auto& f : std::filesystem::directory_iterator(Folder())) {
      if (f.path().extension() != ".ldif") continue;
      LDIFFP* fp = ldif_open(f.path().c_str(), "r");
      unsigned long line = 0;
      char* buf = nullptr;
      int len = 0;
      while (ldif_read_record(fp, &line, &buf, &len) > 0) {
        berval rbuf{std::strlen(buf), buf};
        LDIFRecord lr{};
        if (ldap_parse_ldif_record(&rbuf, line, &lr, "bench", LDIF_DEFAULT_ADD) == LDAP_SUCCESS) {
          ++records;
        }
        ldap_ldif_record_done(&lr);
      }
      ber_memfree(buf);
      ldif_close(fp);
    }
    benchmark::DoNotOptimize(records);
  }
}
BENCHMARK(BM_ReadLdifOnly)->Unit(benchmark::kMillisecond);

// Opening the folder: schemas only, no tree.
void BM_OpenFolder(benchmark::State& state) {
  for (auto _ : state) {
    auto client = OpenOrSkip(state);
    if (!client) return;
    benchmark::DoNotOptimize(client);
  }
}
BENCHMARK(BM_OpenFolder)->Unit(benchmark::kMillisecond);

// Opening plus the first look-up, which reads the whole tree.
void BM_OpenAndFirstLookup(benchmark::State& state) {
  for (auto _ : state) {
    auto client = OpenOrSkip(state);
    if (!client) return;
    auto control = client->CreateControl();
    benchmark::DoNotOptimize(control->ContextEntries());
  }
}
BENCHMARK(BM_OpenAndFirstLookup)->Unit(benchmark::kMillisecond);

// One client whose tree is read already, shared by the benchmarks of work on a loaded tree.
cvx::DirectoryClientPtr LoadedClient(benchmark::State& state) {
  static cvx::DirectoryClientPtr client;
  if (!client) {
    client = OpenOrSkip(state);
    if (client) benchmark::DoNotOptimize(client->CreateControl()->ContextEntries());
  }
  return client;
}

// Later look-ups on the tree in memory.
void BM_LookupInLoadedTree(benchmark::State& state) {
  auto client = LoadedClient(state);
  if (!client) return;
  auto control = client->CreateControl();
  const auto top = control->ContextEntries();
  if (!top || top->empty()) {
    state.SkipWithError("empty tree");
    return;
  }
  const std::string name = top->front()->FullPath();
  for (auto _ : state) benchmark::DoNotOptimize(control->FindEntry(name));
}
BENCHMARK(BM_LookupInLoadedTree)->Unit(benchmark::kMicrosecond);

// A subtree search for a name prefix over the whole tree, completion included.
void BM_SearchWholeTree(benchmark::State& state) {
  auto client = LoadedClient(state);
  if (!client) return;
  auto control = client->CreateControl();
  const std::string root = control->ContextPath();
  for (auto _ : state) {
    QEventLoop loop;
    std::size_t hits = 0;
    QObject::connect(control.get(), &cvx::DirectoryControl::SearchCompleted,
                     [&](const cvx::SearchOutcome& r) {
                       hits = r ? r->size() : 0;
                       loop.quit();
                     });
    control->StartSearch("a*", "User, Alias, Workstation", cvx::kScopeSubtree, root);
    loop.exec();
    QObject::disconnect(control.get(), nullptr, nullptr, nullptr);
    benchmark::DoNotOptimize(hits);
  }
}
BENCHMARK(BM_SearchWholeTree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
