// The gradient editor and the gradient button.
#include "chart/series/PlotEdiGrad.h"

#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotEdiGradTests {

namespace {

class GradientEditor : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Gradient.SetVisible(true);
    Gradient.SetBalance(30);
    Gradient.SetRadialX(40);
    Gradient.SetRadialY(-20);
  }
  TPlotGradient Gradient;
};

TEST_F(GradientEditor, PresetsAreListedByNameAndApplyByNumber) {
  Modal<TPlotGradientEditor>([](TPlotGradientEditor& E) {
    EXPECT_EQ(E.GetCaption(), "Gradient Editor");
    EXPECT_EQ(E.PageControl1->GetActivePage(), E.TabSheet1) << "Colors first";
    EXPECT_EQ(E.Gallery->Items()->Strings(0), "Ace");
    EXPECT_EQ(E.Gallery->Items()->Strings(E.Gallery->Items()->Count() - 1), "Tropical");
    const auto& Presets = TPlotGradientEditor::Presets();
    EXPECT_EQ(Presets.size(), 17u);
    for (int32_t Row = 0; Row < E.Gallery->Items()->Count(); ++Row) {
      const int32_t N = E.PresetOfRow(Row);
      const TGradientPreset& P = Presets[static_cast<size_t>(N)];
      EXPECT_EQ(E.Gallery->Items()->Strings(Row), P.Name);
      E.Gallery->SetItemIndex(Row);
      E.GalleryClick(E.Gallery);
      EXPECT_EQ(E.EditedGradient->GetStartColor(), P.Start) << P.Name;
      EXPECT_EQ(E.EditedGradient->GetMidColor(), P.Middle) << P.Name;
      EXPECT_EQ(E.EditedGradient->GetEndColor(), P.End) << P.Name;
      EXPECT_EQ(E.EditedGradient->GetDirection(), P.Direction) << P.Name;
      EXPECT_EQ(E.EditedGradient->GetBalance(), P.Balance) << P.Name;
      EXPECT_EQ(E.CBMid->GetChecked(), P.Middle == clNone) << P.Name;
    }
    return mrOk;
  });
  EXPECT_TRUE(PlotEdiGrad::ShowGradientEditor(nullptr, &Gradient));
}

TEST_F(GradientEditor, HotTicksNoMiddleAndDirectionsSetTheMiddleAndRadialControls) {
  Modal<TPlotGradientEditor>([](TPlotGradientEditor& E) {
    const int32_t Hot = E.Gallery->Items()->IndexOf("Hot");
    E.Gallery->SetItemIndex(Hot);
    E.GalleryClick(E.Gallery);
    EXPECT_TRUE(E.CBMid->GetChecked());
    EXPECT_TRUE(E.BMid->GetEnabled()) << "top-bottom allows a middle colour";
    E.CBDirection->SetItemIndex(static_cast<int>(gdFromCenter));
    E.CBDirectionChange(E.CBDirection);
    EXPECT_EQ(E.EditedGradient->GetDirection(), gdFromCenter);
    EXPECT_EQ(E.Gallery->GetItemIndex(), -1);
    EXPECT_FALSE(E.CBMid->GetEnabled());
    EXPECT_FALSE(E.BMid->GetEnabled());
    EXPECT_FALSE(E.TrackBar1->GetEnabled());
    EXPECT_EQ(E.Directions->GetSelectedChart(), E.Directions->Charts().GetChart(static_cast<int>(gdFromCenter)));
    E.CBDirection->SetItemIndex(static_cast<int>(gdRadial));
    E.CBDirectionChange(E.CBDirection);
    EXPECT_TRUE(E.TrackBar1->GetEnabled());
    EXPECT_TRUE(E.TrackBar2->GetEnabled());
    E.Directions->ChartPressed(E.Directions->Charts().GetChart(2), TPoint(40, 5));
    EXPECT_EQ(E.EditedGradient->GetDirection(), gdLeftRight);
    EXPECT_EQ(E.CBDirection->GetItemIndex(), 2);
    return mrOk;
  });
  EXPECT_TRUE(PlotEdiGrad::ShowGradientEditor(nullptr, &Gradient));
}

