#include "chart/extras/PlotDataTableTool.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TTableLegend, TPlotCustomShape) {
  c.Property("FontSeriesColor", &TTableLegend::GetFontSeriesColor, &TTableLegend::SetFontSeriesColor).Default(false);
  c.Property("OtherSide", &TTableLegend::GetOtherSide, &TTableLegend::SetOtherSide).Default(false);
  c.Property("Symbol", &TTableLegend::Symbol);
}

TTableLegend::TTableLegend(TCustomPlotPanel* Owner)
    : TPlotCustomShape(Owner), FSymbol(std::make_unique<TLegendSymbol>()) {
  SetColor(clWhite);
  DefaultTransparent = true;
  SetTransparent(true);
}

TTableLegend::~TTableLegend() = default;

void TTableLegend::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TTableLegend*>(Source)) {
    FFontSeriesColor = s->FFontSeriesColor;
    FOtherSide = s->FOtherSide;
    FSymbol->Assign(s->FSymbol.get());
  }
  TPlotCustomShape::Assign(Source);
}

KV_CLASS_IMPL(TDataTableTool, TPlotCustomTool) {
  c.Property("AutoPosition", &TDataTableTool::GetAutoPosition, &TDataTableTool::SetAutoPosition).Default(true);
  c.Property("Brush", &TDataTableTool::Brush);
  c.Property("ClipText", &TDataTableTool::ClipText).Default(true);
  c.Property("ColumnPen", &TDataTableTool::ColumnPen);
  c.Property("Font", &TDataTableTool::Font);
  c.Property("Inverted", &TDataTableTool::GetInverted, &TDataTableTool::SetInverted).Default(false);
  c.Property("Left", &TDataTableTool::GetLeft, &TDataTableTool::SetLeft).Default(0);
  c.Property("Legend", &TDataTableTool::Legend);
  c.Property("RowPen", &TDataTableTool::RowPen);
  c.Property("Top", &TDataTableTool::GetTop, &TDataTableTool::SetTop).Default(0);
}

TDataTableTool::TDataTableTool(TComponent* Owner) : TPlotCustomTool(Owner) {
  const TPlotChangeEvent changed = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FBrush = std::make_unique<TChartBrush>(changed);
  FFont = std::make_unique<TPlotFont>(changed);
  FColumnPen = std::make_unique<TChartPen>(changed);
  FLegend = std::make_unique<TTableLegend>();
}

TDataTableTool::~TDataTableTool() = default;

void TDataTableTool::BeforeDestruction() {
  Unhook(FHooked);
  TPlotCustomTool::BeforeDestruction();
}

void TDataTableTool::Hook(TSeriesChart* Chart) {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(Chart);
  if (!panel) return;
  panel->AxisMarginHook = [this](TChartAxis* Axis, int32_t Margin) { return AxisSize(Axis, Margin); };
  FHooked = Chart;
}

void TDataTableTool::Unhook(TSeriesChart* Chart) {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(Chart);
  if (panel && !panel->IsChartDestroying()) panel->AxisMarginHook = nullptr;
  if (Chart == FHooked) FHooked = nullptr;
}

void TDataTableTool::SetParentChart(TSeriesChart* Value) {
  Unhook(FHooked);
  TPlotCustomTool::SetParentChart(Value);
  FLegend->SetParent(dynamic_cast<TCustomPlotPanel*>(Value));
  Hook(Value);
  Repaint();
}

std::vector<TChartSeries*> TDataTableTool::TableSeries() const {
  std::vector<TChartSeries*> list;
  TSeriesChart* chart = GetParentChart();
  if (!chart) return list;
  TChartSeriesList& all = chart->GetSeriesList();
  for (int32_t i = 0; i < all.Count(); ++i)
    if (TChartSeries* s = all[i]; s->GetActive() && !s->HasZValues) list.push_back(s);
  return list;
}

TChartAxis* TDataTableTool::TableAxis() const {
  const std::vector<TChartSeries*> list = TableSeries();
  if (list.empty()) return nullptr;
  TChartSeries* s = list.front();
  return s->GetYMandatory() ? s->GetHorizAxisRef() : s->GetVertAxisRef();
}

int32_t TDataTableTool::RowSize() const {
  TSeriesChart* chart = GetParentChart();
  TCanvas3D* canvas = chart ? chart->GetCanvas() : nullptr;
  TChartAxis* axis = TableAxis();
  if (!canvas || !axis) return 0;
  canvas->UseFont(*FFont);
  return axis->GetHorizontal() ? canvas->FontHeight() : canvas->TextWidth("#.###");
}

int32_t TDataTableTool::Thickness() const {
  TChartAxis* axis = TableAxis();
  if (!axis) return 0;
  const int32_t rows = static_cast<int32_t>(TableSeries().size());
  return rows * RowSize() + (axis->GetHorizontal() ? 10 : 16);
}

