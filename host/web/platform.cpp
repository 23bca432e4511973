// The page's program functions (host/core/platform.h).
//
// Files: the page (host/web/shell.html) mounts the data folder at /quarzel/data before the program starts, so
// the program's directory is /quarzel and "tarsil://data/" maps as on the desktop. It also mounts the browser's
// IndexedDB at /save and fills it from the stored copy; the program runs in that folder, so the saved state is
// the desktop's ./.tarsilstate, with the same bytes. After every save the page stores it again, in IndexedDB
// and, at once, in localStorage, so a reload or a tab closed right after the save keeps it
// (host/web/saved_state.js).
// No threads and no debugger: a queue's work runs at once, and the fatal path hands over to nobody.
#include <emscripten.h>
#include <emscripten/html5.h>
#include <unistd.h>

#include <string>

#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "host/glfw2/glfw2.h"
#include "host/web/touch_screen.h"
#include "runtime/errors.h"
#include "runtime/thread.h"

namespace {

void (*exitBeforePage)(int status) = nullptr;  // what ended the program before the page took the end over

// The end of the program in a page. The browser would go on calling into it through its loop and its event
// listeners, and go on playing the sound already queued, so all of those stop before the runtime ends; the
// page's onExit then says so on the page. The end set before (a replay session's, which writes its last
// record) runs after that and ends the program: a plain exit would leave it running while its loop is set, so
// the runtime is first released as emscripten_force_exit releases it.
void end_page(int status) {
  emscripten_cancel_main_loop();
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, nullptr);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, nullptr);
  glfw2::glfwTerminate();  // takes the key and mouse listeners away
  StopTouchScreen();
  EM_ASM({
    if (typeof AL != "object") return;
    for (var id in AL.contexts) {
      if (AL.contexts[id] && AL.contexts[id].audioCtx) AL.contexts[id].audioCtx.suspend().catch(function () {});
    }
  });
  EM_ASM({
    noExitRuntime = false;
    runtimeKeepaliveCounter = 0;
  });
  exitBeforePage(status);
}

}  // namespace

void PlatformStart() {
  exitBeforePage = koExitFunction;
  koExitFunction = end_page;
  dbg_read_command = dbg_no_commands;  // reading standard input would open the browser's prompt dialog
  KoThread::startFailureEnds = false;
  if (chdir("/save") != 0) koPrint(String("The browser's storage is not mounted: scores will not be kept"));
}

// WebAssembly has no signals: a crash is a trap, which ends the program and reaches the page's onAbort.
void PlatformCatchCrashes() {}

String RunningProgramDirectory() { return String("/quarzel"); }

void PlatformStateSaved() {
  EM_ASM({ keepSavedState(); });
}

// The browser says so: its main pointer is coarse, a finger. Asked once, so the answer holds for the run (a page
// that is not in a browser, such as the replay runner under Node.js, has no touch screen).
bool PlatformHasTouchScreen() {
  static const bool coarse = EM_ASM_INT({
    return typeof matchMedia == "function" && matchMedia("(pointer: coarse)").matches ? 1 : 0;
  }) != 0;
  return coarse;
}

void PlatformOpenUrl(const String& url) {
  std::string narrow = url.ToCString().c_str();
  EM_ASM({ window.open(UTF8ToString($0), '_blank', 'noopener'); }, narrow.c_str());
}
