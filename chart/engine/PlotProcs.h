#pragma once
// Free routines shared by the whole chart engine, its editors and series:
// date-time steps, number-text localisation, item lists in one string, hit
// tests, index sorting, the default colour palette, editor options in the
// registry, the translation hook and the base of the data exporters.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/ui/Controls.h"

class TCanvas;
class TBitmap;
class TComponent;
class TControl;
class TStream;
class TObject;

namespace PlotProcs {

// ---- Date-time steps -------------------------------------------------------

// Number of entries of the step table; the last one means "no step".
constexpr int DateTimeStepCount = 28;
// Step indices with a name of their own.
enum DateTimeStepIndex : int {
  dtOneMicroSecond = 0,
  dtOneMillisecond = 1,
  dtOneSecond = 2,
  dtOneDay = 16,
  dtHalfMonth = 20,
  dtOneMonth = 21,
  dtSixMonths = 25,
  dtOneYear = 26,
  dtNone = 27,
};
// The steps in days, indexed 0..27.
extern const double DateTimeStep[DateTimeStepCount];
// 1 January 1900 as a date-time value (set at start-up).
extern double BaseDate;

int32_t DaysOfMonth(int Year, int Month);
std::string DefaultDateTimeFormat(double Step);
double NextDateTimeStep(double Step);
int NearestDateTimeStep(double Step);
double TruncDateToStep(int StepIndex, double Value);
void IncDecDateTime(bool Calendar, bool Increase, double& Value, int StepIndex, double StepValue);

// ---- Numbers and text ------------------------------------------------------

// Separator of CountItems/ItemAt (initially ";").
extern std::string ItemSeparator;

std::string IntToText(int64_t N);
std::string LocalizeNumberText(const std::string& S);
std::string DelocalizeNumberText(const std::string& S);
// Every Old replaced by New; removed when New is the null character.
std::string ReplaceChar(const std::string& S, char Old, char New);
int32_t CountItems(const std::string& S);
int32_t CountItemsSep(const std::string& S, const std::string& Sep);
std::string ItemAt(const std::string& S, int32_t N);
std::string ItemAtSep(const std::string& S, int32_t N, const std::string& Sep);
std::string UniqueName(TComponent* Owner, const std::string& BaseName);

// ---- Geometry (pixels) -----------------------------------------------------

bool PointNearSegment(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance);
bool PointNearLineTol(TPoint P, TPoint P0, TPoint P1, int32_t Tolerance);
bool PointNearLineXY(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance);
bool PointOnLine(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1);
bool PointOnLinePoints(TPoint P, TPoint P0, TPoint P1);
// Crossing rule; points on the right or lower edges count as outside.
bool PointInPolygon(TPoint P, const TPoint* Points, int32_t High);
bool PointInPolygon(TPoint P, const std::vector<TPoint>& Points);
bool PointInTriangle(TPoint P, TPoint P0, TPoint P1, TPoint P2);
bool PointInTriangleUp(TPoint P, int32_t X0, int32_t X1, int32_t YBase, int32_t YApex);
bool PointInTriangleSide(TPoint P, int32_t Y0, int32_t Y1, int32_t XBase, int32_t XApex);
bool PointInEllipse(TPoint P, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
bool PointInEllipseRect(TPoint P, const TRect& Rect);
// Whether segment 1-2 crosses segment 3-4; X, Y receive the crossing point of
// the two lines (the end point 2 for parallel lines).
bool LinesCross(double& X, double& Y, double X1, double Y1, double X2, double Y2, double X3, double Y3,
                double X4, double Y4);

// ---- Other routines --------------------------------------------------------

using TCompareIndex = std::function<int(int32_t A, int32_t B)>;
using TSwapIndex = std::function<void(int32_t A, int32_t B)>;
// Quicksort of the indices First..Last through the two callbacks.
void SortIndexRange(int32_t First, int32_t Last, const TCompareIndex& Compare, const TSwapIndex& Swap);

// Adds Item unless present; answers its index.
template <class T>
int32_t ListAddOnce(std::vector<T>& List, const T& Item) {
  for (size_t i = 0; i < List.size(); ++i)
    if (List[i] == Item) return static_cast<int32_t>(i);
  List.push_back(Item);
  return static_cast<int32_t>(List.size() - 1);
}

void EnableControls(bool Enable, const std::vector<TControl*>& Controls);
void DrawCheckMark(int32_t X, int32_t Y, TCanvas& Canvas, bool Checked, bool IsCheckBox);
TPoint MouseClientPos(TControl& Control);
double DeviceAspect(TCanvas& Canvas);

// ---- Colour palette --------------------------------------------------------

extern std::vector<TColor> ColorPalette;
void SetDefaultPalette();
void SetColorPalette(const TColor* Colors, int32_t High);
TColor GetDefaultColor(int32_t Index);

// ---- Resources, cursor, editor options -------------------------------------

// Cursor slot of the hand cursor.
constexpr int32_t crPlotHand = 2020;
// The loaded modules' bitmap resources, searched in order; each answers
// whether it loaded the named bitmap.
extern std::vector<std::function<bool(const std::string& Name, TBitmap& Bitmap)>> ResourceModules;
void LoadResBitmap(TBitmap& Bitmap, const std::string& Name1, const std::string& Name2);
// The gallery picture of a series type: its class name, else its parent's.
void LoadSeriesBitmap(const TObject& Series, TBitmap& Bitmap);
extern const char* const EditorKey;
bool ReadEditorBool(const std::string& Name, bool Default);
int32_t ReadEditorInteger(const std::string& Name, int32_t Default);
void WriteEditorBool(const std::string& Name, bool Value);

// ---- Translation hook ------------------------------------------------------

// A plain function pointer: the variable is null before any start-up code runs,
// so a unit's start-up object that installs the hook is never undone by the
// variable's own initialisation, whatever order the units start in.
using TTranslateHook = void (*)(TComponent* Component, const std::vector<TComponent*>& Excluded);
// Empty until a translation unit installs one.
extern TTranslateHook TranslateHook;
void CallTranslateHook(TComponent* Component, const std::vector<TComponent*>& Excluded);
void TranslateControl(TControl* Control);

// The picture of the hand cursor (crPlotHand), loaded into the cursor table at start-up.
TCursorImage HandCursorImage();
// Start-up and shut-down of the unit (tests call them to reset its state).
void Initialize();
void Finalize();

}  // namespace PlotProcs

// Base of the data exporters (text, XML, HTML and spreadsheet exports).
class TPlotExportData {
public:
  virtual ~TPlotExportData() = default;
  virtual std::string ExportedText() { return {}; }
  virtual void CopyTextToClipboard();
  virtual void WriteToFile(const std::string& FileName);
  virtual void WriteToStream(TStream& Stream);
};

// ============================================================================
// Chart panel, zoom, background and text shapes
// ============================================================================
#include <memory>

#include "chart/engine/PlotCanvas.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

class TMetafile;
class TCustomPlotPanel;

enum class TPlotUnits : uint8_t { muPercent, muPixels };
using enum TPlotUnits;

// Events a panel sends to its listeners.
class TPlotEvent {
public:
  virtual ~TPlotEvent() = default;
  TCustomPlotPanel* Sender = nullptr;
};

class TPlotMouseEvent : public TPlotEvent {
public:
  uint8_t Event = 0;  // 0 down, 1 up, 2 move
  TMouseButton Button = TMouseButton::mbLeft;
  TShiftState Shift;
  int32_t X = 0, Y = 0;
};

class TPlotView3DEvent : public TPlotEvent {};

class ChartEventListener {
public:
  virtual ~ChartEventListener() = default;
  virtual void PlotEvent(TPlotEvent& Event) = 0;
};
using TPlotEventListeners = std::vector<ChartEventListener*>;

// The state of one mouse drag.
class TZoomPanning : public TPersistent {
  KV_CLASS(TZoomPanning, TPersistent)
public:
  void Activate(int32_t X, int32_t Y);
  // Orders the corners so that X0 <= X1 and Y0 <= Y1.
  void Check();
  bool Active = false;
  int32_t X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

// What the printer reports of its page (pixels and pixels per inch).
struct TPrintPageMetrics {
  int32_t Width = 0, Height = 0;
  int32_t DpiX = 1, DpiY = 1;
};

namespace PlotProcs {
// Bevel inside Rect, which shrinks by Width when drawn.
void DrawBevel(TCanvas3D& Canvas, TBevelCut Kind, TRect& Rect, int32_t Width, int32_t RoundSize);
// a * b / c rounded half away from zero, as the platform's MulDiv; -1 for c = 0.
int32_t MulDiv(int32_t A, int32_t B, int32_t C);
// The page of the program's printer; false when no printer is set up.
bool QueryPrinterPage(TPrintPageMetrics& Page);
}  // namespace PlotProcs

using TPlotPrintEvent = std::function<void(TCustomPlotPanel* Sender, TCanvas& Canvas, TRect& R)>;

// The chart panel: a model object that draws into the off-screen bitmap of its
// drawing interface; a window adaptor shows it and forwards input.
class TCustomPlotPanel : public TComponent {
  KV_CLASS(TCustomPlotPanel, TComponent)

public:
  explicit TCustomPlotPanel(TComponent* Owner = nullptr);
  ~TCustomPlotPanel() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  // ---- window-panel settings ----
  int32_t GetWidth() const { return FWidth; }
  int32_t GetHeight() const { return FHeight; }
  // Each changes the size; OnResize fires once for every actual change.
  void SetBounds(int32_t Width, int32_t Height);
  void SetWidth(int32_t Value) { SetBounds(Value, FHeight); }
  void SetHeight(int32_t Value) { SetBounds(FWidth, Value); }
  TNotifyEvent OnResize;
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut V) { SetField(FBevelInner, V); }
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut V) { SetField(FBevelOuter, V); }
  int32_t GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t V) { SetField(FBevelWidth, V); }
  int32_t GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t V) { SetField(FBorderWidth, V); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { SetField(FColor, V); }

  // ---- chart panel settings ----
  TChartHiddenPen* Border() const { return FBorder.get(); }
  void SetBorder(const TChartPen* Value) { FBorder->Assign(Value); }
  int32_t GetBorderRound() const { return FBorderRound; }
  void SetBorderRound(int32_t Value);
  int32_t GetMargin(int Index) const { return FMargins[Index]; }
  void SetMargin(int Index, int32_t Value) { SetField(FMargins[Index], Value); }
  TPlotUnits GetMarginUnits() const { return FMarginUnits; }
  void SetMarginUnits(TPlotUnits Value) { SetField(FMarginUnits, Value); }
  TPlotShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TPlotShadow* Value) { FShadow->Assign(Value); }
  bool GetView3D() const { return FView3D; }
  void SetView3D(bool Value);
  TView3DOptions* View3DOptions() const { return FView3DOptions.get(); }
  void SetView3DOptions(const TView3DOptions* Value) { FView3DOptions->Assign(Value); }
  bool GetMonochrome() const { return FCanvas->GetMonochrome(); }
  void SetMonochrome(bool Value);
  bool GetBufferedDisplay() const { return FCanvas->BufferedDisplay; }
  void SetBufferedDisplay(bool Value) { FCanvas->SetBuffered(Value); }
  const TRect& GetPrintMargins() const { return PrintMargins; }
  void SetPrintMargins(const TRect& Value) { PrintMargins = Value; }

  TPlotCanvas3D* Canvas() const { return FCanvas.get(); }
  virtual TColor GetBackColor() { return FColor; }

  // ---- drawing ----
  void Invalidate();
  // Paints the window: from the off-screen picture while it is valid.
  void Paint();
  void DrawToClient();
  void DrawTo(TCanvas& Target, const TRect& Rect);
  virtual TRect PanelRect() const { return TRect(0, 0, FWidth, FHeight); }
  void ApplyMargins();
  void RecalcChartRect();
  int32_t MarginPixels(int32_t Margin, int32_t Size) const;
  virtual void DrawBorderBevels(TRect Rect);
  virtual void ChildChanged(TObject* Sender);
  void UseBrushOnBack(TColor Color, TChartBrush& Brush, TColor BackColor);
  bool ClippingAllowed();

  // ---- setter helpers: store and repaint only on change ----
  template <class T>
  void SetField(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Invalidate();
    }
  }
  void SetBooleanField(bool& F, bool V) { SetField(F, V); }
  void SetIntegerField(int32_t& F, int32_t V) { SetField(F, V); }
  void SetColorField(TColor& F, TColor V) { SetField(F, V); }
  void SetStringField(std::string& F, const std::string& V) { SetField(F, V); }
  void SetDoubleField(double& F, double V) { SetField(F, V); }

  // ---- listeners ----
  void AddListener(ChartEventListener* Listener);
  void RemoveListener(ChartEventListener* Listener);
  TPlotEvent& BroadcastEvent(TPlotEvent& Event);
  void BroadcastMouse(uint8_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  const TPlotEventListeners& Listeners() const { return FListeners; }

  // Input forwarded by the window adaptor.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  // Answers false when a handler cancelled the rest of the click processing.
  virtual bool DblClick();
  virtual void MouseLeave();
  // One wheel step (WheelDelta > 0: up) at the client point X, Y; the plain
  // panel has nothing to scroll.
  virtual void MouseWheel(TShiftState /*Shift*/, int32_t /*WheelDelta*/, int32_t /*X*/, int32_t /*Y*/) {}

  // ---- export ----
  std::unique_ptr<TBitmap> MakeBitmap(TColor BackColor, const TRect& Rect, TPixelFormat Format = pfDevice);
  std::unique_ptr<TBitmap> ChartBitmap();
  void SaveBitmapFile(const std::string& FileName);
  void SaveBitmapRect(const std::string& FileName, const TRect& Rect);
  void DrawBuffered(TCanvas& Target, const TRect& Rect);
  void DrawUnbuffered(TCanvas& Target, const TRect& Rect);
  void DrawAsMetafile(TCanvas& Target, const TRect& Rect);
  std::unique_ptr<TMetafile> MakeMetafile(bool Enhanced, const TRect& Rect);
  void SaveMetafileRect(bool Enhanced, const std::string& FileName, const TRect& Rect);
  void SaveWMF(const std::string& FileName);

  // ---- printing ----
  void PrintToCanvas(TCanvas& Target, const TRect& Rect);
  void PrintOnPrinter(const TRect& Rect);
  void PrintPageRect(TRect& Rect);
  void PrintPageRectFor(const TPrintPageMetrics& Page, TRect& Rect);
  void ProportionalPrintMargins(TRect& Margins);
  // Page = nullptr: no printer; the screen size is used.
  void ProportionalPrintMarginsFor(const TPrintPageMetrics* Page, TRect& Margins);

  void UpdateWindowRegion();
  // Legacy "BorderStyle" of older charts: "bsSingle" shows the border.
  void ReadBorderStyle(const std::string& Ident) { FBorder->SetVisible(Ident == "bsSingle"); }
  std::string LegacyBorderStyle() const { return FBorder->GetVisible() ? "bsSingle" : "bsNone"; }
  // "PrintMargins" as four integers Left Top Right Bottom.
  std::string GetPrintMarginsText() const;
  void SetPrintMarginsText(const std::string& Text);
  bool IsPrintMarginsStored() const { return PrintMargins != TRect(15, 15, 15, 15); }
  // Installed by the window adaptor: invalidate the window; set its region.
  std::function<void()> OnInvalidateWindow;
  std::function<void(int32_t RoundSize)> OnWindowRegion;
  std::function<void(TMouseButton, TShiftState, int32_t, int32_t)> OnMouseDown, OnMouseUp;
  std::function<void(TShiftState, int32_t, int32_t)> OnMouseMove;
  std::function<void()> OnDblClick;

  // ---- state ----
  bool UseZOrder = true;
  bool AutoRepaint = false;
  bool MouseCancelled = false;
  TRect ViewRect;
  TRect ChartRect;
  TRect PreviousChartRect;
  int32_t ChartWidth = 0, ChartHeight = 0, ChartXCenter = 0, ChartYCenter = 0;
  // The window's canvas (null for a panel without a window).
  TCanvas* WindowCanvas = nullptr;
  bool HasParentWindow = false;
  TColor ParentColor = clBtnFace;
  bool Loading = false;
  int32_t Height3D = 0, Width3D = 0;
  TPlotPrintEvent OnBeforePrint;
  TZoomPanning Panning;
  bool Printing = false;
  TRect PrintMargins{15, 15, 15, 15};
  bool PrintProportional = true;
  int32_t PrintResolution = 0;

protected:
  // Draws the chart into Rect; the axis panel puts the draw cycle here.
  virtual void DrawContent(const TRect& /*Rect*/) {}

private:
  int32_t FWidth = 400, FHeight = 250;
  TBevelCut FBevelInner = bvNone, FBevelOuter = bvRaised;
  int32_t FBevelWidth = 1, FBorderWidth = 0;
  TColor FColor = clBtnFace;
  std::unique_ptr<TChartHiddenPen> FBorder;
  int32_t FBorderRound = 0;
  int32_t FMargins[4] = {3, 4, 3, 4};
  TPlotUnits FMarginUnits = muPercent;
  std::unique_ptr<TPlotShadow> FShadow;
  bool FView3D = true;
  std::unique_ptr<TView3DOptions> FView3DOptions;
  std::unique_ptr<TPlotCanvas3D> FCanvas;
  TPlotEventListeners FListeners;
  bool FDestroying = false;
  bool FRegionGuard = false;
};

