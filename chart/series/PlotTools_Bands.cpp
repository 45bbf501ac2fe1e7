// Axis-bound tools that show value ranges across the chart: the colour line
// (a draggable line at one value), the colour band (a filled range with two
// resize lines) and the grid band (alternating fills between grid lines).
#include <algorithm>
#include <cmath>

#include "chart/series/PlotTools.h"

namespace {

using PlotTools::PanelOf;

using PlotTools::HasCanvas;

}  // namespace

// ============================================================================
// Colour line
// ============================================================================

KV_CLASS_IMPL(TColorLineTool, TPlotCustomToolAxis) {
  c.Property("Axis", &TColorLineTool::GetAxis, &TColorLineTool::SetAxis).Stored(false);
  c.Property("AllowDrag", &TColorLineTool::AllowDrag).Default(true);
  c.Property("DragRepaint", &TColorLineTool::DragRepaint).Default(false);
  c.Property("Draw3D", &TColorLineTool::Draw3D).Default(true);
  c.Property("DrawBehind", &TColorLineTool::DrawBehind).Default(false);
  c.Property("NoLimitDrag", &TColorLineTool::NoLimitDrag).Default(false);
  c.Property("Pen", &TColorLineTool::Pen);
  c.Property("Style", &TColorLineTool::GetStyle, &TColorLineTool::SetStyle)
      .Names({"clCustom", "clMaximum", "clCenter", "clMinimum"})
      .Default(TColorLineStyle::clCustom);
  c.Property("Value", &TColorLineTool::GetValue, &TColorLineTool::SetValue).Default(0.0);
}

TColorLineTool::TColorLineTool(TComponent* Owner) : TPlotCustomToolAxis(Owner) {}

void TColorLineTool::Assign(const TPersistent* Source) {
  if (auto* line = dynamic_cast<const TColorLineTool*>(Source)) {
    AllowDrag = line->AllowDrag;
    DragRepaint = line->DragRepaint;
    Draw3D = line->Draw3D;
    DrawBehind = line->DrawBehind;
    NoLimitDrag = line->NoLimitDrag;
    FStyle = line->FStyle;
    FValue = line->FValue;
  }
  TPlotCustomToolAxis::Assign(Source);
}

TCustomAxisPanel* TColorLineTool::DrawingChart() const {
  return ChartOverride ? ChartOverride : PanelOf(GetParentChart());
}

void TColorLineTool::RepaintOnChange(TObject* Sender) {
  if (ChartOverride)
    ChartOverride->Invalidate();
  else
    TPlotCustomToolAxis::RepaintOnChange(Sender);
}

void TColorLineTool::RepaintChart() {
  if (TCustomAxisPanel* chart = DrawingChart()) chart->Invalidate();
}

void TColorLineTool::SetStyle(TColorLineStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RepaintChart();
}

void TColorLineTool::SetValue(double Value) {
  if (!ComponentState.Contains(TComponentStateItem::csLoading)) FStyle = TColorLineStyle::clCustom;
  if (FDragging && !DragRepaint) {
    FValue = Value;
    return;
  }
  if (FValue == Value) return;
  FValue = Value;
  RepaintChart();
}

void TColorLineTool::PutValue(double Value) {
  FStyle = TColorLineStyle::clCustom;
  FValue = Value;
}

double TColorLineTool::EffectiveValue() const {
  TChartAxis* a = GetAxis();
  if (!a) return FValue;
  switch (FStyle) {
    case TColorLineStyle::clMaximum: return a->GetMaximum();
    case TColorLineStyle::clCenter: return (a->GetMaximum() + a->GetMinimum()) * 0.5;
    case TColorLineStyle::clMinimum: return a->GetMinimum();
    case TColorLineStyle::clCustom: break;
  }
  return FValue;
}

double TColorLineTool::LimitValue(double V) const {
  TChartAxis* a = GetAxis();
  if (!a) return V;
  const double v0 = a->CalcPosPoint(a->StartPixel), v1 = a->CalcPosPoint(a->EndPixel);
  return std::clamp(V, std::min(v0, v1), std::max(v0, v1));
}

int32_t TColorLineTool::ValuePixel() const { return GetAxis()->ValueToPixel(EffectiveValue()); }

bool TColorLineTool::Clicked(int32_t X, int32_t Y) const {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = DrawingChart();
  if (!a || !chart) return false;
  const int32_t p = ValuePixel();
  const TRect& r = chart->ChartRect;
  if (a->GetHorizontal()) return std::abs(X - p) < 3 && Y >= r.Top && Y <= r.Bottom;
  return std::abs(Y - p) < 3 && X >= r.Left && X <= r.Right;
}

