// The Gantt series.
#include "chart/extras/GanttCh.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TGanttSeries, TPointSeries) {
  c.Editor("TGanttSeriesEditor");
  using S = TGanttSeries;
  c.Property("ConnectingPen", &S::ConnectingPen);
  c.Property("EndValues", &S::EndValues);
  c.Property("NextTask", &S::NextTask);
  c.Property("StartValues", &S::StartValues);
}

TGanttSeries::TGanttSeries(TComponent* Owner) : TPointSeries(Owner) {
  SetHorizontal();
  SetClickableLine(false);
  XValues()->SetName("Start");
  XValues()->SetDefaultDateTime(true);
  FEndValues = new TChartValueList(this, "End");
  FEndValues->SetDefaultDateTime(true);
  FNextTask = new TChartValueList(this, "NextTask");
  FNextTask->TempValue = -1;
  SetColorEachPoint(true);
  Pointer()->SetStyle(TSeriesPointerStyle::psRectangle);
}

void TGanttSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TGanttSeries*>(Source)) SetConnectingPen(s->ConnectingPen());
  TPointSeries::Assign(Source);
}

void TGanttSeries::SetEndValues(const TChartValueList* Value) {
  FEndValues->Assign(Value);
  Repaint();
}

void TGanttSeries::SetNextTask(const TChartValueList* Value) {
  FNextTask->Assign(Value);
  Repaint();
}

bool TGanttSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TGanttSeries*>(Component) != nullptr && TPointSeries::AcceptsDataSource(Component);
}

int32_t TGanttSeries::AppendPoint(double X, double Y, const std::string& Label, TColor Colour) {
  // A new task follows none, unless a value was staged for it (a chart file
  // being read stages the stored link): the default is staged again after
  // every append, so a stored link is never overwritten.
  const int32_t index = TPointSeries::AppendPoint(X, Y, Label, Colour);
  FNextTask->TempValue = -1;
  return index;
}

int32_t TGanttSeries::AddGanttColor(double Start, double End, double Y, const std::string& Label, TColor Colour) {
  FEndValues->TempValue = End;
  return AppendPoint(Start, Y, Label, Colour);
}

void TGanttSeries::SortByMandatory() {
  // The rows are the tasks' own: only the starts are put in order.
  if (XValues()->GetOrder() != loNone) XValues()->Sort();
  Repaint();
}

double TGanttSeries::LargestX() {
  const double v = TPointSeries::LargestX();
  return Count() > 0 ? std::max(v, FEndValues->MaxValue()) : v;
}

void TGanttSeries::DrawPoint(int32_t Index) {
  TSeriesPointer& p = *Pointer();
  if (!p.GetVisible() || !FParentChart) return;
  TCanvas3D& c = ChartCanvas();
  const TColor colour = ValueColor(Index);
  p.PrepareCanvas(c, colour);
  const int32_t x0 = PointPixelX(Index), x1 = XValueToPixel(FEndValues->GetValue(Index));
  const int32_t half = (x1 - x0) / 2, y = PointPixelY(Index);
  p.DrawPointer(c, Chart3D(), x0 + half, y, half, p.GetVertSize(), colour, PointerStyleOf(Index));

  TChartPen& pen = *ConnectingPen();
  if (!pen.GetVisible()) return;
  const double next = std::nearbyint(FNextTask->GetValue(Index));
  if (!(next >= 0 && next < Count())) return;
  const int32_t n = static_cast<int32_t>(next);
  const int32_t xn = PointPixelX(n), yn = PointPixelY(n), m = x1 + (xn - x1) / 2;
  c.UsePen(pen);
  c.Brush->SetStyle(bsClear);
  const TPoint elbow[4] = {TPoint(x1, y), TPoint(m, y), TPoint(m, yn), TPoint(xn, yn)};
  if (Chart3D())
    c.PolylineAtDepth(elbow, MiddleZ);
  else
    c.Polyline(elbow);
}

void TGanttSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  // The mark sits over the middle of the bar.
  const int32_t dx = (XValueToPixel(FEndValues->GetValue(Index)) - Position.ArrowTip.X) / 2;
  const int32_t dy = Position.Height / 2;
  Position.TopLeft.X += dx, Position.TopLeft.Y += dy;
  Position.ArrowTip.X += dx, Position.ArrowTip.Y += dy;
  Position.ArrowTail.X += dx, Position.ArrowTail.Y += dy;
  TPointSeries::PaintMark(Index, Text, Position);
}

bool TGanttSeries::ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX,
                                  int32_t MouseY) {
  const int32_t x1 = XValueToPixel(FEndValues->GetValue(ValueIndex));
  return MouseX >= std::min(PointX, x1) && MouseX <= std::max(PointX, x1) &&
         std::abs(MouseY - PointY) < Pointer()->GetVertSize();
}

int32_t TGanttSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  static const char* const kTasks[] = {"Design",    "Prototyping", "Development", "Sales",       "Marketing",
                                       "Testing",   "Manufac.",    "Debugging",   "New Version", "Banking"};
  const double today = SysUtils::Date();
  const int32_t k = std::min(N - 1, RandomValue(20) + 10);
  int32_t last = -1;
  for (int32_t i = 0; i <= k; ++i) {
    const double start = today + 3 * i + RandomValue(5);
    const double end = start + 9 + RandomValue(16);
    last = AddGantt(start, end, i % 10, kTasks[i % 10]);
    // The new task went in by its start: links behind it move up one.
    for (int32_t t = 0; t < Count(); ++t)
      if (t != last && FNextTask->GetValue(t) >= last) FNextTask->StoreValue(t, FNextTask->GetValue(t) + 1);
    for (int32_t t = 0; t < Count(); ++t)
      if (t != last && FNextTask->GetValue(t) == -1 && FEndValues->GetValue(t) < start) {
        FNextTask->StoreValue(t, last);
        break;
      }
  }
  return last;
}

void TGanttSeries::PrepareForGallery(bool Enabled) {
  TPointSeries::PrepareForGallery(Enabled);
  SetColorEachPoint(Enabled);
  Pointer()->SetVertSize(3);
  Pointer()->Gradient()->SetVisible(true);
}

namespace GanttCh {

namespace {
const std::string kGantt = "Gantt", kStandard = "Standard";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TGanttSeries::StaticClass()))
    Chart::AddSeriesType(TGanttSeries::StaticClass(), &kGantt, &kStandard, 1);
}

}  // namespace GanttCh
