// The colour scale and the drawing of the cells, the highlight, the colour bar and the
// cursor-value pointer.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"
#include "chart/series/PlotTools.h"
#include "platform/gdi/Graphics.h"
#include "views/Section2D.h"

using Supermath2d::SignedLog;
using Supermath2d::SignedLogInverse;

namespace {

int32_t RoundIndex(double k, int32_t n) {
  if (std::isnan(k)) return n;
  return static_cast<int32_t>(std::clamp(std::nearbyint(k), 0.0, static_cast<double>(n)));
}

TColor MeanColor(TColor a, TColor b) {
  TColor c = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double m = (((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2.0;
    c |= static_cast<TColor>(std::nearbyint(m)) << shift;
  }
  return c;
}

}  // namespace

std::string Section2D::PointerText(double Value) {
  return Value >= 10 ? Supermath2d::FloatToStrDec(0, 1, std::nearbyint(Value)) : Supermath2d::FloatToStrDec(0, 1, Value);
}

// ---- colour scale ----

uint8_t TTModelSection2d::EffectiveKind() const {
  // A logarithmic scale cannot reach a lower end that is not positive.
  return ScaleKind == 1 && ScaleMin <= 0 ? 2 : ScaleKind;
}

bool TTModelSection2d::ScaleFraction(double V, double& F) const {
  if (std::isnan(V) || !(ScaleMax > ScaleMin)) return false;
  const double v = std::clamp(V, ScaleMin, ScaleMax);
  switch (EffectiveKind()) {
    case 1: F = std::log(v / ScaleMin) / std::log(ScaleMax / ScaleMin); break;
    case 2: {
      const double a = SignedLogThreshold > 0 ? SignedLogThreshold : 1.0;
      const double t0 = SignedLog(ScaleMin, a), t1 = SignedLog(ScaleMax, a);
      if (!(t1 > t0)) return false;
      F = (SignedLog(v, a) - t0) / (t1 - t0);
      break;
    }
    default: F = (v - ScaleMin) / (ScaleMax - ScaleMin); break;
  }
  return std::isfinite(F);
}

double TTModelSection2d::ScaleValueAt(double F) const {
  if (!(ScaleMax > ScaleMin)) return ScaleMin;
  switch (EffectiveKind()) {
    case 1: return std::exp(std::log(ScaleMin) + std::log(ScaleMax / ScaleMin) * F);
    case 2: {
      const double a = SignedLogThreshold > 0 ? SignedLogThreshold : 1.0;
      const double t0 = SignedLog(ScaleMin, a), t1 = SignedLog(ScaleMax, a);
      return SignedLogInverse(t0 + (t1 - t0) * F, a);
    }
    default: return ScaleMin + (ScaleMax - ScaleMin) * F;
  }
}

TColor TTModelSection2d::ColorOf(double Value) const {
  if (ColorTable.empty()) return clBlack;
  const int32_t n = std::min(ColorSteps, static_cast<int32_t>(ColorTable.size()) - 1);
  double f = 1;
  // Equal ends give the top colour; a value that cannot be placed the bottom one.
  if (!(ScaleMax > ScaleMin)) return ColorTable[0];
  if (!ScaleFraction(Value, f)) return ColorTable[n];
  return ColorTable[RoundIndex((1 - f) * n, n)];
}

double TTModelSection2d::ScaleDifference(double A, double B) const {
  if (std::isnan(A) || std::isnan(B)) return 0;
  const double a = std::clamp(A, std::min(ScaleMin, ScaleMax), std::max(ScaleMin, ScaleMax));
  const double b = std::clamp(B, std::min(ScaleMin, ScaleMax), std::max(ScaleMin, ScaleMax));
  double d = 0;
  switch (EffectiveKind()) {
    case 1:
      d = std::fabs(std::log(a / b)) / std::max(std::log(ScaleMax / ScaleMin), 1e-10) * 100;
      break;
    case 2: {
      const double t = SignedLogThreshold > 0 ? SignedLogThreshold : 1.0;
      d = std::fabs(SignedLog(a, t) - SignedLog(b, t)) /
          std::max(SignedLog(ScaleMax, t) - SignedLog(ScaleMin, t), 1e-10) * 100;
      break;
    }
    default: d = std::fabs(a - b) / std::max(ScaleMax - ScaleMin, 1e-10) * 100; break;
  }
  return std::isfinite(d) ? d : 0;
}

void TTModelSection2d::UpdateSignedLogThreshold() {
  const auto exponent = [](double v) { return v == 0 ? -100.0 : std::ceil(std::log10(std::fabs(v))); };
  SignedLogThreshold = std::pow(10.0, std::max(exponent(ScaleMax), exponent(ScaleMin)) - 3);
}

// ---- cells ----

void TTModelSection2d::MakeHatchBrush(TBrush& Brush, TColor CellColor, bool Hatched, TColor HatchColor) {
  // Clearing an absent pattern would only make the canvas select the brush again.
  if (Brush.GetBitmap()) Brush.SetBitmap(nullptr);
  if (!Hatched) return;
  if (!FHatch) {
    FHatch = std::make_unique<TBitmap>(8, 8);
    FHatch->SetPixelFormat(pf24bit);
  }
  TCanvas& c = *FHatch->GetCanvas();
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(CellColor);
  c.FillRect(TRect(0, 0, 8, 8));
  static const TPoint dots[] = {{0, 0}, {4, 0}, {2, 2}, {6, 2}, {0, 4}, {4, 4}, {2, 6}, {6, 6}};
  for (const TPoint& p : dots) c.SetPixel(p.X, p.Y, HatchColor);
  Brush.SetBitmap(FHatch.get());
}

void TTModelSection2d::DrawCell(int32_t X0, int32_t YTL, TCanvas* Canvas, bool Full, int32_t Row, int32_t Column,
                                int32_t YBR, int32_t YTR, int32_t YBL, int32_t X1) {
  ++DrawCellCount;
  TCanvas* c = Canvas;
  TBitmap* picture = PictureBitmap();
  if (!c) c = picture ? picture->GetCanvas() : nullptr;
  if (!c || !CellInGrid(Column, Row)) return;
  const int32_t i = Column, j = Row;
  const double v = CellValue(i, j);
  const TColor color = ColorOf(v);
  c->Pen->SetMode(pmCopy);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetWidth(1);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(color);
  const bool selected = Selected[i][j] != 0, fixed = FixedCells[i][j] != 0;
  if (selected && fixed)
    MakeHatchBrush(*c->Brush, color, true, MeanColor(SelectedHatchColor, FixedHatchColor));
  else if (selected)
    MakeHatchBrush(*c->Brush, color, true, SelectedHatchColor);
  else if (fixed)
    MakeHatchBrush(*c->Brush, color, true, FixedHatchColor);
  else
    MakeHatchBrush(*c->Brush, color, false, color);

  if (j == LastRow && TopographyX.size() >= 3) {
    const int32_t h = picture ? picture->GetHeight() : YBL;
    c->Pen->SetColor(color);
    c->Polygon({TPoint(X0, YBL), TPoint(X1, YBR), TPoint(X1, h), TPoint(X0, h)});
  }
  if (ShowMesh) {
    c->Pen->SetColor(MeshColor);
    c->Polygon({TPoint(X0, YTL), TPoint(X0, YBL), TPoint(X1, YBR), TPoint(X1, YTR), TPoint(X0, YTL)});
  } else if (std::abs(YTL - YBL) > 0 && std::abs(X0 - X1) > 0) {
    c->Pen->SetColor(color);
    const int32_t lastC = i == LastColumn ? 1 : 0, lastR = j == LastRow ? 1 : 0;
    c->Polygon({TPoint(X0, YTL), TPoint(X0, YBL - 1 + lastR), TPoint(X1 - 1 + lastC, YBR - 1 + lastR),
                TPoint(X1 - 1 + lastC, YTR), TPoint(X0, YTL)});
  }

  if (YBL - YTL >= 2 && X1 - X0 >= 2 && ShowBorders) {
    c->Pen->SetColor(BorderColor);
    const auto edge = [&](int32_t xa, int32_t ya, int32_t xb, int32_t yb) {
      c->MoveTo(xa, ya);
      c->LineTo(xb, yb);
      c->SetPixel(xb, yb, BorderColor);
    };
    const auto differs = [&](int32_t ni, int32_t nj) { return ScaleDifference(CellValue(ni, nj), v) > BorderThreshold; };
    if (i == 0 || differs(i - 1, j)) edge(X0, YTL, X0, YBL);
    if (j == 0 || differs(i, j - 1)) edge(X0, YTL, X1, YTR);
    if (Full || i == LastColumn)
      if (i == LastColumn || differs(i + 1, j)) edge(X1, YTR, X1, YBR);
    if (Full && j != LastRow && differs(i, j + 1)) edge(X0, YBL, X1, YBR);
  }
}

void TTModelSection2d::DrawCellAt(TCanvas* Canvas, bool Full, int32_t i, int32_t j, const TPixelMap& Map) {
  const double xi = ColumnBorders[i], xn = ColumnBorders[i + 1];
  const double si = SurfaceOffsets.size() > static_cast<size_t>(i) ? SurfaceOffsets[i] : 0.0;
  const double sn = SurfaceOffsets.size() > static_cast<size_t>(i) + 1 ? SurfaceOffsets[i + 1] : 0.0;
  const double zj = RowBorders[j], zn = RowBorders[j + 1];
  DrawCell(Map.X(xi), Map.Z(si + zj), Canvas, Full, j, i, Map.Z(sn + zn), Map.Z(sn + zj), Map.Z(si + zn),
           Map.X(xn));
}

void TTModelSection2d::RedrawCells(TCanvas* Canvas) {
  if (Layers.empty() || LastColumn < 0 || LastRow < 0) return;
  TCanvas* c = Canvas;
  if (!c) {
    TBitmap* picture = PictureBitmap();
    if (!picture) return;
    c = picture->GetCanvas();
  }
  const TPixelMap map = PixelMap();
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j) DrawCellAt(c, false, i, j, map);
  c->Brush->SetBitmap(nullptr);
  c->Brush->SetColor(clWhite);
  CurrentCell = TPoint(0, 0);
  Invalidate();
}

void TTModelSection2d::RedrawCell(int32_t Column, int32_t Row) {
  if (!CellInGrid(Column, Row)) return;
  DrawCellAt(nullptr, true, Column, Row, PixelMap());
  Invalidate();
}

void TTModelSection2d::RedrawAdjacentColumns(int32_t Border) {
  if (Border <= 0 || Border >= LastColumn + 1) return;
  for (int32_t j = 0; j <= LastRow; ++j) {
    RedrawCell(Border - 1, j);
    RedrawCell(Border, j);
  }
}

void TTModelSection2d::RedrawAdjacentRows(int32_t Border) {
  if (Border <= 0 || Border >= LastRow + 1) return;
  for (int32_t i = 0; i <= LastColumn; ++i) {
    RedrawCell(i, Border - 1);
    RedrawCell(i, Border);
  }
}

void TTModelSection2d::UnhighlightCell(int32_t Column, int32_t Row) {
  if (ViewOnly || !CellInGrid(Column, Row)) return;
  RedrawCell(Column, Row);
}

void TTModelSection2d::HighlightCell(int32_t Column, int32_t Row) {
  if (ViewOnly || !CellInGrid(Column, Row)) return;
  const int32_t i = Column, j = Row;
  HighlightValue = CellValue(i, j);
  const double xi = ColumnBorders[i], xn = ColumnBorders[i + 1];
  const double si = SurfaceOffsets.size() > static_cast<size_t>(i) ? SurfaceOffsets[i] : 0.0;
  const double sn = SurfaceOffsets.size() > static_cast<size_t>(i) + 1 ? SurfaceOffsets[i + 1] : 0.0;
  const double zj = RowBorders[j], zn = RowBorders[j + 1];
  const int32_t x0 = XToPixel(xi) + 1, x1 = XToPixel(xn) - 1;
  const int32_t yTL = ZToPixel(si + zj) + 1, yBL = ZToPixel(si + zn) - 1;
  const int32_t yTR = ZToPixel(sn + zj) + 1, yBR = ZToPixel(sn + zn) - 1;
  if (HighlightHook) HighlightHook(xi, xn, si + zj, sn + zj, si + zn, sn + zn);
  TBitmap* picture = PictureBitmap();
  if (!picture || x1 - x0 <= 0 || yBL - yTL <= 0) return;
  TCanvas& c = *picture->GetCanvas();
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsClear);
  c.Pen->SetColor(ColorOf(HighlightValue));
  c.Pen->SetMode(pmNot);
  c.Polygon({TPoint(x0, yTL), TPoint(x0, yBL), TPoint(x1, yBR), TPoint(x1, yTR), TPoint(x0, yTL)});
  c.Brush->SetStyle(bsSolid);
  c.Pen->SetMode(pmCopy);
  Invalidate();
}

