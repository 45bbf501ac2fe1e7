#include "app/WellLogPicture.h"

#include "chart/series/PlotBrushDlg.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Graphics.h"

namespace WellLogPicture {

namespace {

void LineAcross(TCanvas& Canvas, int32_t Row, int32_t Width) {
  Canvas.MoveTo(0, Row);
  Canvas.LineTo(Width, Row);
}

// Fills pixel row Row with the colour and pattern codes on a white, opaque background.
void FillRow(TCanvas& Canvas, int32_t Row, int32_t Width, int32_t Colour, int32_t Pattern, TBitmap& PatternBitmap) {
  if (Pattern >= 9) {
    PlotBrushDlg::LoadPatternBitmap(Pattern - 8, PatternBitmap);
    Canvas.Brush->SetBitmap(&PatternBitmap);
    // A monochrome pattern brush paints its set bits in the text colour.
    Canvas.Font->SetColor(Colour);
  } else {
    Canvas.Brush->SetBitmap(nullptr);
    Canvas.Brush->SetColor(Colour);
    // 8 names no brush style and fills solid.
    Canvas.Brush->SetStyle(Pattern <= 7 ? static_cast<TBrushStyle>(Pattern) : bsSolid);
  }
  TDeviceContext* dc = Canvas.GetHandle();
  dc->SetBkMode(OPAQUE);
  dc->SetBkColor(clWhite);
  if (Pattern >= 9) dc->SetTextColor(Colour);
  Canvas.FillRect(TRect(0, Row, Width, Row + 1));
}

}  // namespace

void PaintColumn(const WellLogs::carotagedata& Log, TBitmap& Bitmap) {
  const int32_t width = Bitmap.GetWidth();
  const int32_t rows = Bitmap.GetHeight();
  if (width <= 0 || rows <= 0) return;
  TCanvas& canvas = *Bitmap.GetCanvas();
  TBitmap patternBitmap;
  int32_t previous = 0;
  for (int32_t row = 0; row < rows; ++row) {
    int32_t colour = 0, pattern = -1;
    WellLogs::RowCodes(Log, row, rows, colour, pattern);
    if (pattern < 0)
      LineAcross(canvas, row, width);
    else
      FillRow(canvas, row, width, colour, pattern, patternBitmap);
    if (row > 0 && pattern != previous) LineAcross(canvas, row, width);
    previous = pattern;
  }
  canvas.Brush->SetBitmap(nullptr);
  canvas.Brush->SetStyle(bsSolid);
  canvas.Brush->SetColor(clBlack);
  canvas.FrameRect(TRect(0, 0, width, rows));
  canvas.Font->SetName("Small Fonts");
  canvas.Font->SetSize(7);
  canvas.Font->SetColor(static_cast<TColor>(0xFF0000));
  TDeviceContext* dc = canvas.GetHandle();
  dc->SetBkMode(OPAQUE);
  dc->SetBkColor(static_cast<TColor>(0x00FFFF));
  canvas.TextOut(1, 1, Log.Caption);
}

}  // namespace WellLogPicture
