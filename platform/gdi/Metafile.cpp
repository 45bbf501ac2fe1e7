// Enhanced-metafile recording: every primitive the device context hands its
// backend becomes EMF records (objects are created, selected and deleted as
// the state changes), and the finished bytes carry a header and an EOF record.
#include "platform/gdi/Metafile.h"
#include "platform/gdi/ImageFiles.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <numeric>

#include "platform/rtl/SysUtils.h"
#include "platform/gdi/Pixels.h"

namespace {

// Little-endian record builder.
struct TRec {
  std::vector<uint8_t> B;
  explicit TRec(uint32_t Type) {
    U32(Type);
    U32(0);  // size, set by Done
  }
  void U8(uint8_t V) { B.push_back(V); }
  void U16(uint16_t V) {
    U8(static_cast<uint8_t>(V));
    U8(static_cast<uint8_t>(V >> 8));
  }
  void U32(uint32_t V) {
    for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(V >> (8 * i)));
  }
  void I32(int32_t V) { U32(static_cast<uint32_t>(V)); }
  void F32(float V) {
    uint32_t U;
    std::memcpy(&U, &V, 4);
    U32(U);
  }
  void Rect(const TRect& R) {
    I32(R.Left);
    I32(R.Top);
    I32(R.Right);
    I32(R.Bottom);
  }
  void Pad4() {
    while (B.size() % 4) U8(0);
  }
  size_t Size() const { return B.size(); }
  void Put32At(size_t Offset, uint32_t V) {
    for (int i = 0; i < 4; ++i) B[Offset + i] = static_cast<uint8_t>(V >> (8 * i));
  }
  std::vector<uint8_t> Done() {
    Pad4();
    Put32At(4, static_cast<uint32_t>(B.size()));
    return std::move(B);
  }
};

