#pragma once

#include <QColor>

// The colours the test window and the program's icon share.
namespace colors {

// The fixation mark's yellow, in which the explanation labels and the texts beside the mark
// are written too.
inline constexpr QColor kMark{255, 255, 0};
// The mark's rim, and the whole mark once a run has ended.
inline constexpr QColor kMarkRed{255, 0, 0};
// The test field's grey as the program starts, which the background button comes back to.
inline constexpr QColor kField{64, 64, 64};

} // namespace colors
