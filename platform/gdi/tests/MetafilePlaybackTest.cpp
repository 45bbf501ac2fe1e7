// Metafiles read from disk draw their records; pictures store their graphic;
// bitmaps are written at every depth.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/Streaming.h"

namespace MetafilePlaybackTest {

namespace {

void DrawShapes(TCanvas& C) {
  C.Brush->SetColor(clYellow);
  C.Pen->SetColor(clBlue);
  C.Rectangle(10, 10, 90, 60);
  C.Pen->SetWidth(3);
  C.MoveTo(5, 70);
  C.LineTo(95, 75);
  C.Pen->SetWidth(1);
  C.Brush->SetStyle(TBrushStyle::bsDiagCross);
  C.Brush->SetColor(clRed);
  C.Polygon({{20, 80}, {60, 95}, {30, 99}});
  C.Brush->SetStyle(TBrushStyle::bsSolid);
  C.Brush->SetColor(clLime);
  C.FillRect(TRect{70, 80, 98, 98});
  C.SetPixel(2, 2, clRed);
  TBitmap Small(4, 3);
  Small.GetCanvas()->Brush->SetColor(clFuchsia);
  Small.GetCanvas()->FillRect(TRect{0, 0, 4, 3});
  Small.GetCanvas()->SetPixel(0, 0, clNavy);
  C.Draw(40, 20, &Small);
}

std::vector<uint8_t> RecordShapes() {
  TMetafile M(100, 100);
  {
    TMetafileCanvas C(M);
    DrawShapes(C);
  }
  return M.SaveToBytes();
}

int DifferentPixels(const TBitmap& A, const TBitmap& B) {
  int N = 0;
  for (int Y = 0; Y < A.GetHeight(); ++Y)
    for (int X = 0; X < A.GetWidth(); ++X) N += A.GetPixelColor(X, Y) != B.GetPixelColor(X, Y);
  return N;
}

TEST(MetafilePlayback, AMetafileReadFromBytesDrawsTheRecordedPicture) {
  TBitmap Direct(100, 100);
  DrawShapes(*Direct.GetCanvas());
  TMetafile Loaded;
  Loaded.LoadFromBytes(RecordShapes());
  TBitmap Played(100, 100);
  Loaded.Draw(*Played.GetCanvas(), TRect{0, 0, 100, 100});
  EXPECT_EQ(DifferentPixels(Direct, Played), 0);
}

TEST(MetafilePlayback, APictureLoadedFromAnEmfFileDrawsAndRoundTrips) {
  const std::string File = (std::filesystem::temp_directory_path() / "kv_playback_test.emf").string();
  {
    TMetafile M;
    M.LoadFromBytes(RecordShapes());
    M.SaveToFile(File);
  }
  TPicture Picture;
  Picture.LoadFromFile(File);
  std::remove(File.c_str());
  ASSERT_NE(dynamic_cast<TMetafile*>(Picture.GetGraphic()), nullptr);
  EXPECT_EQ(Picture.GetWidth(), 100);
  TBitmap Shown(100, 100);
  Shown.GetCanvas()->StretchDraw(TRect{0, 0, 100, 100}, Picture.GetGraphic());
  EXPECT_EQ(Shown.GetPixelColor(50, 40), clYellow);
  EXPECT_EQ(Shown.GetPixelColor(80, 90), clLime);
  EXPECT_EQ(Shown.GetPixelColor(40, 20), clNavy);
}

TEST(MetafilePlayback, DamagedRecordsEndThePlaybackWithoutReadingOutside) {
  std::vector<uint8_t> Bytes = RecordShapes();
  // Claim a huge point count in every polyline and polygon record.
  const auto Records = Emf::SplitRecords(Bytes);
  size_t At = 0;
  for (const auto& R : Records) {
    if (R.Type == Emf::EMR_POLYLINE || R.Type == Emf::EMR_POLYPOLYGON || R.Type == Emf::EMR_STRETCHDIBITS)
      for (size_t i = 24; i < 32 && At + i < Bytes.size(); ++i) Bytes[At + i] = 0xFF;
    At += R.Bytes.size();
  }
  TMetafile Loaded;
  Loaded.LoadFromBytes(Bytes);
  TBitmap Played(100, 100);
  EXPECT_NO_THROW(Loaded.Draw(*Played.GetCanvas(), TRect{0, 0, 100, 100}));
}

TEST(PictureData, StoredFormCarriesTheGraphicClassAndRoundTrips) {
  TPicture Source;
  TBitmap* Bitmap = Source.GetBitmap();
  Bitmap->SetSize(3, 2);
  Bitmap->GetCanvas()->Brush->SetColor(clRed);
  Bitmap->GetCanvas()->FillRect(TRect{0, 0, 3, 2});
  const std::string Data = Source.GetData();
  ASSERT_GT(Data.size(), 8u);
  EXPECT_EQ(Data.substr(0, 8), std::string("\x07TBitmap"));
  TPicture Back;
  Back.SetData(Data);
  ASSERT_NE(dynamic_cast<TBitmap*>(Back.GetGraphic()), nullptr);
  EXPECT_EQ(Back.GetWidth(), 3);
  EXPECT_EQ(static_cast<TBitmap*>(Back.GetGraphic())->GetPixelColor(2, 1), clRed);

  TPicture Meta;
  auto M = std::make_unique<TMetafile>();
  M->LoadFromBytes(RecordShapes());
  Meta.SetGraphic(std::move(M));
  Back.SetData(Meta.GetData());
  EXPECT_NE(dynamic_cast<TMetafile*>(Back.GetGraphic()), nullptr);
  EXPECT_EQ(Back.GetData(), Meta.GetData());

  // The component streaming reads and writes the same form as "Data".
  struct TBinaryFiler : TFiler {
    using TFiler::TFiler;
    void DefineProperty(const std::string&, const TReaderProc&, const TWriterProc&, bool) override {}
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& Read, const TStreamProc& Write,
                              bool HasData) override {
      this->Name = Name;
      this->Read = Read;
      this->Write = Write;
      this->HasData = HasData;
    }
    std::string Name;
    TStreamProc Read, Write;
    bool HasData = false;
  };
  TMemoryStream Stream;
  TBinaryFiler Filer(Stream);
  Meta.DefineProperties(Filer);
  EXPECT_EQ(Filer.Name, "Data");
  ASSERT_TRUE(Filer.HasData);
  Filer.Write(Stream);
  EXPECT_EQ(Stream.DataString(), Meta.GetData());
  TPicture Read;
  Read.DefineProperties(Filer);
  EXPECT_FALSE(Filer.HasData);  // an empty picture writes nothing
  Stream.SetPosition(0);
  Filer.Read(Stream);
  EXPECT_EQ(Read.GetData(), Meta.GetData());
}

TEST(PictureData, BadStoredFormsLeaveThePictureAsItWas) {
  TPicture Picture;
  Picture.GetBitmap()->SetSize(5, 5);
  const std::string Good = Picture.GetData();
  const std::vector<std::string> Bad = {
      std::string("\x05TFoo1\x01\0\0\0x", 11),  // unknown class
      Good.substr(0, Good.size() - 3),          // bytes missing
      std::string("\x07TBit"),                  // name cut short
  };
  for (const std::string& Data : Bad) {
    EXPECT_THROW(Picture.SetData(Data), EInvalidGraphic);
    EXPECT_EQ(Picture.GetWidth(), 5);
  }
  Picture.SetData("");
  EXPECT_TRUE(Picture.Empty());
}

TEST(BitmapDepths, EveryDepthIsWrittenAndReadBack) {
  struct TCase {
    TPixelFormat Format;
    int FileBits;
    TColor Probe;     // drawn into the bitmap
    TColor Expected;  // read back from the file
  };
  const TCase Cases[] = {
      {pf1bit, 1, clBlack, clBlack},       {pf4bit, 4, clRed, clRed},
      {pf8bit, 8, clTeal, clTeal},         {pf15bit, 16, 0x10C8F8, 0x10C8F8},
      {pf16bit, 16, 0x14C4FC, 0x14C4FC},   {pf24bit, 24, 0x123456, 0x123456},
      {pf32bit, 32, 0x654321, 0x654321},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.FileBits);
    TBitmap B(6, 3);
    B.SetPixelFormat(C.Format);
    B.GetCanvas()->Brush->SetColor(clWhite);
    B.GetCanvas()->FillRect(TRect{0, 0, 6, 3});
    B.GetCanvas()->SetPixel(4, 1, C.Probe);
    const std::vector<uint8_t> File = B.SaveToBytes();
    EXPECT_EQ(File[28] | (File[29] << 8), C.FileBits);
    TBitmap Back;
    Back.LoadFromBytes(File);
    EXPECT_EQ(Back.GetPixelFormat(), C.Format);
    // 5- and 6-bit channels come back within one step of what was drawn.
    const TColor Got = Back.GetPixelColor(4, 1);
    for (int Shift : {0, 8, 16})
      EXPECT_NEAR((Got >> Shift) & 0xFF, (C.Expected >> Shift) & 0xFF, C.FileBits == 16 ? 8 : 0);
    EXPECT_EQ(Back.GetPixelColor(0, 0), clWhite);
    EXPECT_EQ(Back.SaveToBytes(), File);
  }
}