// ---- zoom, panning and background ------------------------------------------

enum class TPlotZoomDirection : uint8_t { tzdHorizontal, tzdVertical, tzdBoth };
using enum TPlotZoomDirection;
enum class TPanningMode : uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };
enum class TPlotBackImageMode : uint8_t { pbmStretch, pbmTile, pbmCenter, pbmCustom };
using enum TPlotBackImageMode;

class TPlotZoomPen : public TChartPen {
  KV_CLASS(TPlotZoomPen, TChartPen)
public:
  explicit TPlotZoomPen(TPlotChangeEvent ChangeHandler = {});
};

class TPlotZoomBrush : public TChartBrush {
  KV_CLASS(TPlotZoomBrush, TChartBrush)
public:
  explicit TPlotZoomBrush(TPlotChangeEvent ChangeHandler = {});
};

// What a finished zoom drag does.
enum class TZoomDragResult : uint8_t { zdrNothing, zdrZoom, zdrUndo };

class TPlotZoom : public TZoomPanning {
  KV_CLASS(TPlotZoom, TZoomPanning)
public:
  void Assign(const TPersistent* Source) override;
  // Created on first read; nullptr frees, anything else is copied.
  TPlotZoomBrush* GetBrush();
  TPlotZoomBrush* PeekBrush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value);
  TPlotZoomPen* GetPen();
  TPlotZoomPen* PeekPen() const { return FPen.get(); }
  void SetPen(const TChartPen* Value);
  // Whether a mouse-down with Button and Shift starts a zoom drag.
  bool StartsDrag(TMouseButton Button, TShiftState Shift) const;
  // The outcome of the drag X0,Y0 .. X1,Y1 (X1, Y1 already taken from the mouse).
  TZoomDragResult DragResult() const;

  bool Allow = true;
  bool Animated = false;
  int32_t AnimatedSteps = 8;
  TPlotZoomDirection Direction = tzdBoth;
  TShiftState KeyShift;
  int32_t MinimumPixels = 16;
  TMouseButton MouseButton = TMouseButton::mbLeft;
  bool UpLeftZooms = false;
  TPlotChangeEvent OnChange;

