// The 3-D vector series (lines with arrow heads between two 3-D points) and
// the tower series (a 3-D bar for every grid point).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/gdi/DeviceContext.h"

// ============================================================================
// TVector3DSeries
// ============================================================================

KV_CLASS_IMPL(TVector3DSeries, TCustom3DPaletteSeries) {
  using S = TVector3DSeries;
  c.Editor("TVectorSeriesEditor");
  c.Property("ArrowHeight", &S::GetArrowHeight, &S::SetArrowHeight).Default(4);
  c.Property("ArrowWidth", &S::GetArrowWidth, &S::SetArrowWidth).Default(4);
  c.Property("EndArrow", &S::EndArrow);
  c.Property("EndXValues", &S::EndXValues);
  c.Property("EndYValues", &S::EndYValues);
  c.Property("EndZValues", &S::EndZValues);
  c.Property("Pen", &S::Pen);
  c.Property("StartArrow", &S::StartArrow);
}

TVector3DSeries::TVector3DSeries(TComponent* Owner) : TCustom3DPaletteSeries(Owner) {
  XValues()->SetDefaultDateTime(false);
  FEndX = new TChartValueList(this, "EndX");
  FEndY = new TChartValueList(this, "EndY");
  FEndZ = new TChartValueList(this, "EndZ");
  auto repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FStartArrow = std::make_unique<TChartHiddenPen>(repaint);
  FStartArrow->SetColor(clDefault);
  FEndArrow = std::make_unique<TChartPen>(repaint);
  FEndArrow->SetColor(clDefault);
}

TVector3DSeries::~TVector3DSeries() = default;

void TVector3DSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TVector3DSeries*>(Source)) {
    FArrowHeight = s->FArrowHeight;
    FArrowWidth = s->FArrowWidth;
    FEndArrow->Assign(s->FEndArrow.get());
    FStartArrow->Assign(s->FStartArrow.get());
  }
  TCustom3DPaletteSeries::Assign(Source);
}

bool TVector3DSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TVector3DSeries*>(Component) != nullptr && TCustom3DPaletteSeries::AcceptsDataSource(Component);
}

int32_t TVector3DSeries::AddVector(double X0, double Y0, double Z0, double X1, double Y1, double Z1,
                                   const std::string& Label, TColor Colour) {
  FEndX->TempValue = X1;
  FEndY->TempValue = Y1;
  FEndZ->TempValue = Z1;
  return AddXYZ(X0, Y0, Z0, Label, Colour);
}

int32_t TVector3DSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  for (int32_t i = 0; i < N; ++i) {
    const double t = i, a = i * 8 * std::numbers::pi / N;
    const double x0 = std::sin(a) + t, y0 = t, z0 = std::cos(a);
    AddVector(x0, y0, z0, x0 + std::sin(a), t + 0.6 * N * std::sin(a) * std::cos(a), std::cos(a) + t * std::cos(a));
  }
  return Count() - 1;
}

double TVector3DSeries::LargestX() {
  const double v = TCustom3DPaletteSeries::LargestX();
  return Count() > 0 ? std::max(v, FEndX->MaxValue()) : v;
}
double TVector3DSeries::SmallestX() {
  const double v = TCustom3DPaletteSeries::SmallestX();
  return Count() > 0 ? std::min(v, FEndX->MinValue()) : v;
}
double TVector3DSeries::LargestY() {
  const double v = TCustom3DPaletteSeries::LargestY();
  return Count() > 0 ? std::max(v, FEndY->MaxValue()) : v;
}
double TVector3DSeries::SmallestY() {
  const double v = TCustom3DPaletteSeries::SmallestY();
  return Count() > 0 ? std::min(v, FEndY->MinValue()) : v;
}
double TVector3DSeries::LargestZ() {
  const double v = TCustom3DPaletteSeries::LargestZ();
  return Count() > 0 ? std::max(v, FEndZ->MaxValue()) : v;
}
double TVector3DSeries::SmallestZ() {
  const double v = TCustom3DPaletteSeries::SmallestZ();
  return Count() > 0 ? std::min(v, FEndZ->MinValue()) : v;
}

