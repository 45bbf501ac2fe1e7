// The draw-line tool: straight lines drawn with the mouse, kept in axis
// values so that they follow zoom and scroll, selected, and dragged by an end
// or as a whole.
#include <cmath>

#include "chart/series/PlotTools.h"

namespace {

using PlotTools::PanelOf;

constexpr int32_t HandleSize = 3;

TRect HandleRect(TPoint P) { return TRect(P.X - HandleSize, P.Y - HandleSize, P.X + HandleSize, P.Y + HandleSize); }

}  // namespace

// ============================================================================
// TDrawLine
// ============================================================================

KV_CLASS_IMPL(TDrawLine, TCollectionItem) {
  c.Property("Pen", &TDrawLine::GetPen).Stored(&TDrawLine::HasOwnPen);
  c.Property("Style", &TDrawLine::GetStyle, &TDrawLine::SetStyle)
      .Names({"dlLine", "dlHorizParallel", "dlVertParallel"})
      .Default(dlLine);
  c.Property("X0", &TDrawLine::GetX0, &TDrawLine::SetX0).Default(0.0);
  c.Property("Y0", &TDrawLine::GetY0, &TDrawLine::SetY0).Default(0.0);
  c.Property("X1", &TDrawLine::GetX1, &TDrawLine::SetX1).Default(0.0);
  c.Property("Y1", &TDrawLine::GetY1, &TDrawLine::SetY1).Default(0.0);
}

TDrawLine::TDrawLine(TCollection* Collection) : TCollectionItem(Collection) {}

TDrawLine::~TDrawLine() = default;

void TDrawLine::BeforeDestruction() {
  if (TDrawLineTool* tool = Tool(); tool && tool->FSelected == this) tool->FSelected = nullptr;
  TCollectionItem::BeforeDestruction();
}

TDrawLineTool* TDrawLine::Tool() const {
  auto* lines = dynamic_cast<TDrawLines*>(GetCollection());
  return lines ? lines->Tool() : nullptr;
}

void TDrawLine::RepaintTool() const {
  if (TDrawLineTool* tool = Tool()) tool->Repaint();
}

TChartPen* TDrawLine::GetPen() const {
  if (!FPen) {
    FPen = std::make_unique<TChartPen>([this](TObject*) { RepaintTool(); });
    if (TDrawLineTool* tool = Tool(); tool && tool->Pen()) FPen->Assign(tool->Pen());
  }
  return FPen.get();
}

void TDrawLine::SetPen(const TChartPen* Value) {
  if (!Value) {
    FPen.reset();
    RepaintTool();
    return;
  }
  GetPen()->Assign(Value);
}

void TDrawLine::Assign(const TPersistent* Source) {
  auto* line = dynamic_cast<const TDrawLine*>(Source);
  if (!line) {
    TCollectionItem::Assign(Source);
    return;
  }
  FX0 = line->FX0, FY0 = line->FY0, FX1 = line->FX1, FY1 = line->FY1;
  FStyle = line->FStyle;
  if (line->FPen)
    GetPen()->Assign(line->FPen.get());
  else
    FPen.reset();
  RepaintTool();
}

void TDrawLine::StorePoints(bool Start, bool End, TPointFloat P0, TPointFloat P1) {
  if (Start) FX0 = P0.X, FY0 = P0.Y;
  if (End) FX1 = P1.X, FY1 = P1.Y;
}

TPoint TDrawLine::StartPixel() const {
  TDrawLineTool* tool = Tool();
  return tool ? tool->AxisPoint(FX0, FY0) : TPoint(0, 0);
}

TPoint TDrawLine::EndPixel() const {
  TDrawLineTool* tool = Tool();
  return tool ? tool->AxisPoint(FX1, FY1) : TPoint(0, 0);
}

