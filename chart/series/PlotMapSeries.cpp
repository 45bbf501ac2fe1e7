// The map series: filled polygons as the points of a palette series, drawn,
// hit, marked and stored shape by shape.
#include "chart/series/PlotMapSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Streaming.h"
#include "platform/gdi/Pixels.h"

namespace {

// Frees a vertex series, which belongs to no owner component.
void FreeSeries(TChartSeries*& Series) {
  if (!Series) return;
  TChartSeries* s = Series;
  Series = nullptr;
  s->Free();
}

}  // namespace

// ============================================================================
// TPolygonSeries
// ============================================================================

KV_CLASS_IMPL(TPolygonSeries, TChartSeries) {}

TPolygonSeries::TPolygonSeries(TComponent* Owner) : TChartSeries(Owner) {
  XValues()->SetOrder(loNone);
  SetShowInLegend(false);
}

void TPolygonSeries::SetActive(bool Value) {
  TChartSeries::SetActive(Value);
  if (FShape && FShape->ParentSeries()) FShape->ParentSeries()->Repaint();
}

void TPolygonSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  TPlotGradient* g = FShape ? FShape->PeekGradient() : nullptr;
  TMapSeries* map = FShape ? FShape->ParentSeries() : nullptr;
  TCanvas3D* canvas = map && map->GetParentChart() ? map->GetParentChart()->GetCanvas() : nullptr;
  if (g && g->GetVisible() && canvas) {
    g->FillRect(*canvas, Rect);
    return;
  }
  TChartSeries::PaintLegendSymbol(Item, Rect);
}

void TPolygonSeries::NotifyValue(int32_t Event, int32_t Index) {
  TChartSeries::NotifyValue(Event, Index);
  const bool destroying = ComponentState.Contains(TComponentStateItem::csDestroying);
  if (!destroying && FShape && FShape->ParentSeries()) FShape->ParentSeries()->Repaint();
}

void TPolygonSeries::PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) {
  TChartSeries::PrepareLegendCanvas(Item, BackColor, BrushStyle);
  TMapSeries* map = FShape ? FShape->ParentSeries() : nullptr;
  if (!map) return;
  map->PrepareDraw();
  TPlotGradient* g = FShape->PeekGradient();
  if (g && g->GetVisible()) return;
  // The symbol is drawn on the canvas of the chart this series is drawn with
  // (a list box lends it one); a canvas without a target has no brush yet.
  TSeriesChart* chart = GetParentChart() ? GetParentChart() : map->GetParentChart();
  if (TCanvas3D* c = chart ? chart->GetCanvas() : nullptr; c && c->Brush) c->Brush->SetColor(FShape->GetColor());
}

void TPolygonSeries::SetSeriesColor(TColor Value) {
  TChartSeries::SetSeriesColor(Value);
  // Without a chart of its own, the colour lives on as the shape's point colour.
  TMapSeries* map = FShape ? FShape->ParentSeries() : nullptr;
  if (map && !GetParentChart()) {
    const int32_t i = FShape->GetIndex();
    if (i >= 0 && i < map->Count()) map->SetPointColor(i, Value);
  }
}

int32_t TPolygonSeries::AddSampleValues(int32_t, bool) { return 0; }

// ============================================================================
// TPlotPolygon
// ============================================================================

KV_CLASS_IMPL(TPlotPolygon, TCollectionItem) {
  c.Property("Brush", &TPlotPolygon::Brush);
  c.Property("Closed", &TPlotPolygon::GetClosed, &TPlotPolygon::SetClosed).Default(true);
  c.Property("Color", &TPlotPolygon::GetColor, &TPlotPolygon::SetColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TPlotPolygon::HasOwnColor);
  c.Property("Gradient", &TPlotPolygon::PeekGradient);
  c.Property("ParentBrush", &TPlotPolygon::GetParentBrush, &TPlotPolygon::SetParentBrush).Default(false);
  c.Property("ParentPen", &TPlotPolygon::GetParentPen, &TPlotPolygon::SetParentPen).Default(false);
  c.Property("Pen", &TPlotPolygon::Pen);
  c.Property("Text", &TPlotPolygon::GetText, &TPlotPolygon::SetText).Default("");
  c.Property("Transparency", &TPlotPolygon::GetTransparency, &TPlotPolygon::SetTransparency).Default(0);
  c.Property("Z", &TPlotPolygon::GetZ, &TPlotPolygon::SetZ);
}

