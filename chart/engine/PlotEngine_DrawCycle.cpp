// The draw cycle: lays the chart out and paints it in one pass.
#include <algorithm>

#include "chart/engine/PlotEngine_AxisPanel.h"

namespace {

// Puts back AutoRepaint and unclips the canvas on every exit, so that a
// handler or series that throws leaves a chart that repaints next time.
class [[nodiscard]] DrawCycleGuard {
public:
  explicit DrawCycleGuard(TCustomAxisPanel& Panel) : FPanel(Panel), FAutoRepaint(Panel.AutoRepaint) {
    Panel.AutoRepaint = false;
  }
  ~DrawCycleGuard() {
    if (FPanel.SeriesClipped) {
      FPanel.Canvas()->Unclip();
      FPanel.SeriesClipped = false;
    }
    FPanel.Canvas()->EnableRotation();
    FPanel.AutoRepaint = FAutoRepaint;
  }
  DrawCycleGuard(const DrawCycleGuard&) = delete;
  DrawCycleGuard& operator=(const DrawCycleGuard&) = delete;

private:
  TCustomAxisPanel& FPanel;
  bool FAutoRepaint;
};

}  // namespace

void TCustomAxisPanel::DrawContent(const TRect& Rect) { DrawAxisPanel(Rect); }

TRect TCustomAxisPanel::WallsRect() {
  CalcSize3D();
  return ChartRect;
}

bool TCustomAxisPanel::UsesAxes() const {
  bool anyActive = false;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetActive()) continue;
    anyActive = true;
    if (s->UseAxis()) return true;
  }
  return !anyActive;
}

bool TCustomAxisPanel::IsPlaneMirrored(int32_t Z) {
  TPlotCanvas3D& c = *Canvas();
  if (c.IsTrue3D()) return false;
  if (!GetView3D()) return false;
  const TPoint p0 = c.Project(ChartRect.Left, ChartRect.Top, Z);
  const TPoint p1 = c.Project(ChartRect.Right, ChartRect.Top, Z);
  const TPoint p2 = c.Project(ChartRect.Right, ChartRect.Bottom, Z);
  const int64_t cross = static_cast<int64_t>(p0.X - p1.X) * (p2.Y - p1.Y) - static_cast<int64_t>(p2.X - p1.X) * (p0.Y - p1.Y);
  // An unrotated plane gives a negative value; zero or more means seen from behind.
  return cross >= 0;
}

void TCustomAxisPanel::DrawAxisPanel(const TRect& UserRect) {
  const DrawCycleGuard guard(*this);
  TPlotCanvas3D& c = *Canvas();
  CalcSeenFromBehind();
  const bool true3D = c.IsTrue3D();
  if (!true3D) DrawFrame(UserRect);
  BroadcastToolEvent(2);
  FireBeforeDrawChart();
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) GetSeries(i)->PrepareDraw();
  if (!true3D) DrawTitlesAndLegend(true);
  CalcZOrders();
  // The walls step sizes the 3-D depth from the chart rectangle it then
  // narrows; the depth is not recomputed from the narrowed rectangle.
  const TRect r = WallsRect();
  CalcAxesRect();
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) GetSeries(i)->CalcDepthPositions();
  CalcAxisMargins();
  c.SetViewCenter(Width3D, ChartRect);
  if (true3D) {
    const TRect laidOut = ChartRect;
    ChartRect = r;
    DrawFrame(UserRect);
    DrawTitlesAndLegend(true);
    ChartRect = laidOut;
  }
  DrawWalls();
  if (GetView3D() && GetView3DWalls() && UsesAxes() && IsPlaneMirrored(0)) {
    if (IsAxisDrawn(*FTopAxis)) FTopAxis->Draw(true);
    if (IsAxisDrawn(*FBottomAxis)) FBottomAxis->Draw(true);
  }
  if (FAxisBehind) {
    BroadcastToolEvent(3);
    DrawAxes();
  }
  BroadcastToolEvent(1);
  FireBeforeDrawSeries();
  DrawAllSeries();
  BroadcastToolEvent(4);
  if (!FAxisBehind) {
    BroadcastToolEvent(3);
    DrawAxes();
  }
  DrawTitlesAndLegend(false);
  if (Zoom().Active) DrawZoomRectangle();
  BroadcastToolEvent(0);
  c.ResetState();
  FireAfterDraw();
  PreviousChartRect = ChartRect;
}

