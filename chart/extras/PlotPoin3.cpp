// The 3-D point and 3-D bubble series.
#include "chart/extras/PlotPoin3.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/Series.h"

KV_CLASS_IMPL(TPoint3DSeries, TCustom3DSeries) {
  using S = TPoint3DSeries;
  c.Editor("TPoint3DSeriesEditor");
  c.Property("BaseLine", &S::BaseLine, &S::SetBaseLine);
  c.Property("DepthSize", &S::GetDepthSize, &S::SetDepthSize).Default(0.0);
  c.Property("Pointer", &S::Pointer, &S::SetPointer);
  c.Property("LinePen", &S::LinePen, &S::SetLinePen);
}

TPoint3DSeries::TPoint3DSeries(TComponent* Owner) : TCustom3DSeries(Owner) {
  FPointer = std::make_unique<TSeriesPointer>(this);
  FBaseLine = std::make_unique<TChartHiddenPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

TPoint3DSeries::~TPoint3DSeries() = default;

void TPoint3DSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TPoint3DSeries*>(Source)) {
    FPointer->Assign(s->FPointer.get());
    FDepthSize = s->FDepthSize;
    FBaseLine->Assign(s->FBaseLine.get());
  }
  TCustom3DSeries::Assign(Source);
}

void TPoint3DSeries::SetParentChart(TSeriesChart* Value) {
  TCustom3DSeries::SetParentChart(Value);
  FPointer->SetParent(dynamic_cast<TCustomPlotPanel*>(Value));
}

void TPoint3DSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustom3DSeries::CalcHorizMargins(Left, Right);
  if (FPointer->GetVisible()) FPointer->CalcHorizMargins(Left, Right);
}

void TPoint3DSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustom3DSeries::CalcVerticalMargins(Top, Bottom);
  if (FPointer->GetVisible()) FPointer->CalcVerticalMargins(Top, Bottom);
}

int32_t TPoint3DSeries::DepthPixelOf(double Z) const {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  return panel ? panel->DepthAxis()->ValueToPixel(Z) : 0;
}

int32_t TPoint3DSeries::DepthSizePixels(double Size) const {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  return panel ? panel->DepthAxis()->CalcSizeValue(Size) : 0;
}

int32_t TPoint3DSeries::HalfDepth(int32_t /*Index*/) const { return DepthSizePixels(FDepthSize) / 2; }

void TPoint3DSeries::CalcZPositions(int32_t Index) {
  MiddleZ = ZPixelOf(Index);
  const int32_t half = std::max(1, HalfDepth(Index));
  StartZ = MiddleZ - half;
  EndZ = MiddleZ + half;
}

double TPoint3DSeries::LargestZ() { return TCustom3DSeries::LargestZ() + FDepthSize; }

void TPoint3DSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || !FParentChart->GetCanvas()) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const TColor colour = ValueColor(Index);
  const int32_t x = PointPixelX(Index), y = PointPixelY(Index);
  CalcZPositions(Index);
  if (colour < clNone) {
    if (FPointer->GetVisible()) {
      FPointer->PrepareCanvas(c, colour);
      const TSeriesPointerStyle style = OnGetPointerStyle ? OnGetPointerStyle(this, Index) : FPointer->GetStyle();
      FPointer->DrawPointer(c, FParentChart->GetView3D(), x, y, FPointer->GetHorizSize(), FPointer->GetVertSize(),
                            colour, style);
    }
    if (FBaseLine->GetVisible()) {
      const TChartAxis* v = GetVertAxisRef();
      const int32_t bottom = v ? v->EndPixel : y;
      const int32_t from = y + FPointer->GetVertSize();
      if (from < bottom) {
        c.UsePen(*FBaseLine);
        c.SetBackMode(TRANSPARENT);
        c.VertLine3D(x, from, bottom, ZPixelOf(Index));
      }
    }
    if (LinePen()->GetVisible() && Index != FirstDisplayedIndex()) {
      c.SetBackMode(TRANSPARENT);
      c.UsePen(*LinePen());
      // After a point that was not drawn the line starts afresh here.
      if (FOldColor == clNone)
        c.MoveTo3D(x, y, MiddleZ);
      else
        c.MoveTo3D(FOldX, FOldY, FOldZ);
      c.LineTo3D(x, y, MiddleZ);
    }
  }
  FOldX = x;
  FOldY = y;
  FOldZ = MiddleZ;
  FOldColor = colour;
}

