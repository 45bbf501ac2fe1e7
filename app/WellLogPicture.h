#pragma once
// The column picture of a well log: one pixel row per depth step, filled with the
// row's colour and pattern (brush styles 0..7, solid for 8, the chart library's
// pattern bitmaps from 9), boundary lines where the pattern changes, a black
// frame and the caption.

#include "app/WellLogs.h"

class TBitmap;

namespace WellLogPicture {

// Paints Log over the whole of Bitmap (its size is kept).
void PaintColumn(const WellLogs::carotagedata& Log, TBitmap& Bitmap);

}  // namespace WellLogPicture
