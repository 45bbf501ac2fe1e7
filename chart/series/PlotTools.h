#pragma once
// Chart tools of the series layer: the image tool, the cursor and nearest-point
// tools, the draw-line tool, colour lines and bands, grid bands, annotations,
// the rectangle, mark tips, rotation, axis arrows and axis scrolling, series
// animation, series clipping and mark dragging; and the registration of the
// tool classes in the chart's tool types.
//
// Rubber lines, cursors and hint shapes are drawn in an inverting pen mode on
// the chart's canvas between paints (the canvas is then attached to the
// chart's window, or to nothing for a chart without one) and erased by drawing
// them again; a repaint clears them.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Series.h"

class TPicture;
class TBitmap;
class TTimer;

namespace PlotTools {
// Pixel sizes of tools (hint sizes, arrow lengths, shape sizes) read from a
// file or set by a program are kept within 0 .. 100 000, so that no drawing
// arithmetic overflows.
constexpr int32_t MaxToolPixels = 100000;
inline int32_t LimitPixels(int32_t Value) { return Value < 0 ? 0 : Value > MaxToolPixels ? MaxToolPixels : Value; }
}  // namespace PlotTools

// ============================================================================
// Image tool
// ============================================================================

using TImageMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;

class TChartImageTool : public TPlotCustomToolSeries {
  KV_CLASS(TChartImageTool, TPlotCustomToolSeries)
public:
  explicit TChartImageTool(TComponent* Owner);
  ~TChartImageTool() override;
  std::string EditorFormName() const override { return "TChartImageToolEditor"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetSeries(TChartSeries* Value) override;
  void Description(std::string& Text) const override { Text = "Image"; }

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value);
  // The value at a pixel on the series' horizontal / vertical axis; 0
  // without a series.
  double HorizValueAt(double X) const;
  double VertValueAt(double Y) const;
  // The rectangle a drawing would use now (also updates nothing).
  TRect CalcImageRect() const;

  bool SwapVertical = false;
  bool SwapHorizontal = false;
  bool CacheMetafile = false;
  TRect ImageRect{0, 0, 0, 0};
  bool FixedVertical = false;
  bool FixedHorizontal = false;
  double Angle = 0;
  int32_t FixedTop = 0, FixedBottom = 0, FixedLeft = 0, FixedRight = 0;
  int32_t Transparency = 0;
  TNotifyEvent OnImageClick, OnImageResize, OnImageResizeAfterDraw, OnImageResizeBeforeDraw, OnImageBeforeDraw,
      OnImageAfterDraw;
  TImageMouseEvent OnImageMouseDown, OnImageMouseMove;

private:
  // The picture's placement under a rotation: pixel angle and vertical scale;
  // false when the rotation cannot be computed.
  bool CalcRotation(double& Radians, double& Scale) const;
  void DrawRotated(TCanvas3D& Canvas, const TRect& Bounds, double Radians, double Scale);
  void RefreshCache(bool SizeChanged);
  void Draw(TCustomAxisPanel& Chart);

  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TBitmap> FWorkBitmap;
  bool FPictureChanged = true;  // the cached rendering is stale
};

// ============================================================================
// Cursor and nearest-point tools
// ============================================================================

enum class TCursorToolStyle : uint8_t { cssHorizontal, cssVertical, cssBoth };
using enum TCursorToolStyle;

// X, Y: pixels of the vertical and horizontal line; ValueIndex: the snapped
// point, -1 without snapping.
using TCursorToolChangeEvent = std::function<void(TObject* Sender, int32_t X, int32_t Y, double XValue,
                                                  double YValue, TChartSeries* Series, int32_t ValueIndex)>;