TPlotPolygon::TPlotPolygon(TCollection* Collection) : TCollectionItem(Collection) {}

void TPlotPolygon::Init() {
  TCollectionItem::Init();
  FPoints = Create<TPolygonSeries>(nullptr);
  FPoints->FShape = this;
  // Shape i is point i of the map series.
  if (TMapSeries* map = ParentSeries()) map->AddXYZ(0, 0, 0, {}, clDefault);
}

void TPlotPolygon::BeforeDestruction() {
  FPixels.clear();
  if (FPoints) FPoints->FShape = nullptr;
  TChartSeries* s = FPoints;
  FPoints = nullptr;
  FreeSeries(s);
  FGradient.reset();
  TCollectionItem::BeforeDestruction();
}

TMapSeries* TPlotPolygon::ParentSeries() const {
  auto* list = dynamic_cast<TPlotPolygonList*>(GetCollection());
  return list ? list->Series() : nullptr;
}

void TPlotPolygon::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TPlotPolygon*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FPoints->Assign(s->FPoints);
  FClosed = s->FClosed;
  SetGradient(s->FGradient.get());
  FTransparency = s->FTransparency;
  FParentBrush = s->FParentBrush;
  FParentPen = s->FParentPen;
  SetZ(s->GetZ());
  SetText(s->GetText());
  if (s->HasOwnColor()) SetColor(s->GetColor());
}

void TPlotPolygon::DefineProperties(TFiler& Filer) {
  TMapSeries* map = ParentSeries();
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& Stream) { FPoints->ReadData(Stream); },
      [this](TStream& Stream) { FPoints->WriteData(Stream); }, map && map->ManualData);
}

int32_t TPlotPolygon::AppendPoint(double X, double Y) { return FPoints->AppendPoint(X, Y); }

void TPlotPolygon::SetClosed(bool Value) {
  if (FClosed == Value) return;
  FClosed = Value;
  if (TMapSeries* map = ParentSeries()) map->Repaint();
}

TPlotGradient* TPlotPolygon::Gradient() {
  if (!FGradient) {
    FGradient = std::make_unique<TPlotGradient>([this](TObject*) {
      if (TMapSeries* map = ParentSeries()) map->Repaint();
    });
  }
  return FGradient.get();
}

void TPlotPolygon::SetGradient(const TPlotGradient* Value) {
  if (!Value) {
    FGradient.reset();
    return;
  }
  Gradient()->Assign(Value);
}

void TPlotPolygon::SetTransparency(TPlotTransparency Value) {
  Value = std::clamp(Value, 0, 100);
  if (FTransparency == Value) return;
  FTransparency = Value;
  if (TMapSeries* map = ParentSeries()) map->Repaint();
}

void TPlotPolygon::SetParentBrush(bool Value) {
  if (FParentBrush == Value) return;
  FParentBrush = Value;
  if (TMapSeries* map = ParentSeries()) map->Repaint();
}

void TPlotPolygon::SetParentPen(bool Value) {
  if (FParentPen == Value) return;
  FParentPen = Value;
  if (TMapSeries* map = ParentSeries()) map->Repaint();
}

double TPlotPolygon::GetZ() const {
  TMapSeries* map = ParentSeries();
  const int32_t i = GetIndex();
  return map && i < map->Count() ? map->ZValues()->GetValue(i) : 0;
}

void TPlotPolygon::SetZ(double Value) {
  TMapSeries* map = ParentSeries();
  const int32_t i = GetIndex();
  if (!map || i >= map->Count()) return;
  map->ZValues()->StoreValue(i, Value);
  map->ZValues()->RecalcStats();
  map->Repaint();
}

std::string TPlotPolygon::GetText() const {
  TMapSeries* map = ParentSeries();
  return map ? map->GetLabel(GetIndex()) : std::string();
}

void TPlotPolygon::SetText(const std::string& Value) {
  if (TMapSeries* map = ParentSeries()) map->SetLabel(GetIndex(), Value);
}

