// The surface and water-fall series: cells in back-to-front order, sides down
// to the floor, wire frames, dots and water-fall bands.
#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/gdi/DeviceContext.h"

KV_CLASS_IMPL(TSurfaceSeries, TCustom3DGridSeries) {
  using S = TSurfaceSeries;
  c.Editor("TSurfaceSeriesEditor");
  c.Property("Brush", &S::Brush);
  c.Property("DotFrame", &S::GetDotFrame, &S::SetDotFrame).Default(false);
  c.Property("FastBrush", &S::GetFastBrush, &S::SetFastBrush).Default(false);
  c.Property("IrregularGrid", &S::GetIrregularGrid, &S::SetIrregularGrid).Default(false);
  c.Property("Pen", &S::Pen);
  c.Property("SideBrush", &S::SideBrush);
  c.Property("SideLines", &S::SideLines);
  c.Property("SmoothPalette", &S::GetSmoothPalette, &S::SetSmoothPalette).Default(false);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
  c.Property("WireFrame", &S::GetWireFrame, &S::SetWireFrame).Default(false);
}

KV_CLASS_IMPL(TWaterFallSeries, TSurfaceSeries) {
  using S = TWaterFallSeries;
  c.Editor("TWaterFallEditor");
  c.Property("WaterFall", &S::GetWaterFall, &S::SetWaterFall).Default(true);
  c.Property("WaterLines", &S::WaterLines);
}

TSurfaceSeries::TSurfaceSeries(TComponent* Owner) : TCustom3DGridSeries(Owner) {
  XStep = ZStep = -1;
  auto repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FSideBrush = std::make_unique<TChartBrush>(repaint);
  FSideBrush->SetStyle(bsClear);
  FSideLines = std::make_unique<TChartHiddenPen>(repaint);
  FWaterLines = std::make_unique<TChartPen>(repaint);
}

TSurfaceSeries::~TSurfaceSeries() = default;

void TSurfaceSeries::AssignSurface(const TSurfaceSeries& Source) {
  FDotFrame = Source.FDotFrame;
  FSideBrush->Assign(Source.FSideBrush.get());
  FSideLines->Assign(Source.FSideLines.get());
  FSmoothPalette = Source.FSmoothPalette;
  FTransparency = Source.FTransparency;
  FWaterLines->Assign(Source.FWaterLines.get());
  FWireFrame = Source.FWireFrame;
}

void TSurfaceSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TSurfaceSeries*>(Source)) {
    AssignSurface(*s);
    FWaterFall = false;
  }
  TCustom3DGridSeries::Assign(Source);
}

void TSurfaceSeries::SetDotFrame(bool Value) {
  if (Value) {
    Pen()->Show();
    FWireFrame = false;
  }
  SetBooleanField(FDotFrame, Value);
}

void TSurfaceSeries::SetWireFrame(bool Value) {
  if (Value) {
    Pen()->Show();
    FDotFrame = false;
  }
  SetBooleanField(FWireFrame, Value);
}

void TSurfaceSeries::SetFastBrush(bool Value) {
  if (!PlotCanvas::DCBrushColorAvailable) return;
  FFastBrush = Value;
}

// ---- gallery ----

void TSurfaceSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DGridSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Wireframe", "Dot Frame", "Sides", "No Border"}) Callback(v);
}

void TSurfaceSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TSurfaceSeries*>(Series);
  if (!s || Index < 2 || Index > 5) {
    TCustom3DGridSeries::ApplyGalleryVariant(Series, Index);
    return;
  }
  switch (Index) {
    case 2: s->SetWireFrame(true); break;
    case 3: s->SetDotFrame(true); break;
    case 4: s->SideBrush()->SetStyle(bsSolid); break;
    default: s->Pen()->Hide(); break;
  }
}

void TSurfaceSeries::PrepareForGallery(bool Enabled) {
  TCustom3DGridSeries::PrepareForGallery(Enabled);
  SampleMode = true;
  CreateValues(10, 10);
}

// ---- cell order ----

