#pragma once
// The chart control: the axis panel with titles, foots, walls and a legend,
// the mouse protocol (clicks, pop-up menus, zoom, panning, wheel), the
// series and tool type registries, series replacement, colour palettes and
// the settings file that keeps the looks of axes and series between runs.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "platform/rtl/ResStrings.h"
#include "platform/ui/StdCtrls.h"

class TCustomChart;
class TCustomChartLegend;
class TPopupMenu;
class TForm;
class TMenuItem;

// ============================================================================
// Positioned shapes, legend
// ============================================================================

// A framed shape that is placed automatically unless CustomPosition is set.
class TPlotCustomShapePosition : public TPlotCustomShape {
  KV_CLASS(TPlotCustomShapePosition, TPlotCustomShape)
public:
  explicit TPlotCustomShapePosition(TCustomPlotPanel* Owner = nullptr);
  void Assign(const TPersistent* Source) override;
  bool GetCustomPosition() const { return FCustomPosition; }
  void SetCustomPosition(bool Value) { Change(FCustomPosition, Value); }
  bool IsCustomPositionStored() const { return FCustomPosition != DefaultCustomPosition; }
  int32_t GetLeft() const { return PlacedRect.Left; }
  int32_t GetTop() const { return PlacedRect.Top; }
  // Both switch CustomPosition on and move the shape, keeping its size.
  void SetLeft(int32_t Value);
  void SetTop(int32_t Value);
  bool DefaultCustomPosition = false;

private:
  bool FCustomPosition = false;
};

enum class TLegendAlignment : uint8_t { laLeft, laRight, laTop, laBottom };
using enum TLegendAlignment;
enum class TCheckBoxesStyle : uint8_t { cbsCheck, cbsRadio };
using enum TCheckBoxesStyle;
enum class TLegendStyle : uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
using enum TLegendStyle;
enum class TLegendSymbolPosition : uint8_t { spLeft, spRight };
using enum TLegendSymbolPosition;
enum class TLegendSymbolSize : uint8_t { lcsPercent, lcsPixels };
using enum TLegendSymbolSize;

class TLegendSymbol;
using TSymbolDrawEvent =
    std::function<void(TLegendSymbol* Sender, TChartSeries* Series, const TRect& Rect, int32_t Index)>;

// The look of the legend's symbols.
class TLegendSymbol : public TPersistent {
  KV_CLASS(TLegendSymbol, TPersistent)
public:
  explicit TLegendSymbol(TCustomChartLegend* Legend = nullptr);
  ~TLegendSymbol() override;
  void Assign(const TPersistent* Source) override;

  bool GetContinuous() const { return FContinuous; }
  void SetContinuous(bool V) { Change(FContinuous, V); }
  bool GetDefaultPen() const { return FDefaultPen; }
  void SetDefaultPen(bool V) { Change(FDefaultPen, V); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* V) { FGradient->Assign(V); }
  TChartPen* Pen() const { return FPen.get(); }
  void SetPen(const TChartPen* V) { FPen->Assign(V); }
  TLegendSymbolPosition GetPosition() const { return FPosition; }
  void SetPosition(TLegendSymbolPosition V) { Change(FPosition, V); }
  bool GetSquared() const { return FSquared; }
  void SetSquared(bool V) { Change(FSquared, V); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool V) { Change(FVisible, V); }
  int32_t GetWidth() const { return FWidth; }
  void SetWidth(int32_t V) { Change(FWidth, V); }
  TLegendSymbolSize GetWidthUnits() const { return FWidthUnits; }
  void SetWidthUnits(TLegendSymbolSize V) { Change(FWidthUnits, V); }

  // The symbol width in pixels for a legend whose texts are Base wide.
  int32_t PixelWidth(int32_t Base) const;
  // Frames Rect with the symbol pen over the gradient ending at Color (or white).
  void DrawGradientSymbol(TCanvas3D& Canvas, TColor Color, const TRect& Rect);
  TCustomPlotPanel* ParentPanel() const;

