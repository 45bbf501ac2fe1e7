// Text typed into the chart data grid: every line of the input is stored into
// the next cell of a grid showing two series (one with date-time values) with
// labels and X values, then the chart is painted. No text may crash the grid,
// leave a series with lists of different lengths or put a value that is no
// finite number into a series.
#include "chart/editors/PlotChartGrid.h"
#include "fuzz/ChartSupport.h"
#include "platform/ui/Forms.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Forms::EnsureToolkit();
  FuzzSupport::StartCharts();
  auto* Owner = new TComponent(nullptr);
  auto* Chart = Create<TChart>(Owner);
  for (int s = 0; s < 2; ++s) {
    auto* S = Create<TLineSeries>(Owner);
    Chart->AddSeries(S);
    for (int i = 0; i < 3; ++i) S->AppendPoint(i * (s + 1), 40000 + i);
    S->YValues()->SetDateTime(s == 1);
  }
  auto* Grid = Create<TChartGrid>(Owner);
  Grid->SetShowXValues(cgsYes);
  Grid->SetChart(Chart);
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  size_t From = 0;
  // Cells run across the columns, then down the rows (up to 40 rows below the points).
  for (int Cell = 0; From <= Text.size() && Cell < 400; ++Cell) {
    const size_t To = std::min(Text.find('\n', From), Text.size());
    const int Cols = Grid->GetColCount() - 1;
    Grid->StoreCellText(1 + Cell % Cols, Grid->FirstRow() + (Cell / Cols) % 40, Text.substr(From, To - From));
    From = To + 1;
  }
  for (int s = 0; s < Chart->SeriesCount(); ++s) {
    TChartSeries* S = Chart->GetSeries(s);
    for (int l = 0; l < S->ValueLists().Count(); ++l) {
      TChartValueList* L = S->ValueLists().Get(l);
      if (L->Count() != S->Count()) std::abort();
      for (int i = 0; i < L->Count(); ++i)
        if (!std::isfinite(L->GetValue(i))) std::abort();
    }
  }
  FuzzSupport::Paint(Chart);
  TBitmap Picture(300, 200);
  Grid->SetBounds(0, 0, 300, 200);
  Grid->PaintTo(*Picture.GetCanvas(), 0, 0);
  Owner->Free();
  return 0;
}
