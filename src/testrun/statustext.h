#pragma once

#include <QPointF>
#include <QString>

class FrmTest;

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

} // namespace statustext
