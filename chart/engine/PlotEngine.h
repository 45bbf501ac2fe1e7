#pragma once
// Value lists, the axis model with its range and scale arithmetic, and the
// chart-style text form in which pens, brushes, gradients, fonts, shadows and
// axes are saved as one-line texts.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Classes.h"

// ============================================================================
// Value lists
// ============================================================================

using TChartValues = std::vector<double>;
enum class TChartListOrder : uint8_t { loNone, loAscending, loDescending };
using enum TChartListOrder;

class TChartValueList;

// What a value list needs of the series that owns it; the series base
// implements it.
class TValueListOwner {
public:
  virtual ~TValueListOwner() = default;
  // Appends a new list to the owner's value lists (creation order).
  virtual void AddValueList(TChartValueList* List) = 0;
  // Value event (0 clear, 1 add, 2 delete, 3 refresh, 4 modify) with an index.
  virtual void NotifyValue(int32_t Code, int32_t Index) = 0;
  // Moves point A and point B in every value list, colours and labels.
  virtual void SwapValueIndex(int32_t A, int32_t B) = 0;
  virtual void CheckDataSource() = 0;
  // Stores Value into Field and repaints the chart, only when it changes.
  virtual void SetBooleanProperty(bool& Field, bool Value) = 0;
};

namespace PlotEngine {
// Capacity step of the value arrays.
extern int32_t PlotValuesGrowStep;
// Shows the message of an obsolete stored property (a message box in the
// program; tests replace it).
extern std::function<void(const std::string& Text)> ShowObsoleteMessage;
}  // namespace PlotEngine

class TChartValueList : public TPersistent {
  KV_CLASS(TChartValueList, TPersistent)

public:
  TChartValueList(TValueListOwner* Owner, const std::string& Name);
  ~TChartValueList() override;
  void Assign(const TPersistent* Source) override;

  int32_t Count() const;
  void SetCount(int32_t N);
  // Checked: an index outside 0..Count-1 raises ChartException.
  double GetValue(int32_t Index) const;
  void SetValue(int32_t Index, double Value);
  // Checked store that sends no value event to the owner.
  void StoreValue(int32_t Index, double Value);
  double operator[](int32_t Index) const { return GetValue(Index); }
  double First() const { return GetValue(0); }
  double Last() const { return GetValue(Count() - 1); }

  virtual int32_t AddChartValue(double Value);
  int32_t AddTempValue();
  virtual void InsertChartValue(int32_t Index, double Value);
  virtual void Delete(int32_t Index);
  void DeleteRange(int32_t Start, int32_t Quantity);
  virtual void ClearValues();
  int32_t Locate(double Value) const { return LocateRange(0, FCount - 1, Value); }
  int32_t LocateRange(int32_t First, int32_t Last, double Value) const;

  double MaxValue();
  double MinValue();
  double Total();
  double TotalABS();
  double Range();
  void RecalcStats();
  // Brings the statistics up to date, then keeps Value as the cached absolute
  // total until the values change (a pie's "Other" slice is not counted twice).
  void StoreTotalABS(double Value) {
    RecalcStats();
    FTotalABS = Value;
  }

  void Exchange(int32_t A, int32_t B);
  void FillSequence();
  virtual int32_t RotateFirstToEnd();
  int32_t CompareValueIndex(int32_t A, int32_t B) const;
  void Sort();

