// Gravity and magnetic data through the main window: the "Add gravimagnetic
// data" command over an opened survey, the curves of Chart1, the forward run and
// the inversion of the densities.

#include <filesystem>
#include <fstream>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "controls/abcsplit.h"
#include "platform/gdi/Graphics.h"
#include "views/PolygonChart.h"

namespace GravMagTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

class GravMagTest : public AppFixture {
 protected:
  // A body in the middle of the model with the density and susceptibility given.
  static void AddBody(TMainForm& F, double Density, double Susceptibility) {
    TPolygonChart& c = *F.PolygonChart1;
    const double w = c.XMax - c.XMin, h = c.ZMax - c.ZMin;
    Polygon p = c.ModelPolygons[0][0];
    p.Nodes.clear();
    for (auto [fx, fz] : {std::pair{0.4, 0.2}, std::pair{0.6, 0.2}, std::pair{0.6, 0.5}, std::pair{0.4, 0.5}}) {
      Tnode n;
      n.X = c.XMin + fx * w;
      n.Depth = c.ZMin + fz * h;
      p.Nodes.push_back(static_cast<int32_t>(c.ModelNodes.size()));
      c.ModelNodes.push_back(n);
    }
    p.Props[Polygons::PropResistivity] = PropValue(100.0);
    p.Props[Polygons::PropPolarizability] = PropValue(0.0);
    p.Props[Polygons::PropDensity] = PropValue(Density);
    p.Props[Polygons::PropSusceptibility] = PropValue(Susceptibility);
    c.ModelPolygons.push_back({p});
    c.RedrawModel();
  }
  std::string WritePgm(const TMainForm& F) {
    const fs::path dir = fs::temp_directory_path() / ("kv_gravmag_app_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const TPolygonChart& c = *F.PolygonChart1;
    std::string text = "start_d grav\n";
    std::string mag = "start_d mag\n";
    for (int k = 20; k >= 0; --k) {  // descending positions
      const double x = c.XMin + (c.XMax - c.XMin) * k / 20.0;
      text += std::to_string(x) + " 0.05 -1\n";
      mag += std::to_string(x) + " 10 -1\n";
    }
    text += "end_d grav\n" + mag + "end_d mag\nstart_config\n60 0 0 50000\nend_config\n";
    const std::string file = (dir / "profile.pgm").string();
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  static void ExpectCurvesMatch(TMainForm& F) {
    const std::pair<TLineSeries*, const ttdata*> curves[] = {
        {F.Series1, &F.GravMag.GravData}, {F.Series2, &F.GravMag.GravData},
        {F.Series3, &F.GravMag.MagData}, {F.Series4, &F.GravMag.MagData}};
    for (int i = 0; i < 4; ++i) {
      TLineSeries* s = curves[i].first;
      const ttdata& data = *curves[i].second;
      ASSERT_EQ(s->Count(), static_cast<int32_t>(data.size())) << i;
      for (int32_t k = 0; k < s->Count(); ++k) {
        EXPECT_EQ(s->GetXValue(k), data[k].Position);
        EXPECT_EQ(s->GetYValue(k), i % 2 ? data[k].Calculated : data[k].Observed);
        if (k > 0) {
          EXPECT_LT(s->GetXValue(k - 1), s->GetXValue(k));
        }
      }
      EXPECT_TRUE(s->GetShowInLegend());
    }
  }
};

TEST_F(GravMagTest, AddedDataOpenTheTopPaneDrawFourCurvesAndInvert) {
  TMainForm& f = OpenForm();
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  ASSERT_TRUE(f.Survey.HasObservedData);
  AddBody(f, 0.3, 500);
  Seam.AnswerFileDialog(TFileDialogResult{{WritePgm(f)}, 1});
  f.Addgravimagneticdata1->Click();
  ASSERT_TRUE(f.GravMagLoaded);
  EXPECT_EQ(f.abcSBiSplit1->GetSplitVPercent(), 25);
  EXPECT_FALSE(f.abcSBiSplit1->GetSplitVLock());
  ASSERT_EQ(f.GravMag.GravData.size(), 21u);
  ExpectCurvesMatch(f);
  // The calculated curve is the anomaly of the body: largest above its middle.
  EXPECT_GT(f.Series2->GetYValue(10), f.Series2->GetYValue(0));
  EXPECT_GT(f.Series2->GetYValue(10), 0.0);

  // The anomaly does not depend on what a resistivity run left on the chart.
  const ttdata before = f.GravMag.GravData;
  f.SpeedButton6->Click();
  for (size_t k = 0; k < before.size(); ++k)
    EXPECT_DOUBLE_EQ(f.GravMag.GravData[k].Calculated, before[k].Calculated) << k;
  f.Chart1DblClick();
  for (size_t k = 0; k < before.size(); ++k)
    EXPECT_DOUBLE_EQ(f.GravMag.GravData[k].Calculated, before[k].Calculated) << k;

  // The picture of Chart1, kept for a look by eye.
  {
    auto bitmap = f.Chart1->MakeBitmap(clWhite, TRect(0, 0, 800, 250));
    TPngImage png;
    png.Assign(*bitmap);
    png.SaveToFile((fs::temp_directory_path() / "kv_gravmag_chart1.png").string());
  }

  f.SpeedButton22->Click();
  EXPECT_TRUE(f.GetEnabled());
  const Polygon& body = f.PolygonChart1->ModelPolygons[1][0];
  EXPECT_NE(body.Props[Polygons::PropDensity].AsDouble(), 0.3);
  EXPECT_NE(body.Props[Polygons::PropSusceptibility].AsDouble(), 500.0);
  ExpectCurvesMatch(f);
}

}  // namespace

}  // namespace GravMagTest
