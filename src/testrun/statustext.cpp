#include "testrun/statustext.h"

#include "platform/shape.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/testwindow.h"

namespace statustext {

QString instruction()
{
    return QStringLiteral("↑ここを見続けてください。");
}

QString pauseMessage()
{
    return QStringLiteral("一時停止中です。");
}

QString endMessage()
{
    return QStringLiteral("おわり");
}

QPointF countOffset(int swtTen)
{
    switch (swtTen) {
    case 0:
        return {-0.03, 0.25};
    case 1:
        return {0.04, 0.45};
    default:
        return {0.13, 0.7};
    }
}

QPointF pauseOffset(int swtTen)
{
    return {-0.5, instructionOffset(swtTen).y()};
}

QPointF instructionOffset(int swtTen)
{
    switch (swtTen) {
    case 0:
        return {0, 0.4};
    case 1:
        return {0, 0.6};
    default:
        return {0, 0.8};
    }
}

void printBesideMark(FrmTest& test, const QString& text, const QPointF& offset)
{
    const QPointF corner = test.userRect(test.shp1).topLeft() + offset;
    test.setFontSize(11);
    test.setForeColor(colors::kMark);
    test.moveTo(corner.x(), corner.y());
    test.print(text);
}

void printCount(FrmTest& test, int count, int swtTen)
{
    const QPointF corner = test.userRect(test.shp1).topLeft() + countOffset(swtTen);
    test.setFontSize(9);
    test.setForeColor(QColor(0, 128, 128));
    test.moveTo(corner.x(), corner.y());
    test.printNumber(count);
}

void print(Status status, TestState& state, FrmTest& test)
{
    const QPointF offset = status == Status::Count    ? countOffset(state.swtTen)
                           : status == Status::Paused ? pauseOffset(state.swtTen)
                                                      : instructionOffset(state.swtTen);
    state.x2m = offset.x();
    state.y2m = offset.y();
    if (status == Status::Count)
        printCount(test, state.w, state.swtTen);
    else
        printBesideMark(test, status == Status::Paused ? pauseMessage() : instruction(), offset);
}

} // namespace statustext