private:
  std::unique_ptr<TPlotZoomBrush> FBrush;
  std::unique_ptr<TPlotZoomPen> FPen;
};

class TBackImage : public TPicture {
  KV_CLASS(TBackImage, TPicture)
public:
  void AssignImage(const TBackImage& Source);
  bool GetInside() const { return FInside; }
  void SetInside(bool V);
  int32_t GetLeft() const { return FLeft; }
  void SetLeft(int32_t V);
  TPlotBackImageMode GetMode() const { return FMode; }
  void SetMode(TPlotBackImageMode V);
  int32_t GetTop() const { return FTop; }
  void SetTop(int32_t V);

private:
  void Notify();
  bool FInside = false;
  int32_t FLeft = 0, FTop = 0;
  TPlotBackImageMode FMode = pbmStretch;
};

class TCustomPlotPanelExtended : public TCustomPlotPanel {
  KV_CLASS(TCustomPlotPanelExtended, TCustomPlotPanel)
public:
  explicit TCustomPlotPanelExtended(TComponent* Owner = nullptr);
  ~TCustomPlotPanelExtended() override;
  void Assign(const TPersistent* Source) override;

  TPanningMode AllowPanning = TPanningMode::pmBoth;
  // Created on first read; nullptr frees, anything else is copied.
  TPlotGradient* GetGradient();
  TPlotGradient* PeekGradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value);
  TBackImage* GetBackImage();
  TBackImage* PeekBackImage() const { return FBackImage.get(); }
  void SetBackImage(const TBackImage* Value);
  TPlotZoom& Zoom() { return FZoom; }
  bool GetAllowZoom() const { return FZoom.Allow; }
  void SetAllowZoom(bool V) { FZoom.Allow = V; }
  bool GetAnimatedZoom() const { return FZoom.Animated; }
  void SetAnimatedZoom(bool V) { FZoom.Animated = V; }
  int32_t GetAnimatedZoomSteps() const { return FZoom.AnimatedSteps; }
  void SetAnimatedZoomSteps(int32_t V) { FZoom.AnimatedSteps = V; }
  bool GetBackImageInside() const;
  void SetBackImageInside(bool V) { GetBackImage()->SetInside(V); }
  TPlotBackImageMode GetBackImageMode() { return GetBackImage()->GetMode(); }
  void SetBackImageMode(TPlotBackImageMode V) { GetBackImage()->SetMode(V); }
  bool GetBackImageTransp() const;
  void SetBackImageTransp(bool V);
  bool HasBackImage() const;
  // The palette the window asks for: the back image's when it holds an
  // indexed bitmap, none (empty) otherwise.
  std::vector<TColor> GetPalette() const;

  void DrawZoomRectangle();
  virtual void UndoZoom();
  virtual void FillBackground(const TRect& Rect);
  virtual void DrawFrame(const TRect& Rect);
  void DrawBackImage(const TRect& Rect, int32_t Z);

  bool Zoomed = false;
  std::function<void(TObject*)> OnAfterDraw, OnScroll, OnUndoZoom, OnZoom;