  bool GetDateTime() const { return FDateTime; }
  void SetDateTime(bool Value);
  void SetDefaultDateTime(bool Value);
  bool IsDateTimeStored() const { return FDateTime != FDefaultDateTime; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  TChartListOrder GetOrder() const { return FOrder; }
  void SetOrder(TChartListOrder Value) { FOrder = Value; }
  const std::string& GetValueSource() const { return FValueSource; }
  void SetValueSource(const std::string& Value);
  TValueListOwner* GetOwnerSeries() const { return FOwner; }
  bool IsModified() const { return FModified; }
  // The stored "Multiplier" of older charts: any value but 1 is reported.
  void ReadMultiplier(double Value);
  double LegacyMultiplier() const { return 1; }

  double TempValue = 0;
  // The raw array; its length is the capacity.
  const TChartValues& Values() const { return FValues; }

private:
  void CheckIndex(int32_t Index) const;
  void GrowFor(int32_t Needed);

  bool FDateTime = false;
  double FMaxValue = 0, FMinValue = 0;
  std::string FName;
  TChartListOrder FOrder = loNone;
  TValueListOwner* FOwner;  // the series owning this list (not owned)
  double FTotal = 0, FTotalABS = 0;
  std::string FValueSource;
  bool FDefaultDateTime = false;
  int32_t FCount = 0;
  TChartValues FValues;
  bool FModified = true;
};

// ============================================================================
// Axes
// ============================================================================

enum class TAxisLabelAlign : uint8_t { alDefault, alOpposite };
using enum TAxisLabelAlign;
enum class TAxisLabelStyle : uint8_t { talAuto, talNone, talValue, talMark, talText };
using enum TAxisLabelStyle;
enum class TPenLineMode : uint8_t { lmLine, lmCylinder, lmRectangle };
using enum TPenLineMode;

class TChartAxis;
class TChartAxes;
class TChartSeries;
class TCanvas3D;

// Pixel positions of the ticks of an axis's last drawing.
using TAxisTicks = std::vector<int32_t>;
// Lets the program move, change or cancel one axis label before it is drawn.
using TAxisDrawLabelEvent = std::function<void(TChartAxis* Sender, int32_t& X, int32_t& Y, int32_t& Z,
                                               std::string& Text, bool& DrawLabel)>;

// What an axis needs of its chart; the axis panel implements it.
class TAxisChart {
public:
  virtual ~TAxisChart() = default;
  virtual void Invalidate() = 0;
  virtual bool IsLoading() const = 0;
  // A zoomed or panned view is shown (axis limits were set by the mouse).
  virtual bool IsZoomedView() const = 0;
  virtual void UndoZoom() = 0;
  // The extremes of the active series on Axis that count for its automatic range.
  virtual double AxisMinValue(const TChartAxis& Axis) = 0;
  virtual double AxisMaxValue(const TChartAxis& Axis) = 0;
  // Whether the first active series with a value list for Axis has date-times.
  virtual bool AxisIsDateTime(const TChartAxis& Axis) = 0;
  // Whether an active series associated with Axis and lying in its direction
  // has at most Count points.
  virtual bool AxisHasSeriesWithAtMost(const TChartAxis& Axis, int32_t Count) = 0;
  virtual TRect GetChartRect() const = 0;
  virtual int32_t GetChartDepth() const = 0;   // depth of the chart in pixels
  virtual int32_t GetChartHeight() const = 0;  // height of the chart rectangle
  // The series bound to a freed custom axis go back to the standard axes.
  virtual void AxisFreed(TChartAxis& Axis) = 0;
  virtual TChartAxes& GetAxes() = 0;
  // The collection custom axes join (CreateCustom); none by default.
  virtual TCollection* GetCustomAxes() { return nullptr; }
  // The canvas labels are measured and drawn on; none for a chart without one.
  virtual TCanvas3D* GetCanvas() { return nullptr; }
  // The chart's axis label event (OnGetAxisLabel); by default the text stays.
  virtual void GetAxisLabel(TChartAxis* /*Sender*/, TChartSeries* /*Series*/, int32_t /*ValueIndex*/,
                            std::string& /*LabelText*/) {}
  // Widest mark text and widest point label of the active series.
  virtual int32_t MaxMarkWidth() const { return 0; }
  virtual int32_t MaxLabelsWidth() { return 0; }
  // Room the walls take beside Axis; none without walls.
  virtual int32_t WallSize(const TChartAxis& /*Axis*/) { return 0; }
  virtual bool GetView3D() const { return false; }
  virtual const TView3DOptions* GetView3DOptions() const { return nullptr; }
  // Whether 3-D grids are drawn on the back wall.
  virtual bool GetAxisBehind() const { return true; }
  virtual int32_t GetPanelHeight() const { return 0; }
  // Whether the last draw cycle drew Axis.
  virtual bool IsAxisDrawn(const TChartAxis& /*Axis*/) const { return true; }
  // The chart's OnGetNextAxisLabel event; false when it is not assigned.
  virtual bool GetNextAxisLabel(TChartAxis* /*Sender*/, int32_t /*LabelIndex*/, double& /*LabelValue*/,
                                bool& /*Stop*/) {
    return false;
  }
};

// The axis line pen.
class TChartAxisPen : public TChartPen {
  KV_CLASS(TChartAxisPen, TChartPen)
public:
  explicit TChartAxisPen(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  TPenLineMode GetLineMode() const { return FLineMode; }
  void SetLineMode(TPenLineMode Value);

private:
  TPenLineMode FLineMode = lmLine;
};

class TAxisGridPen : public TDottedGrayPen {
  KV_CLASS(TAxisGridPen, TDottedGrayPen)
public:
  explicit TAxisGridPen(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  double GetZPosition() const { return FZPosition; }
  void SetZPosition(double Value);
  bool GetCentered() const { return FCentered; }
  void SetCentered(bool Value);
  bool IsZPositionStored() const { return FZPosition != DefaultZPosition; }
  double DefaultZPosition = 0;

private:
  double FZPosition = 0;
  bool FCentered = false;
};

// Title of an axis: a text shape with an angle and a caption; its changes are
// reported to the axis, which repaints its chart.
class TChartAxisTitle : public TPlotCustomShape {
  KV_CLASS(TChartAxisTitle, TPlotCustomShape)
public:
  explicit TChartAxisTitle(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  void Repaint() override;
  int32_t GetAngle() const { return FAngle; }
  void SetAngle(int32_t Value);  // stored modulo 360
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  void SetVisible(bool Value);

private:
  TPlotChangeEvent FOnChange;
  int32_t FAngle = 0;
  std::string FCaption;
};

// A custom label of an axis: a text at a value, drawn in a text shape.
class TAxisItem : public TPlotCustomShape {
  KV_CLASS(TAxisItem, TPlotCustomShape)
public:
  explicit TAxisItem(TChartAxis* Axis);
  void Repaint() override;
  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value) { Change(FText, Value); }
  double GetValue() const { return FValue; }
  void SetValue(double Value) { Change(FValue, Value); }
  TChartAxis* Axis() const { return FAxis; }

private:
  TChartAxis* FAxis;  // the owning axis
  std::string FText;
  double FValue = 0;
};

// The custom labels of an axis and the label format shape (Labels, LabelsFont).
class TAxisItems {
public:
  explicit TAxisItems(TChartAxis* Axis);
  ~TAxisItems();
  TAxisItem* Add(double Value);
  TAxisItem* Add(double Value, const std::string& Text);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TAxisItem* Items(int32_t Index) const;  // ChartException for a bad index
  void Clear();
  void Assign(const TAxisItems& Other);
  TPlotShape& Format() const { return *FFormat; }

private:
  TChartAxis* FAxis;
  std::vector<std::unique_ptr<TAxisItem>> FItems;
  std::unique_ptr<TPlotShape> FFormat;
};

class TChartAxis : public TCollectionItem {
  KV_CLASS(TChartAxis, TCollectionItem)

public:
  // Chart may be null for an axis that is not (yet) part of a chart.
  TChartAxis(TCollection* Collection, TAxisChart* Chart, bool Horizontal = false, bool OtherSide = false);
  ~TChartAxis() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  TAxisChart* ParentChart() const { return FChart; }

