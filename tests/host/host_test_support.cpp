// Shared pieces of the host tests (see host_test_support.h).
#include "tests/host/host_test_support.h"

#include <algorithm>

std::vector<std::string> delegateLog;

std::vector<std::string> HostFixture::logOf(const std::vector<std::string>& kinds) {
  std::vector<std::string> found;
  for (const std::string& line : delegateLog) {
    if (std::find(kinds.begin(), kinds.end(), line) != kinds.end()) found.push_back(line);
  }
  return found;
}