class TCursorTool : public TPlotCustomToolSeries {
  KV_CLASS(TCursorTool, TPlotCustomToolSeries)
public:
  explicit TCursorTool(TComponent* Owner);
  std::string EditorFormName() const override { return "TCursorToolEditor"; }
  void Description(std::string& Text) const override { Text = "Cursor"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetSeries(TChartSeries* Value) override;
  // Fires OnChange with the cursor's pixels and values.
  virtual void DoChange(int32_t ValueIndex);

  TCursorToolStyle GetStyle() const { return FStyle; }
  void SetStyle(TCursorToolStyle Value);
  bool GetUseSeriesZ() const { return FUseSeriesZ; }
  void SetUseSeriesZ(bool Value) { SetBooleanField(FUseSeriesZ, Value); }
  int32_t ClickTolerance = 3;
  bool FollowMouse = false;
  bool Snap = false;
  TCursorToolChangeEvent OnChange, OnSnapChange;

  // The values of the vertical (XValue) and horizontal (YValue) line.
  double XValue = 0, YValue = 0;
  // Pixels of the lines on screen; -1 while no cursor is shown.
  int32_t XPixel = -1, YPixel = -1;
  // 0 none, 1 the horizontal line, 2 the vertical line, 3 both at their crossing.
  int32_t GrabbedPart = 0;
  int32_t LastSnapIndex = -1;
  bool WasInside = false;

  // The rectangle of the tool's axes, edges included.
  TRect AxisRect() const;
  // Moves the values onto the nearest point of the series; its index or -1.
  int32_t SnapToPoint();
  // The part of the cursor at a mouse point (0 when none).
  int32_t ClickedPart(int32_t X, int32_t Y) const;
  // Draws the cursor inverted; drawing it twice at the same place erases it.
  void RedrawCursor();

private:
  TPoint Projected(int32_t X, int32_t Y) const;
  void MouseMoved(int32_t X, int32_t Y);
  TCursorToolStyle FStyle = cssBoth;
  bool FUseSeriesZ = false;
};

enum class TNearestToolStyle : uint8_t { hsNone, hsCircle, hsRectangle, hsDiamond };
using enum TNearestToolStyle;

class TNearestTool : public TPlotCustomToolSeries {
  KV_CLASS(TNearestTool, TPlotCustomToolSeries)
public:
  explicit TNearestTool(TComponent* Owner);
  void Init() override;
  std::string EditorFormName() const override { return "TNearestToolEdit"; }
  void Description(std::string& Text) const override { Text = "Nearest Point"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  bool GetDrawLine() const { return FLinePen->GetVisible(); }
  void SetDrawLine(bool Value) { FLinePen->SetVisible(Value); }
  TChartPen* LinePen() const { return FLinePen.get(); }
  void SetLinePen(const TChartPen* Value) { FLinePen->Assign(Value); }
  int32_t GetSize() const { return FSize; }
  // Sizes are kept within 0 .. MaxToolPixels.
  void SetSize(int32_t Value) { SetIntegerProperty(FSize, PlotTools::LimitPixels(Value)); }
  TNearestToolStyle GetStyle() const { return FStyle; }
  void SetStyle(TNearestToolStyle Value);
  bool FullRepaint = true;
  TNotifyEvent OnChange;

  // The nearest point (-1 none), its pixel distance and the last mouse point.
  int32_t Point = -1;
  int32_t Distance = 0;
  TPoint MousePoint{0, 0};

  // The visible, non-null point of Series inside the chart rectangle nearest
  // to (X, Y); -1 when none. Ties keep the lower index.
  static int32_t NearestPointOf(TChartSeries* Series, int32_t X, int32_t Y, int32_t& Distance);
  // Draws the hint shape and the line to the point (inverting without FullRepaint).
  void PaintHint();

private:
  std::unique_ptr<TChartPen> FLinePen;
  int32_t FSize = 20;
  TNearestToolStyle FStyle = hsCircle;
};

// ============================================================================
// Draw-line tool
// ============================================================================

enum class TDrawLineStyle : uint8_t { dlLine, dlHorizParallel, dlVertParallel };
using enum TDrawLineStyle;

class TDrawLineTool;

class TDrawLine : public TCollectionItem {
  KV_CLASS(TDrawLine, TCollectionItem)
public:
  explicit TDrawLine(TCollection* Collection);
  ~TDrawLine() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  double GetX0() const { return FX0; }
  double GetY0() const { return FY0; }
  double GetX1() const { return FX1; }
  double GetY1() const { return FY1; }
  void SetX0(double Value) { Change(FX0, Value); }
  void SetY0(double Value) { Change(FY0, Value); }
  void SetX1(double Value) { Change(FX1, Value); }
  void SetY1(double Value) { Change(FY1, Value); }
  // Stores a point without repainting (a drag ends with one repaint).
  void StorePoints(bool Start, bool End, TPointFloat P0, TPointFloat P1);
  TDrawLineStyle GetStyle() const { return FStyle; }
  void SetStyle(TDrawLineStyle Value) { Change(FStyle, Value); }
  // The line's own pen, made on first read as a copy of the tool's Pen.
  TChartPen* GetPen() const;
  // Null frees the own pen; anything else is copied into it.
  void SetPen(const TChartPen* Value);
  bool HasOwnPen() const { return FPen != nullptr; }

