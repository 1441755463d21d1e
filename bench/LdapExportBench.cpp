// The live directory against a slapd holding a large tree (bench/run-ldap-bench writes it with
// tools/make_demo_tree.py --large): the export a database build runs through the port, every
// workstation below a context with its addresses, beside ldapsearch reading the same entries to
// /dev/null; and the directory work of starting the window, on the large tree and on the small
// demo tree, which must cost the same (levels are read when shown).
// CVX_BENCH_DIRECTORY names the folder with the large tree BIG.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "SlapdServer.h"
#include "directory/DirectoryClient.h"
#include "directory/ExtendedActionsProbe.h"

extern char** environ;

namespace {

struct BenchServers {
  std::unique_ptr<cvx::test::SlapdServer> big;    // BIG: 100,000 workstations
  std::unique_ptr<cvx::test::SlapdServer> small;  // the demo tree CORP
};
BenchServers* servers = nullptr;

constexpr const char* kBigContext = R"(NDS:\\BIG\ENTERPRISE)";
constexpr const char* kBigBase = "o=ENTERPRISE";

std::unique_ptr<cvx::test::SlapdServer> Start(const std::string& folder, const std::string& tree,
                                              const std::vector<std::string>& schemas) {
  cvx::test::SlapdSetup setup;
  setup.treeName = tree;
  setup.ldifPath = folder + "/" + tree + ".ldif";
  for (const auto& s : schemas) setup.folderSchemas.push_back(folder + "/" + s);
  setup.sizeLimit = 0;
  std::string why;
  auto server = cvx::test::SlapdServer::Create(setup, &why);
  if (!server) std::cerr << "cannot start slapd for " << tree << ": " << why << "\n";
  return server;
}

cvx::DirectoryClientPtr Open(benchmark::State& state, const cvx::test::SlapdServer* server) {
  if (!server) {
    state.SkipWithError("no server");
    return nullptr;
  }
  auto client = cvx::OpenDirectoryClientWith(server->Uri(), "", cvx::LdapOptions());
  if (!client) state.SkipWithError(client.message().c_str());
  return client ? client.value() : nullptr;
}

// What a database build does: one search, then for each workstation found a look-up and a read
// of its addresses, in the completion handler.
void BM_DatabaseBuildThroughThePort(benchmark::State& state) {
  auto client = Open(state, servers->big.get());
  if (!client) return;
  auto search = client->CreateControl();
  search->SetClassFilter("Workstation");
  auto lookup = client->CreateControl();
  lookup->SetClassFilter("User");
  std::size_t found = 0, withAddress = 0;
  for (auto _ : state) {
    QEventLoop loop;
    found = withAddress = 0;
    QObject::connect(search.get(), &cvx::DirectoryControl::SearchCompleted,
                     [&](const cvx::SearchOutcome& names) {
                       if (names) {
                         for (const auto& name : *names) {
                           ++found;
                           auto entry = lookup->FindEntry(name);
                           if (!entry) continue;
                           auto addresses = (*entry)->GetFieldValue("WM:Network Address");
                           if (addresses && !addresses->empty()) ++withAddress;
                         }
                       }
                       loop.quit();
                     });
    search->StartSearch("*", "Workstation", cvx::kScopeSubtree, kBigContext);
    loop.exec();
    QObject::disconnect(search.get(), nullptr, nullptr, nullptr);
  }
  state.counters["workstations"] = static_cast<double>(found);
  state.counters["with_address"] = static_cast<double>(withAddress);
}
BENCHMARK(BM_DatabaseBuildThroughThePort)->Unit(benchmark::kMillisecond)->UseRealTime();

// ldapsearch -LLL of the same entries, paged as the port pages, to /dev/null.
void RunLdapsearch(benchmark::State& state, const std::vector<std::string>& attributes) {
  if (!servers->big) {
    state.SkipWithError("no server");
    return;
  }
  std::vector<std::string> args{"ldapsearch",
                                "-LLL",
                                "-x",
                                "-H",
                                servers->big->Uri(),
                                "-b",
                                kBigBase,
                                "-E",
                                "pr=500/noprompt",
                                "(objectClass=workstation)"};
  args.insert(args.end(), attributes.begin(), attributes.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawnp(&pid, "ldapsearch", &files, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("ldapsearch does not start");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("ldapsearch failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&files);
}

// The attributes the port asks for.
void BM_LdapsearchSameAttributes(benchmark::State& state) {
  RunLdapsearch(state, {"*"});
}
BENCHMARK(BM_LdapsearchSameAttributes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only what a record needs: the name and the addresses.
void BM_LdapsearchNamesAndAddresses(benchmark::State& state) {
  RunLdapsearch(state, {"cn", "wmNetworkAddress"});
}
BENCHMARK(BM_LdapsearchNamesAndAddresses)->Unit(benchmark::kMillisecond)->UseRealTime();

// The directory work of starting the window: open, the five controls, the schema check for the
// extended actions, the server list, the layouts, and the first level of both browsers.
void BM_StartUpDirectoryWork(benchmark::State& state) {
  const auto* server = state.range(0) ? servers->big.get() : servers->small.get();
  for (auto _ : state) {
    auto client = Open(state, server);
    if (!client) return;
    std::vector<std::unique_ptr<cvx::DirectoryControl>> controls;
    for (const char* filter :
         {"Country, Organization, Organizational Unit, User, Alias, Workstation",
          "Country, Organization, Organizational Unit", "Workstation",
          "Country, Organization, Organizational Unit", "User"}) {
      controls.push_back(client->CreateControl());
      controls.back()->SetClassFilter(filter);
    }
    benchmark::DoNotOptimize(cvx::ExtendedActionsSupported(*client));
    benchmark::DoNotOptimize(cvx::ListServerNames(*client));
    auto layouts = controls[1]->SchemaLayouts();
    benchmark::DoNotOptimize(layouts);
    for (const int browser : {0, 3}) {
      auto level = controls[browser]->ContextEntries();
      if (!level) {
        state.SkipWithError(level.message().c_str());
        return;
      }
      for (const auto& top : *level) benchmark::DoNotOptimize(top->SubEntries());
    }
  }
}
BENCHMARK(BM_StartUpDirectoryWork)
    ->ArgName("large")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const char* folder = std::getenv("CVX_BENCH_DIRECTORY");
  BenchServers started;
  if (folder) started.big = Start(folder, "BIG", {"core.schema", "workstation.schema"});
  started.small = Start(std::string(CVX_DATA_DIR) + "/demo", "CORP",
                        {"core.schema", "workstation.schema", "CORP.schema"});
  servers = &started;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