TPoint3D TVector3DSeries::StartPoint(int32_t Index) const {
  return TPoint3D{XValueToPixel(XValues()->GetValue(Index)), YValueToPixel(YValues()->GetValue(Index)),
                  ZPixelOf(Index)};
}

TPoint3D TVector3DSeries::EndPoint(int32_t Index) const {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  return TPoint3D{XValueToPixel(FEndX->GetValue(Index)), YValueToPixel(FEndY->GetValue(Index)),
                  panel ? panel->DepthAxis()->ValueToPixel(FEndZ->GetValue(Index)) : 0};
}

void TVector3DSeries::DrawHead(TCanvas3D& Canvas, TChartPen& ArrowPen, TColor Colour, const TPoint3D& B,
                               double Theta) {
  Canvas.UsePenColor(ArrowPen, ArrowPen.GetColor() == clDefault ? Colour : ArrowPen.GetColor());
  const double w = FArrowWidth, h = FArrowHeight, c = std::cos(Theta), s = std::sin(Theta);
  auto r = [](double V) { return PlotCanvas::RoundToPixel(V); };
  Canvas.MoveTo3D(B.X + r(-w * c - h * s), B.Y + r(w * s - h * c), B.Z);
  Canvas.LineTo3D(B.X, B.Y, B.Z);
  Canvas.LineTo3D(B.X + r(-w * c + h * s), B.Y + r(w * s + h * c), B.Z);
}

void TVector3DSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || !FParentChart->GetCanvas()) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  c.SetBackMode(TRANSPARENT);
  const TColor colour = ValueColor(Index);
  c.UsePenColor(*Pen(), colour);
  const TPoint3D start = StartPoint(Index), end = EndPoint(Index);
  c.MoveTo3D(start.X, start.Y, start.Z);
  c.LineTo3D(end.X, end.Y, end.Z);
  if (!FStartArrow->GetVisible() && !FEndArrow->GetVisible()) return;
  const TPoint p0 = c.Project(start.X, start.Y, start.Z), p1 = c.Project(end.X, end.Y, end.Z);
  const double theta = std::atan2(double(p0.Y) - p1.Y, double(p1.X) - p0.X);
  if (FStartArrow->GetVisible()) DrawHead(c, *FStartArrow, colour, start, theta);
  if (FEndArrow->GetVisible()) DrawHead(c, *FEndArrow, colour, end, theta);
}

// ============================================================================
// TTowerSeries
// ============================================================================

KV_CLASS_IMPL(TTowerSeries, TCustom3DGridSeries) {
  using S = TTowerSeries;
  c.Editor("TTowerSeriesEditor");
  c.Property("Brush", &S::Brush);
  c.Property("Dark3D", &S::GetDark3D, &S::SetDark3D).Default(true);
  c.Property("IrregularGrid", &S::GetIrregularGrid, &S::SetIrregularGrid).Default(false);
  c.Property("Origin", &S::GetOrigin, &S::SetOrigin).Default(0.0);
  c.Property("PercentDepth", &S::GetPercentDepth, &S::SetPercentDepth).Default(100);
  c.Property("PercentWidth", &S::GetPercentWidth, &S::SetPercentWidth).Default(100);
  c.Property("Pen", &S::Pen);
  c.Property("TowerStyle", &S::GetTowerStyle, &S::SetTowerStyle)
      .Names({"tsCube", "tsRectangle", "tsCover", "tsCylinder", "tsArrow", "tsCone", "tsPyramid", "tsSlantCube"})
      .Default(tsCube);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
  c.Property("UseOrigin", &S::GetUseOrigin, &S::SetUseOrigin).Default(false);
}

TTowerSeries::TTowerSeries(TComponent* Owner) : TCustom3DGridSeries(Owner) {}

void TTowerSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TTowerSeries*>(Source)) {
    FDark3D = s->FDark3D;
    FOrigin = s->FOrigin;
    FPercentDepth = s->FPercentDepth;
    FPercentWidth = s->FPercentWidth;
    FTowerStyle = s->FTowerStyle;
    FTransparency = s->FTransparency;
    FUseOrigin = s->FUseOrigin;
  }
  TCustom3DGridSeries::Assign(Source);
}

void TTowerSeries::SetTowerStyle(TTowerStyle Value) {
  if (FTowerStyle == Value) return;
  FTowerStyle = Value;
  Repaint();
}

double TTowerSeries::LargestX() { return XValues()->MaxValue() + 0.5; }
double TTowerSeries::SmallestX() { return XValues()->MinValue() - 0.5; }
double TTowerSeries::LargestZ() { return ZValues()->MaxValue() + 0.5; }
double TTowerSeries::SmallestZ() { return ZValues()->MinValue() - 0.5; }

void TTowerSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DGridSeries::ListGalleryVariants(Callback);
  for (const char* v : {"No Border", "Single Color", "Marks", "Hollow", "Rectangle", "Cover", "Circle", "Arrow",
                        "Cone", "Pyramid"})
    Callback(v);
}

void TTowerSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TTowerSeries*>(Series);
  if (!s || Index < 2 || Index > 11) {
    TCustom3DGridSeries::ApplyGalleryVariant(Series, Index);
    return;
  }
  static constexpr TTowerStyle styles[] = {tsRectangle, tsCover, tsCylinder, tsArrow, tsCone, tsPyramid};
  switch (Index) {
    case 2: s->Pen()->Hide(); break;
    case 3: s->SetUsePalette(false); break;
    case 4:
      if (auto* marks = dynamic_cast<TSeriesMarks*>(s->Marks())) marks->SetVisible(true);
      break;
    case 5: s->Brush()->SetStyle(bsClear); break;
    default: s->SetTowerStyle(styles[Index - 6]); break;
  }
}

void TTowerSeries::PrepareForGallery(bool Enabled) {
  TCustom3DGridSeries::PrepareForGallery(Enabled);
  SampleMode = true;
  CreateValues(5, 5);
}

void TTowerSeries::TowerBox(int32_t Index, TRect& Box, int32_t& Z0, int32_t& Z1) const {
  const double x = XValues()->GetValue(Index), z = ZValues()->GetValue(Index);
  const double origin = FUseOrigin ? FOrigin : YValues()->MinValue();
  Box = TRect(XValueToPixel(x - FHalfWidth), YValueToPixel(YValues()->GetValue(Index)), XValueToPixel(x + FHalfWidth),
              YValueToPixel(origin));
  if (Box.Bottom < Box.Top) std::swap(Box.Top, Box.Bottom);
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  Z0 = panel ? panel->DepthAxis()->ValueToPixel(z - FHalfDepth) : 0;
  Z1 = panel ? panel->DepthAxis()->ValueToPixel(z + FHalfDepth) : 0;
}

