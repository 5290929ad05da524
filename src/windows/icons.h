#pragma once

#include <QIcon>
#include <QImage>

namespace icons {

// The test window's icon: a cyan disc with a blue rim, quartered by a black cross, a small
// yellow square left of the centre and "15" and "19" in white across the lower half.
QImage testWindowImage(int size);
// The result window's icon: a cyan panel between blue bars, divided by black lines, a black
// disc in the left half and a white disc in the right half.
QImage resultWindowImage(int size);

QIcon testWindowIcon();
QIcon resultWindowIcon();

} // namespace icons