// UTF-8 to UTF-16 (invalid bytes become U+FFFD).
std::u16string Utf16Of(const std::string& S) {
  std::u16string Out;
  for (size_t i = 0; i < S.size();) {
    const uint8_t C = static_cast<uint8_t>(S[i]);
    const int Len = C < 0x80 ? 1 : (C >> 5) == 6 ? 2 : (C >> 4) == 14 ? 3 : (C >> 3) == 30 ? 4 : 0;
    if (Len == 0 || i + Len > S.size()) {
      Out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    uint32_t Code = Len == 1 ? C : C & (0x7F >> Len);
    for (int k = 1; k < Len; ++k) Code = (Code << 6) | (static_cast<uint8_t>(S[i + k]) & 0x3F);
    if (Code >= 0x10000) {
      Code -= 0x10000;
      Out.push_back(static_cast<char16_t>(0xD800 + (Code >> 10)));
      Out.push_back(static_cast<char16_t>(0xDC00 + (Code & 0x3FF)));
    } else {
      Out.push_back(static_cast<char16_t>(Code));
    }
    i += static_cast<size_t>(Len);
  }
  return Out;
}

uint32_t ColorRef(TColor C) { return static_cast<uint32_t>(C) & 0x00FFFFFF; }

int32_t ToInt(double V) { return Pixels::Round(V); }

// Inclusive bounds of points, as EMF records carry them.
TRect BoundsOf(const std::vector<TPoint>& Points) {
  if (Points.empty()) return {0, 0, -1, -1};
  TRect R{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
  for (const TPoint& P : Points) {
    R.Left = std::min(R.Left, P.X);
    R.Top = std::min(R.Top, P.Y);
    R.Right = std::max(R.Right, P.X);
    R.Bottom = std::max(R.Bottom, P.Y);
  }
  return R;
}

constexpr uint32_t StockObject(uint32_t Index) { return 0x80000000u | Index; }
constexpr uint32_t NULL_BRUSH_STOCK = 5;
constexpr uint32_t NULL_PEN_STOCK = 8;
constexpr uint32_t SYSTEM_FONT_STOCK = 13;
constexpr uint32_t PenSlot = 1, BrushSlot = 2, FontSlot = 3, HandleCount = 4;

// Source rectangles of more pixels than this are not recorded: their 32-bit rows
// would not fit a record (damaged records can ask for 32767 x 32767 pixels).
constexpr int64_t MaxDibPixels = int64_t(1) << 26;

bool DibTooLarge(const TRect& SR) {
  return int64_t(SR.Right) - SR.Left > MaxDibPixels || int64_t(SR.Bottom) - SR.Top > MaxDibPixels ||
         (int64_t(SR.Right) - SR.Left) * (int64_t(SR.Bottom) - SR.Top) > MaxDibPixels;
}

// A BITMAPINFOHEADER and 32-bit bottom-up rows of the source rectangle.
void AppendDib(TRec& R, const TBitmap& Source, const TRect& SR, size_t& OffBmi, size_t& OffBits, size_t& BitsSize) {
  const int32_t W = std::max(0, SR.Right - SR.Left), H = std::max(0, SR.Bottom - SR.Top);
  OffBmi = R.Size();
  R.U32(40);
  R.I32(W);
  R.I32(H);
  R.U16(1);
  R.U16(32);
  R.U32(0);  // BI_RGB
  R.U32(static_cast<uint32_t>(int64_t(W) * H * 4));
  R.I32(3780);
  R.I32(3780);
  R.U32(0);
  R.U32(0);
  OffBits = R.Size();
  const bool HasAlpha = Source.GetPixelFormat() == pf32bit;
  for (int32_t Y = H - 1; Y >= 0; --Y) {
    const int32_t SY = SR.Top + Y;
    for (int32_t X = 0; X < W; ++X) {
      const int32_t SX = SR.Left + X;
      const TColor C = Source.GetPixelColor(SX, SY);
      const uint32_t Rgb = C == clNone ? 0xFFFFFF : ColorRef(C);
      uint8_t A = 255;
      if (HasAlpha && SX >= 0 && SY >= 0 && SX < Source.GetWidth() && SY < Source.GetHeight())
        A = Source.ScanLine(SY)[SX * 4 + 3];
      R.U8(static_cast<uint8_t>(Rgb >> 16));
      R.U8(static_cast<uint8_t>(Rgb >> 8));
      R.U8(static_cast<uint8_t>(Rgb));
      R.U8(A);
    }
  }
  BitsSize = R.Size() - OffBits;
}

}  // namespace

// ---- record splitting ---------------------------------------------------------

std::vector<Emf::TRecord> Emf::SplitRecords(const std::vector<uint8_t>& Data) {
  auto Get32 = [&](size_t At) {
    uint32_t V = 0;
    for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(Data[At + i]) << (8 * i);
    return V;
  };
  std::vector<TRecord> Records;
  size_t At = 0;
  while (At + 8 <= Data.size()) {
    const uint32_t Type = Get32(At), Size = Get32(At + 4);
    if (Size < 8 || Size % 4 || At + Size > Data.size()) throw Exception("Invalid metafile");
    Records.push_back({Type, std::vector<uint8_t>(Data.begin() + At, Data.begin() + At + Size)});
    At += Size;
    if (Type == EMR_EOF) break;
  }
  if (Records.empty() || Records.front().Type != EMR_HEADER || Records.front().Bytes.size() < 88 ||
      Get32(40) != Signature || Records.back().Type != EMR_EOF)
    throw Exception("Invalid metafile");
  return Records;
}

// ---- the recorder ---------------------------------------------------------------

struct TMetafileBackend::TSelected {
  bool PenValid = false, BrushValid = false, FontValid = false;
  bool NullPen = false, NullBrush = false;
  bool PenCreated = false, BrushCreated = false, FontCreated = false;
  TLogPen Pen;
  double PenScale = 1;
  TLogBrush Brush;
  TLogFont Font;
  uint32_t TextColor = CLR_INVALID, BkColor = CLR_INVALID;
  int BkMode = -1, Rop2 = -1, FillMode = -1;
  uint64_t ClipSerial = std::numeric_limits<uint64_t>::max();
  bool HasClip = false;
};

TMetafileBackend::TMetafileBackend(int32_t Width, int32_t Height)
    : FWidth(std::max(1, Width)), FHeight(std::max(1, Height)), FSel(std::make_unique<TSelected>()) {
  // Text positions are the top-left of the character cell.
  EmitSetting(Emf::EMR_SETTEXTALIGN, TA_TOP | TA_LEFT);
}

TMetafileBackend::~TMetafileBackend() = default;

void TMetafileBackend::Emit(std::vector<uint8_t> Record) {
  if (FFinished) return;
  FRecords.insert(FRecords.end(), Record.begin(), Record.end());
  ++FRecordCount;
}

void TMetafileBackend::EmitSetting(uint32_t Type, uint32_t Value) {
  TRec R(Type);
  R.U32(Value);
  Emit(R.Done());
}

void TMetafileBackend::SelectPen(const TLogPen& Pen, double PenScale) {
  TSelected& S = *FSel;
  if (S.PenValid && !S.NullPen && S.Pen == Pen && S.PenScale == PenScale) return;
  if (S.PenCreated) {
    EmitSetting(Emf::EMR_SELECTOBJECT, StockObject(NULL_PEN_STOCK));
    EmitSetting(Emf::EMR_DELETEOBJECT, PenSlot);
  }
  const uint32_t Style = Pen.Style;
  if ((Style & PS_TYPE_MASK) == PS_GEOMETRIC || !Pen.Dashes.empty()) {
    TRec R(Emf::EMR_EXTCREATEPEN);
    R.U32(PenSlot);
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.U32(0);  // no pattern bitmap
    R.U32(Style);
    R.U32(static_cast<uint32_t>(std::max(1, ToInt(Pen.Width * PenScale))));
    R.U32(BS_SOLID);
    R.U32(ColorRef(Pen.Color));
    R.U32(0);
    R.U32(static_cast<uint32_t>(Pen.Dashes.size()));
    for (uint32_t D : Pen.Dashes) R.U32(D);
    Emit(R.Done());
  } else {
    TRec R(Emf::EMR_CREATEPEN);
    R.U32(PenSlot);
    R.U32(Style & PS_STYLE_MASK);
    R.I32(Pen.Width);
    R.I32(0);
    R.U32(ColorRef(Pen.Color));
    Emit(R.Done());
  }
  EmitSetting(Emf::EMR_SELECTOBJECT, PenSlot);
  S.PenValid = S.PenCreated = true;
  S.NullPen = false;
  S.Pen = Pen;
  S.PenScale = PenScale;
}

void TMetafileBackend::SelectNullPen() {
  if (FSel->NullPen) return;
  EmitSetting(Emf::EMR_SELECTOBJECT, StockObject(NULL_PEN_STOCK));
  FSel->NullPen = true;
  FSel->PenValid = false;
}

void TMetafileBackend::SelectBrush(const TLogBrush& Brush) {
  TSelected& S = *FSel;
  if (S.BrushValid && !S.NullBrush && S.Brush == Brush) return;
  if (Brush.Style == BS_NULL) {
    SelectNullBrush();
    return;
  }
  if (S.BrushCreated) {
    EmitSetting(Emf::EMR_SELECTOBJECT, StockObject(NULL_BRUSH_STOCK));
    EmitSetting(Emf::EMR_DELETEOBJECT, BrushSlot);
  }
  if (Brush.Style == BS_PATTERN && Brush.Pattern && Brush.Pattern->Width > 0 && Brush.Pattern->Height > 0) {
    const TBrushPattern& P = *Brush.Pattern;
    TBitmap Pattern(P.Width, P.Height);
    for (int32_t Y = 0; Y < P.Height; ++Y)
      for (int32_t X = 0; X < P.Width; ++X) {
        const uint32_t V = P.Pixels[static_cast<size_t>(Y * P.Width + X)];
        TColor C = static_cast<TColor>(((V >> 16) & 0xFF) | (V & 0xFF00) | ((V & 0xFF) << 16));
        if (P.Monochrome) C = V ? clWhite : clBlack;
        Pattern.GetCanvas()->SetPixel(X, Y, C);
      }
    TRec R(Emf::EMR_CREATEDIBPATTERNBRUSHPT);
    R.U32(BrushSlot);
    R.U32(0);  // DIB_RGB_COLORS
    const size_t Fields = R.Size();
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.U32(0);
    size_t OffBmi, OffBits, BitsSize;
    AppendDib(R, Pattern, TRect{0, 0, P.Width, P.Height}, OffBmi, OffBits, BitsSize);
    R.Put32At(Fields, static_cast<uint32_t>(OffBmi));
    R.Put32At(Fields + 4, 40);
    R.Put32At(Fields + 8, static_cast<uint32_t>(OffBits));
    R.Put32At(Fields + 12, static_cast<uint32_t>(BitsSize));
    Emit(R.Done());
  } else {
    TRec R(Emf::EMR_CREATEBRUSHINDIRECT);
    R.U32(BrushSlot);
    R.U32(Brush.Style == BS_HATCHED ? BS_HATCHED : BS_SOLID);
    R.U32(ColorRef(Brush.Color));
    R.U32(static_cast<uint32_t>(Brush.Hatch));
    Emit(R.Done());
  }
  EmitSetting(Emf::EMR_SELECTOBJECT, BrushSlot);
  S.BrushValid = S.BrushCreated = true;
  S.NullBrush = false;
  S.Brush = Brush;
}

void TMetafileBackend::SelectNullBrush() {
  if (FSel->NullBrush) return;
  EmitSetting(Emf::EMR_SELECTOBJECT, StockObject(NULL_BRUSH_STOCK));
  FSel->NullBrush = true;
  FSel->BrushValid = false;
}

void TMetafileBackend::SelectFont(const TLogFont& Font) {
  TSelected& S = *FSel;
  if (S.FontValid && S.Font == Font) return;
  if (S.FontCreated) {
    EmitSetting(Emf::EMR_SELECTOBJECT, StockObject(SYSTEM_FONT_STOCK));
    EmitSetting(Emf::EMR_DELETEOBJECT, FontSlot);
  }
  TRec R(Emf::EMR_EXTCREATEFONTINDIRECTW);
  R.U32(FontSlot);
  R.I32(Font.Height);
  R.I32(Font.Width);
  R.I32(Font.Escapement);
  R.I32(Font.Orientation);
  R.I32(Font.Weight);
  R.U8(Font.Italic);
  R.U8(Font.Underline);
  R.U8(Font.StrikeOut);
  R.U8(Font.CharSet);
  R.U8(0);  // out precision
  R.U8(0);  // clip precision
  R.U8(Font.Quality);
  R.U8(0);  // pitch and family
  const std::u16string Face = Utf16Of(Font.FaceName).substr(0, 31);
  for (size_t i = 0; i < 32; ++i) R.U16(i < Face.size() ? static_cast<uint16_t>(Face[i]) : 0);
  Emit(R.Done());
  EmitSetting(Emf::EMR_SELECTOBJECT, FontSlot);
  S.FontValid = S.FontCreated = true;
  S.Font = Font;
}

void TMetafileBackend::SyncClip(const TDCState& St) {
  TSelected& S = *FSel;
  if (St.HasClip == S.HasClip && (!St.HasClip || St.ClipSerial == S.ClipSerial)) return;
  TRec R(Emf::EMR_EXTSELECTCLIPRGN);
  if (!St.HasClip) {
    R.U32(0);
    R.U32(static_cast<uint32_t>(RGN_COPY));
  } else {
    const std::vector<TRect> Rects = St.Clip.Rects();
    R.U32(static_cast<uint32_t>(32 + 16 * Rects.size()));
    R.U32(static_cast<uint32_t>(RGN_COPY));
    R.U32(32);
    R.U32(1);  // RDH_RECTANGLES
    R.U32(static_cast<uint32_t>(Rects.size()));
    R.U32(static_cast<uint32_t>(16 * Rects.size()));
    R.Rect(St.Clip.GetRgnBox());
    for (const TRect& C : Rects) R.Rect(C);
  }
  Emit(R.Done());
  S.HasClip = St.HasClip;
  S.ClipSerial = St.ClipSerial;
}

void TMetafileBackend::SyncState(const TDCState& St, bool UsePen, bool UseBrush, bool UseFont) {
  SyncClip(St);
  TSelected& S = *FSel;
  if (S.Rop2 != St.Rop2) {
    EmitSetting(Emf::EMR_SETROP2, static_cast<uint32_t>(St.Rop2));
    S.Rop2 = St.Rop2;
  }
  if (S.BkMode != St.BkMode) {
    EmitSetting(Emf::EMR_SETBKMODE, static_cast<uint32_t>(St.BkMode));
    S.BkMode = St.BkMode;
  }
  if (S.BkColor != ColorRef(St.BkColor)) {
    S.BkColor = ColorRef(St.BkColor);
    EmitSetting(Emf::EMR_SETBKCOLOR, S.BkColor);
  }
  if (UseFont) {
    if (S.TextColor != ColorRef(St.TextColor)) {
      S.TextColor = ColorRef(St.TextColor);
      EmitSetting(Emf::EMR_SETTEXTCOLOR, S.TextColor);
    }
    SelectFont(St.Font);
  }
  if (UsePen) {
    if ((St.Pen.Style & PS_STYLE_MASK) == PS_NULL)
      SelectNullPen();
    else
      SelectPen(St.Pen, St.PenScale);
  } else {
    SelectNullPen();
  }
  if (UseBrush)
    SelectBrush(St.Brush);
  else
    SelectNullBrush();
}

void TMetafileBackend::EmitPolyline(const std::vector<TPoint>& Points) {
  TRec R(Emf::EMR_POLYLINE);
  R.Rect(BoundsOf(Points));
  R.U32(static_cast<uint32_t>(Points.size()));
  for (const TPoint& P : Points) {
    R.I32(P.X);
    R.I32(P.Y);
  }
  Emit(R.Done());
}

void TMetafileBackend::EmitPolygon(const std::vector<std::vector<TPoint>>& Polys) {
  std::vector<TPoint> All;
  for (const auto& P : Polys) All.insert(All.end(), P.begin(), P.end());
  TRec R(Emf::EMR_POLYPOLYGON);
  R.Rect(BoundsOf(All));
  R.U32(static_cast<uint32_t>(Polys.size()));
  R.U32(static_cast<uint32_t>(All.size()));
  for (const auto& P : Polys) R.U32(static_cast<uint32_t>(P.size()));
  for (const TPoint& P : All) {
    R.I32(P.X);
    R.I32(P.Y);
  }
  Emit(R.Done());
}

void TMetafileBackend::StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast,
                                      const TDCState& S) {
  if (FFinished || Points.size() < 2) return;
  FReplay.push_back([=](TDCBackend& T) { T.StrokePolyline(Points, Closed, SkipLast, S); });
  SyncState(S, true, false, false);
  std::vector<TPoint> Line = Points;
  if (Closed) Line.push_back(Points.front());
  EmitPolyline(Line);
}

