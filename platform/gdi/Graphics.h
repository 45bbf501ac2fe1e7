#pragma once
// The component library's graphics objects: pens, brushes and fonts that realise
// themselves into a device context when they change, the canvas, and the
// pictures (bitmaps with BMP, PNG and JPEG files).
//
// Drawing into a bitmap:
//   TBitmap bmp; bmp.SetSize(200, 100);
//   TCanvas& c = *bmp.GetCanvas();
//   c.Brush->SetColor(clWhite); c.FillRect(Rect(0, 0, 200, 100));
//   c.Pen->SetColor(clRed); c.MoveTo(0, 0); c.LineTo(100, 50);

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QImage;

// A picture file or picture data that cannot be read or written.
KV_EXCEPTION_CLASS(EInvalidGraphic, Exception);

// ---- colours -------------------------------------------------------------------
// System colours (negative values) resolved through the system colour table;
// every other value is returned unchanged.
TColor ColorToRGB(TColor Color);
// The RGB value of a colour as the device draws it (24 bits, system colours resolved).
uint32_t ColorToDeviceRGB(TColor Color);
namespace Graphics {
// Overrides one entry of the system colour table (a theme, or a test); answers the old value.
TColor SetSystemColor(int Index, TColor Rgb);
TColor GetSysColor(int Index);
// Ensures a Qt GUI application object exists (fonts need one). When the process
// has none, the factory installed by a higher layer makes it (the widget layer
// installs one that makes its widget application); without a factory an
// offscreen-capable GUI application is made. Answers true when one exists.
bool EnsureGuiApplication();
void SetGuiApplicationFactory(void (*Factory)());
// Reads the installed fonts into Qt's font database; called once the
// application object exists. The font configuration library keeps what it reads
// until the process ends, which the leak checker of sanitized builds is told.
void LoadFontDatabase();
}  // namespace Graphics

// ---- enumerations with their stored ordinals ---------------------------------------
enum class TPenStyle : int32_t {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};
enum class TPenMode : int32_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum class TBrushStyle : int32_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};
enum class TFontStyle : int32_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Flags<TFontStyle>;
enum class TFontPitch : int32_t { fpDefault, fpVariable, fpFixed };
enum class TFillStyle : int32_t { fsSurface, fsBorder };
enum class TPixelFormat : int32_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum class TTransparentMode : int32_t { tmAuto, tmFixed };
enum class TCanvasState : int32_t { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasStates = Flags<TCanvasState>;

using enum TPenStyle;
using enum TPenMode;
using enum TBrushStyle;
using enum TFontStyle;
using enum TFontPitch;
using enum TPixelFormat;
using enum TTransparentMode;
using enum TFillStyle;

// The mix mode of a pen mode (pmCopy → R2_COPYPEN ...).
int PenModeToRop2(TPenMode Mode);

// The platform copy modes used by TCanvas::CopyMode.
using TCopyMode = uint32_t;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmWhiteness = WHITENESS;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;

class TBitmap;
class TCanvas;

// Base of pens, brushes and fonts: OnChange fires after every change.
class TGraphicsObject {
public:
  virtual ~TGraphicsObject() = default;
  std::function<void(TGraphicsObject*)> OnChange;

protected:
  void Changed();
};

class TPen : public TGraphicsObject {
public:
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V);
  int32_t GetWidth() const { return FWidth; }
  void SetWidth(int32_t V);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle V);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode V);
  // An explicit logical pen (a geometric pen from ExtCreatePen); any later
  // property change goes back to the pen built from the properties.
  void SetHandle(const TLogPen& Pen);
  bool HasCustomHandle() const { return FCustom != nullptr; }
  TLogPen GetHandle() const;  // the logical pen selected into a device context
  void Assign(const TPen& Source);

private:
  TColor FColor = clBlack;
  int32_t FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  std::shared_ptr<TLogPen> FCustom;
};

class TBrush : public TGraphicsObject {
public:
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle V);
  // A pattern bitmap (not owned; the pattern is copied when set). nullptr removes it.
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* V);
  // An explicit logical brush (device-context level); property changes drop it.
  void SetHandle(const TLogBrush& Brush);
  TLogBrush GetHandle() const;
  void Assign(const TBrush& Source);

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  std::shared_ptr<const TBrushPattern> FPattern;
  std::shared_ptr<TLogBrush> FCustom;
};

