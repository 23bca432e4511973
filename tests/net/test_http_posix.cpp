// The HTTP client where only POSIX systems can set it up: a connection that stays pending because the port's
// queue is full, and a socket that cannot be opened because no descriptor is free.
#include <gtest/gtest.h>

#include "tests/net/http_test_support.h"
#include "tests/net/net_test_posix.h"

namespace {

// A connection the server never lets through ends at the request's deadline.
TEST(HttpRequest, AConnectionNeverLetThroughEndsAtTheDeadline) {
  FullPort full;
  c_HttpRequest* request = Start("http://127.0.0.1:" + std::to_string(full.Port()) + "/");
  request->m_timeoutMillis = 200;
  request->p_Send();
  Complete(request);
  EXPECT_EQ(request->p_Status(), -1);
}

// With no descriptor left, the request's socket cannot be opened: the request completes as a failed connection.
// A first request, with descriptors to spare, lets the sanitizer build see every object type involved: its check
// of an object's type the first time it meets one needs descriptors of its own.
TEST(HttpRequest, ARequestWhoseSocketCannotBeOpenedCompletes) {
  c_HttpRequest* first = Start(std::string("http://127.0.0.1:9/"));
  first->p_Send();
  Complete(first);
  c_HttpRequest* request = Start(std::string("http://127.0.0.1:9/"));
  {
    NoFreeDescriptors none;
    request->p_Send();
  }
  EXPECT_FALSE(request->m_socket->p_IsOpen());
  Complete(request);
  EXPECT_EQ(request->p_Status(), -1);
  EXPECT_EQ(Text(request), u"");
}

}  // namespace
