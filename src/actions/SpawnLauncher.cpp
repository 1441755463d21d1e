#include "actions/SpawnLauncher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#include "actions/UncPath.h"
#include "core/TextUtil.h"
#include "core/WindowsCommandLine.h"

extern char** environ;

namespace cvx {

namespace {

std::vector<std::string> BlankSeparatedWords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while ((i = text.find_first_not_of(" \t", i)) != std::string::npos) {
    const auto end = text.find_first_of(" \t", i);
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

bool EndsWithExe(const std::string& path) {
  return path.size() >= 4 && EqualsNoCase(std::string_view(path).substr(path.size() - 4), ".exe");
}

// The attributes and file actions of one spawn, released on every way out.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawnattr_init(&attr_);
    posix_spawn_file_actions_init(&actions_);

    // Signals the tool ignores or blocks must not stay ignored or blocked in the program.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr_, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig = 1; sig < NSIG; ++sig) {
      if (sig != SIGKILL && sig != SIGSTOP) sigaddset(&defaults, sig);
    }
    posix_spawnattr_setsigdefault(&attr_, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    // Its own session: a Ctrl-C in the tool's terminal does not end the program.
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#else
    flags |= POSIX_SPAWN_SETPGROUP;
#endif
    posix_spawnattr_setflags(&attr_, flags);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  int Spawn(pid_t* pid, const std::vector<std::string>& argv, bool searchPath) {
    std::vector<char*> cargv;
    for (const auto& a : argv) cargv.push_back(const_cast<char*>(a.c_str()));
    cargv.push_back(nullptr);
    return searchPath ? posix_spawnp(pid, cargv[0], &actions_, &attr_, cargv.data(), environ)
                      : posix_spawn(pid, cargv[0], &actions_, &attr_, cargv.data(), environ);
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

void ReapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays a zombie until the tool exits, which is harmless and
    // rarer than failing a start that has already happened.
  }
}

}  // namespace

SpawnLauncher::SpawnLauncher(std::string uncRoot, std::string exeRunner)
    : uncRoot_(std::move(uncRoot)), runnerWords_(BlankSeparatedWords(exeRunner)) {}

LaunchOutcome SpawnLauncher::Launch(const std::string& commandLine) {
  std::vector<std::string> args = SplitWindowsCommandLine(commandLine);
  if (args.empty()) return {LaunchStatus::kEmpty, {}};

  const UncMapping program = MapUncPath(uncRoot_, args.front());
  switch (program.status) {
    case UncMapping::Status::kMapped:
      break;
    case UncMapping::Status::kNotFound:
      return {LaunchStatus::kNotFound, program.reason};
    case UncMapping::Status::kRefused:
      return {LaunchStatus::kFailed, program.reason};
  }
  args.front() = program.path;

  const bool viaRunner = !runnerWords_.empty() && EndsWithExe(program.path);
  if (viaRunner) args.insert(args.begin(), runnerWords_.begin(), runnerWords_.end());

  pid_t pid = 0;
  const int rc = SpawnSetup().Spawn(&pid, args, viaRunner);
  if (rc == 0) {
    ReapWhenDone(pid);
    return {LaunchStatus::kStarted, {}};
  }
  if (viaRunner && rc == ENOENT) {
    return {LaunchStatus::kFailed, "the program runner " + runnerWords_.front() + " is missing"};
  }
  if (rc == ENOENT || rc == ENOTDIR) {
    return {LaunchStatus::kNotFound, program.path + ": " + std::strerror(rc)};
  }
  return {LaunchStatus::kFailed, program.path + ": " + std::strerror(rc)};
}

LaunchOutcome SpawnLauncher::LaunchArguments(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return {LaunchStatus::kEmpty, {}};
  const std::string& program = arguments.front();
  pid_t pid = 0;
  const int rc = SpawnSetup().Spawn(&pid, arguments, program.find('/') == std::string::npos);
  if (rc == 0) {
    ReapWhenDone(pid);
    return {LaunchStatus::kStarted, {}};
  }
  const LaunchStatus status =
      rc == ENOENT || rc == ENOTDIR ? LaunchStatus::kNotFound : LaunchStatus::kFailed;
  return {status, program + ": " + std::strerror(rc)};
}

}  // namespace cvx
