// Initial values of every framework module's globals.
#include "framework/framework.h"

#include "framework/app/app.h"
#include "framework/audio/audio.h"
#include "framework/graphics/graphics.h"
#include "framework/input/input_device.h"
#include "framework/random/random.h"

void ko_framework__InitGlobals() {
  ko_app__InitGlobals();
  ko_audio_device = nullptr;
  ko_graphics__InitGlobals();
  ko_input__InitGlobals();
  ko_random__InitGlobals();
}