TColor TPlotPolygon::GetColor() const {
  TMapSeries* map = ParentSeries();
  const int32_t i = GetIndex();
  return map && i < map->Count() ? map->ValueColor(i) : clWhite;
}

void TPlotPolygon::SetColor(TColor Value) { FPoints->SetSeriesColor(Value); }

bool TPlotPolygon::HasOwnColor() const {
  TMapSeries* map = ParentSeries();
  const int32_t i = GetIndex();
  return map && i < map->Count() && map->GetStoredColor(i) != clDefault;
}

const std::vector<TPoint>& TPlotPolygon::CalcPixelPoints() {
  TMapSeries* map = ParentSeries();
  const int32_t n = FPoints->Count();
  FPixels.resize(n);
  for (int32_t k = 0; k < n; ++k)
    FPixels[k] = TPoint(map->XValueToPixel(FPoints->GetXValue(k)), map->YValueToPixel(FPoints->GetYValue(k)));
  return FPixels;
}

TRect TPlotPolygon::PixelExtent() const {
  TMapSeries* map = ParentSeries();
  TChartValueList& x = *FPoints->XValues();
  TChartValueList& y = *FPoints->YValues();
  return NormalizeRect(TRect(map->XValueToPixel(x.MinValue()), map->YValueToPixel(y.MaxValue()),
                             map->XValueToPixel(x.MaxValue()), map->YValueToPixel(y.MinValue())));
}

// ============================================================================
// TPlotPolygonList
// ============================================================================

KV_CLASS_IMPL(TPlotPolygonList, TCollection) {}

TPlotPolygonList::TPlotPolygonList(TMapSeries* Owner)
    : TCollection(TPlotPolygon::StaticClass(), ItemFactoryOf<TPlotPolygon>(), Owner), FSeries(Owner) {}

TPlotPolygon* TPlotPolygonList::AddPolygon() {
  auto* p = static_cast<TPlotPolygon*>(Add());
  p->Points()->ComponentState.Exclude(TComponentStateItem::csDesigning);
  return p;
}

// ============================================================================
// TMapSeries
// ============================================================================

KV_CLASS_IMPL(TMapSeries, TCustom3DPaletteSeries) {
  c.Editor("TMapSeriesEditor");
  c.Property("Shapes", &TMapSeries::Shapes);
}

TMapSeries::TMapSeries(TComponent* Owner) : TCustom3DPaletteSeries(Owner) {
  FShapes = std::make_unique<TPlotPolygonList>(this);
  FShapes->PropName = "Shapes";
  CalcVisiblePoints = false;
  // A shape's Z is its value: colours, marks and statistics follow Z.
  MakeMandatory(ZValues());
  // The shapes store their own outlines; the points follow from the shapes.
  NeverStoreData = true;
}

TMapSeries::~TMapSeries() = default;

void TMapSeries::BeforeDestruction() {
  FShapes->Clear();
  TCustom3DPaletteSeries::BeforeDestruction();
}

void TMapSeries::Assign(const TPersistent* Source) {
  TCustom3DPaletteSeries::Assign(Source);
  const auto* s = dynamic_cast<const TMapSeries*>(Source);
  if (!s || s == this) return;
  // The copied points are rebuilt shape by shape so that shape i stays point i.
  const int32_t n = s->FShapes->Count();
  std::vector<double> z(n);
  std::vector<std::string> labels(n);
  std::vector<TColor> colours(n);
  for (int32_t i = 0; i < n; ++i) {
    z[i] = s->FShapes->PolygonAt(i)->GetZ();
    labels[i] = s->FShapes->PolygonAt(i)->GetText();
    colours[i] = i < s->Count() ? s->GetStoredColor(i) : clDefault;
  }
  Clear();
  for (int32_t i = 0; i < n; ++i) {
    TPlotPolygon* p = FShapes->AddPolygon();
    const TPlotPolygon* from = s->FShapes->PolygonAt(i);
    p->Points()->Assign(from->Points());
    p->SetClosed(from->GetClosed());
    p->SetGradient(from->PeekGradient());
    p->SetTransparency(from->GetTransparency());
    p->SetParentBrush(from->GetParentBrush());
    p->SetParentPen(from->GetParentPen());
    p->SetZ(z[i]);
    p->SetText(labels[i]);
    if (colours[i] != clDefault) SetPointColor(i, colours[i]);
  }
}

