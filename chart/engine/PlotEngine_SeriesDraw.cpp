// What a series contributes when its chart draws: depth positions, the range
// and order of the points drawn, value/pixel conversion through its axes,
// paging, the hover test and the legend entries.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Series.h"

using namespace SysUtils;
#include "chart/engine/PlotProcs.h"

// ---- depth ----

void TChartSeries::ResolveDepthOrder() {
  if (!FParentChart) return;
  if (ZOrder == -1) {
    if (FParentChart->GetView3D()) {
      FParentChart->SetMaxZOrder(FParentChart->GetMaxZOrder() + 1);
      ComputedZOrder = FParentChart->GetMaxZOrder();
    } else {
      ComputedZOrder = 0;
    }
  } else if (FParentChart->GetMaxZOrder() < ZOrder) {
    FParentChart->SetMaxZOrder(ZOrder);
  }
}

void TChartSeries::CalcDepthPositions() {
  const int32_t w = FParentChart ? FParentChart->GetSeriesWidth3D() : 0;
  StartZ = w * ComputedZOrder;
  EndZ = StartZ + (FDepth == -1 ? w : FDepth);
  MiddleZ = (StartZ + EndZ) / 2;
  if (FMarks) FMarks->SetZPosition(MiddleZ);
}

bool TChartSeries::MoreSameZOrder() const {
  if (!FParentChart || !FParentChart->GetUseZOrder()) return false;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s != this && s->GetActive() && !s->HasZValues && s->GetZOrder() == GetZOrder()) return true;
  }
  return false;
}

bool TChartSeries::FirstInZOrder() const {
  if (!FActive) return false;
  if (!FParentChart) return true;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s == this) break;
    if (s->GetActive() && s->GetZOrder() == GetZOrder()) return false;
  }
  return true;
}

// ---- range and order ----

void TChartSeries::FindVisibleRange() {
  FirstValueIndex = -1;
  LastValueIndex = -1;
  const int32_t count = Count();
  if (count == 0) return;
  const int32_t n = count - 1;
  TChartAxis* axis = FYMandatory ? FHorizAxisRef : FVertAxisRef;
  if (!CalcVisiblePoints || FNotMandatory->GetOrder() == loNone || !axis || !FParentChart) {
    FirstValueIndex = 0;
    LastValueIndex = n;
    return;
  }
  const TRect r = FParentChart->GetChartRect();
  const bool inv = axis->GetInverted();
  const int32_t startPixel = FYMandatory ? (inv ? r.Right : r.Left) : (inv ? r.Top : r.Bottom);
  const int32_t endPixel = FYMandatory ? (inv ? r.Left : r.Right) : (inv ? r.Bottom : r.Top);
  const double s = axis->CalcPosPoint(startPixel);
  const TChartValueList& v = *FNotMandatory;
  int32_t first = 0;
  while (first <= n && v[first] < s) ++first;
  if (first > n) return;
  FirstValueIndex = first;
  const double e = axis->CalcPosPoint(endPixel);
  if (v[n] <= e) {
    LastValueIndex = n;
    return;
  }
  int32_t last = first;
  while (last <= n && v[last] < e) ++last;
  if (last > n) last = n;
  if (!DrawBetweenPoints && v[last] > e) --last;
  LastValueIndex = last;
}

bool TChartSeries::DrawValuesForward() const {
  if (!FYMandatory) return !(FVertAxisRef && FVertAxisRef->GetInverted());
  const bool inverted = FHorizAxisRef && FHorizAxisRef->GetInverted();
  if (FParentChart && FParentChart->GetSeenFromBehind()) return inverted;
  return !inverted;
}

bool TChartSeries::DrawSeriesForward() const { return !(FParentChart && FParentChart->GetSeenFromBehind()); }

void TChartSeries::BeforeDrawPoints() {
  if (BeforeDrawValues) BeforeDrawValues(this);
  // A copy: a hook may remove itself while it runs.
  const std::vector<TDrawHook> hooks = FDrawHooks;
  for (const TDrawHook& h : hooks)
    if (h.Before) h.Before(this);
}

void TChartSeries::AfterDrawPoints() {
  const std::vector<TDrawHook> hooks = FDrawHooks;
  for (auto h = hooks.rbegin(); h != hooks.rend(); ++h)
    if (h->After) h->After(this);
  if (AfterDrawValues) AfterDrawValues(this);
}

