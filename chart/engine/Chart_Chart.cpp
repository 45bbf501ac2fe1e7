// The chart control: construction, the chart-specific slots of the draw
// cycle, the clicked-part test and the mouse protocol (clicks, pop-up menus,
// zoom, panning and wheel scrolling).
#include <algorithm>
#include <cmath>
#include <set>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "platform/rtl/SysUtils.h"

using enum TShiftStateItem;

namespace {

bool Has(TShiftState Shift, TShiftStateItem Item) { return Shift.Contains(Item); }

bool InRect(const TRect& R, int32_t X, int32_t Y) {
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

// Suspends the canvas' 3-D rotation for a scope.
class [[nodiscard]] FlatScope {
public:
  explicit FlatScope(TCanvas3D& Canvas) : FCanvas(Canvas) { Canvas.DisableRotation(); }
  ~FlatScope() { FCanvas.EnableRotation(); }
  FlatScope(const FlatScope&) = delete;
  FlatScope& operator=(const FlatScope&) = delete;

private:
  TCanvas3D& FCanvas;
};

}  // namespace

// ============================================================================
// Construction and published properties
// ============================================================================

KV_CLASS_IMPL(TCustomChart, TCustomAxisPanel) {
  c.Property("BackColor", &TCustomChart::GetBackColorText, &TCustomChart::ReadBackColor).Stored(false);
  c.Property("BackWall", &TCustomChart::BackWall);
  c.Property("BottomWall", &TCustomChart::BottomWall);
  c.Property("ColorPaletteIndex", &TCustomChart::GetColorPaletteIndex, &TCustomChart::SetColorPaletteIndex)
      .Default(0);
  c.Property("Foot", &TCustomChart::Foot);
  c.Property("Frame", &TCustomChart::Frame);
  c.Property("LeftWall", &TCustomChart::LeftWall);
  c.Property("Legend", &TCustomChart::Legend);
  c.Property("RightWall", &TCustomChart::RightWall);
  c.Property("ScrollMouseButton", &TCustomChart::GetScrollMouseButton, &TCustomChart::SetScrollMouseButton)
      .Names({"mbLeft", "mbRight", "mbMiddle"})
      .Default(1);
  c.Property("SubFoot", &TCustomChart::SubFoot);
  c.Property("SubTitle", &TCustomChart::SubTitle);
  c.Property("Title", &TCustomChart::Title);
}
KV_CLASS_IMPL(TChart, TCustomChart) {}

TCustomChart::TCustomChart(TComponent* Owner) : TCustomAxisPanel(Owner) {
  AutoRepaint = false;
  FTitle = std::make_unique<TChartTitle>(this);
  if (IsDesigning()) FTitle->SetTextLine(ClassName());
  FScrollMouseButton = TMouseButton::mbRight;
  FSubTitle = std::make_unique<TChartTitle>(this);
  FFoot = std::make_unique<TChartFootTitle>(this);
  FSubFoot = std::make_unique<TChartFootTitle>(this);
  FWalls = std::make_unique<TChartWalls>(this);
  SetView3DWalls(true);
  FLegend = std::make_unique<TChartLegend>(this);
  ScalesUnsaved = true;
  AutoRepaint = true;
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::BeforeDestruction() {
  SavedScales.clear();
  AutoRepaint = false;
  FSeriesLegends.clear();
  TCustomAxisPanel::BeforeDestruction();
}

void TCustomChart::Assign(const TPersistent* Source) {
  if (auto* c = dynamic_cast<const TCustomChart*>(Source)) {
    ColorPaletteIndex = c->ColorPaletteIndex;
    FFoot->Assign(c->FFoot.get());
    FLegend->Assign(c->FLegend.get());
    FScrollMouseButton = c->FScrollMouseButton;
    FSubFoot->Assign(c->FSubFoot.get());
    FSubTitle->Assign(c->FSubTitle.get());
    FTitle->Assign(c->FTitle.get());
    FWalls->Assign(c->FWalls.get());
  }
  TCustomAxisPanel::Assign(Source);
}

TChartPen* TCustomChart::Frame() const { return FWalls ? BackWall()->Pen() : nullptr; }

void TCustomChart::SetFrame(const TChartPen* V) {
  if (TChartPen* p = Frame()) p->Assign(V);
}

void TCustomChart::SetColorPaletteIndex(int32_t Index) {
  ColorPaletteIndex = Index;
  if (Index > 0) Chart::ApplyPalette(this, Index);
}

std::string TCustomChart::GetBackColorText() const { return std::to_string(BackWall()->GetColor()); }

void TCustomChart::ReadBackColor(const std::string& Text) {
  TColor color = 0;
  if (!PlotProcs::ColorFromText(Text, color)) return;
  BackWall()->SetColor(color);
  if (HasParentWindow && !Loading) BackWall()->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TCustomChart::SetSeriesLegend(TChartSeries* Series, TCustomChartLegend* Legend) {
  std::erase_if(FSeriesLegends, [&](const auto& e) { return !e.first || e.first.Get() == Series; });
  if (Series && Legend) FSeriesLegends.emplace_back(WeakRef<TChartSeries>(Series), Legend);
}

TCustomChartLegend* TCustomChart::SeriesLegend(const TChartSeries* Series) const {
  for (const auto& e : FSeriesLegends)
    if (e.first && e.first.Get() == Series) return e.second;
  return nullptr;
}

// ============================================================================
// Panel slots
// ============================================================================

TColor TCustomChart::GetBackColor() {
  return BackWall()->GetTransparent() ? GetColor() : BackWall()->GetColor();
}

bool TCustomChart::IsFreeSeriesColor(TColor Color, bool CheckBackground, TChartSeries* Series) {
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (s != Series && s->GetSeriesColor() == Color) return false;
  }
  return !(CheckBackground && (Color == GetColor() || Color == BackWall()->GetColor()));
}

TChartSeries* TCustomChart::FirstActiveSeriesOf(const TCustomAxisPanel& Chart) {
  for (int32_t i = 0; i < Chart.SeriesCount(); ++i)
    if (Chart.GetSeries(i)->GetActive()) return Chart.GetSeries(i);
  return nullptr;
}

std::string TCustomChart::AxisTitleOrName(const TChartAxis* Axis) const {
  if (!Axis) return {};
  if (!Axis->Title()->GetCaption().empty()) return Axis->Title()->GetCaption();
  if (Axis == DepthAxis()) return PlotConst::MsgDepthRightAxis;
  if (Axis == DepthTopAxis()) return PlotConst::MsgDepthTopAxis;
  if (Axis->GetHorizontal()) return Axis->GetOtherSide() ? PlotConst::MsgTopAxis : PlotConst::MsgBottomAxis;
  return Axis->GetOtherSide() ? PlotConst::MsgRightAxis : PlotConst::MsgLeftAxis;
}

void TCustomChart::GetLegendText(TChartSeries* Series, int32_t Index, std::string& Text) {
  Text.clear();
  if (!Series || Index == -1) return;
  const TCustomChartLegend* legend = SeriesLegend(Series);
  if (!legend) legend = FLegend.get();
  Text = Series->GetLegendString(Index, legend->GetTextStyle());
  std::replace(Text.begin(), Text.end(), '\r', ' ');
}

void TCustomChart::LegendItemText(const TCustomChartLegend& Legend, int32_t Index, std::string& Text) {
  Text = Legend.ItemText(Index);
  if (OnGetLegendText) OnGetLegendText(this, Legend.EffectiveStyle, Index, Text);
}

void TCustomChart::DrawLegendSymbolRect(const TRect& Rect) {
  TLegendSymbol& symbol = *FLegend->Symbol();
  if (symbol.Gradient()->GetVisible())
    symbol.DrawGradientSymbol(*Canvas(), Canvas()->Brush->GetColor(), Rect);
  else
    TCustomAxisPanel::DrawLegendSymbolRect(Rect);
}

void TCustomChart::DrawTitlesAndLegend(bool BeforeSeries) {
  TPlotCanvas3D& c = *Canvas();
  {
    const FlatScope flat(c);
    TChartTitle* const titles[] = {FTitle.get(), FSubTitle.get(), FFoot.get(), FSubFoot.get()};
    const auto paintTitles = [&](bool Custom) {
      for (TChartTitle* t : titles)
        if (t->GetCustomPosition() == Custom) t->PaintTitle();
    };
    TChartLegend& legend = *FLegend;
    if (BeforeSeries) {
      if (legend.GetCustomPosition() || !legend.HasContent()) {
        paintTitles(false);
      } else if (legend.AtSide()) {
        legend.PaintLegend();
        paintTitles(false);
      } else {
        paintTitles(false);
        legend.PaintLegend();
      }
    } else {
      if (legend.GetCustomPosition() && legend.HasContent()) legend.PaintLegend();
      paintTitles(true);
    }
  }
  if (!BeforeSeries && GetView3D() && UsesAxes()) DrawFrontWallsAndAxes();
}

// ============================================================================
// Clicked parts
// ============================================================================

TChartClickedPart TCustomChart::ClickedPartTest(int32_t X, int32_t Y, bool OnlyClickable) {
  TChartClickedPart part;
  TChartLegend& legend = *FLegend;
  const auto legendItem = [&](bool Custom) {
    if (!legend.GetVisible() || legend.GetCustomPosition() != Custom) return false;
    const int32_t item = legend.Clicked(X, Y);
    if (item == -1) return false;
    part.Part = cpLegend;
    part.PointIndex = item;
    return true;
  };
  if (legendItem(true)) return part;
  for (int32_t i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetActive()) continue;
    if (OnlyClickable && !PopupRequest && !s->OnClick && !s->OnDblClick && !OnClickSeries) continue;
    if (const int32_t point = s->PointAtPixel(X, Y); point != -1) {
      part = {cpSeries, point, s, nullptr};
      return part;
    }
    TSeriesMarksBase* marks = s->Marks();
    if (const int32_t mark = marks && marks->MarksVisible() ? marks->MarkAtPixel(X, Y) : -1; mark != -1) {
      part = {cpSeriesMarks, mark, s, nullptr};
      return part;
    }
  }
  TChartAxes& axes = GetAxes();
  for (int32_t i = 0; i < axes.Count(); ++i) {
    TChartAxis* a = axes.Items(i);
    if (a->GetVisible() && a->HitTest(X, Y)) {
      part.Part = cpAxis;
      part.AAxis = a;
      return part;
    }
  }
  if (legendItem(false)) return part;
  const std::pair<TChartTitle*, TChartClickedPartStyle> titles[] = {
      {FTitle.get(), cpTitle}, {FSubTitle.get(), cpSubTitle}, {FFoot.get(), cpFoot}, {FSubFoot.get(), cpSubFoot}};
  for (const auto& [title, code] : titles)
    if (title->Clicked(X, Y)) {
      part.Part = code;
      return part;
    }
  if (InRect(ChartRect, X, Y) && CountActiveSeries() > 0) part.Part = cpChartRect;
  return part;
}

// ============================================================================
// Mouse
// ============================================================================

bool TCustomChart::FireClick(const std::function<void()>& Event) {
  MouseCancelled = true;
  Event();
  return MouseCancelled;
}

void TCustomChart::ToggleLegendSeries() {
  // A pair switches once: its partner follows and is not switched back by its own turn.
  std::set<TChartSeries*> done;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetShowInLegend() || done.contains(s)) continue;
    s->SetActive(!s->GetActive());
    done.insert(s);
    if (TChartSeries* p = s->PairedSeries) {
      p->SetActive(s->GetActive());
      done.insert(p);
    }
  }
}