void TCustomAxisPanel::CalcZOrders() {
  MaxZOrder = 0;
  const bool depth = UseZOrder && GetView3D();
  if (depth) {
    MaxZOrder = -1;
    for (int32_t i = 0; i < SeriesCount(); ++i)
      if (GetSeries(i)->GetActive()) GetSeries(i)->ResolveDepthOrder();
  }
  if (FDepthAxis->GetInverted()) return;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (s->GetActive()) s->ComputedZOrder = depth ? MaxZOrder - s->GetZOrder() : 0;
  }
}

void TCustomAxisPanel::CalcAxesRect() {
  for (int32_t i = 0; i < FAxes.Count(); ++i) {
    TChartAxis* a = FAxes.Items(i);
    SetAxisDrawn(*a, IsAxisVisible(*a));
    a->CalcAxisRange();
  }
  for (int32_t i = 0; i < FAxes.Count(); ++i) FAxes.Items(i)->SetAxisPositions();
  TRect t = ChartRect;
  for (int32_t i = 0; i < FAxes.Count(); ++i) {
    TChartAxis* a = FAxes.Items(i);
    if (IsAxisDrawn(*a)) {
      TRect copy = t;
      if (AxisMarginHook && i < 5) {
        // A drawn axis hands the margin hook the room it takes itself; room
        // asked beyond that lies outside its ticks, labels and title.
        TRect own = t;
        a->LayoutAxis(own, true);
        const int32_t used = a->GetHorizontal() ? (a->GetOtherSide() ? own.Top - t.Top : t.Bottom - own.Bottom)
                                                : (a->GetOtherSide() ? t.Right - own.Right : own.Left - t.Left);
        const int32_t extra = AxisMarginHook(a, used) - used;
        if (extra > 0) {
          if (a->GetHorizontal()) (a->GetOtherSide() ? copy.Top += extra : copy.Bottom -= extra);
          else (a->GetOtherSide() ? copy.Right -= extra : copy.Left += extra);
        }
      }
      a->LayoutAxis(copy, i < 5);
      const TRect both(std::max(copy.Left, t.Left), std::max(copy.Top, t.Top), std::min(copy.Right, t.Right),
                       std::min(copy.Bottom, t.Bottom));
      if (both.Left < both.Right && both.Top < both.Bottom) t = both;
    } else if (AxisMarginHook) {
      const int32_t n = AxisMarginHook(a, 0);
      if (a->GetHorizontal()) (a->GetOtherSide() ? t.Top += n : t.Bottom -= n);
      else (a->GetOtherSide() ? t.Right -= n : t.Left += n);
    }
  }
  ChartRect = t;
  RecalcChartRect();
  for (int32_t i = 0; i < FAxes.Count(); ++i) FAxes.Items(i)->SetAxisPositions();
}

void TCustomAxisPanel::CalcAxisMargins() {
  for (int32_t i = 0; i < FAxes.Count(); ++i) {
    TChartAxis* a = FAxes.Items(i);
    int32_t low = 0, high = 0;  // left / bottom, right / top
    for (int32_t k = 0; k < SeriesCount(); ++k) {
      TChartSeries* s = GetSeries(k);
      if (!s->GetActive() || !s->AssociatedToAxis(a)) continue;
      int32_t m0 = 0, m1 = 0;
      if (a->GetHorizontal()) {
        s->CalcHorizMargins(m0, m1);  // left, right
      } else {
        s->CalcVerticalMargins(m1, m0);  // top, bottom
      }
      if (a->GetAutomaticMinimum()) low = std::max(low, m0);
      if (a->GetAutomaticMaximum()) high = std::max(high, m1);
    }
    const bool offsets = a->GetMinimumOffset() != 0 || a->GetMaximumOffset() != 0;
    if (offsets) {
      int32_t minOffset = a->GetMinimumOffset(), maxOffset = a->GetMaximumOffset();
      if (a->GetInverted()) std::swap(minOffset, maxOffset);
      low += minOffset;
      high += maxOffset;
    }
    if (low == 0 && high == 0) continue;
    // Pixels: horizontal axes run left to right, vertical ones top to bottom.
    if (a->GetHorizontal()) {
      a->StartPixel += low;
      a->EndPixel -= high;
    } else {
      a->StartPixel += high;
      a->EndPixel -= low;
    }
    a->AdjustToRect();
    if (offsets) {
      const int32_t size = a->SizeLabels();
      const bool positive = a->GetHorizontal() ? !a->GetOtherSide() : a->GetOtherSide();
      a->TitlePos = positive ? a->LabelsPos + size : a->LabelsPos - size;
    }
  }
}

