#include "support/programview.h"

#include "support/pixels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QtMath>

#include <cmath>

namespace view {

namespace {

// A picture of this size at the resolution of `like`, filled with white.
QImage blankLike(const QImage& like, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(Qt::white);
    return image;
}

// Rows of buttons: of the rows of the lowest `depth` pixels that cross `count` runs of the
// face colour at least `minWidth` wide, the one where the runs are widest (clear of the
// captions). Each run is then followed up and down along a column just inside its left edge.
QList<QRect> findButtonRow(const QImage& client, QRgb face, int count, int minWidth, int depth)
{
    const int h = client.height();
    QList<Run> best;
    const int bestRow = widestRunRow(client, face, minWidth, count, h - depth, &best);
    QList<QRect> buttons;
    if (bestRow < 0)
        return buttons;
    for (const Run& run : best) {
        const int x = qMin(run.left + 2, run.right);
        int top = bestRow;
        while (top > 0 && sameColour(client.pixel(x, top - 1), face))
            --top;
        int bottom = bestRow;
        while (bottom + 1 < h && sameColour(client.pixel(x, bottom + 1), face))
            ++bottom;
        buttons.append(QRect(run.left, top, run.width(), bottom - top + 1));
    }
    return buttons;
}

} // namespace

QPoint toPixels(const QSize& client, const QSizeF& scale, const QPointF& units)
{
    return {qRound(units.x() * client.width() / scale.width()),
            qRound(units.y() * client.height() / scale.height())};
}

QPointF toUnits(const QSize& client, const QSizeF& scale, const QPointF& pixels)
{
    return {pixels.x() * scale.width() / qMax(1, client.width()),
            pixels.y() * scale.height() / qMax(1, client.height())};
}

QList<QRect> findTestButtons(const QImage& client)
{
    // The frame stands as high above the bottom edge on either grid; narrow buttons are 24
    // pixels wide at 96 DPI, and a stretch of face colour much narrower than that is a piece
    // between the letters of a caption.
    const grids::Field& field = grids::kFine.field;
    const int depth = int(field.frameRise * client.height() / field.scale.height()) + 4;
    return findButtonRow(client, kTestButtonFace, int(Button::Count), 14, depth);
}

QPoint dotPoint(const QImage& client, const grids::Grid& mode, double ratio, QRect* white,
                int* pixelCount)
{
    // The lowest test points lie 11 units down; the button frame's white rim lies below.
    const int bottom = toPixels(client.size(), mode.field.scale, {0, mode.rows + 0.2}).y();
    constexpr int kStride = 3; // the dot is 11 pixels across at least
    for (int y = 0; y < qMin(bottom, client.height()); y += kStride) {
        for (int x = 0; x < client.width(); x += kStride) {
            if (!sameColour(client.pixel(x, y), kDotWhite))
                continue;
            // The anti-aliased rim: the box reaches a pixel beyond the white on every side,
            // and its corner lies one further.
            const QRect patch = patchNear(client, {x, y}, kDotWhite, 0, pixelCount);
            if (white)
                *white = patch;
            const QPointF corner = patch.bottomRight() + QPointF(2, 2) * ratio;
            const QPointF units = toUnits(client.size(), mode.field.scale, corner);
            return {qRound(units.x()) - 1, qRound(units.y()) - 1};
        }
    }
    return {-1, -1};
}

QList<QRect> findSheetButtons(const QImage& client)
{
    // Two buttons of 849 twips (57 pixels) near the bottom of the sheet.
    const int depth = client.height() / 4;
    return findButtonRow(client, kSheetButtonFace, 0, 30, depth);
}

QPointF markCentre(const QImage& client, QPoint near, QRgb colour, int radius)
{
    int count = 0;
    const QRect patch = patchNear(client, near, colour, radius, &count);
    // A disc of about 12 pixels across (180 twips), its rim drawn in another colour.
    if (patch.isEmpty() || patch.width() < 6 || patch.width() > 16
        || qAbs(patch.width() - patch.height()) > 2 || count < 0.6 * patch.width() * patch.height())
        return {-1, -1};
    return {(patch.left() + patch.right()) / 2.0, (patch.top() + patch.bottom()) / 2.0};
}

QString describe(Mark mark)
{
    switch (mark) {
    case Mark::Untested:
        return QStringLiteral("× (untested)");
    case Mark::NotSeen:
        return QStringLiteral("● (not seen)");
    case Mark::Seen:
        return QStringLiteral("○ (seen)");
    case Mark::Misplaced:
        return QStringLiteral("a mark away from its place");
    case Mark::Unreadable:
        break;
    }
    return QStringLiteral("no readable mark");
}

Mark readMark(const QImage& sheet, QPoint origin, const QList<int>& ignoredRows,
              const QList<int>& ignoredColumns, QString* picture, double ratio)
{
    // The marks are printed at 9 points (12 pixels) in a full-width typeface: the glyph lies
    // within about 12 by 12 pixels right of and below the text's corner. Neighbouring marks
    // are at least 15 pixels apart. Every length scales with the device pixel ratio, and so
    // does the ink of strokes that stay about a pixel wide.
    const auto px = [ratio](double pixels) { return qRound(pixels * ratio); };
    const QRect box
        = QRect(origin + QPoint(-px(2), -px(1)), QSize(px(16), px(15))).intersected(sheet.rect());
    const auto counted
        = [&](int x, int y) { return !ignoredRows.contains(y) && !ignoredColumns.contains(x); };
    const auto inkAt = [&](int x, int y) {
        return box.contains(x, y) && counted(x, y) && isInk(sheet.pixel(x, y));
    };

    if (picture) {
        picture->clear();
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x)
                *picture += !counted(x, y) ? QLatin1Char('-')
                                           : (inkAt(x, y) ? QLatin1Char('#') : QLatin1Char('.'));
            *picture += QLatin1Char('\n');
        }
    }

    int ink = 0;
    QRect inked;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!inkAt(x, y))
                continue;
            ++ink;
            inked = inked.isNull() ? QRect(x, y, 1, 1) : inked.united(QRect(x, y, 1, 1));
        }
    }
    if (ink < 8 * ratio || inked.width() < px(5) || inked.height() < px(5))
        return Mark::Unreadable;
    // The typeface's bearings put the ink of all three marks 1 pixel right of the corner and
    // 2 ("○", "●") or 3 ("×") pixels below it.
    const QPoint offset = inked.topLeft() - origin;
    if (offset.x() < 0 || offset.x() > px(2) || offset.y() < px(1) || offset.y() > px(4))
        return Mark::Misplaced;

    // The pixels at most one pixel from the centre of the inked area (those that count);
    // further out, short of a ring's radius, where the fixation lines hide the centre.
    const double cx = (inked.left() + inked.right()) / 2.0;
    const double cy = (inked.top() + inked.bottom()) / 2.0;
    int centre = 0;
    int centreInk = 0;
    for (double reach = ratio; centreInk == 0 && reach <= 2 * ratio; reach += 1) {
        centre = 0;
        for (int y = int(std::ceil(cy - reach)); y <= int(std::floor(cy + reach)); ++y) {
            for (int x = int(std::ceil(cx - reach)); x <= int(std::floor(cx + reach)); ++x) {
                if (!counted(x, y))
                    continue;
                ++centre;
                centreInk += inkAt(x, y) ? 1 : 0;
            }
        }
    }
    if (centre == 0)
        return Mark::Unreadable;

    // The share of the inked area that the ink fills, counting only the rows and columns
    // that count.
    int area = 0;
    for (int y = inked.top(); y <= inked.bottom(); ++y)
        for (int x = inked.left(); x <= inked.right(); ++x)
            area += counted(x, y) ? 1 : 0;
    const double fill = double(ink) / qMax(1, area);

    if (centreInk == 0 && ink >= 16 * ratio && fill < 0.5)
        return Mark::Seen;
    if (centreInk == centre && fill >= 0.6)
        return Mark::NotSeen;
    if (centreInk > 0 && fill < 0.45)
        return Mark::Untested;
    return Mark::Unreadable;
}

