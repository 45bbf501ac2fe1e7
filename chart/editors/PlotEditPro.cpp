#include "chart/editors/PlotEditPro.h"

#include "chart/series/PlotStore.h"
#include "platform/gdi/PictureFormats.h"
#include "platform/rtl/SysUtils.h"

TChartImage::TChartImage() = default;

TChartImage::~TChartImage() { FreeOwnedChart(); }

void TChartImage::FreeOwnedChart() const {
  if (FOwnedChart) FOwnedChart->Free();
  FOwnedChart = nullptr;
}

TCustomChart* TChartImage::Current() const { return FOwnsChart ? FOwnedChart : FHandedChart.Get(); }

TCustomChart* TChartImage::GetChart() const {
  if (TCustomChart* chart = Current()) return chart;
  FreeOwnedChart();
  FOwnedChart = Create<TChart>(nullptr);
  FOwnedChart->SetBufferedDisplay(false);
  FOwnsChart = true;
  return FOwnedChart;
}

void TChartImage::SetChart(TCustomChart* Chart) {
  if (Chart && Chart == FOwnedChart)
    FOwnedChart = nullptr;  // the image's own chart handed back in: kept alive, no longer owned
  else
    FreeOwnedChart();
  FHandedChart = Chart;
  FOwnsChart = false;
  Changed();
}

void TChartImage::Changed() {
  if (OnChange) OnChange(this);
}

void TChartImage::Assign(const TGraphic* Source) {
  if (!Source) return;
  if (auto* image = dynamic_cast<const TChartImage*>(Source)) {
    if (TCustomChart* chart = image->Current(); chart && image != this) GetChart()->Assign(chart);
    return;
  }
  throw EConvertError(SysUtils::Format("Cannot assign a %s to a %s", {Source->GraphicClassName(), GraphicClassName()}));
}

int32_t TChartImage::GetWidth() const { return GetChart()->GetWidth(); }
int32_t TChartImage::GetHeight() const { return GetChart()->GetHeight(); }
void TChartImage::SetWidth(int32_t Value) { GetChart()->SetWidth(Value); }
void TChartImage::SetHeight(int32_t Value) { GetChart()->SetHeight(Value); }
bool TChartImage::GetEmpty() const { return Current() == nullptr; }

void TChartImage::SetTransparent(bool Value) {
  TGraphic::SetTransparent(Value);
  // Only a transparent picture gives up the chart's own colour.
  if (Value) GetChart()->SetColor(clNone);
}

void TChartImage::Draw(TCanvas& Canvas, const TRect& R) const {
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(clWhite);
  Canvas.FillRect(R);
  GetChart()->DrawTo(Canvas, R);
}

void TChartImage::LoadFromBytes(const std::vector<uint8_t>& Data) {
  TCustomChart* chart = GetChart();
  TMemoryStream stream;
  if (!Data.empty()) stream.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  stream.SetPosition(0);
  PlotStore::ReadChartStream(chart, stream);
  chart->SetBufferedDisplay(false);
  Changed();
}

std::vector<uint8_t> TChartImage::SaveToBytes() const {
  TMemoryStream stream;
  PlotStore::WritePlotStream(GetChart(), stream, true, false);
  const std::string bytes = stream.DataString();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TChartImage::LoadFromFile(const std::string& FileName) {
  TMemoryStream stream;
  stream.LoadFromFile(FileName);
  const std::string bytes = stream.DataString();
  LoadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void TChartImage::SaveToFile(const std::string& FileName) const {
  PlotStore::WritePlotFile(GetChart(), FileName, true, false);
}

std::unique_ptr<TGraphic> TChartImage::Clone() const {
  auto copy = std::make_unique<TChartImage>();
  // Through the chart file, so that the copy keeps the series and their values.
  if (!GetEmpty()) copy->LoadFromBytes(SaveToBytes());
  copy->FTransparent = FTransparent;
  return copy;
}

namespace PlotEditPro {

void Initialization() {
  PictureFormats::RegisterFileFormat("chf", "Chart", "TChartImage",
                                     [] { return std::unique_ptr<TGraphic>(std::make_unique<TChartImage>()); });
}

void Finalization() { PictureFormats::UnregisterGraphicClass("TChartImage"); }

}  // namespace PlotEditPro
