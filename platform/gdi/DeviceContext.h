#pragma once
// The device context: drawing state (pen, brush, font, colours, modes, clipping,
// mapping, path) and the drawing calls with the platform's pixel rules. Drawing
// goes to a backend (TDCBackend); the raster backend paints into a bitmap's
// pixels. A recording (metafile) or printer backend implements the same
// interface.

#include "platform/gdi/Region.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;

// ---- Pen styles (low bits), types, end caps and joins -------------------------
constexpr uint32_t PS_SOLID = 0;
constexpr uint32_t PS_DASH = 1;
constexpr uint32_t PS_DOT = 2;
constexpr uint32_t PS_DASHDOT = 3;
constexpr uint32_t PS_DASHDOTDOT = 4;
constexpr uint32_t PS_NULL = 5;
constexpr uint32_t PS_INSIDEFRAME = 6;
constexpr uint32_t PS_USERSTYLE = 7;
constexpr uint32_t PS_ALTERNATE = 8;
constexpr uint32_t PS_STYLE_MASK = 0x0000000F;
constexpr uint32_t PS_ENDCAP_ROUND = 0x00000000;
constexpr uint32_t PS_ENDCAP_SQUARE = 0x00000100;
constexpr uint32_t PS_ENDCAP_FLAT = 0x00000200;
constexpr uint32_t PS_ENDCAP_MASK = 0x00000F00;
constexpr uint32_t PS_JOIN_ROUND = 0x00000000;
constexpr uint32_t PS_JOIN_BEVEL = 0x00001000;
constexpr uint32_t PS_JOIN_MITER = 0x00002000;
constexpr uint32_t PS_JOIN_MASK = 0x0000F000;
constexpr uint32_t PS_COSMETIC = 0x00000000;
constexpr uint32_t PS_GEOMETRIC = 0x00010000;
constexpr uint32_t PS_TYPE_MASK = 0x000F0000;

// ---- Brush styles and hatch styles --------------------------------------------
constexpr uint32_t BS_SOLID = 0;
constexpr uint32_t BS_NULL = 1;
constexpr uint32_t BS_HOLLOW = BS_NULL;
constexpr uint32_t BS_HATCHED = 2;
constexpr uint32_t BS_PATTERN = 3;
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

// ---- Mix modes (SetROP2) ------------------------------------------------------
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// ---- Ternary raster operations (BitBlt, StretchBlt, PatBlt) --------------------
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGECOPY = 0x00C000CA;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATPAINT = 0x00FB0A09;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// ---- Background modes, text alignment, ExtTextOut options ---------------------
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr uint32_t TA_NOUPDATECP = 0;
constexpr uint32_t TA_UPDATECP = 1;
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;

constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

// ---- DrawText formats ---------------------------------------------------------
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_EXPANDTABS = 0x0040;
constexpr uint32_t DT_NOCLIP = 0x0100;
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;

// ---- DrawEdge and DrawFrameControl --------------------------------------------
constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
constexpr uint32_t BDR_RAISEDINNER = 0x0004;
constexpr uint32_t BDR_SUNKENINNER = 0x0008;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr uint32_t BF_LEFT = 0x0001;
constexpr uint32_t BF_TOP = 0x0002;
constexpr uint32_t BF_RIGHT = 0x0004;
constexpr uint32_t BF_BOTTOM = 0x0008;
constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr uint32_t BF_MIDDLE = 0x0800;
constexpr uint32_t BF_SOFT = 0x1000;
constexpr uint32_t BF_ADJUST = 0x2000;
constexpr uint32_t BF_FLAT = 0x4000;
constexpr uint32_t BF_MONO = 0x8000;
constexpr uint32_t DFC_BUTTON = 4;
constexpr uint32_t DFCS_BUTTONCHECK = 0x0000;
constexpr uint32_t DFCS_BUTTONRADIO = 0x0004;
constexpr uint32_t DFCS_BUTTONPUSH = 0x0010;
constexpr uint32_t DFCS_INACTIVE = 0x0100;
constexpr uint32_t DFCS_PUSHED = 0x0200;
constexpr uint32_t DFCS_CHECKED = 0x0400;
constexpr uint32_t DFCS_FLAT = 0x4000;
constexpr uint32_t DFCS_MONO = 0x8000;

