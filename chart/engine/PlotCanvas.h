#pragma once
// The chart engine's drawing interface and its GDI implementation.
//
// Every chart element draws through TPlotCanvas / TCanvas3D: it selects pens,
// brushes and fonts from its style objects (TChartPen, TChartBrush, TPlotFont,
// TPlotShadow, TPlotGradient) and calls the interface with 2-D pixels or with
// 3-D chart coordinates that the interface projects. TPlotCanvas3D realises
// the interface on the platform's device context, draws a picture into an
// off-screen bitmap and draws solids face by face with back-face culling.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/ui/StdCtrls.h"

class TControl;
class TPlotCanvas;
class TCanvas3D;
class TPlotBlend;
class TPlotFont;

using TPointArray = std::vector<TPoint>;
using TFourPoints = std::array<TPoint, 4>;

struct TPoint3D {
  int32_t X = 0, Y = 0, Z = 0;
  friend constexpr bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

struct TPointFloat {
  double X = 0, Y = 0;
};

struct TPoint3DFloat {
  double X = 0, Y = 0, Z = 0;
};

// Change handler of the style objects: called with the object that changed.
using TPlotChangeEvent = std::function<void(TObject* Sender)>;

// Transparency in percent, 0..100.
using TPlotTransparency = int32_t;

// Background colour that means "transparent" for brushes and patterns.
constexpr TColor clTransparentBack = 0xC0C0C1;

// ============================================================================
// Style objects
// ============================================================================

enum class TPenEndStyle : uint8_t { esRound, esSquare, esFlat };
using enum TPenEndStyle;

class TChartPen : public TPen, public TPersistent {
  KV_CLASS(TChartPen, TPersistent)

public:
  explicit TChartPen(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  void AssignPen(const TPen& Source);

  TPenEndStyle GetEndStyle() const { return FEndStyle; }
  void SetEndStyle(TPenEndStyle Value);
  bool GetSmallDots() const { return FSmallDots; }
  void SetSmallDots(bool Value);
  int32_t GetSmallSpace() const { return FSmallSpace; }
  void SetSmallSpace(int32_t Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // Stores Visible without the change event (for a temporary switch).
  void SetVisibleField(bool Value) { FVisible = Value; }
  void Hide() { SetVisible(false); }
  void Show() { SetVisible(true); }

  bool IsColorStored() const { return GetColor() != DefaultColor; }
  bool IsStyleStored() const;
  bool IsEndStyleStored() const { return FEndStyle != UnstoredEnd; }
  bool IsVisibleStored() const { return FVisible != UnstoredVisible; }

  TPenEndStyle UnstoredEnd = esRound;
  bool UnstoredVisible = true;

protected:
  void NotifyChange();
  // Colour and style the preset pens start with (not stored when unchanged).
  TColor DefaultColor = clBlack;
  TPenStyle DefaultStyle = psSolid;

private:
  TPenEndStyle FEndStyle = esRound;
  bool FSmallDots = false;
  int32_t FSmallSpace = 0;
  bool FVisible = true;
};

class TChartHiddenPen : public TChartPen {
  KV_CLASS(TChartHiddenPen, TChartPen)
public:
  explicit TChartHiddenPen(TPlotChangeEvent ChangeHandler = {});
};

class TDottedGrayPen : public TChartPen {
  KV_CLASS(TDottedGrayPen, TChartPen)
public:
  explicit TDottedGrayPen(TPlotChangeEvent ChangeHandler = {});
};

class TDarkGrayPen : public TChartPen {
  KV_CLASS(TDarkGrayPen, TChartPen)
public:
  explicit TDarkGrayPen(TPlotChangeEvent ChangeHandler = {});
};

class TWhitePen : public TChartPen {
  KV_CLASS(TWhitePen, TChartPen)
public:
  explicit TWhitePen(TPlotChangeEvent ChangeHandler = {});
};

// A brush; Style values above 7 select the extended hatch patterns.
class TChartBrush : public TBrush, public TPersistent {
  KV_CLASS(TChartBrush, TPersistent)

public:
  explicit TChartBrush(TPlotChangeEvent ChangeHandler = {});
  ~TChartBrush() override;
  void Assign(const TPersistent* Source) override;
  void AssignBrush(const TBrush& Source);

  // Created on first read.
  TPicture* GetImage();
  // The image if one was created, without creating it.
  TPicture* PeekImage() const { return FImage.get(); }
  // nullptr frees the picture, anything else is copied into it.
  void SetImage(const TPicture* Value);
  // The published image: created when read (streaming reads into it), stored
  // only when it holds a picture.
  TPicture* GetPublishedImage() const { return const_cast<TChartBrush*>(this)->GetImage(); }
  bool IsImageStored() const { return FImage && !FImage->Empty(); }

  // The style as its stored ordinal (0..7 standard, 8.. extended hatches).
  int32_t GetStyleOrdinal() const { return static_cast<int32_t>(GetStyle()); }
  void SetStyleOrdinal(int32_t Value);

protected:
  void NotifyChange();

private:
  std::unique_ptr<TPicture> FImage;
};

class TPlotShadow;
class TPlotFontGradient;

enum class TGradientDirection : int32_t {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft,
  gdRadial,
  gdDiagonalUp,
  gdDiagonalDown
};
using enum TGradientDirection;

class TCustomPlotGradient : public TPersistent {
  KV_CLASS(TCustomPlotGradient, TPersistent)

public:
  explicit TCustomPlotGradient(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;

  int32_t GetBalance() const { return FBalance; }
  void SetBalance(int32_t Value);
  TGradientDirection GetDirection() const { return FDirection; }
  void SetDirection(TGradientDirection Value);
  TColor GetEndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  // clNone while no middle colour is in use.
  TColor GetMidColor() const { return FMiddleOn ? FMidColor : clNone; }
  void SetMidColor(TColor Value);
  int32_t GetRadialX() const { return FRadialX; }
  void SetRadialX(int32_t Value);
  int32_t GetRadialY() const { return FRadialY; }
  void SetRadialY(int32_t Value);
  TColor GetStartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetMiddleOn() const { return FMiddleOn; }
  void UseMiddleColor();

  void FillRect(TCanvas3D& Canvas, const TRect& Rect, int32_t CornerSize = 0);
  void FillRadial(TCanvas3D& Canvas, const TRect& Rect);
  void FillPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points, bool Project, int32_t Z);
  void FillQuad(TCanvas3D& Canvas, const TFourPoints& P);
  void FillQuad3D(TCanvas3D& Canvas, const TFourPoints& P, int32_t Z);

  TPlotChangeEvent OnChange;

protected:
  void NotifyChange();
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      NotifyChange();
    }
  }

private:
  int32_t FBalance = 50;
  TGradientDirection FDirection = gdTopBottom;
  TColor FEndColor = clYellow;
  TColor FMidColor = clNone;
  int32_t FRadialX = 0;
  int32_t FRadialY = 0;
  TColor FStartColor = clWhite;
  bool FVisible = false;
  bool FMiddleOn = false;
};

class TPlotGradient : public TCustomPlotGradient {
  KV_CLASS(TPlotGradient, TCustomPlotGradient)
public:
  using TCustomPlotGradient::TCustomPlotGradient;
};

class TPlotFontGradient : public TPlotGradient {
  KV_CLASS(TPlotFontGradient, TPlotGradient)
public:
  using TPlotGradient::TPlotGradient;
  void Assign(const TPersistent* Source) override;
  bool GetOutline() const { return FOutline; }
  void SetOutline(bool Value) { Change(FOutline, Value); }

private:
  bool FOutline = false;
};

class TPlotShadow : public TPersistent {
  KV_CLASS(TPlotShadow, TPersistent)

public:
  explicit TPlotShadow(TPlotChangeEvent ChangeHandler = {});
  ~TPlotShadow() override;
  void Assign(const TPersistent* Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int32_t GetHorizSize() const { return FHorizSize; }
  void SetHorizSize(int32_t Value);
  int32_t GetVertSize() const { return FVertSize; }
  void SetVertSize(int32_t Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value);
  // The larger of the two sizes; setting it sets both.
  int32_t GetSize() const { return FHorizSize > FVertSize ? FHorizSize : FVertSize; }
  void SetSize(int32_t Value);

  bool IsColorStored() const { return FColor != UnstoredColor; }
  bool IsHorizSizeStored() const { return FHorizSize != UnstoredSize; }
  bool IsVertSizeStored() const { return FVertSize != UnstoredSize; }

  void DrawRect(TCanvas3D& Canvas, const TRect& Rect) { DrawRectAtDepth(Canvas, Rect, 0); }
  void DrawRectAtDepth(TCanvas3D& Canvas, const TRect& Rect, int32_t Z);
  void DrawEllipse(TCanvas3D& Canvas, const TRect& Rect, int32_t Z = 0);

  TColor UnstoredColor = clSilver;
  int32_t UnstoredSize = 0;
  TPlotChangeEvent OnChange;

private:
  bool PrepareCanvas(TCanvas3D& Canvas, const TRect& Rect, int32_t Z);
  void FinishBlend(TCanvas3D& Canvas);

  TColor FColor = clSilver;
  int32_t FHorizSize = 0;
  int32_t FVertSize = 0;
  bool FSmooth = true;
  TPlotTransparency FTransparency = 0;
  TPlotBlend* FBlend = nullptr;
};

class TPlotFont : public TFont {
  KV_CLASS(TPlotFont, TPersistent)

public:
  explicit TPlotFont(TPlotChangeEvent ChangeHandler = {});
  ~TPlotFont() override;
  void Assign(const TPersistent* Source) override;
  void AssignFont(const TFont& Source);