  // ---- published settings ----
  bool GetAutomatic() const { return FAutomatic; }
  void SetAutomatic(bool Value);
  bool GetAutomaticMaximum() const { return FAutomaticMaximum; }
  void SetAutomaticMaximum(bool Value);
  bool GetAutomaticMinimum() const { return FAutomaticMinimum; }
  void SetAutomaticMinimum(bool Value);
  TChartAxisPen* Axis() const { return FAxisPen.get(); }
  const std::string& GetAxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const std::string& Value) { Change(FAxisValuesFormat, Value); }
  const std::string& GetDateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const std::string& Value) { Change(FDateTimeFormat, Value); }
  bool GetExactDateTime() const { return FExactDateTime; }
  void SetExactDateTime(bool Value) { Change(FExactDateTime, Value); }
  TAxisGridPen* Grid() const { return FGrid.get(); }
  bool GetGridCentered() const { return FGrid->GetCentered(); }
  void SetGridCentered(bool Value) { FGrid->SetCentered(Value); }
  double GetIncrement() const { return FIncrement; }
  void SetIncrement(double Value);
  bool GetInverted() const { return FInverted; }
  virtual void SetInverted(bool Value);
  // Stores Inverted without repainting.
  void SetInvertedField(bool Value) { FInverted = Value; }
  // Stores Logarithmic without undoing a zoom, notifying or repainting (a
  // temporary switch while the axis is drawn; RecalcScales follows it).
  void SetLogarithmicField(bool Value) { FLogarithmic = Value; }
  bool GetHorizontal() const { return FHorizontal; }
  void SetHorizontal(bool Value);
  bool GetOtherSide() const { return FOtherSide; }
  void SetOtherSide(bool Value) { Change(FOtherSide, Value); }
  bool GetLabels() const { return FItems->Format().GetVisible(); }
  void SetLabels(bool Value);
  TAxisLabelAlign GetLabelsAlign() const { return FLabelsAlign; }
  void SetLabelsAlign(TAxisLabelAlign Value) { Change(FLabelsAlign, Value); }
  bool GetLabelsAlternate() const { return FLabelsAlternate; }
  void SetLabelsAlternate(bool Value) { Change(FLabelsAlternate, Value); }
  int32_t GetLabelsAngle() const { return FLabelsAngle; }
  void SetLabelsAngle(int32_t Value) { Change(FLabelsAngle, Value % 360); }
  bool GetLabelsExponent() const { return FLabelsExponent; }
  void SetLabelsExponent(bool Value) { Change(FLabelsExponent, Value); }
  TPlotFont* LabelsFont() const { return FItems->Format().Font(); }
  bool GetLabelsMultiLine() const { return FLabelsMultiLine; }
  void SetLabelsMultiLine(bool Value) { Change(FLabelsMultiLine, Value); }
  bool GetLabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool Value) { Change(FLabelsOnAxis, Value); }
  int32_t GetLabelsSeparation() const { return FLabelsSeparation; }
  void SetLabelsSeparation(int32_t Value);
  int32_t GetLabelsSize() const { return FLabelsSize; }
  void SetLabelsSize(int32_t Value) { Change(FLabelsSize, Value); }
  TAxisLabelStyle GetLabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TAxisLabelStyle Value) { Change(FLabelStyle, Value); }
  bool GetLogarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool Value);
  double GetLogarithmicBase() const { return FLogarithmicBase; }
  void SetLogarithmicBase(double Value);
  double GetMaximum() const { return FMaximum; }
  void SetMaximum(double Value);
  double GetMinimum() const { return FMinimum; }
  void SetMinimum(double Value);
  int32_t GetMaximumOffset() const { return FMaximumOffset; }
  void SetMaximumOffset(int32_t Value) { Change(FMaximumOffset, Value); }
  int32_t GetMinimumOffset() const { return FMinimumOffset; }
  void SetMinimumOffset(int32_t Value) { Change(FMinimumOffset, Value); }
  TChartHiddenPen* MinorGrid() const { return FMinorGrid.get(); }
  int32_t GetMinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(int32_t Value) { Change(FMinorTickCount, Value); }
  int32_t GetMinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(int32_t Value) { Change(FMinorTickLength, Value); }
  TDarkGrayPen* MinorTicks() const { return FMinorTicks.get(); }
  double GetStartPosition() const { return FStartPosition; }
  void SetStartPosition(double Value) { Change(FStartPosition, Value); }
  double GetEndPosition() const { return FEndPosition; }
  void SetEndPosition(double Value) { Change(FEndPosition, Value); }
  double GetPositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(double Value) { Change(FPositionPercent, Value); }
  TPlotUnits GetPositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TPlotUnits Value) { Change(FPositionUnits, Value); }
  bool GetRoundFirstLabel() const { return FRoundFirstLabel; }
  void SetRoundFirstLabel(bool Value) { Change(FRoundFirstLabel, Value); }
  int32_t GetTickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(int32_t Value) { Change(FTickInnerLength, Value); }
  int32_t GetTickLength() const { return FTickLength; }
  void SetTickLength(int32_t Value) { Change(FTickLength, Value); }
  TDarkGrayPen* Ticks() const { return FTicks.get(); }
  TDarkGrayPen* TicksInner() const { return FTicksInner.get(); }
  bool GetTickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool Value) { Change(FTickOnLabelsOnly, Value); }
  TChartAxisTitle* Title() const { return FTitle.get(); }
  TAxisItems& Items() const { return *FItems; }
  int32_t GetTitleSize() const { return FTitleSize; }
  void SetTitleSize(int32_t Value) { Change(FTitleSize, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { Change(FVisible, Value); }
  double GetZPosition() const { return FZPosition; }
  void SetZPosition(double Value) { Change(FZPosition, Value == 0 ? 0.01 : Value); }
  bool IsDepthAxis() const { return DepthAxisFlag; }

  // ---- unpublished settings ----
  bool LinLogActive = false;
  double LinLogThreshold = 1.0;
  int32_t LinLogDecShift = 3;
  bool MinDecEnabled = false;
  double MinDecValue = 0.01;
  bool RoundedLimits = false;
  bool RangeFrozen = false;
  bool TitlePlacementOn = false;
  int32_t TitlePlacement = 0;
  bool LogLabelFormat = false;
  bool UseFixedLimits = false;
  double FixedMinimum = 0, FixedMaximum = 0;
  double LabelOffset = 0;
  double LabelScale = 1.0;
  std::function<void(TObject* Sender)> OnAxisChange;
  std::string AxisDefaultText;
  TAxisDrawLabelEvent OnDrawLabel;
  // Called before the grid is drawn, so that bands can paint under it.
  std::function<void(TChartAxis* Sender)> GridHook;

  // ---- scale state ----
  bool LimitsChanged = false;
  double PreviousMaximum = 0, PreviousMinimum = 0;
  double ScaleMaximum = 0, ScaleMinimum = 0, ScaleRange = 0;
  bool ZeroRange = true;
  double PixelsPerUnit = 0;
  double LogScaleMaximum = 0, LogScaleMinimum = 0, LogScaleRange = 0, PixelsPerLogUnit = 0;
  int32_t StartPixel = 0, EndPixel = 0, AxisLength = 0, CentrePixel = 0;
  int32_t DepthPixel = 0;
  bool DepthAxisFlag = false;
  // Across the axis: pixel of the axis line, of the labels band and of the title.
  int32_t AxisLinePos = 0, LabelsPos = 0, TitlePos = 0;
  TAxisTicks TickPixels;
  // The series whose point texts feed text labels; filled and emptied within
  // one drawing of the axis.
  std::vector<TChartSeries*> LabelSeries;

  // ---- operations ----
  // A custom axis of Chart, in the chart's custom-axes collection.
  static TChartAxis* CreateCustom(TAxisChart& Chart);
  void SetMinMax(double Min, double Max);
  // Stores both limits without checks or repaint (the axis text form).
  void StoreLimits(double Min, double Max) {
    FMinimum = Min;
    FMaximum = Max;
  }
  void Scroll(double Offset, bool CheckLimits);
  bool IsDateTime() const;
  void RecalcAndNotify();
  void StoreDefaultText();

  void CalcAxisRange();
  void CalcAutoLimits();
  void RecalcScales();
  void SetAxisPositions();
  void AdjustToRect();
  // Side coordinate of the axis line for the chart rectangle R.
  int32_t AxisLineSide(const TRect& R) const;

  // Value to pixel: own direction, horizontal, vertical. An unmappable value
  // (NaN) answers the centre pixel.
  int32_t ValueToPixel(double Value) const;
  int32_t ValueToPixelX(double Value) const;
  int32_t ValueToPixelY(double Value) const;
  double CalcPosPoint(int32_t Pixel) const { return CalcPosPointDouble(Pixel); }
  double CalcPosPointDouble(double Pixel) const;
  int32_t CalcSizeValue(double Value) const;
  double CalcLogIncrement(double X) const;
  double CalcIncrement(int32_t Count) const;
  double IncrementForLabelSize(int32_t Size) const;
  // The step at which the labels of both ends (and one more) do not overlap.
  double CalcLabelsIncrement();

  // ---- labels ----
  // The effective label style: LabelStyle, or the one the series suggest.
  virtual TAxisLabelStyle CalcLabelStyle() const;
  // The label text of a value in this axis's format.
  virtual std::string LabelValue(double Value);
  // Room taken by the axis line and the ticks.
  int32_t SizeTickAxis() const;
  // Size of the label Text across the axis for Angle (fixed size when not 0).
  int32_t LabelSizeAcross(const std::string& Text, int32_t Angle, int32_t FixedSize);
  // Size of Text along the axis: its width, or the height of its lines when
  // the labels run across the axis.
  int32_t LabelSizeAlong(const std::string& Text);
  // While set, LabelValue does not ask the chart's OnGetAxisLabel.
  bool MeasuringLabels = false;

  // ---- layout ----
  // Places the axis line, labels and title beside Rect; with Reserve, Rect
  // shrinks by the room they take.
  void LayoutAxis(TRect& Rect, bool Reserve);
  // Room of the labels band (doubled with LabelsAlternate) and of the title.
  int32_t SizeLabels();
  int32_t SizeTitle();
  // Largest label width the axis can show.
  int32_t WidestLabelWidth();

  // ---- label positions ----
  // The date-time step index the labels follow for the label step Inc: the
  // step table's index on an axis showing exact date-times, else 27 (none).
  int32_t LabelDateTimeStep(double Inc);
  // The values (in label units) of the stepped labels for step Inc, from the
  // top down; a label exactly at the minimum is left out.
  std::vector<double> SteppedLabelValues(double Inc, int32_t DateStep);

  // ---- drawing ----
  // Draws title, labels, ticks, grid and axis line on the chart's canvas;
  // with CalcPosAxis the axis line position follows the chart rectangle.
  void Draw(bool CalcPosAxis);
  // Draws only the grid lines, at the tick pixels of the last drawing (the
  // walls redraw them in front of the series on a rotated chart).
  void DrawGridOnly();
  // Draws one label at P along the axis, in Shape (the label format when none).
  void DrawLabel(int32_t P, const std::string& Text, TPlotCustomShape* Shape);
  // Draws a label or title text at (X, Y), aligned for the side and Angle.
  void DrawAxisLabel(int32_t X, int32_t Y, TPlotCustomShape* Shape, const std::string& Text, int32_t Angle);
  // The minor tick pixels for the current TickPixels.
  std::vector<int32_t> MinorPixels();
  // Draws the axis at the given positions and ends, with the grid shown or
  // hidden for the call; everything changed is restored, also on failure.
  void DrawAtPositions(int32_t ALabelsPos, int32_t ATitlePos, int32_t AAxisLinePos, int32_t AStartPixel,
                       int32_t AEndPixel, bool GridVisible);
  // The same with Minimum, Maximum and Increment fixed for the call.
  void CustomDrawMinMax(int32_t ALabelsPos, int32_t ATitlePos, int32_t AAxisLinePos, int32_t AStartPixel,
                        int32_t AEndPixel, double AMinimum, double AMaximum, double AIncrement, bool GridVisible);
  // The rectangle that answers clicks on the axis line and labels.
  TRect ClickRect() const;
  bool HitTest(int32_t X, int32_t Y) const;

protected:
  void Repaint();
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Repaint();
    }
  }

