// The POSIX calls a durable replacement makes (durable_replace.cpp), through one table defaulting to the
// system's own, so a test can record their order or make one fail.
#pragma once

#include <sys/types.h>

#include <cstddef>

struct FileSystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* bytes, std::size_t count);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};
extern FileSystemCalls fileSystemCalls;