  // Created on first read; the Peek forms answer nullptr when absent.
  TPlotFontGradient* GetGradient();
  TChartHiddenPen* GetOutLine();
  TPlotShadow* GetShadow();
  TPlotFontGradient* PeekGradient() const { return FGradient.get(); }
  TChartHiddenPen* PeekOutLine() const { return FOutLine.get(); }
  TPlotShadow* PeekShadow() const { return FShadow.get(); }
  // nullptr frees ours; anything else is copied into ours (created if needed).
  void SetGradient(const TPlotFontGradient* Value);
  void SetOutLine(const TChartPen* Value);
  void SetShadow(const TPlotShadow* Value);

  int32_t GetInterCharSize() const { return FInterCharSize; }
  void SetInterCharSize(int32_t Value);

  bool IsColorStored() const { return GetColor() != UnstoredColor; }
  bool IsStyleStored() const { return GetStyle() != UnstoredStyle; }
  bool IsHeightStored() const;
  bool IsNameStored() const;

  // The drawing interface that last selected this font.
  TPlotCanvas* Canvas = nullptr;
  TColor UnstoredColor = clBlack;
  TFontStyles UnstoredStyle;

protected:
  void NotifyChange();

private:
  TPlotChangeEvent FHandler;
  std::unique_ptr<TPlotFontGradient> FGradient;
  std::unique_ptr<TChartHiddenPen> FOutLine;
  std::unique_ptr<TPlotShadow> FShadow;
  int32_t FInterCharSize = 0;
};

// The 3-D view settings of a chart panel.
class TView3DOptions : public TPersistent {
  KV_CLASS(TView3DOptions, TPersistent)

public:
  explicit TView3DOptions(TControl* Panel = nullptr);
  void Assign(const TPersistent* Source) override;

