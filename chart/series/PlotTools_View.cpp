// Tools that change the chart's view or let the mouse move things: rotation,
// axis arrows, axis scrolling, series animation, series clipping and mark
// dragging.
#include <algorithm>
#include <cmath>

#include "chart/series/PlotTools.h"
#include "platform/ui/ExtCtrls.h"

namespace {

using PlotTools::PanelOf;

using PlotTools::HasCanvas;

}  // namespace

// ============================================================================
// Rotate
// ============================================================================

KV_CLASS_IMPL(TRotateTool, TPlotCustomTool) {
  c.Property("Button", &TRotateTool::Button).Names({"mbLeft", "mbRight", "mbMiddle"}).Default(TMouseButton::mbLeft);
  c.Property("Inverted", &TRotateTool::Inverted).Default(false);
  c.Property("Pen", &TRotateTool::Pen);
  c.Property("Style", &TRotateTool::Style).Names({"rsAll", "rsRotation", "rsElevation"}).Default(rsAll);
}

TRotateTool::TRotateTool(TComponent* Owner) : TPlotCustomTool(Owner) {}

void TRotateTool::Init() {
  TPlotCustomTool::Init();
  Pen()->UnstoredVisible = false;
  Pen()->SetVisibleField(false);
  Pen()->SetMode(pmXor);
  Pen()->SetColor(clWhite);
}

void TRotateTool::BeforeDestruction() {
  EndDrag();
  TPlotCustomTool::BeforeDestruction();
}

void TRotateTool::SetActive(bool Value) {
  if (!Value) EndDrag();
  TPlotCustomTool::SetActive(Value);
}

void TRotateTool::SetParentChart(TSeriesChart* Value) {
  if (Value != GetParentChart()) EndDrag();
  TPlotCustomTool::SetParentChart(Value);
}

void TRotateTool::EndDrag() {
  FDragging = false;
  if (!FSwitchSaved) return;
  FSwitchSaved = false;
  if (FDragChart) {
    FDragChart->AutoRepaint = FSavedRepaint;
    FDragChart->Invalidate();
  }
  FDragChart = nullptr;
}

void TRotateTool::DrawOutline() {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!HasCanvas(chart)) return;
  TCanvas3D& canvas = *chart->Canvas();
  const TRect r = chart->ChartRect;
  const int32_t depth = chart->GetChartDepth();
  canvas.Brush->SetStyle(bsClear);
  canvas.UsePen(*Pen());
  canvas.RectAtDepth(r, 0);
  canvas.RectAtDepth(r, depth);
  canvas.DepthLine(r.Left, r.Top, 0, depth);
  canvas.DepthLine(r.Right, r.Top, 0, depth);
  canvas.DepthLine(r.Right, r.Bottom, 0, depth);
  canvas.DepthLine(r.Left, r.Bottom, 0, depth);
  canvas.Pen->SetMode(pmCopy);
}

void TRotateTool::RotateStep(int32_t X, int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return;
  const int32_t W = std::max(1, chart->GetWidth()), H = std::max(1, chart->GetHeight());
  double dRot = (X - FLast.X) * 90.0 / W, dElev = (FLast.Y - Y) * 90.0 / H;
  if (Inverted) dRot = -dRot, dElev = -dElev;
  const bool outline = Pen()->GetVisible();
  if (outline) {
    if (FFirstMove) {
      // The chart does not repaint while it turns; the release gives the switch back.
      FSavedRepaint = chart->AutoRepaint;
      FSwitchSaved = true;
      FDragChart = chart;
      chart->AutoRepaint = false;
    } else {
      DrawOutline();
    }
  }
  FFirstMove = false;
  chart->SetView3D(true);
  TView3DOptions& view = *chart->View3DOptions();
  view.SetOrthogonal(false);
  double rotation = view.GetRotationFloat(), elevation = view.GetElevationFloat();
  const bool rotate = Style == rsAll || Style == rsRotation, elevate = Style == rsAll || Style == rsElevation;
  if (chart->Canvas() && chart->Canvas()->IsTrue3D()) {
    const auto wrap = [](double a) { return a > 360 ? a - 360 : a < 0 ? a + 360 : a; };
    if (rotate) rotation = wrap(rotation + dRot);
    if (elevate) elevation = wrap(elevation + dElev);
  } else {
    if (rotate && dRot != 0) {
      rotation += dRot;
      if (dRot > 0 && rotation > 360) rotation -= 360;
      if (dRot < 0 && rotation < 0) rotation += 360;
    }
    if (elevate && dElev != 0) {
      elevation += dElev;
      if (dElev > 0) elevation = std::min(elevation, 360.0);
      if (dElev < 0) elevation = std::max(elevation, 270.0);
    }
  }
  view.SetRotationFloat(rotation);
  view.SetElevationFloat(elevation);
  FLast = TPoint(X, Y);
  chart->MouseCancelled = true;
  if (outline && chart->Canvas()) {
    chart->Canvas()->RecalcRotatedView(chart->GetChartDepth(), chart->ChartRect);
    DrawOutline();
  }
  if (OnRotate) OnRotate(this);
}