  TSymbolDrawEvent OnDraw;

private:
  void Repaint();
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Repaint();
    }
  }
  TCustomChartLegend* FLegend;
  bool FContinuous = false, FDefaultPen = true;
  std::unique_ptr<TPlotGradient> FGradient;
  std::unique_ptr<TChartPen> FPen;
  TLegendSymbolPosition FPosition = spLeft;
  bool FSquared = false, FVisible = true;
  int32_t FWidth = 20;
  TLegendSymbolSize FWidthUnits = lcsPercent;
};

// The legend's own title.
class TLegendTitle : public TPlotShape {
  KV_CLASS(TLegendTitle, TPlotShape)
public:
  explicit TLegendTitle(TCustomPlotPanel* Owner = nullptr);
  ~TLegendTitle() override;
  void Assign(const TPersistent* Source) override;
  TStringList* Text() const { return FText.get(); }
  void SetText(const TStrings* Value);
  TAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment V) { Change(FTextAlignment, V); }
  // Height of the title box for the current font (0 when the text is empty).
  int32_t TitleHeight(TCanvas3D& Canvas) const;
  // Widest line + "W", plus frame and shadow when not transparent.
  int32_t TitleWidth(TCanvas3D& Canvas) const;
  // Draws the lines inside PlacedRect.
  void DrawText(TCanvas3D& Canvas) const;

private:
  std::unique_ptr<TStringList> FText;
  TAlignment FTextAlignment = TAlignment::taLeftJustify;
};

class TChartLegendGradient : public TPlotGradient {
  KV_CLASS(TChartLegendGradient, TPlotGradient)
public:
  explicit TChartLegendGradient(TPlotChangeEvent ChangeHandler = {});
};

// The computed texts of one shown legend item.
class TLegendItem {
public:
  std::string Column[2];
};
using TLegendItems = std::vector<TLegendItem>;

using TOnGetLegendText = std::function<void(TCustomChart* Sender, TLegendStyle Style, int32_t Index, std::string& Text)>;
using TOnGetLegendPos =
    std::function<void(TCustomChart* Sender, int32_t Index, int32_t& SymbolX, int32_t& Y, int32_t& TextX)>;
using TOnGetLegendRect = std::function<void(TCustomChart* Sender, TRect& Rect)>;

class TCustomChartLegend : public TPlotCustomShapePosition {
  KV_CLASS(TCustomChartLegend, TPlotCustomShapePosition)
public:
  explicit TCustomChartLegend(TCustomAxisPanel* Chart = nullptr);
  std::unique_ptr<TPlotGradient> NewGradient() override;
  ~TCustomChartLegend() override;
  void Assign(const TPersistent* Source) override;