private:
  std::unique_ptr<TPlotGradient> FGradient;
  std::unique_ptr<TBackImage> FBackImage;
  TPlotZoom FZoom;
};

// ---- text shapes ------------------------------------------------------------

enum class TChartObjectShapeStyle : uint8_t { fosRectangle, fosRoundRectangle };
using enum TChartObjectShapeStyle;
enum class TTextFormat : uint8_t { ttfNormal, ttfHtml };
using enum TTextFormat;

namespace PlotProcs {
// The corners of Rect turned by Angle degrees about its centre, in the order
// top-left, top-right, bottom-right, bottom-left (counter-clockwise on screen).
TFourPoints RotatedCorners(const TRect& Rect, double Angle);
// A colour from its name ("clRed") or its number; false when neither.
bool ColorFromText(const std::string& Text, TColor& Color);
}  // namespace PlotProcs

// An element with a brush, a pen, a visibility switch and its chart panel.
class TPlotCustomShapeBrushPen : public TPersistent {
  KV_CLASS(TPlotCustomShapeBrushPen, TPersistent)
public:
  explicit TPlotCustomShapeBrushPen(TCustomPlotPanel* Parent = nullptr);
  ~TPlotCustomShapeBrushPen() override;
  void Assign(const TPersistent* Source) override;

  TChartBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value) { FBrush->Assign(Value); }
  TChartPen* Pen() const { return FPen.get(); }
  void SetFrame(const TChartPen* Value) { FPen->Assign(Value); }
  TCustomPlotPanel* Parent() const { return FParent; }
  virtual void SetParent(TCustomPlotPanel* Panel) { FParent = Panel; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Hide() { SetVisible(false); }
  // Invalidates the parent panel; elements owned by something else than a
  // panel (axis titles) report to their owner instead.
  virtual void Repaint();
  void CanvasChanged(TObject*) { Repaint(); }

protected:
  // Descendants with another brush class replace the brush here.
  void ReplaceBrush(std::unique_ptr<TChartBrush> Brush) { FBrush = std::move(Brush); }
  TPlotChangeEvent ChangeHandler() {
    return [this](TObject* Sender) { CanvasChanged(Sender); };
  }

private:
  std::unique_ptr<TChartBrush> FBrush;
  TCustomPlotPanel* FParent = nullptr;
  std::unique_ptr<TChartPen> FPen;
  bool FVisible = true;
};

// A framed box with fill, shadow, bevel, font and rounded corners.
class TPlotCustomShape : public TPlotCustomShapeBrushPen {
  KV_CLASS(TPlotCustomShape, TPlotCustomShapeBrushPen)
public:
  explicit TPlotCustomShape(TCustomPlotPanel* Owner = nullptr);
  ~TPlotCustomShape() override;
  void Assign(const TPersistent* Source) override;

