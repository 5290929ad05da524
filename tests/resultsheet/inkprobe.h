#pragma once

// Looking at the result sheet's picture the way a reader of the copied sheet would: where
// there is ink, and which text stands where. A text is recognised by rendering it with the
// sheet's typeface at the expected place on a blank sheet and comparing the pixels around
// it, so both the glyphs and their exact place are checked.

#include "platform/fonts.h"
#include "support/pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>

namespace inkprobe {

// Pixels left around a text box when comparing, for glyphs that reach past their advance.
constexpr int kMargin = 2;

// A pixel that is clearly darker than the white sheet.
inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

inline bool isInk(const QImage& picture, int x, int y)
{
    return picture.rect().contains(x, y) && isInk(picture.pixel(x, y));
}

inline int inkIn(const QImage& picture, const QRect& area)
{
    const QRect clipped = area & picture.rect();
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += isInk(picture.pixel(x, y)) ? 1 : 0;
    return count;
}

// The sheet's typeface at a size in points.
inline QFont sheetFont(double points)
{
    return fonts::windowFont(points);
}

// The box a text printed with its top-left corner at topLeft occupies, with the margin.
inline QRect textBox(const QImage& like, const QFont& font, const QPoint& topLeft,
                     const QString& text)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(like.dotsPerMeterX());
    device.setDotsPerMeterY(like.dotsPerMeterY());
    const QFontMetrics metrics(font, &device);
    return QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
        .adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

// The part of a blank sheet around a text with only this text printed on it: the box of
// the text, in the picture's resolution, in the picture's pixel coordinates.
inline QImage rendered(const QImage& like, const QFont& font, const QPoint& topLeft,
                       const QString& text, const QRect& box)
{
    QImage image(box.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-box.topLeft());
    painter.setFont(font);
    painter.setPen(Qt::black);
    printAt(painter, topLeft, text);
    return image;
}

// Pixels in the text's box (outside ignore) where the picture differs from the text alone.
inline int mismatches(const QImage& picture, const QFont& font, const QPoint& topLeft,
                      const QString& text, const QRegion& ignore = QRegion())
{
    const QRect box = textBox(picture, font, topLeft, text) & picture.rect();
    const QImage expected = rendered(picture, font, topLeft, text, box);
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (!ignore.contains(QPoint(x, y))
                && picture.pixel(x, y) != expected.pixel(x - box.left(), y - box.top()))
                ++count;
    return count;
}

inline bool textAt(const QImage& picture, const QFont& font, const QPoint& topLeft,
                   const QString& text, const QRegion& ignore = QRegion())
{
    return mismatches(picture, font, topLeft, text, ignore) == 0;
}

// The mark printed with its top-left corner at topLeft: "×", "●" or "○" when the pixels
// around it are exactly that glyph, "" when there is no ink, "?" for anything else.
inline QString markAt(const QImage& picture, const QFont& font, const QPoint& topLeft)
{
    static const QStringList marks
        = {QStringLiteral("×"), QStringLiteral("●"), QStringLiteral("○")};
    for (const QString& mark : marks)
        if (textAt(picture, font, topLeft, mark))
            return mark;
    if (inkIn(picture, textBox(picture, font, topLeft, marks.at(1))) == 0)
        return QString();
    return QStringLiteral("?");
}

// The pixels of a run along a row or a column that are ink.
inline int inkAlongRow(const QImage& picture, int y, int fromX, int toX)
{
    return inkIn(picture, QRect(QPoint(fromX, y), QPoint(toX, y)));
}

inline int inkAlongColumn(const QImage& picture, int x, int fromY, int toY)
{
    return inkIn(picture, QRect(QPoint(x, fromY), QPoint(x, toY)));
}

// How often the ink along a column starts again after a gap.
inline int dashesAlongColumn(const QImage& picture, int x, int fromY, int toY)
{
    int dashes = 0;
    bool previous = false;
    for (int y = fromY; y <= toY; ++y) {
        const bool ink = isInk(picture, x, y);
        if (ink && !previous)
            ++dashes;
        previous = ink;
    }
    return dashes;
}

} // namespace inkprobe
