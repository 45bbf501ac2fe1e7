// The line-point and bar-join series.
#include "chart/extras/MyPoint.h"

#include "chart/engine/Chart.h"

// ============================================================================
// TMyPointSeries
// ============================================================================

KV_CLASS_IMPL(TMyPointSeries, TPointSeries) { c.Property("LinesPen", &TMyPointSeries::LinesPen); }

TMyPointSeries::TMyPointSeries(TComponent* Owner) : TPointSeries(Owner) {
  FLinesPen = std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
  FLinesPen->SetColor(clRed);
  Pointer()->SetDraw3D(false);
  Pointer()->SetStyle(TSeriesPointerStyle::psDiamond);
}

TMyPointSeries::~TMyPointSeries() = default;

void TMyPointSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TMyPointSeries*>(Source)) SetLinesPen(s->FLinesPen.get());
  TPointSeries::Assign(Source);
}

void TMyPointSeries::DrawPoint(int32_t Index) {
  TChartAxis* h = GetHorizAxisRef();
  TChartAxis* v = GetVertAxisRef();
  if (FParentChart && h && v) {
    TCanvas3D& c = ChartCanvas();
    c.Brush->SetStyle(bsClear);
    c.SetBackMode(TRANSPARENT);
    c.UsePen(*FLinesPen);
    // To the vertical axis' line and down (or up) to the horizontal one's.
    const TPoint drop[3] = {TPoint(v->AxisLinePos, PointPixelY(Index)), TPoint(PointPixelX(Index), PointPixelY(Index)),
                            TPoint(PointPixelX(Index), h->AxisLinePos)};
    if (Chart3D())
      c.PolylineAtDepth(drop, StartZ);
    else
      c.Polyline(drop);
  }
  TPointSeries::DrawPoint(Index);
}

// ============================================================================
// TBarJoinSeries
// ============================================================================

KV_CLASS_IMPL(TBarJoinSeries, TBarSeries) { c.Property("JoinPen", &TBarJoinSeries::JoinPen); }

TBarJoinSeries::TBarJoinSeries(TComponent* Owner) : TBarSeries(Owner) {
  FJoinPen = std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

TBarJoinSeries::~TBarJoinSeries() = default;

void TBarJoinSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TBarJoinSeries*>(Source)) SetJoinPen(s->FJoinPen.get());
  TBarSeries::Assign(Source);
}

void TBarJoinSeries::PrepareDraw() {
  TBarSeries::PrepareDraw();
  FFirstBar = true;
}

void TBarJoinSeries::PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  TBarSeries::PaintBar(ValueIndex, StartPos, EndPos);
  const TRect& bar = BarBounds;
  if (!FFirstBar && FJoinPen->GetVisible()) {
    TPoint from, to;
    const TBarStyle style = BarStyleOf(ValueIndex);
    if (style == bsPyramid || style == bsEllipse || style == bsArrow || style == bsCone) {
      from = TPoint((FPreviousBar.Left + FPreviousBar.Right) / 2, FPreviousBar.Top);
      to = TPoint((bar.Left + bar.Right) / 2, bar.Top);
    } else if (DrawValuesForward()) {
      from = TPoint(FPreviousBar.Right, FPreviousBar.Top);
      to = TPoint(bar.Left, bar.Top);
    } else {
      from = TPoint(bar.Right, bar.Top);
      to = TPoint(FPreviousBar.Left, FPreviousBar.Top);
    }
    TCanvas3D& c = ChartCanvas();
    c.UsePen(*FJoinPen);
    if (Chart3D())
      c.LineAtDepth(from.X, from.Y, to.X, to.Y, MiddleZ);
    else
      c.Line(from.X, from.Y, to.X, to.Y);
  }
  FFirstBar = false;
  FPreviousBar = bar;
}

void TBarJoinSeries::PrepareForGallery(bool Enabled) {
  TBarSeries::PrepareForGallery(Enabled);
  FJoinPen->SetColor(TColor(0xFF0000));
  FJoinPen->SetWidth(2);
  FillSampleValues(2);
}

// ============================================================================
// Registration
// ============================================================================

namespace MyPoint {

namespace {
const std::string kLinePoint = "Line Point", kBarJoin = "Bar Join", kOther = "Other";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TMyPointSeries::StaticClass()))
    Chart::AddSeriesType(TMyPointSeries::StaticClass(), &kLinePoint, &kOther, 1);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBarJoinSeries::StaticClass()))
    Chart::AddSeriesType(TBarJoinSeries::StaticClass(), &kBarJoin, &kOther, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TMyPointSeries::StaticClass(), TBarJoinSeries::StaticClass()}); }

}  // namespace MyPoint