// ---- points and shapes together ----

void TMapSeries::Clear() {
  TCustom3DPaletteSeries::Clear();
  if (FShapes) FShapes->Clear();
}

void TMapSeries::Delete(int32_t Index) {
  TCustom3DPaletteSeries::Delete(Index);
  if (Index < FShapes->Count()) FShapes->Delete(Index);
}

void TMapSeries::DeleteRange(int32_t Start, int32_t Quantity, bool RemoveGap) {
  TCustom3DPaletteSeries::DeleteRange(Start, Quantity, RemoveGap);
  for (int32_t k = 0; k < Quantity && Start < FShapes->Count(); ++k) FShapes->Delete(Start);
}

void TMapSeries::SwapValueIndex(int32_t A, int32_t B) {
  TCustom3DPaletteSeries::SwapValueIndex(A, B);
  if (A < FShapes->Count() && B < FShapes->Count()) FShapes->Items(A)->SetIndex(B);
  Repaint();
}

double TMapSeries::VertexExtreme(bool X, bool Largest) const {
  bool any = false;
  double r = 0;
  for (int32_t i = 0; i < FShapes->Count(); ++i) {
    TPolygonSeries* p = FShapes->PolygonAt(i)->Points();
    if (p->Count() == 0) continue;
    TChartValueList* list = X ? p->XValues() : p->YValues();
    const double v = Largest ? list->MaxValue() : list->MinValue();
    r = !any ? v : Largest ? std::max(r, v) : std::min(r, v);
    any = true;
  }
  return r;
}

void TMapSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustom3DPaletteSeries::CalcHorizMargins(Left, Right);
  if (Pen()->GetVisible()) Left += Pen()->GetWidth(), Right += Pen()->GetWidth();
}

void TMapSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustom3DPaletteSeries::CalcVerticalMargins(Top, Bottom);
  ++Bottom;
  if (Pen()->GetVisible()) Top += Pen()->GetWidth(), Bottom += Pen()->GetWidth();
}

// ---- drawing ----

int32_t TMapSeries::ShapeDepth(int32_t Index) const {
  return FParentChart && FParentChart->GetView3D() ? ZPixelOf(Index) : 0;
}

bool TMapSeries::ShapeMeetsChart(TPlotPolygon& Shape) const {
  const TRect e = Shape.PixelExtent();
  const TRect c = FParentChart->GetChartRect();
  return e.Left <= c.Right && e.Right >= c.Left && e.Top <= c.Bottom && e.Bottom >= c.Top;
}

void TMapSeries::DrawShape(int32_t Index) {
  TPlotPolygon& shape = *FShapes->PolygonAt(Index);
  TPolygonSeries& points = *shape.Points();
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  TCanvas3D* canvas = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!canvas || !points.GetActive() || points.Count() == 0) return;
  if (panel && panel->GetClipPoints() && !ShapeMeetsChart(shape)) return;
  canvas->UsePen(shape.GetParentPen() ? *Pen() : *shape.Pen());
  TChartBrush& brush = shape.GetParentBrush() ? *Brush() : *shape.Brush();
  canvas->UseBrushColor(brush, ValueColor(Index), brush.GetColor());
  const std::vector<TPoint>& pts = shape.CalcPixelPoints();
  const bool is3D = FParentChart->GetView3D();
  const int32_t z = ShapeDepth(Index);
  TPlotBlend* blend = nullptr;
  if (shape.GetTransparency() > 0) {
    const TRect r = PolygonRect(pts, static_cast<int32_t>(pts.size()));
    blend = canvas->BeginBlend(canvas->RectBounds2D(r, z), shape.GetTransparency());
  }
  const TBlendScope guard(*canvas, blend);
  TPlotGradient* g = shape.PeekGradient();
  if (g && g->GetVisible() && panel && panel->ClippingAllowed()) {
    g->FillPolygon(*canvas, pts, is3D, z);
    canvas->Brush->SetStyle(bsClear);
  }
  if (is3D) {
    if (shape.GetClosed())
      canvas->PolygonAtDepth(pts, z);
    else
      canvas->PolylineAtDepth(pts, z);
  } else if (shape.GetClosed()) {
    if (pts.size() == 1)
      canvas->SetPixel(pts[0].X, pts[0].Y, clBlack);
    else
      canvas->Polygon(pts);
  } else {
    canvas->Polyline(pts);
  }
}

