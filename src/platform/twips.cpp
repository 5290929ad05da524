#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace twips {

int toPixels(int twips, double dpi)
{
    return qRound(twips * dpi / kPerInch);
}

double toTwips(int pixels, double dpi)
{
    return dpi > 0 ? pixels * kPerInch / dpi : 0.0;
}

double screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace twips