void TColorLineTool::DrawParts(bool Back, bool Front) {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = DrawingChart();
  if (!a || !HasCanvas(chart)) return;
  TCanvas3D& canvas = *chart->Canvas();
  if (AllowDrag && !NoLimitDrag) FValue = LimitValue(FValue);
  const int32_t p = ValuePixel();
  const TRect r = chart->ChartRect;
  const int32_t depth = chart->GetChartDepth();
  // The depth lines need a depth; in 2-D the back and the front line are one.
  const bool depthLines = Draw3D && chart->GetView3D() && depth != 0;
  const bool backLine = Back && (DrawBehind || Draw3D);
  const bool frontLine = Front && !DrawBehind && !(backLine && depth == 0);
  const TPenMode mode = canvas.Pen->GetMode();
  canvas.UsePen(*Pen());
  canvas.Pen->SetMode(mode);
  canvas.SetBackMode(TRANSPARENT);
  canvas.Brush->SetStyle(bsClear);
  if (a->GetHorizontal()) {
    if (Back && depthLines) canvas.DepthLine(p, r.Bottom, depth, 0);
    if (backLine) canvas.VertLine3D(p, r.Top, r.Bottom, depth);
    if (Front && depthLines) canvas.DepthLine(p, r.Top, 0, depth);
    if (frontLine) canvas.VertLine3D(p, r.Top, r.Bottom, 0);
  } else {
    if (Back && depthLines) canvas.DepthLine(r.Left, p, depth, 0);
    if (backLine) canvas.HorizLine3D(r.Left, r.Right, p, depth);
    if (Front && depthLines) canvas.DepthLine(r.Right, p, 0, depth);
    if (frontLine) canvas.HorizLine3D(r.Left, r.Right, p, 0);
  }
}

void TColorLineTool::DrawBackPart() { DrawParts(true, false); }

void TColorLineTool::DrawFrontPart() {
  TCustomAxisPanel* chart = DrawingChart();
  if (chart && (chart->GetView3D() || !FDragging || DragRepaint)) DrawParts(false, true);
}

void TColorLineTool::HandleChartEvent(int32_t Code) {
  if (Code == tceBeforeSeries)
    DrawBackPart();
  else if (Code == tceAfterDraw)
    DrawFrontPart();
}

void TColorLineTool::EndDrag() {
  if (EndDragHook) EndDragHook(this);
  if (OnEndDragLine) OnEndDragLine(this);
}

void TColorLineTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState /*Shift*/, int32_t X,
                                      int32_t Y) {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = DrawingChart();
  if (!AllowDrag || !a || !chart) return;
  switch (Kind) {
    case tmeDown:
      if (Button != TMouseButton::mbLeft) return;
      FDragging = Clicked(X, Y);
      chart->MouseCancelled = FDragging;
      if (FDragging && OnBeginDragLine) OnBeginDragLine(this);
      break;
    case tmeMove: {
      if (!FDragging) {
        if (Clicked(X, Y)) {
          chart->SetChartCursor(a->GetHorizontal() ? crHSplit : crVSplit);
          chart->MouseCancelled = true;
        }
        return;
      }
      double v = a->CalcPosPoint(a->GetHorizontal() ? X : Y);
      if (!NoLimitDrag) v = LimitValue(v);
      bool moved = false;
      if (DragRepaint) {
        SetValue(v);
      } else if (v != EffectiveValue()) {
        // The old line is erased by drawing it again in the inverting mode.
        if (HasCanvas(chart)) chart->Canvas()->Pen->SetMode(pmNotXor);
        DrawParts(true, true);
        FStyle = TColorLineStyle::clCustom;
        FValue = v;
        moved = true;
      }
      chart->MouseCancelled = true;
      if (OnDragLine) OnDragLine(this);
      if (moved && HasCanvas(chart)) {
        chart->Canvas()->Pen->SetMode(pmNotXor);
        DrawParts(true, true);
        chart->Canvas()->Pen->SetMode(pmCopy);
      }
      break;
    }
    case tmeUp:
      if (!FDragging) return;
      if (!DragRepaint) chart->Invalidate();
      EndDrag();
      FDragging = false;
      break;
    default: break;
  }
}

// ============================================================================
// Colour band
// ============================================================================