void TCustomChart::BeginZoomOrScroll(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y, bool& Handled) {
  if (!UsesAxes()) return;
  bool started = false;
  TPlotZoom& zoom = Zoom();
  if (zoom.StartsDrag(Button, Shift)) {
    const int32_t x0 = zoom.Direction == tzdVertical ? ChartRect.Left : X;
    const int32_t y0 = zoom.Direction == tzdHorizontal ? ChartRect.Top : Y;
    zoom.Activate(x0, y0);
    if (zoom.Direction == tzdVertical) zoom.X1 = ChartRect.Right;
    if (zoom.Direction == tzdHorizontal) zoom.Y1 = ChartRect.Bottom;
    DrawZoomRectangle();
    started = true;
  }
  if (AllowPanning != TPanningMode::pmNone && Button == FScrollMouseButton && !Has(Shift, ssShift) &&
      !Has(Shift, ssAlt) && !Has(Shift, ssCtrl)) {
    Panning.Activate(X, Y);
    started = true;
  }
  if (started) {
    SetChartCursor(GetOriginalCursor());
    Handled = true;
  }
}

void TCustomChart::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  FLastMousePoint = TPoint{X, Y};
  TCustomPlotPanel::MouseDown(Button, Shift, X, Y);
  if (MouseCancelled || Zoom().Active || Panning.Active) return;
  MouseCancelled = false;
  TChartTools& tools = GetTools();
  for (int32_t i = 0; i < tools.Count() && !MouseCancelled; ++i)
    if (TPlotCustomTool* t = tools.ToolAt(i); t->GetActive()) t->HandleMouseEvent(0, Button, Shift, X, Y);
  PopupRequest = Has(Shift, ssShift) && Has(Shift, ssRight);
  bool handled = false, backgroundFired = false;
  const auto zoomOrScroll = [&] {
    if (!handled) BeginZoomOrScroll(Button, Shift, X, Y, handled);
  };
  if (!MouseCancelled) {
    const TChartClickedPart part = ClickedPartTest(X, Y, true);
    switch (part.Part) {
      case cpLegend: {
        if (Has(Shift, ssShift) && Has(Shift, ssLeft)) ToggleLegendSeries();
        if (PopupRequest) {
          LegendPopup();
          handled = true;
          break;
        }
        if (Button == TMouseButton::mbLeft) {
          handled = FLegend->CheckBoxClick(X, Y, part.PointIndex);
        } else if (Button == TMouseButton::mbRight) {
          TChartSeries* s = LegendSeries(part.PointIndex, false);
          if (s && !s->NoEditPopup && PlotEngine::ShowSeriesStyleEditor) PlotEngine::ShowSeriesStyleEditor(s);
        }
        if (OnClickLegend) handled = FireClick([&] { OnClickLegend(this, Button, Shift, X, Y); });
        break;
      }
      case cpAxis:
        if (PopupRequest) {
          ClickedAxis = part.AAxis;
          AxisPopup(part.AAxis);
        }
        if (OnClickAxis) handled = FireClick([&] { OnClickAxis(this, part.AAxis, Button, Shift, X, Y); });
        zoomOrScroll();
        break;
      case cpSeries: {
        TChartSeries* s = part.ASeries;
        MouseCancelled = false;
        const TSeriesClick& event = Has(Shift, ssDouble) ? s->OnDblClick : s->OnClick;
        if (event) event(s, part.PointIndex, Button, Shift, X, Y);
        handled = MouseCancelled;
        if (PopupRequest) {
          ClickedSeries = s;
          if (!s->NoEditPopup) SeriesPopup(s);
        }
        if (OnClickSeries)
          handled = FireClick([&] { OnClickSeries(this, s, part.PointIndex, Button, Shift, X, Y); });
        zoomOrScroll();
        break;
      }
      case cpTitle: case cpFoot: case cpSubTitle: case cpSubFoot: {
        TChartTitle* title = part.Part == cpTitle      ? FTitle.get()
                             : part.Part == cpSubTitle ? FSubTitle.get()
                             : part.Part == cpFoot     ? FFoot.get()
                                                       : FSubFoot.get();
        if (OnClickTitle) handled = FireClick([&] { OnClickTitle(this, title, Button, Shift, X, Y); });
        zoomOrScroll();
        break;
      }
      case cpChartRect:
        if (OnClickBackground) {
          handled = FireClick([&] { OnClickBackground(this, Button, Shift, X, Y); });
          backgroundFired = true;
        }
        zoomOrScroll();
        break;
      case cpNone: case cpSeriesMarks: break;
    }
  }
  // One click fires OnClickBackground at most once.
  if (!handled && !backgroundFired && OnClickBackground)
    FireClick([&] { OnClickBackground(this, Button, Shift, X, Y); });
  MouseCancelled = false;
}