void TMetafileBackend::FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode,
                                    const TDCState& S) {
  if (FFinished || Figures.empty()) return;
  FReplay.push_back([=](TDCBackend& T) { T.FillPolygons(Figures, FillMode, S); });
  SyncState(S, false, true, false);
  if (FSel->FillMode != FillMode) {
    EmitSetting(Emf::EMR_SETPOLYFILLMODE, static_cast<uint32_t>(FillMode));
    FSel->FillMode = FillMode;
  }
  std::vector<std::vector<TPoint>> Polys;
  for (const auto& F : Figures) {
    if (F.size() < 3) continue;
    std::vector<TPoint> P;
    for (const TPointF& Q : F) P.push_back({ToInt(Q.X), ToInt(Q.Y)});
    Polys.push_back(std::move(P));
  }
  if (!Polys.empty()) EmitPolygon(Polys);
}

void TMetafileBackend::StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) {
  if (FFinished || Figures.empty()) return;
  FReplay.push_back([=](TDCBackend& T) { T.StrokeFigures(Figures, S); });
  SyncState(S, true, false, false);
  for (const TPathFigure& F : Figures) {
    std::vector<TPoint> P;
    for (const TPointF& Q : F.Points) P.push_back({ToInt(Q.X), ToInt(Q.Y)});
    if (F.Closed && !P.empty()) P.push_back(P.front());
    if (P.size() >= 2) EmitPolyline(P);
  }
}

void TMetafileBackend::PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) {
  if (FFinished || R.Right <= R.Left || R.Bottom <= R.Top) return;
  FReplay.push_back([=](TDCBackend& T) { T.PatBlt(R, Brush, Rop, S); });
  TDCState Fill = S;
  Fill.Brush = Brush;
  if (Rop == BLACKNESS || Rop == WHITENESS) {
    Fill.Brush = TLogBrush();
    Fill.Brush.Color = Rop == BLACKNESS ? clBlack : clWhite;
  }
  // The pattern raster operations that keep the pattern map onto mix modes.
  if (Rop == PATINVERT) Fill.Rop2 = R2_XORPEN;
  else if (Rop == DSTINVERT) Fill.Rop2 = R2_NOT;
  else Fill.Rop2 = R2_COPYPEN;
  SyncState(Fill, false, true, false);
  // A polygon without a pen covers exactly the box without its right and bottom edge.
  EmitPolygon({{{R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}}});
}

void TMetafileBackend::FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) {
  TLogBrush Solid;
  Solid.Color = Color;
  PatBlt(R, Solid, PATCOPY, S);
}

void TMetafileBackend::SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) {
  if (FFinished) return;
  FReplay.push_back([=](TDCBackend& T) { T.SetPixel(X, Y, Color, S); });
  SyncClip(S);
  TRec R(Emf::EMR_SETPIXELV);
  R.I32(X);
  R.I32(Y);
  R.U32(ColorRef(Color));
  Emit(R.Done());
}

uint32_t TMetafileBackend::GetPixel(int32_t, int32_t) const { return CLR_INVALID; }

void TMetafileBackend::DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                                const TDCState& S) {
  if (FFinished || Text.empty()) return;
  std::vector<int32_t> Advances = Dx ? *Dx : std::vector<int32_t>();
  FReplay.push_back([=](TDCBackend& T) { T.DrawText(X, Y, Text, Advances.empty() ? nullptr : &Advances, S); });
  SyncState(S, false, false, true);
  const int32_t RX = ToInt(X), RY = ToInt(Y);
  const int32_t H = std::abs(S.Font.Height) + 2;
  const TRect Box{RX, RY, RX + H * static_cast<int32_t>(Text.size()), RY + H};
  TRec R(Emf::EMR_EXTTEXTOUTW);
  R.Rect(Box);
  R.U32(1);  // GM_COMPATIBLE
  R.F32(0);
  R.F32(0);
  // EMRTEXT
  R.I32(RX);
  R.I32(RY);
  R.U32(static_cast<uint32_t>(Text.size()));
  const size_t OffStringAt = R.Size();
  R.U32(0);
  R.U32(0);  // options
  R.Rect(TRect{0, 0, -1, -1});
  const size_t OffDxAt = R.Size();
  R.U32(0);
  R.Put32At(OffStringAt, static_cast<uint32_t>(R.Size()));
  for (char16_t C : Text) R.U16(static_cast<uint16_t>(C));
  R.Pad4();
  if (Advances.size() >= Text.size()) {
    R.Put32At(OffDxAt, static_cast<uint32_t>(R.Size()));
    for (size_t i = 0; i < Text.size(); ++i) R.I32(Advances[i]);
  }
  Emit(R.Done());
}