void TChartSeries::AddDrawHook(const void* Owner, TNotifyEvent Before, TNotifyEvent After) {
  RemoveDrawHook(Owner);
  FDrawHooks.push_back({Owner, std::move(Before), std::move(After)});
}

void TChartSeries::RemoveDrawHook(const void* Owner) {
  std::erase_if(FDrawHooks, [Owner](const TDrawHook& h) { return h.Owner == Owner; });
}

bool TChartSeries::HasDrawHook(const void* Owner) const {
  return std::any_of(FDrawHooks.begin(), FDrawHooks.end(), [Owner](const TDrawHook& h) { return h.Owner == Owner; });
}

void TChartSeries::DrawPoints() {
  if (LastValueIndex < FirstValueIndex || FirstValueIndex < 0) return;
  if (DrawValuesForward())
    for (int32_t i = FirstValueIndex; i <= LastValueIndex; ++i) DrawPoint(i);
  else
    for (int32_t i = LastValueIndex; i >= FirstValueIndex; --i) DrawPoint(i);
}

// ---- values and pixels ----

namespace {

TChartAxis& NeedAxis(TChartAxis* Axis) {
  if (!Axis) throw ChartException(PlotConst::MsgNoParentChart);
  return *Axis;
}

}  // namespace

int32_t TChartSeries::XValueToPixel(double Value) const { return NeedAxis(FHorizAxisRef).ValueToPixel(Value); }

int32_t TChartSeries::YValueToPixel(double Value) const { return NeedAxis(FVertAxisRef).ValueToPixel(Value); }

int32_t TChartSeries::MandatoryValueToPixel(double Value) const {
  return FYMandatory ? YValueToPixel(Value) : XValueToPixel(Value);
}

double TChartSeries::PixelToXValue(int32_t Pixel) const { return NeedAxis(FHorizAxisRef).CalcPosPoint(Pixel); }

double TChartSeries::PixelToYValue(int32_t Pixel) const { return NeedAxis(FVertAxisRef).CalcPosPoint(Pixel); }

// ---- paging ----

void TChartSeries::CalcFirstLastPage(int32_t& First, int32_t& Last) const {
  const int32_t count = Count();
  if (count == 0) {
    First = Last = -1;
    return;
  }
  const int32_t m = FParentChart ? FParentChart->GetMaxPointsPerPage() : 0;
  if (m <= 0) {
    First = 0;
    Last = count - 1;
    return;
  }
  const int64_t page = FParentChart->GetPage();
  int64_t first = (page - 1) * m;
  // A page before the first (Page below 1) shows the first page.
  if (first < 0) first = 0;
  if (first >= count) first = static_cast<int64_t>(m) * std::max(0, count / m - 1);
  int64_t last = first + m - 1;
  if (last >= count) last = first + (count % m) - 1;
  // A series shorter than a whole page ends at its last point.
  if (last < first) last = count - 1;
  First = static_cast<int32_t>(first);
  Last = static_cast<int32_t>(last);
}

// ---- mouse ----

bool TChartSeries::CheckMouse(int32_t X, int32_t Y) {
  if (Cursor == crDefault && !OnMouseEnter && !OnMouseLeave) return false;
  if (PointAtPixel(X, Y) == -1) {
    if (MouseInside) {
      MouseInside = false;
      if (OnMouseLeave) OnMouseLeave(this);
    }
    return false;
  }
  if (Cursor != crDefault && FParentChart) FParentChart->SetChartCursor(Cursor);
  if (MouseInside) return true;
  MouseInside = true;
  if (OnMouseEnter) OnMouseEnter(this);
  return true;
}

// ---- legend ----

