// Old-format metafiles (WMF, with the placeable header): written by
// translating an enhanced metafile's records, read by playing their records
// into the enhanced recorder.
#include "platform/gdi/Metafile.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/rtl/SysUtils.h"

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;

int16_t Clamp16(int64_t V) { return static_cast<int16_t>(std::clamp<int64_t>(V, -32768, 32767)); }

uint32_t Get32(const std::vector<uint8_t>& B, size_t At) {
  if (At + 4 > B.size()) throw Exception("Invalid metafile");
  uint32_t V = 0;
  for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(B[At + i]) << (8 * i);
  return V;
}
int16_t Get16(const std::vector<uint8_t>& B, size_t At) {
  if (At + 2 > B.size()) throw Exception("Invalid metafile");
  return static_cast<int16_t>(B[At] | (B[At + 1] << 8));
}

// One old-format record: size in 16-bit words, function, parameters.
struct TWmfRec {
  std::vector<uint8_t> B;
  explicit TWmfRec(uint16_t Function) {
    U32(0);
    U16(Function);
  }
  void U8(uint8_t V) { B.push_back(V); }
  void U16(uint16_t V) {
    U8(static_cast<uint8_t>(V));
    U8(static_cast<uint8_t>(V >> 8));
  }
  void I16(int64_t V) { U16(static_cast<uint16_t>(Clamp16(V))); }
  void U32(uint32_t V) {
    U16(static_cast<uint16_t>(V));
    U16(static_cast<uint16_t>(V >> 16));
  }
  void Bytes(const uint8_t* P, size_t N) { B.insert(B.end(), P, P + N); }
  std::vector<uint8_t> Done() {
    if (B.size() % 2) U8(0);
    const uint32_t Words = static_cast<uint32_t>(B.size() / 2);
    for (int i = 0; i < 4; ++i) B[size_t(i)] = static_cast<uint8_t>(Words >> (8 * i));
    return std::move(B);
  }
};

// Translates enhanced records into old-format ones, keeping the object table.
class TWmfWriter {
public:
  std::vector<uint8_t> Records;
  uint32_t MaxRecordWords = 3;
  uint16_t SlotCount = 0;

  void Emit(TWmfRec R) {
    std::vector<uint8_t> B = R.Done();
    MaxRecordWords = std::max<uint32_t>(MaxRecordWords, static_cast<uint32_t>(B.size() / 2));
    Records.insert(Records.end(), B.begin(), B.end());
  }
  void Setting16(uint16_t Function, int64_t Value) {
    TWmfRec R(Function);
    R.I16(Value);
    R.U16(0);
    Emit(std::move(R));
  }
  void Setting32(uint16_t Function, uint32_t Value) {
    TWmfRec R(Function);
    R.U32(Value);
    Emit(std::move(R));
  }

