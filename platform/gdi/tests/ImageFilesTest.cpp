// Bitmaps and picture files: BMP at every depth, PNG, JPEG, and bad input.

#include "platform/gdi/ImageFiles.h"

#include "TestPicture.h"

#include <cstdio>
#include <unistd.h>
#include <filesystem>

namespace ImageFilesTest {

namespace {

// A picture of a few standard colours, so that every palette holds them exactly.
void Paint(TBitmap& b, bool blackAndWhite) {
  b.SetSize(37, 21);  // odd sizes exercise the row padding
  TCanvas& c = *b.GetCanvas();
  c.Brush->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 37, 21));
  c.Pen->SetColor(clBlack);
  c.Brush->SetColor(blackAndWhite ? clBlack : clRed);
  c.Rectangle(2, 2, 20, 12);
  c.Brush->SetColor(blackAndWhite ? clWhite : clBlue);
  c.Ellipse(15, 6, 35, 20);
  c.Pen->SetColor(blackAndWhite ? clBlack : clLime);
  c.MoveTo(0, 20);
  c.LineTo(36, 0);
}

std::vector<TColor> Pixels(const TBitmap& b) {
  std::vector<TColor> v;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) v.push_back(b.GetPixelColor(x, y));
  return v;
}

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("kv_gdi_" + std::to_string(::getpid()) + "_" + name)).string();
}

TEST(ImageFiles, BmpRoundTripsAtEveryDepth) {
  const struct {
    TPixelFormat Format;
    int HeaderBits;
  } cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}, {pfDevice, 24}};
  for (const auto& k : cases) {
    TBitmap b;
    Paint(b, k.Format == pf1bit);
    b.SetPixelFormat(k.Format);
    const auto before = Pixels(b);
    const std::vector<uint8_t> data = b.SaveToBytes();
    ASSERT_GE(data.size(), 54u);
    EXPECT_EQ(data[28], k.HeaderBits) << "format " << int(k.Format);
    TBitmap back;
    back.LoadFromBytes(data);
    EXPECT_EQ(back.GetWidth(), 37);
    EXPECT_EQ(back.GetHeight(), 21);
    EXPECT_EQ(Pixels(back), before) << "format " << int(k.Format);
  }
}

TEST(ImageFiles, MonochromeBitmapReducesColoursToBlackAndWhite) {
  TBitmap b(4, 1);
  TCanvas& c = *b.GetCanvas();
  const TColor in[] = {RGB(20, 20, 20), RGB(240, 230, 250), clRed, clYellow};
  for (int i = 0; i < 4; ++i) c.SetPixel(i, 0, in[i]);
  b.SetMonochrome(true);
  EXPECT_EQ(b.GetPixelColor(0, 0), clBlack);
  EXPECT_EQ(b.GetPixelColor(1, 0), clWhite);
  // Drawing into a 1-bit bitmap gives palette colours only.
  c.SetPixel(2, 0, RGB(200, 200, 200));
  EXPECT_EQ(b.GetPixelColor(2, 0), clWhite);
}

TEST(ImageFiles, PngRoundTripIsExactAndKeepsAlpha) {
  TPngImage png;
  Paint(png, false);
  const auto before = Pixels(png);
  const std::string file = TempFile("roundtrip.png");
  png.SaveToFile(file);
  TPicture pic;
  pic.LoadFromFile(file);
  ASSERT_NE(dynamic_cast<TPngImage*>(pic.GetGraphic()), nullptr);
  EXPECT_EQ(Pixels(*pic.GetBitmap()), before);
  std::filesystem::remove(file);

  TPngImage alpha;
  alpha.SetSize(2, 1);
  alpha.SetPixelFormat(pf32bit);
  uint8_t* row = alpha.ScanLine(0);
  const uint8_t px[8] = {10, 20, 30, 40, 1, 2, 3, 255};  // B, G, R, A
  std::copy(px, px + 8, row);
  TPngImage back;
  back.LoadFromBytes(alpha.SaveToBytes());
  ASSERT_EQ(back.GetPixelFormat(), pf32bit);
  EXPECT_TRUE(std::equal(px, px + 8, back.ScanLine(0)));
}

