// The surface-nearest and grid-transpose tools: recolouring through mouse
// moves, refused series, transposition and the weak series reference.
#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"
#include "chart/series/PlotSurfa.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotGridToolsTests {

namespace {

// A grid series hit-tested like a surface seen from above in a 2-D chart:
// X across, Z up; the cell under the pixel answers with the corner its
// walking direction starts from (the right column when the columns are
// walked upwards, the top row when the rows are walked downwards).
class TFlatGrid : public TCustom3DGridSeries {
public:
  explicit TFlatGrid(TComponent* Owner) : TCustom3DGridSeries(Owner) {}
  int32_t PointAtPixel(int32_t X, int32_t Y) override {
    FillGridIndex(0);
    std::vector<double> xs, zs;
    for (int32_t i = 0; i < Count(); ++i) {
      xs.push_back(XValues()->GetValue(i));
      zs.push_back(GetZValue(i));
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(zs.begin(), zs.end());
    zs.erase(std::unique(zs.begin(), zs.end()), zs.end());
    const double x = GetHorizAxisRef()->CalcPosPoint(X), z = GetVertAxisRef()->CalcPosPoint(Y);
    for (size_t k = 0; k + 1 < xs.size(); ++k)
      for (size_t m = 0; m + 1 < zs.size(); ++m)
        if (xs[k] <= x && x < xs[k + 1] && zs[m] <= z && z < zs[m + 1]) {
          const int32_t cx = static_cast<int32_t>(k) + 1 + (DrawValuesForward() ? 1 : 0);
          const int32_t cz = static_cast<int32_t>(m) + 1 + (PlotSurfa::DrawBackToFront(this) ? 0 : 1);
          return GridPoint(cx, cz);
        }
    return -1;
  }
};

class GridToolsTest : public SeriesChartTest {
protected:
  // X at 0, 2.5 and 10 (not evenly spaced), Z at 0, 1, 2.
  TFlatGrid* Grid() {
    auto* s = Add<TFlatGrid>();
    s->SetIrregularGrid(true);
    for (double z : {0.0, 1.0, 2.0})
      for (double x : {0.0, 2.5, 10.0}) s->AddXYZ(x, x + z, z, {}, clDefault);
    return s;
  }
  // Binds past the surface check: the double stands in for a surface.
  TSurfaceNearestTool* Tool(TChartSeries* S) {
    auto* t = Create<TSurfaceNearestTool>(Owner);
    t->SetParentChart(Chart);
    t->TPlotCustomToolSeries::SetSeries(S);
    t->OnSelectCell = [this](TObject*) { ++Selections; };
    return t;
  }
  void Move(TSurfaceNearestTool* T, double X, double Z) {
    T->HandleMouseEvent(tmeMove, TMouseButton::mbLeft, {}, XPix(X), YPix(Z));
  }
  int Selections = 0;
};

TEST_F(GridToolsTest, CellRowAndColumnOfThePointUnderTheMouse) {
  Fix(-1, 11, -1, 3);
  TFlatGrid* s = Grid();
  TSurfaceNearestTool* t = Tool(s);
  Draw();
  ASSERT_TRUE(s->DrawValuesForward());
  ASSERT_FALSE(PlotSurfa::DrawBackToFront(s));
  // The cell between X 2.5 and 10 and Z 0 and 1: the surface paints it in
  // the colour of its point at X 2.5, Z 1.
  Move(t, 6, 0.5);
  EXPECT_EQ(Selections, 1);
  for (int32_t p = 0; p < s->Count(); ++p) {
    const double x = s->XValues()->GetValue(p), z = s->GetZValue(p);
    const TColor expected = x == 2.5 && z == 1 ? clRed : x == 2.5 ? clBlue : z == 1 ? clGreen : clDefault;
    EXPECT_EQ(s->GetStoredColor(p), expected) << x << "," << z;
  }
  EXPECT_TRUE(Chart->GetAutoRepaint()) << "automatic repaint is back on";
  // A move within the same cell changes nothing.
  Move(t, 7, 0.8);
  EXPECT_EQ(Selections, 1);
  // Off the surface every colour comes back.
  Move(t, 10.5, 2.5);
  EXPECT_EQ(Selections, 2);
  EXPECT_EQ(t->CurrentIndex(), -1);
  for (int32_t p = 0; p < s->Count(); ++p) EXPECT_EQ(s->GetStoredColor(p), clDefault);
  // A hidden row: its points are not drawn.
  t->SetRowColor(clNone);
  Move(t, 1, 1.5);
  int hidden = 0;
  for (int32_t p = 0; p < s->Count(); ++p) {
    if (s->XValues()->GetValue(p) == 0 && s->GetZValue(p) != 2) {
      EXPECT_EQ(s->ValueColor(p), clNone);
      ++hidden;
    }
  }
  EXPECT_EQ(hidden, 2);
}

TEST_F(GridToolsTest, OnlySurfacesAreTaken) {
  auto* t = Create<TSurfaceNearestTool>(Owner);
  t->SetSeries(Add<TColorGridSeries>());
  EXPECT_EQ(t->GetSeries(), nullptr);
  t->SetSeries(Grid());
  EXPECT_EQ(t->GetSeries(), nullptr) << "a grid that is no surface";
  TSurfaceSeries* surface = Add<TSurfaceSeries>();
  t->SetSeries(surface);
  EXPECT_EQ(t->GetSeries(), surface);
  t->SetSeries(nullptr);
  std::string text;
  t->Description(text);
  EXPECT_EQ(text, "Surface Nearest");
  EXPECT_EQ(t->EditorFormName(), "TSurfaceNearest");
  EXPECT_EQ(t->GetCellColor(), clRed);
  EXPECT_EQ(t->GetRowColor(), clBlue);
  EXPECT_EQ(t->GetColumnColor(), clGreen);
  // Without a series the tool does nothing.
  t->HandleMouseEvent(tmeMove, TMouseButton::mbLeft, {}, 10, 10);
  EXPECT_EQ(t->CurrentIndex(), -1);
}

using Triple = std::tuple<double, double, double>;

std::multiset<Triple> Points(const TCustom3DGridSeries& S) {
  std::multiset<Triple> r;
  for (int32_t i = 0; i < S.Count(); ++i) r.insert({S.XValues()->GetValue(i), S.GetYValue(i), S.GetZValue(i)});
  return r;
}

TEST_F(GridToolsTest, TransposeExchangesXAndZ) {
  auto* s = Add<TColorGridSeries>();
  for (int z = 1; z <= 5; ++z)
    for (int x = 1; x <= 3; ++x) s->AddXYZ(x, 10 * x + z, z, "p", clRed);
  s->FillGridIndex(0);
  ASSERT_EQ(s->GetNumXValues(), 3);
  ASSERT_EQ(s->GetNumZValues(), 5);
  const std::multiset<Triple> before = Points(*s);
  auto* t = Create<TGridTransposeTool>(Owner);
  t->SetSeries(s);
  t->Transpose();
  Draw();
  EXPECT_EQ(s->GetNumXValues(), 5);
  EXPECT_EQ(s->GetNumZValues(), 3);
  std::multiset<Triple> swapped;
  for (const auto& [x, y, z] : before) swapped.insert({z, y, x});
  EXPECT_EQ(Points(*s), swapped);
  EXPECT_EQ(s->GetStoredColor(0), clDefault) << "point colours are not carried over";
  t->Transpose();
  EXPECT_EQ(Points(*s), before);
  // An inactive tool leaves the values.
  t->SetActive(false);
  t->Transpose();
  EXPECT_EQ(Points(*s), before);
  // A freed series leaves the tool unbound.
  t->SetActive(true);
  s->Free();
  EXPECT_EQ(t->GetSeries(), nullptr);
  t->Transpose();
  std::string text;
  t->Description(text);
  EXPECT_EQ(text, "3D Grid Transpose");
  EXPECT_EQ(t->EditorFormName(), "TGridTransposeToolEdit");
}

TEST_F(GridToolsTest, ToolClassesRegisteredAndRemoved) {
  ExtrasUnits::Initialization();
  const auto& items = Chart::ToolTypes().Items();
  for (TClass c : {TSurfaceNearestTool::StaticClass(), TGridTransposeTool::StaticClass()})
    EXPECT_NE(std::find(items.begin(), items.end(), c), items.end()) << c->ClassName();
  ExtrasUnits::Finalization();
  for (TClass c : {TSurfaceNearestTool::StaticClass(), TGridTransposeTool::StaticClass()})
    EXPECT_EQ(std::find(items.begin(), items.end(), c), items.end()) << c->ClassName();
  ExtrasUnits::Initialization();  // leaves the registrations as other tests expect them
}

}  // namespace

}  // namespace PlotGridToolsTests
