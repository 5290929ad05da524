#include "support/pictures.h"

#include "platform/canvas.h"
#include "platform/fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace {

// A picture of this size at the resolution of `like`, filled with one colour.
QImage blankLike(const QImage& like, QSize size, const QColor& fill,
                 QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(fill);
    return image;
}

// The pixels of `expected` that differ from `actual` where `expected` lies at `offset` in
// it, leaving out those in `ignore` (in the coordinates of `actual`); the first in *first.
int countDiffering(const QImage& actual, const QImage& expected, QPoint offset,
                   const QRegion& ignore = {}, QPoint* first = nullptr)
{
    int count = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QPoint at(x + offset.x(), y + offset.y());
            if (actual.pixel(at) == expected.pixel(x, y) || ignore.contains(at))
                continue;
            if (count++ == 0 && first)
                *first = at;
        }
    }
    return count;
}

int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

} // namespace

void printAt(QPainter& painter, const QPoint& topLeft, const QString& text)
{
    painter.drawText(topLeft + QPoint(0, painter.fontMetrics().ascent()), text);
}

QImage pictureWith(const Canvas& window, const QColor& background,
                   std::initializer_list<PrintedText> texts)
{
    const QImage& like = window.picture();
    QImage image = blankLike(like, like.size(), background, like.format());
    QPainter painter(&image);
    for (const PrintedText& t : texts) {
        QFont font = window.font();
        font.setPointSizeF(t.points);
        painter.setFont(font);
        painter.setPen(t.colour);
        const QPoint corner(qRound(window.toPixelsX(t.topLeft.x())),
                            qRound(window.toPixelsY(t.topLeft.y())));
        printAt(painter, corner, t.text);
    }
    return image;
}

int countPixels(const QImage& picture, const QRect& area, const std::function<bool(QRgb)>& test)
{
    const QRect clipped = area & picture.rect();
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += test(picture.pixel(x, y)) ? 1 : 0;
    return count;
}

QRect inkBox(const QImage& picture, const QColor& background)
{
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QString differences(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("picture is %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    QPoint first;
    const int count = countDiffering(actual, expected, {}, {}, &first);
    if (count == 0)
        return QString();
    return QStringLiteral("%1 pixels differ, first (%2, %3) is %4, expected %5")
        .arg(count)
        .arg(first.x())
        .arg(first.y())
        .arg(actual.pixelColor(first).name(), expected.pixelColor(first).name());
}

bool isInk(QRgb pixel, QRgb ink, QRgb background)
{
    return squaredDistance(pixel, ink) < squaredDistance(pixel, background);
}

QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                   const QColor& background, bool subset, const QRegion& ignore)
{
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    const QRgb inkRgb = ink.rgb();
    const QRgb backgroundRgb = background.rgb();
    int expectedInk = 0;
    int missing = 0;
    int extra = 0;
    QString first;
    for (int y = 0; y < e.height(); ++y) {
        const auto* aLine = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* eLine = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < e.width(); ++x) {
            const bool isExpected = isInk(eLine[x], inkRgb, backgroundRgb);
            const bool isActual = isInk(aLine[x], inkRgb, backgroundRgb);
            expectedInk += isExpected ? 1 : 0;
            if (isExpected == isActual || (subset && !isExpected) || ignore.contains(QPoint(x, y)))
                continue;
            if (first.isEmpty())
                first = QStringLiteral("%1 at (%2, %3)")
                            .arg(isExpected ? "missing" : "extra")
                            .arg(x)
                            .arg(y);
            ++(isExpected ? missing : extra);
        }
    }
    if (expectedInk == 0)
        return QStringLiteral("the expected picture has no ink");
    if (missing == 0 && extra == 0)
        return QString();
    return QStringLiteral("%1 of %2 ink pixels missing, %3 extra; first %4")
        .arg(missing)
        .arg(expectedInk)
        .arg(extra)
        .arg(first);
}

namespace inkprobe {

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

bool isInk(const QImage& picture, int x, int y)
{
    return picture.rect().contains(x, y) && isInk(picture.pixel(x, y));
}

int inkIn(const QImage& picture, const QRect& area)
{
    return countPixels(picture, area, [](QRgb pixel) { return isInk(pixel); });
}

QFont sheetFont(double points)
{
    return fonts::windowFont(points);
}

QRect textBox(const QImage& like, const QFont& font, const QPoint& topLeft, const QString& text)
{
    const QImage device = blankLike(like, {1, 1}, Qt::white);
    const QFontMetrics metrics(font, &device);
    return QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
        .adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

int mismatches(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
               const QRegion& ignore)
{
    // The part of a blank sheet around the text with only the text printed on it.
    const QRect box = textBox(picture, font, topLeft, text) & picture.rect();
    QImage expected = blankLike(picture, box.size(), Qt::white);
    QPainter painter(&expected);
    painter.translate(-box.topLeft());
    painter.setFont(font);
    painter.setPen(Qt::black);
    printAt(painter, topLeft, text);
    painter.end();
    return countDiffering(picture, expected, box.topLeft(), ignore);
}

bool textAt(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
            const QRegion& ignore)
{
    return mismatches(picture, font, topLeft, text, ignore) == 0;
}

QString markAt(const QImage& picture, const QFont& font, const QPoint& topLeft)
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

int inkAlongRow(const QImage& picture, int y, int fromX, int toX)
{
    return inkIn(picture, QRect(QPoint(fromX, y), QPoint(toX, y)));
}

int inkAlongColumn(const QImage& picture, int x, int fromY, int toY)
{
    return inkIn(picture, QRect(QPoint(x, fromY), QPoint(x, toY)));
}

int dashesAlongColumn(const QImage& picture, int x, int fromY, int toY)
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
