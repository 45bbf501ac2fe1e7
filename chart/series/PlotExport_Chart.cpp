// The export dialog for charts: data exporters over the chart's series and
// chart files through the chart-file unit.
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotExport.h"
#include "chart/series/PlotStore.h"

KV_CLASS_IMPL(TPlotExportForm, TPlotExportFormBase) {}

namespace {
TCustomChart* AsChart(TCustomPlotPanel* Panel) { return dynamic_cast<TCustomChart*>(Panel); }

TCustomChart& CheckChart(TCustomPlotPanel* Panel) {
  TCustomChart* Chart = AsChart(Panel);
  if (!Chart) throw Exception(PlotConst::MsgPanelPropertyIsNotSetInExportFormat);
  return *Chart;
}
}  // namespace

TPlotExportForm::TPlotExportForm(TComponent* Owner) : TPlotExportFormBase(Owner) {}

std::unique_ptr<TPlotExportData> TPlotExportForm::CreateDataExporter() {
  TCustomChart* Chart = AsChart(ExportedPanel());
  if (!Chart) return nullptr;
  TChartSeries* Series = nullptr;
  const int32_t Index = CBSeries->GetItemIndex();
  if (Index > 0) Series = dynamic_cast<TChartSeries*>(CBSeries->Items()->Objects(Index));
  std::unique_ptr<TSeriesData> Exporter;
  switch (RGText->GetItemIndex()) {
    case 1: Exporter = std::make_unique<TSeriesDataXML>(Chart, Series); break;
    case 2: Exporter = std::make_unique<TSeriesDataHTML>(Chart, Series); break;
    case 3: Exporter = std::make_unique<TSeriesDataXLS>(Chart, Series); break;
    default: {
      auto Text = std::make_unique<TSeriesDataText>(Chart, Series);
      Text->Delimiter = DelimiterChar();
      Text->Quote = EQuotes->GetText();
      Exporter = std::move(Text);
    }
  }
  Exporter->WithLabels = CBLabels->GetChecked();
  Exporter->WithIndex = CBIndex->GetChecked();
  Exporter->WithHeader = CBHeader->GetChecked();
  Exporter->WithColors = CBColors->GetChecked();
  return Exporter;
}

void TPlotExportForm::SaveNative(const std::string& FileName, bool IncludeData) {
  PlotStore::WritePlotFile(&CheckChart(ExportedPanel()), FileName, IncludeData, CBNativeFormat->GetItemIndex() == 1);
}

bool TPlotExportForm::CanCopyData() {
  const TCustomChart* Chart = AsChart(ExportedPanel());
  return Chart && Chart->SeriesCount() > 0;
}

std::unique_ptr<TMemoryStream> TPlotExportForm::NativeStream() {
  auto Stream = std::make_unique<TMemoryStream>();
  PlotStore::WritePlotStream(&CheckChart(ExportedPanel()), *Stream, CBNativeData->GetChecked(),
                             CBNativeFormat->GetItemIndex() == 1);
  return Stream;
}

void TPlotExportForm::PrepareForPanel() {
  TStrings& Items = *CBSeries->Items();
  Items.Clear();
  if (TCustomChart* Chart = AsChart(ExportedPanel())) PlotEngine::FillSeriesItems(Items, Chart->GetSeriesList(), true);
  Items.InsertObject(0, PlotConst::MsgAll, nullptr);
  CBSeries->SetItemIndex(0);
}