  int32_t GetElevation() const;
  void SetElevation(int32_t Value) { SetElevationFloat(Value); }
  void SetElevationFloat(double Value);
  double GetElevationFloat() const { return FElevation; }
  int32_t GetRotation() const;
  void SetRotation(int32_t Value) { SetRotationFloat(Value); }
  void SetRotationFloat(double Value);
  double GetRotationFloat() const { return FRotation; }
  int32_t GetTilt() const { return FTilt; }
  void SetTilt(int32_t Value) { Change(FTilt, Value); }
  int32_t GetPerspective() const { return FPerspective; }
  void SetPerspective(int32_t Value) { Change(FPerspective, Value); }
  int32_t GetZoom() const { return FZoom; }
  void SetZoom(int32_t Value);
  bool GetZoomText() const { return FZoomText; }
  void SetZoomText(bool Value) { Change(FZoomText, Value); }
  int32_t GetFontZoom() const { return FFontZoom; }
  void SetFontZoom(int32_t Value) { Change(FFontZoom, Value); }
  int32_t GetHorizOffset() const { return FHorizOffset; }
  void SetHorizOffset(int32_t Value);
  int32_t GetVertOffset() const { return FVertOffset; }
  void SetVertOffset(int32_t Value);
  bool GetOrthogonal() const { return FOrthogonal; }
  void SetOrthogonal(bool Value) { Change(FOrthogonal, Value); }
  int32_t GetOrthoAngle() const { return FOrthoAngle; }
  void SetOrthoAngle(int32_t Value) { Change(FOrthoAngle, Value); }
  double OrthoTangent() const;

  TControl* GetPanel() const { return FPanel; }
  // Invalidates the owner panel's window (also called by the canvas when its
  // monochrome setting changes).
  void Repaint();

  std::function<void(bool Horizontal)> ScrollNotify;
  std::function<void(int32_t NewZoom)> ZoomNotify;

private:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Repaint();
    }
  }

  TControl* FPanel;
  double FElevation = 345;
  double FRotation = 345;
  int32_t FTilt = 0;
  int32_t FPerspective = 15;
  int32_t FZoom = 100;
  bool FZoomText = true;
  int32_t FFontZoom = 100;
  int32_t FHorizOffset = 0;
  int32_t FVertOffset = 0;
  bool FOrthogonal = true;
  int32_t FOrthoAngle = 45;
};

// Transparency of a drawing: the pixels under a rectangle are kept when the
// blend begins and mixed back over the new drawing when it ends.
class TPlotBlend {
public:
  TPlotBlend(TPlotCanvas& Canvas, const TRect& Rect);
  ~TPlotBlend();
  TPlotBlend(const TPlotBlend&) = delete;
  TPlotBlend& operator=(const TPlotBlend&) = delete;
  void SetRectangle(const TRect& Rect);
  void DoBlend(TPlotTransparency Transparency);
  const TRect& GetRect() const { return FRect; }
  bool IsValid() const { return FValid; }

private:
  TPlotCanvas& FCanvas;
  TRect FRect;
  bool FValid = false;
  std::unique_ptr<TBitmap> FBitmap;
};

// ============================================================================
// Drawing interface
// ============================================================================

class TPlotCanvas {
public:
  TPlotCanvas();
  virtual ~TPlotCanvas();
  TPlotCanvas(const TPlotCanvas&) = delete;
  TPlotCanvas& operator=(const TPlotCanvas&) = delete;

