// Picture export formats: registry, sizes, colour depths, filter numbers and
// the same chart in every kind of output.
#include "chart/series/tests/ExportFixture.h"

#include "chart/engine/PlotHtml.h"
#include "chart/series/PlotBmpOptions.h"
#include "chart/series/PlotEmfOptions.h"
#include "chart/series/PlotPreviewPanel.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Metafile.h"

#include <iostream>

namespace ExportFormatTests {

using namespace ExportTest;

namespace {
class ExportFormats : public ExportTestBase {};

TEST_F(ExportFormats, ExtensionLookUpFollowsTheRegisteredFormats) {
  ASSERT_EQ(PlotExport::ExportFormats().size(), 2u);
  EXPECT_EQ(PlotExport::ExportFormats()[0], TEMFExportFormat::StaticClass());
  EXPECT_EQ(PlotExport::ExportFormats()[1], TBMPExportFormat::StaticClass());
  const struct {
    const char* Extension;
    const char* Kind;  // "metafile", "bitmap" or "" for none
  } Cases[] = {{".emf", "metafile"}, {".EmF", "metafile"}, {".bmp", "bitmap"}, {".BMP", "bitmap"},
               {".wmf", ""},  // a fresh metafile format is enhanced and answers "emf"
               {".png", ""}, {"emf", ""}};
  for (const auto& C : Cases) {
    std::unique_ptr<TGraphic> G = PlotExport::GraphicForExtension(C.Extension);
    const std::string Kind = !G ? "" : dynamic_cast<TMetafile*>(G.get()) ? "metafile" : "bitmap";
    EXPECT_EQ(Kind, C.Kind) << C.Extension;
    if (G) {
      EXPECT_TRUE(G->GetEmpty()) << C.Extension;
    }
  }
  // The chart engine's HTML pictures ask through the installed hook.
  ASSERT_TRUE(PlotHtml::PictureForExtension);
  EXPECT_NE(PlotHtml::PictureForExtension(".EMF"), nullptr);

  PlotExport::UnregisterExportFormat(TPlotPreviewPanel::StaticClass());  // never registered: nothing happens
  EXPECT_EQ(PlotExport::ExportFormats().size(), 2u);
  PlotExport::UnregisterExportFormat(TEMFExportFormat::StaticClass());
  EXPECT_EQ(PlotExport::GraphicForExtension(".emf"), nullptr);
}

TEST_F(ExportFormats, WithoutAPanelCopyAndSaveRaiseAndWriteNothing) {
  for (TClass C : PlotExport::ExportFormats()) {
    auto F = PlotExport::NewFormat(C);
    const std::string File = Path("none." + F->FileExtension());
    try {
      F->SaveToFile(File);
      ADD_FAILURE() << C->ClassName() << " saved without a panel";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Panel property is not set in Export format");
    }
    EXPECT_THROW(F->Copy(), Exception);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File)));
  }
}

TEST_F(ExportFormats, PictureSizeIsThePanelsUnlessGiven) {
  SamplePanel Panel;
  Panel.SetBounds(320, 200);
  const struct {
    int32_t W, H, ExpectW, ExpectH;
  } Cases[] = {{0, 0, 320, 200}, {3000, 100, 3000, 100}, {0, 50, 320, 50}};
  for (const auto& C : Cases) {
    TBMPExportFormat Bmp;
    Bmp.SetPanel(&Panel);
    Bmp.Width = C.W;
    Bmp.Height = C.H;
    Bmp.SaveToFile(Path("size.bmp"));
    const auto Image = ImageFiles::ReadBmp(ImageFiles::ReadFileBytes(Path("size.bmp")));
    EXPECT_EQ(Image.Width, C.ExpectW);
    EXPECT_EQ(Image.Height, C.ExpectH);

    TEMFExportFormat Meta;
    Meta.SetPanel(&Panel);
    Meta.Width = C.W;
    Meta.Height = C.H;
    Meta.SaveToFile(Path("size.emf"));
    std::unique_ptr<TMetafile> M = Meta.Metafile();
    EXPECT_EQ(M->GetWidth(), C.ExpectW);
    EXPECT_EQ(M->GetHeight(), C.ExpectH);
  }
}

