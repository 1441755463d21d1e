// A lookup that misses reads the whole workstation database; these benchmarks time it on a large
// file next to `grep -c -i -F KEY FILE` on the same file, which is the speed to match.
// CVX_BENCH_WSDB names a folder holding BIG.lst (bench/run-wsdb-bench writes it).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "wsdb/WorkstationDatabaseFile.h"

extern char** environ;

namespace {

const std::string kTree = "BIG";

std::string Folder() {
  const char* folder = std::getenv("CVX_BENCH_WSDB");
  return folder ? folder : "";
}

std::string File() {
  return Folder() + "/" + kTree + ".lst";
}

bool HaveFile(benchmark::State& state) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(File(), ec);
  if (ec || size == 0) {
    state.SkipWithError(("no database at " + File()).c_str());
    return false;
  }
  return true;
}

// Runs grep to its end, its output thrown away; false when it could not run.
bool RunGrep(const std::string& key, const std::string& file) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{"grep", "-c", "-i", "-F", key, file};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) <= 1;  // 1: no line matched
}

void BM_LookupMiss(benchmark::State& state, const std::string& key) {
  if (!HaveFile(state)) return;
  for (auto _ : state) {
    const auto r = cvx::LookupWorkstation(Folder(), kTree, key);
    if (r.fault != cvx::DatabaseFault::kNone || r.found()) {
      state.SkipWithError("the key is not supposed to be found");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(File())));
}

void BM_GrepMiss(benchmark::State& state, const std::string& key) {
  if (!HaveFile(state)) return;
  for (auto _ : state) {
    if (!RunGrep(key, File())) {
      state.SkipWithError("grep did not run");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(File())));
}

// What grep costs before it reads a byte: starting the process.
void BM_GrepEmptyFile(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunGrep("0060B00F3C21", "/dev/null")) {
      state.SkipWithError("grep did not run");
      return;
    }
  }
}

// The IPX node of a laptop in no database, and an IPv4 address no workstation has.
BENCHMARK_CAPTURE(BM_LookupMiss, ipx, std::string("0060B00F3C21"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_GrepMiss, ipx, std::string("0060B00F3C21"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_LookupMiss, tcp, std::string("10.200.1.5"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_GrepMiss, tcp, std::string("10.200.1.5"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_GrepEmptyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
