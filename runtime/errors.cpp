// koPrint, koError and the debugger protocol on the standard streams.
#include "runtime/errors.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/object.h"
#include "runtime/utf8.h"

const char* dbg_info = "";
String dbg_exstack;

namespace {

// Narrows each code unit to its low 8 bits; the result is NUL-terminated by std::string.
void narrow_into(const String& text, std::string& out) {
  out.clear();
  for (int i = 0; i < text.Length(); ++i) out += static_cast<char>(text[i] & 0xFF);
}

// Answers the debugger's "@address" command. Only addresses of live objects are followed: the address comes
// from outside the program, and dereferencing anything else would crash the stopped program.
void print_object_at(const char* addressText) {
  void* address = nullptr;
  Object* object = nullptr;
  if (std::sscanf(addressText, "%p", &address) == 1 && address && gc_is_object(address)) {
    object = dynamic_cast<Object*>(static_cast<gc_object*>(address));
  }
  dbg_print(object ? object->debug() : String());
}

}  // namespace

int koPrint(const String& text) {
  static std::string buffer;  // reused by every call
  buffer.clear();
  AppendUtf8(text, buffer);
  buffer += '\n';
  std::fputs(buffer.c_str(), stdout);  // stops at a code unit 0, as a C string does
  std::fflush(stdout);
  return 0;
}

int koDebugLog(const String& text) { return koPrint(text); }

void koError(const String& message) {
  if (message.Length() == 0) std::exit(0);
  std::string narrow;
  narrow_into(message, narrow);
  dbg_error(narrow.c_str());
}

void dbg_error(const char* message) {
  for (;;) {
    koPrint(String("Tarsil Runtime Error : ") + String(message));
    koPrint(dbg_stacktrace());
    dbg_stop();
  }
}

String dbg_stacktrace() { return String(); }

void dbg_print(const String& text) {
  static std::string buffer;
  narrow_into(text, buffer);
  buffer += '\n';
  std::fputs(buffer.c_str(), stderr);
  std::fflush(stderr);
}

void dbg_stop() {
  std::fprintf(stderr, "{{~~%s~~}}\n", dbg_info);
  dbg_print(String());
  std::fflush(stderr);
  for (;;) {
    char line[256];
    if (!std::fgets(line, sizeof line, stdin)) std::exit(-1);
    char* newline = std::strchr(line, '\n');
    if (!newline) std::exit(-1);
    *newline = 0;
    switch (line[0]) {
      case '?':
        continue;
      case '@':
        print_object_at(line + 1);
        continue;
      case 'e':
      case 'l':
      case 'r':
      case 's':
        return;
      case 'q':
        std::exit(0);
      default:
        std::printf("????? %s ?????", line);
        std::fflush(stdout);
        std::exit(-1);
    }
  }
}

int koDebugStop() {
  dbg_stop();
  return 0;
}

void sighandler(int signal) {
  switch (signal) {
    case SIGILL:
      dbg_error("Illegal instruction");
    case SIGFPE:
      dbg_error("Floating point exception");
    case SIGSEGV:
      dbg_error("Memory access violation");
    default:
      dbg_error("Unknown signal");
  }
}
