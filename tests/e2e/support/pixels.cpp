#include "support/pixels.h"

#include <QString>

#include <vector>

namespace pixels {

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

double shareOf(const QImage& image, const QRect& area, QRgb colour)
{
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty())
        return 0;
    long matching = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            matching += sameColour(image.pixel(x, y), colour) ? 1 : 0;
    return double(matching) / (double(inside.width()) * inside.height());
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

} // namespace pixels