bool TDrawLine::Clicked(TPoint P, int32_t Part, int32_t Tolerance) const {
  TDrawLineTool* tool = Tool();
  if (!tool) return false;
  if (TCustomAxisPanel* chart = PanelOf(tool->GetParentChart()); chart && chart->GetView3D() && chart->Canvas())
    chart->Canvas()->ScreenTo3D(P.X, P.Y, 0);
  const TPoint p0 = StartPixel(), p1 = EndPixel();
  switch (Part) {
    case 1: return PointInRect(HandleRect(p0), P);
    case 2: return PointInRect(HandleRect(p1), P);
    default: break;
  }
  switch (FStyle) {
    case dlLine: return PlotProcs::PointNearSegment(P, p0.X, p0.Y, p1.X, p1.Y, Tolerance);
    case dlHorizParallel:
      return PlotProcs::PointNearSegment(P, p0.X, p0.Y, p1.X, p0.Y, Tolerance) ||
             PlotProcs::PointNearSegment(P, p0.X, p1.Y, p1.X, p1.Y, Tolerance);
    case dlVertParallel:
      return PlotProcs::PointNearSegment(P, p0.X, p0.Y, p0.X, p1.Y, Tolerance) ||
             PlotProcs::PointNearSegment(P, p1.X, p0.Y, p1.X, p1.Y, Tolerance);
  }
  return false;
}

// ============================================================================
// TDrawLines
// ============================================================================

KV_CLASS_IMPL(TDrawLines, TCollection) {}

TDrawLines::TDrawLines(TDrawLineTool* Tool)
    : TCollection(TDrawLine::StaticClass(), ItemFactoryOf<TDrawLine>(), Tool), FTool(Tool) {
  PropName = "Lines";
}

void TDrawLines::Update(TCollectionItem* /*Item*/) {
  if (FTool) FTool->Repaint();
}

// ============================================================================
// TDrawLineTool
// ============================================================================

KV_CLASS_IMPL(TDrawLineTool, TPlotCustomToolSeries) {
  c.Property("Button", &TDrawLineTool::Button).Names({"mbLeft", "mbRight", "mbMiddle"}).Default(TMouseButton::mbLeft);
  c.Property("ClickTolerance", &TDrawLineTool::ClickTolerance).Default(0);
  c.Property("EnableDraw", &TDrawLineTool::EnableDraw).Default(true);
  c.Property("EnableSelect", &TDrawLineTool::GetEnableSelect, &TDrawLineTool::SetEnableSelect).Default(true);
  c.Property("Lines", &TDrawLineTool::Lines);
  c.Property("Pen", &TDrawLineTool::Pen);
  c.Property("SelectNewLines", &TDrawLineTool::SelectNewLines).Default(true);
}

TDrawLineTool::TDrawLineTool(TComponent* Owner)
    : TPlotCustomToolSeries(Owner), FLines(std::make_unique<TDrawLines>(this)) {}

TDrawLineTool::~TDrawLineTool() = default;

void TDrawLineTool::BeforeDestruction() {
  FSelected = nullptr;
  FLines->Clear();
  TPlotCustomToolSeries::BeforeDestruction();
}

void TDrawLineTool::SetEnableSelect(bool Value) {
  if (FEnableSelect == Value) return;
  FEnableSelect = Value;
  if (!Value && FSelected) {
    FSelected = nullptr;
    Repaint();
  }
}

TPoint TDrawLineTool::AxisPoint(double X, double Y) const {
  TChartAxis* h = GetHorizAxis();
  TChartAxis* v = GetVertAxis();
  return TPoint(h ? h->ValueToPixel(X) : 0, v ? v->ValueToPixel(Y) : 0);
}

TPointFloat TDrawLineTool::ScreenPoint(TPoint P) const {
  TChartAxis* h = GetHorizAxis();
  TChartAxis* v = GetVertAxis();
  return TPointFloat{h ? h->CalcPosPoint(P.X) : 0, v ? v->CalcPosPoint(P.Y) : 0};
}

TDrawLine* TDrawLineTool::ClickedPart(TPoint P, int32_t Part) const {
  if (FSelected && FSelected->Clicked(P, Part, ClickTolerance)) return FSelected;
  for (int32_t i = 0; i < FLines->Count(); ++i)
    if (TDrawLine* line = FLines->Line(i); line->Clicked(P, Part, ClickTolerance)) return line;
  return nullptr;
}