  // Objects: old-format files have no stock objects, so a selected stock
  // object becomes a created one that is deleted when its kind is selected again.
  uint16_t NewSlot() {
    for (uint16_t i = 0; i < Used.size(); ++i)
      if (!Used[i]) {
        Used[i] = true;
        return i;
      }
    Used.push_back(true);
    SlotCount = static_cast<uint16_t>(Used.size());
    return static_cast<uint16_t>(Used.size() - 1);
  }
  void Delete(uint16_t Slot) {
    TWmfRec R(0x01F0);
    R.U16(Slot);
    Emit(std::move(R));
    if (Slot < Used.size()) Used[Slot] = false;
  }
  void Select(uint16_t Slot, int Kind) {
    TWmfRec R(0x012D);
    R.U16(Slot);
    Emit(std::move(R));
    auto It = StockSlot.find(Kind);
    if (It != StockSlot.end() && It->second != Slot) {
      Delete(It->second);
      StockSlot.erase(It);
    }
  }
  void CreatePen(uint16_t Style, int32_t Width, uint32_t Color) {
    TWmfRec R(0x02FA);
    R.U16(Style);
    R.I16(Width);
    R.I16(0);
    R.U32(Color & 0xFFFFFF);
    Emit(std::move(R));
  }
  void CreateBrush(uint16_t Style, uint32_t Color, uint16_t Hatch) {
    TWmfRec R(0x02FC);
    R.U16(Style);
    R.U32(Color & 0xFFFFFF);
    R.U16(Hatch);
    Emit(std::move(R));
  }
  void SelectStock(uint32_t Index) {
    int Kind;
    const uint16_t Slot = NewSlot();
    if (Index <= 5) {
      static const uint32_t Brushes[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0, 0};
      CreateBrush(Index == 5 ? 1 : 0, Brushes[Index], 0);
      Kind = 2;
    } else if (Index <= 8) {
      CreatePen(Index == 8 ? 5 : 0, 1, Index == 6 ? 0xFFFFFF : 0);
      Kind = 1;
    } else {
      CreateFont(-13, 0, 0, 400, 0, 0, 0, 1, "Arial");
      Kind = 3;
    }
    Select(Slot, Kind);
    StockSlot[Kind] = Slot;
  }
  void CreateFont(int32_t Height, int32_t Width, int32_t Escapement, int32_t Weight, uint8_t Italic,
                  uint8_t Underline, uint8_t StrikeOut, uint8_t CharSet, const std::string& Face) {
    TWmfRec R(0x02FB);
    R.I16(Height);
    R.I16(Width);
    R.I16(Escapement);
    R.I16(Escapement);
    R.I16(Weight);
    for (uint8_t V : {Italic, Underline, StrikeOut, CharSet, uint8_t(0), uint8_t(0), uint8_t(0), uint8_t(0)}) R.U8(V);
    std::string Name = Face.substr(0, 31);
    R.Bytes(reinterpret_cast<const uint8_t*>(Name.c_str()), Name.size() + 1);
    Emit(std::move(R));
  }
  // A clip region as a region object, selected and then deleted (selecting copies it).
  void SelectClip(const std::vector<TRect>& Rects) {
    std::vector<std::vector<TRect>> Bands;
    for (const TRect& R : Rects) {
      if (Bands.empty() || Bands.back().front().Top != R.Top || Bands.back().front().Bottom != R.Bottom)
        Bands.emplace_back();
      Bands.back().push_back(R);
    }
    TRect Box{0, 0, 0, 0};
    size_t MaxScan = 0, Size = 22;
    for (const auto& Band : Bands) {
      MaxScan = std::max(MaxScan, Band.size() * 2);
      Size += 8 + Band.size() * 4;
    }
    if (!Rects.empty()) {
      Box = Rects.front();
      for (const TRect& R : Rects) {
        Box.Left = std::min(Box.Left, R.Left);
        Box.Top = std::min(Box.Top, R.Top);
        Box.Right = std::max(Box.Right, R.Right);
        Box.Bottom = std::max(Box.Bottom, R.Bottom);
      }
    }
    const uint16_t Slot = NewSlot();
    TWmfRec R(0x06FF);
    R.U16(0);
    R.U16(6);
    R.U32(0);
    R.I16(static_cast<int64_t>(Size));
    R.I16(static_cast<int64_t>(Bands.size()));
    R.I16(static_cast<int64_t>(MaxScan));
    R.I16(Box.Left);
    R.I16(Box.Top);
    R.I16(Box.Right);
    R.I16(Box.Bottom);
    for (const auto& Band : Bands) {
      R.U16(static_cast<uint16_t>(Band.size() * 2));
      R.I16(Band.front().Top);
      R.I16(Band.front().Bottom);
      for (const TRect& Q : Band) {
        R.I16(Q.Left);
        R.I16(Q.Right);
      }
      R.U16(static_cast<uint16_t>(Band.size() * 2));
    }
    Emit(std::move(R));
    TWmfRec Sel(0x012C);
    Sel.U16(Slot);
    Emit(std::move(Sel));
    Delete(Slot);
  }

  std::map<uint32_t, uint16_t> Handles;  // enhanced handle -> slot
  std::map<int, uint16_t> StockSlot;     // kind -> slot of a selected stand-in
  std::map<uint16_t, int> KindOfSlot;
  std::vector<bool> Used;
};

