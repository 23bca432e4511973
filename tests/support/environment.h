// Setting and removing an environment variable of this process, for tests that start code which reads one.
// The one place the tests need the C library's calls for it, which differ: POSIX's setenv and unsetenv, the
// Windows C library's _putenv_s (an empty value removes the variable there).
#pragma once

#include <cstdlib>
#include <string>

inline void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

inline void RemoveEnvironment(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}
