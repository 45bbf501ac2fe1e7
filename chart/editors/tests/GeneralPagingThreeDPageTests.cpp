// The chart editor's general, paging and 3-D pages and the page navigator:
// what each control writes, the rules that refuse or enable, and printing a
// page range.
#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSlider>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "chart/editors/PlotEdi3D.h"
#include "chart/editors/PlotEdiGene.h"
#include "chart/editors/PlotEdiPage.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/gdi/Printer.h"

namespace GeneralPagingThreeDPageTests {

namespace {

class GeneralPages : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  // A line series of N points on the chart.
  TChartSeries* AddPoints(int N) {
    auto* S = Create<TLineSeries>(Owner);
    S->SetParentChart(Chart);
    for (int i = 0; i < N; ++i) S->Add(i + 1.0);
    return S;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

TEST_F(GeneralPages, MarginsRefuseOppositeSumsOfHundredPercentButNotPixels) {
  struct Case {
    TPlotUnits Units;
    int Right;
    int Expected;
  };
  for (const Case& C : {Case{muPercent, 40, 7}, Case{muPercent, 39, 39}, Case{muPixels, 40, 40},
                        Case{muPixels, 1500, 1500}}) {
    Chart->SetMarginUnits(C.Units);
    Chart->SetMargin(0, 60);
    Chart->SetMargin(2, 7);
    auto* P = new TFormPlotGeneral(Owner, Chart);
    P->FormShow(nullptr);
    EXPECT_EQ(P->UDLeftMa->GetPosition(), 60);
    EXPECT_EQ(P->UDRightMa->GetMax(), C.Units == muPixels ? 2000 : 100);
    P->UDRightMa->SetPosition(C.Right);
    EXPECT_EQ(Chart->GetMargin(2), C.Expected) << C.Right;
    EXPECT_EQ(P->UDRightMa->GetPosition(), C.Expected);
    P->Free();
  }
}

TEST_F(GeneralPages, ZoomAndScrollControlsWriteTheChart) {
  auto* P = new TFormPlotGeneral(Owner, Chart);
  P->FormShow(nullptr);
  const std::vector<TControl*> Zoom{P->CBAnimatedZoom, P->UDAniZoomSteps, P->SEAniZoomSteps, P->EMinPix,
                                    P->UDMinPix,       P->BZoomPen,       P->BZoomColor,     P->CBDir,
                                    P->CBZoomMouse,    P->CBUpLeft};
  for (TControl* C : Zoom) EXPECT_TRUE(C->GetEnabled()) << C->GetName();
  P->CBAllowZoom->SetChecked(false);
  EXPECT_FALSE(Chart->Zoom().Allow);
  for (TControl* C : Zoom) EXPECT_FALSE(C->GetEnabled()) << C->GetName();

  P->CBDir->SetItemIndex(1);
  P->CBDir->OnChange(P->CBDir);
  P->CBZoomMouse->SetItemIndex(2);
  P->CBZoomMouse->OnChange(P->CBZoomMouse);
  P->UDMinPix->SetPosition(40);
  EXPECT_EQ(Chart->Zoom().Direction, tzdVertical);
  EXPECT_EQ(Chart->Zoom().MouseButton, TMouseButton::mbMiddle);
  EXPECT_EQ(Chart->Zoom().MinimumPixels, 40);
  EXPECT_EQ(P->BZoomPen->GetPen(), Chart->Zoom().GetPen());

  P->RGPanning->SetItemIndex(0);
  P->RGPanning->OnClick(P->RGPanning);
  EXPECT_EQ(Chart->AllowPanning, TPanningMode::pmNone);
  EXPECT_FALSE(P->CBScrollMouse->GetEnabled());
  P->RGPanning->SetItemIndex(2);
  P->RGPanning->OnClick(P->RGPanning);
  EXPECT_EQ(Chart->AllowPanning, TPanningMode::pmVertical);
  EXPECT_TRUE(P->CBScrollMouse->GetEnabled());

  P->CBCursor->SetItemIndex(P->CBCursor->Items()->IndexOf("Cross"));
  P->CBCursor->OnChange(P->CBCursor);
  EXPECT_EQ(Chart->GetChartCursor(), crCross);
  EXPECT_EQ(Chart->GetOriginalCursor(), crCross);
}

TEST_F(GeneralPages, PagingWithEmptyBoxHasOnePageAndNavigatorFollowsPages) {
  AddPoints(9);
  Chart->SetMaxPointsPerPage(3);
  auto* P = new TFormPlotPage(Owner, Chart);
  P->FormShow(nullptr);
  EXPECT_EQ(P->LabelPages->GetCaption(), "Page 1 of 3");
  TChartPageNavigator* N = P->ChartPageNavigator1;
  auto Enabled = [N] {
    std::string S;
    for (TPlotNavigateBtn B : {nbFirst, nbPrior, nbNext, nbLast}) S += N->Button(B)->GetEnabled() ? '1' : '0';
    return S;
  };
  EXPECT_EQ(Enabled(), "0011");
  N->BtnClick(nbNext);
  EXPECT_EQ(Chart->GetPage(), 2);
  EXPECT_EQ(Enabled(), "1111");
  EXPECT_EQ(P->LabelPages->GetCaption(), "Page 2 of 3");
  N->BtnClick(nbLast);
  EXPECT_EQ(Chart->GetPage(), 3);
  EXPECT_EQ(Enabled(), "1100");
  N->BtnClick(nbNext);  // already on the last page
  EXPECT_EQ(Chart->GetPage(), 3);
  N->BtnClick(nbFirst);
  EXPECT_EQ(Chart->GetPage(), 1);

  P->SEPointsPerPage->SetText("");
  EXPECT_EQ(Chart->GetMaxPointsPerPage(), 0);
  EXPECT_EQ(P->LabelPages->GetCaption(), "Page 1 of 1");
  EXPECT_EQ(Enabled(), "0000");
  // The page-number box shows only while a page-number tool class is registered.
  EXPECT_EQ(P->CBPageNum->GetVisible(), ClassInfo::GetClass("TPageNumTool") != nullptr);
}

TEST_F(GeneralPages, NavigatorPrintsTheChosenRangeClampedToThePages) {
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  AddPoints(9);
  Chart->SetMaxPointsPerPage(3);
  TChartPageNavigator* N = Create<TChartPageNavigator>(Owner);
  N->SetChart(Chart);
  struct Case {
    int From, To, Pages;
  };
  for (const Case& C : {Case{2, 3, 2}, Case{0, 9, 3}, Case{3, 7, 1}}) {
    const std::string File = Dir.filePath(QString("p%1.pdf").arg(C.From)).toStdString();
    auto Pr = std::make_unique<TPrinter>();
    Pr->SetOutputFileName(File);
    Pr->SetResolution(72);
    SetPrinter(std::move(Pr));
    TPrintResult R;
    R.AllPages = false;
    R.FromPage = C.From;
    R.ToPage = C.To;
    Seam.AnswerPrint(R);
    N->Print();
    SetPrinter(nullptr);
    EXPECT_EQ(Chart->GetPage(), 1);
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) continue;
    QProcess Info;
    Info.start("pdfinfo", {QString::fromStdString(File)});
    ASSERT_TRUE(Info.waitForFinished(60000));
    const QString Out = QString::fromUtf8(Info.readAllStandardOutput());
    EXPECT_TRUE(Out.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(C.Pages)))) << Out.toStdString();
  }
}