std::string TChartSeries::GetLegendString(int32_t Item, TLegendTextStyle Style) const {
  const int32_t v = LegendToValueIndex(Item);
  CheckPointIndex(v, "Series Legend");
  const std::string label = FLabels.GetLabel(v);
  if (Style == ltsPlain) return label;
  const char sep = '\x06';
  const double value = MandatoryValue(v);
  const std::string valueText = FMandatory->GetDateTime()
                                    ? FormatDateTime(PlotProcs::DefaultDateTimeFormat(value), value)
                                    : FormatFloat(FValueFormat, value);
  const double total = FMandatory->TotalABS();
  const std::string percentText = FormatFloat(FPercentFormat, total == 0 ? 100.0 : value * 100 / total);
  // The X value reads as the horizontal axis labels it.
  const std::string xText =
      FHorizAxisRef ? FHorizAxisRef->LabelValue(GetXValue(v)) : FormatFloat(FValueFormat, GetXValue(v));
  auto join = [&](const std::string& a, const std::string& b) { return a + sep + b; };
  switch (Style) {
    case ltsLeftValue: return label.empty() ? valueText : join(valueText, label);
    case ltsRightValue: return label.empty() ? valueText : join(label, valueText);
    case ltsLeftPercent: return label.empty() ? percentText : join(percentText, label);
    case ltsRightPercent: return label.empty() ? percentText : join(label, percentText);
    case ltsXValue: return xText;
    case ltsValue: return valueText;
    case ltsPercent: return percentText;
    case ltsXAndValue: return join(xText, valueText);
    case ltsXAndPercent: return join(xText, percentText);
    default: return label;
  }
}

void TChartSeries::DrawLegend(int32_t Item, const TRect& Rect) {
  if (Item == -1 && FColorEachPoint) return;
  if (!FParentChart) throw ChartException(PlotConst::MsgNoParentChart);
  TCanvas3D* canvas = FParentChart->GetCanvas();
  if (!canvas) return;
  // Setting colours below must not repaint the chart; restored on every exit.
  struct RepaintOff {
    TSeriesChart* Chart;
    bool Old;
    ~RepaintOff() { Chart->SetAutoRepaint(Old); }
  } guard{FParentChart, FParentChart->GetAutoRepaint()};
  FParentChart->SetAutoRepaint(false);

  const TColor colour = Item == -1 ? GetSeriesColor() : LegendEntryColor(Item);
  canvas->Brush->SetColor(colour);
  if (colour == clNone) return;
  TColor back = FParentChart->GetLegendBackColor();
  TBrushStyle style = Brush()->GetStyle();
  canvas->UsePen(*Pen());
  PrepareLegendCanvas(Item, back, style);
  if (TChartPen* p = FParentChart->GetLegendSymbolPen()) canvas->UsePen(*p);
  if (back == clDefault) {
    back = FParentChart->GetLegendBackColor();
    if (back == clDefault) back = FParentChart->GetPanelColor();
  }
  const TBrushStyle oldStyle = Brush()->GetStyle();
  const bool switchStyle = style != oldStyle && !Brush()->GetBitmap();
  if (switchStyle) Brush()->SetStyle(style);
  try {
    FParentChart->SetBrushCanvas(canvas->Brush->GetColor(), Brush(), back);
    PaintLegendSymbol(Item, Rect);
  } catch (...) {
    if (switchStyle) Brush()->SetStyle(oldStyle);
    throw;
  }
  if (switchStyle) Brush()->SetStyle(oldStyle);
}

void TChartSeries::PaintLegendSymbol(int32_t, const TRect& Rect) {
  if (FParentChart) FParentChart->DrawLegendSymbolRect(Rect);
}

namespace PlotEngine {

std::string SeriesTitleOrName(const TChartSeries* Series) {
  if (!Series) return {};
  std::string title = Series->GetTitle();
  if (!title.empty()) {
    std::replace(title.begin(), title.end(), '\x06', ' ');
    return title;
  }
  if (!Series->GetName().empty()) return Series->GetName();
  if (TSeriesChart* chart = Series->GetParentChart()) {
    const int32_t i = chart->GetSeriesList().IndexOf(Series);
    if (i >= 0) return PlotConst::MsgSeriesBase + std::to_string(i + 1);
  }
  return {};
}

}  // namespace PlotEngine

// ---- marks ----

std::string TChartSeries::PercentText(int32_t Index, bool WithTotal) const {
  const double total = FMandatory->TotalABS();
  const double percent = total == 0 ? 100.0 : std::fabs(MandatoryValue(Index)) * 100 / total;
  const std::string text = FormatFloat(FPercentFormat, percent);
  if (!WithTotal) return text;
  const auto* marks = dynamic_cast<const TSeriesMarks*>(FMarks);
  const bool multiLine = marks && marks->GetMultiLine();
  return Format(multiLine ? "%s\rof %s" : "%s of %s", {text, FormatFloat(FValueFormat, total)});
}

