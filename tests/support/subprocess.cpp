// Child processes for tests (see subprocess.h).
#include "tests/support/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace {

struct Pipe {
  int read = -1, write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) == 0) read = fds[0], write = fds[1];
  }
};

std::vector<char*> c_strings(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int decode_status(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int in, int out,
            int err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  std::vector<std::string> arguments = argv, environment;
  for (char** variable = environ; *variable; ++variable) environment.emplace_back(*variable);
  environment.insert(environment.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> argp = c_strings(arguments), envp = c_strings(environment);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Reads what is available from fd into text; returns false at end of file.
bool read_some(int fd, std::string& text) {
  char buffer[4096];
  ssize_t got = ::read(fd, buffer, sizeof buffer);
  if (got <= 0) return false;
  text.append(buffer, static_cast<size_t>(got));
  return true;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input, double timeoutSeconds,
                         const std::vector<std::string>& extraEnv) {
  // The whole input goes into the pipe before the child starts (tests' inputs are far below a pipe's
  // capacity); closing the write end then gives the child its end of file.
  Pipe in;
  ssize_t written = ::write(in.write, input.data(), input.size());
  (void)written;
  close(in.write);
  BackgroundProcess child(argv, extraEnv, in.read);
  close(in.read);
  return child.Wait(timeoutSeconds);
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                                     int stdinFd) {
  Pipe out, err;
  int devnull = stdinFd < 0 ? open("/dev/null", O_RDONLY | O_CLOEXEC) : -1;
  pid_ = spawn(argv, extraEnv, stdinFd < 0 ? devnull : stdinFd, out.write, err.write);
  if (devnull >= 0) close(devnull);
  close(out.write);
  close(err.write);
  outFd_ = out.read, errFd_ = err.read;
}

BackgroundProcess::~BackgroundProcess() {
  if (pid_ > 0 && !reaped_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (outFd_ >= 0) close(outFd_);
  if (errFd_ >= 0) close(errFd_);
}

void BackgroundProcess::Drain(bool block) {
  pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
  while (poll(fds, 2, block ? 50 : 0) > 0) {
    bool any = false;
    if (fds[0].revents && read_some(outFd_, out_)) any = true;
    if (fds[1].revents && read_some(errFd_, err_)) any = true;
    if (!any) return;
  }
}

bool BackgroundProcess::Running() {
  if (pid_ <= 0 || reaped_) return false;
  Drain(false);
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    reaped_ = true;
    status_ = decode_status(status);
    return false;
  }
  return true;
}

const std::string& BackgroundProcess::Stdout() {
  Drain(false);
  return out_;
}

bool BackgroundProcess::WaitForOutput(const std::string& text, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (Stdout().find(text) == std::string::npos) {
    if (std::chrono::steady_clock::now() > deadline || !Running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

ProcessResult BackgroundProcess::Wait(double timeoutSeconds) {
  ProcessResult result;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  while (Running()) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      result.timedOut = true;
    }
    Drain(true);
  }
  // Collect what is left in the pipes after the exit.
  while (read_some(outFd_, out_)) {
  }
  while (read_some(errFd_, err_)) {
  }
  result.status = status_;
  result.out = out_;
  result.err = err_;
  return result;
}