bool TCustomChart::PanAxes(bool Horizontal, int32_t New, int32_t Old) {
  if (New == Old) return false;
  const TPanningMode mode = AllowPanning;
  if (mode != TPanningMode::pmBoth &&
      mode != (Horizontal ? TPanningMode::pmHorizontal : TPanningMode::pmVertical))
    return false;
  bool scrolled = false;
  TChartAxes& axes = GetAxes();
  for (int32_t i = 0; i < axes.Count(); ++i) {
    TChartAxis* a = axes.Items(i);
    if (a->IsDepthAxis() || a->GetHorizontal() != Horizontal) continue;
    const double vOld = a->CalcPosPoint(Old), vNew = a->CalcPosPoint(New);
    double mn, mx;
    if (!a->GetLogarithmic()) {
      const double d = vOld - vNew;
      mn = a->GetMinimum() + d;
      mx = a->GetMaximum() + d;
    } else if (a->LinLogActive) {
      const double t = a->LinLogThreshold;
      const double d = PlotEngine::LinLog(t, vOld) - PlotEngine::LinLog(t, vNew);
      mn = PlotEngine::InvLinLog(t, PlotEngine::LinLog(t, a->GetMinimum()) + d);
      mx = PlotEngine::InvLinLog(t, PlotEngine::LinLog(t, a->GetMaximum()) + d);
    } else {
      const double d = std::log(vOld) - std::log(vNew);
      mn = std::exp(std::log(a->GetMinimum()) + d);
      mx = std::exp(std::log(a->GetMaximum()) + d);
    }
    bool allow = true;
    if (OnAllowScroll) OnAllowScroll(a, mn, mx, allow);
    if (allow) a->SetMinMax(mn, mx);
    scrolled = true;
  }
  return scrolled;
}