void TCustomAxisPanel::DrawAxes() {
  if (!FAxisVisible) return;
  FireBeforeDrawAxes();
  const bool mirrored = IsPlaneMirrored(0);
  for (int32_t i = 0; i < FAxes.Count(); ++i) {
    TChartAxis* a = FAxes.Items(i);
    if (!IsAxisDrawn(*a)) continue;
    if (a == FBottomAxis && mirrored) continue;
    // The axis line follows the final chart rectangle.
    a->Draw(true);
  }
}

void TCustomAxisPanel::DrawAllSeries() {
  const bool backwards = FDepthAxis->GetInverted() != IsPlaneMirrored(Width3D);
  std::vector<TChartSeries*> list;
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) list.push_back(GetSeries(i));
  if (backwards) std::reverse(list.begin(), list.end());
  for (TChartSeries* s : list) DrawOneSeries(s);
}

void TCustomAxisPanel::ClipSeries() {
  if (!ClippingAllowed()) return;
  Canvas()->ClipBox3D(TRect(ChartRect.Left, ChartRect.Top, ChartRect.Right, ChartRect.Bottom + 1), 0, Width3D);
  SeriesClipped = true;
}

void TCustomAxisPanel::UnclipSeries() {
  if (!SeriesClipped) return;
  Canvas()->Unclip();
  SeriesClipped = false;
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries* Series) {
  TSeriesMarksBase* marks = Series->Marks();
  if (Series->Count() == 0 || !marks || !marks->MarksVisible()) return;
  if (marks->MarksClip()) ClipSeries();
  marks->DrawMarks();
  UnclipSeries();
}

void TCustomAxisPanel::DrawOneSeries(TChartSeries* S) {
  if (!GetView3D() || !S->MoreSameZOrder()) {
    S->FindVisibleRange();
    if (S->FirstValueIndex == -1) return;
    S->BeforeDrawPoints();
    if (S->UseAxis() && FClipPoints) ClipSeries();
    S->DrawPoints();
    UnclipSeries();
    DrawSeriesMarks(S);
    S->AfterDrawPoints();
    return;
  }
  // Series sharing a depth draw point by point, interleaved; the first of the
  // group does the work for all.
  const int32_t z = S->GetZOrder();
  const int32_t start = FSeriesList->IndexOf(S);
  for (int32_t i = 0; i < start; ++i) {
    TChartSeries* o = GetSeries(i);
    if (o->GetActive() && o->GetZOrder() == z) return;
  }
  std::vector<TChartSeries*> group;
  for (int32_t i = start; i < SeriesCount(); ++i) {
    TChartSeries* o = GetSeries(i);
    if (o->GetActive() && o->GetZOrder() == z) group.push_back(o);
  }
  int32_t first = -1, last = -1;
  for (TChartSeries* o : group) {
    o->FindVisibleRange();
    if (o->FirstValueIndex == -1) continue;
    first = std::max(first, o->FirstValueIndex);
    last = std::max(last, o->LastValueIndex);
    o->BeforeDrawPoints();
    if (FClipPoints && !SeriesClipped) ClipSeries();
  }
  if (first != -1) {
    const auto drawPoint = [&](int32_t v) {
      const auto drawBy = [&](TChartSeries* o) {
        if (o->GetActive() && o->GetZOrder() == z && o->Count() > v) o->DrawPoint(v);
      };
      if (v >= S->Count() || S->DrawSeriesForwardAt(v))
        for (TChartSeries* o : group) drawBy(o);
      else
        for (auto it = group.rbegin(); it != group.rend(); ++it) drawBy(*it);
    };
    if (S->DrawValuesForward())
      for (int32_t v = first; v <= last; ++v) drawPoint(v);
    else
      for (int32_t v = last; v >= first; --v) drawPoint(v);
  }
  UnclipSeries();
  for (TChartSeries* o : group) {
    if (o->FirstValueIndex == -1) continue;
    DrawSeriesMarks(o);
    o->AfterDrawPoints();
  }
}
