// koPrint, koError and the debugger protocol on the standard streams.
//
// The debugger hand-off writes and reads the streams' descriptors directly, one byte at a time, so that the
// fatal-signal handler can use it: a crash may come from inside the allocator or stdio with their locks
// held (heap corruption usually shows itself inside malloc), so the handler allocates nothing, touches no
// stdio stream, writes fixed texts from static storage and ends with _exit. The platform that catches crashes
// runs it on an alternate stack on every thread that runs program code, so a stack overflow is reported too.
#include "runtime/errors.h"

#include <unistd.h>

#include <cerrno>
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

enum class HandOff { Live, Crashed };  // Crashed: inside the fatal-signal handler

// Writes all of `text` to the descriptor, through interruptions and short writes; async-signal-safe.
void write_text(int fd, const char* text) {
  std::size_t left = std::strlen(text);
  while (left > 0) {
    ssize_t written = ::write(fd, text, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    text += written;
    left -= static_cast<std::size_t>(written);
  }
}

// Reads one command line from standard input into `line` without its newline; false at the end of the input
// or for a line of more than 255 characters or without a newline. Byte by byte, so nothing past the line is
// taken from the stream; async-signal-safe.
bool read_stdin_command(char (&line)[256]) {
  std::size_t length = 0;
  for (;;) {
    char byte = 0;
    ssize_t got = ::read(0, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || length == sizeof line - 1) return false;
    if (byte == '\n') break;
    line[length++] = byte;
  }
  line[length] = 0;
  return true;
}

// exit for a live program; _exit after a crash, where exit's handlers and stdio's flushing could deadlock.
[[noreturn]] void end(HandOff mode, int status) {
  if (mode == HandOff::Crashed) _exit(status);
  koExit(status);
}

// The debugger hand-off: the stop marker, then commands until one says to go on (returns) or to end.
void hand_off(HandOff mode) {
  write_text(2, "{{~~");
  write_text(2, dbg_info);
  write_text(2, "~~}}\n\n");
  for (;;) {
    char line[256];
    if (!dbg_read_command(line)) end(mode, -1);
    switch (line[0]) {
      case '?':
        continue;
      case '@':  // a crashed heap cannot be walked: answer as for a null reference
        if (mode == HandOff::Live) {
          print_object_at(line + 1);
        } else {
          write_text(2, "\n");
        }
        continue;
      case 'e':
      case 'l':
      case 'r':
      case 's':
        return;
      case 'q':
        end(mode, 0);
      default:
        write_text(1, "????? ");
        write_text(1, line);
        write_text(1, " ?????");
        end(mode, -1);
    }
  }
}

}  // namespace

DebuggerCommandReader dbg_read_command = read_stdin_command;

void (*koExitFunction)(int status) = std::exit;

void koExit(int status) {
  koExitFunction(status);
  std::exit(status);  // a host's function that returned
}

bool dbg_no_commands(char (&)[256]) { return false; }

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
  if (message.Length() == 0) koExit(0);
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

void dbg_stop() { hand_off(HandOff::Live); }

int koDebugStop() {
  dbg_stop();
  return 0;
}

void sighandler(int signal) {
  const char* message = signal == SIGILL    ? "Illegal instruction"
                        : signal == SIGFPE  ? "Floating point exception"
                        : signal == SIGSEGV ? "Memory access violation"
                                            : "Unknown signal";
  for (;;) {  // as dbg_error: the report, the (empty) stack trace line, the hand-off
    write_text(1, "Tarsil Runtime Error : ");
    write_text(1, message);
    write_text(1, "\n\n");
    hand_off(HandOff::Crashed);
  }
}

namespace {
void run_plainly(void (*work)(void*), void* argument) { work(argument); }
}  // namespace

WorkerRunner koRunWorker = run_plainly;