void TCustomChart::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  // A flag a tool set at the last release must not hide this move.
  MouseCancelled = false;
  TChartTools& tools = GetTools();
  if (!IsDesigning())
    for (int32_t i = 0; i < tools.Count() && !MouseCancelled; ++i)
      if (TPlotCustomTool* t = tools.ToolAt(i); t->GetActive())
        t->HandleMouseEvent(1, TMouseButton::mbLeft, Shift, X, Y);
  UpdateAxisHint(X, Y);
  if (!MouseCancelled) {
    TPlotZoom& zoom = Zoom();
    if (zoom.Active) {
      if (zoom.Direction == tzdVertical) X = ChartRect.Right;
      if (zoom.Direction == tzdHorizontal) Y = ChartRect.Bottom;
      if (X != zoom.X1 || Y != zoom.Y1) {
        DrawZoomRectangle();
        zoom.X1 = X;
        zoom.Y1 = Y;
        DrawZoomRectangle();
      }
    } else if (Panning.Active) {
      if (!InRect(ChartRect, X, Y)) {
        Panning.Active = false;
      } else if (X != Panning.X1 || Y != Panning.Y1) {
        if (ScalesUnsaved) SaveScales();
        const bool h = PanAxes(true, X, Panning.X1);
        const bool v = PanAxes(false, Y, Panning.Y1);
        Panning.X1 = X;
        Panning.Y1 = Y;
        if (h || v) {
          if (OnScroll) OnScroll(this);
          Invalidate();
        }
      }
    } else if (!CheckMouseOverSeries(X, Y)) {
      SetChartCursor(GetOriginalCursor());
    }
  }
  TCustomPlotPanel::MouseMove(Shift, X, Y);
  if (OverAxis) SetChartCursor(crHandPoint);
}

