#pragma once

// Reading the test window's picture: the texts printed on it drawn afresh with a plain
// QPainter (never with the program's own canvas), and comparisons that name what differs.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QString>

#include <cmath>
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

// Empty when the pictures are equal; otherwise how many pixels differ and where the first is.
QString differences(const QImage& actual, const QImage& expected);

// A pixel mostly covered by ink of that colour: nearer to the ink than to the background.
bool isInk(QRgb pixel, QRgb ink, QRgb background);

// Compares where the ink of one colour lies in two pictures on the same background. With
// `subset`, ink of `expected` must be in `actual`, which may hold more. Pixels in `ignore`
// (where other drawing lies under the text) are not compared. Empty when they agree.
QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                   const QColor& background, bool subset = false, const QRegion& ignore = {});
