#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include "support/desktop.h"
#include "support/gridtable.h"

// The program's two windows as a person sees them: where the test field's units and the
// result sheet's units fall on the screen, where the buttons stand, and how the marks of the
// sheet look. Everything here reads pixels; nothing asks the program.
namespace view {

// Colours the program paints in.
constexpr QRgb kFieldBackground = qRgb(64, 64, 64);
constexpr QRgb kMarkYellow = qRgb(255, 255, 0);
constexpr QRgb kMarkRed = qRgb(255, 0, 0);
constexpr QRgb kDotWhite = qRgb(255, 255, 255);
constexpr QRgb kCrossBlue = qRgb(0, 0, 255);
constexpr QRgb kTestButtonFace = qRgb(128, 255, 128);
constexpr QRgb kSheetButtonFace = qRgb(192, 255, 192);
constexpr QRgb kInk = qRgb(0, 0, 0);

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

// Waits until the test window is maximised over the work area, painted in its background
// colour and shows its row of buttons; the picture of its client area and the buttons then
// (the last picture taken if the time ran out). False if that did not happen in time.
bool waitUntilLaidOut(e2e::WindowId window, QImage* client, QList<QRect>* buttons,
                      int timeoutMs = e2e::kStartTimeoutMs);

// The test point whose white dot shows on a picture of the test window's client area at this
// device pixel ratio: the point the bottom-right corner of the dot's box stands on; (-1, -1)
// if no dot shows.
QPoint dotPoint(const QImage& client, const grids::Grid& mode, double ratio = 1);

// The buttons of the result window (face colour RGB 192,255,192), left to right.
QList<QRect> findSheetButtons(const QImage& client);

// The centre of the fixation mark of this colour nearest to `near` (at most `radius` away);
// (-1, -1) if there is no patch of the colour the size of the mark near there.
QPointF markCentre(const QImage& client, QPoint near, QRgb colour, int radius = 20);

// A mark of the result sheet.
enum class Mark { Untested, NotSeen, Seen, Misplaced, Unreadable };
QString describe(Mark mark);

// Reads the mark whose text starts at `origin` (the top-left corner of the printed text, in
// pixels) from a picture of the sheet: "×" thin crossing strokes, "●" a filled disc, "○" a
// ring with nothing at its centre. A glyph whose ink does not begin a pixel or so right of
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

} // namespace view