TEST_F(GradientEditor, VisibleOffDisablesUnlessTheEndColourIsHidden) {
  Gradient.SetVisible(false);
  for (bool HideEnd : {false, true}) {
    Modal<TPlotGradientEditor>([HideEnd](TPlotGradientEditor& E) {
      for (TControl* C : std::initializer_list<TControl*>{E.CBDirection, E.BStart, E.BMid, E.BSwap, E.Gallery})
        EXPECT_EQ(C->GetEnabled(), HideEnd) << C->GetName();
      EXPECT_EQ(E.BEnd->GetVisible(), !HideEnd);
      EXPECT_EQ(E.BSwap->GetVisible(), !HideEnd);
      return mrOk;
    });
    PlotEdiGrad::EditGradientModal(nullptr, &Gradient, HideEnd, false);
  }
}

TEST_F(GradientEditor, CancelRestoresEveryPropertyAndNotifies) {
  int Changes = 0;
  Gradient.OnChange = [&](TObject*) { ++Changes; };
  const auto Before = PlotPenDlg::Snapshot(&Gradient);
  Modal<TPlotGradientEditor>([](TPlotGradientEditor& E) {
    E.Gallery->SetItemIndex(E.Gallery->Items()->IndexOf("Farm"));
    E.GalleryClick(E.Gallery);
    E.TrackBar1->SetPosition(100);
    E.TrackBar2->SetPosition(-100);
    E.BSwapClick(E.BSwap);
    EXPECT_EQ(E.EditedGradient->GetRadialX(), 100);
    EXPECT_EQ(E.LabelBalance->GetCaption(), "4 %");
    E.BCancel->Click();
    return E.GetModalResult();
  });
  EXPECT_FALSE(PlotEdiGrad::ShowGradientEditor(nullptr, &Gradient));
  EXPECT_EQ(PlotPenDlg::Snapshot(&Gradient), Before);
  EXPECT_EQ(Gradient.GetBalance(), 30);
  EXPECT_EQ(Gradient.GetRadialX(), 40);
  EXPECT_EQ(Gradient.GetRadialY(), -20);
  EXPECT_GT(Changes, 0);
}

TEST_F(GradientEditor, OpeningAndClosingChangesNothing) {
  const auto Before = PlotPenDlg::Snapshot(&Gradient);
  Modal<TPlotGradientEditor>([](TPlotGradientEditor& E) {
    EXPECT_FALSE(E.GradientChanged);
    return mrOk;
  });
  PlotEdiGrad::ShowGradientEditor(nullptr, &Gradient);
  EXPECT_EQ(PlotPenDlg::Snapshot(&Gradient), Before);
}

TEST_F(GradientEditor, DirectionGalleryHasTenChartsWithTheirDirections) {
  auto* E = TPlotGradientEditor::CreateEmbedded(nullptr, &Gradient);
  EXPECT_FALSE(E->BOk->GetVisible());
  EXPECT_EQ(E->Directions->GetNumRows(), 2);
  EXPECT_EQ(E->Directions->GetNumCols(), 5);
  ASSERT_EQ(E->Directions->Charts().Count(), 10);
  for (int32_t d = 0; d < 10; ++d) {
    TGalleryChart* C = E->Directions->Charts().GetChart(d);
    EXPECT_EQ(C->BackWall()->GetGradient()->GetDirection(), static_cast<TGradientDirection>(d));
    EXPECT_EQ(C->Hint, E->CBDirection->Items()->Strings(d));
    EXPECT_FALSE(C->GetView3D());
  }
  E->SetGradient(&Gradient);
  EXPECT_EQ(E->Directions->Charts().GetChart(0)->BackWall()->GetGradient()->GetEndColor(), Gradient.GetEndColor());
  E->Free();
}

TEST_F(GradientEditor, ButtonFillsItsSymbolWithTheGradientAndFramesIt) {
  auto* Form = Create<TForm>(nullptr);
  auto* B = Create<TButtonGradient>(Form);
  B->SetParent(Form);
  B->SetBounds(0, 0, 80, 24);
  Gradient.SetStartColor(clRed);
  Gradient.SetEndColor(clRed);
  Gradient.SetMidColor(clNone);
  B->BindGradient(&Gradient);
  TBitmap Bmp(80, 24);
  B->PaintTo(Bmp);
  const TRect R = B->SymbolRect();
  EXPECT_EQ(Bmp.GetPixelColor((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2) & 0xFFFFFF, clRed);
  EXPECT_EQ(Bmp.GetPixelColor(R.Left, (R.Top + R.Bottom) / 2) & 0xFFFFFF, clBlack);
  Gradient.SetVisible(false);
  B->PaintTo(Bmp);
  EXPECT_EQ(Bmp.GetPixelColor(R.Left, (R.Top + R.Bottom) / 2) & 0xFFFFFF, 0x808080u);
  Form->Free();
}

}  // namespace

}  // namespace PlotEdiGradTests