TEST(BitmapDepths, IndexedBitmapsAnswerTheirPalette) {
  TBitmap B(2, 2);
  EXPECT_TRUE(B.GetPalette().empty());
  B.SetMonochrome(true);
  const std::vector<TColor> Mono = B.GetPalette();
  ASSERT_EQ(Mono.size(), 2u);
  EXPECT_EQ(Mono[0], clBlack);
  EXPECT_EQ(Mono[1], clWhite);
}

}  // namespace

namespace {

TEST(OldMetafile, AWmfFileRoundTripsAndAnEmfNameAlwaysHoldsAnEmf) {
  TMetafile M;
  M.LoadFromBytes(RecordShapes());
  const auto Dir = std::filesystem::temp_directory_path();
  const std::string Wmf = (Dir / "kv_old_format.wmf").string(), Emf = (Dir / "kv_old_format.emf").string();
  M.SaveToFile(Wmf);
  M.SetEnhanced(false);
  M.SaveToFile(Emf);  // the name wins over the flag
  const std::vector<uint8_t> WmfBytes = ImageFiles::ReadFileBytes(Wmf);
  EXPECT_TRUE(Emf::IsOldMetafileData(WmfBytes));
  EXPECT_TRUE(Emf::IsMetafileData(ImageFiles::ReadFileBytes(Emf)));
  std::remove(Emf.c_str());

  // Read back, the old-format picture draws what was recorded (the bitmap and
  // all shapes; both formats carry the same integer coordinates).
  TPicture Picture;
  Picture.LoadFromFile(Wmf);
  std::remove(Wmf.c_str());
  auto* Back = dynamic_cast<TMetafile*>(Picture.GetGraphic());
  ASSERT_NE(Back, nullptr);
  EXPECT_FALSE(Back->GetEnhanced());
  EXPECT_EQ(Back->GetWidth(), 100);
  TBitmap Direct(100, 100), Played(100, 100);
  DrawShapes(*Direct.GetCanvas());
  Back->Draw(*Played.GetCanvas(), TRect{0, 0, 100, 100});
  EXPECT_EQ(DifferentPixels(Direct, Played), 0);

  // A cut-off old-format file keeps what was read before the cut.
  std::vector<uint8_t> Cut(WmfBytes.begin(), WmfBytes.begin() + static_cast<std::ptrdiff_t>(WmfBytes.size() / 2));
  TMetafile Partial;
  EXPECT_NO_THROW(Partial.LoadFromBytes(Cut));
  EXPECT_THROW(Partial.LoadFromBytes(std::vector<uint8_t>(WmfBytes.begin(), WmfBytes.begin() + 10)), Exception);
}

}  // namespace

}  // namespace MetafilePlaybackTest