int32_t TDataTableTool::LegendWidth() const {
  TSeriesChart* chart = GetParentChart();
  TCanvas3D* canvas = chart ? chart->GetCanvas() : nullptr;
  if (!canvas) return 0;
  canvas->UseFont(*FLegend->Font());
  int32_t widest = 0;
  for (TChartSeries* s : TableSeries()) widest = std::max(widest, canvas->TextWidth(PlotEngine::SeriesTitleOrName(s)));
  int32_t w = widest + canvas->FontHeight();
  if (FLegend->Symbol()->GetVisible()) w += FLegend->Symbol()->GetWidth();
  return w;
}

int32_t TDataTableTool::AxisSize(TChartAxis* Axis, int32_t Space) const {
  TChartAxis* table = FAutoPosition ? TableAxis() : nullptr;
  if (!table || !Axis || Axis->IsDepthAxis()) return Space;
  if (Axis == table) return Space + Thickness();
  auto* panel = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (!FLegend->GetVisible() || !panel) return Space;
  const int32_t w = LegendWidth();
  const bool end = FLegend->GetOtherSide();
  if (table->GetHorizontal()) {
    if (Axis->GetHorizontal()) return Space;
    if (!Axis->GetOtherSide()) return end ? Space : std::max(Space, w);
    return end ? std::max(Space, w - (panel->GetWidth() - panel->ChartRect.Right)) : Space;
  }
  if (!Axis->GetHorizontal()) return Space;
  if (Axis->GetOtherSide()) return end ? Space : std::max(Space, w);
  return end ? std::max(Space, w - (panel->GetHeight() - panel->ChartRect.Bottom)) : Space;
}

std::string TDataTableTool::CellText(TChartSeries* Series, int32_t Index) const {
  TChartValueList* list = Series->MandatoryList();
  const double v = list->GetValue(Index);
  if (list->GetDateTime()) {
    const TFormatSettings& fs = FormatSettings;
    return SysUtils::FormatDateTime(v < 1 ? fs.ShortTimeFormat : fs.ShortDateFormat, v);
  }
  return SysUtils::FormatFloat(Series->GetValueFormat(), v);
}

int32_t TDataTableTool::OuterEdge(TCustomAxisPanel& Chart, TChartAxis& Axis) {
  const int32_t line = Axis.AxisLinePos;
  if (!Chart.IsAxisDrawn(Axis)) return line;
  // Distances away from the plot, from the axis line.
  const bool positive = Axis.GetHorizontal() ? !Axis.GetOtherSide() : Axis.GetOtherSide();
  const auto away = [&](int32_t P) { return positive ? P - line : line - P; };
  int32_t far = Axis.SizeTickAxis();
  if (Axis.GetLabels()) far = std::max(far, away(Axis.LabelsPos) + Axis.SizeLabels());
  TChartAxisTitle* title = Axis.Title();
  if (title->GetVisible() && !title->GetCaption().empty() && !Axis.TitlePlacementOn)
    far = std::max(far, away(Axis.TitlePos) + Axis.SizeTitle());
  return positive ? line + far : line - far;
}

void TDataTableTool::HandleChartEvent(int32_t Code) {
  if (Code == tceAfterDraw && GetActive()) Draw();
}

