#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QString>

#include <functional>

// Pixel measurements on any picture: one the headless tests drew, or a screenshot of a real
// desktop. Colours compare exactly (alpha ignored): the program paints in flat colours, and
// anti-aliased edges simply do not match. Nothing of the program is linked in.

// Whether two pixels have the same colour, alpha ignored.
inline bool sameColour(QRgb a, QRgb b)
{
    return (a & RGB_MASK) == (b & RGB_MASK);
}

// Black ink on white: an anti-aliased edge counts when it is more than half covered.
inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}
bool isInk(const QImage& picture, int x, int y);

// The pixels in `area` (clipped to the picture) for which `test` holds; of exactly one colour;
// that are ink.
int countPixels(const QImage& picture, const QRect& area, const std::function<bool(QRgb)>& test);
int countColour(const QImage& picture, const QRect& area, QRgb colour);
int inkIn(const QImage& picture, const QRect& area);
// The share (0 to 1) of the pixels in the rectangle that have exactly this colour.
double shareOf(const QImage& picture, const QRect& area, QRgb colour);

// The pixels of a run along a row or a column that are ink; how often the ink along a column
// starts again after a gap.
int inkAlongRow(const QImage& picture, int y, int fromX, int toX);
int inkAlongColumn(const QImage& picture, int x, int fromY, int toY);
int dashesAlongColumn(const QImage& picture, int x, int fromY, int toY);

// The bounds of what is not `background` in a picture.
QRect inkBox(const QImage& picture, const QColor& background);

// A horizontal run of pixels, both ends included.
struct Run {
    int left = 0;
    int right = -1;
    int width() const { return right - left + 1; }
};

// The runs of exactly this colour along row y, left to right, that are at least minWidth
// pixels wide.
QList<Run> runsInRow(const QImage& image, int y, QRgb colour, int minWidth = 1);

// Of the rows from fromY to the bottom that cross `count` such runs (any number if count is
// 0, but at least one), the one where the runs cover the most pixels, or -1; its runs go to
// *runs if given.
int widestRunRow(const QImage& image, QRgb colour, int minWidth, int count, int fromY,
                 QList<Run>* runs = nullptr);

// The 4-connected patch of exactly this colour that holds the pixel of this colour nearest
// to `near` (at most `radius` pixels away); its bounding box, or an empty rectangle if no
// pixel of the colour is that close. pixelCount, if given, receives the patch's size.
QRect patchNear(const QImage& image, QPoint near, QRgb colour, int radius,
                int* pixelCount = nullptr);

// Empty when the pictures are equal outside `ignore`; otherwise how many pixels differ and
// where the first is.
QString differences(const QImage& actual, const QImage& expected, const QRegion& ignore = {});

// The pixels of `expected` that differ from `actual` where `expected` lies at `offset` in
// it, leaving out those in `ignore` (in the coordinates of `actual`); the first in *first.
int countDiffering(const QImage& actual, const QImage& expected, QPoint offset,
                   const QRegion& ignore = {}, QPoint* first = nullptr);

// Compares where the ink of one colour lies in two pictures on the same background. With
// `subset`, ink of `expected` must be in `actual`, which may hold more. Pixels in `ignore`
// (where other drawing lies under the text) are not compared. Empty when they agree.
QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                   const QColor& background, bool subset = false, const QRegion& ignore = {});

// "RGB r,g,b" for messages.
QString describe(QRgb colour);
// "w x h at x,y" for messages.
QString describe(const QRect& rect);