void TMetafileBackend::EmitDib(uint32_t Type, const TRect& Dest, const TBitmap& Source, const TRect& SourceRect,
                               uint32_t Rop, const TBlendFunction* Blend) {
  const int32_t DW = Dest.Right - Dest.Left, DH = Dest.Bottom - Dest.Top;
  const int32_t SW = SourceRect.Right - SourceRect.Left, SH = SourceRect.Bottom - SourceRect.Top;
  TRec R(Type);
  R.Rect(TRect{Dest.Left, Dest.Top, Dest.Right - 1, Dest.Bottom - 1});
  size_t Fields;
  if (Type == Emf::EMR_STRETCHDIBITS) {
    R.I32(Dest.Left);
    R.I32(Dest.Top);
    R.I32(0);
    R.I32(0);
    R.I32(SW);
    R.I32(SH);
    Fields = R.Size();
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.U32(0);  // DIB_RGB_COLORS
    R.U32(Rop);
    R.I32(DW);
    R.I32(DH);
  } else {
    R.I32(Dest.Left);
    R.I32(Dest.Top);
    R.I32(DW);
    R.I32(DH);
    R.U8(Blend->BlendOp);
    R.U8(Blend->BlendFlags);
    R.U8(Blend->SourceConstantAlpha);
    R.U8(Blend->AlphaFormat);
    R.I32(0);
    R.I32(0);
    for (float F : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) R.F32(F);
    R.U32(0);  // background colour
    R.U32(0);  // DIB_RGB_COLORS
    Fields = R.Size();
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.U32(0);
    R.I32(SW);
    R.I32(SH);
  }
  size_t OffBmi, OffBits, BitsSize;
  AppendDib(R, Source, SourceRect, OffBmi, OffBits, BitsSize);
  R.Put32At(Fields, static_cast<uint32_t>(OffBmi));
  R.Put32At(Fields + 4, 40);
  R.Put32At(Fields + 8, static_cast<uint32_t>(OffBits));
  R.Put32At(Fields + 12, static_cast<uint32_t>(BitsSize));
  Emit(R.Done());
}

namespace {
// A copy of the source pixels that the replay keeps alive.
std::shared_ptr<TBitmap> CopyOf(const TBitmap& Source) {
  auto Copy = std::make_shared<TBitmap>();
  Copy->Assign(Source);
  return Copy;
}
}  // namespace

bool TMetafileBackend::BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
                              const TDCState& S) {
  if (FFinished || DibTooLarge(SourceRect) || Dest.Right <= Dest.Left || Dest.Bottom <= Dest.Top ||
      SourceRect.Right <= SourceRect.Left || SourceRect.Bottom <= SourceRect.Top)
    return false;
  auto Copy = CopyOf(Source);
  FReplay.push_back([=](TDCBackend& T) { T.BitBlt(Dest, *Copy, SourceRect, Rop, S); });
  SyncClip(S);
  EmitDib(Emf::EMR_STRETCHDIBITS, Dest, Source, SourceRect, Rop, nullptr);
  return true;
}

bool TMetafileBackend::AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect,
                                  TBlendFunction Blend, const TDCState& S) {
  if (FFinished || DibTooLarge(SourceRect) || Dest.Right <= Dest.Left || Dest.Bottom <= Dest.Top ||
      SourceRect.Right <= SourceRect.Left || SourceRect.Bottom <= SourceRect.Top)
    return false;
  auto Copy = CopyOf(Source);
  FReplay.push_back([=](TDCBackend& T) { T.AlphaBlend(Dest, *Copy, SourceRect, Blend, S); });
  SyncClip(S);
  EmitDib(Emf::EMR_ALPHABLEND, Dest, Source, SourceRect, 0, &Blend);
  return true;
}

bool TMetafileBackend::FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) {
  if (FFinished) return false;
  FReplay.push_back([=](TDCBackend& T) { T.FloodFill(X, Y, Color, Type, S); });
  SyncState(S, false, true, false);
  TRec R(Emf::EMR_EXTFLOODFILL);
  R.I32(X);
  R.I32(Y);
  R.U32(ColorRef(Color));
  R.U32(static_cast<uint32_t>(Type));
  Emit(R.Done());
  return true;
}

int TMetafileBackend::DeviceCaps(int Index) const {
  switch (Index) {
    case HORZRES: return FWidth;
    case VERTRES: return FHeight;
    case HORZSIZE: return std::max(1, static_cast<int>(std::lround(FWidth * 25.4 / 96)));
    case VERTSIZE: return std::max(1, static_cast<int>(std::lround(FHeight * 25.4 / 96)));
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
  }
}

std::vector<uint8_t> TMetafileBackend::Finish() {
  if (!FFinished) {
    TRec Eof(Emf::EMR_EOF);
    Eof.U32(0);   // palette entries
    Eof.U32(16);  // their offset
    Eof.U32(20);  // size of this record
    Emit(Eof.Done());
    FFinished = true;
  }
  // Reference device: 96 pixels per inch.
  const int32_t MmW = std::max(1, static_cast<int32_t>(std::lround(FWidth * 25.4 / 96)));
  const int32_t MmH = std::max(1, static_cast<int32_t>(std::lround(FHeight * 25.4 / 96)));
  TRec H(Emf::EMR_HEADER);
  H.Rect(TRect{0, 0, FWidth - 1, FHeight - 1});
  H.Rect(TRect{0, 0, static_cast<int32_t>(std::lround(FWidth * 2540.0 / 96)) - 1,
               static_cast<int32_t>(std::lround(FHeight * 2540.0 / 96)) - 1});
  H.U32(Emf::Signature);
  H.U32(0x10000);
  const size_t BytesAt = H.Size();
  H.U32(0);
  H.U32(FRecordCount + 1);
  H.U16(HandleCount);
  H.U16(0);
  H.U32(0);  // no description
  H.U32(0);
  H.U32(0);  // no palette
  H.I32(FWidth);
  H.I32(FHeight);
  H.I32(MmW);
  H.I32(MmH);
  H.U32(0);  // no pixel format
  H.U32(0);
  H.U32(0);  // not OpenGL
  H.U32(static_cast<uint32_t>(MmW * 1000));
  H.U32(static_cast<uint32_t>(MmH * 1000));
  std::vector<uint8_t> Header = H.Done();
  std::vector<uint8_t> File = Header;
  File.insert(File.end(), FRecords.begin(), FRecords.end());
  const uint32_t Total = static_cast<uint32_t>(File.size());
  for (int i = 0; i < 4; ++i) File[BytesAt + i] = static_cast<uint8_t>(Total >> (8 * i));
  return File;
}

namespace {

// Clip serials handed out by the shifting backend; kept apart from the ones
// device contexts hand out so a backend's clip cache never mixes them up.
std::atomic<uint64_t> gShiftedClipSerial{uint64_t(1) << 62};

// Draws the recorded calls of a picture onto another surface, moved by an
// offset and kept within a clip (device units of that surface).
class TShiftedBackend : public TDCBackend {
public:
  TShiftedBackend(TDCBackend& Target, int32_t DX, int32_t DY, const TRegion* Clip)
      : FT(Target), FDX(DX), FDY(DY), FHasBase(Clip != nullptr) {
    if (Clip) FBase = *Clip;
  }
  int32_t Width() const override { return FT.Width(); }
  int32_t Height() const override { return FT.Height(); }
  int BitsPerPixel() const override { return FT.BitsPerPixel(); }
  void StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast, const TDCState& S) override {
    FT.StrokePolyline(Shift(Points), Closed, SkipLast, Adjust(S));
  }
  void FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode, const TDCState& S) override {
    std::vector<std::vector<TPointF>> F = Figures;
    for (auto& Fig : F)
      for (TPointF& P : Fig) P = TPointF{P.X + FDX, P.Y + FDY};
    FT.FillPolygons(F, FillMode, Adjust(S));
  }
  void StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) override {
    std::vector<TPathFigure> F = Figures;
    for (auto& Fig : F)
      for (TPointF& P : Fig.Points) P = TPointF{P.X + FDX, P.Y + FDY};
    FT.StrokeFigures(F, Adjust(S));
  }
  void PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) override {
    FT.PatBlt(Shift(R), Brush, Rop, Adjust(S));
  }
  void SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) override {
    FT.SetPixel(X + FDX, Y + FDY, Color, Adjust(S));
  }
  uint32_t GetPixel(int32_t X, int32_t Y) const override { return FT.GetPixel(X + FDX, Y + FDY); }
  void DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                const TDCState& S) override {
    FT.DrawText(X + FDX, Y + FDY, Text, Dx, Adjust(S));
  }
  void FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) override {
    FT.FillRectWithColor(Shift(R), Color, Adjust(S));
  }
  bool BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
              const TDCState& S) override {
    return FT.BitBlt(Shift(Dest), Source, SourceRect, Rop, Adjust(S));
  }
  bool AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TBlendFunction Blend,
                  const TDCState& S) override {
    return FT.AlphaBlend(Shift(Dest), Source, SourceRect, Blend, Adjust(S));
  }
  bool FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) override {
    return FT.FloodFill(X + FDX, Y + FDY, Color, Type, Adjust(S));
  }
  int DeviceCaps(int Index) const override { return FT.DeviceCaps(Index); }

