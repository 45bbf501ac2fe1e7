// Tools that show text over a chart: the annotation (a framed text at a corner
// or a custom place, with an optional callout arrow), the rectangle (a
// semi-transparent annotation moved and resized with the mouse) and the marks
// tip (the mark text of the point under the mouse as the chart's hint).
#include <algorithm>

#include "chart/series/PlotTools.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Hints.h"

namespace {

using PlotTools::PanelOf;

std::vector<std::string> TextLines(const std::string& Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = Text.find('\r', start);
    lines.push_back(Text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

// The coordinate of a range nearest to V: an edge when V lies outside it,
// the middle when inside.
int32_t Nearest(int32_t V, int32_t Low, int32_t High) {
  if (V < Low) return Low;
  if (V > High) return High;
  return (Low + High) / 2;
}

}  // namespace

// ============================================================================
// Positioned shape and callout
// ============================================================================

KV_CLASS_IMPL(TPlotShapePosition, TPlotCustomShapePosition) {
  c.Property("Bevel", &TPlotShapePosition::GetBevel, &TPlotShapePosition::SetBevel)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  c.Property("Brush", &TPlotShapePosition::Brush);
  c.Property("Font", &TPlotShapePosition::Font);
  c.Property("Frame", &TPlotShapePosition::Pen);
  c.Property("Gradient", &TPlotShapePosition::StoredGradient);
  c.Property("Shadow", &TPlotShapePosition::Shadow);
  c.Property("ShapeStyle", &TPlotShapePosition::GetShapeStyle, &TPlotShapePosition::SetShapeStyle)
      .Names({"fosRectangle", "fosRoundRectangle"})
      .Default(fosRectangle);
}

KV_CLASS_IMPL(TAnnotationCallout, TCallout) {
  c.Property("Visible", &TAnnotationCallout::GetVisible, &TAnnotationCallout::SetVisible).Default(false);
  c.Property("XPosition", &TAnnotationCallout::GetXPosition, &TAnnotationCallout::SetXPosition).Default(0);
  c.Property("YPosition", &TAnnotationCallout::GetYPosition, &TAnnotationCallout::SetYPosition).Default(0);
  c.Property("ZPosition", &TAnnotationCallout::GetZPosition, &TAnnotationCallout::SetZPosition).Default(0);
}

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr) {
  Arrow()->UnstoredVisible = false;
  Arrow()->SetVisible(false);
  SetVisible(false);
}

void TAnnotationCallout::Assign(const TPersistent* Source) {
  if (auto* c = dynamic_cast<const TAnnotationCallout*>(Source)) {
    FXPosition = c->FXPosition;
    FYPosition = c->FYPosition;
    FZPosition = c->FZPosition;
  }
  TCallout::Assign(Source);
}

void TAnnotationCallout::Repaint() {
  if (Parent()) Parent()->Invalidate();
}

// ============================================================================
// Annotation
// ============================================================================

KV_CLASS_IMPL(TAnnotationTool, TPlotCustomTool) {
  c.Property("AutoSize", &TAnnotationTool::GetAutoSize, &TAnnotationTool::SetAutoSize).Default(true);
  c.Property("Callout", &TAnnotationTool::Callout);
  c.Property("Cursor", &TAnnotationTool::Cursor).Default(crDefault);
  c.Property("Position", &TAnnotationTool::GetPosition, &TAnnotationTool::SetPosition)
      .Names({"ppLeftTop", "ppLeftBottom", "ppRightTop", "ppRightBottom"})
      .Default(ppLeftTop);
  c.Property("PositionUnits", &TAnnotationTool::GetPositionUnits, &TAnnotationTool::SetPositionUnits)
      .Names({"muPercent", "muPixels"})
      .Default(muPixels);
  c.Property("Shape", &TAnnotationTool::Shape);
  c.Property("Text", &TAnnotationTool::GetTextValue, &TAnnotationTool::SetText).Default("");
  c.Property("TextAlignment", &TAnnotationTool::GetTextAlignment, &TAnnotationTool::SetTextAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(TAlignment::taLeftJustify);
  c.Property("Left", &TAnnotationTool::GetLeft, &TAnnotationTool::SetLeft).Stored(false);
  c.Property("Top", &TAnnotationTool::GetTop, &TAnnotationTool::SetTop).Stored(false);
  c.Property("Width", &TAnnotationTool::GetWidth, &TAnnotationTool::SetWidth).Stored(&TAnnotationTool::IsSizeStored);
  c.Property("Height", &TAnnotationTool::GetHeight, &TAnnotationTool::SetHeight)
      .Stored(&TAnnotationTool::IsSizeStored);
}

TAnnotationTool::TAnnotationTool(TComponent* Owner)
    : TPlotCustomTool(Owner),
      FCallout(std::make_unique<TAnnotationCallout>()),
      FShape(std::make_unique<TPlotShapePosition>()) {}

TAnnotationTool::~TAnnotationTool() = default;

void TAnnotationTool::SetParentChart(TSeriesChart* Value) {
  TPlotCustomTool::SetParentChart(Value);
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  TCustomAxisPanel* panel = PanelOf(GetParentChart());
  FShape->SetParent(panel);
  FCallout->SetParent(panel);
  Repaint();
}

void TAnnotationTool::SetPosition(TAnnotationPosition Value) {
  FPosition = Value;
  FShape->SetCustomPosition(false);
  Repaint();
}

void TAnnotationTool::SetPositionUnits(TPlotUnits Value) {
  if (FPositionUnits == Value) return;
  FPositionUnits = Value;
  Repaint();
}

void TAnnotationTool::SetTextAlignment(TAlignment Value) {
  if (FTextAlignment == Value) return;
  FTextAlignment = Value;
  Repaint();
}

void TAnnotationTool::SetLeft(int32_t Value) {
  FShape->SetLeft(Value);
  Repaint();
}

void TAnnotationTool::SetTop(int32_t Value) {
  FShape->SetTop(Value);
  Repaint();
}

void TAnnotationTool::SetWidth(int32_t Value) {
  FAutoSize = false;
  FShape->SetWidth(PlotTools::LimitPixels(Value));
  Repaint();
}

void TAnnotationTool::SetHeight(int32_t Value) {
  FAutoSize = false;
  FShape->SetHeight(PlotTools::LimitPixels(Value));
  Repaint();
}

TAnnotationTool::TLayout TAnnotationTool::CalcBounds() const {
  TLayout l;
  TCustomAxisPanel* chart = Chart();
  if (!chart) return l;
  std::string text = GetText();
  if (text.empty()) text = " ";
  TCanvas3D& canvas = *chart->Canvas();
  canvas.UseFont(*FShape->Font());
  const bool custom = FShape->GetCustomPosition();
  if (!custom || FAutoSize) {
    l.TextWidth = chart->MultiLineTextWidth(text, l.Lines);
    l.TextHeight = l.Lines * canvas.FontHeight();
  } else {
    l.Lines = static_cast<int32_t>(TextLines(text).size());
  }
  const int32_t W = chart->GetWidth(), H = chart->GetHeight();
  if (!custom) {
    const bool right = FPosition == ppRightTop || FPosition == ppRightBottom;
    const bool bottom = FPosition == ppLeftBottom || FPosition == ppRightBottom;
    l.Origin.X = right ? W - l.TextWidth - 8 : 10;
    l.Origin.Y = bottom ? H - l.TextHeight - 8 : 10;
  } else if (FPositionUnits == muPixels) {
    // Through doubles: a stored position may lie anywhere in the integer range.
    l.Origin = TPoint(PlotCanvas::RoundToPixel(FShape->GetLeft() + 4.0), PlotCanvas::RoundToPixel(FShape->GetTop() + 2.0));
  } else {
    l.Origin = TPoint(PlotCanvas::RoundToPixel(FShape->GetLeft() * W * 0.01),
                      PlotCanvas::RoundToPixel(FShape->GetTop() * H * 0.01));
  }
  const int32_t width = FAutoSize ? l.TextWidth + 6 : FShape->GetWidth();
  const int32_t height = FAutoSize ? l.TextHeight + 4 : FShape->GetHeight();
  l.ShapeRect = TRect(l.Origin.X - 4, l.Origin.Y - 2, l.Origin.X - 4 + width, l.Origin.Y - 2 + height);
  return l;
}

bool TAnnotationTool::HitTest(int32_t X, int32_t Y) const {
  TCustomAxisPanel* chart = Chart();
  // Between paints of a chart without a window the canvas cannot measure:
  // the layout of the last drawing answers.
  const TLayout l = chart && chart->Canvas() && chart->Canvas()->Target ? CalcBounds() : FLastLayout;
  return PointInRectXY(l.ShapeRect, X, Y);
}

void TAnnotationTool::DrawText() {
  TCustomAxisPanel* chart = Chart();
  if (!chart || !chart->Canvas() || !chart->Canvas()->Pen) return;
  TCanvas3D& canvas = *chart->Canvas();
  const TRect remembered = FShape->PlacedRect;
  const TLayout l = CalcBounds();
  FLastLayout = l;
  FShape->PlacedRect = l.ShapeRect;
  if (FShape->GetVisible()) FShape->DrawShape();
  canvas.UseFont(*FShape->Font());
  canvas.SetBackMode(TRANSPARENT);
  const TRect& s = l.ShapeRect;
  int32_t x = l.Origin.X;
  uint32_t align = TA_LEFT;
  if (FTextAlignment == TAlignment::taCenter) {
    x = (s.Left + s.Right) / 2 + 2;
    align = TA_CENTER;
  } else if (FTextAlignment == TAlignment::taRightJustify) {
    x = s.Right - 2;
    align = TA_RIGHT;
  }
  const uint32_t savedAlign = canvas.GetTextAlign();
  canvas.SetTextAlign(align);
  const std::vector<std::string> lines = TextLines(GetText().empty() ? " " : GetText());
  const int32_t lineHeight = canvas.FontHeight();
  for (size_t i = 0; i < lines.size(); ++i)
    canvas.TextOut(x, l.Origin.Y + static_cast<int32_t>(i) * lineHeight, lines[i]);
  canvas.SetTextAlign(savedAlign);
  if (FCallout->GetVisible() || FCallout->Arrow()->GetVisible()) {
    TPoint tip(FCallout->GetXPosition(), FCallout->GetYPosition());
    const TPoint tail(Nearest(tip.X, s.Left, s.Right), Nearest(tip.Y, s.Top, s.Bottom));
    if (FCallout->GetDistance() != 0) tip = PointBeforeEnd(tail, tip, FCallout->GetDistance());
    FCallout->Draw(canvas, chart->GetView3D(), clNone, tip, tail, FCallout->GetZPosition());
  }
  FShape->PlacedRect = remembered;
  if (FAutoSize) {
    FShape->PlacedRect = TRect(remembered.Left, remembered.Top, remembered.Left, remembered.Top);
    FShape->SetWidth(s.Right - s.Left);
    FShape->SetHeight(s.Bottom - s.Top);
  }
}

void TAnnotationTool::HandleChartEvent(int32_t Code) {
  if (Code == tceAfterDraw) DrawText();
}

void TAnnotationTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TCustomAxisPanel* chart = Chart();
  if (!chart) return;
  if (Kind == tmeMove) {
    if (Cursor != crDefault && HitTest(X, Y)) {
      chart->SetChartCursor(Cursor);
      chart->MouseCancelled = true;
    }
  } else if (Kind == tmeDown) {
    if (OnClick && HitTest(X, Y)) OnClick(this, Button, Shift, X, Y);
  }
}

// ============================================================================
// Rectangle
// ============================================================================

KV_CLASS_IMPL(TRectangleTool, TAnnotationTool) {}

TRectangleTool::TRectangleTool(TComponent* Owner) : TAnnotationTool(Owner) {
  SetAutoSize(false);
  Shape()->SetCustomPosition(true);
  SetBounds(TRect(10, 10, 60, 60));
  if (Shape()->Shadow()) {
    Shape()->Shadow()->SetHorizSize(0);
    Shape()->Shadow()->SetVertSize(0);
  }
  Shape()->SetTransparency(75);
  SetPositionUnits(muPixels);
  Cursor = crHandPoint;
}

TRect TRectangleTool::Bounds() const {
  const TRect& r = Shape()->PlacedRect;
  return TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

void TRectangleTool::SetBounds(const TRect& R) {
  Shape()->SetCustomPosition(true);
  Shape()->PlacedRect = TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1);
}

int32_t TRectangleTool::EdgeAt(int32_t X, int32_t Y) const {
  if (!HitTest(X, Y)) return -1;
  const TRect r = Bounds();
  if (std::abs(X - r.Left) < 4) return 0;
  if (std::abs(Y - r.Top) < 4) return 1;
  if (std::abs(X - r.Right) < 4) return 2;
  if (std::abs(Y - r.Bottom) < 4) return 3;
  return -1;
}

void TRectangleTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TAnnotationTool::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = Chart();
  if (!GetActive() || !chart) return;
  switch (Kind) {
    case tmeDown: {
      if (Button != TMouseButton::mbLeft) return;
      const int32_t edge = EdgeAt(X, Y);
      const TRect r = Bounds();
      if (edge < 0) {
        if (!HitTest(X, Y)) return;
        GrabOffset = TPoint(X - r.Left, Y - r.Top);
        DraggingBody = true;
      } else {
        GrabbedEdge = edge;
        GrabOffset = TPoint(edge == 2 ? X - r.Right : X - r.Left, edge == 3 ? Y - r.Bottom : Y - r.Top);
      }
      chart->MouseCancelled = true;
      break;
    }
    case tmeMove: {
      if (DraggingBody) {
        // Its own flag: a move to the top-left corner (0, 0) is a move like any other.
        const TRect r = Bounds();
        const int32_t left = X - GrabOffset.X, top = Y - GrabOffset.Y;
        SetBounds(TRect(left, top, left + (r.Right - r.Left), top + (r.Bottom - r.Top)));
        Repaint();
        if (OnDragging) OnDragging(this);
      } else if (GrabbedEdge >= 0) {
        TRect r = Bounds();
        switch (GrabbedEdge) {
          case 0: r.Left = std::min(r.Right - 3, X - GrabOffset.X); break;
          case 1: r.Top = std::min(r.Bottom - 3, Y - GrabOffset.Y); break;
          case 2: r.Right = std::max(r.Left + 3, X - GrabOffset.X); break;
          default: r.Bottom = std::max(r.Top + 3, Y - GrabOffset.Y); break;
        }
        SetBounds(r);
        Repaint();
        if (OnResizing) OnResizing(this);
      } else {
        const int32_t edge = EdgeAt(X, Y);
        bool set = true;
        if (edge == 0 || edge == 2)
          chart->SetChartCursor(crSizeWE);
        else if (edge == 1 || edge == 3)
          chart->SetChartCursor(crSizeNS);
        else if (Cursor != crDefault && HitTest(X, Y))
          chart->SetChartCursor(Cursor);
        else
          set = false;
        chart->MouseCancelled = set;
      }
      break;
    }
    case tmeUp: {
      const bool dragged = DraggingBody, resized = GrabbedEdge >= 0;
      DraggingBody = false;
      GrabbedEdge = -1;
      if (dragged && OnDragged) OnDragged(this);
      if (resized && OnResized) OnResized(this);
      Repaint();
      break;
    }
    default: break;
  }
}