private:
  int32_t PositionLinear(double Value, bool Horizontal) const;
  int32_t PositionLog(double Value, bool Horizontal) const;
  int32_t PositionDepth(double Value) const;
  int32_t Position(double Value, bool Horizontal) const;
  double CalcDateTimeIncrement(int32_t Count) const;
  bool DateTimeAxis() const;
  TCanvas3D* DrawCanvas() const;
  int32_t AxisWallSize(const TChartAxis* Axis) const;
  void DrawTitle(TCanvas3D& C);
  void DrawValueLabels(double Inc, int32_t DateStep);
  void DrawValueLabel(double Value);
  void DrawDecadeLabels();
  bool DrawLabelsByEvent(double Inc, int32_t DateStep);
  void DrawSeriesLabels();
  void DrawPageLabels();
  void DrawCustomLabels();
  void DrawExponentLabel(TCanvas3D& C, int32_t X, int32_t Y, const std::string& Text, uint32_t Align);
  void DrawTickAt(TCanvas3D& C, int32_t P, int32_t Length, bool Inward);
  void DrawGridAt(TCanvas3D& C, int32_t P);
  void DrawAxisLine(TCanvas3D& C);
  void DrawLines(TCanvas3D& C);
  bool FAlternateRow = false;  // the next alternating label goes to the outer row

  TAxisChart* FChart;
  bool FAutomatic = true, FAutomaticMaximum = true, FAutomaticMinimum = true;
  std::unique_ptr<TChartAxisPen> FAxisPen;
  std::string FAxisValuesFormat = "#,##0.###";
  std::string FDateTimeFormat;
  bool FExactDateTime = true;
  std::unique_ptr<TAxisGridPen> FGrid;
  double FIncrement = 0;
  bool FInverted = false;
  bool FHorizontal = false;
  bool FOtherSide = false;
  TAxisLabelAlign FLabelsAlign = alDefault;
  bool FLabelsAlternate = false;
  int32_t FLabelsAngle = 0;
  bool FLabelsExponent = false;
  bool FLabelsMultiLine = false;
  bool FLabelsOnAxis = true;
  int32_t FLabelsSeparation = 10;
  int32_t FLabelsSize = 0;
  TAxisLabelStyle FLabelStyle = talAuto;
  bool FLogarithmic = false;
  double FLogarithmicBase = 10;
  double FMaximum = 0, FMinimum = 0;
  int32_t FMaximumOffset = 0, FMinimumOffset = 0;
  std::unique_ptr<TChartHiddenPen> FMinorGrid;
  int32_t FMinorTickCount = 3;
  int32_t FMinorTickLength = 2;
  std::unique_ptr<TDarkGrayPen> FMinorTicks;
  double FStartPosition = 0, FEndPosition = 100;
  double FPositionPercent = 0;
  TPlotUnits FPositionUnits = muPercent;
  bool FRoundFirstLabel = true;
  int32_t FTickInnerLength = 0;
  int32_t FTickLength = 4;
  std::unique_ptr<TDarkGrayPen> FTicks, FTicksInner;
  bool FTickOnLabelsOnly = true;
  std::unique_ptr<TChartAxisTitle> FTitle;
  std::unique_ptr<TAxisItems> FItems;
  int32_t FTitleSize = 0;
  bool FVisible = true;
  double FZPosition = 0.01;
};