namespace {

TRect BoundsOf(std::initializer_list<TPoint> Points) {
  TRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
  for (const TPoint& p : Points) {
    r.Left = std::min(r.Left, p.X), r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X), r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

}  // namespace

void TTowerSeries::DrawTower(TCanvas3D& Canvas, int32_t Index) {
  TRect box;
  int32_t z0 = 0, z1 = 0;
  TowerBox(Index, box, z0, z1);
  const int32_t middle = (z0 + z1) / 2;
  const int32_t top = YValueToPixel(YValues()->GetValue(Index));
  const double origin = FUseOrigin ? FOrigin : YValues()->MinValue();
  TRect blendRect;
  if (FTowerStyle == tsCover)
    blendRect = BoundsOf({Canvas.Project(box.Left, top, z0), Canvas.Project(box.Right, top, z0),
                          Canvas.Project(box.Right, top, z1), Canvas.Project(box.Left, top, z1)});
  else
    blendRect = BoundsOf({Canvas.Project(box.Left, box.Top, z0), Canvas.Project(box.Right, box.Bottom, z0),
                          Canvas.Project(box.Left, box.Top, z1), Canvas.Project(box.Right, box.Bottom, z1)});
  // A tower is mixed with what lay under it once it is drawn.
  TBlendScope blend(Canvas, blendRect, Canvas.IsTrue3D() ? 0 : FTransparency);
  switch (FTowerStyle) {
    case tsCube: Canvas.BoxRect(box, z0, z1, FDark3D); break;
    case tsRectangle: Canvas.RectAtDepth(box, middle); break;
    case tsCover: Canvas.HorizPlane(box.Left, top, box.Right, z0, z1); break;
    case tsCylinder: Canvas.RoundSolid(true, box.Left, box.Top, box.Right, box.Bottom, z0, z1, FDark3D); break;
    case tsArrow: {
      const int32_t centre = (box.Left + box.Right) / 2, width = box.Right - box.Left;
      Canvas.ArrowHalf(true, TPoint(centre, YValueToPixel(origin)), TPoint(centre, top), width, width / 2, middle);
      break;
    }
    case tsCone:
      Canvas.RoundSolidTop(true, box.Left, box.Top, box.Right, box.Bottom, z0, z1, FDark3D, 0);
      break;
    case tsPyramid: Canvas.Pyramid(true, box.Left, box.Top, box.Right, box.Bottom, z0, z1, FDark3D); break;
    case tsSlantCube: {
      const int32_t sides = PlotCanvas::SolidSides;
      PlotCanvas::SolidSides = 4;
      struct Restore {
        int32_t Sides;
        ~Restore() { PlotCanvas::SolidSides = Sides; }
      } restore{sides};
      Canvas.RoundSolid(true, box.Left, box.Top, box.Right, box.Bottom, z0, z1, FDark3D);
      break;
    }
  }
}

void TTowerSeries::DrawPoints() {
  if (Count() == 0 || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef())
    return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  c.UsePen(*Pen());
  c.UseBrushColor(*Brush(), GetSeriesColor());
  const bool brushVisible = Brush()->GetStyle() != bsClear;
  FHalfWidth = FPercentWidth * 0.005;
  FHalfDepth = FPercentDepth * 0.005;
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  const bool forward = DrawValuesForward(), backToFront = PlotSurfa::DrawBackToFront(this);
  for (int32_t i = 0; i < nx; ++i) {
    const int32_t x = forward ? i + 1 : nx - i;
    for (int32_t j = 0; j < nz; ++j) {
      const int32_t p = GridPoint(x, backToFront ? j + 1 : nz - j);
      if (p < 0) continue;
      const TColor colour = ValueColor(p);
      if (colour == clNone) continue;
      if (brushVisible) c.Brush->SetColor(colour);
      DrawTower(c, p);
    }
  }
}

void TTowerSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    const int32_t length = marks->GetArrowLength();
    Position.TopLeft.Y -= length;
    Position.ArrowTail.Y -= length;
  }
  TCustom3DGridSeries::PaintMark(Index, Text, Position);
}

int32_t TTowerSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FTowerStyle != tsCover || Count() == 0 || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() ||
      !GetVertAxisRef())
    return -1;
  TCanvas3D& c = *FParentChart->GetCanvas();
  FHalfWidth = FPercentWidth * 0.005;
  FHalfDepth = FPercentDepth * 0.005;
  for (int32_t x = 1; x <= GetNumXValues(); ++x)
    for (int32_t z = 1; z <= GetNumZValues(); ++z) {
      const int32_t p = GridPoint(x, z);
      if (p < 0 || ValueColor(p) == clNone) continue;
      TRect box;
      int32_t z0 = 0, z1 = 0;
      TowerBox(p, box, z0, z1);
      const int32_t top = YValueToPixel(YValues()->GetValue(p));
      const std::vector<TPoint> plane = {c.Project(box.Left, top, z0), c.Project(box.Right, top, z0),
                                         c.Project(box.Right, top, z1), c.Project(box.Left, top, z1)};
      if (PlotProcs::PointInPolygon(TPoint(X, Y), plane)) return p;
    }
  return -1;
}