std::string TChartSeries::GetMarkText(int32_t Index) const {
  const auto* marks = dynamic_cast<const TSeriesMarks*>(FMarks);
  std::string text;
  const TMarksItem* item = marks ? marks->Items().Peek(Index) : nullptr;
  if (item && item->HasText()) {
    // The item's lines joined by CR LF, without a final line break.
    const TStrings* lines = const_cast<TMarksItem*>(item)->Text();
    for (int k = 0; k < lines->Count(); ++k) text += (k > 0 ? "\r\n" : "") + lines->Strings(k);
  } else {
    const bool multiLine = marks && marks->GetMultiLine();
    const std::string sep = multiLine ? "\r" : " ";
    const TSeriesMarksStyle style = marks ? marks->GetStyle() : smsLabel;
    auto valueText = [&] { return FormatFloat(FValueFormat, MandatoryValue(Index)); };
    auto xText = [&] {
      const double x = FNotMandatory->GetValue(Index);
      return FHorizAxisRef ? FHorizAxisRef->LabelValue(x) : FormatFloat(FValueFormat, x);
    };
    const std::string label = GetLabel(Index);
    switch (style) {
      case smsValue: text = valueText(); break;
      case smsPercent: text = PercentText(Index, false); break;
      case smsLabel: text = label; break;
      case smsLabelPercent: text = label + sep + PercentText(Index, false); break;
      case smsLabelValue: text = label + sep + valueText(); break;
      case smsLegend:
        if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart))
          panel->GetLegendText(const_cast<TChartSeries*>(this), Index, text);
        if (!multiLine) std::replace(text.begin(), text.end(), '\x06', ' ');
        break;
      case smsPercentTotal: text = PercentText(Index, true); break;
      case smsLabelPercentTotal: text = label + sep + PercentText(Index, true); break;
      case smsXValue: text = xText(); break;
      case smsXY: text = xText() + sep + valueText(); break;
    }
  }
  if (text == " ") text.clear();
  if (OnGetMarkText) OnGetMarkText(const_cast<TChartSeries*>(this), Index, text);
  return text;
}

void TChartSeries::DrawMarks() {
  auto* marks = dynamic_cast<TSeriesMarks*>(FMarks);
  TCanvas3D* canvas = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!marks || !canvas || FirstValueIndex < 0) return;
  const int32_t every = marks->EffectiveDrawEvery();
  const TView3DOptions* view = canvas->View3DOptions;
  const bool zoomText = FParentChart->GetView3D() && !canvas->Supports3DText() && view && view->GetZoomText() &&
                        view->GetZoom() != 100;
  for (int32_t i = FirstValueIndex; i <= LastValueIndex && i < Count(); ++i) {
    if (i % every != 0) continue;
    const std::string text = GetMarkText(i);
    if (text.empty()) continue;
    TPlotCustomShape* m = marks->ItemOrMarks(i);
    if (!m->GetVisible()) continue;
    canvas->UseFont(*m->Font());
    if (zoomText) {
      const double size = std::nearbyint(canvas->Font->GetSize() * view->GetZoom() / 100.0);
      canvas->Font->SetSize(std::max(1, static_cast<int32_t>(size)));
    }
    const std::vector<std::string> lines = PlotEngine::MarkTextLines(text);
    int32_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas->TextWidth(line));
    const int32_t fontHeight = canvas->FontHeight();
    int32_t w = widest + canvas->TextWidth("W");
    int32_t h = static_cast<int32_t>(lines.size()) * fontHeight;
    if (marks->SymbolShown()) w += fontHeight - 4;
    canvas->UsePen(*m->Pen());
    const int32_t grow = m->Pen()->GetVisible() ? 2 * m->Pen()->GetWidth() : 1;
    w += grow;
    h += grow;
    TSeriesMarkPosition p;
    p.ArrowTip = p.ArrowTail = TPoint(PointPixelX(i), PointPixelY(i));
    p.TopLeft = TPoint(p.ArrowTail.X - w / 2, p.ArrowTail.Y - h + 1);
    p.Width = w;
    p.Height = h;
    PaintMark(i, text, p);
  }
}

void TChartSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (auto* marks = dynamic_cast<TSeriesMarks*>(FMarks)) marks->DrawMark(Index, ValueColor(Index), Position, Text);
}