// ---- Map modes, arc directions, stretch modes, flood fill ---------------------
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;
constexpr int AD_COUNTERCLOCKWISE = 1;
constexpr int AD_CLOCKWISE = 2;
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int FLOODFILLBORDER = 0;
constexpr int FLOODFILLSURFACE = 1;

// ---- Device capabilities ------------------------------------------------------
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// ---- Alpha blending -----------------------------------------------------------
constexpr uint8_t AC_SRC_OVER = 0;
constexpr uint8_t AC_SRC_ALPHA = 1;
struct TBlendFunction {
  uint8_t BlendOp = AC_SRC_OVER;
  uint8_t BlendFlags = 0;
  uint8_t SourceConstantAlpha = 255;
  uint8_t AlphaFormat = 0;  // AC_SRC_ALPHA: the source carries premultiplied alpha
};

constexpr uint32_t CLR_INVALID = 0xFFFFFFFF;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;
constexpr uint8_t ANSI_CHARSET = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// ---- Logical objects ----------------------------------------------------------
struct TLogPen {
  uint32_t Style = PS_SOLID;   // style | type | end cap | join
  int32_t Width = 1;           // 0 means 1 for cosmetic pens
  TColor Color = 0;
  std::vector<uint32_t> Dashes;  // dash/gap lengths of PS_USERSTYLE
  bool operator==(const TLogPen&) const = default;
};

// A brush pattern image: colour pixels as 0x00RRGGBB, or 0/1 bits for a
// monochrome pattern (0 draws in the text colour, 1 in the background colour).
struct TBrushPattern {
  int32_t Width = 0;
  int32_t Height = 0;
  bool Monochrome = false;
  std::vector<uint32_t> Pixels;  // row-major, Width * Height
  bool operator==(const TBrushPattern&) const = default;
};

struct TLogBrush {
  uint32_t Style = BS_SOLID;
  TColor Color = 0xFFFFFF;
  int32_t Hatch = HS_HORIZONTAL;
  std::shared_ptr<const TBrushPattern> Pattern;  // BS_PATTERN
  bool operator==(const TLogBrush& o) const {
    return Style == o.Style && Color == o.Color && Hatch == o.Hatch &&
           (Pattern == o.Pattern || (Pattern && o.Pattern && *Pattern == *o.Pattern));
  }
};

struct TLogFont {
  int32_t Height = 0;        // < 0: character height in pixels; > 0: cell height
  int32_t Width = 0;         // 0: natural width
  int32_t Escapement = 0;    // tenths of a degree, counter-clockwise
  int32_t Orientation = 0;
  int32_t Weight = FW_NORMAL;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = DEFAULT_CHARSET;
  uint8_t Quality = 0;
  std::string FaceName = "Arial";
  bool operator==(const TLogFont&) const = default;
};


struct TTextMetric {
  int32_t tmHeight = 0;
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0;
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmWeight = FW_NORMAL;
  bool tmItalic = false;
  bool tmUnderlined = false;
  bool tmStruckOut = false;
  uint8_t tmCharSet = DEFAULT_CHARSET;
};

// A point in device units with fractions (curves, glyph outlines, projections).
struct TPointF {
  double X = 0;
  double Y = 0;
};

// One closed or open figure of a path, in device coordinates.
struct TPathFigure {
  std::vector<TPointF> Points;
  bool Closed = false;
};

// Everything a backend needs to draw one primitive, in device units.
struct TDCState {
  TLogPen Pen;
  TLogBrush Brush;
  TLogFont Font;
  TColor TextColor = 0;
  TColor BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  int PolyFillMode = ALTERNATE;
  int StretchMode = BLACKONWHITE;
  int CharExtra = 0;
  TPoint BrushOrg{0, 0};
  uint64_t ClipSerial = 0;  // changes whenever the clip changes
  bool HasClip = false;
  TRegion Clip;            // device coordinates; valid when HasClip
  double PenScale = 1.0;   // logical-to-device scale of geometric pen widths
};

// The drawing backend. Coordinates are device pixels; shapes follow the
// platform's rules: boxes exclude their right and bottom edge.
class TDCBackend {
public:
  virtual ~TDCBackend() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual int BitsPerPixel() const = 0;
  // Raster backends expose the bitmap they paint into (source of BitBlt).
  virtual TBitmap* Surface() { return nullptr; }

