// The HTTP client's tests' pieces (test_http.cpp, test_http_posix.cpp): requests with a handler that counts
// its calls, started, completed by pumping, and their text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "net/http_request.h"
#include "tests/net/net_test_support.h"

struct c_HttpRecorder : Object, c_IOnHttpRequestComplete {
  int m_calls = 0;
  void p_OnHttpRequestComplete(c_HttpRequest*) override { ++m_calls; }
};

inline std::u16string Text(c_HttpRequest* request) {
  return std::u16string(request->p_ResponseText().Data(), request->p_ResponseText().Length());
}

inline c_HttpRequest* Start(const String& url, const char* method = "GET") {
  return Keep((new c_HttpRequest)->m_new2(String(method), url, Keep(new c_HttpRecorder)));
}
inline c_HttpRequest* Start(const std::string& url, const char* method = "GET") { return Start(String(url.c_str()), method); }

inline int Calls(c_HttpRequest* request) { return dynamic_cast<c_HttpRecorder*>(request->m_onComplete.get())->m_calls; }

// Pumps until the handler ran, then some more updates in which it must not run again.
inline void Complete(c_HttpRequest* request) {
  ASSERT_TRUE(PumpUntil([&] { return Calls(request) > 0; }));
  for (int i = 0; i < 10; ++i) PumpOnce();
  EXPECT_EQ(Calls(request), 1);
}