TEST_F(ExportFormats, ColourChoiceSetsTheBitsPerPixelAndMonochromeOverridesIt) {
  SamplePanel Panel;
  Panel.SetBounds(64, 40);
  const struct {
    bool Mono;
    int Colors;
    int Bits;
  } Cases[] = {{false, 1, 1}, {false, 2, 4}, {false, 3, 8}, {false, 6, 24}, {false, 7, 32}, {true, 6, 1}, {true, 3, 1}};
  for (const auto& C : Cases) {
    TBMPExportFormat F;
    F.SetPanel(&Panel);
    auto* Options = static_cast<TBMPOptions*>(F.Options());
    Options->CBColors->SetItemIndex(C.Colors);
    Options->CBMono->SetChecked(C.Mono);
    EXPECT_EQ(Options->CBColors->GetEnabled(), !C.Mono);
    F.SaveToFile(Path("depth.bmp"));
    const auto Image = ImageFiles::ReadBmp(ImageFiles::ReadFileBytes(Path("depth.bmp")));
    EXPECT_EQ(Image.BitsPerPixel, C.Bits) << "colours item " << C.Colors << " mono " << C.Mono;
    // The red block survives every depth that has red (black in monochrome).
    const uint32_t Px = Image.Pixels[static_cast<size_t>(10 * Image.Width + 10)] & 0xFFFFFF;
    EXPECT_EQ(Px, C.Mono || C.Bits == 1 ? 0x000000u : 0xFF0000u) << C.Colors;
  }
}

TEST_F(ExportFormats, BitmapOptionsGoBackToDefaultColoursWhenShown) {
  TBMPOptions* Form = Create<TBMPOptions>(nullptr);
  EXPECT_EQ(Form->CBColors->GetItemIndex(), 0);
  ASSERT_EQ(Form->CBColors->Items()->Count(), 8);
  EXPECT_EQ(Form->CBColors->Items()->Get(7), "16M (32 bit)");
  Form->CBColors->SetItemIndex(5);
  Form->Show();
  EXPECT_EQ(Form->CBColors->GetItemIndex(), 0);
  Form->Free();
}

TEST_F(ExportFormats, MetafileFormatTakesTwoFilterNumbersAndSwitchesToOldStyle) {
  TEMFExportFormat Emf;
  TBMPExportFormat Bmp;
  int32_t Counter = 0;
  Emf.AssignFilterIndex(Counter);
  Bmp.AssignFilterIndex(Counter);
  EXPECT_EQ(Counter, 3);
  EXPECT_EQ(Emf.FilterIndex(), 1);
  EXPECT_EQ(Bmp.FilterIndex(), 3);
  EXPECT_TRUE(Emf.GetEnhanced());
  EXPECT_EQ(Emf.FileExtension(), "emf");
  EXPECT_TRUE(Emf.WantsFilterIndex(1));
  EXPECT_FALSE(Emf.WantsFilterIndex(3));
  EXPECT_TRUE(Bmp.WantsFilterIndex(3));
  EXPECT_TRUE(Emf.WantsFilterIndex(2));
  EXPECT_FALSE(Emf.GetEnhanced());
  EXPECT_EQ(Emf.FileExtension(), "wmf");
  EXPECT_EQ(Emf.FilterIndex(), 2);
  EXPECT_EQ(Emf.Description(), "as &Metafile");
  EXPECT_EQ(Bmp.Description(), "as &Bitmap");
}

TEST_F(ExportFormats, SavedMetafileIsAnEnhancedMetafileOfThePicture) {
  SamplePanel Panel;
  Panel.SetBounds(200, 120);
  TEMFExportFormat Meta;
  Meta.SetPanel(&Panel);
  Meta.SaveToFile(Path("chart.emf"));
  const std::vector<uint8_t> Bytes = ImageFiles::ReadFileBytes(Path("chart.emf"));
  const auto Records = Emf::SplitRecords(Bytes);
  ASSERT_GE(Records.size(), 3u);
  EXPECT_EQ(Records.front().Type, Emf::EMR_HEADER);
  EXPECT_EQ(Records.back().Type, Emf::EMR_EOF);
}