  TDrawLineTool* Tool() const;
  // Pixels of the start and end point through the tool's axes.
  TPoint StartPixel() const;
  TPoint EndPixel() const;
  // Whether P hits the line: part 0 its body, 1 the start handle, 2 the end handle.
  bool Clicked(TPoint P, int32_t Part, int32_t Tolerance) const;

private:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      RepaintTool();
    }
  }
  void RepaintTool() const;
  double FX0 = 0, FY0 = 0, FX1 = 0, FY1 = 0;
  TDrawLineStyle FStyle = dlLine;
  mutable std::unique_ptr<TChartPen> FPen;
};

class TDrawLines : public TCollection {
  KV_CLASS(TDrawLines, TCollection)
public:
  explicit TDrawLines(TDrawLineTool* Tool);
  TDrawLine* Line(int32_t Index) const { return ItemAs<TDrawLine>(Index); }
  TDrawLine* AddLine() { return static_cast<TDrawLine*>(Add()); }
  TDrawLineTool* Tool() const { return FTool; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TDrawLineTool* FTool;
};

using TDrawLineSelecting = std::function<void(TObject* Sender, TDrawLine* Line, bool& Allow)>;

class TDrawLineTool : public TPlotCustomToolSeries {
  KV_CLASS(TDrawLineTool, TPlotCustomToolSeries)
public:
  explicit TDrawLineTool(TComponent* Owner);
  ~TDrawLineTool() override;
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TDrawLineEdit"; }
  void Description(std::string& Text) const override { Text = "Draw Line"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // Clips the canvas to the axes' rectangle (the chart rectangle without a series).
  virtual void ClipLines();

  TDrawLines* Lines() const { return FLines.get(); }
  void SetLines(const TDrawLines* Value) { FLines->Assign(Value); }
  bool GetEnableSelect() const { return FEnableSelect; }
  void SetEnableSelect(bool Value);
  TDrawLine* Selected() const { return FSelected; }
  void SetSelected(TDrawLine* Value) { FSelected = Value; }
  TMouseButton Button = TMouseButton::mbLeft;
  int32_t ClickTolerance = 0;
  bool EnableDraw = true;
  bool SelectNewLines = true;
  TNotifyEvent OnDraggedLine, OnDragLine, OnNewLine, OnSelect;
  TDrawLineSelecting OnSelecting;

  // Conversion between axis values and pixels through the tool's axes.
  TPoint AxisPoint(double X, double Y) const;
  TPointFloat ScreenPoint(TPoint P) const;
  // The line hit at P in one part (the selected line first), or in any part.
  TDrawLine* ClickedPart(TPoint P, int32_t Part) const;
  TDrawLine* Clicked(TPoint P) const;

  // Drawing and dragging state.
  bool IsDrawing = false;
  bool Dragged = false;
  int32_t DragMode = 0;  // 0 none, 1 start point, 2 end point, 3 whole line
  TPoint FromPoint{0, 0}, ToPoint{0, 0}, Anchor{0, 0};

  // Draws a line between two pixel points in a style (at depth 0 in 3-D).
  void DrawLinePixels(TCanvas3D& Canvas, TPoint P0, TPoint P1, TDrawLineStyle Style) const;

private:
  friend class TDrawLine;
  void DrawHandles(TCanvas3D& Canvas, const TDrawLine& Line) const;
  void RedrawRubberLine();
  void Press(TPoint P);
  void Move(TPoint P);
  void Release();
  std::unique_ptr<TDrawLines> FLines;
  TDrawLine* FSelected = nullptr;  // one of FLines, cleared when it goes
  bool FEnableSelect = true;
  bool FClipped = false;  // ClipLines set a clip for this drawing
};

// ============================================================================
// Colour line, colour band and grid band
// ============================================================================

enum class TColorLineStyle : uint8_t { clCustom, clMaximum, clCenter, clMinimum };

using TColorLineToolOnDrag = std::function<void(TObject* Sender)>;

class TColorLineTool : public TPlotCustomToolAxis {
  KV_CLASS(TColorLineTool, TPlotCustomToolAxis)
public:
  explicit TColorLineTool(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TColorLineToolEditor"; }
  void Description(std::string& Text) const override { Text = "Color Line"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // Ends a drag: the owner's hook, then OnEndDragLine.
  virtual void EndDrag();
  // A line of a band repaints the band's chart.
  void RepaintOnChange(TObject* Sender) override;

  double GetValue() const { return FValue; }
  void SetValue(double Value);
  // Stores a custom value without repainting (a band places its lines).
  void PutValue(double Value);
  TColorLineStyle GetStyle() const { return FStyle; }
  void SetStyle(TColorLineStyle Value);
  bool AllowDrag = true;
  bool DragRepaint = false;
  bool Draw3D = true;
  bool DrawBehind = false;
  bool NoLimitDrag = false;
  TColorLineToolOnDrag OnBeginDragLine, OnDragLine, OnEndDragLine;

  // Where the line stands by Style.
  double EffectiveValue() const;
  // V clamped between the values at the axis's end pixels.
  double LimitValue(double V) const;
  // Whether (X, Y) lies on the line (within 2 pixels across it).
  bool Clicked(int32_t X, int32_t Y) const;
  void DrawBackPart();
  void DrawFrontPart();
  bool IsDragging() const { return FDragging; }

  // A band's inner line draws on the band's chart and reports the end of a drag.
  TCustomAxisPanel* ChartOverride = nullptr;
  std::function<void(TObject* Sender)> EndDragHook;

private:
  TCustomAxisPanel* DrawingChart() const;
  void RepaintChart();
  int32_t ValuePixel() const;
  void DrawParts(bool Back, bool Front);
  bool FDragging = false;
  double FValue = 0;
  TColorLineStyle FStyle = TColorLineStyle::clCustom;
};

class TColorBandTool : public TPlotCustomToolAxis {
  KV_CLASS(TColorBandTool, TPlotCustomToolAxis)
public:
  explicit TColorBandTool(TComponent* Owner);
  ~TColorBandTool() override;
  void Loaded() override;
  std::string EditorFormName() const override { return "TColorBandToolEditor"; }
  void Description(std::string& Text) const override { Text = "Color Band"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetAxis(TChartAxis* Value) override;
  void SetParentChart(TSeriesChart* Value) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorProperty(FColor, Value); }
  bool GetDrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value) { SetBooleanField(FDrawBehind, Value); }
  bool GetDrawBehindAxes() const { return FDrawBehindAxes; }
  void SetDrawBehindAxes(bool Value) { SetBooleanField(FDrawBehindAxes, Value); }
  double GetStartValue() const { return FStartValue; }
  void SetStartValue(double Value);
  double GetEndValue() const { return FEndValue; }
  void SetEndValue(double Value);
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value) { SetIntegerProperty(FTransparency, Value); }
  bool GetResizeStart() const { return FStartLine->GetActive(); }
  void SetResizeStart(bool Value) { FStartLine->SetActive(Value); }
  bool GetResizeEnd() const { return FEndLine->GetActive(); }
  void SetResizeEnd(bool Value) { FEndLine->SetActive(Value); }
  TChartPen* StartLinePen() const { return FStartLine->Pen(); }
  void SetStartLinePen(const TChartPen* Value) { FStartLine->SetPen(Value); }
  TChartPen* EndLinePen() const { return FEndLine->Pen(); }
  void SetEndLinePen(const TChartPen* Value) { FEndLine->SetPen(Value); }
  TCursor Cursor = crDefault;
  TMouseEvent OnClick;