  // ---- published settings ----
  TLegendAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment V) { Change(FAlignment, V); }
  bool GetCheckBoxes() const { return FCheckBoxes; }
  void SetCheckBoxes(bool V) { Change(FCheckBoxes, V); }
  TCheckBoxesStyle GetCheckBoxesStyle() const { return FCheckBoxesStyle; }
  void SetCheckBoxesStyle(TCheckBoxesStyle V);
  bool GetCurrentPage() const { return FCurrentPage; }
  void SetCurrentPage(bool V) { Change(FCurrentPage, V); }
  TChartHiddenPen* DividingLines() const { return FDividingLines.get(); }
  void SetDividingLines(const TChartPen* V) { FDividingLines->Assign(V); }
  int32_t GetFirstValue() const { return FFirstValue; }
  void SetFirstValue(int32_t V);
  bool GetFontSeriesColor() const { return FFontSeriesColor; }
  void SetFontSeriesColor(bool V) { Change(FFontSeriesColor, V); }
  int32_t GetHorizMargin() const { return FHorizMargin; }
  void SetHorizMargin(int32_t V) { Change(FHorizMargin, V); }
  bool GetInverted() const { return FInverted; }
  void SetInverted(bool V) { Change(FInverted, V); }
  int32_t GetLeftPercent() const { return FLeftPercent; }
  void SetLeftPercent(int32_t V) { Change(FLeftPercent, V); }
  TLegendStyle GetLegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(TLegendStyle V);
  int32_t GetMaxNumRows() const { return FMaxNumRows; }
  void SetMaxNumRows(int32_t V) { Change(FMaxNumRows, V); }
  TPlotUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TPlotUnits V) { Change(FPositionUnits, V); }
  bool GetResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool V) { Change(FResizeChart, V); }
  TLegendSymbol* Symbol() const { return FSymbol.get(); }
  void SetSymbol(const TLegendSymbol* V) { FSymbol->Assign(V); }
  TLegendTextStyle GetTextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle V) { Change(FTextStyle, V); }
  TLegendTitle* Title() const { return FTitle.get(); }
  void SetTitle(const TLegendTitle* V) { FTitle->Assign(V); }
  int32_t GetTopPos() const { return FTopPos; }
  void SetTopPos(int32_t V) { Change(FTopPos, V); }
  int32_t GetTopPercent() const { return FTopPercent; }
  void SetTopPercent(int32_t V) { Change(FTopPercent, V); }
  int32_t GetVertMargin() const { return FVertMargin; }
  void SetVertMargin(int32_t V) { Change(FVertMargin, V); }
  int32_t GetVertSpacing() const { return FVertSpacing; }
  void SetVertSpacing(int32_t V) { Change(FVertSpacing, V); }
  int32_t GetColorWidth() const { return FSymbol->GetWidth(); }
  void SetColorWidth(int32_t V) { FSymbol->SetWidth(V); }

  // ---- operations ----
  void PaintLegend();
  void RestrictToSeries(TChartSeries* Series);
  TChartSeries* GetRestrictedSeries() const { return FRestrictedSeries; }
  bool HasContent() const;
  bool AtSide() const { return FAlignment == laLeft || FAlignment == laRight; }
  bool CheckBoxesShown() const { return FCheckBoxes && EffectiveStyle != lsValues; }
  int32_t ItemHeight() const;
  int32_t ItemsTop() const;
  TChartSeries* LegendSeries() const;
  std::string ItemText(int32_t Index) const;
  int32_t Clicked(int32_t X, int32_t Y) const;
  bool CheckBoxClick(int32_t X, int32_t Y, int32_t ItemIndex);
  TCustomAxisPanel* Chart() const { return FChart; }
  // Recomputes EffectiveStyle from LegendStyle and the active series.
  void CalcEffectiveStyle();
  // Index of the last item drawn at the last layout (-1 none).
  int32_t LastValue() const { return LastIndex; }
  // Items from FirstValue on at the last layout, never below 0.
  int32_t RemainingItems() const { return FRemainingItems; }
  // Called while the legend computes its size: at the side with its width,
  // at the top or bottom with its height. What the hook adds is room for
  // something drawn with the legend (a scroll bar): at the side inside the
  // legend box, at the top or bottom just under it.
  std::function<void(TObject* Sender, int32_t& Size)> SizeHook;

  // ---- layout of the last paint ----
  int32_t SymbolWidth = 0;
  int32_t TotalItems = 0;
  bool HasTitle = false;
  TLegendStyle EffectiveStyle = lsSeries;
  int32_t LastIndex = -1;
  int32_t Columns = 0, Rows = 0;
  int32_t ColumnWidths[2] = {0, 0};
  TLegendItems Items;