  // Lines through Points from the pen; the last point is left out when
  // SkipLast (LineTo, Polyline), drawn when the figure is closed.
  virtual void StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast,
                              const TDCState& S) = 0;
  // Fill the figures with the brush (ROP2 applies) under the fill mode.
  // Pixels whose centres lie inside (a pixel X spans X..X+1) under the fill mode.
  virtual void FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode,
                            const TDCState& S) = 0;
  // Strokes figures with a pen wider than one pixel or with fractional points
  // (geometric pens: caps, joins, dashes).
  virtual void StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) = 0;
  // Exact box fill with a brush and a ternary raster operation (PatBlt, FillRect).
  virtual void PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) = 0;
  virtual void SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) = 0;
  virtual uint32_t GetPixel(int32_t X, int32_t Y) const = 0;
  // Text whose cell's top-left corner (in the font's rotated frame) is at X,Y;
  // the cell's background is filled per BkMode. Dx: advance of each character.
  virtual void DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                        const TDCState& S) = 0;
  virtual void FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) = 0;
  virtual bool BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
                      const TDCState& S) = 0;
  virtual bool AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect,
                          TBlendFunction Blend, const TDCState& S) = 0;
  virtual bool FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) = 0;
  virtual int DeviceCaps(int Index) const = 0;
};

// Creates the backend that paints into Bitmap's pixels (raster backend).
std::unique_ptr<TDCBackend> CreateBitmapBackend(TBitmap& Bitmap);

class TDeviceContext {
public:
  explicit TDeviceContext(std::unique_ptr<TDCBackend> Backend);
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  TDCBackend& Backend() const;
  // A new backend (a bitmap changed size or format); state is kept.
  void SetBackend(std::unique_ptr<TDCBackend> Backend);

  // ---- objects ----
  void SelectPen(const TLogPen& Pen);
  void SelectBrush(const TLogBrush& Brush);
  void SelectFont(const TLogFont& Font);
  const TLogPen& GetPen() const;
  const TLogBrush& GetBrush() const;
  const TLogFont& GetFont() const;
  static TLogPen ExtCreatePen(uint32_t Style, int32_t Width, const TLogBrush& Brush,
                              const std::vector<uint32_t>& Dashes = {});

  // ---- attributes; each setter answers the previous value ----
  TColor SetTextColor(TColor C);
  TColor GetTextColor() const;
  TColor SetBkColor(TColor C);
  TColor GetBkColor() const;
  int SetBkMode(int Mode);
  int GetBkMode() const;
  uint32_t SetTextAlign(uint32_t Align);
  uint32_t GetTextAlign() const;
  int SetROP2(int Rop);
  int GetROP2() const;
  int SetPolyFillMode(int Mode);
  int GetPolyFillMode() const;
  int SetArcDirection(int Dir);
  int GetArcDirection() const;
  int SetStretchBltMode(int Mode);
  int GetStretchBltMode() const;
  int SetTextCharacterExtra(int Extra);
  int GetTextCharacterExtra() const;
  TPoint SetBrushOrgEx(int32_t X, int32_t Y);