  TBevelCut GetBevel() const { return FBevel; }
  void SetBevel(TBevelCut V) { Change(FBevel, V); }
  int32_t GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int32_t V) { Change(FBevelWidth, V); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V);
  TPlotFont* Font() const { return FFont.get(); }
  void SetFont(const TPlotFont* V) { FFont->Assign(V); }
  // nullptr once freed by SetShadow(nullptr); a freed shadow is not drawn.
  TPlotShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TPlotShadow* V);
  TChartObjectShapeStyle GetShapeStyle() const { return FShapeStyle; }
  void SetShapeStyle(TChartObjectShapeStyle V) { Change(FShapeStyle, V); }
  TTextFormat GetTextFormat() const { return FTextFormat; }
  void SetTextFormat(TTextFormat V) { Change(FTextFormat, V); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool V);
  bool IsTransparentStored() const { return FTransparent != DefaultTransparent; }
  // Created on first read; nullptr frees.
  TPlotGradient* GetGradient();
  TPlotGradient* PeekGradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* V);
  // The gradient object a shape makes on first use; shapes whose gradient has a
  // class (and defaults) of its own replace it.
  virtual std::unique_ptr<TPlotGradient> NewGradient() { return std::make_unique<TPlotGradient>(ChangeHandler()); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency V) { Change(FTransparency, V); }

  int32_t GetWidth() const { return PlacedRect.Right - PlacedRect.Left + 1; }
  int32_t GetHeight() const { return PlacedRect.Bottom - PlacedRect.Top + 1; }
  void SetWidth(int32_t W) { PlacedRect.Right = PlacedRect.Left + W - 1; }
  void SetHeight(int32_t H) { PlacedRect.Bottom = PlacedRect.Top + H - 1; }

  void DrawShape() { DrawRectRotated(PlacedRect, 0, 0); }
  void DrawRectRotated(const TRect& Rect, int32_t Angle, int32_t Z);

  // Legacy stored properties of older charts (read, never written).
  void ReadShadowColor(const std::string& Text);
  void ReadShadowSize(int32_t Size);
  std::string LegacyShadowColor() const;
  int32_t LegacyShadowSize() const { return FShadow ? FShadow->GetSize() : 0; }

  bool DefaultTransparent = false;
  TRect PlacedRect;