private:
  void ComputeTexts(int32_t First, int32_t Last);
  int32_t TextsWidth() const;
  int32_t TitleHeightNow() const;
  void DrawItem(int32_t Value, int32_t Position);
  void DrawCheck(int32_t X, int32_t Y, bool Checked) const;
  void MeasureColumns();
  int32_t FrameWidth() const;

  TCustomAxisPanel* FChart;
  TLegendAlignment FAlignment = laRight;
  bool FCheckBoxes = false;
  TCheckBoxesStyle FCheckBoxesStyle = cbsCheck;
  bool FCurrentPage = true;
  std::unique_ptr<TChartHiddenPen> FDividingLines;
  int32_t FFirstValue = 0;
  bool FFontSeriesColor = false;
  int32_t FHorizMargin = 0;
  bool FInverted = false;
  int32_t FLeftPercent = 0;
  TLegendStyle FLegendStyle = lsAuto;
  int32_t FMaxNumRows = 10;
  TPlotUnits FPositionUnits = muPixels;
  bool FResizeChart = true;
  WeakRef<TChartSeries> FRestrictedSeries;
  std::unique_ptr<TLegendSymbol> FSymbol;
  TLegendTextStyle FTextStyle = TLegendTextStyle::ltsLeftValue;
  std::unique_ptr<TLegendTitle> FTitle;
  int32_t FTopPos = 10, FTopPercent = 0, FVertMargin = 0, FVertSpacing = 0;
  int32_t FRemainingItems = 0;
  // Item geometry of the current paint.
  int32_t FTextX = 0, FSymbolX = 0, FCheckX = 0, FTextWidth = 0, FSpace = 0, FItemH = 0, FGap = 0, FTitleH = 0;
};

class TChartLegend : public TCustomChartLegend {
  KV_CLASS(TChartLegend, TCustomChartLegend)
public:
  using TCustomChartLegend::TCustomChartLegend;
};

// ============================================================================
// Walls and titles
// ============================================================================

class TCustomChartWall : public TPlotCustomShape {
  KV_CLASS(TCustomChartWall, TPlotCustomShape)
public:
  explicit TCustomChartWall(TCustomPlotPanel* Chart = nullptr);
  void Assign(const TPersistent* Source) override;
  bool GetAutoHide() const { return FAutoHide; }
  void SetAutoHide(bool V) { Change(FAutoHide, V); }
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool V) { Change(FDark3D, V); }
  int32_t GetSize() const { return FSize; }
  void SetSize(int32_t V) { Change(FSize, V); }
  void SetColorAndDefault(TColor Color);
  bool IsColorStored() const { return GetColor() != DefaultWallColor; }
  bool UseDarkSides() const;
  bool HasGradient() const;
  bool ShouldDraw() const;
  TColor DefaultWallColor = clDefault;

private:
  bool FAutoHide = false, FDark3D = true;
  int32_t FSize = 0;
};

class TChartWall : public TCustomChartWall {
  KV_CLASS(TChartWall, TCustomChartWall)
public:
  using TCustomChartWall::TCustomChartWall;
};

class TChartBackWall : public TChartWall {
  KV_CLASS(TChartBackWall, TChartWall)
public:
  explicit TChartBackWall(TCustomPlotPanel* Chart = nullptr);
};

class TChartRightWall : public TChartWall {
  KV_CLASS(TChartRightWall, TChartWall)
public:
  using TChartWall::TChartWall;
};

class TChartWalls : public TPersistent {
  KV_CLASS(TChartWalls, TPersistent)
public:
  explicit TChartWalls(TCustomAxisPanel* Chart = nullptr);
  ~TChartWalls() override;
  void Assign(const TPersistent* Source) override;
  TChartBackWall* Back() const { return FBack.get(); }
  TChartWall* Bottom() const { return FBottom.get(); }
  TChartWall* Left() const { return FLeft.get(); }
  TChartRightWall* Right() const { return FRight.get(); }
  void SetBack(const TChartBackWall* V) { FBack->Assign(V); }
  void SetBottom(const TChartWall* V) { FBottom->Assign(V); }
  void SetLeft(const TChartWall* V) { FLeft->Assign(V); }
  void SetRight(const TChartRightWall* V) { FRight->Assign(V); }
  void Show3DWalls(bool Value);
  void SetAllSizes(int32_t Value);

private:
  std::unique_ptr<TChartBackWall> FBack;
  std::unique_ptr<TChartWall> FBottom;
  TCustomAxisPanel* FChart;
  std::unique_ptr<TChartWall> FLeft;
  std::unique_ptr<TChartRightWall> FRight;
};

