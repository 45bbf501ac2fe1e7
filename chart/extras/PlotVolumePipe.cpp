// The volume-pipe series.
#include "chart/extras/PlotVolumePipe.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TVolumePipeSeries, TChartSeries) {
  using S = TVolumePipeSeries;
  c.Property("Brush", &S::Brush);
  c.Property("Color", &S::GetSeriesColor, &S::SetSeriesColor).Kind(TPropKind::pkColor).Stored(&S::IsSeriesColorStored);
  c.Property("ConePercent", &S::GetConePercent, &S::SetConePercent).Default(30);
  c.Property("Gradient", &S::Gradient);
  c.Property("LinesPen", &S::LinesPen);
  c.Property("Pen", &S::Pen);
}

TVolumePipeSeries::TVolumePipeSeries(TComponent* Owner) : TChartSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FGradient = std::make_unique<TPlotGradient>(repaint);
  FGradient->SetVisible(true);
  FGradient->SetMidColor(clWhite);
  FLinesPen = std::make_unique<TChartPen>(repaint);
  SetColorEachPoint(true);
  // The pipe holds every point, whatever the axes show.
  CalcVisiblePoints = false;
}

TVolumePipeSeries::~TVolumePipeSeries() = default;

void TVolumePipeSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TVolumePipeSeries*>(Source)) {
    FGradient->Assign(s->FGradient.get());
    FLinesPen->Assign(s->FLinesPen.get());
    FConePercent = s->FConePercent;
  }
  TChartSeries::Assign(Source);
}

void TVolumePipeSeries::PrepareDraw() {
  if (!GetActive()) return;
  if (TChartAxis* v = GetVertAxisRef()) v->SetVisible(false);
}

double TVolumePipeSeries::BoundaryOffset(double LeftHeight, double RightHeight, double Length, double Area) {
  // The area from the left edge to x is x (2 hl - (hl - hr) x / d) / 2; its
  // smaller root in the conjugate form, which stays exact when the outline
  // does not narrow (then x = Area / hl, in proportion to the share).
  const double b = 2 * LeftHeight * Length, c = 2 * Area * Length;
  const double disc = std::max(0.0, b * b - 4 * (LeftHeight - RightHeight) * c);
  const double q = b + std::sqrt(disc);
  return q > 0 ? 2 * c / q : 0;
}

void TVolumePipeSeries::CalcGeometry(const TRect& R) {
  const int32_t H = R.Bottom - R.Top, c = FConePercent / 2;
  const int32_t cone = PlotCanvas::RoundToPixel(H * c / 100.0);
  FOutline = {TPoint(R.Left + 2, R.Top + 2), TPoint(R.Right - 2, R.Top + cone), TPoint(R.Right - 2, R.Bottom - cone),
              TPoint(R.Left + 2, R.Bottom - 2)};
  const TPoint &p0 = FOutline[0], &p1 = FOutline[1], &p2 = FOutline[2], &p3 = FOutline[3];
  const int32_t slope = p1.Y - p0.Y, hl = p3.Y - p0.Y, hr = p2.Y - p1.Y, d = p1.X - p0.X;
  const double area = std::nearbyint(d * (hl + hr) / 2.0);
  const double total = YValues()->TotalABS();
  FSegments.assign(static_cast<size_t>(Count()), TQuad{});
  FHasSegment.assign(static_cast<size_t>(Count()), false);
  if (d == 0 || !(total > 0)) return;
  int32_t prevX = p0.X, prevK = 0;
  double running = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    running += std::fabs(GetYValue(i));
    if (IsNull(i)) continue;
    const double x = BoundaryOffset(hl, hr, d, area * running / total);
    const int32_t X = PlotCanvas::RoundToPixel(p0.X + x);
    const int32_t k = PlotCanvas::RoundToPixel(x / d * slope);
    FSegments[i] = {TPoint(X, p3.Y - k), TPoint(X, p0.Y + k), TPoint(prevX, p0.Y + prevK), TPoint(prevX, p3.Y - prevK)};
    FHasSegment[i] = true;
    prevX = X;
    prevK = k;
  }
}

void TVolumePipeSeries::DrawPoints() {
  if (!FParentChart || !FParentChart->GetCanvas()) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const bool is3D = FParentChart->GetView3D();
  FConePercent = std::min(FConePercent, 100);
  TRect r = FParentChart->GetChartRect();
  if (TSeriesMarksBase* marks = Marks(); marks && marks->MarksVisible()) {
    // Room for the tallest point label above the pipe.
    int32_t lines = 0;
    for (int32_t i = 0; i < Count(); ++i) {
      const std::string label = GetLabel(i);
      lines = std::max<int32_t>(lines, label.empty() ? 0 : 1 + int32_t(std::count(label.begin(), label.end(), '\n')));
    }
    if (auto* m = dynamic_cast<TSeriesMarks*>(marks)) c.UseFont(*m->Font());
    r.Top += lines * c.FontHeight();
  }
  CalcGeometry(r);
  for (int32_t i = 0; i < Count(); ++i) {
    if (!FHasSegment[i]) continue;
    const TQuad& q = FSegments[i];
    const TColor colour = ValueColor(i);
    if (FLinesPen->GetVisible())
      c.UsePen(*FLinesPen);
    else
      c.Pen->SetStyle(psClear);
    if (FGradient->GetVisible()) {
      TPlotGradient g;
      g.Assign(FGradient.get());
      g.SetStartColor(colour);
      g.SetEndColor(colour);
      g.FillPolygon(c, q, is3D, StartZ);
      c.Brush->SetStyle(bsClear);
    } else {
      c.UseBrushColor(*Brush(), colour);
    }
    if (is3D)
      c.PolygonAtDepth(q, StartZ);
    else
      c.Polygon(q);
  }
  if (Pen()->GetVisible()) {
    c.UsePen(*Pen());
    c.Brush->SetStyle(bsClear);
    if (is3D)
      c.PolygonAtDepth(FOutline, StartZ);
    else
      c.Polygon(FOutline);
  }
}

void TVolumePipeSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (Index >= 0 && Index < static_cast<int32_t>(FHasSegment.size()) && FHasSegment[Index] && FParentChart) {
    const TQuad& q = FSegments[Index];
    const TPoint anchor((q[0].X + q[2].X) / 2, FParentChart->GetChartRect().Top);
    Position.TopLeft = TPoint(anchor.X - Position.Width / 2, anchor.Y);
    Position.ArrowTip = Position.ArrowTail = anchor;
  }
  TChartSeries::PaintMark(Index, Text, Position);
}

int32_t TVolumePipeSeries::PointAtPixel(int32_t X, int32_t Y) {
  for (int32_t i = 0; i < static_cast<int32_t>(FHasSegment.size()) && i < Count(); ++i) {
    if (!FHasSegment[i]) continue;
    const TQuad& q = FSegments[i];
    if (PlotProcs::PointInPolygon(TPoint(X, Y), std::vector<TPoint>(q.begin(), q.end()))) return i;
  }
  return -1;
}

int32_t TVolumePipeSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  static const char* const kNames[] = {"Cars", "Phones", "Tables", "Monitors", "Lamps"};
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) last = Add(RandomValue(1000) + 1, kNames[i % 5]);
  return last;
}

namespace PlotVolumePipe {

namespace {
const std::string kVolumePipe = "VolumePipe", kStats = "Stats";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TVolumePipeSeries::StaticClass()))
    Chart::AddSeriesType(TVolumePipeSeries::StaticClass(), &kVolumePipe, &kStats, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TVolumePipeSeries::StaticClass()}); }

}  // namespace PlotVolumePipe
