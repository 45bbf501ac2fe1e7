// The polygon model chart rendered at a known size: the edit modes through its mouse
// handlers, its look, settings, model section and computation mesh.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/ScriptedUserSeam.h"
#include "chart/series/PlotBrushDlg.h"
#include "views/PolygonChart.h"
#include "views/tests/PolygonChartEditTests.h"

namespace PolygonChartTest {
namespace {

namespace fs = std::filesystem;
constexpr int32_t ChartWidth = 900, ChartHeight = 420;

class TTestPolygonChart : public TPolygonChart {
 public:
  using TPolygonChart::TPolygonChart;
  TEditorDriver* Driver = nullptr;
  TScriptedUserSeam* Seam = nullptr;
  // The real question, answered by the script.
  bool ConfirmSubPolygon() override {
    ++Driver->Questions;
    Seam->AnswerMessage(Driver->ConfirmAnswer ? mrYes : mrNo);
    return TPolygonChart::ConfirmSubPolygon();
  }
};

class TChartDriver : public TEditorDriver {
 public:
  TChartDriver() {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
    Owner = new TComponent(nullptr);
    Chart = Create<TTestPolygonChart>(Owner);
    Chart->Driver = this;
    Chart->Seam = &Seam;
    Chart->Resize(ChartWidth, ChartHeight);
  }
  ~TChartDriver() override { Owner->Free(); }
  TPolygonModelEditor& Ed() override { return *Chart; }
  TPoint PixelOf(double X, double Z) override {
    Chart->UpdateAxisScales();
    return {Chart->BottomAxis()->ValueToPixel(X), Chart->LeftAxis()->ValueToPixel(Z)};
  }
  void MovePixel(int32_t PX, int32_t PY) override { Chart->MouseMove({}, PX, PY); }
  void Press(TMouseButton Button) override {
    Chart->MouseDown(Button, {}, Chart->CursorPixelX, Chart->CursorPixelY);
    Chart->MouseUp(Button, {}, Chart->CursorPixelX, Chart->CursorPixelY);
  }
  void Render(TBitmap& Bitmap) {
    Bitmap.SetSize(ChartWidth, ChartHeight);
    Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, ChartWidth, ChartHeight));
  }
  TScriptedUserSeam Seam;
  TComponent* Owner = nullptr;
  TTestPolygonChart* Chart = nullptr;
};

std::unique_ptr<TEditorDriver> MakeChartDriver() { return std::make_unique<TChartDriver>(); }

class PolygonChartView : public ::testing::Test {
 protected:
  TChartDriver D;
  TPolygonChart& C() { return *D.Chart; }
};

// The scales come from a layout pass that draws nothing; a chart drawn in full
// at the same size must have the same axis positions.
TEST_F(PolygonChartView, AxisScalesAreThoseOfTheDrawnChart) {
  struct Case {
    double xMin, xMax, zMin, zMax;
    bool equalScale, relief;
  };
  const Case cases[] = {{0, 1000, 0, 100, false, false},
                        {-12345.5, 98765.25, 0, 0.015, false, false},
                        {0, 500, 0, 50, true, false},
                        {0, 1000, 0, 100, true, true}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.xMax);
    C().EqualScale = k.equalScale;
    C().NewModel(k.relief ? arofcomplexM{{k.xMin, 110}, {k.xMax, 112}} : arofcomplexM{}, k.relief, k.xMin, k.xMax,
                 k.zMin, k.zMax);
    C().UpdateAxisScales();
    auto positions = [&] {
      const TChartAxis* b = C().BottomAxis();
      const TChartAxis* l = C().LeftAxis();
      return std::vector<double>{double(b->StartPixel), double(b->EndPixel), double(l->StartPixel),
                                 double(l->EndPixel),   b->GetMinimum(),     b->GetMaximum(),
                                 l->GetMinimum(),       l->GetMaximum(),     C().PixelsPerX,
                                 C().PixelsPerZ};
    };
    const std::vector<double> laidOut = positions();
    TBitmap drawn;
    D.Render(drawn);
    EXPECT_EQ(positions(), laidOut);
    EXPECT_GT(C().BottomAxis()->AxisLength, ChartWidth / 2);
  }
}