void TTModelSection2d::RedrawAll() {
  LayOut();
  SizePicture();
  TBitmap* picture = PictureBitmap();
  TCanvas& c = *picture->GetCanvas();
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clWhite);
  c.FillRect(TRect(0, 0, picture->GetWidth(), picture->GetHeight()));
  if (LastColumn >= 1 && LastRow >= 1) RedrawCells(nullptr);
  Invalidate();
}

void TTModelSection2d::HandleResize(TObject*) { RedrawAll(); }

// ---- colour bar ----

void TTModelSection2d::DrawColorBar(int32_t X, int32_t Y, int32_t Width, int32_t Height, TPlotCanvas* Canvas) {
  if (!ShowColorBar || !Canvas || !Canvas->Pen || !Canvas->Brush || !Canvas->Font) return;
  TPlotCanvas& c = *Canvas;
  if (ScaleMin <= 0 && ScaleKind == 1) ScaleKind = 2;
  c.Pen->SetMode(pmCopy);
  c.Pen->SetStyle(psSolid);
  c.Pen->SetWidth(1);
  const int32_t n = std::min(ColorSteps, static_cast<int32_t>(ColorTable.size()) - 1);
  if (Height > 0 && n >= 0) {
    const double step = static_cast<double>(ColorSteps) / Height;
    double acc = 0;
    for (int32_t k = 0; k <= Height; ++k) {
      c.Pen->SetColor(ColorTable[RoundIndex(acc, n)]);
      c.MoveTo(X, Y + k);
      c.LineTo(X + Width, Y + k);
      acc += step;
    }
  }
  c.Pen->SetColor(clBlack);
  c.Brush->SetColor(clWhite);
  c.UseFont(*ColorBarFont);
  Section2D::DrawValueAxis(c, 1, 0, ScaleKind, ScaleMin, ScaleMax, X + Width, Y, Height,
                           ScaleKind == 2 ? SignedLogThreshold : 1.0, "", "", true);
  c.Brush->SetStyle(bsSolid);
  DrawCursorPointer(CursorValue);
  c.UseFont(*ColorBarFont);
  const int32_t size = c.Font->GetSize();
  c.Font->SetSize(size + 2);
  const int32_t h = std::abs(c.TextHeight("123"));
  c.Brush->SetStyle(bsClear);
  c.TextOutFormat(X, PlotCanvas::RoundToPixel(Y - h - 3.0), ColorBarTitle, true);
  c.Brush->SetStyle(bsSolid);
  c.Font->SetSize(size);
}

