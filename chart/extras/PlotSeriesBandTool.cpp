#include "chart/extras/PlotSeriesBandTool.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/series/PlotTools.h"

KV_CLASS_IMPL(TSeriesBandTool, TPlotCustomToolSeries) {
  c.Property("Brush", &TSeriesBandTool::Brush);
  c.Property("DrawBehindSeries", &TSeriesBandTool::GetDrawBehindSeries, &TSeriesBandTool::SetDrawBehindSeries)
      .Default(true);
  c.Property("Gradient", &TSeriesBandTool::Gradient);
  c.Property("Pen", &TSeriesBandTool::Pen);
  c.Property("Series2", &TSeriesBandTool::GetSeries2, &TSeriesBandTool::SetSeries2);
  c.Property("Transparency", &TSeriesBandTool::GetTransparency, &TSeriesBandTool::SetTransparency).Default(0);
}

TSeriesBandTool::TSeriesBandTool(TComponent* Owner)
    : TPlotCustomToolSeries(Owner),
      FBrush(std::make_unique<TChartBrush>([this](TObject* Sender) { RepaintOnChange(Sender); })),
      FGradient(std::make_unique<TPlotGradient>([this](TObject* Sender) { RepaintOnChange(Sender); })) {
  FBrush->SetColor(clWhite);
}

TSeriesBandTool::~TSeriesBandTool() = default;

void TSeriesBandTool::Init() {
  TPlotCustomToolSeries::Init();
  Pen()->SetVisible(false);
}

void TSeriesBandTool::BeforeDestruction() {
  if (FHooked1) FHooked1->RemoveDrawHook(this);
  if (FSeries2) FSeries2->RemoveDrawHook(this);
  FHooked1 = nullptr;
  if (FSeries2) FSeries2->RemoveFreeNotification(this);
  FSeries2 = nullptr;
  TPlotCustomToolSeries::BeforeDestruction();
}

void TSeriesBandTool::Notification(TComponent* Component, TOperation Operation) {
  if (Operation == TOperation::opRemove) {
    if (Component == FSeries2) FSeries2 = nullptr;
    if (Component == FHooked1) FHooked1 = nullptr;
  }
  TPlotCustomToolSeries::Notification(Component, Operation);
}

void TSeriesBandTool::SetTransparency(int32_t Value) { SetIntegerProperty(FTransparency, std::clamp(Value, 0, 100)); }

void TSeriesBandTool::Hook(TChartSeries* Series) {
  if (!Series) return;
  Series->AddDrawHook(this, [this](TObject* Sender) { SeriesBefore(Sender); },
                      [this](TObject* Sender) { SeriesAfter(Sender); });
}

void TSeriesBandTool::SetSeries(TChartSeries* Value) {
  TChartSeries* old = FHooked1;
  if (old == Value) return;
  TPlotCustomToolSeries::SetSeries(Value);
  FHooked1 = Value;
  // The same series may bound both sides: its hook stays while it still does.
  if (old && old != FSeries2) old->RemoveDrawHook(this);
  Hook(Value);
  Repaint();
}

void TSeriesBandTool::SetSeries2(TChartSeries* Value) {
  TChartSeries* old = FSeries2;
  if (old == Value) return;
  if (old) old->RemoveFreeNotification(this);
  FSeries2 = Value;
  if (Value) Value->FreeNotification(this);
  if (old && old != GetSeries()) old->RemoveDrawHook(this);
  Hook(Value);
  Repaint();
}

void TSeriesBandTool::HandleChartEvent(int32_t Code) {
  if (Code == tceBeforeSeries) FFlag1 = FFlag2 = false;
}

void TSeriesBandTool::SetFlag(TObject* Sender) {
  if (Sender == GetSeries()) FFlag1 = true;
  if (Sender == FSeries2) FFlag2 = true;
}

void TSeriesBandTool::SeriesBefore(TObject* Sender) {
  if (!FDrawBehindSeries) return;
  SetFlag(Sender);
  if (FFlag1 != FFlag2) DrawBand();
}

void TSeriesBandTool::SeriesAfter(TObject* Sender) {
  if (FDrawBehindSeries) return;
  SetFlag(Sender);
  if (FFlag1 && FFlag2) DrawBand();
}

std::vector<TPoint> TSeriesBandTool::BandPolygon() {
  std::vector<TPoint> points;
  TChartSeries* s1 = GetSeries();
  TChartSeries* s2 = FSeries2;
  if (!s1 || !s2) return points;
  const auto range = [](TChartSeries* S, int32_t& First, int32_t& Last) {
    // The second series of the pair may not have been drawn yet in this cycle.
    S->FindVisibleRange();
    First = S->FirstValueIndex;
    Last = S->LastValueIndex;
    return First >= 0 && Last >= First && Last < S->Count();
  };
  int32_t f1 = 0, l1 = 0, f2 = 0, l2 = 0;
  if (!range(s1, f1, l1) || !range(s2, f2, l2)) return points;
  for (int32_t i = f1; i <= l1; ++i) points.emplace_back(s1->PointPixelX(i), s1->PointPixelY(i));
  for (int32_t i = l2; i >= f2; --i) points.emplace_back(s2->PointPixelX(i), s2->PointPixelY(i));
  return points;
}

void TSeriesBandTool::DrawBand() {
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (!GetActive() || !chart || !chart->Canvas() || !chart->Canvas()->Pen) return;
  const std::vector<TPoint> points = BandPolygon();
  if (points.size() < 3) return;
  TCanvas3D& canvas = *chart->Canvas();
  const int32_t z = std::max(GetSeries()->StartZ, FSeries2->StartZ);
  const bool is3D = chart->GetView3D();
  TRect bounds(points[0].X, points[0].Y, points[0].X, points[0].Y);
  for (const TPoint& p : points) {
    bounds.Left = std::min(bounds.Left, p.X), bounds.Right = std::max(bounds.Right, p.X);
    bounds.Top = std::min(bounds.Top, p.Y), bounds.Bottom = std::max(bounds.Bottom, p.Y);
  }
  TPlotBlend* blend = nullptr;
  if (FTransparency > 0) blend = canvas.BeginBlend(is3D ? canvas.RectBounds2D(bounds, z) : bounds, FTransparency);
  if (FGradient->GetVisible()) {
    FGradient->FillPolygon(canvas, points, is3D, z);
    canvas.Brush->SetStyle(bsClear);
  } else {
    if (is3D)
      canvas.ClipBox3D(chart->ChartRect, z, z);
    else
      canvas.ClipRect(chart->ChartRect);
    canvas.UseBrushColor(*FBrush, FBrush->GetColor());
    canvas.UsePen(*Pen());
    if (is3D)
      canvas.PolygonAtDepth(points, z);
    else
      canvas.Polygon(points);
    canvas.Unclip();
  }
  if (blend) canvas.EndBlend(blend);
}

namespace PlotSeriesBandTool {
void Initialization() { Chart::AddToolClasses({TSeriesBandTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TSeriesBandTool::StaticClass()}); }
}  // namespace PlotSeriesBandTool