private:
  std::vector<TPoint> Shift(std::vector<TPoint> Points) const {
    for (TPoint& P : Points) P = TPoint{P.X + FDX, P.Y + FDY};
    return Points;
  }
  TRect Shift(const TRect& R) const { return TRect{R.Left + FDX, R.Top + FDY, R.Right + FDX, R.Bottom + FDY}; }
  TDCState Adjust(const TDCState& S) {
    TDCState A = S;
    A.BrushOrg = TPoint{S.BrushOrg.X + FDX, S.BrushOrg.Y + FDY};
    const uint64_t Key = S.HasClip ? S.ClipSerial : 0;
    auto [It, Added] = FSerials.try_emplace(Key, 0);
    if (Added) It->second = gShiftedClipSerial++;
    if (S.HasClip) {
      A.Clip.Offset(FDX, FDY);
      if (FHasBase) A.Clip.CombineWith(FBase, RGN_AND);
    } else if (FHasBase) {
      A.HasClip = true;
      A.Clip = FBase;
    }
    A.ClipSerial = It->second;
    return A;
  }

  TDCBackend& FT;
  int32_t FDX, FDY;
  bool FHasBase;
  TRegion FBase;
  std::map<uint64_t, uint64_t> FSerials;  // recorded clip serial -> serial on the target
};

}  // namespace

// ---- the picture ----------------------------------------------------------------

TMetafile::TMetafile() = default;
TMetafile::TMetafile(int32_t Width, int32_t Height) : FWidth(Width), FHeight(Height) {}
TMetafile::~TMetafile() = default;

void TMetafile::SetRecording(std::vector<uint8_t> Bytes, std::vector<TMetafileBackend::TReplayStep> Replay) {
  FBytes = std::move(Bytes);
  FReplay = std::make_shared<const std::vector<TMetafileBackend::TReplayStep>>(std::move(Replay));
  if (OnChange) OnChange(this);
}

void TMetafile::Draw(TCanvas& Canvas, const TRect& R) const {
  if (FBytes.empty() || FWidth <= 0 || FHeight <= 0) return;
  if (R.Right == R.Left || R.Bottom == R.Top) return;
  TDeviceContext* DC = Canvas.GetHandle();
  if (!DC) return;
  // The picture is drawn straight onto the canvas's surface, stretched from
  // its frame onto R and clipped to R: no bitmap of the picture's size is
  // ever made, and a recording canvas receives the picture as records.
  TPoint Corners[2] = {TPoint{R.Left, R.Top}, TPoint{R.Right, R.Bottom}};
  DC->LPtoDP(Corners, 2);
  const TRect Target{Corners[0].X, Corners[0].Y, Corners[1].X, Corners[1].Y};
  const int Level = DC->SaveDC();
  DC->IntersectClipRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                        std::max(R.Top, R.Bottom));
  TRegion Clip;
  const bool HasClip = DC->GetClipRgn(Clip) == 1;
  if (FReplay && Target.Right - Target.Left == FWidth && Target.Bottom - Target.Top == FHeight) {
    // A recording of this session drawn at its own size: its calls again,
    // moved to the target's corner (keeps fractional text and shape positions).
    TShiftedBackend Shifted(DC->Backend(), Target.Left, Target.Top, HasClip ? &Clip : nullptr);
    for (const auto& Step : *FReplay) Step(Shifted);
  } else {
    DC->SetMapMode(MM_TEXT);
    DC->SetWindowOrgEx(0, 0);
    DC->SetViewportOrgEx(0, 0);
    Emf::PlayInto(FBytes, *DC, Target, HasClip ? &Clip : nullptr);
  }
  DC->RestoreDC(Level);
}

void TMetafile::LoadFromBytes(const std::vector<uint8_t>& Data) {
  if (Emf::IsOldMetafileData(Data)) {
    // Old-format pictures are kept as their enhanced equivalent.
    const std::vector<uint8_t> Enhanced = Emf::FromOldMetafile(Data);
    LoadFromBytes(Enhanced);
    FEnhanced = false;
    return;
  }
  const auto Records = Emf::SplitRecords(Data);
  const auto& H = Records.front().Bytes;
  auto Get32 = [&](size_t At) {
    uint32_t V = 0;
    for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(H[At + i]) << (8 * i);
    return static_cast<int32_t>(V);
  };
  // A damaged header may claim bounds no 32-bit size holds: such a picture has no size and draws nothing.
  auto Extent = [](int64_t Low, int64_t High) {
    const int64_t E = High - Low + 1;
    return E > 0 && E <= std::numeric_limits<int32_t>::max() ? static_cast<int32_t>(E) : 0;
  };
  FWidth = Extent(Get32(8), Get32(16));
  FHeight = Extent(Get32(12), Get32(20));
  FBytes = Data;
  FReplay.reset();
  FEnhanced = true;
  if (OnChange) OnChange(this);
}

void TMetafile::LoadFromFile(const std::string& FileName) {
  LoadFromBytes(ImageFiles::ReadFileBytes(FileName));
}

void TMetafile::SaveToFile(const std::string& FileName) const {
  // The file's extension decides its format: a file named .emf always holds
  // an enhanced metafile, one named .wmf an old-format one; other names
  // follow the Enhanced flag.
  const std::string Ext = SysUtils::LowerCase(SysUtils::ExtractFileExt(FileName));
  const bool Old = Ext == ".wmf" || (Ext != ".emf" && !FEnhanced);
  const std::vector<uint8_t> Bytes = Old && !FBytes.empty() ? Emf::ToOldMetafile(FBytes) : FBytes;
  ImageFiles::WriteFileBytes(FileName, Bytes);
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
  auto Copy = std::make_unique<TMetafile>(FWidth, FHeight);
  Copy->FEnhanced = FEnhanced;
  Copy->FBytes = FBytes;
  Copy->FReplay = FReplay;
  return Copy;
}

// ---- the canvas -----------------------------------------------------------------

TMetafileCanvas::TMetafileCanvas(TMetafile& Metafile) : FMetafile(Metafile) {
  auto Backend = std::make_unique<TMetafileBackend>(Metafile.GetWidth(), Metafile.GetHeight());
  FBackend = Backend.get();
  FDevice = std::make_unique<TDeviceContext>(std::move(Backend));
  SetHandle(FDevice.get());
}

TMetafileCanvas::~TMetafileCanvas() {
  SetHandle(nullptr);
  std::vector<TMetafileBackend::TReplayStep> Replay = FBackend->ReplaySteps();
  FMetafile.SetRecording(FBackend->Finish(), std::move(Replay));
}

// ---- playing a metafile read from disk -------------------------------------------

bool Emf::IsMetafileData(const std::vector<uint8_t>& Data) {
  if (Data.size() < 88) return false;
  auto Get32 = [&](size_t At) {
    uint32_t V = 0;
    for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(Data[At + i]) << (8 * i);
    return V;
  };
  return Get32(0) == EMR_HEADER && Get32(40) == Signature;
}