void TCustomChart::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  MouseCancelled = false;
  TCustomPlotPanel::MouseUp(Button, Shift, X, Y);
  TPlotZoom& zoom = Zoom();
  if (zoom.Active && Button == zoom.MouseButton) {
    DrawZoomRectangle();
    zoom.Active = false;
    if (Canvas()->Pen) Canvas()->Pen->SetMode(pmCopy);
    if (zoom.Direction != tzdVertical) zoom.X1 = X;
    if (zoom.Direction != tzdHorizontal) zoom.Y1 = Y;
    switch (zoom.DragResult()) {
      case TZoomDragResult::zdrZoom: ZoomRect(); break;
      case TZoomDragResult::zdrUndo: UndoZoom(); break;
      case TZoomDragResult::zdrNothing: break;
    }
    Invalidate();
  }
  Panning.Active = false;
  TChartTools& tools = GetTools();
  for (int32_t i = 0; i < tools.Count() && !MouseCancelled; ++i)
    if (TPlotCustomTool* t = tools.ToolAt(i); t->GetActive()) t->HandleMouseEvent(2, Button, Shift, X, Y);
}

bool TCustomChart::DblClick() { return TCustomPlotPanel::DblClick(); }

void TCustomChart::MouseWheel(TShiftState /*Shift*/, int32_t WheelDelta, int32_t /*X*/, int32_t /*Y*/) {
  if (WheelDelta == 0) return;
  const double sign = WheelDelta < 0 ? 1.0 : -1.0;
  TChartAxes& axes = GetAxes();
  for (int32_t i = 0; i < axes.Count(); ++i) {
    TChartAxis* a = axes.Items(i);
    if (a->GetHorizontal()) continue;
    a->Scroll(sign * (a->GetMaximum() - a->GetMinimum()) * 0.03, false);
  }
}

