// The funnel series.
#include "chart/extras/PlotFunnel.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TFunnelSeries, TChartSeries) {
  using S = TFunnelSeries;
  c.Property("AboveColor", &S::GetAboveColor, &S::SetAboveColor).Kind(TPropKind::pkColor).Default(TColor(0x8000));
  c.Property("AutoUpdate", &S::GetAutoUpdate, &S::SetAutoUpdate).Default(true);
  c.Property("BelowColor", &S::GetBelowColor, &S::SetBelowColor).Kind(TPropKind::pkColor).Default(TColor(255));
  c.Property("DifferenceLimit", &S::GetDifferenceLimit, &S::SetDifferenceLimit).Default(30.0);
  c.Property("LinesPen", &S::LinesPen);
  c.Property("OpportunityValues", &S::OpportunityValues);
  c.Property("QuotesSorted", &S::GetQuotesSorted, &S::SetQuotesSorted).Default(false);
  c.Property("QuoteValues", &S::QuoteValues);
  c.Property("WithinColor", &S::GetWithinColor, &S::SetWithinColor).Kind(TPropKind::pkColor).Default(TColor(0xFFFF));
}

TFunnelSeries::TFunnelSeries(TComponent* Owner) : TChartSeries(Owner) {
  FLinesPen = std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
  FOpportunityValues = new TChartValueList(this, "OpportunityValues");
  FOpportunityValues->SetOrder(loNone);
  YValues()->SetName("QuoteValues");
  YValues()->SetOrder(loDescending);
  XValues()->SetName("");
  XValues()->SetOrder(loNone);
  SetPercentFormat("0.00 %");
  // The mark of a segment tells how far its opportunity reaches its quote.
  OnGetMarkText = [](TChartSeries* Sender, int32_t ValueIndex, std::string& MarkText) {
    const auto* s = static_cast<const TFunnelSeries*>(Sender);
    MarkText = SysUtils::FormatFloat(s->GetPercentFormat(), s->Ratio(ValueIndex) * 100);
  };
}

TFunnelSeries::~TFunnelSeries() = default;

void TFunnelSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TFunnelSeries*>(Source)) {
    FAboveColor = s->FAboveColor;
    FAutoUpdate = s->FAutoUpdate;
    FBelowColor = s->FBelowColor;
    FDifferenceLimit = s->FDifferenceLimit;
    FLinesPen->Assign(s->FLinesPen.get());
    FQuotesSorted = s->FQuotesSorted;
    FWithinColor = s->FWithinColor;
  }
  TChartSeries::Assign(Source);
}

void TFunnelSeries::SetOpportunityValues(const TChartValueList* Value) {
  FOpportunityValues->Assign(Value);
  Repaint();
}

void TFunnelSeries::SetAutoUpdate(bool Value) {
  FAutoUpdate = Value;
  if (Value) Recalc();
}

void TFunnelSeries::SetDifferenceLimit(double Value) {
  FDifferenceLimit = Value;
  if (FAutoUpdate) Recalc();
  Repaint();
}

void TFunnelSeries::SetQuotesSorted(bool Value) {
  FQuotesSorted = Value;
  FSorted = Value;
}

void TFunnelSeries::SortQuotes() {
  YValues()->Sort();
  XValues()->FillSequence();
  FSorted = true;
}

int32_t TFunnelSeries::AddSegment(double Quote, double Opportunity, const std::string& Label, TColor Colour) {
  FOpportunityValues->TempValue = Opportunity;
  int32_t index = Add(Quote, Label, Colour);
  if (!FQuotesSorted) {
    SortQuotes();
    index = -1;
    for (int32_t i = 0; i < Count() && index < 0; ++i)
      if (GetYValue(i) == Quote && FOpportunityValues->GetValue(i) == Opportunity) index = i;
  }
  if (FAutoUpdate) Recalc();
  return index;
}

void TFunnelSeries::Recalc() {
  if (!FSorted) SortQuotes();
  if (Count() == 0) return;
  MaxQuote = YValues()->MaxValue();
  MinQuote = YValues()->MinValue();
  Step = (MaxQuote - MinQuote) / 2 / Count();
}

double TFunnelSeries::Ratio(int32_t Index) const {
  const double quote = GetYValue(Index);
  return quote == 0 ? 0 : FOpportunityValues->GetValue(Index) / quote;
}

void TFunnelSeries::PrepareDraw() {
  if (!GetActive()) return;
  if (TChartAxis* v = GetVertAxisRef()) v->SetVisible(false);
  if (FAutoUpdate) Recalc();
}