KV_CLASS_IMPL(TColorBandTool, TPlotCustomToolAxis) {
  c.Property("Axis", &TColorBandTool::GetAxis, &TColorBandTool::SetAxis).Stored(false);
  c.Property("Brush", &TColorBandTool::Brush);
  c.Property("Color", &TColorBandTool::GetColor, &TColorBandTool::SetColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("Cursor", &TColorBandTool::Cursor).Default(crDefault);
  c.Property("DrawBehind", &TColorBandTool::GetDrawBehind, &TColorBandTool::SetDrawBehind).Default(true);
  c.Property("DrawBehindAxes", &TColorBandTool::GetDrawBehindAxes, &TColorBandTool::SetDrawBehindAxes)
      .Default(false);
  c.Property("EndLinePen", &TColorBandTool::EndLinePen);
  c.Property("EndValue", &TColorBandTool::GetEndValue, &TColorBandTool::SetEndValue).Default(0.0);
  c.Property("Gradient", &TColorBandTool::Gradient);
  c.Property("Pen", &TColorBandTool::Pen);
  c.Property("ResizeEnd", &TColorBandTool::GetResizeEnd, &TColorBandTool::SetResizeEnd).Default(false);
  c.Property("ResizeStart", &TColorBandTool::GetResizeStart, &TColorBandTool::SetResizeStart).Default(false);
  c.Property("StartLinePen", &TColorBandTool::StartLinePen);
  c.Property("StartValue", &TColorBandTool::GetStartValue, &TColorBandTool::SetStartValue).Default(0.0);
  c.Property("Transparency", &TColorBandTool::GetTransparency, &TColorBandTool::SetTransparency).Default(0);
}

TColorBandTool::TColorBandTool(TComponent* Owner)
    : TPlotCustomToolAxis(Owner),
      FGradient(std::make_unique<TPlotGradient>([this](TObject* Sender) { RepaintOnChange(Sender); })) {
  for (TColorLineTool** line : {&FStartLine, &FEndLine}) {
    *line = Create<TColorLineTool>(nullptr);
    (*line)->SetActive(false);
    (*line)->DragRepaint = true;
    (*line)->OnDragLine = [this](TObject* Sender) { LineDragged(Sender); };
    (*line)->EndDragHook = [this](TObject* Sender) { LineDragEnded(Sender); };
  }
}

TColorBandTool::~TColorBandTool() {
  FStartLine->Free();
  FEndLine->Free();
}

void TColorBandTool::Loaded() {
  TPlotCustomToolAxis::Loaded();
  FStartLine->PutValue(FStartValue);
  FEndLine->PutValue(FEndValue);
}

void TColorBandTool::SetAxis(TChartAxis* Value) {
  TPlotCustomToolAxis::SetAxis(Value);
  for (TColorLineTool* line : {FStartLine, FEndLine}) {
    line->SetAxis(Value);
    line->SetParentChart(nullptr);
  }
}

void TColorBandTool::SetParentChart(TSeriesChart* Value) {
  TPlotCustomToolAxis::SetParentChart(Value);
  FStartLine->ChartOverride = FEndLine->ChartOverride = PanelOf(GetParentChart());
}

void TColorBandTool::SetStartValue(double Value) {
  SetDoubleProperty(FStartValue, Value);
  FStartLine->PutValue(Value);
}

void TColorBandTool::SetEndValue(double Value) {
  SetDoubleProperty(FEndValue, Value);
  FEndLine->PutValue(Value);
}

void TColorBandTool::LineDragged(TObject* Sender) {
  auto* line = static_cast<TColorLineTool*>(Sender);
  if (!line->DragRepaint) return;
  if (line == FStartLine)
    SetStartValue(line->GetValue());
  else
    SetEndValue(line->GetValue());
}

void TColorBandTool::LineDragEnded(TObject* Sender) {
  auto* line = static_cast<TColorLineTool*>(Sender);
  if (line->DragRepaint) return;
  if (line == FStartLine)
    SetStartValue(line->GetValue());
  else
    SetEndValue(line->GetValue());
}

TRect TColorBandTool::BandRect() const {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!a || !chart) return TRect(0, 0, 0, 0);
  TRect r = chart->ChartRect;
  const double lo = std::min(FStartValue, FEndValue), hi = std::max(FStartValue, FEndValue);
  if (lo > a->GetMaximum() || hi < a->GetMinimum()) return TRect(0, 0, 0, 0);
  const double first = a->GetInverted() ? hi : lo, second = a->GetInverted() ? lo : hi;
  const int32_t s = a->StartPixel, e = a->EndPixel;
  if (a->GetHorizontal()) {
    r.Left = std::max(s, a->ValueToPixel(first));
    r.Right = std::min(e, a->ValueToPixel(second));
    if (Pen()->GetVisible()) ++r.Right;
  } else {
    r.Top = std::max(s, a->ValueToPixel(second));
    r.Bottom = std::min(e, a->ValueToPixel(first));
    ++r.Left;
    ++r.Bottom;
    if (!Pen()->GetVisible()) ++r.Bottom, ++r.Right;
  }
  return r;
}

