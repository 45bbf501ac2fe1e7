// The histogram series: touching bars laid out point after point, their step
// outline, the dividers between neighbours, margins and the hit test.
#include <algorithm>

#include "chart/engine/PlotProcs.h"
#include "chart/extras/StatChar.h"

KV_CLASS_IMPL(THistogramSeries, TCustomLineSeries) {
  using S = THistogramSeries;
  c.Property("LinePen", &S::Pen);
  c.Property("LinesPen", &S::LinesPen);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
  c.Editor("THistogramSeriesEditor");
}

THistogramSeries::THistogramSeries(TComponent* Owner) : TCustomLineSeries(Owner) {
  FLinesPen = std::make_unique<TChartHiddenPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

THistogramSeries::~THistogramSeries() = default;

void THistogramSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const THistogramSeries*>(Source)) {
    FLinesPen->Assign(s->FLinesPen.get());
    FTransparency = s->FTransparency;
  }
  TCustomLineSeries::Assign(Source);
}

void THistogramSeries::SetTransparency(TPlotTransparency Value) {
  if (FTransparency == Value) return;
  FTransparency = Value;
  Repaint();
}

TCanvas3D& THistogramSeries::ChartCanvas() const {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) throw ChartException(PlotConst::MsgNoParentChart);
  return *c;
}

int32_t THistogramSeries::HalfWidth() const {
  const TChartAxis* axis = AlongAxis();
  int32_t n = FParentChart ? FParentChart->GetMaxPointsPerPage() : 0;
  if (n == 0) n = Count();
  if (n < 1 || !axis) return 0;
  return (axis->AxisLength / n) / 2;
}

// ---- layout ----

void THistogramSeries::CalcBarBounds(int32_t Index, TRect& Rect) {
  const int32_t w = HalfWidth();
  int32_t n = FParentChart ? FParentChart->GetMaxPointsPerPage() : 0;
  if (n == 0) n = Count();
  if (n < 1) {
    Rect = TRect(0, 0, 0, 0);
    return;
  }
  const bool forward = DrawValuesForward();
  const int32_t x = XValueToPixel(GetXValue(Index));
  if (Index == FirstDisplayedIndex()) {
    Rect.Left = x - w + 1;
    Rect.Right = x + w + 1;
    if (!forward) std::swap(Rect.Left, Rect.Right);
  } else {
    Rect.Left = FEdge;
    Rect.Right = forward ? x + w + 1 : x - w - 1;
  }
  FEdge = Rect.Right - 1;
  Rect.Top = YValueToPixel(GetYValue(Index));
  const TChartAxis* vert = GetVertAxisRef();
  Rect.Bottom = vert ? (vert->GetInverted() ? vert->StartPixel : vert->EndPixel) : Rect.Top;
}

bool THistogramSeries::IsLastDisplayed(int32_t Index) const {
  return DrawValuesForward() ? Index == LastValueIndex : Index == FirstValueIndex;
}

int32_t THistogramSeries::PreviousDisplayed(int32_t Index) const {
  return DrawValuesForward() ? Index - 1 : Index + 1;
}

void THistogramSeries::FindVisibleRange() {
  TCustomLineSeries::FindVisibleRange();
  // Bars cut by the chart's edges are drawn too.
  if (FirstValueIndex > 0) --FirstValueIndex;
  if (LastValueIndex >= 0 && LastValueIndex < Count() - 1) ++LastValueIndex;
}

void THistogramSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  const int32_t pen = Pen()->GetVisible() ? Pen()->GetWidth() : 0;
  if (Vertical()) {
    const int32_t w = HalfWidth();
    Left = w;
    Right = w + pen;
  } else {
    Left = 0;
    Right = pen;
  }
}

void THistogramSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  const int32_t pen = Pen()->GetVisible() ? Pen()->GetWidth() : 0;
  if (Vertical()) {
    Top = pen;
    Bottom = 0;
  } else {
    const int32_t w = HalfWidth();
    Top = w;
    Bottom = w + pen;
  }
}

// ---- drawing ----

void THistogramSeries::DrawPoint(int32_t Index) {
  TRect r;
  CalcBarBounds(Index, r);
  TCanvas3D& c = ChartCanvas();
  const bool is3D = Chart3D();
  c.Pen->SetStyle(psClear);
  if (Brush()->GetStyle() != bsClear) {
    c.UseBrushColor(*Brush(), ValueColor(Index));
    TRect fill = r;
    const TChartAxis* vert = GetVertAxisRef();
    if (Vertical() && vert && vert->GetInverted()) ++fill.Top;
    fill = NormalizeRect(fill);
    const TBlendScope blend(c, is3D ? c.RectTo2D(fill, MiddleZ) : fill, FTransparency);
    if (is3D)
      c.RectAtDepth(TRect(fill.Left, fill.Top, fill.Right - 1, fill.Bottom), MiddleZ);
    else
      c.FillRect(fill);
  }
  if (Pen()->GetVisible()) DrawOutline(c, Index, r);
  if (Index >= 1 && Index != FirstDisplayedIndex() && FLinesPen->GetVisible()) DrawDivider(c, Index, r);
}

namespace {

// The step joins the previous bar's edge at its corner pixel, which the
// next bar's fill has covered: lines leave out their end point, so the step
// ends one pixel beyond it.
int32_t Beyond(int32_t From, int32_t To) { return To > From ? To + 1 : To < From ? To - 1 : To; }

}  // namespace