void PutPoints(TWmfRec& R, const std::vector<uint8_t>& B, size_t At, uint32_t Count, bool Short) {
  for (uint32_t i = 0; i < Count; ++i) {
    if (Short) {
      R.I16(Get16(B, At + 4 * size_t(i)));
      R.I16(Get16(B, At + 4 * size_t(i) + 2));
    } else {
      R.I16(static_cast<int32_t>(Get32(B, At + 8 * size_t(i))));
      R.I16(static_cast<int32_t>(Get32(B, At + 8 * size_t(i) + 4)));
    }
  }
}

std::string Latin1Of(const std::vector<uint8_t>& B, size_t At, uint32_t Count) {
  std::string S;
  for (uint32_t i = 0; i < Count; ++i) {
    const uint16_t C = static_cast<uint16_t>(Get16(B, At + 2 * size_t(i)));
    if (C == 0 && i + 1 == Count) break;
    S.push_back(C < 256 ? static_cast<char>(C) : '?');
  }
  return S;
}

void Translate(TWmfWriter& W, uint32_t Type, const std::vector<uint8_t>& B) {
  auto I32 = [&](size_t At) { return static_cast<int32_t>(Get32(B, At)); };
  switch (Type) {
    case 3: case 4: case 86: case 87: {
      const bool Short = Type >= 86;
      const uint32_t Count = Get32(B, 24);
      if (Count > 16000) return;  // beyond what one old-format record holds
      TWmfRec R((Type == 3 || Type == 86) ? 0x0324 : 0x0325);
      R.I16(Count);
      PutPoints(R, B, 28, Count, Short);
      W.Emit(std::move(R));
      break;
    }
    case 7: case 8: case 90: case 91: {
      const bool Short = Type >= 90;
      const uint32_t Polys = Get32(B, 24), Total = Get32(B, 28);
      if (Polys > 8000 || Total > 16000) return;
      const size_t PointsAt = 32 + 4 * size_t(Polys);
      if (Type == 8 || Type == 91) {
        TWmfRec R(0x0538);
        R.U16(static_cast<uint16_t>(Polys));
        for (uint32_t i = 0; i < Polys; ++i) R.U16(static_cast<uint16_t>(Get32(B, 32 + 4 * size_t(i))));
        PutPoints(R, B, PointsAt, Total, Short);
        W.Emit(std::move(R));
      } else {
        size_t At = PointsAt;
        for (uint32_t i = 0; i < Polys; ++i) {
          const uint32_t N = Get32(B, 32 + 4 * size_t(i));
          TWmfRec R(0x0325);
          R.I16(N);
          PutPoints(R, B, At, N, Short);
          W.Emit(std::move(R));
          At += N * (Short ? 4 : 8);
        }
      }
      break;
    }
    case 15: {
      TWmfRec R(0x041F);
      R.U32(Get32(B, 16) & 0xFFFFFF);
      R.I16(I32(12));
      R.I16(I32(8));
      W.Emit(std::move(R));
      break;
    }
    case 17: W.Setting16(0x0103, I32(8)); break;
    case 18: W.Setting16(0x0102, I32(8)); break;
    case 19: W.Setting16(0x0106, I32(8)); break;
    case 20: W.Setting16(0x0104, I32(8)); break;
    case 21: W.Setting16(0x0107, I32(8)); break;
    case 22: W.Setting16(0x012E, I32(8)); break;
    case 24: W.Setting32(0x0209, Get32(B, 8) & 0xFFFFFF); break;
    case 25: W.Setting32(0x0201, Get32(B, 8) & 0xFFFFFF); break;
    case 27: case 54: {
      TWmfRec R(Type == 27 ? 0x0214 : 0x0213);
      R.I16(I32(12));
      R.I16(I32(8));
      W.Emit(std::move(R));
      break;
    }
    case 42: case 43: {
      TWmfRec R(Type == 42 ? 0x0418 : 0x041B);
      R.I16(I32(20));
      R.I16(I32(16));
      R.I16(I32(12));
      R.I16(I32(8));
      W.Emit(std::move(R));
      break;
    }
    case 37: {
      const uint32_t H = Get32(B, 8);
      if (H & 0x80000000u) {
        W.SelectStock(H & 0x7FFFFFFFu);
      } else {
        auto It = W.Handles.find(H);
        if (It != W.Handles.end()) W.Select(It->second, W.KindOfSlot[It->second]);
      }
      break;
    }
    case 40: {
      auto It = W.Handles.find(Get32(B, 8));
      if (It == W.Handles.end()) break;
      W.Delete(It->second);
      W.Handles.erase(It);
      break;
    }
    case 38: case 39: case 82: case 95: case 94: {
      const uint32_t H = Get32(B, 8);
      if (auto It = W.Handles.find(H); It != W.Handles.end()) {
        W.Delete(It->second);
        W.Handles.erase(It);
      }
      const uint16_t Slot = W.NewSlot();
      int Kind = 1;
      if (Type == 38) {
        W.CreatePen(static_cast<uint16_t>(Get32(B, 12)), I32(16), Get32(B, 24));
      } else if (Type == 95) {
        W.CreatePen(static_cast<uint16_t>(Get32(B, 28)), I32(32), Get32(B, 40));
      } else if (Type == 39) {
        W.CreateBrush(static_cast<uint16_t>(Get32(B, 12)), Get32(B, 16), static_cast<uint16_t>(Get32(B, 20)));
        Kind = 2;
      } else if (Type == 94) {
        const uint32_t OffBmi = Get32(B, 16), CbBmi = Get32(B, 20), OffBits = Get32(B, 24), CbBits = Get32(B, 28);
        if (size_t(OffBmi) + CbBmi > B.size() || size_t(OffBits) + CbBits > B.size()) {
          W.CreateBrush(0, 0x808080, 0);
        } else {
          TWmfRec R(0x0142);
          R.U16(5);  // BS_DIBPATTERN
          R.U16(0);  // DIB_RGB_COLORS
          R.Bytes(B.data() + OffBmi, CbBmi);
          R.Bytes(B.data() + OffBits, CbBits);
          W.Emit(std::move(R));
        }
        Kind = 2;
      } else {
        std::u16string Face;
        for (size_t i = 0; i < 32; ++i) Face.push_back(static_cast<char16_t>(Get16(B, 40 + 2 * i)));
        std::string Name;
        for (char16_t C : Face) {
          if (C == 0) break;
          Name.push_back(C < 128 ? static_cast<char>(C) : '?');
        }
        W.CreateFont(I32(12), I32(16), I32(20), I32(28), B.at(32), B.at(33), B.at(34), B.at(35), Name);
        Kind = 3;
      }
      W.Handles[H] = Slot;
      W.KindOfSlot[Slot] = Kind;
      break;
    }
    case 75: {
      const uint32_t Size = Get32(B, 8);
      std::vector<TRect> Rects;
      if (Size == 0) {
        Rects.push_back(TRect{-32000, -32000, 32000, 32000});
      } else {
        const uint32_t Count = Get32(B, 24);
        if (Count > B.size() / 16) return;
        for (uint32_t i = 0; i < Count; ++i) {
          const size_t At = 48 + 16 * size_t(i);
          Rects.push_back(TRect{I32(At), I32(At + 4), I32(At + 8), I32(At + 12)});
        }
      }
      W.SelectClip(Rects);
      break;
    }
    case 81: {
      const uint32_t OffBmi = Get32(B, 48), CbBmi = Get32(B, 52), OffBits = Get32(B, 56), CbBits = Get32(B, 60);
      if (size_t(OffBmi) + CbBmi > B.size() || size_t(OffBits) + CbBits > B.size() || CbBits == 0) break;
      TWmfRec R(0x0F43);
      R.U32(Get32(B, 68));
      R.U16(0);
      R.I16(I32(44));
      R.I16(I32(40));
      R.I16(I32(36));
      R.I16(I32(32));
      R.I16(I32(76));
      R.I16(I32(72));
      R.I16(I32(28));
      R.I16(I32(24));
      R.Bytes(B.data() + OffBmi, CbBmi);
      R.Bytes(B.data() + OffBits, CbBits);
      W.Emit(std::move(R));
      break;
    }
    case 84: {
      const uint32_t Count = Get32(B, 44), OffString = Get32(B, 48), Options = Get32(B, 52), OffDx = Get32(B, 72);
      if (Count > 8000) break;
      const std::string Text = Latin1Of(B, OffString, Count);
      TWmfRec R(0x0A32);
      R.I16(I32(40));
      R.I16(I32(36));
      R.I16(static_cast<int64_t>(Text.size()));
      R.U16(static_cast<uint16_t>(Options & (ETO_OPAQUE | ETO_CLIPPED)));
      if (Options & (ETO_OPAQUE | ETO_CLIPPED)) {
        R.I16(I32(56));
        R.I16(I32(60));
        R.I16(I32(64));
        R.I16(I32(68));
      }
      R.Bytes(reinterpret_cast<const uint8_t*>(Text.data()), Text.size());
      if (Text.size() % 2) R.U8(0);
      if (OffDx != 0)
        for (size_t i = 0; i < Text.size(); ++i) R.I16(I32(OffDx + 4 * i));
      W.Emit(std::move(R));
      break;
    }
    default: break;  // no old-format counterpart that draws (alpha blending, comments)
  }
}

}  // namespace