void TRotateTool::HandleMouseEvent(int32_t Kind, TMouseButton AButton, TShiftState /*Shift*/, int32_t X, int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return;
  switch (Kind) {
    case tmeDown:
      if (AButton != Button) return;
      FDragging = true;
      FFirstMove = true;
      FLast = TPoint(X, Y);
      chart->MouseCancelled = true;
      break;
    case tmeMove:
      if (FDragging) RotateStep(X, Y);
      break;
    case tmeUp:
      if (FDragging) EndDrag();
      break;
    default: break;
  }
}

// ============================================================================
// Axis arrows
// ============================================================================

KV_CLASS_IMPL(TAxisArrowTool, TPlotCustomToolAxis) {
  c.Property("Axis", &TAxisArrowTool::GetAxis, &TAxisArrowTool::SetAxis).Stored(false);
  c.Property("Brush", &TAxisArrowTool::Brush);
  c.Property("HeadWidth", &TAxisArrowTool::GetHeadWidth, &TAxisArrowTool::SetHeadWidth).Default(8);
  c.Property("Length", &TAxisArrowTool::GetLength, &TAxisArrowTool::SetLength).Default(16);
  c.Property("Pen", &TAxisArrowTool::Pen);
  c.Property("Position", &TAxisArrowTool::GetPosition, &TAxisArrowTool::SetPosition)
      .Names({"aaStart", "aaEnd", "aaBoth"})
      .Default(aaBoth);
  c.Property("ScrollInverted", &TAxisArrowTool::ScrollInverted).Default(false);
  c.Property("ScrollPercent", &TAxisArrowTool::ScrollPercent).Default(10);
  c.Property("SizePercent", &TAxisArrowTool::GetSizePercent, &TAxisArrowTool::SetSizePercent).Default(50);
}

TAxisArrowTool::TAxisArrowTool(TComponent* Owner) : TPlotCustomToolAxis(Owner) {}

void TAxisArrowTool::SetPosition(TAxisArrowToolPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  Repaint();
}

void TAxisArrowTool::HandleChartEvent(int32_t Code) {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (Code != tceAfterDraw || !a || !HasCanvas(chart)) return;
  TCanvas3D& canvas = *chart->Canvas();
  canvas.UseBrush(*Brush());
  canvas.UsePen(*Pen());
  const int32_t z = chart->GetView3D() && a->GetOtherSide() ? chart->GetChartDepth() : 0;
  const auto at = [&](int32_t P) { return a->GetHorizontal() ? TPoint(P, a->AxisLinePos) : TPoint(a->AxisLinePos, P); };
  if (FPosition != aaEnd)
    canvas.Arrow(true, at(a->StartPixel + FLength), at(a->StartPixel), FHeadWidth, FHeadWidth, z, FSizePercent);
  if (FPosition != aaStart)
    canvas.Arrow(true, at(a->EndPixel - FLength), at(a->EndPixel), FHeadWidth, FHeadWidth, z, FSizePercent);
}

int32_t TAxisArrowTool::ClickedArrow(int32_t X, int32_t Y) const {
  TChartAxis* a = GetAxis();
  if (!a) return -1;
  const int32_t across = a->GetHorizontal() ? Y : X, along = a->GetHorizontal() ? X : Y;
  if (std::abs(across - a->AxisLinePos) > 2) return -1;
  if (FPosition != aaEnd && a->StartPixel < along && along < a->StartPixel + FLength) return 0;
  if (FPosition != aaStart && a->EndPixel - FLength < along && along < a->EndPixel) return 1;
  return -1;
}