  // ---- virtual operations, in their fixed order ----
  virtual TColor GetBackColor() = 0;
  virtual int GetBackMode() = 0;
  virtual TDeviceContext* GetDC() = 0;
  virtual bool GetMonochrome() = 0;
  virtual TColor GetPixel(int32_t X, int32_t Y) = 0;
  virtual bool IsTrue3D() = 0;
  virtual uint32_t GetTextAlign() = 0;
  virtual bool GetBuffered() = 0;
  virtual void SetBackColor(TColor Color) = 0;
  virtual void SetBackMode(int Mode) = 0;
  virtual void SetMonochrome(bool Value) = 0;
  virtual void SetPixel(int32_t X, int32_t Y, TColor Color) = 0;
  virtual void SetTextAlign(uint32_t Align) = 0;
  virtual void SetBuffered(bool Value) = 0;
  virtual void UsePenColor(TPen& Pen, TColor Color);
  virtual TPlotBlend* BeginBlend(const TRect& Rect, TPlotTransparency Transparency);
  virtual void EndBlend(TPlotBlend* Blend);
  virtual void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                   int32_t EndX, int32_t EndY) = 0;
  virtual void RingSector(int32_t CentreX, int32_t CentreY, int32_t XRadius, int32_t YRadius, double StartAngle,
                          double EndAngle, double DonutPercent) = 0;
  virtual void DrawGraphic(int32_t X, int32_t Y, const TGraphic* Graphic) = 0;
  virtual void Ellipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) = 0;
  virtual void FillRect(const TRect& Rect) = 0;
  virtual void BevelFrame(TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width);
  virtual void LineTo(int32_t X, int32_t Y) = 0;
  virtual void MoveTo(int32_t X, int32_t Y) = 0;
  virtual void Pie(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
                   int32_t Y2) = 0;
  virtual void Rectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) = 0;
  virtual void RoundRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                         int32_t CornerHeight) = 0;
  virtual void StretchGraphic(const TRect& Rect, const TGraphic* Graphic) = 0;
  virtual void TextOut(int32_t X, int32_t Y, const std::string& Text) = 0;
  virtual int32_t TextWidth(const std::string& Text);
  virtual int32_t TextHeight(const std::string& Text);
  virtual int32_t TextWidthW(const std::u16string& Text);
  virtual int32_t TextHeightW(const std::u16string& Text);
  virtual void ClipRect(const TRect& Rect) = 0;
  virtual void ClipRoundRect(const TRect& Rect, int32_t CornerSize);
  virtual void ClipEllipse(const TRect& Rect, bool Exclude = false);
  virtual void ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints);
  virtual void HorizLine(int32_t X0, int32_t X1, int32_t Y) = 0;
  virtual void VertLine(int32_t X, int32_t Y0, int32_t Y1) = 0;
  virtual void PaintBackRect(const TRect& Rect) = 0;
  virtual void GradientRect(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                            int32_t Balance) = 0;
  virtual void InvalidateBuffer() = 0;
  virtual void Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) = 0;
  virtual void Polyline(std::span<const TPoint> Points) = 0;
  virtual void Polygon(std::span<const TPoint> Points) = 0;
  virtual void RotatedText(int32_t X, int32_t Y, const std::string& Text, double Angle) = 0;
  virtual void Unclip() = 0;

  // ---- interface-level operations ----
  void AttachCanvas(TCanvas* Canvas);
  void ResetState();
  void UseFont(TPlotFont& Font);
  void UsePen(TPen& Pen) { UsePenColor(Pen, Pen.GetColor()); }
  void UseBrush(TChartBrush& Brush, TColor BackColor = clTransparentBack) {
    UseBrushColor(Brush, Brush.GetColor(), BackColor);
  }
  void UseBrushColor(TChartBrush& Brush, TColor Color, TColor BackColor = clTransparentBack);
  void SetDarkerBrush(TColor Color, int32_t Quantity);
  int32_t FontHeight() { return TextHeight("W"); }
  TSize TextExtentW(const std::u16string& Text);
  void RectangleRect(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void EllipseRect(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRectRect(const TRect& R, int32_t CornerWidth, int32_t CornerHeight) {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, CornerWidth, CornerHeight);
  }
  void LinePoints(TPoint P0, TPoint P1) { Line(P0.X, P0.Y, P1.X, P1.Y); }
  // Plain text, or the HTML-subset painter when IsHtml.
  void TextOutFormat(int32_t X, int32_t Y, const std::string& Text, bool IsHtml);

  // ---- state ----
  TPen* Pen = nullptr;
  TBrush* Brush = nullptr;
  TFont* Font = nullptr;
  TCanvas* Target = nullptr;
  bool Metafile = false;
  TPlotTransparency BlendTransparency = 0;
  TRect ViewBounds;
  TPlotFont* CurrentFont = nullptr;
  double FontScale = 100.0;
  // The off-screen picture, when the implementation draws into one.
  virtual TBitmap* GetOffscreenBitmap() { return nullptr; }
};

// Ends a transparency blend of the canvas on every exit of a drawing; a null
// blend (nothing to blend) is passed over.
class [[nodiscard]] TBlendScope {
public:
  TBlendScope(TPlotCanvas& Canvas, TPlotBlend* Blend) : FCanvas(Canvas), FBlend(Blend) {}
  // Begins the blend itself when Percent is above 0.
  TBlendScope(TPlotCanvas& Canvas, const TRect& Rect, TPlotTransparency Percent)
      : FCanvas(Canvas), FBlend(Percent > 0 ? Canvas.BeginBlend(Rect, Percent) : nullptr) {}
  ~TBlendScope() {
    if (FBlend) FCanvas.EndBlend(FBlend);
  }
  TBlendScope(const TBlendScope&) = delete;
  TBlendScope& operator=(const TBlendScope&) = delete;

private:
  TPlotCanvas& FCanvas;
  TPlotBlend* FBlend;
};

class TCanvas3D : public TPlotCanvas {
public:
  // Corners of one cell of a surface.
  using TCellPointsEvent = std::function<bool(int32_t X, int32_t Z, TPoint3D& P0, TPoint3D& P1, TPoint3D& P2,
                                              TPoint3D& P3, TColor& Color0, TColor& Color1)>;

