#include "wsdb/StagingFiles.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>

namespace cvx {

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSlots = 4;  // one build runs at a time; a few to spare

// Read by the handler, so plain memory: a path is complete before its slot is marked used.
char g_paths[kSlots][PATH_MAX];
volatile sig_atomic_t g_used[kSlots];
struct sigaction g_previous[kSignals.size()];
bool g_installed[kSignals.size()];
std::mutex g_mutex;  // registration, not the handler

void OnSignal(int signal) {
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (g_used[i]) ::unlink(g_paths[i]);
  }
  for (std::size_t k = 0; k < kSignals.size(); ++k) {
    // Blocked while this handler runs: delivered to the previous handling once it returns.
    if (kSignals[k] == signal) ::sigaction(signal, &g_previous[k], nullptr);
  }
  ::raise(signal);
}

bool AnyUsed() {
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (g_used[i]) return true;
  }
  return false;
}

void Install() {
  for (std::size_t k = 0; k < kSignals.size(); ++k) {
    if (g_installed[k]) continue;
    struct sigaction previous {};
    ::sigaction(kSignals[k], nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction mine {};
    mine.sa_handler = OnSignal;
    sigemptyset(&mine.sa_mask);
    for (int s : kSignals) sigaddset(&mine.sa_mask, s);
    g_previous[k] = previous;
    if (::sigaction(kSignals[k], &mine, nullptr) == 0) g_installed[k] = true;
  }
}

void Uninstall() {
  for (std::size_t k = 0; k < kSignals.size(); ++k) {
    if (!g_installed[k]) continue;
    ::sigaction(kSignals[k], &g_previous[k], nullptr);
    g_installed[k] = false;
  }
}

// "<pid>-<n>.new": the pid.
long StagingPid(const char* rest) {
  char* end = nullptr;
  errno = 0;
  const long pid = std::strtol(rest, &end, 10);
  if (errno != 0 || end == rest || pid <= 0 || *end != '-') return 0;
  const char* n = end + 1;
  end = nullptr;
  std::strtol(n, &end, 10);
  if (end == n || std::strcmp(end, ".new") != 0) return 0;
  return pid;
}

}  // namespace

void RegisterStagingFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  std::lock_guard lock(g_mutex);
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (g_used[i]) continue;
    std::memcpy(g_paths[i], path.c_str(), path.size() + 1);
    g_used[i] = 1;
    Install();
    return;
  }
}

void UnregisterStagingFile(const std::string& path) {
  std::lock_guard lock(g_mutex);
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (g_used[i] && path == g_paths[i]) g_used[i] = 0;
  }
  if (!AnyUsed()) Uninstall();
}

std::string StagingFileName(const std::string& databaseFile, long pid, int n) {
  return databaseFile + "." + std::to_string(pid) + "-" + std::to_string(n) + ".new";
}

void RemoveStaleStagingFiles(const std::string& databaseFile) {
  const auto slash = databaseFile.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : databaseFile.substr(0, slash + 1);
  const std::string prefix =
      (slash == std::string::npos ? databaseFile : databaseFile.substr(slash + 1)) + ".";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* e = ::readdir(dir)) {
    if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) != 0) continue;
    const long pid = StagingPid(e->d_name + prefix.size());
    if (pid == 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(dir), e->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace cvx
