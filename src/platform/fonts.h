#pragma once

#include <QFont>
#include <QString>

namespace fonts {

// The typeface all windows are designed in.
QString windowFamily();
// That typeface at a size, in normal weight.
QFont windowFont(double points);

// Maps the design typeface onto a Japanese proportional gothic of this system. Must run
// before the first QFont or widget is created.
void installSubstitutions();

} // namespace fonts
