#include "platform/eventsound.h"
#include "platform/systembeep.h"

#include <QApplication>

#include <memory>

std::function<void()> systemBeep()
{
    // Shared by the copies of the services; the last one to go stops its thread.
    const auto sound = std::make_shared<EventSound>([] { QApplication::beep(); });
    return [sound] { sound->play(); };
}
