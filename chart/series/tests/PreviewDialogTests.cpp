// The print-preview dialog and its entry points, driven through the scripted seam.
#include "chart/series/tests/ExportFixture.h"

#include "chart/series/PlotBmpOptions.h"
#include "chart/series/PlotPrevi.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace PreviewDialogTests {

using namespace ExportTest;

namespace {

class PreviewDialog : public ExportTestBase {
protected:
  void SetUp() override {
    ExportTestBase::SetUp();
    Seam.OnUnexpected = [](const std::string& S) { ADD_FAILURE() << S; };
    Chart.SetBounds(400, 250);
  }
  void UsePdf() { Guard = std::make_unique<PdfPrinter>(Path("page.pdf"), 100, TPrinterOrientation::poPortrait); }
  void TearDown() override {
    Guard.reset();
    ExportTestBase::TearDown();
  }
  static TChartPreview& Dialog(TForm& F) { return dynamic_cast<TChartPreview&>(F); }
  static std::unique_ptr<TBitmap> PaintSheet(TChartPreview& D) {
    TPlotPreviewPanel& P = *D.PlotPreviewPanel1;
    auto B = std::make_unique<TBitmap>(P.GetWidth(), P.GetHeight());
    P.DrawTo(*B->GetCanvas(), P.PanelRect());
    return B;
  }
  TScriptedUserSeam Seam;
  SamplePanel Chart;
  std::unique_ptr<PdfPrinter> Guard;
};

TEST_F(PreviewDialog, MarginEditsRefuseOppositeMarginsReachingTheWholePage) {
  UsePdf();
  Chart.PrintMargins = TRect(3, 3, 3, 3);
  Seam.AnswerModal([&](TForm& F) {
    TChartPreview& D = Dialog(F);
    EXPECT_EQ(D.GetCaption(), "Kelm Print Preview");
    EXPECT_TRUE(D.CBProp->GetChecked());
    EXPECT_TRUE(D.BPrint->GetEnabled());
    EXPECT_EQ(D.Orientation->GetItemIndex(), 1);  // the printer is turned to landscape on show
    // Proportional margins: 15 % on the sides of a wide chart, the rest computed.
    EXPECT_EQ(Chart.PrintMargins.Left, 15);
    EXPECT_EQ(D.SELeftMa->GetText(), "15");
    EXPECT_EQ(D.SETopMa->GetText(), std::to_string(Chart.PrintMargins.Top));
    EXPECT_FALSE(D.BReset->GetEnabled());

    D.SEBotMa->SetText("40");
    EXPECT_EQ(Chart.PrintMargins.Bottom, 40);
    EXPECT_FALSE(D.CBProp->GetChecked());
    EXPECT_FALSE(Chart.PrintProportional);
    EXPECT_TRUE(D.BReset->GetEnabled());
    const int32_t Top = Chart.PrintMargins.Top;
    D.SETopMa->SetText("60");  // 60 + 40 is the whole page
    EXPECT_EQ(Chart.PrintMargins.Top, Top);
    EXPECT_EQ(D.SETopMa->GetText(), std::to_string(Top));
    D.SETopMa->SetText("59");
    EXPECT_EQ(Chart.PrintMargins.Top, 59);

    D.BReset->Click();
    EXPECT_EQ(Chart.PrintMargins, D.SavedMargins);
    EXPECT_EQ(D.SEBotMa->GetText(), std::to_string(D.SavedMargins.Bottom));
    EXPECT_FALSE(D.BReset->GetEnabled());
    D.SEBotMa->SetText("30");
    return mrOk;
  });
  PlotPrevi::ShowChartPreview(nullptr, &Chart);
  EXPECT_EQ(Chart.PrintMargins.Bottom, 30);  // the chart keeps what the dialog left
  EXPECT_EQ(Seam.Pending(), 0u);
}

TEST_F(PreviewDialog, DraggingOnTheSheetUpdatesTheEditsAndClearsProportional) {
  UsePdf();
  Seam.AnswerModal([&](TForm& F) {
    TChartPreview& D = Dialog(F);
    PaintSheet(D);
    TPlotPreviewPanel& P = *D.PlotPreviewPanel1;
    const TRect R = P.PanelPaperRect(&Chart);
    const int32_t Y = (R.Top + R.Bottom) / 2;
    P.MouseMove({}, R.Left, Y);
    P.MouseDown(TMouseButton::mbLeft, {}, R.Left, Y);
    P.MouseMove({TShiftStateItem::ssLeft}, R.Left + 40, Y);
    P.MouseUp(TMouseButton::mbLeft, {}, R.Left + 40, Y);
    EXPECT_GT(Chart.PrintMargins.Left, 15);
    EXPECT_EQ(D.SELeftMa->GetText(), std::to_string(Chart.PrintMargins.Left));
    EXPECT_EQ(D.SERightMa->GetText(), std::to_string(Chart.PrintMargins.Right));
    EXPECT_FALSE(D.CBProp->GetChecked());
    EXPECT_FALSE(Chart.PrintProportional);
    EXPECT_FALSE(D.BReset->GetEnabled());  // left as it was
    return mrOk;
  });
  PlotPrevi::ShowChartPreview(nullptr, &Chart);
}

TEST_F(PreviewDialog, SavedPageIsWrittenAsPngUnderTheChosenNameAndShowsTheChart) {
  UsePdf();
  TBMPExportFormat Bmp;
  Bmp.SetPanel(&Chart);
  const std::unique_ptr<TBitmap> Reference = (Bmp.Width = 400, Bmp.Height = 250, Bmp.Bitmap());
  TRect Sheet, Place;
  Seam.AnswerModal([&](TForm& F) {
    TChartPreview& D = Dialog(F);
    D.ShowMargins->SetChecked(false);
    D.SaveClick();
    Sheet = D.PlotPreviewPanel1->PaperRect;
    Place = D.PlotPreviewPanel1->PanelPaperRect(&Chart);
    return mrOk;
  });
  Seam.AnswerFileDialog(TFileDialogResult{{Path("page.bmp")}, 2});
  PlotPrevi::ShowChartPreview(nullptr, &Chart);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("page.bmp"))));
  const std::vector<uint8_t> Bytes = ImageFiles::ReadFileBytes(Path("page.png"));
  ASSERT_EQ(ImageFiles::DetectKind(Bytes), ImageFiles::TImageKind::Png);
  QImage Page;
  ASSERT_TRUE(Page.loadFromData(Bytes.data(), int(Bytes.size())));
  EXPECT_EQ(Page.width(), Sheet.Right - Sheet.Left);
  EXPECT_EQ(Page.height(), Sheet.Bottom - Sheet.Top);
  const QRect Area(Place.Left - Sheet.Left, Place.Top - Sheet.Top, Place.Right - Place.Left, Place.Bottom - Place.Top);
  EXPECT_GE(SameCells(ToImage(*Reference), Page.copy(Area)), 0.9);
}

