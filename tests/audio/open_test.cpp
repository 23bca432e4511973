// Opening the device the way the program does, in a child process with OpenAL Soft's backend chosen:
// with no device the program says so once and carries on silently; on a working device sounds play and end.
#include <gtest/gtest.h>

#include "tests/support/build_paths.h"
#include "tests/support/subprocess.h"

namespace {

// The probe has no data folder, so the framework names its missing font; the audio lines are what is checked.
ProcessResult probe(const std::string& mode, const std::string& drivers) {
  ProcessResult result = RunProcess({build_paths::kOpenProbe, mode}, "", 30, {"ALSOFT_DRIVERS=" + drivers});
  const std::string fontLine = "Cannot load ";
  for (size_t at; (at = result.out.find(fontLine)) != std::string::npos;) {
    result.out.erase(at, result.out.find('\n', at) + 1 - at);
  }
  return result;
}

TEST(OpeningTheDevice, WithoutASoundDeviceTheProgramSaysSoOnceAndEveryCallIsHarmless) {
  ProcessResult result = probe("silent", "no-such-backend");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "opening openal device\nOpenAl error: alcOpenDevice failed\n");
  EXPECT_EQ(result.err.find("AL lib"), std::string::npos) << result.err;
}

TEST(OpeningTheDevice, OnAWorkingDeviceSoundsPlayAndEndInRealTime) {
  ProcessResult result = probe("play", "null");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "opening openal device\n");
}

}  // namespace