TDrawLine* TDrawLineTool::Clicked(TPoint P) const {
  for (int32_t part : {0, 1, 2})
    if (TDrawLine* line = ClickedPart(P, part)) return line;
  return nullptr;
}

void TDrawLineTool::DrawLinePixels(TCanvas3D& Canvas, TPoint P0, TPoint P1, TDrawLineStyle Style) const {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  const bool is3D = chart && chart->GetView3D();
  const auto segment = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    if (is3D)
      Canvas.LineAtDepth(X0, Y0, X1, Y1, 0);
    else
      Canvas.Line(X0, Y0, X1, Y1);
  };
  switch (Style) {
    case dlLine: segment(P0.X, P0.Y, P1.X, P1.Y); break;
    case dlHorizParallel:
      segment(P0.X, P0.Y, P1.X, P0.Y);
      segment(P0.X, P1.Y, P1.X, P1.Y);
      break;
    case dlVertParallel:
      segment(P0.X, P0.Y, P0.X, P1.Y);
      segment(P1.X, P0.Y, P1.X, P1.Y);
      break;
  }
}

void TDrawLineTool::DrawHandles(TCanvas3D& Canvas, const TDrawLine& Line) const {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart || !Canvas.Pen) return;
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(chart->GetColor() == clBlack ? TColor(12632256) : clBlack);
  Canvas.Pen->SetStyle(psClear);
  for (TPoint p : {Line.StartPixel(), Line.EndPixel()}) {
    if (chart->GetView3D())
      Canvas.RectAtDepth(HandleRect(p), 0);
    else
      Canvas.RectangleRect(HandleRect(p));
  }
}

void TDrawLineTool::ClipLines() {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart || !chart->ClippingAllowed()) return;
  TRect r = chart->ChartRect;
  if (GetSeries()) {
    TChartAxis* h = GetHorizAxis();
    TChartAxis* v = GetVertAxis();
    if (h && v) r = TRect(h->StartPixel, v->StartPixel, h->EndPixel, v->EndPixel);
  }
  chart->Canvas()->ClipBox3D(r, 0, chart->GetChartDepth());
  FClipped = true;
}

void TDrawLineTool::HandleChartEvent(int32_t Code) {
  if (Code != tceAfterDraw || FLines->Count() == 0) return;
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart || !chart->Canvas() || !chart->Canvas()->Pen) return;
  TCanvas3D& canvas = *chart->Canvas();
  canvas.SetBackMode(TRANSPARENT);
  FClipped = false;
  ClipLines();
  // The clip is removed on every exit.
  struct Unclip {
    TDrawLineTool& Tool;
    TCanvas3D& Canvas;
    ~Unclip() {
      if (Tool.FClipped) Canvas.Unclip();
      Tool.FClipped = false;
    }
  } unclip{*this, canvas};
  canvas.Brush->SetStyle(bsClear);
  for (int32_t i = 0; i < FLines->Count(); ++i) {
    const TDrawLine* line = FLines->Line(i);
    canvas.UsePen(line->HasOwnPen() ? *line->GetPen() : *Pen());
    DrawLinePixels(canvas, line->StartPixel(), line->EndPixel(), line->GetStyle());
  }
  if (FSelected) DrawHandles(canvas, *FSelected);
}

void TDrawLineTool::RedrawRubberLine() {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (!chart || !chart->Canvas() || !chart->Canvas()->Pen) return;
  TCanvas3D& canvas = *chart->Canvas();
  const TChartPen& pen = FSelected && FSelected->HasOwnPen() ? *FSelected->GetPen() : *Pen();
  const TColor back = ColorToRGB(chart->GetColor());
  canvas.UsePenColor(const_cast<TChartPen&>(pen), ColorToRGB(pen.GetColor()) ^ (0xFFFFFF - back));
  canvas.Pen->SetMode(pmNotXor);
  DrawLinePixels(canvas, FromPoint, ToPoint, IsDrawing || !FSelected ? dlLine : FSelected->GetStyle());
  canvas.Pen->SetMode(pmCopy);
}

