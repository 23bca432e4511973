// The start-up ping in a process with no free descriptor (a POSIX limit): it completes as a failed request.
#include <gtest/gtest.h>

#include "tests/game/ping_fixture.h"
#include "tests/net/net_test_posix.h"

namespace {

// A first ping, with descriptors to spare, lets the sanitizer build see every object type involved: its check of
// an object's type the first time it meets one needs descriptors of its own.
TEST_F(Ping, APingWhoseSocketCannotBeOpenedCompletes) {
  Start("");
  app().p_GetURL(String("http://127.0.0.1:9/housecall.php"), String("hello=1&gameID=415"));
  ASSERT_TRUE(UpdateUntilDone());
  Output();  // the first ping's lines
  {
    NoFreeDescriptors none;
    app().p_GetURL(String("http://127.0.0.1:9/housecall.php"), String("hello=1&gameID=415"));
  }
  ASSERT_TRUE(UpdateUntilDone());
  EXPECT_NE(Output().find("Http GET complete! -1\n"), std::string::npos);
}

}  // namespace