namespace {

// A record's fields, read with bounds checks: reading past the record's end
// raises, which ends the playback.
struct TFields {
  const std::vector<uint8_t>& B;
  struct TOutside {};
  uint32_t U32(size_t At) const {
    if (At + 4 > B.size()) throw TOutside{};
    uint32_t V = 0;
    for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(B[At + i]) << (8 * i);
    return V;
  }
  int32_t I32(size_t At) const { return static_cast<int32_t>(U32(At)); }
  int16_t I16(size_t At) const {
    if (At + 2 > B.size()) throw TOutside{};
    return static_cast<int16_t>(B[At] | (B[At + 1] << 8));
  }
  uint8_t U8(size_t At) const {
    if (At >= B.size()) throw TOutside{};
    return B[At];
  }
  TRect Rect(size_t At) const { return TRect{I32(At), I32(At + 4), I32(At + 8), I32(At + 12)}; }
  // A sum or difference of record fields; one no int32_t holds makes the record damaged.
  static int32_t Checked(int64_t V) {
    if (V < std::numeric_limits<int32_t>::min() || V > std::numeric_limits<int32_t>::max()) throw TOutside{};
    return static_cast<int32_t>(V);
  }
  // Count points of 32-bit (or 16-bit) coordinates starting at At.
  std::vector<TPoint> Points(size_t At, uint32_t Count, bool Short) const {
    const size_t Step = Short ? 4 : 8;
    if (Count > B.size() / Step || At + Count * Step > B.size()) throw TOutside{};
    std::vector<TPoint> P(Count);
    for (uint32_t i = 0; i < Count; ++i)
      P[i] = Short ? TPoint{I16(At + i * 4), I16(At + i * 4 + 2)} : TPoint{I32(At + i * 8), I32(At + i * 8 + 4)};
    return P;
  }
  // A device-independent bitmap (header at OffBmi, pixels at OffBits) as a bitmap.
  std::unique_ptr<TBitmap> Dib(uint32_t OffBmi, uint32_t CbBmi, uint32_t OffBits, uint32_t CbBits) const {
    if (CbBmi < 40 || size_t(OffBmi) + CbBmi > B.size() || size_t(OffBits) + CbBits > B.size()) throw TOutside{};
    // The same bytes with a file header in front are a BMP file.
    std::vector<uint8_t> File = {'B', 'M'};
    auto Put = [&](uint32_t V) {
      for (int i = 0; i < 4; ++i) File.push_back(static_cast<uint8_t>(V >> (8 * i)));
    };
    Put(14 + CbBmi + CbBits);
    Put(0);
    Put(14 + CbBmi);
    File.insert(File.end(), B.begin() + OffBmi, B.begin() + OffBmi + CbBmi);
    File.insert(File.end(), B.begin() + OffBits, B.begin() + OffBits + CbBits);
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->LoadFromBytes(File);
    return Bitmap;
  }
};

std::u16string Utf16At(const TFields& F, size_t At, uint32_t Count) {
  if (Count > F.B.size() / 2 || At + size_t(Count) * 2 > F.B.size()) throw TFields::TOutside{};
  std::u16string S;
  for (uint32_t i = 0; i < Count; ++i) S.push_back(static_cast<char16_t>(F.B[At + 2 * i] | (F.B[At + 2 * i + 1] << 8)));
  return S;
}

std::string Utf8Of(const std::u16string& S) {
  std::string Out;
  for (char16_t C : S) {
    if (C == 0) break;
    if (C < 0x80) {
      Out.push_back(static_cast<char>(C));
    } else if (C < 0x800) {
      Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
      Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
    } else {
      Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
      Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
      Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
    }
  }
  return Out;
}

// The fixed map modes a recording may use (units of 0.1 mm, 0.01 mm, 0.01 in, 0.001 in, 1/1440 in).
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;

// The objects a metafile creates, by handle index.
struct TPlayer {
  TDeviceContext& DC;
  TPoint Origin;  // the picture's top-left corner in its own units
  TSize Picture;  // the picture's size in its own device units
  TRect Target;   // where the picture lands, in the device units of DC
  TSize RefPixels{1, 1}, RefMillimeters{1, 1};  // the reference device of the recording
  // The metafile's own mapping from its logical units to its device units.
  struct TMapping {
    int Mode = MM_TEXT;
    TPoint WinOrg{0, 0}, VpOrg{0, 0};
    TSize WinExt{1, 1}, VpExt{1, 1};
  };
  TMapping Map;
  std::vector<TMapping> SavedMaps;
  bool HasBaseClip = false;
  TRegion BaseClip;  // the clip the picture is drawn within (device units of DC)

  // Sets DC's mapping to the metafile's mapping followed by the stretch of
  // the picture's frame onto Target.
  void ApplyMapping() {
    TSize WE = Map.WinExt, VE = Map.VpExt;
    if (Map.Mode == MM_TEXT || WE.cx == 0 || WE.cy == 0 || VE.cx == 0 || VE.cy == 0) WE = VE = TSize{1, 1};
    const int64_t TW = Target.Right - Target.Left, TH = Target.Bottom - Target.Top;
    int64_t WX = int64_t(WE.cx) * Picture.cx, WY = int64_t(WE.cy) * Picture.cy;
    int64_t VX = int64_t(VE.cx) * TW, VY = int64_t(VE.cy) * TH;
    // Extents are 32-bit: reduce the ratios, then scale them down together if needed.
    auto Fit = [](int64_t& W, int64_t& V) {
      const int64_t G = std::gcd(W < 0 ? -W : W, V < 0 ? -V : V);
      if (G > 1) { W /= G; V /= G; }
      while (std::max(std::llabs(W), std::llabs(V)) > std::numeric_limits<int32_t>::max() / 2) {
        W /= 2;
        V /= 2;
        if (W == 0) W = 1;
        if (V == 0) V = 1;
      }
    };
    Fit(WX, VX);
    Fit(WY, VY);
    const double SX = double(TW) / Picture.cx, SY = double(TH) / Picture.cy;
    DC.SetMapMode(MM_ANISOTROPIC);
    DC.SetWindowExtEx(int32_t(WX), int32_t(WY));
    DC.SetViewportExtEx(int32_t(VX), int32_t(VY));
    DC.SetWindowOrgEx(Map.WinOrg.X, Map.WinOrg.Y);
    DC.SetViewportOrgEx(Pixels::Round(Target.Left + (double(Map.VpOrg.X) - Origin.X) * SX),
                        Pixels::Round(Target.Top + (double(Map.VpOrg.Y) - Origin.Y) * SY));
  }

  // The fixed map modes count in physical units of the recording's reference device.
  void SetMode(int Mode) {
    Map.Mode = Mode;
    const double MmX = RefMillimeters.cx, MmY = RefMillimeters.cy;
    auto Fixed = [&](double UnitsPerMm) {
      Map.WinExt = TSize{Pixels::Round(MmX * UnitsPerMm), Pixels::Round(MmY * UnitsPerMm)};
      Map.VpExt = TSize{RefPixels.cx, -RefPixels.cy};
    };
    switch (Mode) {
      case MM_LOMETRIC: Fixed(10); break;
      case MM_HIMETRIC: Fixed(100); break;
      case MM_LOENGLISH: Fixed(100 / 25.4); break;
      case MM_HIENGLISH: Fixed(1000 / 25.4); break;
      case MM_TWIPS: Fixed(1440 / 25.4); break;
      case MM_ISOTROPIC: case MM_ANISOTROPIC: break;
      default: Map.Mode = MM_TEXT; break;
    }
    ApplyMapping();
  }

  void SetExtents(const TSize* Win, const TSize* Vp) {
    if (Map.Mode != MM_ISOTROPIC && Map.Mode != MM_ANISOTROPIC) return;
    if (Win && Win->cx != 0 && Win->cy != 0) Map.WinExt = *Win;
    if (Vp && Vp->cx != 0 && Vp->cy != 0) Map.VpExt = *Vp;
    if (Map.Mode == MM_ISOTROPIC) {
      // Both axes take the smaller of the two scales.
      const double SX = double(Map.VpExt.cx) / Map.WinExt.cx, SY = double(Map.VpExt.cy) / Map.WinExt.cy;
      if (std::fabs(SX) < std::fabs(SY))
        Map.VpExt.cy = Pixels::Round(std::copysign(std::fabs(Map.WinExt.cy * SX), SY));
      else
        Map.VpExt.cx = Pixels::Round(std::copysign(std::fabs(Map.WinExt.cx * SY), SX));
    }
    ApplyMapping();
  }

