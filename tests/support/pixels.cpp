#include "support/pixels.h"

#include <vector>

namespace {

int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// A pixel mostly covered by ink of that colour: nearer to the ink than to the background.
bool isInkOf(QRgb pixel, QRgb ink, QRgb background)
{
    return squaredDistance(pixel, ink) < squaredDistance(pixel, background);
}

} // namespace

bool isInk(const QImage& picture, int x, int y)
{
    return picture.rect().contains(x, y) && isInk(picture.pixel(x, y));
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

int countColour(const QImage& picture, const QRect& area, QRgb colour)
{
    return countPixels(picture, area, [colour](QRgb pixel) { return sameColour(pixel, colour); });
}

int inkIn(const QImage& picture, const QRect& area)
{
    return countPixels(picture, area, [](QRgb pixel) { return isInk(pixel); });
}

double shareOf(const QImage& picture, const QRect& area, QRgb colour)
{
    const QRect inside = area & picture.rect();
    if (inside.isEmpty())
        return 0;
    return countColour(picture, inside, colour) / (double(inside.width()) * inside.height());
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

QRect inkBox(const QImage& picture, const QColor& background)
{
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QList<Run> runsInRow(const QImage& image, int y, QRgb colour, int minWidth)
{
    QList<Run> runs;
    if (y < 0 || y >= image.height())
        return runs;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        const bool inside = x < image.width() && sameColour(image.pixel(x, y), colour);
        if (inside && start < 0)
            start = x;
        if (!inside && start >= 0) {
            if (x - start >= minWidth)
                runs.append({start, x - 1});
            start = -1;
        }
    }
    return runs;
}

int widestRunRow(const QImage& image, QRgb colour, int minWidth, int count, int fromY,
                 QList<Run>* runs)
{
    int bestRow = -1;
    int bestWidth = 0;
    for (int y = qMax(0, fromY); y < image.height(); ++y) {
        const QList<Run> found = runsInRow(image, y, colour, minWidth);
        if (found.isEmpty() || (count > 0 && found.size() != count))
            continue;
        int width = 0;
        for (const Run& run : found)
            width += run.width();
        if (width > bestWidth) {
            bestWidth = width;
            bestRow = y;
            if (runs)
                *runs = found;
        }
    }
    return bestRow;
}

QRect patchNear(const QImage& image, QPoint near, QRgb colour, int radius, int* pixelCount)
{
    if (pixelCount)
        *pixelCount = 0;
    const QRect bounds = image.rect();
    QPoint seed;
    long best = -1;
    for (int y = near.y() - radius; y <= near.y() + radius; ++y) {
        for (int x = near.x() - radius; x <= near.x() + radius; ++x) {
            if (!bounds.contains(x, y) || !sameColour(image.pixel(x, y), colour))
                continue;
            const long dx = x - near.x();
            const long dy = y - near.y();
            const long distance = dx * dx + dy * dy;
            if (distance <= long(radius) * radius && (best < 0 || distance < best)) {
                best = distance;
                seed = {x, y};
            }
        }
    }
    if (best < 0)
        return {};

    std::vector<bool> seen(size_t(image.width()) * size_t(image.height()), false);
    const auto index
        = [&image](QPoint p) { return size_t(p.y()) * size_t(image.width()) + size_t(p.x()); };
    std::vector<QPoint> pending{seed};
    seen[index(seed)] = true;
    QRect box(seed, seed);
    int count = 0;
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        ++count;
        box = box.united(QRect(p, p));
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint next = p + step;
            if (bounds.contains(next) && !seen[index(next)]
                && sameColour(image.pixel(next), colour)) {
                seen[index(next)] = true;
                pending.push_back(next);
            }
        }
    }
    if (pixelCount)
        *pixelCount = count;
    return box;
}

int countDiffering(const QImage& actual, const QImage& expected, QPoint offset,
                   const QRegion& ignore, QPoint* first)
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

QString differences(const QImage& actual, const QImage& expected, const QRegion& ignore)
{
    if (actual.size() != expected.size())
        return QStringLiteral("picture is %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    QPoint first;
    const int count = countDiffering(actual, expected, {}, ignore, &first);
    if (count == 0)
        return QString();
    return QStringLiteral("%1 pixels differ, first (%2, %3) is %4, expected %5")
        .arg(count)
        .arg(first.x())
        .arg(first.y())
        .arg(describe(actual.pixel(first)), describe(expected.pixel(first)));
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
            const bool isExpected = isInkOf(eLine[x], inkRgb, backgroundRgb);
            const bool isActual = isInkOf(aLine[x], inkRgb, backgroundRgb);
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

QString describe(QRgb colour)
{
    return QStringLiteral("RGB %1,%2,%3").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

QString describe(const QRect& rect)
{
    return QStringLiteral("%1x%2 at %3,%4")
        .arg(rect.width())
        .arg(rect.height())
        .arg(rect.x())
        .arg(rect.y());
}