// A font is also a published object of class "TFont" (name, charset, size,
// style, colour), so that property walks and streaming can reach it.
class TFont : public TPersistent, public TGraphicsObject {
  KV_CLASS(TFont, TPersistent)
public:
  TFont();
  std::string GetName() const { return FName; }
  void SetName(const std::string& V);
  // Size in points at PixelsPerInch; Height in pixels, negative for the
  // character height (the usual form), positive for the cell height.
  int32_t GetSize() const;
  void SetSize(int32_t V);
  int32_t GetHeight() const { return FHeight; }
  void SetHeight(int32_t V);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles V);
  uint8_t GetCharset() const { return FCharset; }
  void SetCharset(uint8_t V);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch V);
  // Rotation of the text, tenths of a degree counter-clockwise.
  int32_t GetOrientation() const { return FOrientation; }
  void SetOrientation(int32_t V);
  int32_t GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t V);  // keeps the size in points
  void SetHandle(const TLogFont& Font);  // name, height, style and escapement from a logical font
  TLogFont GetHandle() const;
  void Assign(const TFont& Source);
  void Assign(const TPersistent* Source) override;

private:
  std::string FName = "MS Sans Serif";
  int32_t FHeight = -11;  // 8 points at 96 dpi
  int32_t FPixelsPerInch = 96;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  uint8_t FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int32_t FOrientation = 0;
};

class TGraphic;

class TCanvas {
public:
  // A canvas drawing into a device context it does not own (SetHandle), or
  // into its own later.
  TCanvas();
  explicit TCanvas(TDeviceContext* DC);
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  std::unique_ptr<TPen> Pen;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TFont> Font;
  std::function<void(TCanvas*)> OnChange;
  std::function<void(TCanvas*)> OnChanging;

  TDeviceContext* GetHandle();  // the device context with pen, brush and font realised
  void SetHandle(TDeviceContext* DC);
  bool HandleAllocated() const { return FDC != nullptr; }
  TCopyMode CopyMode = cmSrcCopy;
  uint32_t TextFlags = 0;  // ExtTextOut options of TextOut (ETO_CLIPPED, ETO_OPAQUE)

  void Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Chord(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4);
  void Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3);
  void MoveTo(int32_t X, int32_t Y);
  void LineTo(int32_t X, int32_t Y);
  TPoint GetPenPos();
  void SetPenPos(TPoint P) { MoveTo(P.X, P.Y); }
  void Polyline(const std::vector<TPoint>& Points);
  void Polygon(const std::vector<TPoint>& Points);
  void PolyBezier(const std::vector<TPoint>& Points);
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);
  void FloodFill(int32_t X, int32_t Y, TColor Color, TFillStyle Style);
  // The pixel colour; TColor(CLR_INVALID) outside the surface or the clip.
  TColor GetPixel(int32_t X, int32_t Y);
  void SetPixel(int32_t X, int32_t Y, TColor C);

  void TextOut(int32_t X, int32_t Y, const std::string& Text);
  void TextOutW(int32_t X, int32_t Y, const std::u16string& Text);
  void TextRect(const TRect& R, int32_t X, int32_t Y, const std::string& Text);
  TSize TextExtent(const std::string& Text);
  int32_t TextWidth(const std::string& Text);
  int32_t TextHeight(const std::string& Text);

  void Draw(int32_t X, int32_t Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& R, const TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  TRect GetClipRect();

  // Locking is a no-op (one thread) kept for callers that pair it.
  void Lock() {}
  void Unlock() {}
  void Refresh();  // re-realises pen, brush and font on the next call

protected:
  void RequireState(TCanvasStates Needed);
  void Changing();
  void Changed();
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  virtual void CreateHandle() {}

  TDeviceContext* FDC = nullptr;
  TCanvasStates FState;
};

// Base of pictures.
class TGraphic {
public:
  virtual ~TGraphic() = default;
  virtual int32_t GetWidth() const = 0;
  virtual int32_t GetHeight() const = 0;
  virtual bool GetEmpty() const = 0;
  virtual void Draw(TCanvas& Canvas, const TRect& R) const = 0;
  virtual void LoadFromFile(const std::string& FileName) = 0;
  virtual void SaveToFile(const std::string& FileName) const = 0;
  virtual void LoadFromBytes(const std::vector<uint8_t>& Data) = 0;
  virtual std::vector<uint8_t> SaveToBytes() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  // The class name under which pictures store this kind of graphic.
  virtual std::string GraphicClassName() const = 0;
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool V) { FTransparent = V; }
  std::function<void(TGraphic*)> OnChange;

protected:
  bool FTransparent = false;
};