int32_t TPoint3DSeries::PointAtPixel(int32_t X, int32_t Y) {
  const int32_t inherited = TCustom3DSeries::PointAtPixel(X, Y);
  if (inherited != -1 || !FPointer->GetVisible()) return inherited;
  for (int32_t i = 0; i < Count(); ++i) {
    const int32_t px = PointPixelX(i), py = PointPixelY(i);
    int32_t mx = X, my = Y;
    if (FParentChart)
      if (TCanvas3D* c = FParentChart->GetCanvas()) c->ScreenTo3D(mx, my, ZPixelOf(i));
    if (std::abs(px - mx) < FPointer->GetHorizSize() && std::abs(py - my) < FPointer->GetVertSize()) {
      if (OnClickPointer) OnClickPointer(this, i, X, Y);
      return i;
    }
  }
  return -1;
}

void TPoint3DSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  if (!FPointer->GetVisible() || !FParentChart || !FParentChart->GetCanvas()) {
    TCustom3DSeries::PaintLegendSymbol(Item, Rect);
    return;
  }
  TCanvas3D& c = *FParentChart->GetCanvas();
  const TColor colour = Item == -1 ? GetSeriesColor() : ValueColor(Item);
  const int32_t w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
  const int32_t midX = (Rect.Left + Rect.Right) / 2, midY = (Rect.Top + Rect.Bottom) / 2;
  const bool withLine = LinePen()->GetVisible();
  if (withLine) {
    c.UsePenColor(*LinePen(), colour);
    c.HorizLine(Rect.Left, Rect.Right, midY);
  }
  FPointer->PrepareCanvas(c, colour);
  const int32_t hs = std::min(FPointer->GetHorizSize(), withLine ? w / 3 : w / 2 + 1);
  const int32_t vs = std::min(FPointer->GetVertSize(), withLine ? h / 3 : h / 2 + 1);
  FPointer->DrawPointer(c, false, midX, midY, hs, vs, colour, FPointer->GetStyle());
}

void TPoint3DSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  CalcZPositions(Index);
  if (Marks()) Marks()->SetZPosition(FPointer->GetVisible() ? MiddleZ : StartZ);
  TChartSeries::PaintMark(Index, Text, Position);
}

void TPoint3DSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DSeries::ListGalleryVariants(Callback);
  for (const char* v : {"No Point", "Lines", "No Line", "Colors", "Marks", "Hollow", "No Border"}) Callback(v);
  if (AllowPointerStyles())
    for (const char* v : {"Point 2D", "Triangle", "Star", "Circle", "Down Tri.", "Cross", "Diamond"}) Callback(v);
}

void TPoint3DSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TPoint3DSeries*>(Series);
  if (!s) return;
  TSeriesPointer* p = s->Pointer();
  using PS = TSeriesPointerStyle;
  switch (Index) {
    case 1: p->SetVisible(false); break;
    case 2: s->BaseLine()->SetVisible(true); break;
    case 3: s->LinePen()->SetVisible(false); break;
    case 4: s->SetColorEachPoint(true); break;
    case 5:
      if (auto* marks = dynamic_cast<TSeriesMarks*>(s->Marks())) marks->SetVisible(true);
      break;
    case 6: p->Brush()->SetStyle(bsClear); break;
    case 7: p->Pen()->SetVisible(false); break;
    case 8: p->SetDraw3D(false); break;
    case 9: p->SetStyle(PS::psTriangle); break;
    case 10: p->SetStyle(PS::psStar); break;
    case 11: p->SetStyle(PS::psCircle); break;
    case 12: p->SetStyle(PS::psDownTriangle); break;
    case 13: p->SetStyle(PS::psCross); break;
    case 14: p->SetStyle(PS::psDiamond); break;
    default: TCustom3DSeries::ApplyGalleryVariant(Series, Index); break;
  }
}

void TPoint3DSeries::PrepareForGallery(bool Enabled) {
  TCustom3DSeries::PrepareForGallery(Enabled);
  LinePen()->SetColor(0x800000);
  if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart)) panel->View3DOptions()->SetZoom(60);
}

int32_t TPoint3DSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  int32_t last = Count() - 1;
  for (int32_t i = 0; i < N; ++i) {
    const double x = RandomValue(100);
    const double y = RandomValue(100);
    const double z = RandomValue(100);
    last = AddPointXYZ(x, y, z);
  }
  return last;
}

// ============================================================================
// TBubble3DSeries
// ============================================================================

