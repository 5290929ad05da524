#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QSize>
#include <QString>

#include "support/gridtable.h"

class QPainter;

// Colours the program paints in.
constexpr QRgb kFieldBackground = qRgb(64, 64, 64);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kDotWhite = qRgb(255, 255, 255);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr QRgb kTestButtonFace = qRgb(128, 255, 128);
constexpr QRgb kSheetButtonFace = qRgb(192, 255, 192);
constexpr QRgb kInk = qRgb(0, 0, 0);

// The program's two windows as a person sees them: where the test field's units and the
// result sheet's units fall on a picture, where the buttons stand, and how the texts and the
// marks of the sheet look. Everything here reads pixels; nothing asks the program. The
// headless tests read the pictures the program drew, the end-to-end tests screenshots.
namespace view {

// Where a point in units of a user scale (origin top-left) falls on a client area of this
// size, rounded as the program rounds; and back. The scales are those of grids::Grid: test
// point (a, b) at (a + 1, b + 1) of the field.
QPoint toPixels(const QSize& client, const QSizeF& scale, const QPointF& units);
QPointF toUnits(const QSize& client, const QSizeF& scale, const QPointF& pixels);

// The test window's buttons, left to right along the frame at the bottom.
enum class Button { Left, Right, Speed, Ten, Haik, Stop, Kae, Rdm, Betu, Keka, End, Count };

// The buttons on a picture of the test window's client area: one rectangle of face colour per
// button, in the order of Button, or an empty list if the row of all of them is not found.
QList<QRect> findTestButtons(const QImage& client);

// The test point whose white dot shows on a picture of the test window's client area at this
// device pixel ratio: the point the bottom-right corner of the dot's box stands on; (-1, -1)
// if no dot shows. The dot's white patch goes to *white, its size to *pixelCount, if given.
QPoint dotPoint(const QImage& client, const grids::Grid& mode, double ratio = 1,
                QRect* white = nullptr, int* pixelCount = nullptr);

// The buttons of the result window (face colour RGB 192,255,192), left to right.
QList<QRect> findSheetButtons(const QImage& client);

// The centre of the fixation mark of this colour nearest to `near` (at most `radius` away);
// (-1, -1) if there is no patch of the colour the size of the mark near there.
QPointF markCentre(const QImage& client, QPoint near, QRgb colour, int radius = 20);

// A mark of the result sheet.
enum class Mark { Untested, NotSeen, Seen, Misplaced, Unreadable };
QString describe(Mark mark);

// Reads the mark whose text starts at `origin` (the top-left corner of the printed text, in
// pixels) from a picture of the sheet by its shape, whatever the typeface's rendering on the
// desktop at hand (markAt below reads it exactly): "×" thin crossing strokes, "●" a filled disc,
// "○" a ring with nothing at its centre. A glyph whose ink does not begin a pixel or so right of
// and two or three pixels below the corner is Misplaced. Rows and columns in `ignoredRows` and
// `ignoredColumns` (the fixation lines that run through some marks) are left out. `picture`, if
// given, gets the mark drawn in characters, for messages. A picture at a device pixel ratio
// other than 1 is read with every length scaled by it.
Mark readMark(const QImage& sheet, QPoint origin, const QList<int>& ignoredRows,
              const QList<int>& ignoredColumns, QString* picture = nullptr, double ratio = 1);

// Where the sheet prints the text of mark (column, row) of the left or the right map.
QPoint markOrigin(const QSize& sheet, const grids::Grid& mode, bool rightMap, int column, int row);

// Every mark of a picture of the sheet at this device pixel ratio: the left map's points
// column by column, then the right map's. The fixation lines that run through some marks are
// left out, as wide as the ratio draws them.
QList<Mark> readSheet(const QImage& sheet, const grids::Grid& mode, double ratio);

// Prints a text as the windows print it: with the top-left corner of its line at a pixel.
void printAt(QPainter& painter, const QPoint& topLeft, const QString& text);

// A text of the sheet is recognised by printing it in the sheet's typeface at the expected
// place on a blank sheet and comparing the pixels around it, so both the glyphs and their
// exact place are checked. kMargin: the pixels left around a text box when comparing, for
// glyphs that reach past their advance.
constexpr int kMargin = 2;

// The box a text printed with its top-left corner at topLeft occupies, with the margin.
QRect textBox(const QImage& like, const QFont& font, const QPoint& topLeft, const QString& text);

// Pixels in the text's box (outside ignore) where the picture differs from the text alone.
int mismatches(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
               const QRegion& ignore = QRegion());
bool textAt(const QImage& picture, const QFont& font, const QPoint& topLeft, const QString& text,
            const QRegion& ignore = QRegion());

// The mark printed with its top-left corner at topLeft, read exactly: "×", "●" or "○" when the
// pixels around it are exactly that glyph, "" when there is no ink, "?" for anything else.
QString markAt(const QImage& picture, const QFont& font, const QPoint& topLeft);

} // namespace view
