// Windows' program functions (host/core/platform.h): the program found through its module file name, crashes
// caught by the process's exception filter, URLs handed to the shell, and a console for a program started from
// one. The runtime's hooks keep their defaults but koRunWorker, which catching crashes sets. Worker threads are
// POSIX threads on the posix-model compilers' winpthreads (koStartDetachedThread), the same code as on Linux;
// CreateThread would add only a second way to start one.
//
// The console: the program is a GUI program, so started from Explorer or the Start menu it opens no console
// window. Started from a terminal, it writes to that terminal: when it was given no standard handles, it
// attaches to its parent's console and points the C library's streams at it. Handles it was given (a pipe, a
// file) stay as they are.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/windows/wide.h"
#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

// Room the exception filter needs on an overflowed stack: the fatal report's deepest path needs a few hundred
// bytes, and the system's own dispatch some more.
constexpr ULONG kCrashStackBytes = 64 * 1024;

bool has_handle(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// Points `stream` (and its descriptor, which the fatal report writes to directly) at the console's `device`.
void reopen_on_console(std::FILE* stream, int descriptor, const char* device, const char* mode) {
  if (!std::freopen(device, mode, stream)) return;
  if (_fileno(stream) != descriptor) _dup2(_fileno(stream), descriptor);
}

void attach_console() {
  const bool output = has_handle(STD_OUTPUT_HANDLE);
  const bool errors = has_handle(STD_ERROR_HANDLE);
  if ((output && errors) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!output) reopen_on_console(stdout, 1, "CONOUT$", "w");
  if (!errors) reopen_on_console(stderr, 2, "CONOUT$", "w");
  if (!has_handle(STD_INPUT_HANDLE)) reopen_on_console(stdin, 0, "CONIN$", "r");
}

int signal_for(DWORD exception) {
  switch (exception) {
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
      return SIGILL;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
      return SIGFPE;
    default:
      return SIGSEGV;  // access violations, stack overflows, misaligned or paged-out memory
  }
}

// Every crash the program does not handle itself, on any thread, ends in the runtime's fatal report, which
// never returns.
LONG WINAPI report_crash(EXCEPTION_POINTERS* crash) {
  sighandler(signal_for(crash->ExceptionRecord->ExceptionCode));
  return EXCEPTION_EXECUTE_HANDLER;
}

void run_with_crash_stack(void (*work)(void*), void* argument) {
  ULONG bytes = kCrashStackBytes;
  SetThreadStackGuarantee(&bytes);
  work(argument);
}

bool is_web_address(const std::string& url) {
  return url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
}

}  // namespace

void PlatformStart() { attach_console(); }

void PlatformCatchCrashes() {
  ULONG bytes = kCrashStackBytes;
  SetThreadStackGuarantee(&bytes);
  koRunWorker = run_with_crash_stack;
  SetUnhandledExceptionFilter(report_crash);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);  // the report, not the system's crash dialog
}

// The module file name, in a buffer grown until the whole name fits: a name cut at 260 characters would put
// the data folder somewhere else.
String RunningProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return KoGlfwGame::ProgramDirectory(String());
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string utf8 = GamePath(path);
  return KoGlfwGame::ProgramDirectory(String::FromUtf8(utf8.data(), static_cast<int>(utf8.size())));
}

void PlatformStateSaved() {}  // the save's move was written through to the disk already

bool PlatformHasTouchScreen() { return false; }  // a desktop's pointer is a mouse

// Only web addresses reach the shell: given a path, it would start a program.
void PlatformOpenUrl(const String& url) {
  const std::string address = PercentEncodedUtf8(url);
  if (!is_web_address(address)) return;
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