class TChartTitle : public TPlotCustomShapePosition {
  KV_CLASS(TChartTitle, TPlotCustomShapePosition)
public:
  explicit TChartTitle(TCustomPlotPanel* Chart = nullptr);
  ~TChartTitle() override;
  void Assign(const TPersistent* Source) override;
  bool GetAdjustFrame() const { return FAdjustFrame; }
  void SetAdjustFrame(bool V) { Change(FAdjustFrame, V); }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment V) { Change(FAlignment, V); }
  TStringList* Text() const { return FText.get(); }
  void SetText(const TStrings* Value);
  void SetTextLine(const std::string& Text);
  void ClearLines();
  bool Clicked(int32_t X, int32_t Y) const;
  TRect OccupiedRect() const { return PlacedRect; }
  void PaintTitle();
  bool AtTop = true;

private:
  bool FAdjustFrame = true;
  TAlignment FAlignment = TAlignment::taCenter;
  std::unique_ptr<TStringList> FText;
};

class TChartFootTitle : public TChartTitle {
  KV_CLASS(TChartFootTitle, TChartTitle)
public:
  explicit TChartFootTitle(TCustomPlotPanel* Chart = nullptr);
};

// ============================================================================
// The chart
// ============================================================================

// What a mouse point hits.
enum class TChartClickedPartStyle : uint8_t {
  cpNone = 0,
  cpLegend = 1,
  cpAxis = 2,
  cpSeries = 3,
  cpTitle = 4,
  cpFoot = 5,
  cpChartRect = 6,
  cpSeriesMarks = 7,
  cpSubTitle = 8,
  cpSubFoot = 9
};
using enum TChartClickedPartStyle;

struct TChartClickedPart {
  TChartClickedPartStyle Part = cpNone;
  int32_t PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TChartAxis* AAxis = nullptr;
};

struct TAllAxisSavedScales {
  bool Auto = false, AutoMin = false, AutoMax = false;
  double Min = 0, Max = 0;
};

