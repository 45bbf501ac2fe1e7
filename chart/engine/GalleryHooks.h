#pragma once
// The chart library's two gallery entry points: creating a new series from
// the gallery and changing the type of a series. Empty until the gallery
// dialogs install theirs.
#include <functional>

#include "platform/rtl/ClassInfo.h"

class TComponent;
class TChartSeries;
class TCustomAxisPanel;

namespace Chart {
// Owner, chart, the series selected in the editor (or none); the new series or none.
using TNewSeriesFromGalleryHook =
    std::function<TChartSeries*(TComponent* Owner, TCustomAxisPanel* Chart, TChartSeries* Existing)>;
// Owner, the series to change (replaced by the new one); the new series' class or none.
using TChangeSeriesTypeHook = std::function<TClass(TComponent* Owner, TChartSeries*& Series)>;
extern TNewSeriesFromGalleryHook NewSeriesFromGalleryHook;
extern TChangeSeriesTypeHook ChangeSeriesTypeHook;
}  // namespace Chart
