// Loads the input as a picture file with the chart file extension through the
// picture holder (the built-in formats by content, else the registered chart
// picture format) and draws what loaded.
#include "chart/editors/PlotEditPro.h"
#include "fuzz/ChartSupport.h"
#include "fuzz/FuzzSupport.h"
#include "platform/gdi/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzSupport::StartCharts();
  PlotEditPro::Initialization();
  TPicture Picture;
  try {
    Picture.LoadFromFile(FuzzSupport::InputFile(Data, Size, ".chf"));
    TBitmap Target(160, 120);
    Target.GetCanvas()->StretchDraw(TRect(0, 0, 160, 120), Picture.GetGraphic());
  } catch (const Exception&) {
  }
  return 0;
}