  // A region of the recording's device units in DC's device units.
  TRegion ToTarget(const std::vector<TRect>& Rects) const {
    const double SX = double(Target.Right - Target.Left) / Picture.cx;
    const double SY = double(Target.Bottom - Target.Top) / Picture.cy;
    TRegion Rgn;
    for (const TRect& R : Rects) {
      // In doubles: record fields may lie anywhere in the int32_t range.
      int32_t L = Pixels::Round(Target.Left + (double(R.Left) - Origin.X) * SX);
      int32_t RR = Pixels::Round(Target.Left + (double(R.Right) - Origin.X) * SX);
      int32_t T = Pixels::Round(Target.Top + (double(R.Top) - Origin.Y) * SY);
      int32_t B = Pixels::Round(Target.Top + (double(R.Bottom) - Origin.Y) * SY);
      if (L > RR) std::swap(L, RR);
      if (T > B) std::swap(T, B);
      Rgn.CombineWith(TRegion::CreateRectRgn(L, T, RR, B), RGN_OR);
    }
    return Rgn;
  }

  // The picture never draws outside the clip it was given.
  void KeepWithinBase() {
    if (!HasBaseClip) return;
    TRegion Current;
    if (DC.GetClipRgn(Current) == 1) {
      Current.CombineWith(BaseClip, RGN_AND);
      DC.SelectClipRgn(&Current);
    } else {
      DC.SelectClipRgn(&BaseClip);
    }
  }
  struct TObjectSlot {
    int Kind = 0;  // 1 pen, 2 brush, 3 font
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
  };
  std::map<uint32_t, TObjectSlot> Objects;

  void SelectStock(uint32_t Index) {
    TLogBrush Brush;
    TLogPen Pen;
    switch (Index) {
      case 0: Brush.Color = clWhite; DC.SelectBrush(Brush); break;
      case 1: Brush.Color = 0xC0C0C0; DC.SelectBrush(Brush); break;
      case 2: Brush.Color = 0x808080; DC.SelectBrush(Brush); break;
      case 3: Brush.Color = 0x404040; DC.SelectBrush(Brush); break;
      case 4: Brush.Color = clBlack; DC.SelectBrush(Brush); break;
      case 5: Brush.Style = BS_NULL; DC.SelectBrush(Brush); break;
      case 6: Pen.Color = clWhite; DC.SelectPen(Pen); break;
      case 7: Pen.Color = clBlack; DC.SelectPen(Pen); break;
      case 8: Pen.Style = PS_NULL; DC.SelectPen(Pen); break;
      default: if (Index >= 10 && Index <= 17) DC.SelectFont(TLogFont()); break;
    }
  }

  void Select(uint32_t Handle) {
    if (Handle & 0x80000000u) {
      SelectStock(Handle & 0x7FFFFFFFu);
      return;
    }
    auto It = Objects.find(Handle);
    if (It == Objects.end()) return;
    switch (It->second.Kind) {
      case 1: DC.SelectPen(It->second.Pen); break;
      case 2: DC.SelectBrush(It->second.Brush); break;
      case 3: DC.SelectFont(It->second.Font); break;
      default: break;
    }
  }

  static TColor Color(uint32_t Ref) { return static_cast<TColor>(Ref & 0x00FFFFFF); }

