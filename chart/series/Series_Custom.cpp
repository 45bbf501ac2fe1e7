// The shared base of line, point and area series: settings, stacking, axis
// extremes and margins, the hit test, legend symbols and mark placement.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

KV_CLASS_IMPL(TCustomLineSeries, TChartSeries) {}

KV_CLASS_IMPL(TCustomSeries, TCustomLineSeries) {
  c.Editor("TCustomSeriesEditor");
}

TCustomSeries::TCustomSeries(TComponent* Owner) : TCustomLineSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  // The line reaches the right edge: the first point beyond it is drawn too.
  DrawBetweenPoints = true;
  FPointer = std::make_unique<TSeriesPointer>(this);
  FAreaLinesPen = std::make_unique<TChartPen>(repaint);
  FOutLine = std::make_unique<TChartHiddenPen>(repaint);
  FShadow = std::make_unique<TPlotShadow>(repaint);
  FAreaBrush = std::make_unique<TChartBrush>(repaint);
  FGradient = std::make_unique<TPlotGradient>(repaint);
}

TCustomSeries::~TCustomSeries() = default;

void TCustomSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomSeries*>(Source)) {
    FClickableLine = s->FClickableLine;
    FAreaBrush->Assign(s->FAreaBrush.get());
    FAreaColor = s->FAreaColor;
    FAreaLinesPen->Assign(s->FAreaLinesPen.get());
    FColorEachLine = s->FColorEachLine;
    FDark3D = s->FDark3D;
    FDrawArea = s->FDrawArea;
    FDrawLine = s->FDrawLine;
    FInvertedStairs = s->FInvertedStairs;
    FLineHeight = s->FLineHeight;
    FPointer->Assign(s->FPointer.get());
    FStacked = s->FStacked;
    FStairs = s->FStairs;
    FOutLine->Assign(s->FOutLine.get());
    FShadow->Assign(s->FShadow.get());
    FTransparency = s->FTransparency;
    FGradient->Assign(s->FGradient.get());
  }
  TCustomLineSeries::Assign(Source);
}

void TCustomSeries::SetParentChart(TSeriesChart* Value) {
  TCustomLineSeries::SetParentChart(Value);
  FPointer->SetParent(dynamic_cast<TCustomPlotPanel*>(Value));
}

void TCustomSeries::SetTransparency(TPlotTransparency Value) {
  if (FTransparency == Value) return;
  FTransparency = Value;
  Repaint();
}

void TCustomSeries::SetStacked(TCustomSeriesStack Value) {
  if (FStacked == Value) return;
  FStacked = Value;
  Repaint();
  if (!FParentChart) return;
  // Every series of this kind in the chart stacks alike: this class or one of
  // its ancestors, never a descendant.
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* s = dynamic_cast<TCustomSeries*>(list.GetSeries(i));
    if (s && s != this && ClassType()->InheritsFrom(s->ClassType())) s->FStacked = Value;
  }
}

// ---- stacking ----

double TCustomSeries::StackSum(int32_t ValueIndex, bool All) const {
  if (!FParentChart) return 0;
  const bool positive = MandatoryValue(ValueIndex) >= 0;
  double sum = 0;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (!All && s == this) break;
    if (!s->GetActive() || s->Count() <= ValueIndex || !SameClass(*s)) continue;
    const double v = s->GetOriginValue(ValueIndex);
    if (positive ? v > 0 : v < 0) sum += v;
  }
  return sum;
}

int32_t TCustomSeries::StackedPixel(int32_t ValueIndex, double Value) const {
  TChartAxis* axis = ValueAxis();
  if (!axis) return 0;
  if (FStacked == cssStack100) {
    const double total = StackSum(ValueIndex, true);
    if (total == 0) return axis->EndPixel;
    return MandatoryValueToPixel((StackSum(ValueIndex, false) + Value) * 100.0 / total);
  }
  const int32_t p = MandatoryValueToPixel(StackSum(ValueIndex, false) + Value);
  return std::min(p, axis->EndPixel);
}