// ============================================================================
// Zoom
// ============================================================================

void TCustomChart::SaveScales() {
  TChartAxes& axes = GetAxes();
  SavedScales.assign(static_cast<size_t>(axes.Count()), TAllAxisSavedScales{});
  for (int32_t i = 0; i < axes.Count(); ++i) {
    const TChartAxis* a = axes.Items(i);
    if (a->IsDepthAxis()) continue;
    SavedScales[static_cast<size_t>(i)] = {a->GetAutomatic(), a->GetAutomaticMinimum(), a->GetAutomaticMaximum(),
                                           a->GetMinimum(), a->GetMaximum()};
  }
  ScalesUnsaved = false;
}

void TCustomChart::ZoomRect() {
  TPlotZoom& zoom = Zoom();
  zoom.Check();
  const auto at = [](TChartAxis* a, int32_t p) { return a->CalcPosPoint(p); };
  ZoomValues(at(TopAxis(), zoom.X0), at(TopAxis(), zoom.X1), at(BottomAxis(), zoom.X0), at(BottomAxis(), zoom.X1),
             at(LeftAxis(), zoom.Y1), at(LeftAxis(), zoom.Y0), at(RightAxis(), zoom.Y1), at(RightAxis(), zoom.Y0));
}

void TCustomChart::ZoomValues(double TopMin, double TopMax, double BottomMin, double BottomMax, double LeftMin,
                              double LeftMax, double RightMin, double RightMax) {
  if (ScalesUnsaved) SaveScales();
  struct Target {
    TChartAxis* Axis;
    double Min, Max;
  };
  const Target targets[] = {{LeftAxis(), LeftMin, LeftMax},
                            {RightAxis(), RightMin, RightMax},
                            {TopAxis(), TopMin, TopMax},
                            {BottomAxis(), BottomMin, BottomMax}};
  if (Zoom().Animated) {
    for (int32_t step = 1; step < Zoom().AnimatedSteps; ++step) {
      for (const Target& t : targets) {
        TChartAxis* a = t.Axis;
        const double mx = a->GetMaximum() - (a->GetMaximum() - t.Max) / 3;
        const double mn = a->GetMinimum() + (t.Min - a->GetMinimum()) / 3;
        a->SetMinMax(mn, mx);
      }
      Invalidate();
      DrawToClient();
    }
  }
  for (const Target& t : targets) t.Axis->SetMinMax(t.Min, t.Max);
  Zoomed = true;
  if (OnZoom) OnZoom(this);
}

void TCustomChart::UndoZoom() {
  if (!ScalesUnsaved) {
    TChartAxes& axes = GetAxes();
    for (int32_t i = 0; i < axes.Count() && i < static_cast<int32_t>(SavedScales.size()); ++i) {
      TChartAxis* a = axes.Items(i);
      if (a->IsDepthAxis()) continue;
      const TAllAxisSavedScales& s = SavedScales[static_cast<size_t>(i)];
      a->SetAutomatic(s.Auto);
      a->SetAutomaticMinimum(s.AutoMin);
      a->SetAutomaticMaximum(s.AutoMax);
      a->StoreLimits(s.Min, s.Max);
    }
    SavedScales.clear();
    ScalesUnsaved = true;
  }
  TCustomPlotPanelExtended::UndoZoom();
}
