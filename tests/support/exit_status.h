// How a death test sees a program that ended with exit(-1), as the runtime's fatal stops do: POSIX reports the
// low 8 bits of the status (255), Windows all 32 (-1). The one place the tests need the difference.
#pragma once

#include <gtest/gtest.h>

inline testing::ExitedWithCode ExitedMinusOne() {
#ifdef _WIN32
  return testing::ExitedWithCode(-1);
#else
  return testing::ExitedWithCode(255);
#endif
}
