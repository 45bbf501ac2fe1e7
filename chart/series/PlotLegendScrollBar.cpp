// The scroll bar tool: drawn after the whole chart, driven by the chart's
// mouse events, repeating while a button is held; the legend bar scrolls the
// legend's items or the chart's pages.
#include "chart/series/PlotLegendScrollBar.h"

#include "platform/rtl/ClassInfo.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/PlotProcs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/gdi/Pixels.h"

namespace {

constexpr TColor kGrey = 8421504;
constexpr int32_t kRepeatInterval = 50;

bool Inside(const TRect& R, int32_t X, int32_t Y) {
  return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

}  // namespace

KV_CLASS_IMPL(TPlotScrollBar, TPlotCustomTool) {
  c.Property("ArrowBrush", &TPlotScrollBar::ArrowBrush);
  c.Property("AutoRepeat", &TPlotScrollBar::AutoRepeat).Default(true);
  c.Property("BackColor", &TPlotScrollBar::GetBackColor, &TPlotScrollBar::SetBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clScrollBar);
  c.Property("Bevel", &TPlotScrollBar::GetBevel, &TPlotScrollBar::SetBevel)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvRaised);
  c.Property("DrawStyle", &TPlotScrollBar::DrawStyle).Names({"dsAlways", "dsWhenNeeded"}).Default(dsAlways);
  c.Property("Gradient", &TPlotScrollBar::Gradient);
  c.Property("InitialDelay", &TPlotScrollBar::InitialDelay).Default(250);
  c.Property("MinThumbSize", &TPlotScrollBar::GetMinThumbSize, &TPlotScrollBar::SetMinThumbSize).Default(4);
  c.Property("Size", &TPlotScrollBar::GetSize, &TPlotScrollBar::SetSize).Default(18);
  c.Property("ThumbBrush", &TPlotScrollBar::ThumbBrush);
}

TPlotScrollBar::TPlotScrollBar(TComponent* Owner) : TPlotCustomTool(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FArrowBrush = std::make_unique<TChartBrush>(repaint);
  FThumbBrush = std::make_unique<TChartBrush>(repaint);
  FThumbBrush->SetColor(12632256);
  FGradient = std::make_unique<TPlotGradient>(repaint);
}

void TPlotScrollBar::Init() {
  TPlotCustomTool::Init();
  Brush()->SetColor(clWhite);
  Pen()->SetColor(clWindowFrame);
}

TPlotScrollBar::~TPlotScrollBar() = default;

void TPlotScrollBar::SetParentChart(TSeriesChart* Value) {
  TPlotCustomTool::SetParentChart(Value);
  Repaint();
}

void TPlotScrollBar::SetBevel(TBevelCut Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Repaint();
}

void TPlotScrollBar::SetSize(int32_t Value) {
  if (FSize == Value) return;
  FSize = Value;
  Repaint();
  if (OnChangeSize) OnChangeSize(this);
}

void TPlotScrollBar::SetPosition(int32_t Value) {
  if (FPosition != Value) {
    FPosition = Value;
    Repaint();
  }
  if (OnSetPosition) OnSetPosition(this, Value);
}

// ---- geometry ----

TRect TPlotScrollBar::BarRect() const {
  const TRect& b = Bounds;
  return Horizontal ? TRect(b.Left, b.Bottom - 1, b.Right, b.Bottom + FSize) : TRect(b.Right - FSize - 1, b.Top, b.Right, b.Bottom);
}

TRect TPlotScrollBar::TrackRect() const {
  TRect r = BarRect();
  if (Horizontal)
    r.Left += FSize, r.Right -= FSize;
  else
    r.Top += FSize, r.Bottom -= FSize;
  return r;
}

TRect TPlotScrollBar::FirstButtonRect() const {
  const TRect& b = Bounds;
  return Horizontal ? TRect(b.Left, b.Bottom, b.Left + FSize, b.Bottom + FSize)
                    : TRect(b.Right - FSize - 1, b.Top, b.Right, b.Top + FSize);
}

TRect TPlotScrollBar::SecondButtonRect() const {
  const TRect& b = Bounds;
  return Horizontal ? TRect(b.Right - FSize, b.Bottom, b.Right, b.Bottom + FSize)
                    : TRect(b.Right - FSize - 1, b.Bottom - FSize, b.Right, b.Bottom);
}

TRect TPlotScrollBar::ThumbRect() const {
  const TRect& b = Bounds;
  if (!Horizontal) return TRect(b.Right - FSize, ThumbStart, b.Right, ThumbEnd);
  TRect r(ThumbStart, b.Bottom, ThumbEnd, b.Bottom + FSize);
  if (r.Right - r.Left < 2) ++r.Right;
  return r;
}

