// Box-plot series: statistics of the samples, outliers, the box, the median
// line and the whiskers, samples for the gallery and the registration.
#include "chart/extras/PlotBoxPlot.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TCustomBoxSeries, TPointSeries) {
  using S = TCustomBoxSeries;
  c.Property("ExtrOut", &S::ExtrOut);
  c.Property("MedianPen", &S::MedianPen);
  c.Property("MildOut", &S::MildOut);
  c.Property("Position", &S::GetPosition, &S::SetPosition).Default(0.0);
  c.Property("SampleValues", &S::GetSampleValues);
  c.Property("WhiskerLength", &S::GetWhiskerLength, &S::SetWhiskerLength).Default(1.5);
  c.Property("WhiskerPen", &S::WhiskerPen);
  c.Property("UseCustomValues", &S::GetUseCustomValues, &S::SetUseCustomValues).Default(false);
  c.Editor("TBoxSeriesEditor");
}

TCustomBoxSeries::TCustomBoxSeries(TComponent* Owner) : TPointSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FWhiskerPen = std::make_unique<TChartPen>(repaint);
  FMedianPen = std::make_unique<TChartPen>(repaint);
  FMedianPen->SetWidth(1);
  FMedianPen->SetStyle(psDot);
  FMildOut = std::make_unique<TSeriesPointer>(this);
  FMildOut->SetStyle(TSeriesPointerStyle::psCircle);
  FExtrOut = std::make_unique<TSeriesPointer>(this);
  FExtrOut->SetStyle(TSeriesPointerStyle::psStar);
  MandatoryList()->SetName("Samples");
  NotMandatoryList()->SetName("");
  TSeriesPointer* box = Pointer();
  box->SetDraw3D(false);
  box->Pen()->SetWidth(1);
  box->PutHorizSize(15);
  box->PutVertSize(15);
  box->SetColor(clWhite);
  FunctionAsOnePoint = false;
  CalcVisiblePoints = false;
}

TCustomBoxSeries::~TCustomBoxSeries() = default;

void TCustomBoxSeries::Init() {
  TPointSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->SetVisible(false);
    marks->SetArrowLength(0);
  }
}

void TCustomBoxSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomBoxSeries*>(Source)) {
    FExtrOut->Assign(s->FExtrOut.get());
    FMedianPen->Assign(s->FMedianPen.get());
    FMildOut->Assign(s->FMildOut.get());
    FPosition = s->FPosition;
    FWhiskerLength = s->FWhiskerLength;
    FWhiskerPen->Assign(s->FWhiskerPen.get());
    FUseCustomValues = s->FUseCustomValues;
  }
  TPointSeries::Assign(Source);
}

void TCustomBoxSeries::SetParentChart(TSeriesChart* Value) {
  TPointSeries::SetParentChart(Value);
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  auto* panel = dynamic_cast<TCustomPlotPanel*>(Value);
  FMildOut->SetParent(panel);
  FExtrOut->SetParent(panel);
}

void TCustomBoxSeries::SetSampleValues(const TChartValueList* Value) {
  if (FVertical)
    SetYValues(Value);
  else
    SetXValues(Value);
}

// ---- statistics ----

namespace {

// The value at fraction P of the sorted samples, sample j standing at
// (j + 0.5) / N; before the first or after the last position it is that end.
double Percentile(const std::vector<double>& S, double P) {
  const size_t n = S.size();
  auto position = [n](size_t j) { return (static_cast<double>(j) + 0.5) / static_cast<double>(n); };
  size_t k = 0;
  while (k < n && position(k) < P) ++k;
  if (k == n) return S[n - 1];
  if (k == 0) return S[0];
  const double a = position(k - 1), d = position(k);
  return S[k - 1] + (S[k] - S[k - 1]) * (P - a) / (d - a);
}

}  // namespace