protected:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Repaint();
    }
  }

private:
  void DrawOutline(TCanvas3D& Canvas, const TRect& Rect, int32_t Angle, int32_t Z);

  TBevelCut FBevel = bvNone;
  int32_t FBevelWidth = 2;
  TColor FColor = clWhite;
  std::unique_ptr<TPlotFont> FFont;
  std::unique_ptr<TPlotShadow> FShadow;
  TChartObjectShapeStyle FShapeStyle = fosRectangle;
  TTextFormat FTextFormat = ttfNormal;
  bool FTransparent = false;
  std::unique_ptr<TPlotGradient> FGradient;
  TPlotTransparency FTransparency = 0;
};

class TPlotShape : public TPlotCustomShape {
  KV_CLASS(TPlotShape, TPlotCustomShape)
public:
  using TPlotCustomShape::TPlotCustomShape;
};

// ---- window adaptor -----------------------------------------------------------

// Shows a chart panel in a window and forwards the window's input to it. For
// a chart it also shows the chart's cursor, shows its hints at once and
// answers its questions about screen positions.
class TPlotPanelControl : public TCustomControl {
  KV_CLASS(TPlotPanelControl, TCustomControl)
public:
  TPlotPanelControl(TComponent* Owner, TCustomPlotPanel* Panel);
  ~TPlotPanelControl() override;
  TCustomPlotPanel* Panel() const { return FPanel; }
  void Paint() override;
  // The chart's current hint while it shows one, else the control's own.
  bool HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const override;
  // The control's own wheel events first, then one panel wheel step per notch.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void MouseLeave() override;
  void Resize() override;

private:
  void InstallChartHooks(bool Install);
  // Shows the cursor the chart asks for (a series or an axis under the mouse).
  void ApplyChartCursor();

  TCustomPlotPanel* FPanel;  // not owned
  // Wheel turn not yet amounting to a whole notch (fine-grained wheels and touch pads).
  int FWheelRest = 0;
};
