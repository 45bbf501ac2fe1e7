// The preview panel: sheet layout, panels on the sheet, margin drags and
// printing of several charts on one page.
#include "chart/series/tests/ExportFixture.h"

#include "chart/series/PlotPreviewPanel.h"

namespace PreviewPanelTests {

using namespace ExportTest;

namespace {

class PreviewPanel : public ExportTestBase {
protected:
  // A4 at 100 dpi: printable 1129 x 787 pixels in landscape (5 mm margins).
  void UsePdf(TPrinterOrientation O = TPrinterOrientation::poLandscape) {
    Guard.reset();  // before the next one is installed: its end resets the printer
    Guard = std::make_unique<PdfPrinter>(Path("page.pdf"), 100, O);
  }
  void TearDown() override {
    Guard.reset();
    ExportTestBase::TearDown();
  }
  // The preview painted into a bitmap of its size.
  std::unique_ptr<TBitmap> Paint(TPlotPreviewPanel& P) {
    auto B = std::make_unique<TBitmap>(P.GetWidth(), P.GetHeight());
    P.DrawTo(*B->GetCanvas(), P.PanelRect());
    return B;
  }
  std::unique_ptr<PdfPrinter> Guard;
};

TEST_F(PreviewPanel, SheetTakesThePrinterPagesAspectInsideTheControl) {
  const struct {
    TPrinterOrientation Orientation;
    int32_t W, H;
    TRect Expected;
  } Cases[] = {
      // Landscape page 1129 x 787: limited by the width, n = 432 - 9, height 423 * 787 / 1129.
      {TPrinterOrientation::poLandscape, 432, 312, TRect(4, 8, 427, 303)},
      // Portrait page 787 x 1129: limited by the height, n = 312 - 6, width 306 * 787 / 1129.
      {TPrinterOrientation::poPortrait, 432, 312, TRect(109, 3, 322, 309)},
      {TPrinterOrientation::poPortrait, 100, 400, TRect(1, 129, 99, 270)},
  };
  for (const auto& C : Cases) {
    UsePdf(C.Orientation);
    TPlotPreviewPanel P;
    P.SetBounds(C.W, C.H);
    P.CalcPaperRect();
    EXPECT_EQ(P.PaperRect, C.Expected);
  }
  // The panel's own orientation turns the printer.
  UsePdf(TPrinterOrientation::poLandscape);
  TPlotPreviewPanel P;
  P.SetOrientation(ppoPortrait);
  P.CalcPaperRect();
  EXPECT_EQ(Printer().GetOrientation(), TPrinterOrientation::poPortrait);
  EXPECT_EQ(P.PaperRect, TRect(109, 3, 322, 309));
}

TEST_F(PreviewPanel, PanelsSitAtTheirMarginsAndAnEmptySheetUsesFifteenPercent) {
  UsePdf();
  TPlotPreviewPanel P;
  P.CalcPaperRect();  // (4, 8, 427, 303): 423 x 295
  EXPECT_EQ(P.PanelPaperRect(nullptr), TRect(4 + 63, 8 + 44, 427 - 63, 303 - 44));
  SamplePanel Chart;
  Chart.PrintProportional = false;
  Chart.PrintMargins = TRect(10, 5, 10, 60);
  EXPECT_EQ(P.PanelPaperRect(&Chart), TRect(4 + 42, 8 + 15, 427 - 42, 303 - 177));
  // An empty sheet paints and prints nothing.
  auto B = Paint(P);
  EXPECT_EQ(B->GetPixelColor(215, 150) & 0xFFFFFF, clWhite);
  P.Print();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("page.pdf"))));
}

TEST_F(PreviewPanel, TwoAndThreeChartsStackInTheirBands) {
  UsePdf(TPrinterOrientation::poPortrait);
  const TColor Marks[3] = {clRed, clFuchsia, clYellow};
  const TRect Layouts[2][3] = {{TRect(10, 5, 10, 60), TRect(10, 60, 10, 5), TRect()},
                               {TRect(10, 5, 10, 70), TRect(10, 35, 10, 40), TRect(10, 65, 10, 10)}};
  for (int Count : {2, 3}) {
    TPlotPreviewPanel P;
    P.SetBounds(300, 420);
    std::vector<std::unique_ptr<SamplePanel>> Charts;
    for (int i = 0; i < Count; ++i) {
      Charts.push_back(std::make_unique<SamplePanel>(nullptr, Marks[i]));
      Charts[i]->PrintProportional = false;
      Charts[i]->PrintMargins = Layouts[Count - 2][i];
      P.Panels().Add(Charts[i].get());
    }
    auto B = Paint(P);
    const int32_t PH = P.PaperRect.Bottom - P.PaperRect.Top, PW = P.PaperRect.Right - P.PaperRect.Left;
    for (int i = 0; i < Count; ++i) {
      const TRect R = P.PanelPaperRect(Charts[i].get());
      EXPECT_EQ(R.Top, P.PaperRect.Top + PlotProcs::MulDiv(Layouts[Count - 2][i].Top, PH, 100));
      EXPECT_EQ(R.Left, P.PaperRect.Left + PlotProcs::MulDiv(10, PW, 100));
      EXPECT_EQ(P.PreviewRect(Charts[i].get()), R);
      // Each chart's own mark (its top-left block) shows inside its band.
      const int32_t X = R.Left + (R.Right - R.Left) / 4, Y = R.Top + (R.Bottom - R.Top) / 4;
      EXPECT_EQ(B->GetPixelColor(X, Y) & 0xFFFFFF, Marks[i]) << Count << " charts, chart " << i;
    }
  }
}

