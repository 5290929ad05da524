#include "platform/windowframe.h"

#include <QWidget>
#include <QWindow>

QMargins frameBeforeShow(QWidget& window)
{
    window.winId();
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}
