#include "resultsheet/sheetgeometry.h"

// clang-format off
const SheetGeometry kFineSheet{
    44, 18,
    1, 21,  23, 43,  23,  1.5, 17,  2, 16,
    -0.5, 21.5,  -2.4, -2.5,  {-3.3, 17},
    {1.68, 1.67}, 1.68,
    0.7, 22.7,
};

const SheetGeometry kCoarseSheet{
    31.5, 14,
    1, 15,  16.5, 30.5,  16.5,  1.5, 13,  1.4, 13.5,
    -0.2, 15.1,  -1.6, -1.6,  {-2.4, 13},
    {1.79, 1.72}, 1.55,
    0.7, 16.3,
};
// clang-format on

const SheetGeometry& sheetGeometry(bool fine)
{
    return fine ? kFineSheet : kCoarseSheet;
}
