// Applies the input as series, axis, pen, brush, gradient, font and shadow style
// texts of a chart and paints the chart.
#include "chart/engine/PlotEngine.h"
#include "fuzz/ChartSupport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzSupport::StartCharts();
  const std::string Text = FuzzSupport::Text(Data, Size);
  TCustomChart* Chart = Create<TChart>(nullptr);
  auto* Line = Create<TLineSeries>(Chart);
  Chart->AddSeries(Line);
  for (int i = 0; i < 5; ++i) Line->AppendPoint(i, i * i, "");
  try {
    Series::SeriesFromText(Line, Text);
  } catch (const Exception&) {
  }
  try {
    PlotEngine::AxisFromText(*Chart->LeftAxis(), Text, true);
  } catch (const Exception&) {
  }
  for (auto Read : {+[](const std::string& T) { (void)PlotEngine::PenFromText(T); },
                    +[](const std::string& T) { (void)PlotEngine::BrushFromText(T); },
                    +[](const std::string& T) { (void)PlotEngine::GradientFromText(T); },
                    +[](const std::string& T) { (void)PlotEngine::FontFromText(T); },
                    +[](const std::string& T) { (void)PlotEngine::ShadowFromText(T); }}) {
    try {
      Read(Text);
    } catch (const Exception&) {
    }
  }
  try {
    FuzzSupport::Paint(Chart);
  } catch (const Exception&) {
  }
  Chart->Free();
  return 0;
}
