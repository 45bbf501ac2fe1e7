#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/Metafile.h"

namespace test_metafile {

namespace {

uint32_t Get32(const std::vector<uint8_t>& B, size_t At) {
  uint32_t V = 0;
  for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(B[At + i]) << (8 * i);
  return V;
}

// A small picture with every kind of primitive the chart engine uses.
void DrawScene(TCanvas& C) {
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
  C.Font->SetName("Arial");
  C.Font->SetColor(clBlack);
  C.TextOut(15, 20, "Chart");
  C.SetPixel(2, 2, clRed);
}

TEST(Metafile, WritesAWellFormedEnhancedMetafile) {
  TMetafile M(100, 100);
  {
    TMetafileCanvas C(M);
    DrawScene(C);
  }
  const std::vector<uint8_t> B = M.SaveToBytes();
  ASSERT_GT(B.size(), 108u);
  EXPECT_EQ(Get32(B, 0), Emf::EMR_HEADER);
  EXPECT_EQ(Get32(B, 40), Emf::Signature);
  EXPECT_EQ(Get32(B, 48), B.size());  // Bytes
  EXPECT_EQ(Get32(B, 16), 99u);       // inclusive bounds
  const auto Records = Emf::SplitRecords(B);
  EXPECT_EQ(Get32(B, 52), Records.size());
  EXPECT_EQ(Records.back().Type, Emf::EMR_EOF);
  auto Count = [&](uint32_t Type) {
    return std::count_if(Records.begin(), Records.end(), [&](const Emf::TRecord& R) { return R.Type == Type; });
  };
  EXPECT_GE(Count(Emf::EMR_POLYPOLYGON), 3);  // rectangle interior, polygon, FillRect
  EXPECT_GE(Count(Emf::EMR_POLYLINE), 2);
  EXPECT_EQ(Count(Emf::EMR_EXTTEXTOUTW), 1);
  EXPECT_EQ(Count(Emf::EMR_SETPIXELV), 1);
  EXPECT_GE(Count(Emf::EMR_CREATEBRUSHINDIRECT), 2);
  // Every created object is deleted before its slot is reused.
  EXPECT_LE(Count(Emf::EMR_CREATEBRUSHINDIRECT) - Count(Emf::EMR_DELETEOBJECT), 3);
  // The text is stored as UTF-16.
  for (const auto& R : Records)
    if (R.Type == Emf::EMR_EXTTEXTOUTW) {
      const uint32_t Off = Get32(R.Bytes, 36 + 12);
      EXPECT_EQ(Get32(R.Bytes, 36 + 8), 5u);
      EXPECT_EQ(R.Bytes[Off], 'C');
      EXPECT_EQ(R.Bytes[Off + 2], 'h');
    }
}

TEST(Metafile, ReplayDrawsTheSamePictureAsTheScreen) {
  TBitmap Direct(100, 100);
  DrawScene(*Direct.GetCanvas());
  TMetafile M(100, 100);
  {
    TMetafileCanvas C(M);
    DrawScene(C);
  }
  TBitmap Played(100, 100);
  M.Draw(*Played.GetCanvas(), TRect{0, 0, 100, 100});
  int Different = 0;
  for (int Y = 0; Y < 100; ++Y)
    for (int X = 0; X < 100; ++X) Different += Direct.GetPixelColor(X, Y) != Played.GetPixelColor(X, Y);
  EXPECT_EQ(Different, 0);
}

TEST(Metafile, SavesLoadsAndRejectsBadFiles) {
  TMetafile M(40, 30);
  {
    TMetafileCanvas C(M);
    C.Rectangle(0, 0, 40, 30);
  }
  const std::string File = (std::filesystem::temp_directory_path() / "kv_metafile_test.emf").string();
  M.SaveToFile(File);
  TMetafile Back;
  Back.LoadFromFile(File);
  EXPECT_EQ(Back.GetWidth(), 40);
  EXPECT_EQ(Back.GetHeight(), 30);
  EXPECT_EQ(Back.SaveToBytes(), M.SaveToBytes());
  std::remove(File.c_str());

  std::vector<uint8_t> Broken = M.SaveToBytes();
  Broken.resize(Broken.size() - 4);
  EXPECT_THROW(Back.LoadFromBytes(Broken), Exception);
  EXPECT_THROW(Back.LoadFromBytes({1, 2, 3}), Exception);
  EXPECT_EQ(Back.GetWidth(), 40);  // nothing half-applied
  EXPECT_THROW(Back.LoadFromFile("/nonexistent/dir/x.emf"), Exception);
}

TEST(Metafile, EmptyPictureIsOnePixel) {
  TMetafile M(0, 0);
  { TMetafileCanvas C(M); }
  const auto B = M.SaveToBytes();
  EXPECT_EQ(Get32(B, 16), 0u);
  EXPECT_EQ(Get32(B, 20), 0u);
  EXPECT_EQ(Emf::SplitRecords(B).size(), 3u);  // header, text alignment, EOF
}

}  // namespace

}  // namespace test_metafile