bool TCustomBoxSeries::ComputeStatistics(std::vector<double> S, double WhiskerLength, TBoxStatistics& R) {
  const size_t n = S.size();
  if (n == 0) return false;
  std::sort(S.begin(), S.end());
  const size_t m = n / 2;
  R.MedianValue = n % 2 == 1 ? S[m] : (S[m - 1] + S[m]) / 2;
  R.LowerQuartile = Percentile(S, 0.25);
  R.UpperQuartile = Percentile(S, 0.75);
  const double iqr = R.UpperQuartile - R.LowerQuartile;
  R.LowerInnerFence = R.LowerQuartile - WhiskerLength * iqr;
  R.UpperInnerFence = R.UpperQuartile + WhiskerLength * iqr;
  R.LowerOuterFence = R.LowerQuartile - 2 * WhiskerLength * iqr;
  R.UpperOuterFence = R.UpperQuartile + 2 * WhiskerLength * iqr;
  // A sample on a fence belongs to the whisker, on either side.
  R.LowerWhiskerEnd = S[std::min(m + 1, n - 1)];
  for (size_t i = 0; i <= m; ++i)
    if (S[i] >= R.LowerInnerFence) {
      R.LowerWhiskerEnd = S[i];
      break;
    }
  R.UpperWhiskerEnd = S[m];
  for (size_t i = m; i < n && S[i] <= R.UpperInnerFence; ++i) R.UpperWhiskerEnd = S[i];
  return true;
}

void TCustomBoxSeries::RecalcStats() {
  TChartValueList* samples = GetSampleValues();
  std::vector<double> values(static_cast<size_t>(samples->Count()));
  for (int32_t i = 0; i < samples->Count(); ++i) values[static_cast<size_t>(i)] = samples->GetValue(i);
  TBoxStatistics s;
  if (!ComputeStatistics(std::move(values), FWhiskerLength, s)) return;
  MedianValue = s.MedianValue;
  LowerQuartile = s.LowerQuartile;
  UpperQuartile = s.UpperQuartile;
  LowerInnerFence = s.LowerInnerFence;
  UpperInnerFence = s.UpperInnerFence;
  LowerOuterFence = s.LowerOuterFence;
  UpperOuterFence = s.UpperOuterFence;
  LowerWhiskerEnd = s.LowerWhiskerEnd;
  UpperWhiskerEnd = s.UpperWhiskerEnd;
}

void TCustomBoxSeries::BeforeDrawPoints() {
  TPointSeries::BeforeDrawPoints();
  if (!FUseCustomValues && Count() > 0) RecalcStats();
}

// ---- drawing ----

int32_t TCustomBoxSeries::PositionPixel() const {
  return FVertical ? XValueToPixel(FPosition) : YValueToPixel(FPosition);
}

int32_t TCustomBoxSeries::ValuePixel(double Value) const {
  return FVertical ? YValueToPixel(Value) : XValueToPixel(Value);
}

void TCustomBoxSeries::DrawPoint(int32_t Index) {
  const double v = MandatoryValue(Index);
  if (v >= LowerInnerFence && v <= UpperInnerFence) return;
  const bool mild = (v >= LowerOuterFence && v <= LowerInnerFence) || (v >= UpperInnerFence && v <= UpperOuterFence);
  TSeriesPointer* symbol = mild ? FMildOut.get() : FExtrOut.get();
  if (!symbol->GetVisible() || !FParentChart) return;
  const TColor colour = ValueColor(Index);
  const int32_t p = PositionPixel(), q = ValuePixel(v);
  symbol->PrepareCanvas(*FParentChart->GetCanvas(), colour);
  if (FVertical)
    symbol->DrawOnChart(p, q, colour, symbol->GetStyle());
  else
    symbol->DrawOnChart(q, p, colour, symbol->GetStyle());
}

TRect TCustomBoxSeries::BoxRect() const {
  const int32_t h = Pointer()->GetHorizSize();
  const int32_t c = PositionPixel();
  const int32_t upper = ValuePixel(UpperQuartile), lower = ValuePixel(LowerQuartile);
  // Across the box from c - h to c + h; along it between the quartiles,
  // whichever way the axes run.
  if (FVertical) return TRect(c - h, std::min(upper, lower), c + h, std::max(upper, lower));
  return TRect(std::min(upper, lower), c - h, std::max(upper, lower), c + h);
}

void TCustomBoxSeries::DrawPoints() {
  if (Count() == 0 || !FParentChart) return;
  TChartSeries::DrawPoints();
  DrawBox();
}