// ============================================================================
// Marks tip
// ============================================================================

KV_CLASS_IMPL(TMarksTipTool, TPlotCustomToolSeries) {
  c.Property("MouseAction", &TMarksTipTool::GetMouseAction, &TMarksTipTool::SetMouseAction)
      .Names({"mtmMove", "mtmClick"})
      .Default(mtmMove);
  c.Property("MouseDelay", &TMarksTipTool::GetMouseDelay, &TMarksTipTool::SetMouseDelay).Stored(false);
  c.Property("Style", &TMarksTipTool::Style)
      .Names({"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
              "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY"})
      .Default(smsLabel);
}

TMarksTipTool::TMarksTipTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}

TCustomChart* TMarksTipTool::Chart() const {
  return dynamic_cast<TCustomChart*>(GetSeries() ? GetSeries()->GetParentChart() : GetParentChart());
}

int32_t TMarksTipTool::GetMouseDelay() const { return Hints::GetHintPause(); }

void TMarksTipTool::SetMouseDelay(int32_t Value) { Hints::SetHintPause(Value); }

void TMarksTipTool::SetActive(bool Value) {
  TPlotCustomToolSeries::SetActive(Value);
  if (!Value) CancelHint();
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction Value) {
  FMouseAction = Value;
  CancelHint();
}

