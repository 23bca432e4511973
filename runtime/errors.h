// Program output and the runtime's single way of stopping on an error.
//
// koPrint writes one UTF-8 line to standard output. koError("") ends the program normally (status 0); any
// other message is a fatal stop: "Tarsil Runtime Error : " + message on standard output, then the debugger
// hand-off on the standard streams (dbg_stop), which ends the process with status -1 unless a debugger tells
// it otherwise. A fatal stop never resumes the program. Main thread only: the output buffers are not locked.
#pragma once

#include "runtime/string.h"

int koPrint(const String& text);
int koDebugLog(const String& text);
[[noreturn]] void koError(const String& message);
int koDebugStop();

[[noreturn]] void dbg_error(const char* message);
String dbg_stacktrace();
void dbg_print(const String& text);
void dbg_stop();
// The fatal-signal report: the same report and hand-off as dbg_error, safe to run whatever the crash broke. A
// platform that catches crashes (PlatformCatchCrashes, host/core/platform.h) calls it from its handler.
void sighandler(int signal);

// How a worker thread runs its work: plainly, unless the platform's crash catching has each worker run it on an
// alternate stack of the worker's own (one serves one thread), so that sighandler can report a stack overflow on
// a worker too. A platform without signals (a web page) keeps its workers plain.
using WorkerRunner = void (*)(void (*work)(void* argument), void* argument);
extern WorkerRunner koRunWorker;

// Ends the program with `status`: every end but a crash's goes through here. It runs `koExitFunction`, the C
// library's exit unless the host set another: a web page's loop keeps the program alive through a plain exit,
// so the page sets one that ends it whatever keeps it running.
[[noreturn]] void koExit(int status);
extern void (*koExitFunction)(int status);

extern const char* dbg_info;  // the current debug location; this program records none
// Where the debugger hand-off reads each command line (without its newline): false at the end of the input. The
// standard input by default; a host with none to read (a web page, where reading it would open a dialog) sets
// dbg_no_commands, and the hand-off then ends the program as at the end of the input. Async-signal-safe.
using DebuggerCommandReader = bool (*)(char (&line)[256]);
extern DebuggerCommandReader dbg_read_command;
bool dbg_no_commands(char (&line)[256]);
extern String dbg_exstack;    // stack trace of the last thrown error; always empty here