void TCustomBoxSeries::DrawBox() {
  TCanvas3D& c = *FParentChart->GetCanvas();
  const bool is3D = FParentChart->GetView3D();
  const TRect r = BoxRect();
  const int32_t h = Pointer()->GetHorizSize();
  TSeriesPointer* box = Pointer();
  if (box->GetVisible()) {
    box->PrepareCanvas(c, box->GetColor());
    if (FVertical)
      box->DrawPointer(c, is3D, r.Left + h - 1, r.Top + (r.Bottom - r.Top) / 2, h - 1, (r.Bottom - r.Top) / 2 - 1,
                       box->GetColor(), box->GetStyle());
    else
      box->DrawPointer(c, is3D, r.Left + (r.Right - r.Left) / 2, r.Top + h - 1, (r.Right - r.Left) / 2 - 1, h - 1,
                       box->GetColor(), box->GetStyle());
  }
  auto line = [&](bool AcrossBox, int32_t A0, int32_t A1, int32_t At, int32_t Z) {
    // AcrossBox: a line across the box's axis (horizontal for a vertical box).
    const bool horizontal = AcrossBox == FVertical;
    if (is3D) {
      if (horizontal)
        c.HorizLine3D(A0, A1, At, Z);
      else
        c.VertLine3D(At, A0, A1, Z);
    } else if (horizontal) {
      c.HorizLine(A0, A1, At);
    } else {
      c.VertLine(At, A0, A1);
    }
  };
  const int32_t lo = FVertical ? r.Left : r.Top, hi = FVertical ? r.Right : r.Bottom;
  if (FMedianPen->GetVisible()) {
    c.Brush->SetStyle(bsClear);
    c.UsePen(*FMedianPen);
    line(true, lo, hi, ValuePixel(MedianValue), StartZ);
  }
  if (FWhiskerPen->GetVisible()) {
    c.UsePen(*FWhiskerPen);
    const int32_t z = box->GetVisible() && is3D && box->GetDraw3D() ? MiddleZ : StartZ;
    const int32_t x0 = (lo + hi) / 2;
    for (const auto& [quartile, end] : {std::pair{LowerQuartile, LowerWhiskerEnd}, std::pair{UpperQuartile, UpperWhiskerEnd}}) {
      const int32_t e = ValuePixel(end);
      line(false, ValuePixel(quartile), e, x0, z);
      line(true, x0 - h, x0 + h, e, z);
    }
  }
}

void TCustomBoxSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  const int32_t p = PositionPixel();
  if (FVertical) {
    Position.TopLeft.X = p - Position.Width / 2;
    Position.ArrowTip.X = Position.ArrowTail.X = p;
  } else {
    Position.TopLeft.Y = p - Position.Height / 2;
    Position.ArrowTip.Y = Position.ArrowTail.Y = p;
  }
  TPointSeries::PaintMark(Index, Text, Position);
}

// ---- samples and gallery ----

int32_t TCustomBoxSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  const int32_t k = (FParentChart ? FParentChart->GetSeriesList().Count() : 0) + 1;
  const double d = k * (RandomValue(10) + 3);
  const int32_t before = Count();
  Add(-d);
  for (int32_t e = 2; e <= N - 2; ++e) Add(d * e / N);
  Add(2 * d);
  return Count() - before;
}

void TCustomBoxSeries::PrepareForGallery(bool Enabled) {
  TPointSeries::PrepareForGallery(Enabled);
  if (FParentChart) {
    const TChartSeriesList& list = FParentChart->GetSeriesList();
    for (int32_t i = 0; i < list.Count(); ++i)
      if (auto* b = dynamic_cast<TCustomBoxSeries*>(list.GetSeries(i))) b->FPosition = i + 1;
  }
  Pointer()->PutHorizSize(12);
  FMildOut->PutHorizSize(3);
  FExtrOut->PutVertSize(3);
  FillSampleValues(NumSampleValues());
}

// ============================================================================
// The two forms
// ============================================================================

KV_CLASS_IMPL(TBoxSeries, TCustomBoxSeries) {}

KV_CLASS_IMPL(THorizBoxSeries, TCustomBoxSeries) {}

THorizBoxSeries::THorizBoxSeries(TComponent* Owner) : TCustomBoxSeries(Owner) {
  SetHorizontal();
  FVertical = false;
  MandatoryList()->SetName("Samples");
  NotMandatoryList()->SetName("");
}

namespace PlotBoxPlot {

namespace {
const std::string kBoxPlot = "BoxPlot", kHorizBoxPlot = "Horizontal\rBoxPlot", kStats = "Stats";
}  // namespace

void Initialize() {
  Chart::AddSeriesType(TBoxSeries::StaticClass(), &kBoxPlot, &kStats, 2);
  Chart::AddSeriesType(THorizBoxSeries::StaticClass(), &kHorizBoxPlot, &kStats, 2);
}

void Finalize() { Chart::RemoveSeriesTypes({TBoxSeries::StaticClass(), THorizBoxSeries::StaticClass()}); }

}  // namespace PlotBoxPlot