  TColorLineTool* StartLine() const { return FStartLine; }
  TColorLineTool* EndLine() const { return FEndLine; }
  // The band's rectangle in pixels; empty without an Axis or outside its range.
  TRect BandRect() const;
  // Whether (X, Y) lies inside the band's projected quadrilateral.
  bool Clicked(int32_t X, int32_t Y) const;
  void DrawBand();

private:
  int32_t BandDepth() const;
  void LineDragged(TObject* Sender);
  void LineDragEnded(TObject* Sender);
  TColor FColor = clWhite;
  bool FDrawBehind = true, FDrawBehindAxes = false;
  double FStartValue = 0, FEndValue = 0;
  std::unique_ptr<TPlotGradient> FGradient;
  TPlotTransparency FTransparency = 0;
  TColorLineTool* FStartLine = nullptr;  // owned, freed with the band
  TColorLineTool* FEndLine = nullptr;
};

class TGridBandBrush : public TChartBrush {
  KV_CLASS(TGridBandBrush, TChartBrush)
public:
  explicit TGridBandBrush(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value);

private:
  TPlotChangeEvent FNotify;
  TColor FBackColor = clNone;
  std::unique_ptr<TPlotGradient> FGradient;
  TPlotTransparency FTransparency = 0;
};

class TGridBandTool : public TPlotCustomToolAxis {
  KV_CLASS(TGridBandTool, TPlotCustomToolAxis)
public:
  explicit TGridBandTool(TComponent* Owner);
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TGridBandToolEdit"; }
  void Description(std::string& Text) const override { Text = "Grid Band"; }
  void SetAxis(TChartAxis* Value) override;
  // Leaving the chart takes the hook off the axis; joining it puts it back.
  void SetParentChart(TSeriesChart* Value) override;