void TPlotScrollBar::CalcThumb() {
  const int32_t total = Total();
  if (total == 0) {
    ThumbStart = ThumbEnd = ThumbSize = 0;
    return;
  }
  const int32_t along = Horizontal ? Bounds.Right - Bounds.Left : Bounds.Bottom - Bounds.Top;
  const double scale = double(along - 2 * FSize) / total;
  ThumbSize = std::max(Pixels::Round(PageSize() * scale), FMinThumbSize);
  ThumbStart = (Horizontal ? Bounds.Left : Bounds.Top) + Pixels::Round(Position() * scale) + FSize;
  ThumbEnd = ThumbStart + ThumbSize + 1;
}

// ---- drawing ----

void TPlotScrollBar::Draw(TCanvas3D& Canvas) {
  const auto barBrush = [&] { Canvas.UseBrushColor(*Brush(), FBackColor, Brush()->GetColor()); };
  barBrush();
  Canvas.UsePen(*Pen());
  const TRect bar = BarRect();
  if (FGradient->GetVisible()) {
    FGradient->FillRect(Canvas, bar);
    Canvas.Brush->SetStyle(bsClear);
  }
  Canvas.RectangleRect(bar);
  barBrush();
  const TRect a = FirstButtonRect(), c = SecondButtonRect();
  Canvas.RectangleRect(a);
  Canvas.RectangleRect(c);

  Canvas.Pen->SetStyle(psClear);
  const int32_t s = FSize, d = s / 6;
  Canvas.UseBrushColor(*FArrowBrush, FFirstPressed || Position() == 0 ? kGrey : FArrowBrush->GetColor());
  std::vector<TPoint> first, second;
  if (Horizontal) {
    first = {TPoint(a.Left + d, a.Top + s / 2), TPoint(a.Left + s - d, a.Top + d), TPoint(a.Left + s - d, a.Bottom - d)};
    second = {TPoint(c.Right - d, c.Top + s / 2), TPoint(c.Right - s + d, c.Top + d), TPoint(c.Right - s + d, c.Bottom - d)};
  } else {
    first = {TPoint(a.Left + d, a.Top + s - 2 * d), TPoint(a.Left + s / 2, a.Top + d), TPoint(a.Left + s - d, a.Top + s - 2 * d)};
    const int32_t b = Bounds.Bottom;
    second = {TPoint(first[0].X, b - s + 2 * d), TPoint(first[1].X, b - d), TPoint(first[2].X, b - s + 2 * d)};
  }
  Canvas.Polygon(first);
  if (FSecondPressed || Total() - PageSize() == Position()) {
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(kGrey);
  } else {
    Canvas.UseBrushColor(*FArrowBrush, FArrowBrush->GetColor());
  }
  Canvas.Polygon(second);

  Canvas.UseBrush(*FThumbBrush);
  Canvas.UsePen(*Pen());
  if (Total() == 0) return;
  CalcThumb();
  TRect thumb = ThumbRect();
  Canvas.RectangleRect(thumb);
  if (FBevel != bvNone) {
    TRect r = thumb;
    --r.Right;
    PlotProcs::DrawBevel(Canvas, FBevel, r, 1, 0);
  }
}

void TPlotScrollBar::HandleChartEvent(int32_t Code) {
  TPlotCustomTool::HandleChartEvent(Code);
  if (Code != 0) return;
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (!chart || !chart->Canvas()) return;
  if (!CalcBounds(Bounds)) return;
  Draw(*chart->Canvas());
}

// ---- mouse ----

void TPlotScrollBar::HandleMouseEvent(int32_t Kind, TMouseButton, TShiftState Shift, int32_t X, int32_t Y) {
  if (Kind == 0)
    Press(X, Y);
  else if (Kind == 1)
    Drag(X, Y, Shift);
  else if (Kind == 2)
    Release();
}

void TPlotScrollBar::Press(int32_t X, int32_t Y) {
  FPressPoint = TPoint(X, Y);
  FFirstPressed = FSecondPressed = FThumbPressed = false;
  CalcThumb();
  double delta = 0;
  if (Inside(FirstButtonRect(), X, Y)) {
    FFirstPressed = true;
    delta = -1;
  } else if (Inside(SecondButtonRect(), X, Y)) {
    FSecondPressed = true;
    delta = 1;
  } else if (Inside(ThumbRect(), X, Y)) {
    FThumbPressed = true;
    return;
  } else if (Inside(BarRect(), X, Y)) {
    const int32_t c = Horizontal ? X : Y;
    if (c < ThumbStart)
      delta = -PageStep();
    else if (c > ThumbEnd)
      delta = PageStep();
    else
      return;
  } else {
    return;
  }
  ScrollBy(true, delta);
}

double TPlotScrollBar::DeltaForPixels(int32_t Pixel, int32_t Anchor) {
  if (Pixel == Anchor) return 0;
  const TRect t = TrackRect();
  const int32_t length = Horizontal ? t.Right - t.Left : t.Bottom - t.Top;
  if (length <= 0) return 0;
  const double d = double(Total()) * std::abs(Pixel - Anchor) / length;
  return Pixel < Anchor ? -d : d;
}