TEST_F(GeneralPages, PrintPreviewOfTheGeneralPageTurnsAndPrintsPages) {
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  AddPoints(9);
  Chart->SetMaxPointsPerPage(3);
  auto* P = new TFormPlotGeneral(Owner, Chart);
  P->FormShow(nullptr);
  const std::string File = Dir.filePath("range.pdf").toStdString();
  std::string Steps;
  Modal<TChartPreview>([&](TChartPreview& D) {
    if (!D.PageNavigator) D.FormShow();
    auto* Holder = dynamic_cast<TPreviewPageNavigator*>(D.PageNavigator);
    EXPECT_NE(Holder, nullptr);
    if (!Holder) return mrCancel;
    TChartPageNavigator* N = Holder->Navigator;
    EXPECT_EQ(N->GetChart(), Chart);
    for (TPlotNavigateBtn B : {nbNext, nbNext, nbPrior}) {
      N->BtnClick(B);
      Steps += std::to_string(Chart->GetPage());
      for (TPlotNavigateBtn E : {nbFirst, nbPrior, nbNext, nbLast}) Steps += N->Button(E)->GetEnabled() ? '1' : '0';
      Steps += ' ';
    }
    auto Pr = std::make_unique<TPrinter>();
    Pr->SetOutputFileName(File);
    Pr->SetResolution(72);
    SetPrinter(std::move(Pr));
    TPrintResult R;
    R.AllPages = false;
    R.FromPage = 2;
    R.ToPage = 3;
    Seam.AnswerPrint(R);
    D.PrintClick();
    SetPrinter(nullptr);
    return mrCancel;
  });
  P->BPrint->Click();
  EXPECT_EQ(Steps, "21111 31100 21111 ");
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "pdfinfo not available";
  QProcess Info;
  Info.start("pdfinfo", {QString::fromStdString(File)});
  ASSERT_TRUE(Info.waitForFinished(60000));
  EXPECT_TRUE(QString::fromUtf8(Info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+2\\n")));
}

TEST_F(GeneralPages, ThreeDPageEnablingOffsetsAndReturnToOptions) {
  AddPoints(3);
  Chart->View3DOptions()->SetHorizOffset(2000);
  auto* P = new TFormPlot3D(Owner, Chart);
  P->FormShow(nullptr);
  EXPECT_EQ(P->SBHOffset->GetMin(), -3000);
  EXPECT_EQ(P->SBHOffset->GetMax(), 3000);
  EXPECT_EQ(P->SBHOffset->GetPosition(), 2000);
  EXPECT_EQ(P->SBVOffset->GetMax(), 1500);
  EXPECT_TRUE(P->CBOrthogonal->GetEnabled());
  // Orthogonal on a flat canvas: no elevation, no rotation.
  EXPECT_FALSE(P->SBElevation->GetEnabled());
  P->CBOrthogonal->SetChecked(false);
  EXPECT_FALSE(Chart->View3DOptions()->GetOrthogonal());
  EXPECT_TRUE(P->SBElevation->GetEnabled());
  EXPECT_TRUE(P->SBRotation->GetEnabled());
  P->SBRotation->SetPosition(300);
  EXPECT_EQ(Chart->View3DOptions()->GetRotation(), 300);
  EXPECT_EQ(P->LRotation->GetCaption(), "300");
  P->CBView3d->SetChecked(false);
  EXPECT_FALSE(Chart->GetView3D());
  for (TControl* C : std::initializer_list<TControl*>{P->CBOrthogonal, P->SBElevation, P->SBRotation,
                                                      P->EOrthoAngle, P->UDOrthoAngle})
    EXPECT_FALSE(C->GetEnabled()) << C->GetName();

  P->PageControl1->SetActivePage(P->TabViews);
  P->CheckControls();
  EXPECT_EQ(P->PageControl1->GetActivePage(), P->Tab3D);
}

TEST_F(GeneralPages, ThreeDTrackBarsStepWithinTheirRangesIntoTheViewOptions) {
  AddPoints(3);
  Chart->SetView3D(true);
  TView3DOptions* O = Chart->View3DOptions();
  O->SetOrthogonal(false);
  auto* P = new TFormPlot3D(Owner, Chart);
  P->FormShow(nullptr);
  struct Case {
    TTrackBar* Bar;
    TLabel* Value;
    const char* Suffix;
    int Min, Max, Line, Page, Ticks;
    std::function<int()> Property;
  };
  const Case Cases[] = {
      {P->SBZoom, P->LZoom, "%", 1, 500, 1, 5, 20, [O] { return O->GetZoom(); }},
      {P->SBRotation, P->LRotation, "", 0, 360, 1, 10, 45, [O] { return O->GetRotation(); }},
      {P->SBElevation, P->LElevation, "", 270, 360, 1, 10, 10, [O] { return O->GetElevation(); }},
      {P->SBHOffset, P->LHOffset, "", -1500, 1500, 10, 2, 250, [O] { return O->GetHorizOffset(); }},
      {P->SBVOffset, P->LVOffset, "", -1500, 1500, 10, 2, 250, [O] { return O->GetVertOffset(); }},
      {P->SBPerspec, P->LPerspec, "", 0, 200, 1, 2, 10, [O] { return O->GetPerspective(); }},
  };
  // A key on the bar's window moves it; the value reaches the chart and the label.
  auto Press = [](TTrackBar* Bar, int Key) {
    QKeyEvent E(QEvent::KeyPress, Key, Qt::NoModifier);
    QApplication::sendEvent(Bar->Handle(), &E);
  };
  for (const Case& C : Cases) {
    const std::string Name = C.Bar->GetName();
    ASSERT_TRUE(C.Bar->GetEnabled()) << Name;
    EXPECT_EQ(C.Bar->GetMin(), C.Min) << Name;
    EXPECT_EQ(C.Bar->GetMax(), C.Max) << Name;
    auto* Slider = static_cast<QSlider*>(C.Bar->Handle());
    EXPECT_EQ(Slider->singleStep(), C.Line) << Name;
    EXPECT_EQ(Slider->pageStep(), C.Page) << Name;
    EXPECT_EQ(Slider->tickInterval(), C.Ticks) << Name;
    const int Start = (C.Min + C.Max) / 2;
    C.Bar->SetPosition(Start);
    struct Step {
      int Key, Expected;
    };
    for (const Step& S : {Step{Qt::Key_Right, Start + C.Line}, Step{Qt::Key_PageUp, Start + C.Line + C.Page},
                          Step{Qt::Key_Left, Start + C.Page}, Step{Qt::Key_End, C.Max}, Step{Qt::Key_Right, C.Max},
                          Step{Qt::Key_Home, C.Min}}) {
      Press(C.Bar, S.Key);
      EXPECT_EQ(C.Bar->GetPosition(), S.Expected) << Name << " key " << S.Key;
      EXPECT_EQ(C.Property(), S.Expected) << Name << " key " << S.Key;
      EXPECT_EQ(C.Value->GetCaption(), std::to_string(S.Expected) + C.Suffix) << Name;
    }
  }
  // The rotation bar's ticks follow the canvas each time the options are read again.
  P->SBRotation->Frequency = 1;
  P->RefreshControls();
  EXPECT_EQ(static_cast<QSlider*>(P->SBRotation->Handle())->tickInterval(), 45);
}

TEST_F(GeneralPages, PieOnAFlatCanvasCannotRotate) {
  auto* Pie = Create<TPieSeries>(Owner);
  Pie->SetParentChart(Chart);
  Pie->Add(3);
  Chart->View3DOptions()->SetOrthogonal(false);
  auto* P = new TFormPlot3D(Owner, Chart);
  P->FormShow(nullptr);
  EXPECT_FALSE(P->CBOrthogonal->GetEnabled());
  EXPECT_FALSE(P->SBRotation->GetEnabled());
  EXPECT_TRUE(P->SBElevation->GetEnabled());
}

TEST_F(GeneralPages, ViewPresetsMatchAndApply) {
  auto* P = new TFormPlot3D(Owner, Chart);
  P->FormShow(nullptr);
  P->ReturnToOptions = false;
  P->PageControl1->SetActivePage(P->TabViews);
  P->PageControl1->OnChange(P->PageControl1);
  TChartList& Views = P->ChartGalleryPanel1->Charts();
  ASSERT_EQ(Views.Count(), 6);
  const char* Captions[] = {"2D", "Ortho Right", "Ortho Left", "3D Front", "3D Right", "3D Left"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Views.GetChart(i)->Title()->Text()->GetText(), std::string(Captions[i]) + "\n");
  P->ChartGalleryPanel1->SelectChart(Views.GetChart(2));
  EXPECT_TRUE(Chart->GetView3D());
  EXPECT_TRUE(Chart->View3DOptions()->GetOrthogonal());
  EXPECT_EQ(Chart->View3DOptions()->GetOrthoAngle(), 135);
  EXPECT_EQ(P->MatchingView(), Views.GetChart(2));
  P->ChartGalleryPanel1->SelectChart(Views.GetChart(5));
  EXPECT_EQ(Chart->View3DOptions()->GetRotation(), 45);
  EXPECT_EQ(Chart->View3DOptions()->GetElevation(), 360);
  EXPECT_FALSE(Chart->View3DOptions()->GetOrthogonal());
  Chart->View3DOptions()->SetRotation(10);
  EXPECT_EQ(P->MatchingView(), nullptr);
  // Back on "Options" the controls show the chart.
  P->PageControl1->SetActivePage(P->Tab3D);
  P->PageControl1->OnChange(P->PageControl1);
  EXPECT_EQ(P->SBRotation->GetPosition(), 10);
}

}  // namespace

}  // namespace GeneralPagingThreeDPageTests
