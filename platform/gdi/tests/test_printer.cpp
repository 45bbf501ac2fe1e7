#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Printer.h"

namespace test_printer {

namespace {

std::string TempPdf(const char* Name) { return (std::filesystem::temp_directory_path() / Name).string(); }

std::string ReadAll(const std::string& File) {
  std::ifstream In(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

TEST(Printer, PageSizeFollowsPaperResolutionAndOrientation) {
  TPrinter P;
  P.SetOutputFileName(TempPdf("kv_unused.pdf"));
  P.SetResolution(100);
  // A4 at 100 dpi: 827 x 1169 pixels, 20 each for the 5 mm margins.
  EXPECT_EQ(P.DeviceCaps(PHYSICALWIDTH), 827);
  EXPECT_EQ(P.DeviceCaps(PHYSICALHEIGHT), 1169);
  EXPECT_EQ(P.PageWidth(), 827 - 40);
  EXPECT_EQ(P.PageHeight(), 1169 - 40);
  EXPECT_EQ(P.DeviceCaps(LOGPIXELSY), 100);
  P.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(P.PageWidth(), 1169 - 40);
  EXPECT_THROW(P.SetResolution(10), EPrinter);
  EXPECT_THROW(P.SetPaperSizeMM(0, 100), EPrinter);
  EXPECT_EQ(P.GetResolution(), 100);
}

TEST(Printer, PrintsPagesIntoAPdfFile) {
  const std::string File = TempPdf("kv_printer_test.pdf");
  std::filesystem::remove(File);
  TPrinter P;
  P.SetOutputFileName(File);
  P.SetResolution(72);
  EXPECT_THROW(P.Canvas(), EPrinter);
  P.BeginDoc();
  EXPECT_TRUE(P.Printing());
  EXPECT_THROW(P.SetResolution(300), EPrinter);
  P.Canvas()->Brush->SetColor(clRed);
  P.Canvas()->FillRect(TRect{0, 0, 100, 100});
  P.NewPage();
  EXPECT_EQ(P.PageNumber(), 2);
  P.Canvas()->Rectangle(10, 10, 50, 50);
  P.EndDoc();
  EXPECT_FALSE(P.Printing());
  const std::string Pdf = ReadAll(File);
  ASSERT_GE(Pdf.size(), 5u);
  EXPECT_EQ(Pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(Pdf.find("/Count 2"), std::string::npos);
  std::filesystem::remove(File);
  EXPECT_THROW(P.EndDoc(), EPrinter);
}

TEST(Printer, CanvasUsesTheAnisotropicMapping) {
  TPrinter P;
  P.SetOutputFileName(TempPdf("kv_printer_map.pdf"));
  P.SetResolution(72);
  P.BeginDoc();
  TCanvas& C = *P.Canvas();
  TDeviceContext& DC = *C.GetHandle();
  DC.SetMapMode(MM_ANISOTROPIC);
  DC.SetWindowOrgEx(0, 0);
  DC.SetWindowExtEx(50, 50);
  DC.SetViewportExtEx(100, 200);
  DC.SetViewportOrgEx(0, 0);
  C.Brush->SetColor(clBlack);
  C.FillRect(TRect{0, 0, 10, 10});  // 20 x 40 device pixels
  const TBitmap& Page = *P.PageBitmap();
  EXPECT_EQ(Page.GetPixelColor(19, 39), clBlack);
  EXPECT_EQ(Page.GetPixelColor(20, 10), clWhite);
  EXPECT_EQ(Page.GetPixelColor(10, 40), clWhite);
  P.Abort();
  EXPECT_TRUE(P.Aborted());
  std::filesystem::remove(TempPdf("kv_printer_map.pdf"));
}

TEST(Printer, UnwritablePdfFails) {
  TPrinter P;
  P.SetOutputFileName("/nonexistent/dir/out.pdf");
  EXPECT_THROW(P.BeginDoc(), EPrinter);
  EXPECT_FALSE(P.Printing());
}

}  // namespace

}  // namespace test_printer
