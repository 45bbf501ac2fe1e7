#pragma once
// Geometry records, colours and the small set type shared by every layer.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle leaves out its Right column and Bottom row, as the platform's
// drawing rules do, so Width is Right - Left.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
constexpr TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
constexpr TRect Bounds(int32_t l, int32_t t, int32_t w, int32_t h) { return {l, t, l + w, t + h}; }

// ---------------------------------------------------------------- colours
// Red in the lowest byte, blue in the third. Negative values are system
// colours (0x80000000 | index); platform/gdi resolves them to RGB.
using TColor = int32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16));
}
constexpr uint8_t GetRValue(TColor c) { return uint8_t(uint32_t(c) & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((uint32_t(c) >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((uint32_t(c) >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | uint32_t(index)); }
constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return int(uint32_t(c) & 0xFF); }

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// ---------------------------------------------------------------- sets
// A set of enumeration values whose ordinals lie in 0..63.
template <class E>
class Flags {
  static_assert(std::is_enum_v<E>, "Flags needs an enumeration");

 public:
  using Bits = uint64_t;
  constexpr Flags() = default;
  constexpr Flags(E e) : bits_(Bit(e)) {}  // NOLINT: a single value converts to a set
  constexpr Flags(std::initializer_list<E> list) {
    for (E e : list) bits_ |= Bit(e);
  }
  static constexpr Flags FromBits(Bits b) { Flags f; f.bits_ = b; return f; }
  constexpr Bits ToBits() const { return bits_; }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool operator[](E e) const { return Contains(e); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr Flags& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr Flags& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr Flags& Set(E e, bool on) { return on ? Include(e) : Exclude(e); }

  // Union, difference and intersection as the set operators +, - and *.
  friend constexpr Flags operator+(Flags a, Flags b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr Flags operator-(Flags a, Flags b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr Flags operator*(Flags a, Flags b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr Flags operator|(Flags a, Flags b) { return a + b; }
  friend constexpr Flags operator&(Flags a, Flags b) { return a * b; }
  constexpr Flags& operator+=(Flags o) { bits_ |= o.bits_; return *this; }
  constexpr Flags& operator-=(Flags o) { bits_ &= ~o.bits_; return *this; }
  constexpr Flags& operator*=(Flags o) { bits_ &= o.bits_; return *this; }
  constexpr bool operator<=(Flags o) const { return (bits_ & ~o.bits_) == 0; }  // subset
  friend constexpr bool operator==(Flags, Flags) = default;

 private:
  static constexpr Bits Bit(E e) { return Bits(1) << static_cast<unsigned>(e); }
  Bits bits_ = 0;
};

// The cut of a bevel around panels and controls, in its stored ordinals; the
// chart panels and the window controls share it.
enum class TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;