  TGridBandBrush* Band1() const { return FBand1.get(); }
  TGridBandBrush* Band2() const { return FBand2.get(); }
  void SetBand1(const TGridBandBrush* Value) { FBand1->Assign(Value); }
  void SetBand2(const TGridBandBrush* Value) { FBand2->Assign(Value); }
  // Called by the axis just before it draws its grid lines.
  void DrawBands(TChartAxis* Axis);

private:
  void DrawOneBand(TChartAxis& Axis, TPlotBlend& Blend, int32_t P0, int32_t P1);
  void Hook();
  void Unhook();
  std::unique_ptr<TGridBandBrush> FBand1, FBand2;
  TGridBandBrush* FCurrent = nullptr;
  TChartAxis* FHookedAxis = nullptr;  // the axis whose GridHook is ours
};

// ============================================================================
// Annotation, rectangle and marks tip
// ============================================================================

enum class TAnnotationPosition : uint8_t { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom };
using enum TAnnotationPosition;

// A positioned shape that publishes its look: frame, fill, font, shadow,
// gradient and its custom place.
class TPlotShapePosition : public TPlotCustomShapePosition {
  KV_CLASS(TPlotShapePosition, TPlotCustomShapePosition)
public:
  using TPlotCustomShapePosition::TPlotCustomShapePosition;
  // The gradient, made on first read so that a stream can fill it.
  TPlotGradient* StoredGradient() const { return const_cast<TPlotShapePosition*>(this)->GetGradient(); }
};

class TAnnotationCallout : public TCallout {
  KV_CLASS(TAnnotationCallout, TCallout)
public:
  TAnnotationCallout();
  void Assign(const TPersistent* Source) override;
  int32_t GetXPosition() const { return FXPosition; }
  void SetXPosition(int32_t Value) { Change(FXPosition, Value); }
  int32_t GetYPosition() const { return FYPosition; }
  void SetYPosition(int32_t Value) { Change(FYPosition, Value); }
  int32_t GetZPosition() const { return FZPosition; }
  void SetZPosition(int32_t Value) { Change(FZPosition, Value); }
  // Without a series the callout repaints its panel.
  void Repaint() override;

private:
  int32_t FXPosition = 0, FYPosition = 0, FZPosition = 0;
};

using TAnnotationClick =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;

class TAnnotationTool : public TPlotCustomTool {
  KV_CLASS(TAnnotationTool, TPlotCustomTool)
public:
  explicit TAnnotationTool(TComponent* Owner);
  ~TAnnotationTool() override;
  std::string EditorFormName() const override { return "TAnnotationToolEdit"; }
  void Description(std::string& Text) const override { Text = "Annotation"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetParentChart(TSeriesChart* Value) override;
  // The text shown; the page-number tool gives its own.
  virtual std::string GetText() const { return FText; }

  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { SetBooleanField(FAutoSize, Value); }
  TAnnotationCallout* Callout() const { return FCallout.get(); }
  void SetCallout(const TAnnotationCallout* Value) { FCallout->Assign(Value); }
  TAnnotationPosition GetPosition() const { return FPosition; }
  void SetPosition(TAnnotationPosition Value);
  TPlotUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TPlotUnits Value);
  TPlotShapePosition* Shape() const { return FShape.get(); }
  void SetShape(const TPlotCustomShapePosition* Value) { FShape->Assign(Value); }
  const std::string& GetTextValue() const { return FText; }
  void SetText(const std::string& Value) { SetStringProperty(FText, Value); }
  TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment Value);
  int32_t GetLeft() const { return FShape->GetLeft(); }
  int32_t GetTop() const { return FShape->GetTop(); }
  void SetLeft(int32_t Value);
  void SetTop(int32_t Value);
  int32_t GetWidth() const { return FShape->GetWidth(); }
  int32_t GetHeight() const { return FShape->GetHeight(); }
  void SetWidth(int32_t Value);
  void SetHeight(int32_t Value);
  bool IsSizeStored() const { return !FAutoSize; }
  TCursor Cursor = crDefault;
  TAnnotationClick OnClick;

