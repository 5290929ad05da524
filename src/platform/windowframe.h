#pragma once

#include <QMargins>

class QWidget;

// The title bar and border around a top-level window where the platform tells them before
// the window is shown: Windows makes the frame with the window (which this creates). Null
// where a window manager or compositor frames a window only after it is shown (X11,
// Wayland); the window then learns its frame from its show and move events.
QMargins frameBeforeShow(QWidget& window);