void TSurfaceSeries::CalcCellOrder(std::vector<int32_t>& Columns, std::vector<int32_t>& Rows) {
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  Rows.clear();
  Columns.clear();
  if (PlotSurfa::DrawBackToFront(this)) {
    ZStep = 1;
    for (int32_t z = 1; z <= (FWaterFall ? nz : nz - 1); ++z) Rows.push_back(z);
  } else {
    ZStep = -1;
    for (int32_t z = nz; z >= (FWaterFall ? 1 : 2); --z) Rows.push_back(z);
  }
  if (DrawValuesForward()) {
    XStep = -1;
    for (int32_t x = 2; x <= nx; ++x) Columns.push_back(x);
  } else {
    XStep = 1;
    for (int32_t x = nx - 1; x >= 1; --x) Columns.push_back(x);
  }
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (!c || c->IsTrue3D() || !panel || panel->View3DOptions()->GetPerspective() <= 0) return;
  const int32_t rotation = ((panel->View3DOptions()->GetRotation() % 360) + 360) % 360;
  if (rotation != 0 && rotation != 180) return;
  // Seen straight on with perspective, both outer columns lie behind the
  // middle ones: draw from both ends towards the middle.
  std::vector<int32_t> alternate;
  alternate.reserve(Columns.size());
  for (size_t lo = 0, hi = Columns.size(); lo < hi;) {
    alternate.push_back(Columns[lo++]);
    if (lo < hi) alternate.push_back(Columns[--hi]);
  }
  Columns.swap(alternate);
}

// ---- drawing ----

TPoint TSurfaceSeries::PointPixel(int32_t Index) const {
  return TPoint(XValueToPixel(XValues()->GetValue(Index)), YValueToPixel(YValues()->GetValue(Index)));
}

bool TSurfaceSeries::SidesWanted() const {
  return FSideBrush->GetStyle() != bsClear || FSideLines->GetVisible();
}

void TSurfaceSeries::PrepareCanvas() {
  TCanvas3D& c = *FParentChart->GetCanvas();
  if (Pen()->GetVisible() || FWireFrame || FDotFrame)
    c.UsePenColor(*Pen(), Pen()->GetColor());
  else
    c.Pen->SetStyle(psClear);
  c.UseBrushColor(*Brush(), GetSeriesColor());
  const TPicture* image = Brush()->PeekImage();
  FSingleColor = (!GetUseColorRange() && !GetUsePalette()) || (image && !image->Empty());
  if (FWireFrame || FDotFrame) c.Brush->SetStyle(bsClear);
  c.SetBackMode(TRANSPARENT);
}

bool TSurfaceSeries::CellCornersOf(int32_t X, int32_t Z) {
  if (!FWaterFall) return GetCellCorners(X, Z);
  const int32_t a = GridPoint(X, Z), b = GridPoint(X + XStep, Z);
  if (a < 0 || b < 0) return false;
  Corner0 = Corner3 = a;
  Corner1 = Corner2 = b;
  return true;
}

void TSurfaceSeries::DrawTrue3D(TCanvas3D& Canvas, int32_t Style) {
  TCanvas3D::TCellPointsEvent cell = [this](int32_t X, int32_t Z, TPoint3D& P0, TPoint3D& P1, TPoint3D&,
                                            TPoint3D&, TColor& Color0, TColor& Color1) {
    const int32_t a = GridPoint(X - 1, Z), b = GridPoint(X, Z);
    if (a < 0 || b < 0) return false;
    const TPoint pa = PointPixel(a), pb = PointPixel(b);
    P0 = TPoint3D{pa.X, pa.Y, ZPixelOf(a)};
    P1 = TPoint3D{pb.X, pb.Y, ZPixelOf(b)};
    if (!FSingleColor) {
      Color0 = ValueColor(a);
      Color1 = ValueColor(b);
    }
    return true;
  };
  TBlendScope blend(Canvas, Canvas.ViewBounds, FTransparency);
  Canvas.SurfaceCells(Style, FSingleColor, GetNumXValues(), GetNumZValues(), cell);
}

void TSurfaceSeries::DrawPoints() {
  if (Count() == 0 || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef())
    return;
  // A grid whose positions could not be indexed shows nothing.
  if (GetNumXValues() < 1 || GetNumZValues() < 1) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  PrepareCanvas();
  if (c.IsTrue3D()) {
    const int32_t style = FWireFrame || Brush()->GetStyle() == bsClear ? 1 : FDotFrame ? 2 : 0;
    DrawTrue3D(c, style);
    return;
  }
  const bool sides = SidesWanted();
  if (sides) {
    DrawSides(false);
    PrepareCanvas();
  }
  {
    TBlendScope blend(c, c.ViewBounds, FTransparency);
    std::vector<int32_t> columns, rows;
    CalcCellOrder(columns, rows);
    for (const int32_t x : columns)
      for (const int32_t z : rows) DrawCell(x, z);
  }
  if (sides) DrawSides(true);
}