  // The layout: text origin, shape rectangle and text size in pixels.
  struct TLayout {
    TPoint Origin{0, 0};
    TRect ShapeRect{0, 0, 0, 0};
    int32_t TextWidth = 0, TextHeight = 0, Lines = 0;
  };
  TLayout CalcBounds() const;
  // Whether (X, Y) lies in the layout's shape rectangle, edges included.
  bool HitTest(int32_t X, int32_t Y) const;
  void DrawText();

protected:
  TCustomAxisPanel* Chart() const { return dynamic_cast<TCustomAxisPanel*>(GetParentChart()); }

private:
  bool FAutoSize = true;
  std::unique_ptr<TAnnotationCallout> FCallout;
  TAnnotationPosition FPosition = ppLeftTop;
  TPlotUnits FPositionUnits = muPixels;
  std::unique_ptr<TPlotShapePosition> FShape;
  std::string FText;
  TLayout FLastLayout;  // of the last drawing
  TAlignment FTextAlignment = TAlignment::taLeftJustify;
};

class TRectangleTool : public TAnnotationTool {
  KV_CLASS(TRectangleTool, TAnnotationTool)
public:
  explicit TRectangleTool(TComponent* Owner);
  void Description(std::string& Text) const override { Text = "Rectangle"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // The edge of the rectangle under (X, Y): 0 left, 1 top, 2 right, 3 bottom, -1 none.
  int32_t EdgeAt(int32_t X, int32_t Y) const;
  TNotifyEvent OnDragged, OnDragging, OnResized, OnResizing;

  TPoint GrabOffset{0, 0};
  int32_t GrabbedEdge = -1;
  bool DraggingBody = false;

private:
  TRect Bounds() const;
  void SetBounds(const TRect& R);
};

enum class TMarkToolMouseAction : uint8_t { mtmMove, mtmClick };
using enum TMarkToolMouseAction;

using TMarksTipGetText = std::function<void(TObject* Sender, std::string& Text)>;

class TMarksTipTool : public TPlotCustomToolSeries {
  KV_CLASS(TMarksTipTool, TPlotCustomToolSeries)
public:
  explicit TMarksTipTool(TComponent* Owner);
  std::string EditorFormName() const override { return "TMarksTipToolEdit"; }
  void Description(std::string& Text) const override { Text = "Mark Tips"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetActive(bool Value) override;

  TMarkToolMouseAction GetMouseAction() const { return FMouseAction; }
  void SetMouseAction(TMarkToolMouseAction Value);
  // The application's hint pause in milliseconds.
  int32_t GetMouseDelay() const;
  void SetMouseDelay(int32_t Value);
  TSeriesMarksStyle Style = smsLabel;
  TNotifyEvent OnCancelHint;
  TMarksTipGetText OnGetText;

  // The series' chart when a series is set, else the parent chart.
  TCustomChart* Chart() const;
  // Withdraws a shown hint.
  void CancelHint();
  TChartSeries* LastSeries() const { return FLastSeries; }
  int32_t LastIndex = -1;

private:
  void ShowTip(int32_t X, int32_t Y);
  TMarkToolMouseAction FMouseAction = mtmMove;
  WeakRef<TChartSeries> FLastSeries;
};

// ============================================================================
// View and interaction tools
// ============================================================================

enum class TRotateToolStyles : uint8_t { rsAll, rsRotation, rsElevation };
using enum TRotateToolStyles;

class TRotateTool : public TPlotCustomTool {
  KV_CLASS(TRotateTool, TPlotCustomTool)
public:
  explicit TRotateTool(TComponent* Owner);
  void Init() override;
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TRotateToolEditor"; }
  void Description(std::string& Text) const override { Text = "Rotate"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetActive(bool Value) override;
  void SetParentChart(TSeriesChart* Value) override;

  TMouseButton Button = TMouseButton::mbLeft;
  bool Inverted = false;
  TRotateToolStyles Style = rsAll;
  TNotifyEvent OnRotate;
  bool IsDragging() const { return FDragging; }

private:
  void RotateStep(int32_t X, int32_t Y);
  void DrawOutline();
  // Ends a drag: gives the chart its repaint switch back and repaints.
  void EndDrag();
  TPoint FLast{0, 0};
  bool FDragging = false, FFirstMove = false;
  bool FSwitchSaved = false, FSavedRepaint = true;
  TCustomAxisPanel* FDragChart = nullptr;  // the chart whose switch is saved (the tool's parent)
};

enum class TAxisArrowToolPosition : uint8_t { aaStart, aaEnd, aaBoth };
using enum TAxisArrowToolPosition;

using TAxisArrowClickEvent = std::function<void(TObject* Sender, bool AtStart)>;

class TAxisArrowTool : public TPlotCustomToolAxis {
  KV_CLASS(TAxisArrowTool, TPlotCustomToolAxis)
public:
  explicit TAxisArrowTool(TComponent* Owner);
  std::string EditorFormName() const override { return "TAxisArrowToolEditor"; }
  void Description(std::string& Text) const override { Text = "Axis Arrows"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  int32_t GetHeadWidth() const { return FHeadWidth; }
  void SetHeadWidth(int32_t Value) { SetIntegerProperty(FHeadWidth, PlotTools::LimitPixels(Value)); }
  int32_t GetLength() const { return FLength; }
  void SetLength(int32_t Value) { SetIntegerProperty(FLength, PlotTools::LimitPixels(Value)); }
  TAxisArrowToolPosition GetPosition() const { return FPosition; }
  void SetPosition(TAxisArrowToolPosition Value);
  int32_t GetSizePercent() const { return FSizePercent; }
  void SetSizePercent(int32_t Value) { SetIntegerProperty(FSizePercent, std::clamp(Value, 0, 100)); }
  bool ScrollInverted = false;
  int32_t ScrollPercent = 10;
  TAxisArrowClickEvent OnClick;

  // 0 the start arrow, 1 the end arrow, -1 none.
  int32_t ClickedArrow(int32_t X, int32_t Y) const;
  // Scrolls the axis (and its pair for series on both) by a value delta.
  void DoScroll(double Delta);

private:
  int32_t FHeadWidth = 8, FLength = 16;
  TAxisArrowToolPosition FPosition = aaBoth;
  int32_t FSizePercent = 50;
};

class TAxisScrollTool : public TPlotCustomToolAxis {
  KV_CLASS(TAxisScrollTool, TPlotCustomToolAxis)
public:
  explicit TAxisScrollTool(TComponent* Owner) : TPlotCustomToolAxis(Owner) {}
  void Description(std::string& Text) const override { Text = "Axis Scroll"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // The tool's axis when hit, or without one the first visible axis hit.
  TChartAxis* AxisUnder(int32_t X, int32_t Y) const;
  bool ScrollInverted = false;
  TChartAxis* DraggedAxis() const { return FDragged; }

private:
  TPoint FLast{0, 0};
  TChartAxis* FDragged = nullptr;  // an axis of the parent chart, only during a drag
};

enum class TSeriesAnimationLoop : uint8_t { salNo, salOneWay, salCircular };
using enum TSeriesAnimationLoop;

using TSeriesAnimationStep = std::function<void(TObject* Sender, int32_t Step)>;

// Grows a series' values from a start value to their real values, one step
// per tick of its timer: Execute returns at once.
class TSeriesAnimationTool : public TPlotCustomToolSeries {
  KV_CLASS(TSeriesAnimationTool, TPlotCustomToolSeries)
public:
  explicit TSeriesAnimationTool(TComponent* Owner);
  ~TSeriesAnimationTool() override;
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TSeriesAnimToolEditor"; }
  void Description(std::string& Text) const override { Text = "Series Animation"; }
  // Starts the animation (only with a series and while idle).
  virtual void Execute();
  bool IsAnimating() const { return !FStopped; }
  // The saved values come back at the next step and the animation ends.
  void RequestStop() { FStopRequested = true; }
  // One step of the animation (the timer's tick).
  void Step();
  TTimer* Timer() const { return FTimer; }