void TAxisArrowTool::DoScroll(double Delta) {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!a || !chart) return;
  auto* full = dynamic_cast<TCustomChart*>(chart);
  bool allow = true;
  if (full && full->OnAllowScroll) {
    double mn = a->GetMinimum() + Delta, mx = a->GetMaximum() + Delta;
    full->OnAllowScroll(a, mn, mx, allow);
  }
  if (!allow) return;
  a->Scroll(Delta, false);
  // Series drawn on both axes of the pair keep both in step.
  TChartAxis* pair = a == chart->BottomAxis() ? chart->TopAxis()
                     : a == chart->TopAxis()  ? chart->BottomAxis()
                     : a == chart->LeftAxis() ? chart->RightAxis()
                     : a == chart->RightAxis() ? chart->LeftAxis()
                                               : nullptr;
  if (pair) {
    for (int32_t i = 0; i < chart->SeriesCount(); ++i) {
      TChartSeries* s = chart->GetSeries(i);
      const bool both = a->GetHorizontal() ? s->GetHorizAxis() == aBothHorizAxis : s->GetVertAxis() == aBothVertAxis;
      if (both && s->AssociatedToAxis(a)) {
        pair->Scroll(Delta, false);
        break;
      }
    }
  }
  if (chart->OnScroll) chart->OnScroll(chart);
}

void TAxisArrowTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                      int32_t Y) {
  TChartAxis* a = GetAxis();
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!a || !a->GetVisible() || !chart) return;
  if (Kind == tmeMove) {
    if (ClickedArrow(X, Y) >= 0) {
      chart->SetChartCursor(crHandPoint);
      chart->MouseCancelled = true;
    }
  } else if (Kind == tmeDown && ScrollPercent != 0) {
    const int32_t part = ClickedArrow(X, Y);
    if (part < 0) return;
    double delta = (a->GetMaximum() - a->GetMinimum()) * ScrollPercent / 100.0;
    if (ScrollInverted) delta = -delta;
    DoScroll(part == 0 ? delta : -delta);
    chart->MouseCancelled = true;
    if (OnClick) OnClick(this, part == 0);
  }
}

// ============================================================================
// Axis scroll
// ============================================================================

KV_CLASS_IMPL(TAxisScrollTool, TPlotCustomToolAxis) {
  c.Property("Axis", &TAxisScrollTool::GetAxis, &TAxisScrollTool::SetAxis).Stored(false);
  c.Property("ScrollInverted", &TAxisScrollTool::ScrollInverted).Default(false);
}

TChartAxis* TAxisScrollTool::AxisUnder(int32_t X, int32_t Y) const {
  if (TChartAxis* a = GetAxis()) return a->GetVisible() && a->HitTest(X, Y) ? a : nullptr;
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return nullptr;
  TChartAxes& axes = chart->GetAxes();
  for (int32_t i = 0; i < axes.Count(); ++i)
    if (TChartAxis* a = axes.Items(i); a->GetVisible() && a->HitTest(X, Y)) return a;
  return nullptr;
}

void TAxisScrollTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                       int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return;
  switch (Kind) {
    case tmeDown:
      FDragged = AxisUnder(X, Y);
      FLast = TPoint(X, Y);
      break;
    case tmeMove: {
      if (!FDragged) {
        if (AxisUnder(X, Y)) {
          chart->SetChartCursor(crHandPoint);
          chart->MouseCancelled = true;
        }
        return;
      }
      TChartAxis* dragged = FDragged;
      const bool horizontal = dragged->GetHorizontal();
      int32_t d = horizontal ? FLast.X - X : FLast.Y - Y;
      if (dragged->GetInverted()) d = -d;
      if (horizontal == ScrollInverted) d = -d;
      const auto scroll = [d](TChartAxis* a) {
        const int32_t size = a->EndPixel - a->StartPixel;
        if (size != 0) a->Scroll((a->GetMaximum() - a->GetMinimum()) * d / size, false);
      };
      scroll(dragged);
      TChartAxes& axes = chart->GetAxes();
      for (int32_t i = 0; i < axes.Count(); ++i) {
        TChartAxis* other = axes.Items(i);
        if (other == dragged || other->GetHorizontal() != horizontal || other->IsDepthAxis()) continue;
        for (int32_t k = 0; k < chart->SeriesCount(); ++k) {
          TChartSeries* s = chart->GetSeries(k);
          if (s->AssociatedToAxis(dragged) && s->AssociatedToAxis(other)) {
            scroll(other);
            break;
          }
        }
      }
      FLast = TPoint(X, Y);
      chart->MouseCancelled = true;
      break;
    }
    case tmeUp: FDragged = nullptr; break;
    default: break;
  }
}

// ============================================================================
// Series animation
// ============================================================================