void TMarksTipTool::CancelHint() {
  TCustomChart* chart = Chart();
  if (!chart) return;
  if (OnCancelHint) OnCancelHint(this);
  const bool shown = !chart->Hint.empty();
  chart->Hint.clear();
  if (shown) Hints::CancelHint();
}

void TMarksTipTool::ShowTip(int32_t X, int32_t Y) {
  TCustomChart* chart = Chart();
  if (!chart) return;
  TChartSeries* series = nullptr;
  int32_t index = -1;
  if (GetSeries()) {
    series = GetSeries();
    index = series->PointAtPixel(X, Y);
  } else {
    for (int32_t i = chart->SeriesCount() - 1; i >= 0 && index < 0; --i) {
      TChartSeries* s = chart->GetSeries(i);
      if (!s->GetActive()) continue;
      index = s->PointAtPixel(X, Y);
      if (index >= 0) series = s;
    }
  }
  if (!series || index < 0) {
    // Another tip tool of the chart may be showing its own hint.
    TChartTools& tools = chart->GetTools();
    for (int32_t i = 0; i < tools.Count(); ++i)
      if (tools.ToolAt(i) != this && dynamic_cast<TMarksTipTool*>(tools.ToolAt(i))) return;
    CancelHint();
    return;
  }
  std::string text;
  {
    const TRestore<bool> noRepaint(chart->AutoRepaint, false);
    auto* marks = dynamic_cast<TSeriesMarks*>(series->Marks());
    if (marks) {
      const TSeriesMarksStyle old = marks->GetStyle();
      struct RestoreStyle {
        TSeriesMarks* Marks;
        TSeriesMarksStyle Style;
        ~RestoreStyle() { Marks->SetStyle(Style); }
      } restore{marks, old};
      marks->SetStyle(Style);
      text = series->GetMarkText(index);
    } else {
      text = series->GetMarkText(index);
    }
  }
  FLastSeries = series;
  LastIndex = index;
  if (OnGetText) OnGetText(this, text);
  if (text == chart->Hint) return;
  Hints::CancelHint();
  chart->ShowHint = true;
  chart->Hint = text;
  const TPoint screen = chart->OnClientToScreen ? chart->OnClientToScreen(TPoint(X, Y)) : TPoint(X, Y);
  if (chart->OnShowHint) chart->OnShowHint(text, screen);
}

void TMarksTipTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                     int32_t Y) {
  TCustomChart* chart = Chart();
  if (!chart || chart->OverAxis) return;
  if ((Kind == tmeMove && FMouseAction == mtmMove) || (Kind == tmeDown && FMouseAction == mtmClick)) ShowTip(X, Y);
}