void TTModelSection2d::DrawCursorPointer(double Value) {
  if (!ShowColorBar) return;
  if (ScaleKind == 1 && Value <= 0) {
    Value = ScaleMin;
    CursorValue = ScaleMin;
  }
  TPlotCanvas* canvas = Canvas();
  if (canvas && canvas->Pen && canvas->Brush && canvas->Font) {
    TPlotCanvas& c = *canvas;
    const TRect& r = ChartRect;
    c.Pen->SetMode(pmCopy);
    c.Brush->SetBitmap(nullptr);
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(r.Right + 1, r.Top, r.Right + 1 + ColorBarGap, r.Bottom));
    double f = 0;
    if (!ScaleFraction(Value, f)) f = 0;
    const int32_t p = std::clamp(r.Bottom - PlotCanvas::RoundToPixel(f * std::abs(r.Bottom - r.Top)), r.Top, r.Bottom);
    c.Pen->SetColor(clBlack);
    c.Brush->SetColor(clBlack);
    int32_t q = p - 1, s = p + 1;
    if (q < r.Top) q = r.Top, c.Brush->SetColor(0x0000FF);
    if (s > r.Bottom) s = r.Bottom, c.Brush->SetColor(0x0000FF);
    const int32_t xb = r.Right + ColorBarGap;
    const TPoint triangle[] = {TPoint(xb - 1, q), TPoint(xb - 6, q - 3), TPoint(xb - 6, q + 3), TPoint(xb - 1, q)};
    c.Polygon(triangle);
    c.UseFont(*ColorBarFont);
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(xb, r.Bottom + 5, xb + 40, r.Bottom + 35));
    c.Brush->SetStyle(bsClear);
    c.Pen->SetColor(clBlack);
    c.TextOut(xb + 5, r.Bottom + 5, Section2D::PointerText(Value));
    c.Brush->SetStyle(bsSolid);
  }
  Invalidate();
  Fire(OnAfterChangeCB);
}

