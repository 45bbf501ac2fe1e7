// The axis and legend dialogs reached from the main window: "Options" of an
// axis's pop-up changes the axis at once and the change outlives the window;
// "Options" of the legend's pop-up places the legend.
#include "app/tests/AppTestSupport.h"
#include "chart/editors/PlotEdiAxis.h"
#include "chart/editors/PlotEdiLege.h"
#include "views/PseudoSection2d.h"

namespace AxisLegendOptionsTest {

namespace {

using AppTest::AppFixture;
using enum TShiftStateItem;

class AxisLegendOptionsTest : public AppFixture {
protected:
  TMainForm& OpenWenner() {
    Application->SetParams({"kelmvev2er", "-ns", AppTest::ExampleFile("wenner.k2d")});
    TMainForm& f = OpenForm();
    AppTest::AcceptModelConstructor(Seam);
    EXPECT_TRUE(AppTest::RunUntil([&] { return !f.Timer1->GetEnabled(); }, 60000));
    return f;
  }
  // The colour of the drawn chart at (X, Y).
  static TColor PixelAt(TChart& Chart, int X, int Y) {
    auto Picture = Chart.MakeBitmap(clWhite, Chart.PanelRect());
    return Picture->GetCanvas()->GetPixel(X, Y);
  }
};

TEST_F(AxisLegendOptionsTest, AxisOptionsSetsTheTickLengthThatIsDrawnAndKept) {
  TMainForm& f = OpenWenner();
  TPseudoSection2d& C = *f.PseudoSection2d1;
  TChartAxis* Left = C.LeftAxis();
  C.MakeBitmap(clWhite, C.PanelRect());
  ASSERT_FALSE(Left->TickPixels.empty());
  ASSERT_LT(Left->GetTickLength(), 9);
  // Eight pixels out from the axis line lies only a tick of 9 or more.
  const TColor Before = PixelAt(C, Left->AxisLinePos - 8, Left->TickPixels.front());
  EXPECT_NE(Before, PixelAt(C, Left->AxisLinePos - 2, Left->TickPixels.front()));

  const TRect Hit = Left->ClickRect();
  Seam.AnswerPopupItem("Options");
  Seam.AnswerModal([](TForm& Form) {
    auto& A = dynamic_cast<TFormPlotAxis&>(Form);
    EXPECT_EQ(A.GetCaption(), "Left axis edit");
    A.PageAxis->SelectPage(A.TabTicks);
    A.UDAxisTickLength->SetPosition(9);
    return mrOk;
  });
  C.MouseDown(TMouseButton::mbRight, {ssShift, ssRight}, (Hit.Left + Hit.Right) / 2, (Hit.Top + Hit.Bottom) / 2);
  EXPECT_EQ(Left->GetTickLength(), 9);
  C.MakeBitmap(clWhite, C.PanelRect());
  const TColor After = PixelAt(C, Left->AxisLinePos - 8, Left->TickPixels.front());
  EXPECT_NE(After, Before);
  EXPECT_EQ(After, PixelAt(C, Left->AxisLinePos - 2, Left->TickPixels.front()));

  // Closing writes the axis settings; the next window draws the long ticks again.
  ASSERT_TRUE(QueryClose());
  CloseForm();
  TMainForm& g = OpenWenner();
  EXPECT_EQ(g.PseudoSection2d1->LeftAxis()->GetTickLength(), 9);
}

TEST_F(AxisLegendOptionsTest, LegendOptionsMovesTheLegendToTheBottom) {
  TMainForm& f = OpenWenner();
  TPseudoSection2d& C = *f.PseudoSection2d1;
  Seam.AnswerPopupItem("Options");
  Seam.AnswerModal([](TForm& Form) {
    auto& L = dynamic_cast<TFormPlotLegend&>(Form);
    EXPECT_EQ(L.GetCaption(), "Legend options");
    L.PageControl1->SelectPage(L.TabSheet3);
    L.RGPosition->SetItemIndex(3);
    return mrOk;
  });
  C.LegendPopup();
  EXPECT_EQ(C.Legend()->GetAlignment(), laBottom);
}

}  // namespace

}  // namespace AxisLegendOptionsTest