TEST_F(PolygonChartView, NewChartSettingsTextHoldsColoursMarginsAndFont) {
  const std::string text = C().SettingsToStr();
  EXPECT_EQ(text.rfind(" 16711680 0 32768 8421504 25 70 1 10 ", 0), 0u) << text;
  EXPECT_EQ(C().DefaultSettingsText, text);
}

TEST_F(PolygonChartView, SettingsTextIsAppliedWholeOrNotAtAll) {
  const std::string before = C().SettingsToStr();
  EXPECT_FALSE(C().SettingsFromStr(" 255 0 0 0 30"));          // too few fields
  EXPECT_FALSE(C().SettingsFromStr(" 255 0 0 0 30 x 1 10 f"));  // a field that is no number
  EXPECT_EQ(C().SettingsToStr(), before);
  std::string changed = before;
  changed.replace(0, 9, " 255");  // first colour
  ASSERT_TRUE(C().SettingsFromStr(changed));
  EXPECT_EQ(C().NodeColorFree, 255);
  C().RestoreDefaultSettings();
  EXPECT_EQ(C().SettingsToStr(), before);
}

TEST_F(PolygonChartView, SettingsAreStoredForTheUser) {
  const fs::path dir = fs::temp_directory_path() / ("kv_polychart_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  ::setenv("KV_CONFIG_DIR", dir.c_str(), 1);
  Registry::ReloadStore();
  C().NodeColorFree = 255;
  C().SaveSettings("KelmVev2er_plgnch");
  C().NodeColorFree = clBlue;
  C().LoadSettings("KelmVev2er_plgnch");
  EXPECT_EQ(C().NodeColorFree, 255);
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  EXPECT_FALSE(reg.KeyExists(PolygonChart::SettingsKey("KelmVev2er_plgnch")));
  fs::remove_all(dir);
  Registry::ReloadStore();
}

TEST_F(PolygonChartView, NoEditWhileZoomIsAllowed) {
  C().NewModel({}, false, 0, 1000, 0, 100);
  C().ModelEditMode = pemAddPolygon;
  C().ResetEditState();
  C().SetAllowZoom(true);
  // Presses only: with zoom allowed the chart itself takes the drag.
  for (const complexM& p : arofcomplexM{{100, 10}, {200, 10}, {150, 40}}) {
    D.MoveTo(p.x, p.z);
    C().MouseDown(TMouseButton::mbLeft, {}, C().CursorPixelX, C().CursorPixelY);
  }
  EXPECT_EQ(C().ModelPolygons.size(), 1u);
  EXPECT_TRUE(C().DrawnOutline.empty());
}

TEST_F(PolygonChartView, DoubleClickOnABodyOpensTheDialogAndStopsTheClick) {
  C().NewModel({}, false, 0, 1000, 0, 100);
  C().ModelEditMode = pemAddPolygon;
  C().ResetEditState();
  D.Left(300, 20);
  D.Left(500, 20);
  D.Left(500, 60);
  D.Right(300, 60);
  int shown = 0;
  C().OnShowBodyDialog = [&](int32_t, int32_t, int32_t) { ++shown; };
  D.MoveTo(400, 40);
  EXPECT_FALSE(C().DblClick());
  D.MoveTo(800, 80);
  EXPECT_TRUE(C().DblClick());
  EXPECT_EQ(shown, 1);
}

// Two bodies with sub-polygons, labels by resistivity, relief and nodes.
void BuildSampleModel(TChartDriver& D) {
  TPolygonChart& c = *D.Chart;
  c.NewModel({{0, 110}, {250, 114}, {500, 108}, {750, 112}, {1000, 110}}, true, 0, 1000, 0, 100);
  c.ModelEditMode = pemAddPolygon;
  c.ResetEditState();
  for (const complexM& p : arofcomplexM{{150, 20}, {450, 20}, {450, 60}}) D.Left(p.x, p.z);
  D.Right(150, 60);
  for (const complexM& p : arofcomplexM{{550, 30}, {850, 30}, {850, 80}}) D.Left(p.x, p.z);
  D.Right(550, 80);
  c.ModelEditMode = pemDividePolygon;
  c.ResetEditState();
  D.Left(300, 20);
  D.Right(300, 60);
  D.Left(700, 30);
  D.Right(700, 80);
  double rho = 25;
  for (SPolygon& body : c.ModelPolygons)
    for (Polygon& p : body) {
      const PropValue mode(int32_t{1}), resistivity(rho), color(int32_t{RGB(static_cast<uint8_t>(rho), 160, 200)}),
          solid("536870912#0");
      p.Props[Polygons::PropBrush] = solid;
      p.Props[Polygons::PropLabelMode] = mode;
      p.Props[Polygons::PropResistivity] = resistivity;
      p.Props[Polygons::PropColor] = color;
      rho *= 2;
    }
  c.RedrawModel();
}

TEST_F(PolygonChartView, RenderedModelShowsShapesLabelsReliefAndNodes) {
  BuildSampleModel(D);
  ASSERT_EQ(C().ModelPolygons.size(), 3u);
  ASSERT_EQ(C().ModelPolygons[1].size(), 2u);
  ASSERT_EQ(C().ModelPolygons[2].size(), 2u);
  EXPECT_EQ(C().ShapeCount(), 4);
  EXPECT_EQ(C().BodySeries->Shapes()->PolygonAt(0)->GetText(), "50");
  TPngImage picture;
  D.Render(picture);
  fs::create_directories("/tmp/e7");
  picture.SaveToFile("/tmp/e7/polygon_chart.png");
  // A free node of the first body is a 3 x 3 block of the free-node colour.
  const TPoint node = D.PixelOf(150, 20);
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(picture.GetCanvas()->GetPixel(node.X + dx, node.Y + dy), clBlue);
  // A relief node is a block of the border colour.
  const TPoint relief = D.PixelOf(250, 0);
  EXPECT_EQ(picture.GetCanvas()->GetPixel(relief.X, relief.Y), clGray);
  // Inside a shape: the fill colour of its polygon.
  int32_t body = -1, polygon = -1;
  ASSERT_TRUE(Polygons::FindPolygonAt(C().ModelPolygons, body, polygon, C().ModelNodes, 220, 50));
  const TPoint inside = D.PixelOf(220, 50);
  EXPECT_EQ(picture.GetCanvas()->GetPixel(inside.X, inside.Y),
            C().ModelPolygons[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Props[Polygons::PropColor].AsInt());
  // The ground line: corner 3, the three relief nodes, corner 0.
  EXPECT_EQ(C().ReliefSeries->Count(), 5);
}

TEST_F(PolygonChartView, BodyWithAPatternBrushShowsThePatternTile) {
  PlotBrushDlg::Initialization();
  BuildSampleModel(D);
  int32_t body = -1, polygon = -1;
  ASSERT_TRUE(Polygons::FindPolygonAt(C().ModelPolygons, body, polygon, C().ModelNodes, 220, 50));
  Polygon& p = C().ModelPolygons[static_cast<size_t>(body)][static_cast<size_t>(polygon)];
  // Brush style 9 is pattern 1, inked in the body's colour.
  p.Props[Polygons::PropBrush] = PropValue(std::string("536870912#9"));
  const TColor ink = p.Props[Polygons::PropColor].AsInt();
  C().RedrawModel();
  TBitmap picture;
  D.Render(picture);
  PlotCanvas::LoadPatternBitmap = nullptr;
  const TPoint inside = D.PixelOf(220, 50);
  const uint64_t bits = PlotBrushDlg::PatternBits(1);
  // The tile repeats from some origin: one of the 64 offsets matches every pixel of a block.
  bool found = false;
  for (int oy = 0; oy < 8 && !found; ++oy)
    for (int ox = 0; ox < 8 && !found; ++ox) {
      bool all = true;
      for (int y = 0; y < 16 && all; ++y)
        for (int x = 0; x < 16 && all; ++x) {
          const int px = inside.X + x, py = inside.Y + y;
          const bool inked = (bits >> (((py + oy) % 8) * 8 + (px + ox) % 8)) & 1;
          all = (picture.GetCanvas()->GetPixel(px, py) == ink) == inked;
        }
      found = all;
    }
  EXPECT_TRUE(found);
}

TEST_F(PolygonChartView, DamagedSectionLeavesTheModelAndAWrittenOneReadsBack) {
  BuildSampleModel(D);
  const fs::path dir = fs::temp_directory_path() / ("kv_polychart_section_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "model.k2d").string();
  std::string message;
  ASSERT_TRUE(C().WriteModel(file, -1, message)) << message;
  const AllSpolygon model = C().ModelPolygons;
  const Tnodes nodes = C().ModelNodes;

  std::ofstream(dir / "bad.k2d") << "KelmPolyModelDescription2.0\r\n1 2\r\n0 1000 0 100\r\n0 0\r\n\r\n4\r\n";
  EXPECT_FALSE(C().ReadModel((dir / "bad.k2d").string(), message));
  EXPECT_NE(message.find("damaged"), std::string::npos) << message;
  EXPECT_EQ(C().ModelNodes.size(), nodes.size());

  C().NewModel({}, false, 0, 500, 0, 50);
  ASSERT_TRUE(C().ReadModel(file, message)) << message;
  ASSERT_EQ(C().ModelNodes.size(), nodes.size());
  for (size_t k = 0; k < nodes.size(); ++k) {
    EXPECT_NEAR(C().ModelNodes[k].X, nodes[k].X, 1e-12 * std::abs(nodes[k].X));
    EXPECT_EQ(C().ModelNodes[k].Border, nodes[k].Border);
  }
  ASSERT_EQ(C().ModelPolygons.size(), model.size());
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) EXPECT_EQ(C().ModelPolygons[b][p].Nodes, model[b][p].Nodes);
  EXPECT_TRUE(C().HasRelief);
  EXPECT_EQ(C().XMax, 1000);
  fs::remove_all(dir);
}

TEST_F(PolygonChartView, ComputationMeshWorksOnTheCallersCopies) {
  BuildSampleModel(D);
  const Tnodes nodes = C().ModelNodes;
  AllSpolygon meshPolygons = C().ModelPolygons;
  Tnodes meshNodes = C().ModelNodes;
  std::string message;
  ASSERT_TRUE(C().BuildComputationMesh(false, meshPolygons, 5.0, 0.2, 20.0 / 3.0, 0.2, 1.0, meshNodes, message))
      << message;
  EXPECT_GT(meshNodes.size(), nodes.size());
  EXPECT_EQ(C().MeshFrameOffset, 2187 * 5.0);
  ASSERT_EQ(C().ModelNodes.size(), nodes.size());
  EXPECT_EQ(C().ModelNodes[2].X, nodes[2].X);
  // Steps that never advance are refused, and the copies stay as they were.
  AllSpolygon copy = C().ModelPolygons;
  Tnodes copyNodes = C().ModelNodes;
  EXPECT_FALSE(C().BuildComputationMesh(false, copy, 5.0, 0.0, 0.0, 0.0, 0.0, copyNodes, message));
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(copyNodes.size(), nodes.size());
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Chart, PolygonEditModes, ::testing::Values(TDriverFactory(MakeChartDriver)));
INSTANTIATE_TEST_SUITE_P(Chart, PolygonEditNodeModes, ::testing::Values(TDriverFactory(MakeChartDriver)));

}  // namespace PolygonChartTest
