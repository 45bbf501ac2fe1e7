// The gallery hooks of the chart library.
#include "chart/engine/GalleryHooks.h"

namespace Chart {
TNewSeriesFromGalleryHook NewSeriesFromGalleryHook;
TChangeSeriesTypeHook ChangeSeriesTypeHook;
}  // namespace Chart