int32_t TColorBandTool::BandDepth() const {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  return chart && FDrawBehind ? chart->GetChartDepth() : 0;
}

bool TColorBandTool::Clicked(int32_t X, int32_t Y) const {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart || !chart->Canvas()) return false;
  const TFourPoints corners = chart->Canvas()->RectCorners(BandRect(), BandDepth());
  return PlotProcs::PointInPolygon(TPoint(X, Y), std::vector<TPoint>(corners.begin(), corners.end()));
}

void TColorBandTool::DrawBand() {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!GetAxis() || !HasCanvas(chart)) return;
  const TRect r = BandRect();
  if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return;
  TCanvas3D& canvas = *chart->Canvas();
  canvas.UseBrushColor(*Brush(), FColor);
  canvas.UsePen(*Pen());
  const int32_t z = BandDepth();
  const bool is3D = chart->GetView3D();
  if (FGradient->GetVisible() && chart->View3DOptions()->GetOrthogonal()) {
    FGradient->FillRect(canvas, canvas.RectTo2D(TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), z));
    canvas.Brush->SetStyle(bsClear);
  }
  TPlotBlend* blend = nullptr;
  if (FTransparency > 0) blend = canvas.BeginBlend(is3D ? canvas.RectBounds2D(r, z) : r, FTransparency);
  if (is3D)
    canvas.RectAtDepth(r, z);
  else
    canvas.RectangleRect(r);
  if (blend) canvas.EndBlend(blend);
  const std::pair<TColorLineTool*, double> lines[] = {{FEndLine, FEndValue}, {FStartLine, FStartValue}};
  for (const auto& [line, value] : lines) {
    if (!line->GetActive()) continue;
    line->PutValue(value);
    if (FDrawBehind)
      line->DrawBackPart();
    else
      line->DrawFrontPart();
  }
}

void TColorBandTool::HandleChartEvent(int32_t Code) {
  const bool draw = (Code == tceAfterDraw && !FDrawBehind && !FDrawBehindAxes) ||
                    (Code == tceBeforeSeries && FDrawBehind && !FDrawBehindAxes) ||
                    (Code == tceAxes && FDrawBehindAxes);
  if (draw) DrawBand();
}

void TColorBandTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return;
  if (FStartLine->GetActive()) FStartLine->HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (FEndLine->GetActive() && !chart->MouseCancelled) FEndLine->HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (Kind == tmeMove) {
    if (Cursor != crDefault && !chart->MouseCancelled && Clicked(X, Y)) {
      chart->SetChartCursor(Cursor);
      chart->MouseCancelled = !chart->Zoom().Active && !chart->Panning.Active;
    }
  } else if (Kind == tmeDown) {
    if (OnClick && Clicked(X, Y)) OnClick(this, Button, Shift, X, Y);
  }
}

// ============================================================================
// Grid band
// ============================================================================

KV_CLASS_IMPL(TGridBandBrush, TChartBrush) {
  c.Property("BackColor", &TGridBandBrush::GetBackColor, &TGridBandBrush::SetBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clNone);
  c.Property("Gradient", &TGridBandBrush::Gradient);
  c.Property("Transparency", &TGridBandBrush::GetTransparency, &TGridBandBrush::SetTransparency).Default(0);
}

TGridBandBrush::TGridBandBrush(TPlotChangeEvent ChangeHandler)
    : TChartBrush(ChangeHandler), FNotify(ChangeHandler), FGradient(std::make_unique<TPlotGradient>(ChangeHandler)) {}

void TGridBandBrush::Assign(const TPersistent* Source) {
  if (auto* b = dynamic_cast<const TGridBandBrush*>(Source)) {
    FBackColor = b->FBackColor;
    FTransparency = b->FTransparency;
    FGradient->Assign(b->FGradient.get());
  }
  TChartBrush::Assign(Source);
}

void TGridBandBrush::SetBackColor(TColor Value) {
  if (FBackColor == Value) return;
  FBackColor = Value;
  if (FNotify) FNotify(this);
}

void TGridBandBrush::SetTransparency(TPlotTransparency Value) {
  if (FTransparency == Value) return;
  FTransparency = Value;
  if (FNotify) FNotify(this);
}