using TChartAllowScrollEvent = std::function<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;
using TChartClickAxis = std::function<void(TCustomChart* Sender, TChartAxis* Axis, TMouseButton Button,
                                           TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClick =
    std::function<void(TCustomChart* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClickSeries = std::function<void(TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex,
                                             TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TChartClickTitle = std::function<void(TCustomChart* Sender, TChartTitle* Title, TMouseButton Button,
                                            TShiftState Shift, int32_t X, int32_t Y)>;

class TCustomChart : public TCustomAxisPanel {
  KV_CLASS(TCustomChart, TCustomAxisPanel)
public:
  explicit TCustomChart(TComponent* Owner = nullptr);
  ~TCustomChart() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  // ---- owned parts ----
  TChartTitle* Foot() const { return FFoot.get(); }
  TChartLegend* Legend() const { return FLegend.get(); }
  TChartTitle* SubFoot() const { return FSubFoot.get(); }
  TChartTitle* SubTitle() const { return FSubTitle.get(); }
  TChartTitle* Title() const { return FTitle.get(); }
  TChartWalls* Walls() const { return FWalls.get(); }
  void SetFoot(const TChartTitle* V) { FFoot->Assign(V); }
  void SetLegend(const TChartLegend* V) { FLegend->Assign(V); }
  void SetSubFoot(const TChartTitle* V) { FSubFoot->Assign(V); }
  void SetSubTitle(const TChartTitle* V) { FSubTitle->Assign(V); }
  void SetTitle(const TChartTitle* V) { FTitle->Assign(V); }
  TChartBackWall* BackWall() const { return FWalls->Back(); }
  TChartWall* LeftWall() const { return FWalls->Left(); }
  TChartWall* BottomWall() const { return FWalls->Bottom(); }
  TChartRightWall* RightWall() const { return FWalls->Right(); }
  void SetBackWall(const TChartBackWall* V) { FWalls->SetBack(V); }
  void SetLeftWall(const TChartWall* V) { FWalls->SetLeft(V); }
  void SetBottomWall(const TChartWall* V) { FWalls->SetBottom(V); }
  void SetRightWall(const TChartRightWall* V) { FWalls->SetRight(V); }
  TChartPen* Frame() const;
  void SetFrame(const TChartPen* V);
  TMouseButton GetScrollMouseButton() const { return FScrollMouseButton; }
  void SetScrollMouseButton(TMouseButton V) { FScrollMouseButton = V; }
  int32_t GetColorPaletteIndex() const { return ColorPaletteIndex; }
  // Stores the index and applies that palette when above 0 (chart files).
  void SetColorPaletteIndex(int32_t Index);
  // Legacy "BackColor" of older charts: a colour name or a number for the back wall.
  void ReadBackColor(const std::string& Text);
  std::string GetBackColorText() const;
  // A legend of its own for a series (a pie's "other" slice, an extra-legend
  // tool); none: the chart's Legend. The owner of the legend clears it.
  void SetSeriesLegend(TChartSeries* Series, TCustomChartLegend* Legend);
  TCustomChartLegend* SeriesLegend(const TChartSeries* Series) const;

  // ---- panel slots ----
  TColor GetBackColor() override;
  bool IsFreeSeriesColor(TColor Color, bool CheckBackground, TChartSeries* Series) override;
  TRect WallsRect() override;
  int32_t WallSize(const TChartAxis& Axis) override;
  void DrawTitlesAndLegend(bool BeforeSeries) override;
  void DrawWalls() override;
  void GetLegendText(TChartSeries* Series, int32_t Index, std::string& Text) override;
  void DrawLegendSymbolRect(const TRect& Rect) override;
  void LegendItemText(const TCustomChartLegend& Legend, int32_t Index, std::string& Text);
  bool RightWallVisible();
  bool LeftWallVisible();

  // ---- clicked parts ----
  TChartClickedPart ClickedPartAt(int32_t X, int32_t Y) { return ClickedPartTest(X, Y, false); }
  TChartClickedPart ClickedPartTest(int32_t X, int32_t Y, bool OnlyClickable);
  static TChartSeries* FirstActiveSeriesOf(const TCustomAxisPanel& Chart);
  std::string AxisTitleOrName(const TChartAxis* Axis) const;

  // ---- mouse ----
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  // WheelDelta > 0: up. Scrolls every vertical axis by 3 % of its range per step.
  void MouseWheel(TShiftState Shift, int32_t WheelDelta, int32_t X, int32_t Y) override;
  bool DblClick() override;

  // ---- zoom and scroll ----
  virtual void ZoomRect();
  void ZoomValues(double TopMin, double TopMax, double BottomMin, double BottomMax, double LeftMin,
                  double LeftMax, double RightMin, double RightMax);
  void UndoZoom() override;
  void SaveScales();
  bool GetScalesUnsaved() const { return ScalesUnsaved; }
  // Returns true when some axis was moved.
  bool PanAxes(bool Horizontal, int32_t New, int32_t Old);

  // ---- pop-up menus ----
  void SeriesPopup(TChartSeries* Series);
  void LegendPopup();
  void AxisPopup(TChartAxis* Axis);
  // Writes the points of Series as the two-column table; false when the file
  // cannot be written.
  bool ExportSeriesPoints(TChartSeries* Series, const std::string& FileName) const;
  // Asks for a file name and exports ClickedSeries; a failure is told in a box.
  void SaveClickedSeries();
  void UpdateAxisHint(int32_t X, int32_t Y);

  // ---- events ----
  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClick OnClickBackground, OnClickLegend;
  TChartClickSeries OnClickSeries;
  TChartClickTitle OnClickTitle;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TOnGetLegendText OnGetLegendText;
  TNotifyEvent OnAxisPopupCommand, OnSeriesPopupCommand;

  // ---- state ----
  std::vector<TAllAxisSavedScales> SavedScales;
  int32_t ColorPaletteIndex = 0;
  bool ScalesUnsaved = true;
  TChartSeries* ClickedSeries = nullptr;
  TChartAxis* ClickedAxis = nullptr;
  bool PopupRequest = false;
  // Hint text of the chart (axis hint) and whether hints show.
  std::string Hint;
  bool ShowHint = false;
  // Shows a hint at once at a screen point; installed by the window adaptor.
  std::function<void(const std::string& Text, TPoint ScreenPoint)> OnShowHint;
  // Screen position of the mouse cursor and conversion of a chart point;
  // the window adaptor installs them; without one, chart coordinates are used.
  std::function<TPoint()> OnCursorPos;
  std::function<TPoint(TPoint)> OnClientToScreen;

private:
  void BeginZoomOrScroll(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y, bool& Handled);
  bool FireClick(const std::function<void()>& Event);
  void ToggleLegendSeries();
  void OpenMenu(TPopupMenu& Menu);
  void FinishMenuCommand(bool SeriesMenu, TObject* Sender);
  void ApplyAxisRange(TChartAxis* Axis, double Min, double Max);
  void DrawRightWall();
  void DrawLeftWall();
  void DrawBottomWall();
  void DrawBackWall();
  void PrepareWall(TCustomChartWall& Wall);
  bool SideWallCulled(int32_t X);
  TPlotBlend* SideFill(TCustomChartWall& Wall, int32_t X, int32_t Y);
  void DrawFrontWallsAndAxes();

  std::unique_ptr<TChartTitle> FFoot;
  std::unique_ptr<TChartLegend> FLegend;
  TMouseButton FScrollMouseButton = TMouseButton::mbRight;
  std::unique_ptr<TChartTitle> FSubFoot, FSubTitle, FTitle;
  std::unique_ptr<TChartWalls> FWalls;
  std::vector<std::pair<WeakRef<TChartSeries>, TCustomChartLegend*>> FSeriesLegends;
  TPoint FLastMousePoint{0, 0};
};

class TChart : public TCustomChart {
  KV_CLASS(TChart, TCustomChart)
public:
  using TCustomChart::TCustomChart;
};

// ============================================================================
// Registries
// ============================================================================

// A text the registries read each time they show it, so a replaced or
// translated text reaches the gallery: a plain text variable or a resource string.
class TTextRef {
public:
  TTextRef() = default;
  TTextRef(std::nullptr_t) {}
  TTextRef(const std::string* Text) : FText(Text) {}
  TTextRef(const ResStrings::TResString* Text) : FRes(Text) {}
  explicit operator bool() const { return FText || FRes; }
  std::string operator*() const { return FText ? *FText : FRes ? FRes->Text() : std::string(); }

private:
  const std::string* FText = nullptr;
  const ResStrings::TResString* FRes = nullptr;
};

// One registered series or function type.
class TPlotSeriesType : public TObject {
  KV_CLASS(TPlotSeriesType, TObject)
public:
  TClass SeriesClassRef = nullptr;
  TClass FunctionClassRef = nullptr;
  TTextRef DescriptionText;
  TTextRef PageName;
  int32_t SampleSeriesCount = 2;
  std::string Description() const { return DescriptionText ? *DescriptionText : std::string(); }
};

class TPlotSeriesTypes {
public:
  ~TPlotSeriesTypes() { Clear(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TPlotSeriesType* TypeAt(int32_t Index) const;
  TPlotSeriesType* TypeOfSeriesClass(TClass SeriesClass) const;
  void Clear();
  std::vector<std::unique_ptr<TPlotSeriesType>>& Items() { return FItems; }

private:
  std::vector<std::unique_ptr<TPlotSeriesType>> FItems;
};

class TPlotToolTypes {
public:
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TClass ToolClassAt(int32_t Index) const;
  std::vector<TClass>& Items() { return FItems; }

private:
  std::vector<TClass> FItems;
};

namespace Chart {

// ---- series types ----
TPlotSeriesTypes& SeriesTypes();
void RegisterType(TClass SeriesClass, TClass FuncClass, TTextRef Description, TTextRef Page, int32_t SampleCount);
void AddSeriesType(TClass SeriesClass, TTextRef Description, TTextRef Page, int32_t SampleCount);
void AddStandardSeriesType(TClass SeriesClass, TTextRef Description);
void AddFunctionType(TClass FuncClass, TTextRef Description, TTextRef Page, int32_t SampleCount);
void AddStandardFunctionType(TClass FuncClass, TTextRef Description);
void RemoveSeriesTypes(const std::vector<TClass>& Classes);
void RemoveFunctionTypes(const std::vector<TClass>& Classes);
std::string SeriesTypeText(const TChartSeries* Series);

// ---- tool types ----
TPlotToolTypes& ToolTypes();
void AddToolClasses(const std::vector<TClass>& Classes);
void RemoveToolClasses(const std::vector<TClass>& Classes);
TClass ToolClassAt(int32_t Index);

// ---- series routines ----
std::string UniqueSeriesName(TComponent* Owner);
TPlotFunction* MakeSeriesFunction(TChartSeries* Series, TClass FuncClass);
TChartSeries* MakeSeries(TComponent* Owner, TCustomAxisPanel* Chart, TClass SeriesClass, TClass FuncClass);
TChartSeries* CloneSeriesTo(TChartSeries* Series, TComponent* Owner, TCustomAxisPanel* Chart);
TChartSeries* CloneSeries(TChartSeries* Series, TCustomAxisPanel* Chart);
TChartSeries* DuplicateSeries(TChartSeries* Series);
void SwapInSeries(TChartSeries*& Old, TChartSeries* New);
TChartSeries* ConvertSeriesClass(TChartSeries*& Series, TClass NewClass);
// Draws a series' legend symbol on any canvas (lists, grids, editors).
void DrawSeriesSymbolOn(TChartSeries* Series, TCanvas& Canvas, const TRect& Rect, TCustomChart* Chart = nullptr);

// ---- palettes ----
// The names of the built-in palettes, index = palette number.
const std::vector<std::string>& ColorPalettes();
const std::vector<TColor>& PaletteColors(int32_t Index);
void ApplyPalette(TCustomAxisPanel* Chart, int32_t Index);

// ---- settings file ----
// The executable's path with the extension ".in", in the user's configuration folder.
std::string SettingsFileName();
// A series type text made safe as an INI key.
std::string SeriesKey(const TChartSeries* Series);
void StoreAxesDefaults(TCustomAxisPanel* Chart);
void SaveAxesFormat(TCustomAxisPanel* Chart, const std::string& Name);
void LoadAxesFormat(TCustomAxisPanel* Chart, const std::string& Name);
void SaveSeriesFormat(TCustomAxisPanel* Chart, const std::string& Name, TChartSeries* Series);
void LoadSeriesFormat(TCustomAxisPanel* Chart, const std::string& Name, TChartSeries* Series);
// While set, LoadAxesFormat and LoadSeriesFormat read nothing: the program sets
// it once its charts have their looks, so that later loads do not undo changes
// the user made since. Initialize clears it.
extern bool FormatLoadingSuspended;

// Creates the legend editor form bound to Legend (installed by the editor
// unit); the legend menu's "Options" shows it modally and frees it.
extern std::function<TForm*(TComponent* Owner, TCustomChartLegend* Legend)> CreateLegendEditor;

// Start-up and shut-down of the unit (tests call them to reset its state).
void Initialize();
void Finalize();

}  // namespace Chart