  void Record(uint32_t Type, const TFields& F) {
    using namespace Emf;
    switch (Type) {
      case 2: case 3: case 4: case 5: case 6: case 85: case 86: case 87: case 88: case 89: {
        const bool Short = Type >= 85;
        const auto P = F.Points(28, F.U32(24), Short);
        const uint32_t Kind = Short ? Type - 83 : Type;
        if (Kind == 2) DC.PolyBezier(P.data(), int(P.size()));
        else if (Kind == 3) DC.Polygon(P);
        else if (Kind == 4) DC.Polyline(P);
        else if (Kind == 6) DC.PolylineTo(P.data(), int(P.size()));
        else if (!P.empty()) {
          // A Bézier continuing from the current position.
          std::vector<TPoint> Q{DC.GetCurrentPosition()};
          Q.insert(Q.end(), P.begin(), P.end());
          DC.PolyBezier(Q.data(), int(Q.size()));
          DC.MoveTo(Q.back().X, Q.back().Y);
        }
        break;
      }
      case 7: case 8: case 90: case 91: {
        const bool Short = Type >= 90;
        const uint32_t Polys = F.U32(24), Total = F.U32(28);
        if (Polys > F.B.size() / 4) throw TFields::TOutside{};
        const auto All = F.Points(32 + 4 * size_t(Polys), Total, Short);
        std::vector<std::vector<TPoint>> Figures;
        size_t At = 0;
        for (uint32_t i = 0; i < Polys; ++i) {
          const uint32_t N = F.U32(32 + 4 * size_t(i));
          if (N > All.size() - At) throw TFields::TOutside{};
          Figures.emplace_back(All.begin() + static_cast<std::ptrdiff_t>(At),
                               All.begin() + static_cast<std::ptrdiff_t>(At + N));
          At += N;
        }
        if (Type == 8 || Type == 91)
          DC.PolyPolygon(Figures);
        else
          for (const auto& Fig : Figures) DC.Polyline(Fig);
        break;
      }
      case 9: { const TSize E{F.I32(8), F.I32(12)}; SetExtents(&E, nullptr); break; }
      case 10: Map.WinOrg = TPoint{F.I32(8), F.I32(12)}; ApplyMapping(); break;
      case 11: { const TSize E{F.I32(8), F.I32(12)}; SetExtents(nullptr, &E); break; }
      case 12: Map.VpOrg = TPoint{F.I32(8), F.I32(12)}; ApplyMapping(); break;
      case 15: DC.SetPixel(F.I32(8), F.I32(12), Color(F.U32(16))); break;
      case 17: SetMode(F.I32(8)); break;
      case 18: DC.SetBkMode(F.I32(8)); break;
      case 19: DC.SetPolyFillMode(F.I32(8)); break;
      case 20: DC.SetROP2(F.I32(8)); break;
      case 21: DC.SetStretchBltMode(F.I32(8)); break;
      case 22: DC.SetTextAlign(F.U32(8)); break;
      case 24: DC.SetTextColor(Color(F.U32(8))); break;
      case 25: DC.SetBkColor(Color(F.U32(8))); break;
      case 27: DC.MoveTo(F.I32(8), F.I32(12)); break;
      case 29: {
        const TRect R = F.Rect(8);
        DC.ExcludeClipRect(R.Left, R.Top, R.Right, R.Bottom);
        KeepWithinBase();
        break;
      }
      case 30: {
        const TRect R = F.Rect(8);
        DC.IntersectClipRect(R.Left, R.Top, R.Right, R.Bottom);
        KeepWithinBase();
        break;
      }
      case 33:
        DC.SaveDC();
        SavedMaps.push_back(Map);
        break;
      case 34: {
        // Only levels saved by the picture itself can be restored.
        const int32_t Level = F.I32(8);
        if (Level >= 0 || size_t(-int64_t(Level)) > SavedMaps.size()) break;
        DC.RestoreDC(Level);
        Map = SavedMaps[SavedMaps.size() + size_t(Level)];
        SavedMaps.resize(SavedMaps.size() + size_t(Level));
        ApplyMapping();
        break;
      }
      case 37: Select(F.U32(8)); break;
      case 38: {
        TObjectSlot& O = Objects[F.U32(8)];
        O = TObjectSlot{};
        O.Kind = 1;
        O.Pen.Style = F.U32(12);
        O.Pen.Width = F.I32(16);
        O.Pen.Color = Color(F.U32(24));
        break;
      }
      case 39: {
        TObjectSlot& O = Objects[F.U32(8)];
        O = TObjectSlot{};
        O.Kind = 2;
        O.Brush.Style = F.U32(12);
        O.Brush.Color = Color(F.U32(16));
        O.Brush.Hatch = F.I32(20);
        break;
      }
      case 40: Objects.erase(F.U32(8)); break;
      case 42: { const TRect R = F.Rect(8); DC.Ellipse(R.Left, R.Top, R.Right, R.Bottom); break; }
      case 43: { const TRect R = F.Rect(8); DC.Rectangle(R.Left, R.Top, R.Right, R.Bottom); break; }
      case 44: {
        const TRect R = F.Rect(8);
        DC.RoundRect(R.Left, R.Top, R.Right, R.Bottom, F.I32(24), F.I32(28));
        break;
      }
      case 53: DC.ExtFloodFill(F.I32(8), F.I32(12), Color(F.U32(16)), F.I32(20)); break;
      case 54: DC.LineTo(F.I32(8), F.I32(12)); break;
      case 75: {
        const uint32_t Size = F.U32(8);
        const int Mode = F.I32(12);
        if (Size == 0) {
          DC.ExtSelectClipRgn(nullptr, Mode);
          KeepWithinBase();
          break;
        }
        const uint32_t Count = F.U32(16 + 8);
        if (Count > F.B.size() / 16) throw TFields::TOutside{};
        std::vector<TRect> Rects;
        for (uint32_t i = 0; i < Count; ++i) Rects.push_back(F.Rect(16 + 32 + 16 * size_t(i)));
        // Region records are in device units of the recording.
        const TRegion Rgn = ToTarget(Rects);
        DC.ExtSelectClipRgn(&Rgn, Mode);
        KeepWithinBase();
        break;
      }
      case 81: {
        const int32_t XDest = F.I32(24), YDest = F.I32(28), XSrc = F.I32(32), YSrc = F.I32(36);
        const int32_t CxSrc = F.I32(40), CySrc = F.I32(44);
        const uint32_t Rop = F.U32(68);
        const int32_t CxDest = F.I32(72), CyDest = F.I32(76);
        const uint32_t CbBits = F.U32(60);
        if (CbBits == 0) {
          // A pattern operation without a source.
          DC.PatBlt(XDest, YDest, CxDest, CyDest, Rop);
          break;
        }
        const auto Bitmap = F.Dib(F.U32(48), F.U32(52), F.U32(56), CbBits);
        // A DIB's source rectangle counts rows from the bottom.
        const int32_t Top = F.Checked(int64_t(Bitmap->GetHeight()) - YSrc - CySrc);
        DC.StretchBltBitmap(
            TRect{XDest, YDest, F.Checked(int64_t(XDest) + CxDest), F.Checked(int64_t(YDest) + CyDest)}, *Bitmap,
            TRect{XSrc, Top, F.Checked(int64_t(XSrc) + CxSrc), F.Checked(int64_t(Top) + CySrc)}, Rop);
        break;
      }
      case 82: {
        TObjectSlot& O = Objects[F.U32(8)];
        O = TObjectSlot{};
        O.Kind = 3;
        O.Font.Height = F.I32(12);
        O.Font.Width = F.I32(16);
        O.Font.Escapement = F.I32(20);
        O.Font.Orientation = F.I32(24);
        O.Font.Weight = F.I32(28);
        O.Font.Italic = F.U8(32) != 0;
        O.Font.Underline = F.U8(33) != 0;
        O.Font.StrikeOut = F.U8(34) != 0;
        O.Font.CharSet = F.U8(35);
        O.Font.Quality = F.U8(38);
        O.Font.FaceName = Utf8Of(Utf16At(F, 40, 32));
        break;
      }
      case 84: {
        const int32_t X = F.I32(36), Y = F.I32(40);
        const uint32_t Count = F.U32(44), OffString = F.U32(48), Options = F.U32(52);
        const TRect Box = F.Rect(56);
        const uint32_t OffDx = F.U32(72);
        const std::u16string Text = Utf16At(F, OffString, Count);
        std::vector<int32_t> Dx;
        if (OffDx != 0)
          for (uint32_t i = 0; i < Count; ++i) Dx.push_back(F.I32(OffDx + 4 * size_t(i)));
        const bool HasBox = (Options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
        DC.ExtTextOut(X, Y, Options, HasBox ? &Box : nullptr, Text, Dx.empty() ? nullptr : &Dx);
        break;
      }
      case 94: {
        TObjectSlot& O = Objects[F.U32(8)];
        O = TObjectSlot{};
        O.Kind = 2;
        const auto Bitmap = F.Dib(F.U32(16), F.U32(20), F.U32(24), F.U32(28));
        O.Brush.Style = BS_PATTERN;
        O.Brush.Pattern = Graphics::PatternFromBitmap(*Bitmap);
        break;
      }
      case 95: {
        TObjectSlot& O = Objects[F.U32(8)];
        O = TObjectSlot{};
        O.Kind = 1;
        O.Pen.Style = F.U32(28);
        O.Pen.Width = F.I32(32);
        O.Pen.Color = Color(F.U32(40));
        const uint32_t Entries = F.U32(48);
        if (Entries > F.B.size() / 4) throw TFields::TOutside{};
        for (uint32_t i = 0; i < Entries; ++i) O.Pen.Dashes.push_back(F.U32(52 + 4 * size_t(i)));
        break;
      }
      case 114: {
        const int32_t XDest = F.I32(24), YDest = F.I32(28), CxDest = F.I32(32), CyDest = F.I32(36);
        F.Checked(int64_t(XDest) + CxDest);
        F.Checked(int64_t(YDest) + CyDest);
        TBlendFunction Blend;
        Blend.BlendOp = F.U8(40);
        Blend.BlendFlags = F.U8(41);
        Blend.SourceConstantAlpha = F.U8(42);
        Blend.AlphaFormat = F.U8(43);
        const int32_t XSrc = F.I32(44), YSrc = F.I32(48);
        const auto Bitmap = F.Dib(F.U32(84), F.U32(88), F.U32(92), F.U32(96));
        const int32_t CxSrc = F.I32(100), CySrc = F.I32(104);
        TDeviceContext Source(CreateBitmapBackend(*Bitmap));
        const int32_t Top = F.Checked(int64_t(Bitmap->GetHeight()) - YSrc - CySrc);
        F.Checked(int64_t(XSrc) + CxSrc);
        F.Checked(int64_t(Top) + CySrc);
        DC.AlphaBlend(XDest, YDest, CxDest, CyDest, &Source, XSrc, Top, CxSrc, CySrc, Blend);
        break;
      }
      default: break;  // records without a visible effect here (comments, palettes, ...)
    }
  }
};

}  // namespace

void Emf::Play(const std::vector<uint8_t>& Data, TDeviceContext& DC) {
  const std::vector<TRecord> Records = SplitRecords(Data);
  TFields Header{Records.front().Bytes};
  auto Extent = [](int64_t Low, int64_t High) {
    return static_cast<int32_t>(std::clamp<int64_t>(High - Low + 1, 1, std::numeric_limits<int32_t>::max() / 2));
  };
  PlayInto(Data, DC, TRect{0, 0, Extent(Header.I32(8), Header.I32(16)), Extent(Header.I32(12), Header.I32(20))},
           nullptr);
}

void Emf::PlayInto(const std::vector<uint8_t>& Data, TDeviceContext& DC, const TRect& Target, const TRegion* Clip) {
  const std::vector<TRecord> Records = SplitRecords(Data);
  TFields Header{Records.front().Bytes};
  TPlayer Player{DC, {Header.I32(8), Header.I32(12)}, {}, Target, {1, 1}, {1, 1}, {}, {}, false, {}, {}};
  auto Extent = [](int64_t Low, int64_t High) {
    return static_cast<int32_t>(std::clamp<int64_t>(High - Low + 1, 1, std::numeric_limits<int32_t>::max()));
  };
  Player.Picture = TSize{Extent(Header.I32(8), Header.I32(16)), Extent(Header.I32(12), Header.I32(20))};
  if (Header.B.size() >= 88 && Header.I32(72) > 0 && Header.I32(76) > 0 && Header.I32(80) > 0 && Header.I32(84) > 0) {
    Player.RefPixels = TSize{Header.I32(72), Header.I32(76)};
    Player.RefMillimeters = TSize{Header.I32(80), Header.I32(84)};
  }
  if (Clip) {
    Player.HasBaseClip = true;
    Player.BaseClip = *Clip;
  }
  if (Target.Right == Target.Left || Target.Bottom == Target.Top) return;
  const int Level = DC.SaveDC();
  Player.ApplyMapping();
  for (const TRecord& R : Records) {
    try {
      Player.Record(R.Type, TFields{R.Bytes});
    } catch (const TFields::TOutside&) {
      break;  // a damaged record: what was drawn so far stays
    } catch (const Exception&) {
      break;  // a damaged bitmap inside a record
    }
  }
  DC.RestoreDC(Level);
}