  // ---- current position and lines ----
  TPoint MoveTo(int32_t X, int32_t Y);  // answers the previous position
  TPoint GetCurrentPosition() const;
  void LineTo(int32_t X, int32_t Y);
  void Polyline(const TPoint* Points, int Count);
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), int(Points.size())); }
  void PolylineTo(const TPoint* Points, int Count);
  void PolyBezier(const TPoint* Points, int Count);

  // ---- filled shapes (pen outline, brush fill) ----
  void Polygon(const TPoint* Points, int Count);
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), int(Points.size())); }
  void PolyPolygon(const std::vector<std::vector<TPoint>>& Polygons);
  void Rectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  void Ellipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  void RoundRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                 int32_t CornerHeight);
  void Pie(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
           int32_t Y2);
  void Chord(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
             int32_t Y2);
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
           int32_t Y2);
  // Line from the current position to the arc start, the arc; the position ends at the arc's end.
  void ArcTo(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
             int32_t Y2);

  // ---- box fills (no pen, exact box) ----
  void FillRect(const TRect& R, const TLogBrush& Brush);
  void FillRect(const TRect& R);  // with the selected brush
  void FrameRect(const TRect& R, const TLogBrush& Brush);
  void InvertRect(const TRect& R);
  void DrawFocusRect(const TRect& R);
  bool PatBlt(int32_t X, int32_t Y, int32_t W, int32_t H, uint32_t Rop);
  void FillRgn(const TRegion& Rgn, const TLogBrush& Brush);  // region in device units
  void FrameRgn(const TRegion& Rgn, const TLogBrush& Brush, int32_t W, int32_t H);
  bool ExtFloodFill(int32_t X, int32_t Y, TColor Color, int Type);
  // Three-dimensional edges in the system colours; BF_ADJUST shrinks R by the edge.
  bool DrawEdge(TRect& R, uint32_t Edge, uint32_t Flags);
  // Check boxes, radio buttons and push buttons (DFC_BUTTON) drawn into R.
  bool DrawFrameControl(TRect& R, uint32_t Type, uint32_t State);

  // ---- pixels ----
  uint32_t SetPixel(int32_t X, int32_t Y, TColor C);  // answers the colour set
  uint32_t GetPixel(int32_t X, int32_t Y) const;      // CLR_INVALID outside the clip or surface

  // ---- text (UTF-8 or UTF-16) ----
  void TextOut(int32_t X, int32_t Y, const std::string& Text);
  void TextOut(int32_t X, int32_t Y, const std::u16string& Text);
  void ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect, const std::string& Text,
                  const std::vector<int32_t>* Dx = nullptr);
  void ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect, const std::u16string& Text,
                  const std::vector<int32_t>* Dx = nullptr);
  TSize GetTextExtentPoint(const std::string& Text) const;
  TSize GetTextExtentPoint(const std::u16string& Text) const;
  TTextMetric GetTextMetrics() const;
  std::string GetTextFace() const;  // the installed face that draws the selected font
  // Multi-line formatted text; answers the text height; DT_CALCRECT only measures.
  int DrawText(const std::string& Text, TRect& R, uint32_t Format);

  // ---- clipping (regions in device units, rectangles in logical units) ----
  int SelectClipRgn(const TRegion* Rgn);  // nullptr removes the clip
  int ExtSelectClipRgn(const TRegion* Rgn, int Mode);
  int IntersectClipRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  int ExcludeClipRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  int OffsetClipRgn(int32_t DX, int32_t DY);
  int GetClipBox(TRect& R) const;  // logical units; the surface when there is no clip
  // 1 and the clip in Rgn when there is one, 0 when there is none.
  int GetClipRgn(TRegion& Rgn) const;
  bool PtVisible(int32_t X, int32_t Y) const;

  // ---- saved states ----
  int SaveDC();                 // answers the new level
  bool RestoreDC(int Level);    // negative: relative to the current level

  // ---- mapping ----
  int SetMapMode(int Mode);
  int GetMapMode() const;
  TPoint SetWindowOrgEx(int32_t X, int32_t Y);
  TPoint SetViewportOrgEx(int32_t X, int32_t Y);
  TPoint OffsetWindowOrgEx(int32_t DX, int32_t DY);
  TPoint OffsetViewportOrgEx(int32_t DX, int32_t DY);
  TSize SetWindowExtEx(int32_t X, int32_t Y);
  TSize SetViewportExtEx(int32_t X, int32_t Y);
  TPoint GetWindowOrgEx() const;
  TPoint GetViewportOrgEx() const;
  TSize GetWindowExtEx() const;
  TSize GetViewportExtEx() const;
  void LPtoDP(TPoint* Points, int Count) const;
  void DPtoLP(TPoint* Points, int Count) const;
  TPoint LPtoDP(TPoint P) const;
  TPoint DPtoLP(TPoint P) const;

  // ---- paths ----
  bool BeginPath();
  bool EndPath();
  bool AbortPath();
  bool CloseFigure();
  bool FillPath();
  bool StrokePath();
  bool StrokeAndFillPath();
  bool WidenPath();
  bool SelectClipPath(int Mode);
  TRegion PathToRegion();
  bool InPath() const;
  std::vector<TPathFigure> GetPath() const;  // device coordinates

  // ---- blits ----
  bool BitBlt(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX, int32_t SY,
              uint32_t Rop);
  bool StretchBlt(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX,
                  int32_t SY, int32_t SW, int32_t SH, uint32_t Rop);
  bool AlphaBlend(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX,
                  int32_t SY, int32_t SW, int32_t SH, TBlendFunction Blend);
  // Blits from a bitmap directly (the bitmap need not have a canvas).
  bool StretchBltBitmap(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop);

  int GetDeviceCaps(int Index) const;

  struct Impl;

private:
  std::unique_ptr<Impl> d_;
};
