#pragma once

#include <functional>

// The end-of-run beep as this platform sounds it: the desktop's event sound through the
// sound server on Linux, the user's "Default Beep" on Windows. The function it gives returns
// at once; the sound plays meanwhile. Call it on the GUI thread.
std::function<void()> systemBeep();