KV_CLASS_IMPL(TGridBandTool, TPlotCustomToolAxis) {
  c.Property("Axis", &TGridBandTool::GetAxis, &TGridBandTool::SetAxis).Stored(false);
  c.Property("Band1", &TGridBandTool::Band1);
  c.Property("Band2", &TGridBandTool::Band2);
}

TGridBandTool::TGridBandTool(TComponent* Owner) : TPlotCustomToolAxis(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FBand1 = std::make_unique<TGridBandBrush>(repaint);
  FBand2 = std::make_unique<TGridBandBrush>(repaint);
}

void TGridBandTool::BeforeDestruction() {
  Unhook();
  TPlotCustomToolAxis::BeforeDestruction();
}

void TGridBandTool::Unhook() {
  // A freed axis has already left the tool (GetAxis is then empty).
  if (FHookedAxis && FHookedAxis == GetAxis()) FHookedAxis->GridHook = nullptr;
  FHookedAxis = nullptr;
}

void TGridBandTool::Hook() {
  TChartAxis* a = GetAxis();
  if (!a || !GetParentChart() || FHookedAxis == a) return;
  a->GridHook = [this](TChartAxis* Sender) { DrawBands(Sender); };
  FHookedAxis = a;
}

void TGridBandTool::SetAxis(TChartAxis* Value) {
  if (Value == GetAxis()) return;
  Unhook();
  TPlotCustomToolAxis::SetAxis(Value);
  Hook();
}

void TGridBandTool::SetParentChart(TSeriesChart* Value) {
  if (!Value) Unhook();
  TPlotCustomToolAxis::SetParentChart(Value);
  Hook();
}

void TGridBandTool::DrawBands(TChartAxis* Axis) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!GetActive() || !Axis || !HasCanvas(chart)) return;
  const TAxisTicks& t = Axis->TickPixels;
  if (t.size() < 2) return;
  if (FBand1->GetStyle() == bsClear && FBand2->GetStyle() == bsClear) return;
  TCanvas3D& canvas = *chart->Canvas();
  TPlotBlend blend(canvas, TRect(0, 0, 0, 0));
  canvas.Pen->SetStyle(psClear);
  FCurrent = FBand1.get();
  const int32_t s = Axis->StartPixel, e = Axis->EndPixel;
  const size_t n = t.size() - 1;
  if (Axis->GetHorizontal()) {
    if (t[0] < e) DrawOneBand(*Axis, blend, e - 1, t[0]);
  } else if (s < t[0]) {
    DrawOneBand(*Axis, blend, s + 1, t[0]);
  }
  for (size_t i = 1; i <= n; ++i) DrawOneBand(*Axis, blend, t[i - 1], t[i]);
  if (Axis->GetHorizontal()) {
    if (s < t[n]) DrawOneBand(*Axis, blend, t[n], s);
  } else if (t[n] < e) {
    DrawOneBand(*Axis, blend, t[n], e);
  }
  FCurrent = nullptr;
}

void TGridBandTool::DrawOneBand(TChartAxis& Axis, TPlotBlend& Blend, int32_t P0, int32_t P1) {
  TGridBandBrush& band = *FCurrent;
  FCurrent = FCurrent == FBand1.get() ? FBand2.get() : FBand1.get();
  if (band.GetStyle() == bsClear) return;
  auto* chart = PanelOf(GetParentChart());
  TCanvas3D& canvas = *chart->Canvas();
  if (P0 > P1) std::swap(P0, P1);
  const TRect cr = chart->ChartRect;
  const TRect r = Axis.GetHorizontal() ? TRect(P0, cr.Top + 1, P1, cr.Bottom)
                                       : TRect(cr.Left + 1, P0, cr.Right, P1 + 1);
  const bool is3D = chart->GetView3D();
  const int32_t depth = chart->GetChartDepth();
  if (band.GetTransparency() > 0) Blend.SetRectangle(is3D ? canvas.RectBounds2D(r, depth) : r);
  if (band.Gradient()->GetVisible()) {
    band.Gradient()->FillRect(canvas, is3D ? canvas.RectTo2D(r, depth) : TRect(r.Left, r.Top, r.Right, r.Bottom - 1));
  } else {
    TColor back = band.GetBackColor();
    if (back == clNone) {
      auto* full = dynamic_cast<TCustomChart*>(chart);
      back = full ? full->BackWall()->Brush()->GetColor() : chart->GetColor();
    }
    canvas.UseBrushColor(band, band.GetColor(), back);
    canvas.Pen->SetStyle(psClear);
    if (is3D)
      canvas.RectAtDepth(r, depth);
    else
      canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom);
  }
  if (band.GetTransparency() > 0) Blend.DoBlend(band.GetTransparency());
}