int32_t TCustomSeries::OriginPixel(int32_t ValueIndex) const {
  if (IsStacking()) return StackedPixel(ValueIndex, 0);
  if (IsVertical()) {
    TChartAxis* a = GetVertAxisRef();
    if (!a) return 0;
    return a->GetInverted() ? a->StartPixel : a->EndPixel;
  }
  TChartAxis* a = GetHorizAxisRef();
  if (!a) return 0;
  return a->GetInverted() ? a->EndPixel : a->StartPixel;
}

int32_t TCustomSeries::PointPixelX(int32_t Index) const {
  if (IsStacking() && !IsVertical()) return StackedPixel(Index, GetXValue(Index));
  return TCustomLineSeries::PointPixelX(Index);
}

int32_t TCustomSeries::PointPixelY(int32_t Index) const {
  if (IsStacking() && IsVertical()) return StackedPixel(Index, GetYValue(Index));
  return TCustomLineSeries::PointPixelY(Index);
}

void TCustomSeries::ResolveDepthOrder() {
  if (FStacked != cssNone && FParentChart) {
    // Stacked series share the chart's current depth row.
    ComputedZOrder = FParentChart->GetMaxZOrder();
    return;
  }
  TCustomLineSeries::ResolveDepthOrder();
}

// ---- extremes ----

double TCustomSeries::StackedExtreme(bool Largest, double Inherited) {
  if (FStacked == cssStack100) return Largest ? 100 : 0;
  if (FStacked != cssStack) return Inherited;
  double r = Inherited;
  for (int32_t i = 0; i < Count(); ++i) {
    const double v = StackSum(i, false) + MandatoryValue(i);
    r = Largest ? std::max(r, v) : std::min(r, v);
  }
  return r;
}

double TCustomSeries::LargestX() {
  const double v = TCustomLineSeries::LargestX();
  return IsVertical() ? v : StackedExtreme(true, v);
}

double TCustomSeries::LargestY() {
  const double v = TCustomLineSeries::LargestY();
  return IsVertical() ? StackedExtreme(true, v) : v;
}

double TCustomSeries::SmallestX() {
  const double v = TCustomLineSeries::SmallestX();
  return IsVertical() ? v : StackedExtreme(false, v);
}

double TCustomSeries::SmallestY() {
  const double v = TCustomLineSeries::SmallestY();
  return IsVertical() ? StackedExtreme(false, v) : v;
}

// ---- margins ----

void TCustomSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustomLineSeries::CalcHorizMargins(Left, Right);
  if (FPointer->GetVisible()) FPointer->CalcHorizMargins(Left, Right);
  if (FDrawLine) {
    if (FStairs) Left = std::max(Left, LinePen()->GetWidth()), Right = std::max(Right, LinePen()->GetWidth());
    if (FOutLine->GetVisible())
      Left = std::max(Left, FOutLine->GetWidth()), Right = std::max(Right, FOutLine->GetWidth());
  }
  if (!IsVertical() && Marks() && Marks()->MarksVisible()) Right = std::max(Left, MarksOffset());
}

void TCustomSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustomLineSeries::CalcVerticalMargins(Top, Bottom);
  if (FPointer->GetVisible()) FPointer->CalcVerticalMargins(Top, Bottom);
  if (FDrawLine) {
    if (FStairs) Top = std::max(Top, LinePen()->GetWidth()), Bottom = std::max(Bottom, LinePen()->GetWidth());
    if (FOutLine->GetVisible())
      Top = std::max(Top, FOutLine->GetWidth()), Bottom = std::max(Bottom, FOutLine->GetWidth());
  }
  if (IsVertical() && Marks() && Marks()->MarksVisible()) Top = std::max(Bottom, MarksOffset());
  if (Chart3D() && FLineHeight > 0 && !FDrawArea) Bottom = std::max(Bottom, FLineHeight);
}

// ---- marks ----

int32_t TCustomSeries::MarksOffset() const {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  const TMarksCallout* c = marks ? marks->PeekCallout() : nullptr;
  return c ? c->GetLength() + c->GetDistance() : 0;
}

void TCustomSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (marks) {
    marks->SetZPosition(StartZ);
    if (IsVertical()) marks->ApplyCalloutOffset(Position);
  }
  TCustomLineSeries::PaintMark(Index, Text, Position);
}

// ---- hit test ----

bool TCustomSeries::ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX,
                                   int32_t MouseY) {
  PreparePointer(ValueIndex);
  return std::abs(PointX - MouseX) < FPointer->GetHorizSize() && std::abs(PointY - MouseY) < FPointer->GetVertSize();
}

bool TCustomSeries::HitsSegment(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t X, int32_t Y) {
  const TPoint p(X, Y);
  if (Chart3D()) {
    TCustomAxisPanel* panel = Panel();
    const int32_t dx = panel ? panel->SeriesWidth3D : 0, dy = panel ? panel->SeriesHeight3D : 0;
    const std::vector<TPoint> quad{TPoint(X0, Y0), TPoint(X1, Y1), TPoint(X1 + dx, Y1 - dy), TPoint(X0 + dx, Y0 - dy)};
    return PlotProcs::PointInPolygon(p, quad);
  }
  if (FStairs) {
    if (!FInvertedStairs)
      return PlotProcs::PointNearSegment(p, X0, Y0, X1, Y0, 1) || PlotProcs::PointNearSegment(p, X1, Y0, X1, Y1, 1);
    return PlotProcs::PointNearSegment(p, X0, Y0, X0, Y1, 1) || PlotProcs::PointNearSegment(p, X0, Y1, X1, Y1, 1);
  }
  return PlotProcs::PointNearSegment(p, X0, Y0, X1, Y1, 1);
}

int32_t TCustomSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FParentChart)
    if (TCanvas3D* c = FParentChart->GetCanvas(); c && Chart3D()) c->ScreenTo3D(X, Y, StartZ);
  const int32_t inherited = TCustomLineSeries::PointAtPixel(X, Y);
  if (inherited != -1) return inherited;
  if (FirstValueIndex < 0 || LastValueIndex < FirstValueIndex) return -1;
  int32_t prevX = 0, prevY = 0;
  const int32_t start = FClickableLine ? std::max(0, FirstValueIndex - 1) : FirstValueIndex;
  for (int32_t i = start; i <= LastValueIndex && i < Count(); ++i) {
    const int32_t px = PointPixelX(i), py = PointPixelY(i);
    if (FPointer->GetVisible() && ClickedPointer(i, px, py, X, Y)) {
      if (OnClickPointer) OnClickPointer(this, i, X, Y);
      return i;
    }
    if (px == X && py == Y) return i;
    if (FClickableLine && i > start) {
      bool hit = HitsSegment(prevX, prevY, px, py, X, Y);
      if (!hit && FDrawArea) {
        const std::vector<TPoint> quad{TPoint(prevX, prevY), TPoint(px, py), TPoint(px, OriginPixel(i)),
                                       TPoint(prevX, OriginPixel(i - 1))};
        hit = PlotProcs::PointInPolygon(TPoint(X, Y), quad);
      }
      if (hit && !IsNull(i - 1)) {
        if (dynamic_cast<TAreaSeries*>(this)) return i - 1;
        const double d0 = std::hypot(double(prevX - X), double(prevY - Y));
        const double d1 = std::hypot(double(px - X), double(py - Y));
        return d1 < d0 ? i : i - 1;
      }
    }
    prevX = px;
    prevY = py;
  }
  return -1;
}

// ---- legend ----

TCanvas3D& TCustomSeries::ChartCanvas() const {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) throw ChartException(PlotConst::MsgNoParentChart);
  return *c;
}