void THistogramSeries::DrawOutline(TCanvas3D& C, int32_t Index, const TRect& R) {
  C.UsePen(*Pen());
  C.SetBackMode(TRANSPARENT);
  const bool is3D = Chart3D();
  auto horiz = [&](int32_t X0, int32_t X1, int32_t Y) {
    if (is3D)
      C.HorizLine3D(X0, X1, Y, MiddleZ);
    else
      C.HorizLine(X0, X1, Y);
  };
  auto vert = [&](int32_t X, int32_t Y0, int32_t Y1) {
    if (is3D)
      C.VertLine3D(X, Y0, Y1, MiddleZ);
    else
      C.VertLine(X, Y0, Y1);
  };
  const bool first = Index == FirstDisplayedIndex();
  if (Vertical()) {
    if (first)
      vert(R.Left, R.Bottom, R.Top);
    else
      vert(R.Left, R.Top, Beyond(R.Top, YValueToPixel(GetYValue(PreviousDisplayed(Index)))));
    horiz(R.Left, R.Right, R.Top);
    if (IsLastDisplayed(Index)) vert(R.Right - 1, R.Top, R.Bottom);
  } else {
    if (first)
      horiz(R.Left, R.Right, R.Bottom - 1);
    else
      horiz(Beyond(R.Right, XValueToPixel(GetXValue(PreviousDisplayed(Index)))), R.Right, R.Bottom - 1);
    vert(R.Right - Pen()->GetWidth(), R.Top, R.Bottom);
    if (IsLastDisplayed(Index)) horiz(R.Left, R.Right, R.Top);
  }
}

// A divider at the bar's leading edge, from the base up to the lower of the
// two neighbouring bars.
void THistogramSeries::DrawDivider(TCanvas3D& C, int32_t Index, const TRect& R) {
  C.UsePen(*FLinesPen);
  C.SetBackMode(TRANSPARENT);
  const bool is3D = Chart3D();
  const int32_t shorten = Pen()->GetVisible() ? 0 : 1;
  const int32_t prev = PreviousDisplayed(Index);
  if (Vertical()) {
    const TChartAxis* axis = GetVertAxisRef();
    const bool inverted = axis && axis->GetInverted();
    const int32_t prevY = YValueToPixel(GetYValue(prev));
    const int32_t end = inverted ? std::min(R.Top, prevY) - shorten : std::max(R.Top, prevY) + shorten;
    if (is3D)
      C.VertLine3D(R.Left, R.Bottom, end, MiddleZ);
    else
      C.VertLine(R.Left, R.Bottom, end);
  } else {
    const TChartAxis* axis = GetHorizAxisRef();
    const bool inverted = axis && axis->GetInverted();
    const int32_t prevX = XValueToPixel(GetXValue(prev));
    const int32_t end = inverted ? std::max(R.Right, prevX) + shorten : std::min(R.Right, prevX) - shorten;
    if (is3D)
      C.HorizLine3D(R.Left, end, R.Bottom, MiddleZ);
    else
      C.HorizLine(R.Left, end, R.Bottom);
  }
}

int32_t THistogramSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart || FirstValueIndex < 0) return -1;
  if (Chart3D()) ChartCanvas().ScreenTo3D(X, Y, MiddleZ);
  const bool forward = DrawValuesForward();
  const int32_t first = forward ? FirstValueIndex : LastValueIndex;
  const int32_t step = forward ? 1 : -1;
  for (int32_t i = first; i >= FirstValueIndex && i <= LastValueIndex; i += step) {
    TRect r;
    CalcBarBounds(i, r);
    if (PointInRectXY(NormalizeRect(r), X, Y)) return i;
  }
  return -1;
}

// ---- gallery ----

void THistogramSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomLineSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Hollow", "No Border", "Lines", "Transparency"}) Callback(v);
}

void THistogramSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<THistogramSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->Brush()->SetStyle(bsClear); break;
    case 2: s->Pen()->SetVisible(false); break;
    case 3: s->LinesPen()->SetVisible(true); break;
    case 4: s->SetTransparency(30); break;
    default: TCustomLineSeries::ApplyGalleryVariant(Series, Index); break;
  }
}

// ============================================================================
// THorizHistogramSeries
// ============================================================================

KV_CLASS_IMPL(THorizHistogramSeries, THistogramSeries) {}

THorizHistogramSeries::THorizHistogramSeries(TComponent* Owner) : THistogramSeries(Owner) {
  SetHorizontal();
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
}

void THorizHistogramSeries::CalcBarBounds(int32_t Index, TRect& Rect) {
  const int32_t w = HalfWidth();
  int32_t n = FParentChart ? FParentChart->GetMaxPointsPerPage() : 0;
  if (n == 0) n = Count();
  if (n < 1) {
    Rect = TRect(0, 0, 0, 0);
    return;
  }
  const int32_t y = YValueToPixel(GetYValue(Index));
  if (Index == FirstDisplayedIndex()) {
    Rect.Top = y - w + 1;
    Rect.Bottom = y + w + 1;
  } else {
    Rect.Bottom = FEdge;
    Rect.Top = y - w;
  }
  FEdge = Rect.Top + 1;
  Rect.Right = XValueToPixel(GetXValue(Index)) + 1;
  const TChartAxis* horiz = GetHorizAxisRef();
  Rect.Left = horiz ? (horiz->GetInverted() ? horiz->EndPixel : horiz->StartPixel) : Rect.Right;
}