void TTModelSection2d::CursorFromBar(int32_t Y) {
  const TRect& r = ChartRect;
  // A bar of no height has no value at any pixel.
  if (r.Bottom == r.Top) return;
  const double f = std::clamp(static_cast<double>(r.Bottom - Y) / (r.Bottom - r.Top), 0.0, 1.0);
  const double v = ScaleValueAt(f);
  if (!std::isfinite(v)) return;
  CursorValue = v;
  DrawCursorPointer(CursorValue);
}

void TTModelSection2d::HandleAfterDraw(TObject*) {
  if (FLayingOut || CurrentCell == TPoint(-1, -1)) return;
  const TRect& r = ChartRect;
  TPlotCanvas3D* c = Canvas();
  DrawColorBar(r.Right + ColorBarGap, r.Top, ColorBarWidth, std::abs(r.Top - r.Bottom), c);
  if (!c || !c->Brush) return;
  c->Brush->SetBitmap(nullptr);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clBlack);
  const auto mark = [&](int32_t x, int32_t y) {
    if (y - 3 < r.Top) return;
    c->FillRect(TRect(x, y - 3, x + 2, y));
  };
  const int32_t top = r.Top;
  for (size_t k = 0; k < FixedBorders.size() && k < ColumnBorders.size(); ++k)
    if (FixedBorders[k]) mark(BottomAxis()->ValueToPixel(ColumnBorders[k]), top + 3);
  for (const complexM& p : FlaggedPoints) mark(BottomAxis()->ValueToPixel(p.x), LeftAxis()->ValueToPixel(p.z));
}
