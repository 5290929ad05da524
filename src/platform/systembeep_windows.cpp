#include "platform/systembeep.h"

#include <QApplication>

std::function<void()> systemBeep()
{
    // MessageBeep(MB_OK): Windows plays it asynchronously, so the tick that ends a run does
    // not wait on it.
    return [] { QApplication::beep(); };
}
