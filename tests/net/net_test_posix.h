// What the networking tests set up through POSIX calls alone: a process with no free descriptor, and a
// listener whose queue is full (Linux drops the SYN where Windows refuses the connection).
#pragma once

#include <sys/resource.h>

#include "tests/net/net_test_support.h"

// While the object lives, no new descriptor can be opened: the process's limit is lowered to its lowest free
// descriptor, so a socket that a test starts then cannot be made.
class NoFreeDescriptors {
 public:
  NoFreeDescriptors();
  ~NoFreeDescriptors();

 private:
  rlimit saved_{};
};

// A port on 127.0.0.1 whose listener's queue is full: a new connect to it stays pending (the system drops its
// SYN) until AcceptOne makes room, and the client's next SYN, about a second later, gets through.
class FullPort {
 public:
  FullPort();
  ~FullPort();
  int Port() const { return port_; }
  bool AcceptOne();  // takes the connection that fills the queue

 private:
  SocketHandle listener_ = kNoSocket;
  int ahead_ = -1, port_ = 0;
};