  virtual TColor GetPixel3D(int32_t X, int32_t Y, int32_t Z) = 0;
  virtual bool Supports3DText() = 0;
  virtual void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Color) = 0;
  virtual void ScreenTo3D(int32_t& X, int32_t& Y, int32_t Z) = 0;
  virtual TPoint Project(int32_t X, int32_t Y, int32_t Z) = 0;
  virtual TRect BeginView(TCanvas* Canvas, TView3DOptions* Options, TColor BackColor, bool Is3D,
                          const TRect& Rect) = 0;
  virtual void CopySettings(TCanvas3D& Source);
  virtual void SetViewCenter(int32_t Depth, const TRect& Rect) = 0;
  virtual void ShowBuffer(TCanvas& DestCanvas, TCanvas* WindowCanvas, const TRect& Rect) = 0;
  virtual bool RedrawFromBuffer() = 0;
  virtual void Arrow(bool Filled, TPoint FromPoint, TPoint ToPoint, int32_t HeadWidth, int32_t HeadLength,
                     int32_t Z, double ArrowPercent) = 0;
  virtual void ClipBox3D(const TRect& Rect, int32_t Z0, int32_t Z1) = 0;
  virtual void RoundSolidTop(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                             int32_t Z1, bool DarkSides, int32_t TopPercent) = 0;
  virtual void Box(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1,
                   bool DarkSides) = 0;
  virtual void RoundSolid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                          int32_t Z1, bool DarkSides) = 0;
  virtual void Enter2D() {}
  virtual void EllipseAtDepth(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z) = 0;
  virtual void Leave2D() {}
  virtual void HorizLine3D(int32_t X0, int32_t X1, int32_t Y, int32_t Z) = 0;
  virtual void VertLine3D(int32_t X, int32_t Y0, int32_t Y1, int32_t Z) = 0;
  virtual void DepthLine(int32_t X, int32_t Y, int32_t Z0, int32_t Z1) = 0;
  virtual void DisableRotation();
  virtual void EnableRotation();
  virtual void LineAtDepth(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z) = 0;
  virtual void MoveTo3D(int32_t X, int32_t Y, int32_t Z) = 0;
  virtual void LineTo3D(int32_t X, int32_t Y, int32_t Z) = 0;
  virtual void PieSlice3D(int32_t CentreX, int32_t CentreY, int32_t XRadius, int32_t YRadius, int32_t Z0,
                          int32_t Z1, double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                          int32_t DonutPercent, TCustomPlotGradient* Gradient) = 0;
  virtual void VerticalQuad(TPoint P0, TPoint P1, int32_t Z0, int32_t Z1) = 0;
  virtual void QuadAtDepth(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z) = 0;
  virtual void Quad3D(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z0, int32_t Z1) = 0;
  virtual void PolygonAtDepth(std::span<const TPoint> Points, int32_t Z) = 0;
  virtual void PolylineAtDepth(std::span<const TPoint> Points, int32_t Z) = 0;
  virtual void Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                       int32_t Z1, bool DarkSides) = 0;
  virtual void TruncatedPyramid(const TRect& Rect, int32_t Z0, int32_t Z1, int32_t HalfWidth,
                                int32_t HalfDepth) = 0;
  virtual void RectAtDepth(const TRect& Rect, int32_t Z) = 0;
  virtual void HorizPlane(int32_t X0, int32_t Y, int32_t X1, int32_t Z0, int32_t Z1) = 0;
  virtual void SidePlane(int32_t X, int32_t Y0, int32_t Y1, int32_t Z0, int32_t Z1) = 0;
  virtual void RotatedText3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text, double Angle) = 0;
  virtual void Sphere(int32_t X, int32_t Y, int32_t Z, double Radius) = 0;
  virtual void SurfaceCells(int32_t Style, bool SameBrush, int32_t NumXValues, int32_t NumZValues,
                            const TCellPointsEvent& CellPoints) = 0;
  virtual void TextOut3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text) = 0;
  virtual void Triangle3D(const TPoint3D& P0, const TPoint3D& P1, const TPoint3D& P2, TColor Color0,
                          TColor Color1, TColor Color2) = 0;
  virtual void TriangleAtDepth(TPoint P0, TPoint P1, TPoint P2, int32_t Z) = 0;

  // ---- interface-level operations ----
  void ArrowHalf(bool Filled, TPoint From, TPoint To, int32_t HeadWidth, int32_t HeadLength, int32_t Z) {
    Arrow(Filled, From, To, HeadWidth, HeadLength, Z, 50.0);
  }
  TRect RectTo2D(const TRect& Rect, int32_t Z);
  TRect RectBounds2D(const TRect& Rect, int32_t Z);
  TFourPoints RectCorners(const TRect& Rect, int32_t Z);
  TPoint PointTo2D(TPoint P, int32_t Z) { return Project(P.X, P.Y, Z); }
  TPoint PointXYZTo2D(const TPoint3D& P) { return Project(P.X, P.Y, P.Z); }
  void BoxRect(const TRect& Rect, int32_t Z0, int32_t Z1, bool DarkSides) {
    Box(Rect.Left, Rect.Right, Rect.Top, Rect.Bottom, Z0, Z1, DarkSides);
  }
  void LineAtDepthPoints(TPoint P0, TPoint P1, int32_t Z) { LineAtDepth(P0.X, P0.Y, P1.X, P1.Y, Z); }
  void MoveToPoint3D(const TPoint3D& P) { MoveTo3D(P.X, P.Y, P.Z); }
  void LineToPoint3D(const TPoint3D& P) { LineTo3D(P.X, P.Y, P.Z); }
  void QuadAtDepthPoints(const TFourPoints& P, int32_t Z) { QuadAtDepth(P[0], P[1], P[2], P[3], Z); }
  void RectAtDepthLTRB(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z) {
    RectAtDepth(TRect(Left, Top, Right, Bottom), Z);
  }
  void DrawGraphic3D(const TRect& Rect, const TGraphic* Graphic, int32_t Z);

  // ---- state ----
  TView3DOptions* View3DOptions = nullptr;
  int32_t FlatCount = 0;
  bool ObliqueView = false;
  int32_t CentreX = 0, CentreY = 0, CentreZ = 0;
  TPoint3DFloat PivotOffset;
};

