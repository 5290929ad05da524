#pragma once

#include <QtGlobal>

// Design-time lengths of the windows are given in twips. The toolkit the windows were laid
// out in counts 15 of them to a logical pixel (an inch of 1440 at 96 dpi), whatever the
// screen setting; so does this program, on every platform: macOS, for one, reports 72 dpi,
// and windows sized through it would come out a quarter too small.
namespace twips {

constexpr int kPerPixel = 15;

constexpr int toPixels(int twips)
{
    return qRound(twips / double(kPerPixel));
}

} // namespace twips