void TPlotScrollBar::Drag(int32_t X, int32_t Y, TShiftState Shift) {
  if (!FThumbPressed || !Shift.Contains(TShiftStateItem::ssLeft)) return;
  const double delta = Horizontal ? DeltaForPixels(X, FPressPoint.X) : DeltaForPixels(Y, FPressPoint.Y);
  if (std::abs(delta) < 1) return;
  ScrollBy(false, delta);
  FPressPoint = TPoint(X, Y);
}

void TPlotScrollBar::ScrollBy(bool Repeating, double Delta) {
  const int32_t position = Position(), total = Total(), page = PageSize();
  double next;
  if (Delta >= 0) {
    next = total - page > position + Delta - 1 ? position + Delta : total - page;
  } else {
    Delta = std::max(Delta, -double(position));
    if (Delta + 1 >= position) return;
    next = position + Delta;
  }
  // A bar shorter than its page never scrolls before the first item.
  SetPosition(std::max(0, Pixels::Round(next)));
  if (OnScrolled) OnScrolled(this);
  if (Repeating && AutoRepeat) {
    if (!FTimer) {
      FTimer = Create<TTimer>(this);
      FTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
    }
    FTimer->SetInterval(static_cast<unsigned>(std::max(1, InitialDelay)));
    FTimer->SetEnabled(true);
  }
}

void TPlotScrollBar::RepeatTick() {
  const unsigned interval = FTimer ? FTimer->GetInterval() : 0;
  Press(FPressPoint.X, FPressPoint.Y);
  if (FTimer && interval > kRepeatInterval) FTimer->SetInterval(kRepeatInterval);
}

void TPlotScrollBar::Release() {
  FFirstPressed = FSecondPressed = FThumbPressed = false;
  if (FTimer) FTimer->SetEnabled(false);
  Repaint();
}

// ============================================================================
// TLegendScrollBar
// ============================================================================

KV_CLASS_IMPL(TLegendScrollBar, TPlotScrollBar) {}

void TLegendScrollBar::BeforeDestruction() {
  UnhookLegend();
  FLegend = nullptr;
  TPlotScrollBar::BeforeDestruction();
}

void TLegendScrollBar::UnhookLegend() {
  if (FHookedLegend) FHookedLegend->SizeHook = nullptr;
  FHookedLegend = nullptr;
}

void TLegendScrollBar::SetParentChart(TSeriesChart* Value) {
  UnhookLegend();
  FLegend = nullptr;
  TPlotScrollBar::SetParentChart(Value);
  // The legend keeps room for the bar while the bar shows.
  if (TCustomChart* c = Chart()) {
    FHookedLegend = c->Legend();
    FHookedLegend->SizeHook = [this](TObject* Sender, int32_t& Size) { ReserveSpace(Sender, Size); };
  }
}

bool TLegendScrollBar::Paged() const {
  TCustomChart* c = Chart();
  return c && c->GetMaxPointsPerPage() > 0;
}

int32_t TLegendScrollBar::PageSize() {
  if (Paged()) return 1;
  TCustomChart* c = Chart();
  if (!c) return 0;
  TChartLegend& l = *c->Legend();
  return l.LastValue() - l.GetFirstValue() + 1;
}

int32_t TLegendScrollBar::PageStep() { return Paged() ? 1 : TPlotScrollBar::PageStep(); }

int32_t TLegendScrollBar::Position() {
  TCustomChart* c = Chart();
  if (!c) return 0;
  return Paged() ? c->GetPage() - 1 : c->Legend()->GetFirstValue();
}

void TLegendScrollBar::SetPosition(int32_t Value) {
  TCustomChart* c = Chart();
  if (!c) return;
  if (Paged())
    c->SetPage(Value + 1);
  else
    c->Legend()->SetFirstValue(Value);
}

int32_t TLegendScrollBar::Total() {
  TCustomChart* c = Chart();
  if (!c) return 0;
  if (Paged()) return c->NumPages();
  // Items from the first shown one on, plus those scrolled past.
  return c->Legend()->RemainingItems() + c->Legend()->GetFirstValue();
}

bool TLegendScrollBar::CalcBounds(TRect& Bounds) {
  TCustomChart* c = Chart();
  if (!c) return false;
  FLegend = c->Legend();
  if (!FLegend->HasContent() || FLegend->LastValue() <= -1) return false;
  if (DrawStyle == dsWhenNeeded) {
    const bool hidden = FLegend->GetFirstValue() > 0 || FLegend->LastValue() + 1 < FLegend->RemainingItems();
    if (!hidden) return false;
  }
  Horizontal = !FLegend->AtSide();
  Bounds = FLegend->PlacedRect;
  return true;
}

void TLegendScrollBar::ReserveSpace(TObject*, int32_t& Size) {
  TRect r = Bounds;
  if (GetActive() && CalcBounds(r)) Size += GetSize() + 1;
}

namespace PlotLegendScrollBar {

void Initialization() {
  Chart::AddToolClasses({TLegendScrollBar::StaticClass()});
  ClassInfo::RegisterClass(TScrollbarEditor::StaticClass());
}

void Finalization() { Chart::RemoveToolClasses({TLegendScrollBar::StaticClass()}); }

}  // namespace PlotLegendScrollBar
