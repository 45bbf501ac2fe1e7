// Pictures are drawn straight onto the target: stretched, clipped to the
// target rectangle, at any size, and as records onto a recording canvas.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gdi/Metafile.h"

namespace MetafileStretchTest {

namespace {

// Shapes in a 100x100 frame, every coordinate multiplied by K.
void DrawShapes(TCanvas& C, int K) {
  // Pen widths are logical units too: they scale with the picture.
  C.Pen->SetWidth(K);
  C.Brush->SetColor(clYellow);
  C.Pen->SetColor(clBlue);
  C.Rectangle(10 * K, 10 * K, 90 * K, 60 * K);
  C.Pen->SetColor(clGreen);
  C.Pen->SetWidth(2 * K);
  C.MoveTo(5 * K, 70 * K);
  C.LineTo(95 * K, 70 * K);
  C.Pen->SetWidth(K);
  C.Pen->SetColor(clBlack);
  C.Brush->SetColor(clRed);
  C.Polygon({{20 * K, 80 * K}, {50 * K, 80 * K}, {60 * K, 99 * K}, {25 * K, 95 * K}});
  C.Brush->SetColor(clLime);
  C.FillRect(TRect{70 * K, 80 * K, 98 * K, 98 * K});
  TBitmap Small(4, 2);
  Small.GetCanvas()->Brush->SetColor(clFuchsia);
  Small.GetCanvas()->FillRect(TRect{0, 0, 4, 2});
  Small.GetCanvas()->Brush->SetColor(clNavy);
  Small.GetCanvas()->FillRect(TRect{0, 0, 2, 2});
  C.StretchDraw(TRect{40 * K, 20 * K, 48 * K, 24 * K}, &Small);
}

std::unique_ptr<TMetafile> Record(int32_t W, int32_t H, const std::function<void(TCanvas&)>& Draw) {
  auto M = std::make_unique<TMetafile>(W, H);
  {
    TMetafileCanvas C(*M);
    Draw(C);
  }
  return M;
}

std::unique_ptr<TBitmap> White(int32_t W, int32_t H) {
  auto B = std::make_unique<TBitmap>(W, H);
  B->GetCanvas()->Brush->SetColor(clWhite);
  B->GetCanvas()->FillRect(TRect{0, 0, W, H});
  return B;
}

// Pixels that differ away from the edges of Expected: a pixel counts when
// Expected has one colour in its whole 3x3 neighbourhood and Played has
// another there. Rounding the stretch may move an edge by one pixel (and the
// seam between a shape's fill and its outline with it); nothing else may move.
int DifferentAwayFromEdges(const TBitmap& Expected, const TBitmap& Played) {
  int N = 0;
  for (int Y = 1; Y + 1 < Expected.GetHeight(); ++Y)
    for (int X = 1; X + 1 < Expected.GetWidth(); ++X) {
      const TColor C = Expected.GetPixelColor(X, Y);
      bool Uniform = true;
      for (int DY = -1; DY <= 1 && Uniform; ++DY)
        for (int DX = -1; DX <= 1 && Uniform; ++DX) Uniform = Expected.GetPixelColor(X + DX, Y + DY) == C;
      if (Uniform && Played.GetPixelColor(X, Y) != C) {
        if (N < 5) ADD_FAILURE() << "pixel " << X << "," << Y << " is " << Played.GetPixelColor(X, Y);
        ++N;
      }
    }
  return N;
}

TEST(MetafileStretch, StretchedPlaybackMatchesTheShapesDrawnAtTheTargetScale) {
  // Both a recording of this session and the same picture read from bytes,
  // enlarged twice and shrunk to half; within one pixel at the shape edges.
  auto RecordedOwner = Record(100, 100, [](TCanvas& C) { DrawShapes(C, 1); });
  TMetafile& Recorded = *RecordedOwner;
  TMetafile Loaded;
  Loaded.LoadFromBytes(Recorded.SaveToBytes());
  auto LargeOwner = White(200, 200);
    TBitmap& Large = *LargeOwner;
  DrawShapes(*Large.GetCanvas(), 2);
  for (const TMetafile* M : {&Recorded, &Loaded}) {
    auto PlayedOwner = White(200, 200);
    TBitmap& Played = *PlayedOwner;
    Played.GetCanvas()->StretchDraw(TRect{0, 0, 200, 200}, M);
    EXPECT_EQ(DifferentAwayFromEdges(Large, Played), 0);
    EXPECT_EQ(DifferentAwayFromEdges(Played, Large), 0);
    EXPECT_EQ(Played.GetPixelColor(150, 100), clYellow);
    EXPECT_EQ(Played.GetPixelColor(81, 41), clNavy);   // the embedded bitmap is stretched too
    EXPECT_EQ(Played.GetPixelColor(94, 46), clFuchsia);
  }
  // Drawn offset on a larger surface, only the target rectangle changes.
  auto OffsetOwner = White(300, 260);
    TBitmap& Offset = *OffsetOwner;
  Offset.GetCanvas()->StretchDraw(TRect{50, 30, 250, 230}, &Loaded);
  for (int Y = 0; Y < 260; ++Y)
    for (int X = 0; X < 300; ++X) {
      const bool Inside = X >= 50 && X < 250 && Y >= 30 && Y < 230;
      const TColor Want = Inside ? Large.GetPixelColor(X - 50, Y - 30) : clWhite;
      if (!Inside && Offset.GetPixelColor(X, Y) != Want) {
        ADD_FAILURE() << "drawn outside at " << X << "," << Y;
        return;
      }
    }
  EXPECT_EQ(Offset.GetPixelColor(50 + 150, 30 + 100), clYellow);
}

TEST(MetafileStretch, DrawingStaysInsideTheTargetRectangle) {
  // The picture's own drawing runs past its frame; the target keeps it in.
  auto MOwner = Record(100, 100, [](TCanvas& C) {
    C.Brush->SetColor(clRed);
    C.FillRect(TRect{-50, -50, 500, 500});
  });
  TMetafile& M = *MOwner;
  TMetafile Loaded;
  Loaded.LoadFromBytes(M.SaveToBytes());
  for (const TMetafile* P : {&M, &Loaded}) {
    auto BOwner = White(100, 100);
    TBitmap& B = *BOwner;
    B.GetCanvas()->StretchDraw(TRect{20, 30, 70, 60}, P);
    int Red = 0;
    for (int Y = 0; Y < 100; ++Y)
      for (int X = 0; X < 100; ++X) {
        const bool Inside = X >= 20 && X < 70 && Y >= 30 && Y < 60;
        Red += B.GetPixelColor(X, Y) == clRed;
        if (!Inside) {
          ASSERT_EQ(B.GetPixelColor(X, Y), clWhite) << X << "," << Y;
        }
      }
    EXPECT_EQ(Red, 50 * 30);
  }
}

TEST(MetafileStretch, APictureLargerThanAnyBitmapDraws) {
  // 10000 x 8000 = 80 million pixels, more than 2^26.
  auto MOwner = Record(10000, 8000, [](TCanvas& C) {
    C.Brush->SetColor(clRed);
    C.FillRect(TRect{0, 0, 10000, 8000});
    C.Brush->SetColor(clBlue);
    C.Pen->SetColor(clBlue);
    C.Rectangle(5000, 4000, 10000, 8000);
  });
  TMetafile& M = *MOwner;
  TMetafile Loaded;
  Loaded.LoadFromBytes(M.SaveToBytes());
  EXPECT_EQ(Loaded.GetWidth(), 10000);
  for (const TMetafile* P : {&M, &Loaded}) {
    auto BOwner = White(100, 80);
    TBitmap& B = *BOwner;
    B.GetCanvas()->StretchDraw(TRect{0, 0, 100, 80}, P);
    EXPECT_EQ(B.GetPixelColor(10, 10), clRed);
    EXPECT_EQ(B.GetPixelColor(90, 70), clBlue);
    EXPECT_EQ(B.GetPixelColor(40, 70), clRed);
  }
}

TEST(MetafileStretch, ARecordingOfADrawnPictureHoldsItsRecordsAndPlaysTheSame) {
  // A large picture full of shapes, drawn into another recording at its own
  // size and stretched: the outer recording holds the shapes as records (no
  // bitmap of the picture) and plays back to the picture drawn directly.
  auto Shapes = [](TCanvas& C) {
    C.Brush->SetColor(clWhite);
    C.FillRect(TRect{0, 0, 2000, 1500});
    for (int i = 0; i < 40; ++i) {
      C.Brush->SetColor(i % 2 ? clRed : clAqua);
      C.Rectangle(i * 45, i * 30, i * 45 + 200, i * 30 + 150);
    }
  };
  auto InnerOwner = Record(2000, 1500, Shapes);
  TMetafile& Inner = *InnerOwner;
  TMetafile InnerLoaded;
  InnerLoaded.LoadFromBytes(Inner.SaveToBytes());
  const size_t InnerSize = Inner.SaveToBytes().size();
  struct TCase {
    const TMetafile* Picture;
    TRect Target;
  };
  for (const TCase& Case : {TCase{&Inner, TRect{0, 0, 2000, 1500}}, TCase{&InnerLoaded, TRect{0, 0, 2000, 1500}},
                            TCase{&Inner, TRect{0, 0, 400, 300}}, TCase{&InnerLoaded, TRect{0, 0, 400, 300}}}) {
    const int32_t W = Case.Target.Right, H = Case.Target.Bottom;
    auto OuterOwner = Record(W, H, [&](TCanvas& C) { C.StretchDraw(Case.Target, Case.Picture); });
    TMetafile& Outer = *OuterOwner;
    const std::vector<uint8_t> Bytes = Outer.SaveToBytes();
    EXPECT_LT(Bytes.size(), InnerSize * 2 + 4096) << W;
    for (const Emf::TRecord& R : Emf::SplitRecords(Bytes))
      EXPECT_NE(R.Type, Emf::EMR_STRETCHDIBITS) << "the picture went in as a bitmap at " << W;
    auto DirectOwner = White(W, H);
    TBitmap& Direct = *DirectOwner;
    Direct.GetCanvas()->StretchDraw(Case.Target, Case.Picture);
    TMetafile OuterLoaded;
    OuterLoaded.LoadFromBytes(Bytes);
    auto PlayedOwner = White(W, H);
    TBitmap& Played = *PlayedOwner;
    Played.GetCanvas()->StretchDraw(Case.Target, &OuterLoaded);
    EXPECT_EQ(DifferentAwayFromEdges(Direct, Played), 0) << W;
    EXPECT_EQ(DifferentAwayFromEdges(Played, Direct), 0) << W;
  }
}

// Builds metafile bytes record by record.
struct TEmfBuilder {
  std::vector<uint8_t> Bytes;
  void Put(uint32_t V) {
    for (int i = 0; i < 4; ++i) Bytes.push_back(static_cast<uint8_t>(V >> (8 * i)));
  }
  void Add(uint32_t Type, std::initializer_list<int32_t> Fields) {
    Put(Type);
    Put(static_cast<uint32_t>(8 + 4 * Fields.size()));
    for (int32_t F : Fields) Put(static_cast<uint32_t>(F));
  }
  // A 100x100 picture: bounds, frame, signature, version, sizes, reference device.
  TEmfBuilder() {
    Add(Emf::EMR_HEADER, {0, 0, 99, 99, 0, 0, 2645, 2645, int32_t(Emf::Signature), 0x10000, 0, 0, 0, 0, 0, 0,
                          1000, 1000, 264, 264});
  }
  std::vector<uint8_t> Done() {
    Add(Emf::EMR_EOF, {0, 16, 20});
    return Bytes;
  }
};

TEST(MetafileStretch, ThePicturesOwnMappingComposesWithTheStretch) {
  // Logical units of a tenth of a pixel inside a save/restore pair, then
  // plain pixels again; the whole picture drawn at twice its size.
  TEmfBuilder E;
  E.Add(Emf::EMR_CREATEBRUSHINDIRECT, {1, 0, int32_t(clRed), 0});
  E.Add(Emf::EMR_CREATEBRUSHINDIRECT, {2, 0, int32_t(clBlue), 0});
  E.Add(Emf::EMR_SELECTOBJECT, {int32_t(0x80000008u)});  // no pen
  E.Add(Emf::EMR_SELECTOBJECT, {1});
  E.Add(33, {});                                 // save
  E.Add(17, {8});                                // anisotropic
  E.Add(9, {1000, 1000});                        // window extent
  E.Add(11, {100, 100});                         // viewport extent
  E.Add(10, {-200, 0});                          // window origin
  E.Add(43, {-200, 0, 300, 500});                // rectangle: pixels 0..50 of the picture
  E.Add(34, {-1});                               // restore: plain pixels
  E.Add(Emf::EMR_SELECTOBJECT, {2});
  E.Add(43, {80, 80, 91, 91});
  E.Add(34, {5});                                // a level the picture never saved: ignored
  TMetafile M;
  M.LoadFromBytes(E.Done());
  auto BOwner = White(200, 200);
  TBitmap& B = *BOwner;
  B.GetCanvas()->StretchDraw(TRect{0, 0, 200, 200}, &M);
  struct TProbe {
    int X, Y;
    TColor Want;
  };
  for (const TProbe& P : {TProbe{2, 2, clRed}, TProbe{97, 97, clRed}, TProbe{103, 103, clWhite},
                          TProbe{150, 50, clWhite}, TProbe{170, 170, clBlue}, TProbe{155, 155, clWhite}})
    EXPECT_EQ(B.GetPixelColor(P.X, P.Y), P.Want) << P.X << "," << P.Y;
  EXPECT_EQ(B.GetCanvas()->GetHandle()->GetMapMode(), MM_TEXT);
}

TEST(MetafileStretch, BoundsBeyondAnyPictureSizeLoadAsAnEmptyFrame) {
  TEmfBuilder E;
  // Bounds from the lowest to the highest 32-bit coordinate.
  for (int i = 0; i < 4; ++i) E.Bytes[8 + i] = i == 3 ? 0x80 : 0;
  for (int i = 0; i < 4; ++i) E.Bytes[16 + i] = i == 3 ? 0x7F : 0xFF;
  E.Add(43, {0, 0, 50, 50});
  TMetafile M;
  M.LoadFromBytes(E.Done());
  EXPECT_EQ(M.GetWidth(), 0);
  auto BOwner = White(50, 50);
  EXPECT_NO_THROW(BOwner->GetCanvas()->StretchDraw(TRect{0, 0, 50, 50}, &M));
  EXPECT_EQ(BOwner->GetPixelColor(10, 10), clWhite);
}

}  // namespace

}  // namespace MetafileStretchTest