// A bitmap: pixels in memory with a canvas. Reads and writes BMP files with 1,
// 4, 8, 24 and 32 bits per pixel.
class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int32_t Width, int32_t Height);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int32_t GetWidth() const override;
  int32_t GetHeight() const override;
  bool GetEmpty() const override;
  void SetWidth(int32_t V);
  void SetHeight(int32_t V);
  void SetSize(int32_t W, int32_t H);  // keeps the pixels that still fit; new ones white
  TPixelFormat GetPixelFormat() const;
  // Converts the pixels; 1-, 4- and 8-bit formats reduce the colours to their palette.
  void SetPixelFormat(TPixelFormat V);
  bool GetMonochrome() const { return GetPixelFormat() == pf1bit; }
  void SetMonochrome(bool V);
  TColor GetTransparentColor() const;  // fixed colour, or the bottom-left pixel in tmAuto
  void SetTransparentColor(TColor V);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode V) { FTransparentMode = V; }

  TCanvas* GetCanvas();
  // Row Y in the pixel format's memory layout: 3 bytes B,G,R per pixel for pf24bit,
  // 4 bytes B,G,R,A for pf32bit and pfDevice. Other formats raise Exception.
  uint8_t* ScanLine(int32_t Y);
  const uint8_t* ScanLine(int32_t Y) const;
  // The colour of one pixel as TColor, clNone outside.
  TColor GetPixelColor(int32_t X, int32_t Y) const;

  void Assign(const TBitmap& Source);
  void Draw(TCanvas& Canvas, const TRect& R) const override;
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TBitmap"; }
  // The palette of an indexed bitmap (1, 4 or 8 bits); empty for the other formats.
  std::vector<TColor> GetPalette() const;
  void Dormant() {}
  void FreeImage() {}

  // The Qt image holding the pixels (for widgets that show a bitmap).
  QImage& Image();
  const QImage& Image() const;
  // Called by the device context after it drew (keeps change notifications cheap).
  void Modified();

  struct Impl;

protected:
  friend struct TBitmapAccess;
  std::unique_ptr<Impl> d_;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
};

// A bitmap stored and loaded as a PNG file.
class TPngImage : public TBitmap {
public:
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TPngImage"; }
};

// A bitmap stored and loaded as a JPEG file (quality 0..100).
class TJPEGImage : public TBitmap {
public:
  int CompressionQuality = 90;
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TJPEGImage"; }
};

// A picture holding any graphic; files are read by their content (BMP, PNG,
// JPEG, enhanced metafiles). Stored charts carry the picture in its binary
// stream property "Data": the graphic's class name (one length byte and its
// characters), the byte count of the graphic's file form (32 bits,
// little-endian) and those bytes.
class TPicture : public TPersistent {
  KV_CLASS(TPicture, TPersistent)

public:
  TPicture();
  ~TPicture() override;
  TGraphic* GetGraphic() const { return FGraphic.get(); }
  void SetGraphic(const TGraphic* V);  // copies
  void SetGraphic(std::unique_ptr<TGraphic> V);
  // The graphic as a bitmap, created empty when there is no graphic or replacing a
  // graphic of another kind by its pixels.
  TBitmap* GetBitmap();
  int32_t GetWidth() const;
  int32_t GetHeight() const;
  bool Empty() const { return !FGraphic || FGraphic->GetEmpty(); }
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  // Copies another picture's graphic (nullptr clears); other sources raise the
  // platform's assignment error.
  void Assign(const TPersistent* Source) override;
  // The stored form ("Data"); empty without a graphic.
  std::string GetData() const;
  // Reads the stored form; an unknown graphic class or damaged data raises
  // EInvalidGraphic and leaves the picture as it was. Empty text clears it.
  void SetData(const std::string& Data);
  bool IsDataStored() const { return !Empty(); }
  // Declares "Data" to the component streaming.
  void DefineProperties(TFiler& Filer) override;
  std::function<void(TPicture*)> OnChange;

private:
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
};

namespace Graphics {
// The graphic classes a stored picture may name; the five built-in ones
// (TBitmap, TPngImage, TJPEGImage, TMetafile, TIcon) are always known.
using TGraphicFactory = std::unique_ptr<TGraphic> (*)();
void RegisterGraphicClass(const std::string& ClassName, TGraphicFactory Factory);
// A new empty graphic of that class; nullptr when the class is unknown (case-insensitive).
std::unique_ptr<TGraphic> CreateGraphic(const std::string& ClassName);
// The pattern brush image of a bitmap (monochrome when the bitmap is pf1bit).
std::shared_ptr<const TBrushPattern> PatternFromBitmap(const TBitmap& Bitmap);
}  // namespace Graphics