TEST_F(PreviewDialog, PagesOfTwoAndThreeChartsStackTheChartsWithoutOptions) {
  UsePdf();
  SamplePanel Second(nullptr, clFuchsia), Model(nullptr, clYellow);
  for (SamplePanel* P : {&Second, &Model}) P->SetBounds(400, 250);
  struct TCase {
    std::vector<TCustomPlotPanel*> Charts;
    std::vector<TRect> Margins;
  };
  const TCase Cases[] = {
      {{&Chart, &Second, &Model}, {TRect(10, 5, 10, 70), TRect(10, 35, 10, 40), TRect(10, 65, 10, 10)}},
      {{&Chart, &Model}, {TRect(10, 5, 10, 60), TRect(10, 60, 10, 5)}},
  };
  TForm* Main = Create<TForm>(nullptr);
  for (const TCase& C : Cases) {
    Seam.AnswerModal([&](TForm& F) {
      TChartPreview& D = Dialog(F);
      EXPECT_EQ(D.GetCaption(), "Print preview");
      EXPECT_FALSE(D.Panel2->GetVisible());
      EXPECT_FALSE(D.PlotPreviewPanel1->Margins()->GetVisible());
      EXPECT_FALSE(D.PlotPreviewPanel1->GetAsBitmap());
      EXPECT_FALSE(D.PlotPreviewPanel1->GetSmoothBitmap());
      TPlotPanelsList& List = D.PlotPreviewPanel1->Panels();
      EXPECT_EQ(List.Count(), int32_t(C.Charts.size()));
      auto Sheet = PaintSheet(D);
      for (size_t i = 0; i < C.Charts.size(); ++i) {
        EXPECT_EQ(List.Get(int32_t(i)), C.Charts[i]);
        EXPECT_EQ(C.Charts[i]->PrintMargins, C.Margins[i]);
        EXPECT_FALSE(C.Charts[i]->PrintProportional);
        const TRect R = D.PlotPreviewPanel1->PanelPaperRect(C.Charts[i]);
        const TColor Mark = static_cast<SamplePanel*>(C.Charts[i])->Mark;
        EXPECT_EQ(Sheet->GetPixelColor(R.Left + (R.Right - R.Left) / 4, R.Top + (R.Bottom - R.Top) / 4) & 0xFFFFFF,
                  Mark);
      }
      return mrOk;
    });
    if (C.Charts.size() == 3)
      PlotPrevi::PreviewThreeCharts(Main, C.Charts[0], C.Charts[1], C.Charts[2]);
    else
      PlotPrevi::PreviewTwoCharts(Main, C.Charts[0], C.Charts[1]);
    EXPECT_EQ(Main->ComponentCount(), 0);  // the dialog is freed
  }
  Main->Free();
}

