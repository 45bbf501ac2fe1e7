// Reads a chart stream that may hold tools of every kind, then draws the chart
// and runs a few mouse moves, presses and releases over it: damaged tool
// entries must be refused or read harmlessly.
#include <cstddef>
#include <cstdint>
#include <string>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotStore.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool ready = [] {
    PlotConst::Initialize();
    Series::Initialization();
    PlotTools::RegisterTools();
    return true;
  }();
  (void)ready;
  TCustomChart* chart = Create<TChart>(nullptr);
  chart->SetName("FuzzChart");
  TMemoryStream in;
  in.WriteString(std::string(reinterpret_cast<const char*>(Data), Size));
  in.SetPosition(0);
  try {
    PlotStore::ReadPlotStream(chart, in, true, [](TReader&, const std::string&) { return true; });
  } catch (const Exception&) {
  }
  chart->SetBounds(200, 150);
  TBitmap picture(200, 150);
  chart->WindowCanvas = picture.GetCanvas();
  try {
    chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 200, 150));
    for (int32_t k = 0; k < 3; ++k) {
      const int32_t x = 20 + 60 * k, y = 30 + 40 * k;
      chart->MouseMove({}, x, y);
      chart->MouseDown(TMouseButton::mbLeft, {}, x, y);
      chart->MouseMove({}, x + 9, y + 4);
      chart->MouseUp(TMouseButton::mbLeft, {}, x + 9, y + 4);
    }
  } catch (const Exception&) {
  }
  chart->WindowCanvas = nullptr;
  chart->Free();
  return 0;
}
