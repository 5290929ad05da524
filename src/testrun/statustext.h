#pragma once

#include <QPointF>
#include <QString>

class FrmTest;
struct TestState;

// The texts printed beside the fixation mark, and where each stands relative to the mark's
// top-left corner for the dot size in use (the mark grows with the dot).
namespace statustext {

QString instruction(); // "↑ここを見続けてください。"
QString pauseMessage(); // "一時停止中です。"
QString endMessage(); // "おわり"

QPointF countOffset(int swtTen);
QPointF pauseOffset(int swtTen);
QPointF instructionOffset(int swtTen);

// Prints text in 11 pt yellow with its top-left corner at the mark's corner plus offset.
void printBesideMark(FrmTest& test, const QString& text, const QPointF& offset);
// Prints the number of dots presented so far, in 9 pt teal.
void printCount(FrmTest& test, int count, int swtTen);

enum class Status {
    Count, // the dots presented in this run
    Paused,
    Instruction,
};
// Sets the last status text's offset (x2m, y2m) to this text's at the dot size in use, then
// prints it beside the mark: a later redraw of a pause message finds the offset there.
void print(Status status, TestState& state, FrmTest& test);

} // namespace statustext