TEST(ImageFiles, JpegRoundTripIsClose) {
  TJPEGImage jpg;
  jpg.SetSize(64, 48);
  TCanvas& c = *jpg.GetCanvas();
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) c.SetPixel(x, y, RGB(uint8_t(x * 4), uint8_t(y * 5), 128));
  jpg.CompressionQuality = 95;
  TPicture pic;
  const std::string file = TempFile("roundtrip.jpg");
  jpg.SaveToFile(file);
  pic.LoadFromFile(file);
  std::filesystem::remove(file);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(pic.GetGraphic()), nullptr);
  const TBitmap& back = *pic.GetBitmap();
  ASSERT_EQ(back.GetWidth(), 64);
  double sum = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const TColor a = jpg.GetPixelColor(x, y), b = back.GetPixelColor(x, y);
      sum += std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
             std::abs(GetBValue(a) - GetBValue(b));
    }
  EXPECT_LT(sum / (64 * 48 * 3), 3.0);
}

TEST(ImageFiles, ScanLineHasThePlatformsByteOrder) {
  TBitmap b(3, 2);
  b.SetPixelFormat(pf24bit);
  b.GetCanvas()->SetPixel(1, 1, RGB(10, 20, 30));
  const uint8_t* row = b.ScanLine(1);
  EXPECT_EQ(row[3], 30);  // blue first
  EXPECT_EQ(row[4], 20);
  EXPECT_EQ(row[5], 10);
  b.SetPixelFormat(pf8bit);
  EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
  b.SetPixelFormat(pf32bit);
  EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
}

TEST(ImageFiles, DamagedFilesAreRefusedWithAMessage) {
  TBitmap good;
  Paint(good, false);
  std::vector<uint8_t> bmp = good.SaveToBytes();
  TPngImage png;
  Paint(png, false);
  std::vector<uint8_t> pngData = png.SaveToBytes();
  TJPEGImage jpg;
  Paint(jpg, false);
  std::vector<uint8_t> jpgData = jpg.SaveToBytes();

  const auto cut = [](std::vector<uint8_t> v, size_t n) {
    v.resize(n);
    return v;
  };
  TBitmap b;
  EXPECT_THROW(b.LoadFromBytes(cut(bmp, bmp.size() - 10)), EInvalidGraphic);
  EXPECT_THROW(b.LoadFromBytes(cut(bmp, 20)), EInvalidGraphic);
  std::vector<uint8_t> huge = bmp;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // width 2^31 - 1
  EXPECT_THROW(b.LoadFromBytes(huge), EInvalidGraphic);
  std::vector<uint8_t> depth = bmp;
  depth[28] = 7;
  EXPECT_THROW(b.LoadFromBytes(depth), EInvalidGraphic);
  EXPECT_THROW(b.LoadFromBytes(pngData), EInvalidGraphic);  // a bitmap reads BMP only
  TPngImage p;
  EXPECT_THROW(p.LoadFromBytes(cut(pngData, pngData.size() / 2)), EInvalidGraphic);
  TJPEGImage j;
  EXPECT_THROW(j.LoadFromBytes(cut(jpgData, 40)), EInvalidGraphic);
  try {
    b.LoadFromBytes(depth);
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find("7 bits"), std::string::npos) << e.Message();
  }
}

TEST(ImageFiles, FailedLoadKeepsThePicture) {
  TPicture pic;
  TBitmap b;
  Paint(b, false);
  pic.SetGraphic(&b);
  const std::string file = TempFile("notapicture.bmp");
  ImageFiles::WriteFileBytes(file, {'B', 'M', 1, 2, 3});
  EXPECT_THROW(pic.LoadFromFile(file), EInvalidGraphic);
  ImageFiles::WriteFileBytes(file, {'x', 'y', 'z'});
  EXPECT_THROW(pic.LoadFromFile(file), EInvalidGraphic);
  std::filesystem::remove(file);
  EXPECT_THROW(pic.LoadFromFile(file), EInOutError);
  EXPECT_EQ(pic.GetWidth(), 37);
  EXPECT_EQ(Pixels(*pic.GetBitmap()), Pixels(b));
}

}  // namespace

}  // namespace ImageFilesTest