  int32_t DrawEvery = 0;
  TSeriesAnimationLoop Loop = salNo;
  bool StartAtMin = true;
  double StartValue = 0;
  int32_t Steps = 100;
  TSeriesAnimationStep OnStep;

private:
  void StartPass();
  void RestoreValues();
  void Finish();
  void Refresh();
  TTimer* FTimer = nullptr;  // owned as a component
  WeakRef<TChartSeries> FTarget;
  std::vector<double> FSaved;  // the series' mandatory values at the start
  bool FStopped = true, FStopRequested = false;
  bool FPassFlag = true;
  double FStart = 0;
  int32_t FGroup = 0, FGroups = 0, FStepIndex = 0, FUpdates = 0;
};

class TClipSeriesTool : public TPlotCustomToolSeries {
  KV_CLASS(TClipSeriesTool, TPlotCustomToolSeries)
public:
  explicit TClipSeriesTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  void BeforeDestruction() override;
  void Description(std::string& Text) const override { Text = "Clip Series"; }
  void SetSeries(TChartSeries* Value) override;

private:
  void BeforeDraw(TObject* Sender);
  void AfterDraw(TObject* Sender);
  TChartSeries* FHooked = nullptr;  // the series holding our hooks (also cleared with the series)
  bool FClipped = false;
};

class TDragMarksTool : public TPlotCustomToolSeries {
  KV_CLASS(TDragMarksTool, TPlotCustomToolSeries)
public:
  explicit TDragMarksTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  std::string EditorFormName() const override { return "TDragMarksToolEditor"; }
  void Description(std::string& Text) const override { Text = "Drag Marks"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  TChartSeries* GrabbedSeries() const { return FSeries; }
  int32_t GrabbedIndex = -1;

private:
  // The series and mark under (X, Y): the tool's series, or any from last to first.
  TChartSeries* MarkUnder(int32_t X, int32_t Y, int32_t& Index) const;
  TPoint FLast{0, 0};
  WeakRef<TChartSeries> FSeries;
};

// ============================================================================
// Unit routines
// ============================================================================

namespace PlotTools {

// The visible point range of a series: First from its first visible index (0
// when none), Last from its last (Count - 1 when none or beyond). False
// without a series or points.
bool SeriesVisibleRange(TChartSeries* Series, int32_t& First, int32_t& Last);

// The axis panel a tool's chart is, or null.
inline TCustomAxisPanel* PanelOf(TSeriesChart* Chart) { return dynamic_cast<TCustomAxisPanel*>(Chart); }

// True when Chart has a canvas with a pen to draw with.
inline bool HasCanvas(TCustomAxisPanel* Chart) { return Chart && Chart->Canvas() && Chart->Canvas()->Pen; }

// Adds the tool classes of this unit to the chart's tool types (once) and
// removes them again.
void RegisterTools();
void UnregisterTools();

}  // namespace PlotTools
