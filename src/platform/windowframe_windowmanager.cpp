#include "platform/windowframe.h"

QMargins frameBeforeShow(QWidget&)
{
    return {};
}
