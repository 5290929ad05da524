#pragma once

#include <QColor>
#include <QString>

// Style sheet for the flat buttons of both windows. A style sheet that sets the border as
// well as the background shows the exact colour instead of the style's shading.
QString flatButtonStyle(const QColor& face);
