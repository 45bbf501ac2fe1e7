// The series style editor reached from the main window: "Options" on the
// stations of the upper pseudo-section changes their look, and the look stays
// after the window is closed and made again.
#include "app/tests/AppTestSupport.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/series/Series.h"
#include "views/PseudoSection2d.h"

namespace SeriesStyleEditorTest {

namespace {

using AppTest::AppFixture;

class SeriesStyleEditorTest : public AppFixture {
protected:
  TMainForm& OpenWenner() {
    Application->SetParams({"kelmvev2er", "-ns", AppTest::ExampleFile("wenner.k2d")});
    TMainForm& f = OpenForm();
    AppTest::AcceptModelConstructor(Seam);
    EXPECT_TRUE(AppTest::RunUntil([&] { return !f.Timer1->GetEnabled(); }, 60000));
    return f;
  }
};

TEST_F(SeriesStyleEditorTest, OptionsOnStationsMakesThemCircles) {
  TMainForm& f = OpenWenner();
  TPointSeries* Stations = f.PseudoSection2d1->StationSeries;
  ASSERT_NE(Stations, nullptr);
  Seam.AnswerPopupItem("Options");
  Seam.AnswerModal([](TForm& Form) {
    auto& Editor = dynamic_cast<TChartEditForm&>(Form);
    EXPECT_EQ(Editor.GetCaption(), "Graphic editor");
    auto* Pointer = dynamic_cast<TSeriesPointerEditor*>(Editor.SeriesPage()->FormatForm());
    EXPECT_NE(Pointer, nullptr);
    if (!Pointer) return mrCancel;
    Pointer->CBStyle->SetItemIndex(static_cast<int>(TSeriesPointerStyle::psCircle));
    Pointer->CBStyle->OnChange(Pointer->CBStyle);
    Editor.BClose->Click();
    return Editor.GetModalResult();
  });
  f.PseudoSection2d1->SeriesPopup(Stations);
  EXPECT_EQ(Stations->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);

  // Closing writes the charts' settings; the next window draws circles again.
  ASSERT_TRUE(QueryClose());
  CloseForm();
  TMainForm& g = OpenWenner();
  EXPECT_EQ(g.PseudoSection2d1->StationSeries->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
}

}  // namespace

}  // namespace SeriesStyleEditorTest
