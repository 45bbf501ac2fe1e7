#include "chart/extras/PlotSelectorTool.h"

#include <algorithm>
#include <cstdlib>

#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/ChartWindow.h"
#include "chart/series/PlotTools.h"

KV_CLASS_IMPL(TSelectorTool, TPlotCustomTool) {
  c.Property("AllowDrag", &TSelectorTool::AllowDrag).Default(true);
  c.Property("AllowResizeChart", &TSelectorTool::AllowResizeChart).Default(false);
  c.Property("Brush", &TSelectorTool::Brush);
  c.Property("HandleSize", &TSelectorTool::GetHandleSize, &TSelectorTool::SetHandleSize).Default(3);
  c.Property("Pen", &TSelectorTool::Pen);
}

TSelectorTool::TSelectorTool(TComponent* Owner)
    : TPlotCustomTool(Owner), FBrush(std::make_unique<TChartBrush>([this](TObject* Sender) { RepaintOnChange(Sender); })) {}

TSelectorTool::~TSelectorTool() = default;

void TSelectorTool::SetHandleSize(int32_t Value) {
  SetIntegerProperty(FHandleSize, std::clamp(Value, 0, PlotTools::MaxToolPixels));
}

void TSelectorTool::SetParentChart(TSeriesChart* Value) {
  ClearSelection();
  TPlotCustomTool::SetParentChart(Value);
}

void TSelectorTool::Notification(TComponent* Component, TOperation Operation) {
  if (Operation == TOperation::opRemove && Component &&
      (Component == Annotation || Component == Part.ASeries)) {
    ClearSelection();
    Dragging = Moved = false;
  }
  TPlotCustomTool::Notification(Component, Operation);
}

void TSelectorTool::Watch(TComponent* Component) {
  if (Component) Component->FreeNotification(this);
}

void TSelectorTool::ClearSelection() {
  if (Annotation) Annotation->RemoveFreeNotification(this);
  if (Part.ASeries) Part.ASeries->RemoveFreeNotification(this);
  Part = TChartClickedPart();
  Annotation = nullptr;
  Shape = nullptr;
  Wall = nullptr;
}

TPlotPanelControl* TSelectorTool::ChartWindow() const {
  return ChartWindowOf(Chart());
}

void TSelectorTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TPlotCustomTool::HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (!Chart() || Shift.Contains(TShiftStateItem::ssDouble)) return;
  switch (Kind) {
    case tmeDown:
      if (Button == TMouseButton::mbLeft) Press(X, Y);
      break;
    case tmeMove: Move(X, Y); break;
    case tmeUp: Release(); break;
    default: break;
  }
}

void TSelectorTool::Press(int32_t X, int32_t Y) {
  TCustomChart* chart = Chart();
  if (AllowResizeChart && std::abs(X - chart->GetWidth()) <= 8 && std::abs(Y - chart->GetHeight()) <= 8) {
    Resizing = true;
    Resized = false;
    return;
  }
  Resizing = false;
  ClearSelection();
  TChartTools& tools = chart->GetTools();
  for (int32_t i = 0; i < tools.Count(); ++i)
    if (auto* a = dynamic_cast<TAnnotationTool*>(tools.ToolAt(i)); a && a->GetActive() && a->HitTest(X, Y)) {
      Annotation = a;
      Watch(a);
      Shape = a->Shape();
      break;
    }
  if (!Shape) {
    Part = chart->ClickedPartAt(X, Y);
    Watch(Part.ASeries);
    switch (Part.Part) {
      case cpLegend: Shape = chart->Legend(); break;
      case cpTitle: Shape = chart->Title(); break;
      case cpSubTitle: Shape = chart->SubTitle(); break;
      case cpFoot: Shape = chart->Foot(); break;
      case cpSubFoot: Shape = chart->SubFoot(); break;
      case cpChartRect: Wall = chart->BackWall(); break;
      default: break;
    }
  }
  Repaint();
  if (OnSelected) OnSelected(this);
  Dragging = AllowDrag && Shape;
  if (Dragging) {
    Offset = TPoint(Shape->GetLeft() - X, Shape->GetTop() - Y);
    Moved = false;
  }
}

void TSelectorTool::Move(int32_t X, int32_t Y) {
  if (Dragging && Shape) {
    const int32_t left = Offset.X + X, top = Offset.Y + Y;
    // A shaking hand does not move the shape: a drag starts at 3 pixels.
    if (left != Shape->GetLeft() && (Moved || std::abs(left - Shape->GetLeft()) >= 3)) {
      Shape->SetLeft(left);
      Moved = true;
    }
    if (top != Shape->GetTop() && (Moved || std::abs(top - Shape->GetTop()) >= 3)) {
      Shape->SetTop(top);
      Moved = true;
    }
    if (OnDragging) OnDragging(this);
  } else if (Resizing) {
    TCustomChart* chart = Chart();
    if (TPlotPanelControl* w = ChartWindow()) {
      if (w->GetAlign() != TAlign::alNone) w->SetAlign(TAlign::alNone);
      if (w->GetWidth() != X) w->SetWidth(X);
      if (w->GetHeight() != Y) w->SetHeight(Y);
    } else if (chart->GetWidth() != X || chart->GetHeight() != Y) {
      chart->SetBounds(X, Y);
    }
    Resized = true;
    if (OnResizing) OnResizing(this);
  }
}