void TSurfaceSeries::DrawWaterFallCell(TCanvas3D& Canvas, const TPoint (&P)[4], int32_t Z0) {
  const int32_t bottom = GetVertAxisRef()->EndPixel;
  if (!FDotFrame) {
    if (!FWireFrame) {
      const TPenStyle old = Canvas.Pen->GetStyle();
      Canvas.Pen->SetStyle(psClear);
      const TPoint band[4] = {P[0], P[1], TPoint(P[1].X, bottom), TPoint(P[0].X, bottom)};
      if (FTransparency > 0) {
        TPoint projected[4];
        for (int k = 0; k < 4; ++k) projected[k] = Canvas.Project(band[k].X, band[k].Y, Z0);
        Canvas.Polygon(projected);
      } else {
        Canvas.QuadAtDepth(band[0], band[1], band[2], band[3], Z0);
      }
      Canvas.Pen->SetStyle(old);
    }
    Canvas.LineAtDepth(P[0].X, P[0].Y, P[1].X, P[1].Y, Z0);
  }
  if (FWaterLines->GetVisible()) {
    // The next cell takes the series' pen again.
    TPen saved;
    saved.Assign(*Canvas.Pen);
    Canvas.UsePen(*FWaterLines);
    Canvas.VertLine3D(P[0].X, P[0].Y, bottom, Z0);
    Canvas.VertLine3D(P[1].X, P[1].Y, bottom, Z0);
    Canvas.Pen->Assign(saved);
  }
}

void TSurfaceSeries::DrawCell(int32_t X, int32_t Z) {
  if (!FParentChart || !FParentChart->GetCanvas() || !CellCornersOf(X, Z)) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  int32_t chosen;
  if (ZStep == 1)
    chosen = XStep == 1 ? Corner3 : Corner2;
  else
    chosen = XStep == 1 ? Corner0 : Corner1;
  TColor colour = ValueColor(chosen);
  if (colour == clNone) return;
  if (!FSingleColor) {
    if (FSmoothPalette) {
      const TChartValueList& y = *YValues();
      colour = ColorOfValue(
          (y.GetValue(Corner0) + y.GetValue(Corner1) + y.GetValue(Corner2) + y.GetValue(Corner3)) / 4);
    }
    if (FWireFrame)
      c.Pen->SetColor(colour);
    else if (c.Brush->GetStyle() != bsClear)
      c.Brush->SetColor(colour);
  }
  const int32_t corners[4] = {Corner0, Corner1, Corner2, Corner3};
  TPoint p[4];
  for (int k = 0; k < 4; ++k) p[k] = PointPixel(corners[k]);
  const int32_t z0 = ZPixelOf(Corner0), z2 = ZPixelOf(Corner2);
  if (FWaterFall) {
    DrawWaterFallCell(c, p, z0);
  } else if (!FDotFrame) {
    if (FTransparency > 0) {
      const TPoint projected[4] = {c.Project(p[0].X, p[0].Y, z0), c.Project(p[1].X, p[1].Y, z0),
                                   c.Project(p[2].X, p[2].Y, z2), c.Project(p[3].X, p[3].Y, z2)};
      c.Polygon(projected);
    } else {
      c.Quad3D(p[0], p[1], p[2], p[3], z0, z2);
    }
  }
  if (FDotFrame)
    for (int k = 0; k < 4; ++k) c.SetPixel3D(p[k].X, p[k].Y, ZPixelOf(corners[k]), ValueColor(corners[k]));
}

// ---- sides ----

void TSurfaceSeries::DrawSide(int32_t Fixed, bool AlongColumn) {
  TCanvas3D& c = *FParentChart->GetCanvas();
  const TChartAxis& v = *GetVertAxisRef();
  const int32_t floor = YValueToPixel(v.GetInverted() ? YValues()->MaxValue() : YValues()->MinValue());
  const int32_t n = AlongColumn ? GetNumZValues() : GetNumXValues();
  for (int32_t k = 1; k < n; ++k) {
    const int32_t a = AlongColumn ? GridPoint(Fixed, k) : GridPoint(k, Fixed);
    const int32_t b = AlongColumn ? GridPoint(Fixed, k + 1) : GridPoint(k + 1, Fixed);
    if (a < 0 || b < 0) continue;
    const TPoint pa = PointPixel(a), pb = PointPixel(b);
    c.Quad3D(pa, TPoint(pa.X, floor), TPoint(pb.X, floor), pb, ZPixelOf(a), ZPixelOf(b));
  }
}