void TDataTableTool::Draw() {
  Cells.clear();
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  const std::vector<TChartSeries*> series = TableSeries();
  TChartAxis* axis = TableAxis();
  if (!chart || series.empty() || !axis || !chart->Canvas() || !chart->Canvas()->Pen) return;
  TCanvas3D& canvas = *chart->Canvas();
  const bool horiz = axis->GetHorizontal();
  const int32_t h = RowSize(), rows = static_cast<int32_t>(series.size());
  canvas.UseFont(*FFont);
  canvas.SetBackMode(TRANSPARENT);
  canvas.SetTextAlign(horiz ? TA_CENTER : TA_LEFT);

  // Placement: the base line across the axis and the offset along it.
  int32_t base = 0, along = 0;
  if (FAutoPosition) {
    base = OuterEdge(*chart, *axis);
    if (chart->GetView3D() && axis->GetOtherSide()) {
      base += horiz ? -chart->Height3D : chart->Width3D;
      along = horiz ? chart->Width3D : -chart->Height3D;
    }
    if (horiz)
      FTop = base, FLeft = 0;
    else
      FLeft = base, FTop = 0;
  } else {
    base = horiz ? FTop : FLeft;
    along = horiz ? FLeft : FTop;
  }
  // Rows grow away from the plot.
  const int32_t sign = horiz ? (axis->GetOtherSide() ? -1 : 1) : (axis->GetOtherSide() ? 1 : -1);
  const auto edge = [&](int32_t K) { return base + sign * (10 + h * K); };
  const auto rowLow = [&](int32_t R) { return std::min(edge(R), edge(R + 1)); };

  // Columns: the axis' label positions in pixel order.
  std::vector<int32_t> ticks = axis->TickPixels;
  std::sort(ticks.begin(), ticks.end());
  const int32_t axisLo = std::min(axis->StartPixel, axis->EndPixel), axisHi = std::max(axis->StartPixel, axis->EndPixel);
  std::vector<int32_t> separators;
  if (ticks.size() >= 2) {
    const int32_t half0 = (ticks[1] - ticks[0]) / 2, half1 = (ticks.back() - ticks[ticks.size() - 2]) / 2;
    separators.push_back(std::max(axisLo, ticks.front() - half0));
    for (size_t k = 1; k < ticks.size(); ++k) separators.push_back((ticks[k - 1] + ticks[k]) / 2);
    separators.push_back(std::min(axisHi, ticks.back() + half1));
  } else {
    separators = {axisLo, axisHi};
  }
  // The column of an along-axis pixel: the label position it lies under,
  // within half a column.
  const auto columnOf = [&](int32_t P) {
    if (ticks.empty()) return -1;
    auto it = std::lower_bound(ticks.begin(), ticks.end(), P);
    int32_t k = static_cast<int32_t>(it - ticks.begin());
    if (k == static_cast<int32_t>(ticks.size()) || (k > 0 && P - ticks[k - 1] <= ticks[k] - P)) --k;
    const int32_t lo = separators[static_cast<size_t>(k)], hi = separators[static_cast<size_t>(k) + 1];
    return P >= lo && P <= hi ? k : -1;
  };

  // Cells.
  for (int32_t j = 0; j < rows; ++j) {
    TChartSeries* s = series[static_cast<size_t>(j)];
    const int32_t r = FInverted ? rows - 1 - j : j;
    std::vector<bool> used(ticks.size(), false);
    for (int32_t i = 0; i < s->Count(); ++i) {
      if (s->IsNull(i)) continue;
      const int32_t k = columnOf(horiz ? s->PointPixelX(i) : s->PointPixelY(i));
      if (k < 0 || used[static_cast<size_t>(k)]) continue;
      used[static_cast<size_t>(k)] = true;
      const std::string text = CellText(s, i);
      const int32_t pos = ticks[static_cast<size_t>(k)] + along;
      const TPoint at = horiz ? TPoint(pos, rowLow(r)) : TPoint(rowLow(r) + 4, pos - canvas.FontHeight() / 2);
      canvas.TextOut(at.X, at.Y, text);
      Cells.push_back({r, k, text, at});
    }
  }

  // Legend column.
  int32_t from = separators.front() + along, to = separators.back() + along;
  if (FLegend->GetVisible()) {
    const int32_t w = LegendWidth();
    const bool end = FLegend->GetOtherSide();
    const int32_t l0 = end ? to : from - w, l1 = end ? to + w : from;
    TLegendSymbol* symbol = FLegend->Symbol();
    const int32_t symW = symbol->GetVisible() ? symbol->GetWidth() : 0;
    const bool symbolFirst = symbol->GetPosition() == spLeft;
    canvas.UseFont(*FLegend->Font());
    canvas.SetTextAlign(TA_LEFT);
    if (!horiz) canvas.Font->SetOrientation(900);
    for (int32_t j = 0; j < rows; ++j) {
      TChartSeries* s = series[static_cast<size_t>(j)];
      const int32_t r = FInverted ? rows - 1 - j : j;
      const int32_t top = rowLow(r);
      if (FLegend->GetFontSeriesColor()) canvas.Font->SetColor(s->GetSeriesColor());
      const int32_t textAt = l0 + 4 + (symW > 0 && symbolFirst ? symW + 4 : 0);
      const std::string title = PlotEngine::SeriesTitleOrName(s);
      if (horiz)
        canvas.TextOut(textAt, top, title);
      else
        canvas.TextOut(top, l1 - (textAt - l0), title);
      if (symW > 0) {
        const int32_t sx = symbolFirst ? l0 + 4 : l1 - 4 - symW;
        const TRect rect = horiz ? TRect(sx, top + 4, sx + symW, top + 12) : TRect(top + 4, sx, top + 12, sx + symW);
        if (symbol->Gradient()->GetVisible())
          symbol->DrawGradientSymbol(canvas, s->GetSeriesColor(), rect);
        else
          s->DrawLegend(-1, rect);
      }
    }
    if (!horiz) canvas.Font->SetOrientation(0);
    canvas.UsePen(horiz ? *FColumnPen : *Pen());
    if (horiz)
      canvas.VertLine(end ? l0 : l1, edge(0), edge(rows));
    else
      canvas.HorizLine(edge(0), edge(rows), end ? l0 : l1);
    from = std::min(from, l0);
    to = std::max(to, l1);
  }

  // Lines along the axis at the row boundaries, then the column separators.
  canvas.UsePen(horiz ? *Pen() : *FColumnPen);
  for (int32_t k = 0; k <= rows; ++k) {
    if (horiz)
      canvas.HorizLine(from, to, edge(k));
    else
      canvas.VertLine(edge(k), from, to);
  }
  canvas.UsePen(horiz ? *FColumnPen : *Pen());
  for (int32_t p : separators) {
    if (horiz)
      canvas.VertLine(p + along, edge(0), edge(rows));
    else
      canvas.HorizLine(edge(0), edge(rows), p + along);
  }
}

namespace PlotDataTableTool {
void Initialization() { Chart::AddToolClasses({TDataTableTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TDataTableTool::StaticClass()}); }
}  // namespace PlotDataTableTool