void TCustomSeries::PaintPointerSymbol(int32_t /*Item*/, const TRect& Rect, TColor Colour) {
  TCanvas3D& canvas = ChartCanvas();
  FPointer->PrepareCanvas(canvas, Colour);
  bool penVisible = LinePen()->GetVisible();
  if (TChartPen* p = FParentChart->GetLegendSymbolPen()) {
    canvas.UsePen(*p);
    penVisible = p->GetVisible();
  }
  const int32_t w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  const int32_t hs = penVisible ? std::min(FPointer->GetHorizSize(), w / 3) : std::min(FPointer->GetHorizSize(), w / 2 + 1);
  const int32_t vs = penVisible ? std::min(FPointer->GetVertSize(), h / 3) : std::min(FPointer->GetVertSize(), h / 2 + 1);
  FPointer->DrawPointer(canvas, false, (Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2, hs, vs, Colour,
                        FPointer->GetStyle());
}

void TCustomSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  if (!FParentChart) return;
  TCanvas3D& canvas = ChartCanvas();
  const TColor colour = Item == -1 ? GetSeriesColor() : LegendEntryColor(Item);
  const int32_t midY = (Rect.Top + Rect.Bottom) / 2;
  const bool defaultPen = FParentChart->GetLegendSymbolPen() == nullptr;
  if (FPointer->GetVisible()) {
    if (FDrawLine) {
      if (defaultPen) canvas.UsePenColor(*LinePen(), colour);
      canvas.HorizLine(Rect.Left, Rect.Right, midY);
    }
    PaintPointerSymbol(Item, Rect, colour);
    return;
  }
  if (!FDrawLine || FDrawArea) {
    TCustomLineSeries::PaintLegendSymbol(Item, Rect);
    return;
  }
  if (Chart3D()) {
    TCustomLineSeries::PaintLegendSymbol(Item, Rect);
    return;
  }
  if (defaultPen) canvas.UsePenColor(*LinePen(), colour);
  canvas.HorizLine(Rect.Left, Rect.Right, midY);
}

// ---- pointer ----

TSeriesPointerStyle TCustomSeries::PointerStyleOf(int32_t ValueIndex) {
  return OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : FPointer->GetStyle();
}

void TCustomSeries::DrawPointerAt(int32_t X, int32_t Y, int32_t ValueIndex, TColor Colour) {
  if (!FPointer->GetVisible() || FPointerHidden || !FParentChart) return;
  TCanvas3D& canvas = ChartCanvas();
  FPointer->PrepareCanvas(canvas, Colour);
  if (!OnGetPointerStyle) {
    FPointer->DrawOnChart(X, Y, Colour, FPointer->GetStyle());
    return;
  }
  // The handler may restyle the pointer for this point only; everything it
  // may touch comes back afterwards, also when it raises.
  struct Saved {
    TSeriesPointer& P;
    int32_t H, V, PenWidth;
    TColor PenColor, BrushColor;
    TBrushStyle BrushStyle;
    std::function<void(TGraphicsObject*)> PenChange, BrushChange;
    ~Saved() {
      P.PutHorizSize(H);
      P.PutVertSize(V);
      P.Pen()->SetWidth(PenWidth);
      P.Pen()->SetColor(PenColor);
      P.Brush()->SetColor(BrushColor);
      P.Brush()->SetStyle(BrushStyle);
      P.Pen()->OnChange = PenChange;
      P.Brush()->OnChange = BrushChange;
    }
  } saved{*FPointer, FPointer->GetHorizSize(), FPointer->GetVertSize(), FPointer->Pen()->GetWidth(),
          FPointer->Pen()->GetColor(), FPointer->Brush()->GetColor(), FPointer->Brush()->GetStyle(),
          FPointer->Pen()->OnChange, FPointer->Brush()->OnChange};
  FPointer->Pen()->OnChange = nullptr;
  FPointer->Brush()->OnChange = nullptr;
  const TSeriesPointerStyle style = OnGetPointerStyle(this, ValueIndex);
  canvas.Pen->SetWidth(FPointer->Pen()->GetWidth());
  canvas.Pen->SetColor(FPointer->Pen()->GetColor());
  canvas.Brush->SetStyle(FPointer->Brush()->GetStyle());
  FPointer->DrawOnChart(X, Y, Colour, style);
}