QPoint markOrigin(const QSize& sheet, const grids::Grid& mode, bool rightMap, int column, int row)
{
    const grids::Sheet& s = mode.sheet;
    const double x
        = rightMap ? s.scale.width() / 2 + column + s.rightMarkDx : column + s.leftMark.x();
    return toPixels(sheet, s.scale, {x, row + s.leftMark.y()});
}

QList<Mark> readSheet(const QImage& sheet, const grids::Grid& mode, double ratio)
{
    // The lines are placed in the program's pixels and cover that pixel's device pixels; at
    // a fractional ratio also those a resampling may have smeared them into.
    const QSize logical = (QSizeF(sheet.size()) / ratio).toSize();
    const QPoint left = toPixels(logical, mode.sheet.scale, mode.field.fixation + QPointF(1, 1));
    const QPoint right = toPixels(logical, mode.sheet.scale,
                                  {mode.field.fixation.x() + mode.sheet.rightMapShift, 0});
    const int smear = ratio == std::floor(ratio) ? 0 : 1;
    const auto covered = [&](int pixel) {
        QList<int> lines;
        const int last = int(std::ceil((pixel + 1) * ratio)) - 1 + smear;
        for (int line = int(std::floor(pixel * ratio)) - smear; line <= last; ++line)
            lines << line;
        return lines;
    };
    const QList<int> rows = covered(left.y());
    const QList<int> columns = covered(left.x()) + covered(right.x());
    QList<Mark> marks;
    for (bool rightMap : {false, true}) {
        for (int i = 0; i < mode.columns; ++i) {
            for (int j = 0; j < mode.rows; ++j) {
                const QPoint origin
                    = (QPointF(markOrigin(logical, mode, rightMap, i, j)) * ratio).toPoint();
                marks.append(readMark(sheet, origin, rows, columns, nullptr, ratio));
            }
        }
    }
    return marks;
}

void printAt(QPainter& painter, const QPoint& topLeft, const QString& text)
{
    painter.drawText(topLeft + QPoint(0, painter.fontMetrics().ascent()), text);
}

QRect textBox(const QImage& like, const QFont& font, const QPoint& topLeft, const QString& text)
{
    const QImage device = blankLike(like, {1, 1});
    const QFontMetrics metrics(font, &device);
    return QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
        .adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

int mismatches(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
               const QRegion& ignore)
{
    // The part of a blank sheet around the text with only the text printed on it.
    const QRect box = textBox(picture, font, topLeft, text) & picture.rect();
    QImage expected = blankLike(picture, box.size());
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

} // namespace view
