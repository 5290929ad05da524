#pragma once

// Reading the pictures of the program's windows headless: the texts printed on them drawn
// afresh with a plain QPainter (never with the program's own canvas) in the program's
// typeface, comparisons that name what differs, and the black ink of the result sheet.
// (The end-to-end tests read screenshots with their own toolkit, tests/e2e/support/pixels.h,
// which links nothing of the program.)

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QString>

#include <cmath>
#include <functional>
#include <initializer_list>

class Canvas;
class QPainter;

const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kTeal(0, 128, 128);

// Compares two lengths in user units; `tolerance` is usually half a pixel, since controls
// keep their geometry in whole pixels.
#define QCOMPARE_UNITS(actual, expected, tolerance)                                                \
    QVERIFY2(std::abs(double(actual) - double(expected)) <= (tolerance),                           \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                    \
                            .arg(QStringLiteral(#actual))                                          \
                            .arg(double(actual), 0, 'g', 8)                                        \
                            .arg(double(expected), 0, 'g', 8)))

// A text printed on a window: its top-left corner in user units, its size in points.
struct PrintedText {
    QString text;
    QPointF topLeft;
    double points = 11;
    QColor colour = kYellow;
};

// Prints a text as the windows print it: with the top-left corner of its line at a pixel.
void printAt(QPainter& painter, const QPoint& topLeft, const QString& text);

// The picture of `window` when it shows nothing but `texts` on `background`: each text in the
// window's font at its size, with its top-left corner at its point.
QImage pictureWith(const Canvas& window, const QColor& background,
                   std::initializer_list<PrintedText> texts);

// The pixels in `area` (clipped to the picture) for which `test` holds.
int countPixels(const QImage& picture, const QRect& area, const std::function<bool(QRgb)>& test);

// The bounds of what is not `background` in a picture.
QRect inkBox(const QImage& picture, const QColor& background);

// Empty when the pictures are equal; otherwise how many pixels differ and where the first is.
QString differences(const QImage& actual, const QImage& expected);

// A pixel mostly covered by ink of that colour: nearer to the ink than to the background.
bool isInk(QRgb pixel, QRgb ink, QRgb background);

// Compares where the ink of one colour lies in two pictures on the same background. With
// `subset`, ink of `expected` must be in `actual`, which may hold more. Pixels in `ignore`
// (where other drawing lies under the text) are not compared. Empty when they agree.
QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                   const QColor& background, bool subset = false, const QRegion& ignore = {});

// The result sheet as a reader of the copied sheet sees it: where there is ink, and which
// text stands where. A text is recognised by printing it in the sheet's typeface at the
// expected place on a blank sheet and comparing the pixels around it, so both the glyphs and
// their exact place are checked.
namespace inkprobe {

// Pixels left around a text box when comparing, for glyphs that reach past their advance.
constexpr int kMargin = 2;

// A pixel that is clearly darker than the white sheet.
bool isInk(QRgb pixel);
bool isInk(const QImage& picture, int x, int y);
int inkIn(const QImage& picture, const QRect& area);

// The sheet's typeface at a size in points.
QFont sheetFont(double points);

// The box a text printed with its top-left corner at topLeft occupies, with the margin.
QRect textBox(const QImage& like, const QFont& font, const QPoint& topLeft, const QString& text);

// Pixels in the text's box (outside ignore) where the picture differs from the text alone.
int mismatches(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
               const QRegion& ignore = QRegion());
bool textAt(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
            const QRegion& ignore = QRegion());

// The mark printed with its top-left corner at topLeft: "×", "●" or "○" when the pixels
// around it are exactly that glyph, "" when there is no ink, "?" for anything else.
QString markAt(const QImage& picture, const QFont& font, const QPoint& topLeft);

// The pixels of a run along a row or a column that are ink.
int inkAlongRow(const QImage& picture, int y, int fromX, int toX);
int inkAlongColumn(const QImage& picture, int x, int fromY, int toY);
// How often the ink along a column starts again after a gap.
int dashesAlongColumn(const QImage& picture, int x, int fromY, int toY);

} // namespace inkprobe
