// Chart files holding the grid series: damaged files load or raise and never
// hurt the drawing; stored grid sizes and level counts are bounded.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

namespace PlotSurfaFileTests {


namespace {

TEST(GridSeriesFile, DamagedFilesLoadOrRaiseAndNeverHurtTheDrawing) {
  PlotConst::Initialize();
  Series::Initialization();
  ExtrasUnits::Initialization();
  std::ifstream file(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/grid_series_file/grids.txt", std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  const std::string seed = buffer.str();
  ASSERT_NE(seed.find("UpToValue = 3.5"), std::string::npos);
  auto replaced = [&](const std::string& From, const std::string& To) {
    std::string t = seed;
    const size_t at = t.find(From);
    EXPECT_NE(at, std::string::npos) << From;
    if (at != std::string::npos) t.replace(at, From.size(), To);
    return t;
  };
  const std::string huge = "2000000000";
  // Automatic levels: the stored levels and their count go, a huge count comes.
  const size_t levelsFrom = seed.find("AutomaticLevels = False"), levelsTo = seed.find("NumLevels = 3");
  ASSERT_LT(levelsFrom, levelsTo);
  std::string automatic = seed;
  automatic.replace(levelsFrom, levelsTo + 13 - levelsFrom, "NumLevels = " + huge);
  const std::string cases[] = {
      replaced("Transparency = 20", "NumXValues = " + huge + "\n    NumZValues = " + huge),
      replaced("Transparency = 20", "NumXValues = -7\n    IrregularGrid = True"),
      replaced("Transparency = 20", "Transparency = 5000"),
      replaced("AutomaticLevels = False", "AutomaticLevels = True"),
      automatic,
      replaced("UpToValue = 3.5", "UpToValue = 1E308"),
      replaced("UpToValue = 3.5", "UpToValue = -1E308"),
      replaced("XGridEvery = 2", "XGridEvery = -3"),
      replaced("XGridEvery = 2", "XGridEvery = 0\n    NumZValues = " + huge),
      replaced("PercentWidth = 60", "PercentWidth = " + huge),
      replaced("PercentWidth = 60", "PercentDepth = -" + huge),
      replaced("TowerStyle = tsCover", "TowerStyle = tsSlantCube"),
      seed.substr(0, seed.size() / 2),
  };
  for (const std::string& text : cases) {
    TCustomChart* chart = Create<TChart>(nullptr);
    try {
      TMemoryStream stream;
      stream.WriteString(text);
      stream.SetPosition(0);
      PlotStore::ReadPlotStream(chart, stream, true, nullptr);
      TBitmap picture(320, 240);
      for (bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
      }
      for (int32_t i = 0; i < chart->SeriesCount(); ++i) chart->GetSeries(i)->PointAtPixel(160, 120);
      for (int32_t i = 0; i < chart->SeriesCount(); ++i) {
        if (auto* c = dynamic_cast<TContourSeries*>(chart->GetSeries(i))) {
          EXPECT_LE(c->GetNumLevels(), TContourSeries::MaxLevels);
        }
        if (auto* g = dynamic_cast<TCustom3DGridSeries*>(chart->GetSeries(i))) {
          EXPECT_LE(double(g->GridIndex.size()) * g->GridIndex[0].size(), TCustom3DGridSeries::MaxGridEntries);
        }
      }
    } catch (const Exception&) {
      // A refused value is reported; nothing else may happen.
    }
    if (chart) chart->Free();
  }
}

}  // namespace

}  // namespace PlotSurfaFileTests