std::vector<TPoint> TFunnelSeries::CalcSegment(int32_t Index, TColor& Colour) const {
  const double M = MaxQuote, s = Step, i = Index;
  const auto x = [this](double V) { return XValueToPixel(V); };
  const auto y = [this](double V) { return YValueToPixel(V); };
  const TPoint p0(x(i - 0.5), y(M - i * s)), p1(x(i + 0.5), y(M - (i + 1) * s));
  const TPoint p2(p1.X, y((i + 1) * s)), p3(p0.X, y(i * s));
  const double r = Ratio(Index);
  const double height = M - 2 * s * i;  // the quote's height at the segment's left edge
  const int32_t level = y(height * r + s * i);
  std::vector<TPoint> polygon;
  if (level <= p0.Y) {
    polygon = {p0, p1, p2, p3};
  } else if (level <= p1.Y) {
    const int32_t cut = s == 0 ? p1.X : x(height * (1 - r) / s + i - 0.5);
    polygon = {TPoint(p0.X, level), TPoint(cut, level), p1, p2, p3};
  } else if (level > p2.Y) {
    const int32_t cut = s == 0 ? p0.X : x(height * r / s + i - 0.5);
    polygon = {TPoint(p0.X, level), TPoint(cut, level), p3};
  } else {
    polygon = {TPoint(p0.X, level), TPoint(p1.X, level), p2, p3};
  }
  if (r >= 1)
    Colour = FAboveColor;
  else if ((1 - r) * 100 > FDifferenceLimit)
    Colour = FBelowColor;
  else
    Colour = FWithinColor;
  return polygon;
}

void TFunnelSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || !FParentChart->GetCanvas()) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  TColor colour;
  const std::vector<TPoint> polygon = CalcSegment(Index, colour);
  c.UseBrushColor(*Brush(), colour);
  c.Pen->SetStyle(psClear);
  if (FParentChart->GetView3D())
    c.PolygonAtDepth(polygon, StartZ);
  else
    c.Polygon(polygon);
}

void TFunnelSeries::DrawPoints() {
  TChartSeries::DrawPoints();
  if (!FParentChart || !FParentChart->GetCanvas() || Count() == 0) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const bool is3D = FParentChart->GetView3D();
  const double M = MaxQuote, m = MinQuote, s = Step;
  const auto x = [this](double V) { return XValueToPixel(V); };
  const auto y = [this](double V) { return YValueToPixel(V); };
  c.UsePen(*Pen());
  c.Brush->SetStyle(bsClear);
  const std::vector<TPoint> outline = {TPoint(x(-0.5), y(M)), TPoint(x(Count() - 0.5), y((M + m) / 2)),
                                       TPoint(x(Count() - 0.5), y((M - m) / 2)), TPoint(x(-0.5), y(0))};
  if (is3D)
    c.PolygonAtDepth(outline, StartZ);
  else
    c.Polygon(outline);
  if (!FLinesPen->GetVisible() || FirstValueIndex < 0) return;
  c.UsePen(*FLinesPen);
  for (int32_t i = FirstValueIndex; i < LastValueIndex; ++i) {
    const int32_t px = x(i + 0.5), top = y((i + 1) * s), bottom = y(M - (i + 1) * s);
    if (is3D)
      c.VertLine3D(px, top, bottom, StartZ);
    else
      c.VertLine(px, top, bottom);
  }
}

void TFunnelSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  const TPoint centre(XValueToPixel(Index), YValueToPixel(MaxQuote / 2));
  const int32_t dx = centre.X - (Position.TopLeft.X + Position.Width / 2);
  const int32_t dy = centre.Y - (Position.TopLeft.Y + Position.Height / 2);
  Position.TopLeft.X += dx, Position.TopLeft.Y += dy;
  Position.ArrowTip = Position.ArrowTail = centre;
  TChartSeries::PaintMark(Index, Text, Position);
}

int32_t TFunnelSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FirstValueIndex < 0 || !GetHorizAxisRef() || !GetVertAxisRef()) return -1;
  for (int32_t i = FirstValueIndex; i <= LastValueIndex && i < Count(); ++i) {
    TColor colour;
    if (PlotProcs::PointInPolygon(TPoint(X, Y), CalcSegment(i, colour))) return i;
  }
  return -1;
}

TColor TFunnelSeries::LegendEntryColor(int32_t Item) const {
  return Item == 0 ? FAboveColor : Item == 1 ? FWithinColor : FBelowColor;
}

std::string TFunnelSeries::GetLegendString(int32_t Item, TLegendTextStyle /*Style*/) const {
  if (Item == 0) return "Exceeds quota";
  const std::string limit = SysUtils::FormatFloat(GetPercentFormat(), FDifferenceLimit);
  return limit + (Item == 1 ? " within quota" : " or more below quota");
}

int32_t TFunnelSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i)
    last = AddSegment(2.3 * N * (i + 1), (2.3 - RandomValue(2)) * N * (i + 2), "Segment " + std::to_string(i + 1));
  Recalc();
  return last;
}

namespace PlotFunnel {

namespace {
const std::string kFunnel = "Funnel", kStats = "Stats";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TFunnelSeries::StaticClass()))
    Chart::AddSeriesType(TFunnelSeries::StaticClass(), &kFunnel, &kStats, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TFunnelSeries::StaticClass()}); }

}  // namespace PlotFunnel