void TSurfaceSeries::DrawSides(bool Facing) {
  TCanvas3D& c = *FParentChart->GetCanvas();
  auto* chart = dynamic_cast<TCustomChart*>(FParentChart);
  const TRect r = FParentChart->GetChartRect();
  const int32_t wall = chart ? chart->BottomWall()->GetSize() : 0;
  const bool leftFacing = chart && chart->LeftWallVisible();
  const bool rightFacing = chart && chart->RightWallVisible();
  const bool frontFacing = IsBackFace(c.Project(r.Right, r.Top, 0), c.Project(r.Right, r.Bottom + wall, 0),
                                      c.Project(r.Left, r.Bottom + wall, 0));
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  const bool hInverted = GetHorizAxisRef()->GetInverted();
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  const bool dInverted = panel && panel->DepthAxis()->GetInverted();
  c.UseBrush(*FSideBrush);
  c.UsePen(*FSideLines);
  if (leftFacing == Facing) DrawSide(hInverted ? nx : 1, true);
  if (rightFacing == Facing) DrawSide(hInverted ? 1 : nx, true);
  if (frontFacing != Facing) return;
  const int32_t row = dInverted ? nz : 1;
  DrawSide(row, false);
  // The front side's last edge, from the surface down to the floor.
  const int32_t last = GridPoint(nx, row);
  if (last < 0) return;
  const TPoint p = PointPixel(last);
  const TChartAxis& v = *GetVertAxisRef();
  const int32_t floor = YValueToPixel(v.GetInverted() ? YValues()->MaxValue() : YValues()->MinValue());
  c.UsePenColor(*FSideLines, FSideLines->GetColor());
  c.Pen->SetStyle(psSolid);
  c.VertLine3D(p.X, p.Y, floor, ZPixelOf(last));
}

// ---- hit test ----

int32_t TSurfaceSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (Count() == 0 || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef())
    return -1;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const int32_t savedX = XStep, savedZ = ZStep;
  // Cell order without the alternation of columns.
  std::vector<int32_t> columns, rows;
  CalcCellOrder(columns, rows);
  if (DrawValuesForward()) {
    columns.clear();
    for (int32_t x = 2; x <= GetNumXValues(); ++x) columns.push_back(x);
  } else {
    columns.clear();
    for (int32_t x = GetNumXValues() - 1; x >= 1; --x) columns.push_back(x);
  }
  // Rows front to back: the same cells, walked from their other side.
  std::reverse(rows.begin(), rows.end());
  if (!FWaterFall) {
    for (int32_t& z : rows) z += ZStep;
    ZStep = -ZStep;
  }
  const int32_t bottom = GetVertAxisRef()->EndPixel;
  int32_t result = -1;
  for (size_t r = 0; r < rows.size() && result < 0; ++r)
    for (const int32_t x : columns) {
      if (!CellCornersOf(x, rows[r])) continue;
      const int32_t z0 = ZPixelOf(Corner0), z2 = ZPixelOf(Corner2);
      const TPoint p0 = PointPixel(Corner0), p1 = PointPixel(Corner1);
      std::vector<TPoint> poly;
      if (FWaterFall) {
        // A band reaches down to the axis end.
        poly = {c.Project(p0.X, p0.Y, z0), c.Project(p1.X, p1.Y, z0), c.Project(p1.X, bottom, z0),
                c.Project(p0.X, bottom, z0)};
      } else {
        const TPoint p2 = PointPixel(Corner2), p3 = PointPixel(Corner3);
        poly = {c.Project(p0.X, p0.Y, z0), c.Project(p1.X, p1.Y, z0), c.Project(p2.X, p2.Y, z2),
                c.Project(p3.X, p3.Y, z2)};
      }
      if (PlotProcs::PointInPolygon(TPoint(X, Y), poly)) {
        result = Corner0;
        break;
      }
    }
  XStep = savedX;
  ZStep = savedZ;
  return result;
}

// ============================================================================
// TWaterFallSeries
// ============================================================================

TWaterFallSeries::TWaterFallSeries(TComponent* Owner) : TSurfaceSeries(Owner) { SetWaterFall(true); }

void TWaterFallSeries::Assign(const TPersistent* Source) {
  TSurfaceSeries::Assign(Source);
  SetWaterFall(true);
}

void TWaterFallSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TSurfaceSeries::ListGalleryVariants(Callback);
  Callback("No Lines");
}

void TWaterFallSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  if (Index == 6) {
    if (auto* s = dynamic_cast<TSurfaceSeries*>(Series)) s->WaterLines()->Hide();
    return;
  }
  TSurfaceSeries::ApplyGalleryVariant(Series, Index);
}

void TWaterFallSeries::PrepareGallery3D(bool Is3D) {
  TSurfaceSeries::PrepareGallery3D(Is3D);
  if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart)) panel->SetView3D(Is3D);
}