// The list of every axis of one chart, standard axes first.
class TCustomAxisPanel;
class TChartDepthAxis;

class TChartAxes {
public:
  TChartAxes() = default;
  explicit TChartAxes(TCustomAxisPanel* Chart) : FChart(Chart) {}
  TCustomAxisPanel* Chart() const { return FChart; }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TChartAxis* Items(int32_t Index) const;  // ChartException for a bad index
  void Add(TChartAxis* Axis) { FItems.push_back(Axis); }
  void Remove(TChartAxis* Axis);
  // Frees every axis, then empties the list.
  void Clear();
  bool UnclampedPositions = false;
  // May change the labels room an axis reserves (Size holds the measured one).
  std::function<void(TChartAxis* Axis, int32_t& Size)> OnSizeLabels;

  // The chart's standard axes and its AxisBehind / AxisVisible switches;
  // a list that knows no chart raises ChartException.
  TChartAxis* Left() const;
  TChartAxis* Top() const;
  TChartAxis* Right() const;
  TChartAxis* Bottom() const;
  TChartDepthAxis* Depth() const;
  TChartDepthAxis* DepthTop() const;
  bool GetBehind() const;
  void SetBehind(bool Value);
  bool GetVisible() const;
  void SetVisible(bool Value);

private:
  TCustomAxisPanel& RequireChart() const;
  TCustomAxisPanel* FChart = nullptr;
  std::vector<TChartAxis*> FItems;
};