// The EMF file of a chart, rendered by an independent reader (an office suite's
// headless converter), shows the chart of the BMP export.
TEST_F(ExportFormats, MetafileRenderedByAnOfficeSuiteShowsTheBitmapsChart) {
  if (QStandardPaths::findExecutable("libreoffice").isEmpty())
    GTEST_SKIP() << "libreoffice is not installed: the EMF file is not rendered independently";
  SamplePanel Panel;
  Panel.SetBounds(400, 250);
  TBMPExportFormat Bmp;
  Bmp.SetPanel(&Panel);
  Bmp.SaveToFile(Path("chart.bmp"));
  TBitmap Reference;
  Reference.LoadFromFile(Path("chart.bmp"));
  const QImage Ref = ToImage(Reference);
  TEMFExportFormat Meta;
  Meta.SetPanel(&Panel);
  Meta.SaveToFile(Path("chart.emf"));
  const QString OutDir = Dir.path();
  // A profile folder of its own, so that no other office process (or test shard) shares it.
  ASSERT_TRUE(RunTool("libreoffice", {"-env:UserInstallation=file://" + OutDir + "/office-profile", "--headless",
                                      "--convert-to", "png", "--outdir", OutDir,
                                      QString::fromStdString(Path("chart.emf"))}));
  QImage Converted(OutDir + "/chart.png");
  ASSERT_FALSE(Converted.isNull());
  // The converter may add a border of its own: compare the chart's own area, found as
  // the bounding box of the non-white pixels.
  QRect Box;
  for (int y = 0; y < Converted.height(); ++y)
    for (int x = 0; x < Converted.width(); ++x)
      if ((Converted.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) Box |= QRect(x, y, 1, 1);
  EXPECT_GE(SameCells(Ref, Converted.copy(Box)), 0.9);
}

// One chart through the printed outputs: the BMP export is the reference; the PDF
// printed from the preview and rendered by poppler, and the preview's PNG page must
// show the same chart.
TEST_F(ExportFormats, BitmapPdfAndPreviewPageShowTheSameChart) {
  SamplePanel Panel;
  Panel.SetBounds(400, 250);
  TBMPExportFormat Bmp;
  Bmp.SetPanel(&Panel);
  Bmp.SaveToFile(Path("chart.bmp"));
  TBitmap Reference;
  Reference.LoadFromFile(Path("chart.bmp"));
  const QImage Ref = ToImage(Reference);

  // PDF printed from the preview panel.
  const std::string Pdf = Path("chart.pdf");
  {
    PdfPrinter Guard(Pdf, 100, TPrinterOrientation::poLandscape);
    TPlotPreviewPanel Preview;
    Panel.PrintProportional = false;
    Panel.PrintMargins = TRect(10, 10, 10, 10);
    Preview.SetPanel(&Panel);
    Preview.CalcPaperRect();
    Preview.Print();
    TRect PageRect;
    Panel.PrintPageRect(PageRect);
    const int32_t OffX = Printer().DeviceCaps(PHYSICALOFFSETX), OffY = Printer().DeviceCaps(PHYSICALOFFSETY);
    if (RunTool("pdftoppm", {"-r", "100", "-png", "-singlefile", QString::fromStdString(Pdf),
                             QString::fromStdString(Path("page"))})) {
      QImage Page(QString::fromStdString(Path("page.png")));
      ASSERT_FALSE(Page.isNull());
      const QRect Area(PageRect.Left + OffX, PageRect.Top + OffY, PageRect.Right - PageRect.Left,
                       PageRect.Bottom - PageRect.Top);
      EXPECT_GE(SameCells(Ref, Page.copy(Area)), 0.9);
      // Outside the chart the page stays white.
      EXPECT_EQ(Page.pixel(OffX + 2, OffY + 2) & 0xFFFFFF, 0xFFFFFFu);
    } else {
      std::cout << "[ note ] pdftoppm not available: PDF not rendered\n";
      EXPECT_TRUE(QFile::exists(QString::fromStdString(Pdf)));
    }
  }
}
}  // namespace

}  // namespace ExportFormatTests
