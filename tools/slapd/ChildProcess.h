#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cvx::test {

using Deadline = std::chrono::steady_clock::time_point;

inline Deadline DeadlineIn(std::chrono::milliseconds ms) {
  return std::chrono::steady_clock::now() + ms;
}

// A program started for a test or a tool: its output goes to a log file, read by a thread of ours,
// so that waiting for it is waiting on that pipe. It dies with the program that started it, even
// when that crashes (the kernel sends it SIGKILL when its parent goes), and is killed and reaped
// when this object goes. Start it from the thread that outlives it (the main thread).
class ChildProcess {
 public:
  // `argv[0]` is looked up in PATH, then in /usr/sbin and /sbin. `environment` adds NAME=VALUE
  // entries to ours. Null with the reason in `why` when it cannot start.
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                             const std::string& logPath,
                                             const std::vector<std::string>& environment,
                                             std::string* why);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Waits until the program writes a line more than `seenLines` or ends, or the deadline
  // passes. Gives the number of lines written so far.
  std::size_t WaitForOutput(std::size_t seenLines, Deadline until);
  bool Ended() const;
  // Sends a signal (SIGSTOP, SIGCONT ...) to a program that has not ended.
  void Signal(int signal);
  // Ends the program: `signal`, then SIGKILL when it is still there after `bound`. Gives its
  // wait status.
  int Stop(int signal, std::chrono::milliseconds bound);
  // Waits for the program to end by itself (killing it after `bound`); gives its exit code, or
  // -1 when it was killed.
  int Finish(std::chrono::milliseconds bound);
  // The last lines of its output.
  std::string Tail(std::size_t lines = 20) const;

 private:
  ChildProcess() = default;
  void Drain(int fd);

  pid_t pid_ = -1;
  int status_ = 0;
  bool reaped_ = false;
  std::string logPath_;
  std::thread drain_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t lines_ = 0;
  bool ended_ = false;
};

// Runs a program to its end (bounded); its exit code, -1 when it could not run or was killed.
int RunProgram(const std::vector<std::string>& argv, const std::string& logPath,
               const std::vector<std::string>& environment, std::chrono::milliseconds bound,
               std::string* why);

}  // namespace cvx::test