namespace PlotEngine {

// Largest pixel coordinate a clamped linear position answers.
extern int32_t PixelClampLimit;

// ---- scale arithmetic (pure) ----
double SignOf(double X);
double LinLog(double A, double X);
double InvLinLog(double A, double Y);
double LinLogStep(double A, double K, double X);
// Next larger number of the 1-2-5 series; 0, negatives and NaN give 1.
double NiceStep(double X);
// Round to the nearest integer (halves to even) when within 1e-10 of it,
// else the ceiling / floor.
double CeilT(double X);
double FloorT(double X);

// ---- chart-style text form ----
using PLOTarofint = std::vector<int32_t>;
using PLOTarofstr = std::vector<std::string>;
constexpr double NoValue = 123456789;

void SplitToInts(const std::string& Text, int32_t StartIndex, PLOTarofint& Numbers);
void SplitToStrings(const std::string& Text, int32_t StartIndex, PLOTarofstr& Parts);
std::string SeparatorToBlank(const std::string& Text, char Separator);
// Reads a real with "." or ","; NoValue for text that is not a number or
// lies outside (Low, High) (bounds of 0 mean none; Low = High: no check).
double ReadNumber(const std::string& Text, bool Inclusive, double Low, double High);
// A real written with "." whatever the locale.
std::string RealToText(double Value);

std::string BrushToText(const TChartBrush& Brush);
std::string GradientToText(const TCustomPlotGradient& Gradient);
std::string FontToText(const TPlotFont& Font);
std::string PenToText(const TChartPen& Pen);
std::string ShadowToText(const TPlotShadow& Shadow);
std::string AxisToText(const TChartAxis& Axis);

// Readers answer a new element without change notification; the caller owns it.
std::unique_ptr<TChartBrush> BrushFromText(const std::string& Text);
std::unique_ptr<TPlotGradient> GradientFromText(const std::string& Text);
std::unique_ptr<TPlotFont> FontFromText(const std::string& Text);
std::unique_ptr<TChartPen> PenFromText(const std::string& Text);
std::unique_ptr<TPlotShadow> ShadowFromText(const std::string& Text);
// Applies Text to Axis; every field is parsed and checked before any is
// applied, so a bad text raises and leaves the axis as it was.
void AxisFromText(TChartAxis& Axis, const std::string& Text, bool WithPlacement);
void CopyFontByText(const TPlotFont& Source, std::unique_ptr<TPlotFont>& Target);

// ---- axis labels ----
// Separates the lines of a label text.
extern char LabelLineSeparator;
// Set by the walls around their own grid passes.
extern bool SkipBackWallGrid;
extern bool SkipDepthGrid;
// Number of lines of a label: separators + 1 when text follows the last one.
int32_t LabelLineCount(const std::string& Text);
// The lines of a label text.
std::vector<std::string> LabelLines(const std::string& Text);

}  // namespace PlotEngine