KV_CLASS_IMPL(TBubble3DSeries, TPoint3DSeries) {
  c.Editor("TPoint3DSeriesEditor");
  c.Property("RadiusValues", &TBubble3DSeries::RadiusValues, &TBubble3DSeries::SetRadiusValues);
}

TBubble3DSeries::TBubble3DSeries(TComponent* Owner) : TPoint3DSeries(Owner) {
  FRadiusValues = new TChartValueList(this, "Radius");
  Pointer()->SetInflateMargins(false);
  Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
  SetColorEachPoint(true);
}

void TBubble3DSeries::Init() {
  TPoint3DSeries::Init();
  LinePen()->SetVisible(false);
}

bool TBubble3DSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TBubble3DSeries*>(Component) != nullptr && TPoint3DSeries::AcceptsDataSource(Component);
}

int32_t TBubble3DSeries::AddBubble(double X, double Y, double Z, double Radius, const std::string& Label,
                                   TColor Colour) {
  FRadiusValues->TempValue = Radius;
  return AddXYZ(X, Y, Z, Label, Colour);
}

void TBubble3DSeries::DrawPoint(int32_t Index) {
  if (const TChartAxis* v = GetVertAxisRef()) {
    const int32_t size = v->CalcSizeValue(FRadiusValues->GetValue(Index));
    Pointer()->PutHorizSize(size);
    Pointer()->PutVertSize(size);
  }
  TPoint3DSeries::DrawPoint(Index);
}

int32_t TBubble3DSeries::HalfDepth(int32_t Index) const {
  return DepthSizePixels(FRadiusValues->GetValue(Index));
}

void TBubble3DSeries::CalcZPositions(int32_t Index) {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (Pointer()->GetDraw3D() && c && c->IsTrue3D()) {
    TPoint3DSeries::CalcZPositions(Index);
    return;
  }
  // The bubble lies behind its Z.
  StartZ = ZPixelOf(Index);
  const int32_t half = std::max(1, HalfDepth(Index));
  MiddleZ = StartZ + half;
  EndZ = MiddleZ + half;
}

double TBubble3DSeries::LargestY() {
  double r = TPoint3DSeries::LargestY();
  for (int32_t i = 0; i < Count(); ++i) r = std::max(r, GetYValue(i) + FRadiusValues->GetValue(i));
  return r;
}

double TBubble3DSeries::SmallestY() {
  double r = TPoint3DSeries::SmallestY();
  for (int32_t i = 0; i < Count(); ++i) r = std::min(r, GetYValue(i) - FRadiusValues->GetValue(i));
  return r;
}

double TBubble3DSeries::LargestZ() {
  double r = TPoint3DSeries::LargestZ();
  for (int32_t i = 0; i < Count(); ++i) r = std::max(r, GetZValue(i) + FRadiusValues->GetValue(i));
  return r;
}

double TBubble3DSeries::SmallestZ() {
  double r = TPoint3DSeries::SmallestZ();
  for (int32_t i = 0; i < Count(); ++i) r = std::min(r, GetZValue(i) - FRadiusValues->GetValue(i));
  return r;
}

int32_t TBubble3DSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double span = maxY - minY;
  const double dy = std::clamp(std::nearbyint(span), 0.0, 2147483647.0);
  double x = minX;
  int32_t last = Count() - 1;
  for (int32_t i = 0; i < N; ++i) {
    const double y = RandomValue(static_cast<int32_t>(dy));
    const double z = RandomValue(200);
    const double f = RandomValue(15) + 10;
    last = AddBubble(x, y, z, std::nearbyint(span / f) + span / 15);
    x += step;
  }
  return last;
}

void TBubble3DSeries::PrepareForGallery(bool Enabled) {
  TPoint3DSeries::PrepareForGallery(Enabled);
  Pointer()->Gradient()->SetVisible(true);
}

namespace PlotPoin3 {

namespace {
const std::string kPoint3D = "Point 3D", kBubble3D = "Bubble 3D", k3D = "3D";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TPoint3DSeries::StaticClass()))
    Chart::AddSeriesType(TPoint3DSeries::StaticClass(), &kPoint3D, &k3D, 1);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBubble3DSeries::StaticClass()))
    Chart::AddSeriesType(TBubble3DSeries::StaticClass(), &kBubble3D, &k3D, 1);
}

void Finalization() {
  Chart::RemoveSeriesTypes({TPoint3DSeries::StaticClass(), TBubble3DSeries::StaticClass()});
}

}  // namespace PlotPoin3