bool Emf::IsOldMetafileData(const std::vector<uint8_t>& Data) {
  return Data.size() >= 22 + 18 && Get32(Data, 0) == PlaceableKey;
}

std::vector<uint8_t> Emf::ToOldMetafile(const std::vector<uint8_t>& Data) {
  const std::vector<TRecord> Records = SplitRecords(Data);
  const std::vector<uint8_t>& H = Records.front().Bytes;
  // In 64 bits: the bounds may lie anywhere in the int32_t range, however far apart.
  struct {
    int64_t Left, Top, Right, Bottom;
  } const Bounds{static_cast<int32_t>(Get32(H, 8)), static_cast<int32_t>(Get32(H, 12)),
                 int64_t(static_cast<int32_t>(Get32(H, 16))) + 1, int64_t(static_cast<int32_t>(Get32(H, 20))) + 1};
  TWmfWriter W;
  {
    TWmfRec Org(0x020B);
    Org.I16(Bounds.Top);
    Org.I16(Bounds.Left);
    W.Emit(std::move(Org));
    TWmfRec Ext(0x020C);
    Ext.I16(Bounds.Bottom - Bounds.Top);
    Ext.I16(Bounds.Right - Bounds.Left);
    W.Emit(std::move(Ext));
  }
  for (const TRecord& R : Records) {
    try {
      Translate(W, R.Type, R.Bytes);
    } catch (const Exception&) {
      // A record whose sizes do not fit its bytes is left out.
    }
  }
  W.Emit(TWmfRec(0x0000));

  std::vector<uint8_t> File;
  auto Put16 = [&](uint16_t V) {
    File.push_back(static_cast<uint8_t>(V));
    File.push_back(static_cast<uint8_t>(V >> 8));
  };
  auto Put32 = [&](uint32_t V) {
    Put16(static_cast<uint16_t>(V));
    Put16(static_cast<uint16_t>(V >> 16));
  };
  Put32(PlaceableKey);
  Put16(0);
  Put16(static_cast<uint16_t>(Clamp16(Bounds.Left)));
  Put16(static_cast<uint16_t>(Clamp16(Bounds.Top)));
  Put16(static_cast<uint16_t>(Clamp16(Bounds.Right)));
  Put16(static_cast<uint16_t>(Clamp16(Bounds.Bottom)));
  Put16(96);  // units per inch: one unit is one pixel of the reference screen
  Put32(0);
  uint16_t Sum = 0;
  for (size_t i = 0; i < 20; i += 2) Sum ^= static_cast<uint16_t>(File[i] | (File[i + 1] << 8));
  Put16(Sum);
  Put16(1);  // in memory
  Put16(9);
  Put16(0x0300);
  Put32(static_cast<uint32_t>((18 + W.Records.size()) / 2));
  Put16(std::max<uint16_t>(W.SlotCount, 1));
  Put32(W.MaxRecordWords);
  Put16(0);
  File.insert(File.end(), W.Records.begin(), W.Records.end());
  return File;
}

