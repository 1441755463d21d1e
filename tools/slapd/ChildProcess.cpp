#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <fstream>

extern char** environ;

namespace cvx::test {

namespace {

std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  path += ":/usr/sbin:/sbin";
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto colon = path.find(':', start);
    const std::string dir = path.substr(start, colon - start);
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return {};
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (auto& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  const std::string& logPath,
                                                  const std::vector<std::string>& environment,
                                                  std::string* why) {
  const std::string program = FindProgram(argv.at(0));
  if (program.empty()) {
    *why = argv[0] + " is not installed";
    return nullptr;
  }
  // Everything the child needs is prepared here: after fork it may only call what is safe in a
  // process that had threads.
  std::vector<std::string> args = argv;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.insert(env.end(), environment.begin(), environment.end());
  auto argp = Pointers(args);
  auto envp = Pointers(env);
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    *why = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const pid_t parent = ::getpid();

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);  // the parent is gone already
    // A blocked signal stays blocked across exec: the program must take SIGTERM whatever the
    // thread that started it had blocked.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::dup2(devNull, 0);
    ::dup2(pipeFds[1], 1);
    ::dup2(pipeFds[1], 2);
    ::syscall(SYS_close_range, 3U, ~0U, 0U);  // the caller's sockets are none of its business
    ::execve(program.c_str(), argp.data(), envp.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  ::close(devNull);
  if (pid < 0) {
    ::close(pipeFds[0]);
    *why = std::string("fork: ") + std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<ChildProcess> child(new ChildProcess());
  child->pid_ = pid;
  child->logPath_ = logPath;
  child->drain_ = std::thread([c = child.get(), fd = pipeFds[0]] { c->Drain(fd); });
  return child;
}

void ChildProcess::Drain(int fd) {
  std::ofstream log(logPath_, std::ios::app | std::ios::binary);
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    log.write(buffer, got);
    log.flush();
    std::size_t newLines = 0;
    for (ssize_t i = 0; i < got; ++i) newLines += buffer[i] == '\n';
    std::lock_guard lock(mutex_);
    lines_ += newLines;
    changed_.notify_all();
  }
  ::close(fd);
  std::lock_guard lock(mutex_);
  ended_ = true;  // every writer is gone: the program has ended
  changed_.notify_all();
}

std::size_t ChildProcess::WaitForOutput(std::size_t seenLines, Deadline until) {
  std::unique_lock lock(mutex_);
  changed_.wait_until(lock, until, [&] { return lines_ > seenLines || ended_; });
  return lines_;
}

bool ChildProcess::Ended() const {
  std::lock_guard lock(mutex_);
  return ended_;
}

void ChildProcess::Signal(int signal) {
  if (reaped_ || Ended()) return;
  ::kill(pid_, signal);
  // A stop takes effect a moment after kill() returns; a caller that goes on at once could still
  // be answered. The stop is waited for (and left for the reaper to see).
  if (signal == SIGSTOP) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid_), &info, WSTOPPED | WEXITED | WNOWAIT) < 0 &&
           errno == EINTR) {
    }
  }
}

int ChildProcess::Stop(int signal, std::chrono::milliseconds bound) {
  if (!reaped_) {
    if (!Ended()) {
      ::kill(pid_, signal);
      ::kill(pid_, SIGCONT);  // a paused program takes its signal only when it runs
    }
    {
      std::unique_lock lock(mutex_);
      if (!changed_.wait_for(lock, bound, [&] { return ended_; })) ::kill(pid_, SIGKILL);
    }
    while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
  }
  if (drain_.joinable()) drain_.join();
  return status_;
}

int ChildProcess::Finish(std::chrono::milliseconds bound) {
  bool ended;
  {
    std::unique_lock lock(mutex_);
    ended = changed_.wait_for(lock, bound, [&] { return ended_; });
  }
  const int status = Stop(SIGKILL, std::chrono::milliseconds(0));
  if (!ended || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

ChildProcess::~ChildProcess() {
  Stop(SIGKILL, std::chrono::milliseconds(0));
}

std::string ChildProcess::Tail(std::size_t lines) const {
  std::ifstream log(logPath_);
  std::deque<std::string> last;
  std::string line;
  while (std::getline(log, line)) {
    last.push_back(line);
    if (last.size() > lines) last.pop_front();
  }
  std::string out;
  for (const auto& l : last) out += l + "\n";
  return out;
}

int RunProgram(const std::vector<std::string>& argv, const std::string& logPath,
               const std::vector<std::string>& environment, std::chrono::milliseconds bound,
               std::string* why) {
  auto child = ChildProcess::Start(argv, logPath, environment, why);
  if (!child) return -1;
  const int code = child->Finish(bound);
  if (code != 0) *why = argv[0] + " failed (" + std::to_string(code) + "):\n" + child->Tail();
  return code;
}

}  // namespace cvx::test