void TDrawLineTool::Press(TPoint P) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  TDrawLine* line = FEnableSelect ? Clicked(P) : nullptr;
  if (line) {
    FromPoint = line->StartPixel();
    ToPoint = line->EndPixel();
    Anchor = P;
    Dragged = false;
    DragMode = 3;
    if (line == FSelected) {
      if (ClickedPart(P, 1))
        DragMode = 1;
      else if (ClickedPart(P, 2))
        DragMode = 2;
    } else {
      bool allow = true;
      if (OnSelecting) OnSelecting(this, line, allow);
      if (allow) {
        const bool hadSelection = FSelected != nullptr;
        FSelected = line;
        if (hadSelection)
          Repaint();
        else if (chart && chart->Canvas() && chart->Canvas()->Pen)
          DrawHandles(*chart->Canvas(), *line);
        if (OnSelect) OnSelect(this);
      } else {
        // A refused line is not dragged either: the drag would move the selected one.
        DragMode = 0;
      }
    }
  } else {
    FSelected = nullptr;
    if (!EnableDraw) return;
    IsDrawing = true;
    Dragged = false;
    FromPoint = ToPoint = P;
    RedrawRubberLine();
  }
  if (chart) chart->MouseCancelled = true;
}

void TDrawLineTool::Move(TPoint P) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (IsDrawing || (DragMode != 0 && FSelected)) {
    RedrawRubberLine();
    if (IsDrawing || DragMode == 2) {
      ToPoint = P;
    } else if (DragMode == 1) {
      FromPoint = P;
    } else {
      const int32_t dx = P.X - Anchor.X, dy = P.Y - Anchor.Y;
      FromPoint = TPoint(FromPoint.X + dx, FromPoint.Y + dy);
      ToPoint = TPoint(ToPoint.X + dx, ToPoint.Y + dy);
      Anchor = P;
    }
    RedrawRubberLine();
    if (chart) chart->MouseCancelled = true;
    Dragged = true;
    if (OnDragLine) OnDragLine(this);
    return;
  }
  if (!FEnableSelect || !chart) return;
  bool over = false;
  if (FSelected && (ClickedPart(P, 1) == FSelected || ClickedPart(P, 2) == FSelected)) {
    chart->SetChartCursor(crCross);
    over = true;
  } else if (Clicked(P)) {
    chart->SetChartCursor(crHandPoint);
    over = true;
  }
  chart->MouseCancelled = over;
}

void TDrawLineTool::Release() {
  if (DragMode != 0 && FSelected) {
    // A click that moved nothing leaves the values as they were (not rounded to pixels).
    if (Dragged) {
      const TPointFloat p0 = ScreenPoint(FromPoint), p1 = ScreenPoint(ToPoint);
      FSelected->StorePoints(DragMode == 1 || DragMode == 3, DragMode == 2 || DragMode == 3, p0, p1);
    }
    DragMode = 0;
    Repaint();
    if (Dragged && OnDraggedLine) OnDraggedLine(this);
    Dragged = false;
    return;
  }
  DragMode = 0;
  if (!IsDrawing) return;
  IsDrawing = false;
  if (FromPoint == ToPoint) return;
  const TPointFloat p0 = ScreenPoint(FromPoint), p1 = ScreenPoint(ToPoint);
  TDrawLine* line = FLines->AddLine();
  line->StorePoints(true, true, p0, p1);
  if (SelectNewLines) FSelected = line;
  Repaint();
  if (OnNewLine) OnNewLine(this);
}

void TDrawLineTool::HandleMouseEvent(int32_t Kind, TMouseButton AButton, TShiftState /*Shift*/, int32_t X,
                                     int32_t Y) {
  const TPoint p(X, Y);
  switch (Kind) {
    case tmeDown:
      if (AButton == Button) Press(p);
      break;
    case tmeMove: Move(p); break;
    case tmeUp:
      if (AButton == Button) Release();
      break;
    default: break;
  }
}
