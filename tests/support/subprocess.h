// Running a program as a child process for tests: scripted standard input, captured standard output and
// error, exit status (or -signal), and a time limit so a hanging child fails the test instead of the run.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
  int status = -1;  // exit status 0..255, or -signal when killed by a signal
  std::string out, err;
  bool timedOut = false;
};

// Runs `argv` (argv[0] looked up on PATH) with `input` on its standard input, then end of file.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = std::string(),
                         double timeoutSeconds = 30, const std::vector<std::string>& extraEnv = {});

// A child that keeps running while the test interacts with it (used for the real program under Xvfb).
class BackgroundProcess {
 public:
  // The child reads `stdinFd` (or /dev/null when it is -1) as its standard input.
  BackgroundProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
                    int stdinFd = -1);
  ~BackgroundProcess();  // kills the child if it still runs
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  bool Running();                         // false once it exited (then Wait returns at once)
  ProcessResult Wait(double timeoutSeconds);  // waits for the end; kills it on timeout
  int pid() const { return pid_; }
  const std::string& Stdout();  // what the child wrote so far
  // True once the standard output holds `text`; false if the child ended or the time ran out first.
  bool WaitForOutput(const std::string& text, double seconds);

 private:
  int pid_ = -1;
  int outFd_ = -1, errFd_ = -1;
  std::string out_, err_;
  bool reaped_ = false;
  int status_ = -1;
  void Drain(bool block);
};
