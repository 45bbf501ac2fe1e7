// A chart of the kind the model view shows: a map series of three coloured
// polygons under an area, a line and a point series, rendered to a PNG file
// for a look by eye and checked at a few pixels.
#include <filesystem>

#include "chart/series/PlotMapSeries.h"
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace SeriesRenderTests {

namespace {

class SeriesRenderTest : public SeriesChartTest {};

TEST_F(SeriesRenderTest, LinePointAreaAndThreePolygonsRenderToPng) {
  auto* map = Add<TMapSeries>();
  const std::vector<std::pair<std::vector<std::pair<double, double>>, TColor>> bodies{
      {{{0.5, 0.5}, {4.5, 0.5}, {4.5, 4}, {0.5, 4}}, 0x3080F0},
      {{{4.5, 0.5}, {9.5, 0.5}, {9.5, 3}, {7, 5}, {4.5, 4}}, 0x40C040},
      {{{0.5, 4}, {4.5, 4}, {7, 5}, {9.5, 3}, {9.5, 6}, {0.5, 6}}, 0xD07030}};
  for (const auto& [vertices, colour] : bodies) {
    TPlotPolygon* p = map->Shapes()->AddPolygon();
    for (auto [x, y] : vertices) p->AppendPoint(x, y);
    p->SetColor(colour);
  }
  auto* area = Add<TAreaSeries>();
  area->SetSeriesColor(0xC0C0C0);
  area->SetUseYOrigin(true);
  area->SetYOrigin(10);
  for (double x : {0.5, 2.5, 5.0, 7.5, 9.5}) area->AppendPoint(x, x == 5.0 ? 8.5 : 7.5);
  auto* line = Add<TLineSeries>();
  line->SetSeriesColor(0x0000FF);
  line->LinePen()->SetWidth(2);
  for (int i = 0; i <= 10; ++i) line->AppendPoint(i, 1 + 0.8 * i);
  auto* points = Add<TPointSeries>();
  points->SetSeriesColor(0x800080);
  for (double x : {1.0, 3.0, 5.0, 7.0, 9.0}) points->AppendPoint(x, 6.8);
  Fix(0, 10, 0, 10);
  TPngImage png;
  png.SetSize(W, H);
  Chart->DrawTo(*png.GetCanvas(), TRect(0, 0, W, H));
  std::filesystem::create_directories("/tmp/e3");
  png.SaveToFile("/tmp/e3/section.png");

  const auto at = [&](double x, double y) { return png.GetPixelColor(XPix(x), YPix(y)) & 0xFFFFFF; };
  EXPECT_EQ(at(2, 2.5), 0x3080F0);
  EXPECT_EQ(at(8, 1), 0x40C040);
  EXPECT_EQ(at(2, 5.5), 0xD07030);
  EXPECT_EQ(at(4, 9.5), 0xC0C0C0);
  EXPECT_EQ(at(5, 5), 0x0000FF);
  EXPECT_EQ(at(3, 6.8), 0x800080);
}

}  // namespace

}  // namespace SeriesRenderTests