// The drawing interface on the platform's device context.
class TPlotCanvas3D : public TCanvas3D {
public:
  TPlotCanvas3D();
  ~TPlotCanvas3D() override;

  TColor GetBackColor() override;
  int GetBackMode() override;
  TDeviceContext* GetDC() override;
  bool GetMonochrome() override { return Monochrome; }
  TColor GetPixel(int32_t X, int32_t Y) override;
  bool IsTrue3D() override { return false; }
  uint32_t GetTextAlign() override;
  bool GetBuffered() override { return BufferedDisplay; }
  void SetBackColor(TColor Color) override;
  void SetBackMode(int Mode) override;
  void SetMonochrome(bool Value) override;
  void SetPixel(int32_t X, int32_t Y, TColor Color) override;
  void SetTextAlign(uint32_t Align) override;
  void SetBuffered(bool Value) override;
  void Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY, int32_t EndX,
           int32_t EndY) override;
  void RingSector(int32_t CentreX, int32_t CentreY, int32_t XRadius, int32_t YRadius, double StartAngle,
                  double EndAngle, double DonutPercent) override;
  void DrawGraphic(int32_t X, int32_t Y, const TGraphic* Graphic) override;
  void Ellipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) override;
  void FillRect(const TRect& Rect) override;
  void LineTo(int32_t X, int32_t Y) override;
  void MoveTo(int32_t X, int32_t Y) override;
  void Pie(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
           int32_t Y2) override;
  void Rectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) override;
  void RoundRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                 int32_t CornerHeight) override;
  void StretchGraphic(const TRect& Rect, const TGraphic* Graphic) override;
  void TextOut(int32_t X, int32_t Y, const std::string& Text) override;
  void ClipRect(const TRect& Rect) override;
  void HorizLine(int32_t X0, int32_t X1, int32_t Y) override;
  void VertLine(int32_t X, int32_t Y0, int32_t Y1) override;
  void PaintBackRect(const TRect& Rect) override;
  void GradientRect(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                    int32_t Balance) override;
  void InvalidateBuffer() override { BufferInvalid = true; }
  void Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) override;
  void Polyline(std::span<const TPoint> Points) override;
  void Polygon(std::span<const TPoint> Points) override;
  void RotatedText(int32_t X, int32_t Y, const std::string& Text, double Angle) override;
  void Unclip() override;

  TColor GetPixel3D(int32_t X, int32_t Y, int32_t Z) override;
  bool Supports3DText() override { return false; }
  void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Color) override;
  void ScreenTo3D(int32_t& X, int32_t& Y, int32_t Z) override;
  TPoint Project(int32_t X, int32_t Y, int32_t Z) override;
  TRect BeginView(TCanvas* Canvas, TView3DOptions* Options, TColor BackColor, bool Is3D,
                  const TRect& Rect) override;
  void SetViewCenter(int32_t Depth, const TRect& Rect) override;
  void ShowBuffer(TCanvas& DestCanvas, TCanvas* WindowCanvas, const TRect& Rect) override;
  bool RedrawFromBuffer() override;
  void Arrow(bool Filled, TPoint FromPoint, TPoint ToPoint, int32_t HeadWidth, int32_t HeadLength, int32_t Z,
             double ArrowPercent) override;
  void ClipBox3D(const TRect& Rect, int32_t Z0, int32_t Z1) override;
  void RoundSolidTop(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                     int32_t Z1, bool DarkSides, int32_t TopPercent) override;
  void Box(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1,
           bool DarkSides) override;
  void RoundSolid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
                  bool DarkSides) override {
    RoundSolidTop(Vertical, Left, Top, Right, Bottom, Z0, Z1, DarkSides, 100);
  }
  void Enter2D() override;
  void EllipseAtDepth(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z) override;
  void Leave2D() override;
  void HorizLine3D(int32_t X0, int32_t X1, int32_t Y, int32_t Z) override;
  void VertLine3D(int32_t X, int32_t Y0, int32_t Y1, int32_t Z) override;
  void DepthLine(int32_t X, int32_t Y, int32_t Z0, int32_t Z1) override;
  void LineAtDepth(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z) override;
  void MoveTo3D(int32_t X, int32_t Y, int32_t Z) override;
  void LineTo3D(int32_t X, int32_t Y, int32_t Z) override;
  void PieSlice3D(int32_t CentreX, int32_t CentreY, int32_t XRadius, int32_t YRadius, int32_t Z0, int32_t Z1,
                  double StartAngle, double EndAngle, bool DarkSides, bool DrawSides, int32_t DonutPercent,
                  TCustomPlotGradient* Gradient) override;
  void VerticalQuad(TPoint P0, TPoint P1, int32_t Z0, int32_t Z1) override;
  void QuadAtDepth(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z) override;
  void Quad3D(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z0, int32_t Z1) override;
  void PolygonAtDepth(std::span<const TPoint> Points, int32_t Z) override;
  void PolylineAtDepth(std::span<const TPoint> Points, int32_t Z) override;
  void Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0, int32_t Z1,
               bool DarkSides) override;
  void TruncatedPyramid(const TRect& Rect, int32_t Z0, int32_t Z1, int32_t HalfWidth, int32_t HalfDepth) override;
  void RectAtDepth(const TRect& Rect, int32_t Z) override;
  void HorizPlane(int32_t X0, int32_t Y, int32_t X1, int32_t Z0, int32_t Z1) override;
  void SidePlane(int32_t X, int32_t Y0, int32_t Y1, int32_t Z0, int32_t Z1) override;
  void RotatedText3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text, double Angle) override;
  void Sphere(int32_t X, int32_t Y, int32_t Z, double Radius) override;
  void SurfaceCells(int32_t, bool, int32_t, int32_t, const TCellPointsEvent&) override {}
  void TextOut3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text) override;
  void Triangle3D(const TPoint3D& P0, const TPoint3D& P1, const TPoint3D& P2, TColor Color0, TColor Color1,
                  TColor Color2) override;
  void TriangleAtDepth(TPoint P0, TPoint P1, TPoint P2, int32_t Z) override;

  // Draws QuadPoints as a filled polygon.
  virtual void Polygon4();
  virtual void FreeBuffer();
  // Copies the off-screen picture to Canvas at (X, Y).
  virtual void BlitBuffer(int32_t X, int32_t Y, TCanvas& Canvas);

  // Takes the rotated view of the options again for Rect at Depth, between
  // paints (a tool turning the chart draws its outline with it).
  void RecalcRotatedView(int32_t Depth, const TRect& Rect);
  // Projection of a chart point, in place (round half to even).
  void ProjectInPlace(int32_t& X, int32_t& Y, int32_t Z) const;
  // The same on doubles (used by Quad3D and the round solids).
  TPoint ProjectFloat(double X, double Y, int32_t Z) const;
  TBitmap* GetOffscreenBitmap() override { return OffscreenBitmap.get(); }

  int32_t ScreenCentreX = 0, ScreenCentreY = 0;
  long double SinElevation = 0, CosElevation = 1, SinRotation = 0, CosRotation = 1, SinTilt = 0, CosTilt = 1;
  std::array<double, 6> InverseTerms{};
  bool Saved3D = false;
  std::unique_ptr<TBitmap> OffscreenBitmap;
  bool Monochrome = false;
  bool PerspectiveOn = false, TiltOn = false;
  double ObliqueDX = 1, ObliqueDY = 1;
  double PerspectiveFactor = 0;
  double ZoomScale = 1.0;
  bool ScaleTexts = true;
  bool BufferedDisplay = true;
  bool Projected = false;
  bool HoldBitmap = false;
  TFourPoints QuadPoints{};
  bool BufferInvalid = true;

