// The fast-line series: one plain pen from point to point, visited in one
// cheap pass in index order.
#include <algorithm>

#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

KV_CLASS_IMPL(TFastLineSeries, TCustomLineSeries) {
  c.Editor("TFastLineSeriesEditor");
  c.Property("AutoRepaint", &TFastLineSeries::GetAutoRepaint, &TFastLineSeries::SetAutoRepaint).Default(true);
  c.Property("DrawAllPoints", &TFastLineSeries::GetDrawAllPoints, &TFastLineSeries::SetDrawAllPoints).Default(true);
  c.Property("IgnoreNulls", &TFastLineSeries::GetIgnoreNulls, &TFastLineSeries::SetIgnoreNulls).Default(true);
  c.Property("InvertedStairs", &TFastLineSeries::GetInvertedStairs, &TFastLineSeries::SetInvertedStairs)
      .Default(false);
  c.Property("LinePen", &TFastLineSeries::LinePen);
  c.Property("Stairs", &TFastLineSeries::GetStairs, &TFastLineSeries::SetStairs).Default(false);
}

TFastLineSeries::TFastLineSeries(TComponent* Owner) : TCustomLineSeries(Owner) {
  FunctionAsOnePoint = false;
  DrawBetweenPoints = true;
}

void TFastLineSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TFastLineSeries*>(Source)) {
    FAutoRepaint = s->FAutoRepaint;
    FDrawAllPoints = s->FDrawAllPoints;
    FFastFlag = s->FFastFlag;
    FIgnoreNulls = s->FIgnoreNulls;
    FInvertedStairs = s->FInvertedStairs;
    FStairs = s->FStairs;
  }
  TCustomLineSeries::Assign(Source);
}

void TFastLineSeries::SetPen(const TChartPen* Value) {
  TCustomLineSeries::SetPen(Value);
  SetSeriesColor(LinePen()->GetColor());
}

void TFastLineSeries::SetSeriesColor(TColor Value) {
  TCustomLineSeries::SetSeriesColor(Value);
  if (LinePen()->GetColor() != Value) LinePen()->SetColor(Value);
}

void TFastLineSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustomLineSeries::CalcHorizMargins(Left, Right);
  const int32_t w = LinePen()->GetWidth();
  Left += w - (w - 2) / 2;
  Right += w - (w - 2) / 2;
}

void TFastLineSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustomLineSeries::CalcVerticalMargins(Top, Bottom);
  const int32_t w = LinePen()->GetWidth();
  Top += w - (w - 2) / 2;
  Bottom += w - (w - 2) / 2;
}

void TFastLineSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomLineSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Marks", "Dotted", "Stairs"}) Callback(v);
}

void TFastLineSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TFastLineSeries*>(Series);
  if (!s) return;
  if (Index == 1) {
    if (auto* marks = dynamic_cast<TPersistent*>(s->Marks()))
      if (const TPropInfo* p = marks->ClassType()->FindProperty("Visible"); p && p->Set) p->Set(marks, TPropValue(true));
  } else if (Index == 2) {
    s->LinePen()->SetSmallDots(true);
  } else if (Index == 3) {
    s->SetStairs(true);
  }
}

void TFastLineSeries::PrepareCanvas() {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) return;
  c->UsePen(*LinePen());
  c->Brush->SetStyle(bsClear);
  c->SetBackMode(TRANSPARENT);
}

void TFastLineSeries::PrepareLegendCanvas(int32_t, TColor&, TBrushStyle&) { PrepareCanvas(); }

TPoint TFastLineSeries::PointPosition(int32_t Index) const {
  return TPoint(GetHorizAxisRef()->ValueToPixelX(GetXValue(Index)), GetVertAxisRef()->ValueToPixelY(GetYValue(Index)));
}

void TFastLineSeries::MoveToStart(TPoint P) {
  TCanvas3D& canvas = *FParentChart->GetCanvas();
  FPrev = FFirst = P;
  if (FParentChart->GetView3D())
    canvas.MoveTo3D(P.X, P.Y, MiddleZ);
  else
    canvas.MoveTo(P.X, P.Y);
}

void TFastLineSeries::DrawPoints() {
  if (!FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef()) return;
  if (FirstValueIndex < 0 || LastValueIndex < FirstValueIndex) return;
  PrepareCanvas();
  TCanvas3D& canvas = *FParentChart->GetCanvas();
  // A line pen that was switched off draws nothing.
  if (LinePen()->GetVisible()) canvas.Pen->SetStyle(psSolid);
  canvas.Pen->SetColor(canvas.Brush->GetColor() == clNone ? LinePen()->GetColor() : LinePen()->GetColor());
  const int32_t s = FirstValueIndex;
  MoveToStart(PointPosition(s > 0 ? s - 1 : s));
  for (int32_t i = s > 0 ? s : s + 1; i <= LastValueIndex; ++i) DrawPoint(i);
}

void TFastLineSeries::DrawPoint(int32_t Index) {
  TCanvas3D& canvas = *FParentChart->GetCanvas();
  const TPoint p = PointPosition(Index);
  if (LinePen()->GetVisible()) {
    // Joined with the line pen, as a stair step when asked.
    if (FStairs) {
      if (FInvertedStairs)
        canvas.LineTo(FPrev.X, p.Y);
      else
        canvas.LineTo(p.X, FPrev.Y);
    }
    if (FParentChart->GetView3D())
      canvas.LineTo3D(p.X, p.Y, MiddleZ);
    else
      canvas.LineTo(p.X, p.Y);
  }
  FPrev = p;
}

void TFastLineSeries::AddedValue(TChartSeries* Sender, int32_t Index) {
  if (FAutoRepaint || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef()) {
    TCustomLineSeries::AddedValue(Sender, Index);
    return;
  }
  TCanvas3D& canvas = *FParentChart->GetCanvas();
  canvas.UsePen(*LinePen());
  MoveToStart(PointPosition(Index > 0 ? Index - 1 : 0));
  DrawPoint(Index);
}

void TFastLineSeries::PaintLegendSymbol(int32_t, const TRect& Rect) {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) return;
  c->HorizLine(Rect.Left, Rect.Right, (Rect.Top + Rect.Bottom) / 2);
}

void TFastLineSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) marks->ApplyCalloutOffset(Position);
  TCustomLineSeries::PaintMark(Index, Text, Position);
}

int32_t TFastLineSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FirstValueIndex < 0 || LastValueIndex < FirstValueIndex || !GetHorizAxisRef() || !GetVertAxisRef()) return -1;
  if (FParentChart && FParentChart->GetView3D())
    if (TCanvas3D* c = FParentChart->GetCanvas()) c->ScreenTo3D(X, Y, MiddleZ);
  TPoint prev;
  for (int32_t i = FirstValueIndex; i <= LastValueIndex; ++i) {
    const TPoint p = PointPosition(i);
    if (p.X == X && p.Y == Y) return i;
    if (i > FirstValueIndex && PlotProcs::PointNearSegment(TPoint(X, Y), prev.X, prev.Y, p.X, p.Y, 1)) return i - 1;
    prev = p;
  }
  return -1;
}
