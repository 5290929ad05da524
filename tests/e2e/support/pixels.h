#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

// Pixel measurements on screenshots of the real X server. Colours compare exactly (alpha
// ignored): the program paints its surfaces in flat colours, and anti-aliased edges simply do
// not match. This toolkit links nothing of the program; the headless tests have their own,
// tests/support/pictures.h, which draws with the program's typeface and canvas.
namespace pixels {

// Whether two pixels have the same colour, alpha ignored.
inline bool sameColour(QRgb a, QRgb b)
{
    return (a & RGB_MASK) == (b & RGB_MASK);
}

// Dark enough to be the ink of a text on white: an anti-aliased edge counts when it is more
// than half covered.
inline bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

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

// The share (0 to 1) of the pixels in the rectangle that have exactly this colour.
double shareOf(const QImage& image, const QRect& area, QRgb colour);

// "RGB r,g,b" for messages.
QString describe(QRgb colour);
// "w x h at x,y" for messages.
QString describe(const QRect& rect);

} // namespace pixels