private:
  void ComputeViewAngles();
  // Remembers the colour of the solid about to be drawn (brush or background).
  void BeginSolid();
  void DarkenSolid(int32_t Quantity);
  void EndSolid();
  // Draws a face of a convex solid when it faces the viewer; Centre is the
  // solid's centre, used to orient the face outwards.
  void DrawFaceIfVisible(std::vector<TPoint3D> Face, const TPoint3DFloat& Centre);
  void TextWithEffects(int32_t X, int32_t Y, const std::string& Text);
  void TextOutWithFont(int32_t X, int32_t Y, const std::string& Text, int32_t PointSize);
  TColor SolidColor = clBlack;
  bool SolidIsBrush = true;
};

// ============================================================================
// Unit routines and state
// ============================================================================

bool IsBackFace(TPoint P0, TPoint P1, TPoint P2);
bool IsBackFaceArray(std::span<const TPoint> Points);
inline TPoint MakePoint(int32_t X, int32_t Y) { return TPoint(X, Y); }
inline TRect MakeRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  return TRect(Left, Top, Right, Bottom);
}
bool PointInRectXY(const TRect& Rect, int32_t X, int32_t Y);
inline bool PointInRect(const TRect& Rect, TPoint P) { return PointInRectXY(Rect, P.X, P.Y); }
TRect NormalizeRect(const TRect& Rect);
TSize RectExtent(const TRect& Rect);
TPoint RectMidPoint(const TRect& Rect);
TRect PointsBounds(std::span<const TPoint> Points, int32_t High);
TRect PolygonRect(std::span<const TPoint> Points, int32_t Count);
inline TRect TriangleRect(const std::array<TPoint, 3>& P) { return PolygonRect(P, 3); }
bool ConvexHull(TPointArray& Points);
TPoint PointBeforeEnd(TPoint Start, TPoint End, int32_t Distance);
double Hypotenuse(double X, double Y);
void SwapDouble(double& A, double& B);
void SwapInteger(int32_t& A, int32_t& B);
struct TRGBTriple {
  uint8_t Blue = 0, Green = 0, Red = 0;
};
TRGBTriple ColorToRGBTriple(TColor Color);
TColor DarkerColor(TColor Color, int32_t Quantity);
TColor LighterColor(TColor Color, int32_t Quantity);
TLogPen MakeDottedPenHandle(TColor Color, int32_t Spacing);
void ApplyChartPen(TPen& TargetPen, const TChartPen& Pen, TColor Color, TDeviceContext* DC);
// Clipping: each select pushes the clip it replaces, each restore pops one, so
// clips nest.
void SelectClipRegion(TDeviceContext* DC, const TRegion* Region);
void RestoreClipRegion(TCanvas* Canvas);
void ClipCanvasRect(TCanvas* Canvas, const TRect& Rect);
// Number of clips not yet restored (diagnostics and tests).
int32_t ClipDepth();
// Drops every saved clip (tests; a picture that ended unbalanced).
void ResetClipStack();
// Mixes the old pixels of Source back over Target at Position with Percent weight.
void BlendBitmaps(TBitmap& Source, TBitmap& Target, TPoint Position, double Percent);

