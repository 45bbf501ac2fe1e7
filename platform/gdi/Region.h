#pragma once
// Regions of device pixels: rectangles, ellipses, round rectangles and polygons,
// combined with the platform's combine modes. A region is a value: copies are
// independent.

#include "platform/rtl/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

// Polygon fill modes (also the device context's polygon fill mode).
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Combine modes of CombineRgn and ExtSelectClipRgn.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Region complexity answered by the region and clipping calls.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class TRegion {
public:
  TRegion();                       // the empty region
  TRegion(const TRegion& other);
  TRegion(TRegion&& other) noexcept;
  TRegion& operator=(const TRegion& other);
  TRegion& operator=(TRegion&& other) noexcept;
  ~TRegion();

  // The pixels Left..Right-1 by Top..Bottom-1 (an inverted rectangle is normalised).
  static TRegion CreateRectRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  static TRegion CreateRectRgnIndirect(const TRect& R);
  // The ellipse inscribed in the rectangle, right and bottom edge excluded.
  static TRegion CreateEllipticRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  static TRegion CreateRoundRectRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                                    int32_t CornerWidth, int32_t CornerHeight);
  // Pixels whose centres lie inside the polygon under the given fill mode.
  static TRegion CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
  static TRegion CreatePolygonRgn(const std::vector<TPoint>& Points, int FillMode);
  // Region from rows of sorted, non-overlapping spans (used by paths).
  static TRegion FromRects(const std::vector<TRect>& Rects);

  // CombineRgn(this, A, B, Mode): returns the complexity of the result, RGN_ERROR
  // for an unknown mode (the region is then unchanged).
  int Combine(const TRegion& A, const TRegion& B, int Mode);
  int CombineWith(const TRegion& B, int Mode) { return Combine(*this, B, Mode); }
  void Offset(int32_t DX, int32_t DY);
  bool PtInRegion(int32_t X, int32_t Y) const;
  bool RectInRegion(const TRect& R) const;
  // Bounding box; (0,0,0,0) for the empty region.
  TRect GetRgnBox() const;
  int Complexity() const;
  bool IsEmpty() const;
  bool operator==(const TRegion& other) const;
  bool operator!=(const TRegion& other) const { return !(*this == other); }
  // The region as y-x banded rectangles.
  std::vector<TRect> Rects() const;

  struct Impl;
  Impl& impl() const { return *d_; }

private:
  std::unique_ptr<Impl> d_;
};