TEST_F(PreviewPanel, HitTestFindsEdgesCornersAndTheInside) {
  TPlotPreviewPanel P;
  P.MarginRect = TRect(100, 100, 200, 180);
  const struct {
    int32_t X, Y, Code;
  } Cases[] = {{100, 100, 6}, {98, 183, 8}, {204, 96, 7}, {200, 180, 9}, {103, 140, 1}, {197, 140, 3},
               {150, 104, 2}, {150, 176, 4}, {150, 140, 5}, {150, 300, 0}, {300, 140, 0},
               {150, 40, 0}, {104, 60, 1}};  // an edge line counts whatever the other coordinate
  for (const auto& C : Cases) EXPECT_EQ(P.HitTest(C.X, C.Y), C.Code) << C.X << "," << C.Y;
  P.AllowResize = false;
  EXPECT_EQ(P.HitTest(100, 100), 0);
  EXPECT_EQ(P.HitTest(150, 140), 5);
  P.AllowMove = false;
  EXPECT_EQ(P.HitTest(150, 140), 0);
}

TEST_F(PreviewPanel, DraggedMarginsStayOnTheSheetAndReachTheChart) {
  UsePdf();
  TPlotPreviewPanel P;  // sheet (4, 8, 427, 303)
  SamplePanel Chart;
  Chart.PrintProportional = false;
  Chart.PrintMargins = TRect(20, 20, 20, 20);
  P.SetPanel(&Chart);
  std::vector<TRect> Reported;
  P.OnChangeMargins = [&](TObject*, bool Disable, const TRect& M) {
    EXPECT_TRUE(Disable);
    Reported.push_back(M);
  };
  Paint(P);
  const TRect Start = P.PanelPaperRect(&Chart);
  auto Drag = [&](TPoint From, TPoint To) {
    P.MouseMove({}, From.X, From.Y);
    P.MouseDown(TMouseButton::mbLeft, {}, From.X, From.Y);
    P.MouseMove({TShiftStateItem::ssLeft}, To.X, To.Y);
    P.MouseUp(TMouseButton::mbLeft, {}, To.X, To.Y);
  };
  // The left edge dragged past the right one stops just before it.
  Drag({Start.Left, (Start.Top + Start.Bottom) / 2}, {Start.Right + 40, (Start.Top + Start.Bottom) / 2});
  ASSERT_EQ(Reported.size(), 1u);
  EXPECT_LT(Reported[0].Left + Reported[0].Right, 100);
  EXPECT_EQ(Chart.PrintMargins, Reported[0]);
  EXPECT_FALSE(Chart.PrintProportional);

  // A move towards a corner keeps the whole rectangle on the sheet.
  Chart.PrintMargins = TRect(20, 20, 20, 20);
  const TRect R = P.PanelPaperRect(&Chart);
  const TPoint Mid((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
  Drag(Mid, {Mid.X + 150, Mid.Y + 100});  // inside the sheet, but the rectangle would leave it
  EXPECT_GE(Chart.PrintMargins.Left, 0);
  EXPECT_GE(Chart.PrintMargins.Top, 0);
  EXPECT_EQ(Chart.PrintMargins.Right, 0);
  EXPECT_EQ(Chart.PrintMargins.Bottom, 0);
  EXPECT_EQ(Chart.PrintMargins.Left, 40);  // the size is kept: 60 % wide, 60 % high
  EXPECT_EQ(Chart.PrintMargins.Top, 40);

  // A corner drag beyond the opposite corner is refused.
  Chart.PrintMargins = TRect(20, 20, 20, 20);
  const TRect Q = P.PanelPaperRect(&Chart);
  Drag({Q.Left, Q.Top}, {Q.Right + 5, Q.Bottom + 5});
  EXPECT_EQ(Chart.PrintMargins, TRect(20, 20, 20, 20));

  // With the right button held nothing moves and the cursor stays.
  const TCursor Before = P.GetCursor();
  P.MouseDown(TMouseButton::mbRight, {TShiftStateItem::ssRight}, Q.Left, Q.Top);
  P.MouseMove({TShiftStateItem::ssRight}, Q.Left + 30, Q.Top + 30);
  EXPECT_EQ(Chart.PrintMargins, TRect(20, 20, 20, 20));
  EXPECT_EQ(P.GetCursor(), Before);
  P.MouseUp(TMouseButton::mbRight, {}, Q.Left + 30, Q.Top + 30);
}

TEST_F(PreviewPanel, CursorFollowsTheHitCode) {
  UsePdf();
  TPlotPreviewPanel P;
  SamplePanel Chart;
  Chart.PrintProportional = false;
  Chart.PrintMargins = TRect(20, 20, 20, 20);
  P.SetPanel(&Chart);
  Paint(P);
  const TRect R = P.PanelPaperRect(&Chart);
  const struct {
    TPoint At;
    TCursor Cursor;
  } Cases[] = {{{R.Left, R.Top}, crSizeNWSE},        {{R.Right, R.Top}, crSizeNESW},
               {{R.Left, (R.Top + R.Bottom) / 2}, crHSplit}, {{(R.Left + R.Right) / 2, R.Bottom}, crVSplit},
               {{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}, PlotProcs::crPlotHand},
               {{P.PaperRect.Left + 2, P.PaperRect.Top + 2}, crDefault}};
  for (const auto& C : Cases) {
    P.MouseMove({}, C.At.X, C.At.Y);
    EXPECT_EQ(P.GetCursor(), C.Cursor) << C.At.X << "," << C.At.Y;
  }
}

TEST_F(PreviewPanel, ClickedPanelBecomesCurrentAndFreedPanelsLeaveTheList) {
  UsePdf();
  TPlotPreviewPanel P;
  auto* A = new SamplePanel(nullptr, clRed);
  auto* B = new SamplePanel(nullptr, clFuchsia);
  A->PrintProportional = B->PrintProportional = false;
  A->PrintMargins = TRect(10, 5, 10, 60);
  B->PrintMargins = TRect(10, 60, 10, 5);
  P.Panels().Add(A);
  P.Panels().Add(B);
  Paint(P);
  const TRect RB = P.PreviewRect(B);
  P.MouseDown(TMouseButton::mbLeft, {}, (RB.Left + RB.Right) / 2, (RB.Top + RB.Bottom) / 2);
  P.MouseUp(TMouseButton::mbLeft, {}, (RB.Left + RB.Right) / 2, (RB.Top + RB.Bottom) / 2);
  EXPECT_EQ(P.GetPanel(), B);
  EXPECT_EQ(P.Panels().Get(1), A);
  // Freeing a panel that is not current also takes it off the sheet.
  A->Free();
  ASSERT_EQ(P.Panels().Count(), 1);
  B->Free();
  EXPECT_EQ(P.GetPanel(), nullptr);
  Paint(P);
}

TEST_F(PreviewPanel, MarginsAddingUpToTheWholePageDrawNothingAndDoNotFail) {
  UsePdf();
  TPlotPreviewPanel P;
  SamplePanel Chart;
  Chart.PrintProportional = false;
  Chart.PrintMargins = TRect(60, 10, 60, 10);
  P.SetPanel(&Chart);
  for (bool AsBitmap : {false, true}) {
    P.SetAsBitmap(AsBitmap);
    Paint(P);
    EXPECT_EQ(Chart.Draws, 0);
    EXPECT_EQ(P.RenderPanelBitmap(&Chart), nullptr);
  }
}

TEST_F(PreviewPanel, PrintedPageHoldsEveryChartInItsBand) {
  UsePdf(TPrinterOrientation::poPortrait);
  TPlotPreviewPanel P;
  P.Title = "Two sections";
  SamplePanel A(nullptr, clRed), B(nullptr, clFuchsia);
  A.PrintProportional = B.PrintProportional = false;
  A.PrintMargins = TRect(10, 5, 10, 60);
  B.PrintMargins = TRect(10, 60, 10, 5);
  P.Panels().Add(&A);
  P.Panels().Add(&B);
  P.CalcPaperRect();
  P.Print();
  EXPECT_FALSE(Printer().Printing());
  if (!RunTool("pdftoppm", {"-r", "100", "-png", "-singlefile", QString::fromStdString(Path("page.pdf")),
                            QString::fromStdString(Path("page"))}))
    GTEST_SKIP() << "pdftoppm not available";
  QImage Page(QString::fromStdString(Path("page.png")));
  ASSERT_FALSE(Page.isNull());
  const int32_t Off = Printer().DeviceCaps(PHYSICALOFFSETX);
  for (auto [Chart, Mark] : {std::pair{&A, 0xFF0000u}, std::pair{&B, 0xFF00FFu}}) {
    TRect R;
    Chart->PrintPageRect(R);
    const int X = Off + R.Left + (R.Right - R.Left) / 4, Y = Off + R.Top + (R.Bottom - R.Top) / 4;
    // The PDF keeps pictures compressed: colours come back within a few steps.
    const QRgb Px = Page.pixel(X, Y);
    EXPECT_NEAR(qRed(Px), int((Mark >> 16) & 0xFF), 8);
    EXPECT_NEAR(qGreen(Px), int((Mark >> 8) & 0xFF), 8);
    EXPECT_NEAR(qBlue(Px), int(Mark & 0xFF), 8);
  }
}
}  // namespace

}  // namespace PreviewPanelTests
