// The editor forms of the surface-nearest and grid-transpose tools through
// the test seam: series lists, the "Default" and "None" boxes and the
// transpose button.
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotGridToolEdit.h"
#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace GridToolEditTests {

namespace {

class GridToolEditTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Grid = Create<TColorGridSeries>(Owner);
    Grid->SetTitle("Heights");
    Chart->AddSeries(Grid);
    for (int z = 1; z <= 5; ++z)
      for (int x = 1; x <= 3; ++x) Grid->AddXYZ(x, x * z, z, {}, clDefault);
    Line = Create<TLineSeries>(Owner);
    Line->SetTitle("Profile");
    Chart->AddSeries(Line);
  }
  void TearDown() override { Owner->Free(); }
  template <class F>
  void Show(TObject* Tool, const std::function<void(F&)>& Script) {
    auto* form = Create<F>(Owner);
    form->Tag = reinterpret_cast<intptr_t>(Tool);
    Modal<F>([Script](F& Form) {
      Script(Form);
      return mrOk;
    });
    form->ShowModal();
    form->Free();
  }
  static std::vector<std::string> Items(const TComboFlat& Combo) {
    std::vector<std::string> r;
    for (int i = 0; i < Combo.Items()->Count(); ++i) r.push_back(Combo.Items()->Strings(i));
    return r;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TColorGridSeries* Grid = nullptr;
  TLineSeries* Line = nullptr;
};

TEST_F(GridToolEditTest, RegisteredByName) {
  EXPECT_TRUE(ClassInfo::GetClass("TSurfaceNearest"));
  EXPECT_TRUE(ClassInfo::GetClass("TGridTransposeToolEdit"));
}

TEST_F(GridToolEditTest, TransposeButtonWaitsForAGridSeries) {
  auto* tool = Create<TGridTransposeTool>(Owner);
  tool->SetParentChart(Chart);
  bool ran = false;
  Show<TGridTransposeToolEdit>(tool, [&](TGridTransposeToolEdit& F) {
    ran = true;
    EXPECT_EQ(F.GetClientWidth(), 183);
    EXPECT_EQ(F.Label1->GetCaption(), "&Grid 3D Series:");
    EXPECT_EQ(Items(*F.CBSeries), std::vector<std::string>{"Heights"}) << "grid series only";
    EXPECT_EQ(F.BTranspose->GetCaption(), "&Transpose now");
    EXPECT_FALSE(F.BTranspose->GetEnabled());
    F.CBSeries->SetItemIndex(0);
    F.CBSeries->OnChange(F.CBSeries);
    EXPECT_EQ(tool->GetSeries(), Grid);
    EXPECT_TRUE(F.BTranspose->GetEnabled());
    F.BTranspose->OnClick(F.BTranspose);
  });
  EXPECT_TRUE(ran);
  Grid->FillGridIndex(0);
  EXPECT_EQ(Grid->GetNumXValues(), 5);
  EXPECT_EQ(Grid->GetNumZValues(), 3);
  // Shown again, the tool's series is selected and the button ready.
  Show<TGridTransposeToolEdit>(tool, [&](TGridTransposeToolEdit& F) {
    EXPECT_EQ(F.CBSeries->GetItemIndex(), 0);
    EXPECT_TRUE(F.BTranspose->GetEnabled());
  });
}

TEST_F(GridToolEditTest, SurfaceFormBoxesSetTheColours) {
  auto* tool = Create<TSurfaceNearestTool>(Owner);
  tool->SetParentChart(Chart);
  tool->SetRowColor(clNone);
  bool ran = false;
  Show<TSurfaceNearest>(tool, [&](TSurfaceNearest& F) {
    ran = true;
    EXPECT_EQ(F.GetClientWidth(), 281);
    EXPECT_EQ(F.GetClientHeight(), 143);
    EXPECT_TRUE(Items(*F.CBSeries).empty()) << "no surface on the chart";
    EXPECT_FALSE(F.CBSeries->GetEnabled());
    EXPECT_EQ(F.ButtonColor1->GetCaption(), "&Cell...");
    EXPECT_EQ(F.ButtonColor2->GetCaption(), "&Row...");
    EXPECT_EQ(F.ButtonColor3->GetCaption(), "&Column...");
    EXPECT_EQ(F.ButtonColor1->LinkedObject, tool);
    // The boxes show the colours as they are.
    EXPECT_FALSE(F.CheckBox1->GetChecked());
    EXPECT_TRUE(F.CheckBox5->GetChecked()) << "the row is hidden";
    EXPECT_EQ(tool->GetRowColor(), clNone) << "showing the form changes nothing";
    EXPECT_EQ(tool->GetCellColor(), clRed);
    // "Default" and "None" set their colour.
    F.CheckBox1->SetChecked(true);
    EXPECT_EQ(tool->GetCellColor(), clDefault);
    F.CheckBox6->SetChecked(true);
    EXPECT_EQ(tool->GetColumnColor(), clNone);
    F.CheckBox2->SetChecked(true);
    EXPECT_EQ(tool->GetRowColor(), clDefault);
    // After the colour dialog the "Default" box clears.
    F.ButtonColor1->OnClick(F.ButtonColor1);
    EXPECT_FALSE(F.CheckBox1->GetChecked());
    EXPECT_EQ(F.Label1->GetCaption(), "&Surface:");
  });
  EXPECT_TRUE(ran);
}

}  // namespace

}  // namespace GridToolEditTests