void TSelectorTool::Release() {
  if (Dragging && Moved && OnDragged) OnDragged(this);
  if (Resizing && Resized && OnResized) OnResized(this);
  Dragging = Moved = false;
  Resizing = Resized = false;
}

std::vector<TPoint> TSelectorTool::HandleCentres() const {
  std::vector<TPoint> points;
  TCustomChart* chart = Chart();
  if (!chart) return points;
  const auto corners = [&](const TRect& R) {
    if (R.Right - R.Left <= 0) return;
    points.insert(points.end(), {TPoint(R.Left, R.Top), TPoint(R.Right, R.Top), TPoint(R.Right, R.Bottom),
                                 TPoint(R.Left, R.Bottom)});
  };
  if (Shape) {
    corners(Shape->PlacedRect);
    return points;
  }
  TCanvas3D* canvas = chart->Canvas();
  const bool is3D = chart->GetView3D() && canvas;
  const auto at = [&](int32_t X, int32_t Y, int32_t Z) { return is3D ? canvas->Project(X, Y, Z) : TPoint(X, Y); };
  const auto every = [](TChartSeries* S, int32_t& First, int32_t& Last) {
    First = S->FirstValueIndex, Last = S->LastValueIndex;
    if (First < 0 || Last < First) First = 0, Last = S->Count() - 1;
    Last = std::min(Last, S->Count() - 1);
    const int32_t n = Last - First + 1;
    return n <= 20 ? 1 : n / 20;
  };
  switch (Part.Part) {
    case cpNone: {
      const int32_t h = FHandleSize;
      corners(TRect(h, h, chart->GetWidth() - h, chart->GetHeight() - h));
      break;
    }
    case cpLegend:
      if (chart->Legend()->GetVisible()) corners(chart->Legend()->PlacedRect);
      break;
    case cpTitle: corners(chart->Title()->PlacedRect); break;
    case cpFoot: corners(chart->Foot()->PlacedRect); break;
    case cpSubTitle: corners(chart->SubTitle()->PlacedRect); break;
    case cpSubFoot: corners(chart->SubFoot()->PlacedRect); break;
    case cpAxis:
      if (Part.AAxis) corners(Part.AAxis->ClickRect());
      break;
    case cpSeries:
      if (TChartSeries* s = Part.ASeries) {
        int32_t first = 0, last = 0;
        const int32_t k = every(s, first, last);
        for (int32_t i = first; i <= last; i += k) points.push_back(at(s->PointPixelX(i), s->PointPixelY(i), s->MiddleZ));
      }
      break;
    case cpSeriesMarks:
      if (TChartSeries* s = Part.ASeries; s && s->Marks()) {
        int32_t first = 0, last = 0;
        const int32_t k = every(s, first, last);
        for (int32_t i = first; i <= last; i += k)
          if (const TSeriesMarkPosition* p = s->Marks()->Position(i)) {
            const TPoint a = at(p->TopLeft.X, p->TopLeft.Y, s->MiddleZ);
            corners(TRect(a.X, a.Y, a.X + p->Width, a.Y + p->Height));
          }
      }
      break;
    case cpChartRect: {
      const TRect& r = chart->ChartRect;
      const int32_t z = chart->GetChartDepth();
      points.insert(points.end(), {at(r.Left, r.Top, z), at(r.Right, r.Top, z), at(r.Right, r.Bottom, z),
                                   at(r.Left, r.Bottom, z)});
      break;
    }
  }
  return points;
}

void TSelectorTool::HandleChartEvent(int32_t Code) {
  TCustomChart* chart = Chart();
  if (Code != tceAfterDraw || !GetActive() || !chart || chart->Printing) return;
  TCanvas3D* canvas = chart->Canvas();
  if (!canvas || !canvas->Pen) return;
  canvas->UsePen(*Pen());
  canvas->UseBrushColor(*FBrush, FBrush->GetColor());
  const int32_t h = FHandleSize;
  for (const TPoint& p : HandleCentres()) canvas->Rectangle(p.X - h, p.Y - h, p.X + h, p.Y + h);
}

namespace PlotSelectorTool {
void Initialization() { Chart::AddToolClasses({TSelectorTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TSelectorTool::StaticClass()}); }
}  // namespace PlotSelectorTool
