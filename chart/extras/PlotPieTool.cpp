#include "chart/extras/PlotPieTool.h"

#include <cmath>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "platform/ui/ExtCtrls.h"

KV_CLASS_IMPL(TPieTool, TPlotCustomToolSeries) {
  c.Property("Pen", &TPieTool::Pen);
  c.Property("Style", &TPieTool::Style).Names({"ptFocus", "ptExplode"}).Default(ptFocus);
}

TPieTool::TPieTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}

void TPieTool::Init() {
  TPlotCustomToolSeries::Init();
  Pen()->SetWidth(4);
  Pen()->SetStyle(psSolid);
  FTimer = Create<TTimer>(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(static_cast<unsigned>(Delay));
  FTimer->SetOnTimer([this](TObject*) { Step(); });
}

TPieSeries* TPieTool::Pie() const { return dynamic_cast<TPieSeries*>(GetSeries()); }

TColor TPieTool::FocusColor(TColor SliceColor) const {
  const TColor pen = ColorToRGB(Pen()->GetColor());
  if (ColorToRGB(SliceColor) != pen) return pen;
  return pen == clBlack ? clWhite : clBlack;
}

int32_t TPieTool::StepAmount(int32_t I) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(I) * ExplodePercent / ExplodeSteps));
}

void TPieTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                int32_t Y) {
  TPieSeries* s = Pie();
  if (!s || Kind != tmeMove) return;
  int32_t under = s->PieSliceAtPoint(X, Y, true);
  if (under == -1) under = s->PieSliceAtPoint(X, Y, false);
  if (under == Slice) return;
  if (Slice != -1) {
    Release(Slice);
    under = s->PieSliceAtPoint(X, Y, true);
    if (under == -1) under = s->PieSliceAtPoint(X, Y, false);
  }
  Slice = under;
  if (Slice != -1) Highlight(Slice);
}

void TPieTool::Highlight(int32_t Index) {
  TPieSeries* s = Pie();
  if (!s) return;
  if (Style == ptFocus) {
    DrawFocus(Index);
    return;
  }
  // A release still running ends at once, so that one slice is out at a time.
  if (FAnimSlice != -1) FinishAnimation();
  FAnimSlice = Index;
  FAnimStep = 0;
  FReleasing = false;
  FTimer->SetInterval(static_cast<unsigned>(std::max(Delay, 1)));
  FTimer->SetEnabled(true);
}

void TPieTool::Release(int32_t Index) {
  TPieSeries* s = Pie();
  if (!s) return;
  if (Style == ptFocus) {
    s->Repaint();
    return;
  }
  if (FAnimSlice != Index) {
    if (FAnimSlice != -1) FinishAnimation();
    FAnimSlice = Index;
    FAnimStep = ExplodeSteps;
  }
  // A slice still on its way out comes back from where it stands.
  FReleasing = true;
  FTimer->SetEnabled(true);
}

void TPieTool::Step() {
  TPieSeries* s = Pie();
  if (!s || FAnimSlice == -1 || FAnimSlice >= s->Count()) {
    FAnimSlice = -1;
    FTimer->SetEnabled(false);
    return;
  }
  if (!FReleasing) {
    ++FAnimStep;
    s->SliceExplode().StoreSliceValue(FAnimSlice, StepAmount(FAnimStep));
    s->Repaint();
    if (FAnimStep >= ExplodeSteps) {
      FAnimSlice = -1;
      FTimer->SetEnabled(false);
    }
    return;
  }
  if (FAnimStep > 0) {
    s->SliceExplode().StoreSliceValue(FAnimSlice, StepAmount(FAnimStep));
    --FAnimStep;
    s->Repaint();
    return;
  }
  s->SliceExplode().StoreSliceValue(FAnimSlice, 0);
  s->Repaint();
  FAnimSlice = -1;
  FTimer->SetEnabled(false);
}

void TPieTool::FinishAnimation() {
  TPieSeries* s = Pie();
  FTimer->SetEnabled(false);
  if (s && FAnimSlice >= 0 && FAnimSlice < s->Count()) {
    s->SliceExplode().StoreSliceValue(FAnimSlice, FReleasing ? 0 : StepAmount(ExplodeSteps));
    s->Repaint();
  }
  FAnimSlice = -1;
}

void TPieTool::DrawFocus(int32_t Index) {
  TPieSeries* s = Pie();
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (!s || !chart || Index < 0 || Index >= static_cast<int32_t>(s->Angles().size())) return;
  TCanvas3D* canvas = chart->Canvas();
  if (!canvas || !canvas->Pen) return;
  const TPieAngle& a = s->Angles()[static_cast<size_t>(Index)];
  const TPoint shift = s->ExplodeOffset(Index);
  const bool project = chart->GetView3D();
  const auto place = [&](TPoint P) {
    P = TPoint(P.X + shift.X, P.Y - shift.Y);
    return project ? canvas->Project(P.X, P.Y, s->EndZ) : P;
  };
  std::vector<TPoint> outline;
  outline.push_back(place(TPoint(s->CentreX, s->CentreY)));
  const double step = (a.EndAngle - a.StartAngle) / 30;
  for (int32_t k = 0; k <= 30; ++k)
    outline.push_back(place(s->PointAtAngle(a.StartAngle + k * step, s->RadiusX, s->RadiusY)));
  outline.push_back(outline.front());
  canvas->UsePenColor(*Pen(), FocusColor(s->ValueColor(Index)));
  canvas->Brush->SetStyle(bsClear);
  canvas->Polyline(outline);
  canvas->InvalidateBuffer();
}

namespace PlotPieTool {
void Initialization() { Chart::AddToolClasses({TPieTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TPieTool::StaticClass()}); }
}  // namespace PlotPieTool
