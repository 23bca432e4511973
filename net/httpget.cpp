// httpget URL: one GET with c_HttpRequest, driven the way the game drives it: an asynchronous event update and
// a collection point per pass of a loop with a short sleep. Prints the status code on the first line and the
// response text after it. Exit status 0 when a status line was read, 1 otherwise. The request's own deadline
// (30 seconds) ends the wait: it completes by then with what arrived, whatever the server does.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "net/http_request.h"
#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

constexpr auto kPassInterval = std::chrono::milliseconds(5);  // about the game's update rate, a little faster

class c_HttpGet : public Object, public c_IOnHttpRequestComplete {
 public:
  bool m_finished = false;
  void p_OnHttpRequestComplete(c_HttpRequest*) override { m_finished = true; }
};

GlobalRef<c_HttpGet> ko_httpget__handler;
GlobalRef<c_HttpRequest> ko_httpget__request;

void print_response(c_HttpRequest* request) {
  koPrint(String(request->p_Status()));
  std::string text;
  AppendUtf8(request->p_ResponseText(), text);
  if (!text.empty() && text.back() != '\n') text += '\n';
  std::fwrite(text.data(), 1, text.size(), stdout);  // all of it, NUL bytes included
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: httpget URL\n");
    return 1;
  }
  ko_httpget__handler = new c_HttpGet;
  ko_httpget__request = (new c_HttpRequest)->m_new2(String("GET"), String(argv[1]), ko_httpget__handler);
  ko_httpget__request->p_Send();

  while (!ko_httpget__handler->m_finished) {
    ko_asyncevent_UpdateAsyncEvents();
    gc_collect();
    std::this_thread::sleep_for(kPassInterval);
  }
  print_response(ko_httpget__request);
  return ko_httpget__request->m_responseChunks ? 0 : 1;  // the chunks exist once a status line was accepted
}