// ---- reading -------------------------------------------------------------------

namespace {

// Plays old-format records on a device context (the object table by slot).
class TWmfPlayer {
public:
  explicit TWmfPlayer(TDeviceContext& DC) : FDC(DC) {}

  void Record(uint16_t Function, const std::vector<uint8_t>& B, size_t P, size_t End) {
    auto S = [&](size_t i) {
      if (P + 2 * i + 2 > End) throw Exception("Invalid metafile");
      return Get16(B, P + 2 * i);
    };
    auto U = [&](size_t i) { return static_cast<uint16_t>(S(i)); };
    auto C32 = [&](size_t i) { return static_cast<TColor>((U(i) | (uint32_t(U(i + 1)) << 16)) & 0xFFFFFF); };
    auto Points = [&](size_t First, size_t Count) {
      if (Count > (End - P) / 4) throw Exception("Invalid metafile");
      std::vector<TPoint> Pts;
      for (size_t i = 0; i < Count; ++i) Pts.push_back({S(First + 2 * i), S(First + 2 * i + 1)});
      return Pts;
    };
    switch (Function) {
      case 0x020B: FDC.SetWindowOrgEx(S(1), S(0)); break;
      case 0x020C: FDC.SetWindowExtEx(S(1), S(0)); break;
      case 0x0103: FDC.SetMapMode(S(0)); break;
      case 0x0102: FDC.SetBkMode(S(0)); break;
      case 0x0106: FDC.SetPolyFillMode(S(0)); break;
      case 0x0104: FDC.SetROP2(S(0)); break;
      case 0x0107: FDC.SetStretchBltMode(S(0)); break;
      case 0x012E: FDC.SetTextAlign(U(0)); break;
      case 0x0209: FDC.SetTextColor(C32(0)); break;
      case 0x0201: FDC.SetBkColor(C32(0)); break;
      case 0x0214: FDC.MoveTo(S(1), S(0)); break;
      case 0x0213: FDC.LineTo(S(1), S(0)); break;
      case 0x041F: FDC.SetPixel(S(3), S(2), C32(0)); break;
      case 0x041B: FDC.Rectangle(S(3), S(2), S(1), S(0)); break;
      case 0x0418: FDC.Ellipse(S(3), S(2), S(1), S(0)); break;
      case 0x061C: FDC.RoundRect(S(5), S(4), S(3), S(2), S(1), S(0)); break;
      case 0x0324: FDC.Polygon(Points(1, U(0))); break;
      case 0x0325: FDC.Polyline(Points(1, U(0))); break;
      case 0x0538: {
        const uint16_t N = U(0);
        std::vector<uint16_t> Counts;
        size_t Total = 0;
        for (uint16_t i = 0; i < N; ++i) Total += Counts.emplace_back(U(1 + i));
        const std::vector<TPoint> All = Points(1 + size_t(N), Total);
        std::vector<std::vector<TPoint>> Polys;
        size_t At = 0;
        for (uint16_t Count : Counts) {
          Polys.emplace_back(All.begin() + static_cast<std::ptrdiff_t>(At),
                             All.begin() + static_cast<std::ptrdiff_t>(At + Count));
          At += Count;
        }
        FDC.PolyPolygon(Polys);
        break;
      }
      case 0x02FA: {
        TLogPen Pen;
        Pen.Style = U(0);
        Pen.Width = S(1);
        Pen.Color = C32(3);
        Store(TObj{1, Pen, {}, {}, {}});
        break;
      }
      case 0x02FC: {
        TLogBrush Brush;
        Brush.Style = U(0);
        Brush.Color = C32(1);
        Brush.Hatch = U(3);
        Store(TObj{2, {}, Brush, {}, {}});
        break;
      }
      case 0x0142: {
        TLogBrush Brush;
        Brush.Style = BS_PATTERN;
        if (auto Bitmap = Dib(B, P + 4, End)) Brush.Pattern = Graphics::PatternFromBitmap(*Bitmap);
        Store(TObj{2, {}, Brush, {}, {}});
        break;
      }
      case 0x02FB: {
        TLogFont Font;
        Font.Height = S(0);
        Font.Width = S(1);
        Font.Escapement = S(2);
        Font.Orientation = S(3);
        Font.Weight = S(4);
        const size_t F = P + 10;
        if (F + 8 > End) throw Exception("Invalid metafile");
        Font.Italic = B[F] != 0;
        Font.Underline = B[F + 1] != 0;
        Font.StrikeOut = B[F + 2] != 0;
        Font.CharSet = B[F + 3];
        Font.FaceName.clear();
        for (size_t i = F + 8; i < End && i < F + 8 + 32 && B[i] != 0; ++i) Font.FaceName.push_back(static_cast<char>(B[i]));
        Store(TObj{3, {}, {}, Font, {}});
        break;
      }
      case 0x06FF: {
        // Region: header of 11 words, then the scans.
        const int16_t Scans = S(6);
        TRegion Rgn;
        size_t W = 11;
        for (int16_t i = 0; i < Scans; ++i) {
          const uint16_t Count = U(W);
          const int16_t Top = S(W + 1), Bottom = S(W + 2);
          for (uint16_t k = 0; k + 1 < Count; k += 2)
            Rgn.CombineWith(TRegion::CreateRectRgn(S(W + 3 + k), Top, S(W + 4 + k), Bottom), RGN_OR);
          W += 4 + Count;
        }
        TObj Obj{4, {}, {}, {}, {}};
        Obj.Region = Rgn;
        Store(std::move(Obj));
        break;
      }
      case 0x012C: {
        auto It = FObjects.find(U(0));
        if (It == FObjects.end() || It->second.Kind != 4) break;
        // Region coordinates are logical: the clip takes them through the mapping.
        TRegion Device;
        for (const TRect& R : It->second.Region.Rects()) {
          const TPoint A = FDC.LPtoDP(TPoint{R.Left, R.Top}), Z = FDC.LPtoDP(TPoint{R.Right, R.Bottom});
          Device.CombineWith(TRegion::CreateRectRgn(A.X, A.Y, Z.X, Z.Y), RGN_OR);
        }
        FDC.SelectClipRgn(&Device);
        break;
      }
      case 0x012D: {
        auto It = FObjects.find(U(0));
        if (It == FObjects.end()) break;
        if (It->second.Kind == 1) FDC.SelectPen(It->second.Pen);
        if (It->second.Kind == 2) FDC.SelectBrush(It->second.Brush);
        if (It->second.Kind == 3) FDC.SelectFont(It->second.Font);
        break;
      }
      case 0x01F0: FObjects.erase(U(0)); break;
      case 0x0A32: {
        const int16_t Y = S(0), X = S(1), Count = S(2);
        const uint16_t Options = U(3);
        size_t At = P + 8;
        TRect Box;
        const bool HasBox = (Options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
        if (HasBox) {
          Box = TRect{S(4), S(5), S(6), S(7)};
          At += 8;
        }
        if (Count < 0 || At + size_t(Count) > End) throw Exception("Invalid metafile");
        std::u16string Text;
        for (int16_t i = 0; i < Count; ++i) Text.push_back(static_cast<char16_t>(B[At + size_t(i)]));
        At += size_t(Count) + (Count % 2);
        std::vector<int32_t> Dx;
        if (At + 2 * size_t(Count) <= End)
          for (int16_t i = 0; i < Count; ++i) Dx.push_back(Get16(B, At + 2 * size_t(i)));
        FDC.ExtTextOut(X, Y, Options, HasBox ? &Box : nullptr, Text, Dx.empty() ? nullptr : &Dx);
        break;
      }
      case 0x0F43: {
        const uint32_t Rop = U(0) | (uint32_t(U(1)) << 16);
        const int16_t SrcH = S(3), SrcW = S(4), YSrc = S(5), XSrc = S(6), DstH = S(7), DstW = S(8), YDst = S(9),
                      XDst = S(10);
        auto Bitmap = Dib(B, P + 22, End);
        if (!Bitmap) break;
        const int32_t Top = Bitmap->GetHeight() - YSrc - SrcH;
        FDC.StretchBltBitmap(TRect{XDst, YDst, XDst + DstW, YDst + DstH}, *Bitmap,
                             TRect{XSrc, Top, XSrc + SrcW, Top + SrcH}, Rop);
        break;
      }
      default: break;
    }
  }

private:
  struct TObj {
    int Kind = 0;  // 1 pen, 2 brush, 3 font, 4 region
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
    TRegion Region;
  };
  // A new object takes the lowest free slot, as the format prescribes.
  void Store(TObj Obj) {
    uint16_t Slot = 0;
    while (FObjects.count(Slot)) ++Slot;
    FObjects[Slot] = std::move(Obj);
  }
  // A packed DIB (header, colour table, pixels) at At; none when it does not fit.
  static std::unique_ptr<TBitmap> Dib(const std::vector<uint8_t>& B, size_t At, size_t End) {
    if (At + 40 > End) return nullptr;
    const uint32_t HeaderSize = Get32(B, At);
    const uint16_t Bits = static_cast<uint16_t>(Get16(B, At + 14));
    const uint32_t Compression = Get32(B, At + 16);
    uint32_t Colors = Get32(B, At + 32);
    if (Colors == 0 && Bits <= 8) Colors = 1u << Bits;
    const uint32_t Masks = Compression == 3 && HeaderSize == 40 ? 12 : 0;
    const size_t BitsAt = At + HeaderSize + Masks + 4 * size_t(Colors);
    if (HeaderSize < 40 || BitsAt > End) return nullptr;
    std::vector<uint8_t> File = {'B', 'M'};
    auto Put = [&](uint32_t V) {
      for (int i = 0; i < 4; ++i) File.push_back(static_cast<uint8_t>(V >> (8 * i)));
    };
    Put(static_cast<uint32_t>(14 + End - At));
    Put(0);
    Put(static_cast<uint32_t>(14 + BitsAt - At));
    File.insert(File.end(), B.begin() + static_cast<std::ptrdiff_t>(At), B.begin() + static_cast<std::ptrdiff_t>(End));
    auto Bitmap = std::make_unique<TBitmap>();
    try {
      Bitmap->LoadFromBytes(File);
    } catch (const Exception&) {
      return nullptr;
    }
    return Bitmap;
  }

  TDeviceContext& FDC;
  std::map<uint16_t, TObj> FObjects;
};

}  // namespace

std::vector<uint8_t> Emf::FromOldMetafile(const std::vector<uint8_t>& Data) {
  if (!IsOldMetafileData(Data)) throw Exception("Invalid metafile");
  const TRect Bounds{Get16(Data, 6), Get16(Data, 8), Get16(Data, 10), Get16(Data, 12)};
  const int32_t Inch = std::max<int32_t>(1, static_cast<uint16_t>(Get16(Data, 14)));
  // The picture at the reference screen's 96 pixels per inch.
  const int32_t W = std::max(1, static_cast<int32_t>(int64_t(Bounds.Right - Bounds.Left) * 96 / Inch));
  const int32_t H = std::max(1, static_cast<int32_t>(int64_t(Bounds.Bottom - Bounds.Top) * 96 / Inch));
  auto Backend = std::make_unique<TMetafileBackend>(W, H);
  TMetafileBackend* Recorder = Backend.get();
  TDeviceContext DC(std::move(Backend));
  DC.SetMapMode(MM_ANISOTROPIC);
  DC.SetWindowOrgEx(Bounds.Left, Bounds.Top);
  DC.SetWindowExtEx(std::max(1, Bounds.Right - Bounds.Left), std::max(1, Bounds.Bottom - Bounds.Top));
  DC.SetViewportExtEx(W, H);
  TWmfPlayer Player(DC);
  const size_t HeaderWords = static_cast<uint16_t>(Get16(Data, 22 + 2));
  size_t At = 22 + 2 * HeaderWords;
  while (At + 6 <= Data.size()) {
    const uint32_t Words = Get32(Data, At);
    const uint16_t Function = static_cast<uint16_t>(Get16(Data, At + 4));
    if (Words < 3 || At + 2 * size_t(Words) > Data.size()) break;  // damaged: what was read so far stays
    if (Function == 0) break;
    // The file's own mapping records would undo the placeable frame set above.
    if (Function != 0x020B && Function != 0x020C && Function != 0x0103) {
      try {
        Player.Record(Function, Data, At + 6, At + 2 * size_t(Words));
      } catch (const Exception&) {
        break;
      }
    }
    At += 2 * size_t(Words);
  }
  return Recorder->Finish();
}
