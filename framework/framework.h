// The framework as a whole: one call that sets every framework module's globals to their initial values.
// The program's koInit calls it before it initialises its own globals.
#pragma once

void ko_framework__InitGlobals();
