#pragma once

#include <QMetaType>
#include <Qt>

// A mouse event as the handlers see it: the button, the Shift state and the position in the
// window's user units.
struct MouseArgs {
    Qt::MouseButton button = Qt::NoButton;
    bool shift = false;
    double x = 0;
    double y = 0;
};

Q_DECLARE_METATYPE(MouseArgs)