TEST_F(PreviewDialog, WithoutAPrinterPrintingIsOffAndMarginsStayZero) {
  if (!TPrinter::Printers().empty()) GTEST_SKIP() << "a system printer is installed";
  Seam.AnswerModal([&](TForm& F) {
    TChartPreview& D = Dialog(F);
    EXPECT_FALSE(D.BPrint->GetEnabled());
    EXPECT_FALSE(D.BSetupPrinter->GetEnabled());
    EXPECT_FALSE(D.Orientation->GetEnabled());
    EXPECT_EQ(Chart.PrintMargins, TRect(0, 0, 0, 0));
    return mrOk;
  });
  PlotPrevi::ShowChartPreview(nullptr, &Chart);
}

TEST_F(PreviewDialog, BmpFileBecomesASixteenBitRgbPng) {
  TBitmap B(3, 2);
  TCanvas& C = *B.GetCanvas();
  C.Brush->SetColor(clRed);
  C.FillRect(TRect(0, 0, 1, 1));
  C.Brush->SetColor(static_cast<TColor>(0x804020));
  C.FillRect(TRect(2, 1, 3, 2));
  B.SaveToFile(Path("pic.bmp"));
  pngun::BmpFileToPng(Path("pic.bmp"));
  const std::vector<uint8_t> Bytes = ImageFiles::ReadFileBytes(Path("pic.bmp"));
  ASSERT_EQ(ImageFiles::DetectKind(Bytes), ImageFiles::TImageKind::Png);
  EXPECT_EQ(Bytes[24], 16);  // IHDR bit depth
  EXPECT_EQ(Bytes[25], 2);   // truecolour RGB
  QImage Image;
  ASSERT_TRUE(Image.loadFromData(Bytes.data(), int(Bytes.size())));
  EXPECT_EQ(Image.size(), QSize(3, 2));
  const QRgba64 Red = Image.pixelColor(0, 0).rgba64();
  EXPECT_EQ(Red.red(), 65535);
  EXPECT_EQ(Red.green(), 0);
  const QRgba64 Other = Image.pixelColor(2, 1).rgba64();
  EXPECT_EQ(Other.red(), 0x20 * 257);
  EXPECT_EQ(Other.green(), 0x40 * 257);
  EXPECT_EQ(Other.blue(), 0x80 * 257);
}
}  // namespace

}  // namespace PreviewDialogTests
