#include "windows/icons.h"

#include "platform/fonts.h"
#include "windows/colors.h"

#include <QPainter>
#include <QPainterPath>

namespace icons {

namespace {

const QColor kCyan(0, 255, 255);
const QColor kBlue(0, 0, 255);

QImage blankImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QIcon iconOf(QImage (*draw)(int))
{
    QIcon icon;
    // The window manager takes what it needs from these; the menu has the installed theme's.
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(draw(size)));
    return icon;
}

} // namespace

QImage testWindowImage(int size)
{
    QImage image = blankImage(size);
    const double s = size / 32.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF disc(1 * s, 1 * s, 30 * s, 30 * s);
    p.setPen(QPen(kBlue, 2 * s));
    p.setBrush(kCyan);
    p.drawEllipse(disc);

    p.setPen(QPen(Qt::black, qMax(1.0, s)));
    p.drawLine(QPointF(16 * s, 2 * s), QPointF(16 * s, 30 * s));
    p.drawLine(QPointF(2 * s, 16 * s), QPointF(30 * s, 16 * s));

    p.fillRect(QRectF(10 * s, 12 * s, 4 * s, 4 * s), colors::kMark);

    // White digits with a dark rim, one in each lower quarter, legible on the cyan.
    QFont font(fonts::windowFamily());
    font.setPixelSize(qMax(5, qRound(9 * s)));
    font.setBold(true);
    const QFontMetricsF metrics(font);
    const auto digits = [&](const QString& text, double centreX) {
        QPainterPath path;
        path.addText(centreX - metrics.horizontalAdvance(text) / 2, 25.5 * s, font, text);
        p.strokePath(path, QPen(QColor(0, 0, 128), qMax(1.0, 1.5 * s), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
        p.fillPath(path, Qt::white);
    };
    digits(QStringLiteral("15"), 9.5 * s);
    digits(QStringLiteral("19"), 22.5 * s);
    return image;
}

QImage resultWindowImage(int size)
{
    QImage image = blankImage(size);
    const double s = size / 32.0;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    p.fillRect(QRectF(0, 0, size, size), kCyan);
    p.fillRect(QRectF(0, 0, size, 5 * s), kBlue);
    p.fillRect(QRectF(0, 27 * s, size, 5 * s), kBlue);

    p.setPen(QPen(Qt::black, qMax(1.0, s)));
    p.drawLine(QPointF(16 * s, 5 * s), QPointF(16 * s, 27 * s));
    p.drawLine(QPointF(0, 16 * s), QPointF(size, 16 * s));

    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8 * s, 16 * s), 5 * s, 5 * s);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24 * s, 16 * s), 5 * s, 5 * s);
    return image;
}

QIcon testWindowIcon()
{
    return iconOf(&testWindowImage);
}

QIcon resultWindowIcon()
{
    return iconOf(&resultWindowImage);
}

} // namespace icons
