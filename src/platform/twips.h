#pragma once

// Design-time lengths of the windows are given in twips (1/1440 inch). They become pixels
// through the screen's logical DPI, so a window looks the same size on any screen setting.
namespace twips {

constexpr int kPerInch = 1440;

int toPixels(int twips, double dpi);
double toTwips(int pixels, double dpi);

// Logical DPI of the primary screen (96 when there is none yet).
double screenDpi();

} // namespace twips