KV_CLASS_IMPL(TSeriesAnimationTool, TPlotCustomToolSeries) {
  c.Property("DrawEvery", &TSeriesAnimationTool::DrawEvery).Default(0);
  c.Property("Loop", &TSeriesAnimationTool::Loop).Names({"salNo", "salOneWay", "salCircular"}).Default(salNo);
  c.Property("StartAtMin", &TSeriesAnimationTool::StartAtMin).Default(true);
  c.Property("StartValue", &TSeriesAnimationTool::StartValue).Default(0.0);
  c.Property("Steps", &TSeriesAnimationTool::Steps).Default(100);
}

TSeriesAnimationTool::TSeriesAnimationTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {
  FTimer = Create<TTimer>(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(10);
  FTimer->SetOnTimer([this](TObject*) { Step(); });
}

TSeriesAnimationTool::~TSeriesAnimationTool() = default;

void TSeriesAnimationTool::BeforeDestruction() {
  if (!FStopped) {
    RestoreValues();
    Finish();
  }
  TPlotCustomToolSeries::BeforeDestruction();
}

void TSeriesAnimationTool::Execute() {
  TChartSeries* s = GetSeries();
  if (!s || !FStopped) return;
  TChartValueList* list = s->MandatoryList();
  FSaved.assign(static_cast<size_t>(list->Count()), 0);
  for (int32_t i = 0; i < list->Count(); ++i) FSaved[static_cast<size_t>(i)] = list->GetValue(i);
  FTarget = s;
  s->BeginUpdate();
  FUpdates = 1;
  FStopped = false;
  FStopRequested = false;
  FPassFlag = true;
  StartPass();
  FTimer->SetEnabled(true);
}

void TSeriesAnimationTool::Refresh() {
  TChartSeries* s = FTarget;
  if (s && s->GetParentChart()) s->GetParentChart()->Invalidate();
}

void TSeriesAnimationTool::StartPass() {
  TChartSeries* s = FTarget;
  if (!s) return;
  FStart = StartValue;
  if (StartAtMin && !FSaved.empty()) FStart = *std::min_element(FSaved.begin(), FSaved.end());
  TChartValueList* list = s->MandatoryList();
  const int32_t n = std::min(list->Count(), static_cast<int32_t>(FSaved.size()));
  for (int32_t i = 0; i < n; ++i) list->StoreValue(i, FStart);
  const int32_t count = static_cast<int32_t>(FSaved.size());
  FGroups = DrawEvery <= 0 ? 1 : count / DrawEvery + (count % DrawEvery != 0 ? 1 : 0);
  FGroup = 0;
  FStepIndex = 0;
  Refresh();
}

void TSeriesAnimationTool::RestoreValues() {
  TChartSeries* s = FTarget;
  if (!s) return;
  TChartValueList* list = s->MandatoryList();
  const int32_t n = std::min(list->Count(), static_cast<int32_t>(FSaved.size()));
  for (int32_t i = 0; i < n; ++i) list->StoreValue(i, FSaved[static_cast<size_t>(i)]);
  list->RecalcStats();
  Refresh();
}

void TSeriesAnimationTool::Finish() {
  FTimer->SetEnabled(false);
  if (TChartSeries* s = FTarget)
    for (; FUpdates > 0; --FUpdates) s->EndUpdate();
  FUpdates = 0;
  FTarget = nullptr;
  FSaved.clear();
  FStopped = true;
  FStopRequested = false;
}

void TSeriesAnimationTool::Step() {
  if (FStopped) return;
  TChartSeries* s = FTarget;
  // A freed series (or one without a chart) ends the animation.
  if (!s || !s->GetParentChart()) {
    Finish();
    return;
  }
  if (FStopRequested) {
    RestoreValues();
    Finish();
    return;
  }
  const int32_t steps = std::max(1, Steps);
  const int32_t count = static_cast<int32_t>(FSaved.size());
  const int32_t first = DrawEvery <= 0 ? 0 : FGroup * DrawEvery;
  const int32_t last = DrawEvery <= 0 ? count - 1 : std::min(count, first + DrawEvery) - 1;
  TChartValueList* list = s->MandatoryList();
  const int32_t e = FStepIndex;
  const double f = static_cast<double>(e) / steps;
  for (int32_t i = first; i <= last && i < list->Count(); ++i) {
    const double saved = FSaved[static_cast<size_t>(i)];
    const double v = Loop == salCircular && !FPassFlag ? saved * (steps - e) / steps : saved * f + FStart * (1 - f);
    list->StoreValue(i, v);
  }
  list->RecalcStats();
  if (OnStep) OnStep(this, e);
  Refresh();
  if (++FStepIndex <= steps) return;
  FStepIndex = 0;
  if (++FGroup < FGroups) return;
  RestoreValues();
  if (Loop == salNo) {
    Finish();
    return;
  }
  FPassFlag = !FPassFlag;
  StartPass();
}

// ============================================================================
// Clip series
// ============================================================================

KV_CLASS_IMPL(TClipSeriesTool, TPlotCustomToolSeries) {}

void TClipSeriesTool::BeforeDestruction() {
  if (FHooked) FHooked->RemoveDrawHook(this);
  FHooked = nullptr;
  TPlotCustomToolSeries::BeforeDestruction();
}

void TClipSeriesTool::SetSeries(TChartSeries* Value) {
  if (FHooked) FHooked->RemoveDrawHook(this);
  FHooked = nullptr;
  TPlotCustomToolSeries::SetSeries(Value);
  if (TChartSeries* s = GetSeries()) {
    s->AddDrawHook(this, [this](TObject* Sender) { BeforeDraw(Sender); },
                   [this](TObject* Sender) { AfterDraw(Sender); });
    FHooked = s;
  }
}

void TClipSeriesTool::BeforeDraw(TObject* /*Sender*/) {
  TChartSeries* s = GetSeries();
  TCustomAxisPanel* chart = s ? PanelOf(s->GetParentChart()) : nullptr;
  FClipped = false;
  if (!GetActive() || !chart || !chart->ClippingAllowed() || !HasCanvas(chart)) return;
  TChartAxis* h = s->GetHorizAxisRef();
  TChartAxis* v = s->GetVertAxisRef();
  if (!h || !v) return;
  chart->Canvas()->ClipRect(TRect(h->StartPixel, v->StartPixel, h->EndPixel, v->EndPixel));
  FClipped = true;
}

void TClipSeriesTool::AfterDraw(TObject* /*Sender*/) {
  if (!FClipped) return;
  FClipped = false;
  TChartSeries* s = GetSeries();
  if (TCustomAxisPanel* chart = s ? PanelOf(s->GetParentChart()) : nullptr; chart && chart->Canvas())
    chart->Canvas()->Unclip();
}

// ============================================================================
// Drag marks
// ============================================================================

KV_CLASS_IMPL(TDragMarksTool, TPlotCustomToolSeries) {}

TChartSeries* TDragMarksTool::MarkUnder(int32_t X, int32_t Y, int32_t& Index) const {
  Index = -1;
  const auto markOf = [&](TChartSeries* s) {
    if (!s->GetActive() || !s->Marks() || !s->Marks()->MarksVisible()) return -1;
    return s->Marks()->MarkAtPixel(X, Y);
  };
  if (TChartSeries* s = GetSeries()) {
    Index = markOf(s);
    return Index >= 0 ? s : nullptr;
  }
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return nullptr;
  for (int32_t i = chart->SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = chart->GetSeries(i);
    Index = markOf(s);
    if (Index >= 0) return s;
  }
  return nullptr;
}

void TDragMarksTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                      int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart) return;
  switch (Kind) {
    case tmeDown: {
      int32_t index = -1;
      if (TChartSeries* s = MarkUnder(X, Y, index)) {
        FSeries = s;
        GrabbedIndex = index;
        FLast = TPoint(X, Y);
        chart->MouseCancelled = true;
      }
      break;
    }
    case tmeMove: {
      TChartSeries* s = FSeries;
      if (s && GrabbedIndex >= 0) {
        if (TSeriesMarkPosition* p = s->Marks() ? s->Marks()->PositionAt(GrabbedIndex) : nullptr) {
          const int32_t dx = X - FLast.X, dy = Y - FLast.Y;
          p->IsCustom = true;
          p->TopLeft = TPoint(p->TopLeft.X + dx, p->TopLeft.Y + dy);
          p->ArrowTail = TPoint(p->ArrowTail.X + dx, p->ArrowTail.Y + dy);
        }
        FLast = TPoint(X, Y);
        chart->MouseCancelled = true;
        chart->Invalidate();
        return;
      }
      int32_t index = -1;
      if (MarkUnder(X, Y, index)) {
        chart->SetChartCursor(crHandPoint);
        chart->MouseCancelled = true;
      }
      break;
    }
    case tmeUp:
      FSeries = nullptr;
      GrabbedIndex = -1;
      break;
    default: break;
  }
}