void TMapSeries::DrawPoint(int32_t Index) {
  if (Index < FShapes->Count()) DrawShape(Index);
}

void TMapSeries::DrawPoints() {
  if (!FParentChart || !FParentChart->GetView3D()) {
    TCustom3DPaletteSeries::DrawPoints();
    return;
  }
  // In 3-D the largest Z is painted first, the smallest last.
  std::vector<int32_t> order(FShapes->Count());
  for (int32_t i = 0; i < FShapes->Count(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [this](int32_t a, int32_t b) { return FShapes->PolygonAt(a)->GetZ() < FShapes->PolygonAt(b)->GetZ(); });
  for (auto it = order.rbegin(); it != order.rend(); ++it) DrawShape(*it);
}

// ---- marks ----

TPoint TMapSeries::MarkCentre(int32_t Index) {
  TPlotPolygon& shape = *FShapes->PolygonAt(Index);
  const std::vector<TPoint>& p = shape.CalcPixelPoints();
  if (p.empty()) return TPoint(0, 0);
  int32_t left = p[0].X, right = p[0].X, top = p[0].Y, bottom = p[0].Y;
  for (const TPoint& q : p)
    left = std::min(left, q.X), right = std::max(right, q.X), top = std::min(top, q.Y), bottom = std::max(bottom, q.Y);
  const TPoint c((left + right) / 2, (top + bottom) / 2);
  if (PlotProcs::PointInPolygon(c, p)) return c;
  int32_t x = c.X, y = c.Y;
  const size_t n = p.size();
  for (int pass = 0; pass < 3; ++pass) {
    double sumX = 0, sumY = 0;
    int32_t nx = 0, ny = 0;
    for (size_t k = 0; k < n; ++k) {
      const TPoint a = p[k], b = p[(k + 1) % n];
      if (x >= std::min(a.X, b.X) && x <= std::max(a.X, b.X)) {
        sumY += a.X == b.X ? a.Y : a.Y + double(x - a.X) * (b.Y - a.Y) / (b.X - a.X);
        ++ny;
      }
      if (y >= std::min(a.Y, b.Y) && y <= std::max(a.Y, b.Y)) {
        sumX += a.Y == b.Y ? a.X : a.X + double(y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
        ++nx;
      }
    }
    if (nx > 0) x = Pixels::Round(sumX / nx);
    if (ny > 0) y = Pixels::Round(sumY / ny);
  }
  return TPoint(x, y);
}

void TMapSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (Index >= FShapes->Count()) return;
  const TPoint c = MarkCentre(Index);
  Position.TopLeft = TPoint(c.X - Position.Width / 2, c.Y - Position.Height / 2);
  TCustom3DPaletteSeries::PaintMark(Index, Text, Position);
}

// ---- hit test ----

int32_t TMapSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart) return -1;
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  const bool clip = panel && panel->GetClipPoints();
  TCanvas3D* canvas = FParentChart->GetCanvas();
  for (int32_t i = FShapes->Count() - 1; i >= 0; --i) {
    TPlotPolygon& shape = *FShapes->PolygonAt(i);
    if (shape.Points()->Count() == 0) continue;
    if (clip && !ShapeMeetsChart(shape)) continue;
    int32_t x = X, y = Y;
    if (canvas && FParentChart->GetView3D()) canvas->ScreenTo3D(x, y, ShapeDepth(i));
    if (PlotProcs::PointInPolygon(TPoint(x, y), shape.CalcPixelPoints())) return i;
  }
  return -1;
}

// ---- gallery and samples ----

void TMapSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DPaletteSeries::ListGalleryVariants(Callback);
  Callback("Colors");
}

void TMapSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  if (Index == 2) {
    Series->SetColorEachPoint(true);
    return;
  }
  TCustom3DPaletteSeries::ApplyGalleryVariant(Series, Index);
}