namespace PlotCanvas {

// Round half to even into a pixel coordinate; NaN gives 0 and values beyond
// the platform's coordinate limit are clamped.
int32_t RoundToPixel(double Value);

// Geometric pens are available (always on this platform).
extern bool ExtendedPens;
// Constant-alpha blending through the device context is used when set;
// otherwise the per-pixel blend runs.
extern bool AlphaBlendAvailable;
// Sides of round solids; callers may change it temporarily.
extern int32_t SolidSides;
extern int32_t DarkerColorQuantity;     // 128
extern int32_t DarkColorQuantity;       // 64
// The library default font, taken from the engine texts at start-up.
extern std::string DefaultFontName;
extern int32_t DefaultFontSize;
// Takes the default font from the engine texts again (after a localisation
// layer replaced them); both start as "Arial", 8.
void InitDefaultFont();

// Fills Bitmap with the 8 x 8 extended hatch pattern Index (0-based); installed
// by the brush dialog unit. Empty: the pattern stays blank.
extern std::function<void(int32_t Index, TBitmap& Bitmap)> LoadPatternBitmap;

// ---- bitmap resampling -------------------------------------------------------
// A filter of the resampler: its weight at distance X (in source pixels).
using TResampleFilter = double (*)(double X);
double LanczosFilter(double X);   // support 3
double TriangleFilter(double X);  // support 1
// Resamples Source into Destination (whose size is kept) with Filter of
// Support; both must be at least 2 x 2 pixels, else the error names the
// bitmap that is too small and Destination is left untouched. Source becomes 24-bit.
void ResampleBitmap(TBitmap* Source, TBitmap* Destination, TResampleFilter Filter, double Support);
// Best quality (Lanczos) or, with Fast, the triangle filter.
void SmoothStretchMode(TBitmap* Source, TBitmap* Destination, bool Fast);
void SmoothStretch(TBitmap* Source, TBitmap* Destination);

// ---- optional platform functions --------------------------------------------
using TModuleHandle = void*;
// Loads a shared library without any error box; nullptr when it cannot be loaded.
TModuleHandle LoadDll(const std::string& Name);
void FreeDll(TModuleHandle Handle);
// Whether constant-alpha blending is available: the platform's device context
// blends itself, so it always is.
bool LoadAlphaBlend();
// The device context's own brush and pen colours: not offered by this
// platform, so gradients and pictures create their brushes.
extern bool DCBrushColorAvailable;
extern bool DCPenColorAvailable;

// ---- colour dialog ----------------------------------------------------------
// The custom colours every colour dialog shares; created on first use.
TStringList* CustomColors();
// Lets the person choose a colour starting at Color; the chosen one, or Color
// when the dialog is cancelled.
TColor EditColor(TComponent* Owner, TColor Color);
// True (and Color the new colour) when the person chose a different colour.
bool EditColorVar(TComponent* Owner, TColor& Color);

// Start-up and shut-down of the unit, in their fixed order (tests reset with them).
void Initialize();
void Finalize();

}  // namespace PlotCanvas

// ============================================================================
// Unit controls of the style and editor dialogs
// ============================================================================

// A push button that paints a symbol at its right over its face.
class TPlotButton : public TButton {
  KV_CLASS(TPlotButton, TButton)
public:
  explicit TPlotButton(TComponent* AOwner);
  // Binds the button to one published property of AObject (nothing more
  // happens for nullptr; an empty name binds the object only).
  void LinkProperty(TObject* AObject, const std::string& PropName);
  TObject* LinkedObject = nullptr;
  const TPropInfo* LinkedProperty = nullptr;
  // Where the symbol goes: (Width - 19, Height - 3 * (Height / 4), Width - 6, Height - Height / 4).
  TRect SymbolRect() const;
  // Paints the symbol; the base paints none.
  virtual void DrawSymbol(TPlotCanvas& Canvas);
  void SetEnabled(bool Value) override;

protected:
  bool PaintsOverlay() const override { return true; }
  void PaintOverlay(TCanvas& Canvas) override;
  void TextChanged() override;
};

// A button that shows a colour (its own or a linked property's) and edits it on a click.
class TButtonColor : public TPlotButton {
  KV_CLASS(TButtonColor, TPlotButton)
public:
  explicit TButtonColor(TComponent* AOwner);
  TColor GetColor() const;
  void SetColor(TColor Color);
  TColor OwnColor = 0;
  std::function<TColor()> GetColorProc;
  void DrawSymbol(TPlotCanvas& Canvas) override;
  // Opens the colour dialog; fires OnClick only when the colour changed.
  void Click() override;
};

// A drop-down list with a flat border while the mouse is outside and it has no focus.
class TComboFlat : public TComboBox {
  KV_CLASS(TComboFlat, TComboBox)
public:
  explicit TComboFlat(TComponent* AOwner);
  bool Hovered = false;
  int32_t ItemHeight = 13;
  int32_t GetStyleOrdinal() const { return static_cast<int32_t>(Style); }
  void SetStyleOrdinal(int32_t Value) { Style = static_cast<TComboBoxStyle>(Value); }
  // Width of the dropped-down list; the control's width until set.
  int32_t GetDropDownWidth() const;
  void SetDropDownWidth(int32_t Value);
  bool IsDropDownWidthStored() const { return GetDropDownWidth() != GetWidth(); }
  void MouseEnter() override;
  void MouseLeave() override;
  void DoEnter() override;
  void DoExit() override;

protected:
  void InitWidget() override;
  bool PaintsOverlay() const override { return !Hovered && !Focused(); }
  void PaintOverlay(TCanvas& Canvas) override;

private:
  void SetHovered(bool Value);
  int32_t FDropDownWidth = -1;  // -1: as wide as the control
};
