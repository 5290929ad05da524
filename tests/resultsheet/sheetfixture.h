#pragma once

// What the result sheet tests share: the steps every test takes, and checks of the picture
// that return the faults they find.

#include "platform/fonts.h"
#include "support/harness.h"
#include "windows/resultwindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QLocale>
#include <QRegion>
#include <QTest>

namespace sheettest {

// The numbers of each grid mode come from the one table of the tests.
using Measures = grids::Grid;
using grids::kCoarse;
using grids::kFine;

// The data of a test run once on each grid: a column "fine" with a row for each.
inline void addGridRows(const char* fine = "fine grid", const char* coarse = "coarse grid")
{
    QTest::addColumn<bool>("fine");
    QTest::newRow(fine) << true;
    QTest::newRow(coarse) << false;
}

inline const Measures& measures(bool fine)
{
    return grids::of(fine);
}

// The pixel of a sheet point on the window.
inline QPoint pixelOf(const FrmBetu& w, const Measures& m, double x, double y)
{
    return {qRound(x * w.width() / m.sheet.scale.width()),
            qRound(y * w.height() / m.sheet.scale.height())};
}

inline QPoint leftMarkPixel(const FrmBetu& w, const Measures& m, int i, int j)
{
    return pixelOf(w, m, i + m.sheet.leftMark.x(), j + m.sheet.leftMark.y());
}

inline QPoint rightMarkPixel(const FrmBetu& w, const Measures& m, int i, int j)
{
    return pixelOf(w, m, m.sheet.scale.width() / 2 + i + m.sheet.rightMarkDx,
                   j + m.sheet.leftMark.y());
}

// Puts the program into the grid mode as the user does, with the grid switch.
inline void useGrid(Harness& h, bool fine)
{
    if ((h.st.swtKae == 0) != fine)
        h.program.gridSwitch().onKaeClicked();
}

// Fixation points that put all four fixation lines off the sheet, clear of the marks.
inline void moveCrossesOffTheSheet(TestState& st, const Measures& m)
{
    st.x2L = st.y2L = st.y2R = -5;
    st.x2R = m.sheet.scale.width() - m.sheet.rightMapShift + 5;
}

// Every cell gets one of the three results, in a pattern that the salt shifts.
inline void fillPattern(ResultGrid& grid, int salt)
{
    const QString values[] = {ResultGrid::kSeen, ResultGrid::kNotSeen, ResultGrid::kUntested};
    for (int i = 0; i < grid.columns(); ++i)
        for (int j = 0; j < grid.rows(); ++j)
            grid.set(i, j, values[(i + 2 * j + salt) % 3]);
}

inline FrmBetu& sheetWindow(Harness& h)
{
    return h.program.resultSheet().touch();
}

// The user closes the result window with its close box.
inline void closeSheet(Harness& h)
{
    if (FrmBetu* window = h.program.resultSheet().window())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline QString longDate(const QDate& date)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(date, QLocale::LongFormat);
}

// "白点[<left>]　　　白点[<right>]": three ideographic spaces between the eyes.
inline QString noteText(const QString& left, const QString& right)
{
    return QString::fromUtf16(u"\u767D\u70B9[") + left
           + QString::fromUtf16(u"]\u3000\u3000\u3000\u767D\u70B9[") + right + QStringLiteral("]");
}

// Faults found in a picture, one sentence each.
using Faults = QStringList;

template <typename... Args> QString fault(const char* format, const Args&... args)
{
    QString text = QString::fromUtf8(format);
    ((text = text.arg(args)), ...);
    return text;
}

// The first few faults, for a failure message.
inline QByteArray report(const Faults& faults)
{
    return (faults.mid(0, 8).join(QLatin1Char('\n'))
            + QStringLiteral("\n(%1 faults in all)").arg(faults.size()))
        .toUtf8();
}

// The fixation point of each eye as the sheet reads it.
struct Crosses {
    double x2L, y2L, x2R, y2R;
    static Crosses of(const TestState& st) { return {st.x2L, st.y2L, st.x2R, st.y2R}; }
};

// Four solid lines one pixel wide through the eyes' fixation points, each ending at its
// place on the sheet.
inline Faults crossFaults(const QImage& p, const FrmBetu& w, const Measures& m, const Crosses& c)
{
    const struct {
        const char* name;
        double x1, y1, x2, y2;
    } lines[] = {
        {"left horizontal", m.sheet.leftLineFrom, c.y2L + 1, m.sheet.leftLineTo, c.y2L + 1},
        {"left vertical", c.x2L + 1, m.sheet.verticalTop, c.x2L + 1, m.sheet.verticalBottom},
        {"right horizontal", m.sheet.rightLineFrom, c.y2R + 1, m.sheet.rightLineTo, c.y2R + 1},
        {"right vertical", c.x2R + m.sheet.rightMapShift, m.sheet.verticalTop,
         c.x2R + m.sheet.rightMapShift, m.sheet.verticalBottom},
    };
    Faults faults;
    for (const auto& line : lines) {
        const QPoint a = pixelOf(w, m, line.x1, line.y1);
        const QPoint b = pixelOf(w, m, line.x2, line.y2);
        const bool horizontal = a.y() == b.y();
        const int from = horizontal ? a.x() : a.y();
        const int to = horizontal ? b.x() : b.y();
        const int at = horizontal ? a.y() : a.x();
        const auto inkAlong = [&](int offset, int first, int last) {
            return horizontal ? inkAlongRow(p, at + offset, first, last)
                              : inkAlongColumn(p, at + offset, first, last);
        };
        const int length = to - from - 1;
        const int inked = inkAlong(0, from + 1, to - 1);
        if (inked != length)
            faults << fault("%1 line at %2 from %3 to %4: %5 of %6 pixels inked", line.name, at,
                            from, to, inked, length);
        if (inkAlong(0, from - 2, from - 2) + inkAlong(0, to + 2, to + 2) != 0)
            faults << fault("%1 line reaches beyond %2 or %3", line.name, from, to);
        for (const int offset : {-2, 2})
            if (inkAlong(offset, from + 1, to - 1) > length / 2)
                faults << fault("%1 line is inked %2 pixels off its place", line.name, offset);
    }
    return faults;
}

// The divider at x3 runs from its top to its bottom, dotted.
inline Faults dividerFaults(const QImage& p, const FrmBetu& w, const Measures& m)
{
    Faults faults;
    const int x = pixelOf(w, m, m.sheet.scale.width() / 2, 0).x();
    const int top = pixelOf(w, m, 0, m.sheet.dividerTop).y();
    const int bottom = pixelOf(w, m, 0, m.sheet.dividerBottom).y();
    const int length = bottom - top - 1;
    const int ink = inkAlongColumn(p, x, top + 1, bottom - 1);
    if (ink < length / 4 || ink > length * 3 / 4)
        faults << fault("divider at x %1: %2 of %3 pixels inked", x, ink, length);
    const int dots = dashesAlongColumn(p, x, top + 1, bottom - 1);
    if (dots < length / 6)
        faults << fault("divider at x %1 has only %2 dots", x, dots);
    if (isInk(p, x, top - 2) || isInk(p, x, bottom + 2))
        faults << fault("divider reaches beyond %1 or %2", top, bottom);
    if (inkAlongColumn(p, x, top, top + 4) == 0 || inkAlongColumn(p, x, bottom - 4, bottom) == 0)
        faults << fault("divider does not reach %1 or %2", top, bottom);
    for (const int offset : {-2, 2})
        if (inkAlongColumn(p, x + offset, top, bottom) != 0)
            faults << fault("ink beside the divider at x %1", x + offset);
    return faults;
}

// Whether a fixation line runs through the box of a mark.
inline bool crossed(const QRect& box, const FrmBetu& w, const Measures& m, const Crosses& c)
{
    for (const double y : {c.y2L + 1, c.y2R + 1})
        if (box.top() <= pixelOf(w, m, 0, y).y() && pixelOf(w, m, 0, y).y() <= box.bottom())
            return true;
    for (const double x : {c.x2L + 1, c.x2R + m.sheet.rightMapShift})
        if (box.left() <= pixelOf(w, m, x, 0).x() && pixelOf(w, m, x, 0).x() <= box.right())
            return true;
    return false;
}

// Calls check(i, j, side, top-left pixel) for every mark place of both maps.
template <typename Check> void forEachMarkPlace(const FrmBetu& w, const Measures& m, Check check)
{
    for (int i = 0; i < m.columns; ++i)
        for (int j = 0; j < m.rows; ++j) {
            check(i, j, "left", leftMarkPixel(w, m, i, j));
            check(i, j, "right", rightMarkPixel(w, m, i, j));
        }
}

// No ink at any mark place that no fixation line crosses.
inline Faults noMarkFaults(const QImage& p, const FrmBetu& w, const Measures& m, const Crosses& c)
{
    Faults faults;
    const QFont font = fonts::windowFont(9);
    int checked = 0;
    forEachMarkPlace(w, m, [&](int i, int j, const char* side, const QPoint& at) {
        const QRect box = view::textBox(p, font, at, QStringLiteral("●"));
        if (crossed(box, w, m, c))
            return;
        ++checked;
        if (inkIn(p, box) != 0)
            faults << fault("ink at the %1 mark (%2, %3)", side, i, j);
    });
    if (checked < m.columns * m.rows)
        faults << fault("only %1 mark places are clear of the fixation lines", checked);
    return faults;
}

// Each mark place shows the first character of its cell, the left map the left grid's.
inline Faults markFaults(const QImage& p, const FrmBetu& w, const Measures& m,
                         const ResultGrid& left, const ResultGrid& right)
{
    Faults faults;
    const QFont font = fonts::windowFont(9);
    forEachMarkPlace(w, m, [&](int i, int j, const char* side, const QPoint& at) {
        const ResultGrid& grid = qstrcmp(side, "left") == 0 ? left : right;
        const QString expected = grid.at(i, j).left(1);
        const QString found = view::markAt(p, font, at);
        if (found != expected)
            faults << fault("%1 mark (%2, %3) at %4,%5: \"%6\" instead of \"%7\"", side, i, j,
                            at.x(), at.y(), found, expected);
    });
    return faults;
}

// The texts of the sheet: the labels, the date and the dot-size note.
struct Annotations {
    QString leftLabel = QStringLiteral("左");
    QString rightLabel = QStringLiteral("右");
    QString date;
    double dateX = 0;
    QString note;
};

// The annotations with both dot sizes at their start value and the harness's date.
inline Annotations startAnnotations(const Harness& h, double dateX)
{
    return {QStringLiteral("左"), QStringLiteral("右"), longDate(h.fakes.today), dateX,
            noteText(QStringLiteral("小"), QStringLiteral("小"))};
}

inline Faults annotationFaults(const QImage& p, const FrmBetu& w, const Measures& m,
                               const Annotations& a)
{
    // The coarse divider runs down through the gap of the note.
    const QRegion divider(QRect(pixelOf(w, m, m.sheet.scale.width() / 2, 0).x(), 0, 1, p.height()));
    const struct {
        const char* what;
        double points;
        QPointF at;
        QString text;
    } texts[] = {
        {"left label", 11, {m.sheet.leftLabelX, 0.2}, a.leftLabel},
        {"right label", 11, {m.sheet.rightLabelX, 0.2}, a.rightLabel},
        {"date", 9, {a.dateX, 0.5}, a.date},
        {"dot-size note", 9, m.sheet.note, a.note},
    };
    Faults faults;
    for (const auto& text : texts) {
        const QPoint at = pixelOf(w, m, text.at.x(), text.at.y());
        const QFont font = fonts::windowFont(text.points);
        const int wrong = view::mismatches(p, font, at, text.text, divider);
        if (wrong != 0)
            faults << fault("%1 \"%2\" at %3,%4: %5 pixels differ", text.what, text.text, at.x(),
                            at.y(), wrong);
    }
    return faults;
}

// A sheet without marks: labels, fixation lines, divider, date and note.
inline Faults unmarkedSheetFaults(const QImage& p, const FrmBetu& w, const Measures& m,
                                  const Crosses& c, const Annotations& a)
{
    return annotationFaults(p, w, m, a) + crossFaults(p, w, m, c) + dividerFaults(p, w, m)
           + noMarkFaults(p, w, m, c);
}

} // namespace sheettest