void TMapSeries::PrepareForGallery(bool Enabled) {
  TCustom3DPaletteSeries::PrepareForGallery(Enabled);
  if (!Enabled)
    for (int32_t i = 0; i < FShapes->Count(); ++i) FShapes->PolygonAt(i)->SetColor(0xC0C0C0);
}

void TMapSeries::PrepareGallery3D(bool Is3D) {
  if (Is3D) {
    TCustom3DPaletteSeries::PrepareGallery3D(true);
    return;
  }
  if (FParentChart) FParentChart->SetView3D(false);
}

namespace {

// Twelve neighbouring cells of one map, "A" to "L".
const std::vector<std::vector<std::pair<int, int>>>& SampleShapes() {
  static const std::vector<std::vector<std::pair<int, int>>> shapes{
      {{1, 7}, {3, 5}, {4, 5}, {4, 7}, {5, 8}, {5, 9}, {6, 10}, {6, 11}, {4, 11}, {3, 12}, {2, 12}, {1, 11}, {2, 10},
       {2, 8}},
      {{4, 5}, {6, 4}, {8, 4}, {9, 6}, {8, 8}, {7, 9}, {5, 9}, {5, 8}, {4, 7}},
      {{8, 4}, {10, 3}, {12, 3}, {13, 4}, {14, 4}, {15, 5}, {15, 7}, {14, 8}, {13, 9}, {11, 9}, {10, 10}, {9, 10},
       {8, 9}, {7, 9}, {8, 8}, {9, 6}},
      {{15, 5}, {17, 4}, {19, 5}, {20, 7}, {19, 9}, {17, 9}, {15, 8}, {15, 7}},
      {{5, 9}, {7, 9}, {8, 9}, {9, 10}, {9, 12}, {8, 13}, {7, 13}, {6, 12}, {6, 11}, {6, 10}, {5, 9}},
      {{9, 10}, {10, 10}, {11, 9}, {13, 9}, {14, 10}, {14, 12}, {13, 13}, {12, 14}, {10, 14}, {9, 13}, {8, 13},
       {9, 12}},
      {{14, 8}, {15, 8}, {17, 9}, {19, 9}, {20, 10}, {20, 12}, {18, 13}, {16, 13}, {14, 12}, {14, 10}, {13, 9},
       {14, 8}},
      {{2, 12}, {3, 12}, {4, 11}, {6, 11}, {6, 12}, {7, 13}, {6, 15}, {4, 16}, {2, 15}, {1, 13}},
      {{7, 13}, {8, 13}, {9, 13}, {10, 14}, {12, 14}, {12, 16}, {11, 17}, {10, 18}, {8, 18}, {7, 17}, {6, 17},
       {5, 16}, {4, 16}, {6, 15}, {7, 14}},
      {{12, 14}, {13, 13}, {14, 12}, {16, 13}, {17, 14}, {17, 16}, {16, 17}, {14, 18}, {13, 17}, {12, 17},
       {11, 17}, {12, 16}},
      {{16, 13}, {18, 13}, {20, 12}, {21, 13}, {21, 15}, {20, 17}, {18, 17}, {17, 16}, {17, 14}, {16, 13}},
      {{3, 5}, {3, 3}, {5, 1}, {7, 1}, {8, 2}, {6, 4}, {4, 5}},
  };
  return shapes;
}

}  // namespace

int32_t TMapSeries::AddSampleValues(int32_t N, bool) {
  const auto& samples = SampleShapes();
  for (int32_t k = 0; k < N; ++k) {
    const int32_t which = k % 12;
    const bool shift = Count() > 12;
    const int32_t dx = shift ? RandomValue(12) : 0, dy = shift ? RandomValue(12) : 0;
    TPlotPolygon* p = FShapes->AddPolygon();
    p->Points()->BeginUpdate();
    for (const auto& [x, y] : samples[which]) p->AppendPoint(x + dx, y + dy);
    p->Points()->EndUpdate();
    p->SetText(std::string(1, char('A' + which)));
    p->SetZ(RandomValue(1000) / 1000.0);
  }
  return N;
}
