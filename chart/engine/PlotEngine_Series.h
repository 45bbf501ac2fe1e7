#pragma once
// The series base of the chart engine: chart elements, the point store with
// its value and series events, axis binding, drawing hooks and legend
// entries, functions and data sources, series groups, the stored "Data"
// form, copying and sample data; the tool base and the editor hooks that the
// series, tool and editor units fill in.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/Controls.h"

class TChartSeries;
class TCustomChartElement;
class TPlotCustomTool;
class TPlotFunction;
class TChartSeriesList;
class TSeriesMarksBase;
class TStrings;

// ============================================================================
// What a series and a tool need of their chart. The axis panel implements it;
// tests use a small chart of their own.
// ============================================================================

class TSeriesChart;

// The tools of one chart in order of attachment. Tools belong to their owner
// component; clearing the list (and so destroying it) frees them as well.
class TChartTools {
public:
  explicit TChartTools(TSeriesChart* Chart = nullptr) : FChart(Chart) {}
  ~TChartTools() { Clear(); }
  TChartTools(const TChartTools&) = delete;
  TChartTools& operator=(const TChartTools&) = delete;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TPlotCustomTool* ToolAt(int32_t Index) const;  // ChartException for a bad index
  int32_t IndexOf(const TPlotCustomTool* Tool) const;
  // Joins Tool to the list's chart (its ParentChart) and returns it.
  TPlotCustomTool* Attach(TPlotCustomTool* Tool);
  // Appends Tool once; a list made without a chart learns it from the tool.
  void Add(TPlotCustomTool* Tool);
  void Remove(TPlotCustomTool* Tool);
  // Frees every tool, then empties the list.
  void Clear();
  TSeriesChart* Chart() const { return FChart; }

private:
  TSeriesChart* FChart;
  std::vector<TPlotCustomTool*> FItems;
};

class TSeriesChart : public TAxisChart {
public:
  // The chart as a component (free notification, owner of new series).
  virtual TComponent* ChartComponent() = 0;
  virtual bool GetAutoRepaint() const = 0;
  virtual void SetAutoRepaint(bool Value) = 0;
  virtual bool IsChartDestroying() const = 0;
  virtual bool IsDesigning() const = 0;

  // Series list and events.
  virtual TChartSeriesList& GetSeriesList() = 0;
  virtual void InternalAddSeries(TChartSeries* Series) = 0;
  virtual void RemoveSeries(TChartSeries* Series) = 0;
  virtual void BroadcastSeriesEvent(TChartSeries* Series, int32_t Code) = 0;
  virtual TChartTools& GetTools() = 0;

  // Colours.
  virtual TColor GetDefaultColor(int32_t Index) = 0;
  virtual TColor FreeSeriesColor(bool CheckBackground, TChartSeries* Series) = 0;
  virtual TColor GetPanelColor() const = 0;

  // Data sources.
  virtual void RefreshSeriesData(TChartSeries* Series) = 0;
  virtual bool IsValidDataSource(TChartSeries* Series, TComponent* Source) = 0;
  virtual void DataSourceRemoved(TChartSeries* Series, TComponent* Source) = 0;
  virtual void CheckCircularSource(TComponent* Component, TChartSeries* Series) = 0;

  // Axes.
  virtual TChartAxis* GetTopAxis() const = 0;
  virtual TChartAxis* GetBottomAxis() const = 0;
  virtual TChartAxis* GetLeftAxis() const = 0;
  virtual TChartAxis* GetRightAxis() const = 0;
  // Index of a custom axis in the custom-axes collection (-1 when none) and back.
  virtual int32_t CustomAxisIndex(const TChartAxis* Axis) const = 0;
  virtual TChartAxis* CustomAxisAt(int32_t Index) const = 0;

  // Drawing state of the current draw cycle.
  virtual int32_t GetMaxZOrder() const = 0;
  virtual void SetMaxZOrder(int32_t Value) = 0;
  virtual int32_t GetSeriesWidth3D() const = 0;
  virtual bool GetUseZOrder() const = 0;
  virtual bool GetView3D() const = 0;
  virtual void SetView3D(bool Value) = 0;
  virtual bool GetSeenFromBehind() const = 0;
  virtual int32_t GetPage() const = 0;
  virtual int32_t GetMaxPointsPerPage() const = 0;

  // Legend symbols.
  virtual TColor GetLegendBackColor() const = 0;
  virtual TChartPen* GetLegendSymbolPen() const = 0;
  virtual TCanvas3D* GetCanvas() = 0;
  // Sets the canvas brush from a colour, a chart brush and a back colour.
  virtual void SetBrushCanvas(TColor Color, TChartBrush* Brush, TColor BackColor) = 0;
  virtual void DrawLegendSymbolRect(const TRect& Rect) = 0;

  // Cursor over the chart and the one it had before a series changed it.
  virtual TCursor GetChartCursor() const = 0;
  virtual void SetChartCursor(TCursor Value) = 0;
  virtual TCursor GetOriginalCursor() const = 0;
};

// ============================================================================
// Chart elements
// ============================================================================

class TCustomChartElement : public TComponent {
  KV_CLASS(TCustomChartElement, TComponent)
public:
  explicit TCustomChartElement(TComponent* Owner);
  ~TCustomChartElement() override;
  void Init() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  virtual void RepaintOnChange(TObject* Sender);
  // The editor form named in the class description (c.Editor) of the class or its nearest ancestor.
  virtual std::string EditorFormName() const { return ClassType()->EditorName(); }
  bool GetActive() const { return FActive; }
  virtual void SetActive(bool Value);
  TSeriesChart* GetParentChart() const { return FParentChart; }
  virtual void SetParentChart(TSeriesChart* Value);
  TChartPen* Pen() const { return FPen.get(); }
  virtual void SetPen(const TChartPen* Value);
  TChartBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value);
  void Repaint();

  // The streaming parent protocol: elements are children of their chart.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParentChart ? FParentChart->ChartComponent() : nullptr; }
  // Components that are not charts are ignored.
  void SetParentComponent(TComponent* Parent) override {
    if (auto* chart = dynamic_cast<TSeriesChart*>(Parent)) SetParentChart(chart);
  }

  bool ShowInEditor = true;
  bool Hidden = false;

  // Setter helpers: store and repaint only when the value really changes.
  void SetBooleanField(bool& Field, bool Value);
  void SetColorProperty(TColor& Field, TColor Value);
  void SetDoubleProperty(double& Field, double Value);
  void SetIntegerProperty(int32_t& Field, int32_t Value);
  void SetStringProperty(std::string& Field, const std::string& Value);

protected:
  virtual std::unique_ptr<TChartPen> CreateChartPen();
  bool FActive = true;
  TSeriesChart* FParentChart = nullptr;  // the chart detaches its elements before it goes

private:
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TChartPen> FPen;
};

class TCustomChartSeries : public TCustomChartElement {
  KV_CLASS(TCustomChartSeries, TCustomChartElement)
public:
  explicit TCustomChartSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void SetActive(bool Value) override;

  virtual void CalcHorizMargins(int32_t& Left, int32_t& Right) { Left = Right = 0; }
  virtual void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) { Top = Bottom = 0; }
  virtual void PrepareDraw() {}
  virtual void AddedToChart() {}
  virtual void ChangeView3D(bool Value);
  virtual void RemovedFromChart() { FParentChart = nullptr; }
  bool SameClass(const TCustomChartSeries& Other) const;

  bool GetShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value) { SetBooleanField(FShowInLegend, Value); }
  const std::string& GetTitle() const { return FTitle; }
  virtual void SetTitle(const std::string& Value);
  std::string Identifier;
  int32_t GetStyle() const { return FStyle; }
  void SetStyle(int32_t Value) { FStyle = Value & 63; }  // six editor flags

protected:
  bool FShowInLegend = true;
  std::string FTitle;
  int32_t FStyle = 0;
};

// ============================================================================
// Marks storage the series relies on. The marks class derives from it and
// adds the look; a series without that class keeps the positions only.
// ============================================================================

struct TSeriesMarkPosition {
  TPoint ArrowTip{0, 0};
  bool KeepArrowTip = false;
  TPoint ArrowTail{0, 0};
  bool IsCustom = false;
  int32_t Height = 0;
  TPoint TopLeft{0, 0};
  int32_t Width = 0;
  // Copies the geometry, not the two flags.
  void Assign(const TSeriesMarkPosition& Other) {
    ArrowTip = Other.ArrowTip;
    ArrowTail = Other.ArrowTail;
    TopLeft = Other.TopLeft;
    Height = Other.Height;
    Width = Other.Width;
  }
  TRect Bounds() const { return TRect(TopLeft.X, TopLeft.Y, TopLeft.X + Width, TopLeft.Y + Height); }
};

class TSeriesMarksBase {
public:
  explicit TSeriesMarksBase(TChartSeries* Series) : FSeries(Series) {}
  virtual ~TSeriesMarksBase() = default;
  // Frees the marks (two-phase for a component-based marks class).
  virtual void FreeMarks() { delete this; }
  TChartSeries* ParentSeries() const { return FSeries; }

  // Stored positions, one optional entry per point index.
  int32_t PositionCount() const { return static_cast<int32_t>(FPositions.size()); }
  const TSeriesMarkPosition* Position(int32_t Index) const;  // null when none
  TSeriesMarkPosition* PositionAt(int32_t Index);             // null when none
  // A user-set position: the entry of Index (created when missing) becomes
  // custom and takes the geometry of Position.
  void SetPosition(int32_t Index, const TSeriesMarkPosition& Position);
  // The entry of Index, created (not custom) when missing.
  TSeriesMarkPosition* EnsurePosition(int32_t Index);
  // Stored as read back: flags included.
  void AppendPosition(const TSeriesMarkPosition& Position);
  bool HasCustomPosition() const;

  // Point bookkeeping: drop the stored position (and custom look) of points.
  virtual void DeletePoint(int32_t Index);
  virtual void DeletePoints(int32_t Start, int32_t Quantity);
  virtual void ClearPoints();

  // The look side (the marks class overrides these).
  virtual void SetParentChart(TSeriesChart* /*Chart*/) {}
  virtual void SetZPosition(int32_t /*Z*/) {}
  virtual void AssignMarks(const TSeriesMarksBase& Source) { FPositions.clear(); (void)Source; }
  virtual void PrepareForGallery() {}
  // Width of the widest visible mark text; 0 when none.
  virtual int32_t MaxMarkWidth() const { return 0; }
  // Whether marks are shown, whether they clip to the chart, and drawing
  // them all; the marks class provides the look.
  virtual bool MarksVisible() const { return false; }
  virtual bool MarksClip() const { return false; }
  virtual void DrawMarks() {}
  // The point whose drawn mark lies under (X, Y), edges included; -1 when
  // none. Marks without a look draw nothing and so are never hit.
  virtual int32_t MarkAtPixel(int32_t /*X*/, int32_t /*Y*/) { return -1; }

private:
  TChartSeries* FSeries;
  std::vector<std::unique_ptr<TSeriesMarkPosition>> FPositions;
};

// ============================================================================
// Lists
// ============================================================================

// The value lists of a series, X first, Y second, extra lists after; owned.
class TChartValueLists {
public:
  ~TChartValueLists() { Clear(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TChartValueList* Get(int32_t Index) const;  // ChartException for a bad index
  void Add(TChartValueList* List) { FItems.push_back(List); }
  void Clear();

private:
  std::vector<TChartValueList*> FItems;
};

// One label per point; entries beyond the end count as empty.
class TLabelsList {
public:
  explicit TLabelsList(TChartSeries* Owner) : FOwner(Owner) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  std::string GetLabel(int32_t Index) const;
  void SetLabel(int32_t Index, const std::string& Text);
  void InsertLabel(int32_t Index, const std::string& Text);
  void DeleteLabel(int32_t Index);
  void DeleteRange(int32_t Start, int32_t Quantity);
  void Exchange(int32_t A, int32_t B);
  void Clear() { FItems.clear(); }
  void Assign(const TLabelsList& Other);

private:
  TChartSeries* FOwner;
  std::vector<std::string> FItems;
};

// Series referenced without ownership; each entry clears itself when its
// series is freed.
class TCustomSeriesList {
public:
  explicit TCustomSeriesList(TComponent* Owner = nullptr);
  virtual ~TCustomSeriesList();
  TComponent* Owner() const { return FOwner; }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TChartSeries* GetSeries(int32_t Index) const;  // ChartException for a bad index
  TChartSeries* operator[](int32_t Index) const { return GetSeries(Index); }
  int32_t IndexOf(const TChartSeries* Series) const;
  int32_t Add(TChartSeries* Series);
  void Insert(int32_t Index, TChartSeries* Series);
  void Remove(TChartSeries* Series);
  void Delete(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  void Clear();
  void Assign(const TCustomSeriesList& Other);
  bool AllActive() const;
  void SetAllActive(bool Value);

private:
  void Watch(TChartSeries* Series);
  TComponent* FOwner;
  std::vector<TChartSeries*> FItems;
  TComponent* FWatcher;  // drops an entry when its series is freed
};

enum class TSeriesGroupActive : uint8_t { gaYes, gaNo, gaSome };
using enum TSeriesGroupActive;

class TSeriesGroups;

class TSeriesGroup : public TCollectionItem {
  KV_CLASS(TSeriesGroup, TCollectionItem)
public:
  explicit TSeriesGroup(TCollection* Collection);
  std::string Name;
  TCustomSeriesList& Series() { return *FSeries; }
  void SetSeries(const TCustomSeriesList& List) { FSeries->Assign(List); }
  TSeriesGroupActive GetActive() const;
  void SetActive(TSeriesGroupActive Value);
  std::string GetDisplayName() const override { return Name; }

private:
  std::unique_ptr<TCustomSeriesList> FSeries;
};

class TSeriesGroups : public TCollection {
  KV_CLASS(TSeriesGroups, TCollection)
public:
  explicit TSeriesGroups(TComponent* ChartOwner);
  TSeriesGroup* GetGroup(int32_t Index) const { return ItemAs<TSeriesGroup>(Index); }
  int32_t GroupOfSeries(const TChartSeries* Series) const;
  TComponent* Chart() const { return FChart; }

private:
  TComponent* FChart;
};

// The series of one chart in drawing order; owns the chart's groups.
class TChartSeriesList : public TCustomSeriesList {
public:
  explicit TChartSeriesList(TComponent* Chart);
  void PutSeries(int32_t Index, TChartSeries* Series);
  void ClearValues();
  TSeriesGroup* AddGroup(const std::string& Name);
  TSeriesGroups& Groups() { return *FGroups; }

private:
  std::unique_ptr<TSeriesGroups> FGroups;
};

// The components feeding one series; the first is its DataSource.
class TDataSourcesList {
public:
  explicit TDataSourcesList(TChartSeries* Owner) : FOwner(Owner) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TComponent* Get(int32_t Index) const;  // ChartException for a bad index
  int32_t IndexOf(const TComponent* Component) const;
  int32_t Add(TComponent* Component);  // validated: AddDataSource(Component, false)
  void Delete(int32_t Index);           // the owner removes that source
  void Clear();
  const std::vector<TComponent*>& Items() const { return FItems; }

private:
  friend class TChartSeries;
  TChartSeries* FOwner;
  std::vector<TComponent*> FItems;
};

// ============================================================================
// The series
// ============================================================================

enum class THorizAxis : uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
using enum THorizAxis;
enum class TVertAxis : uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
using enum TVertAxis;
enum class TLegendTextStyle : uint8_t {
  ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue, ltsValue, ltsPercent,
  ltsXAndValue, ltsXAndPercent
};
using enum TLegendTextStyle;

// RecalcOptions bits.
constexpr uint8_t rOnDelete = 1, rOnModify = 2, rOnInsert = 4, rOnClear = 8, rOnAll = 15;

using TSeriesOnAfterAdd = std::function<void(TChartSeries* Sender, int32_t ValueIndex)>;
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* Sender)>;
using TSeriesOnClear = std::function<void(TChartSeries* Sender)>;
using TSeriesClick =
    std::function<void(TChartSeries* Sender, int32_t ValueIndex, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TSeriesOnGetMarkText = std::function<void(TChartSeries* Sender, int32_t ValueIndex, std::string& MarkText)>;

class TChartSeries : public TCustomChartSeries, public TValueListOwner {
  KV_CLASS(TChartSeries, TCustomChartSeries)
public:
  explicit TChartSeries(TComponent* Owner);
  ~TChartSeries() override;
  void Init() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void Loaded() override;
  // The stored "DataSources" names and the point bytes "Data".
  void DefineProperties(TFiler& Filer) override;
  void Notification(TComponent* Component, TOperation Operation) override;
  void SetParentChart(TSeriesChart* Value) override;
  void AddedToChart() override;
  void RemovedFromChart() override;
  void SetTitle(const std::string& Value) override;

  // ---- TValueListOwner ----
  void AddValueList(TChartValueList* List) override { FValueLists.Add(List); }
  void NotifyValue(int32_t Event, int32_t Index) override;
  void SwapValueIndex(int32_t A, int32_t B) override;
  void CheckDataSource() override;
  void SetBooleanProperty(bool& Field, bool Value) override { SetBooleanField(Field, Value); }

  // ---- points ----
  int32_t Count() const { return FX->Count(); }
  virtual int32_t AppendPoint(double X, double Y, const std::string& Label = {}, TColor Colour = clDefault);
  virtual int32_t Add(double Value, const std::string& Label = {}, TColor Colour = clDefault);
  virtual int32_t AddNull(const std::string& Label = {});
  virtual int32_t AddNullXY(double X, double Y, const std::string& Label = {});
  virtual void AddedValue(TChartSeries* Sender, int32_t Index);
  virtual void Delete(int32_t Index);
  virtual void DeleteRange(int32_t Start, int32_t Quantity, bool RemoveGap = false);
  virtual void Clear();
  virtual void ClearValueLists();
  virtual double GetXValue(int32_t Index) const { return FX->GetValue(Index); }
  virtual double GetYValue(int32_t Index) const { return FY->GetValue(Index); }
  void SetXValue(int32_t Index, double Value);
  void SetYValue(int32_t Index, double Value);
  virtual double MandatoryValue(int32_t Index) const { return FMandatory->GetValue(Index); }
  virtual double GetOriginValue(int32_t Index) const { return MandatoryValue(Index); }
  virtual void SortByMandatory();
  virtual TChartValueList* ValueListByName(const std::string& Name) const;
  TChartValueLists& ValueLists() { return FValueLists; }
  const TChartValueLists& ValueLists() const { return FValueLists; }
  TChartValueList* XValues() const { return FX; }
  TChartValueList* YValues() const { return FY; }
  void SetXValues(const TChartValueList* List);
  void SetYValues(const TChartValueList* List);
  TChartValueList* MandatoryList() const { return FMandatory; }
  TChartValueList* NotMandatoryList() const { return FNotMandatory; }
  bool GetYMandatory() const { return FYMandatory; }
  // Makes X the mandatory list and Y the other one (horizontal series).
  void SetHorizontal() { MakeMandatory(FX); }
  // Makes List, one of the series' own value lists, the mandatory one: the
  // series is Y-mandatory only for the Y list; Y becomes the other list when
  // X is made mandatory, X otherwise. ChartException for a foreign list.
  void MakeMandatory(TChartValueList* List);

  // ---- labels and colours ----
  std::string GetLabel(int32_t Index) const;
  void SetLabel(int32_t Index, const std::string& Text);
  TLabelsList& Labels() { return FLabels; }
  const TLabelsList& Labels() const { return FLabels; }
  TColor GetSeriesColor() const { return FSeriesColor == clDefault ? FRememberedColor : FSeriesColor; }
  TColor GetRawSeriesColor() const { return FSeriesColor; }
  virtual void SetSeriesColor(TColor Value);
  void SetDefaultColor(TColor Value);
  TColor GetRememberedColor() const { return FRememberedColor; }
  void ColorChanged();
  bool IsSeriesColorStored() const { return FSeriesColor != clDefault; }
  TColor GetStoredColor(int32_t Index) const;
  bool HasPointColors() const { return FHasColors; }
  virtual TColor ValueColor(int32_t Index) const;
  void SetPointColor(int32_t Index, TColor Colour);
  bool GetColorEachPoint() const { return FColorEachPoint; }
  virtual void SetColorEachPoint(bool Value) { SetBooleanField(FColorEachPoint, Value); }
  bool IsNull(int32_t Index) const { return ValueColor(Index) == clNone; }

  // ---- published settings ----
  const std::string& GetColorSource() const { return FColorSource; }
  void SetColorSource(const std::string& Value);
  const std::string& GetXLabelsSource() const { return FXLabelsSource; }
  void SetXLabelsSource(const std::string& Value);
  TCursor Cursor = crDefault;
  int32_t GetDepth() const { return FDepth; }
  void SetDepth(int32_t Value) { SetIntegerProperty(FDepth, Value); }
  const std::string& GetValueFormat() const { return FValueFormat; }
  void SetValueFormat(const std::string& Value) { SetStringProperty(FValueFormat, Value); }
  bool IsValueFormatStored() const;
  const std::string& GetPercentFormat() const { return FPercentFormat; }
  void SetPercentFormat(const std::string& Value) { SetStringProperty(FPercentFormat, Value); }
  bool IsPercentFormatStored() const;
  TSeriesMarksBase* Marks() const { return FMarks; }
  void SetMarks(const TSeriesMarksBase* Value);
  int32_t ZOrder = -1;
  uint8_t RecalcOptions = rOnAll;

  // ---- axes ----
  THorizAxis GetHorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis Value);
  TVertAxis GetVertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis Value);
  TChartAxis* GetCustomHorizAxis() const { return FCustomHorizAxis; }
  void SetCustomHorizAxis(TChartAxis* Axis);
  TChartAxis* GetCustomVertAxis() const { return FCustomVertAxis; }
  void SetCustomVertAxis(TChartAxis* Axis);
  // Stored "CustomHorizAxis" / "CustomVertAxis": the index in the chart's
  // custom axes, -1 for none.
  int32_t GetCustomHorizAxisIndex() const;
  void SetCustomHorizAxisIndex(int32_t Index);
  int32_t GetCustomVertAxisIndex() const;
  void SetCustomVertAxisIndex(int32_t Index);
  TChartAxis* GetHorizAxisRef() const { return FHorizAxisRef; }
  TChartAxis* GetVertAxisRef() const { return FVertAxisRef; }
  void ResolveAxes();
  // The chart tells its series that Axis is about to be freed.
  void AxisFreed(const TChartAxis* Axis);
  virtual bool UseAxis() const { return true; }
  virtual bool AssociatedToAxis(const TChartAxis* Axis) const;
  virtual TChartValueList* ValueListForAxis(const TChartAxis* Axis) const;
  TChartAxis* MandatoryAxis() const { return FYMandatory ? FVertAxisRef : FHorizAxisRef; }

  // ---- update bracket and events ----
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int32_t UpdateCount() const { return FUpdateCount; }
  void RefreshSeries();

  // ---- depth, range and drawing ----
  int32_t GetZOrder() const { return ZOrder != -1 ? ZOrder : ComputedZOrder; }
  int32_t ComputedZOrder = 0;
  virtual void ResolveDepthOrder();
  virtual void CalcDepthPositions();
  virtual bool MoreSameZOrder() const;
  bool FirstInZOrder() const;
  virtual double LargestZ() { return GetZOrder(); }
  virtual double SmallestZ() { return GetZOrder(); }
  virtual void FindVisibleRange();
  virtual bool DrawValuesForward() const;
  virtual bool DrawSeriesForward() const;
  // Whether, in a shared depth row, this series is drawn before the others
  // at point ValueIndex; bars decide by the point's value.
  virtual bool DrawSeriesForwardAt(int32_t /*ValueIndex*/) const { return DrawSeriesForward(); }
  int32_t FirstDisplayedIndex() const { return DrawValuesForward() ? FirstValueIndex : LastValueIndex; }
  virtual void BeforeDrawPoints();
  virtual void AfterDrawPoints();
  virtual void DrawPoints();
  virtual void DrawPoint(int32_t /*Index*/) {}
  int32_t XValueToPixel(double Value) const;
  int32_t YValueToPixel(double Value) const;
  int32_t MandatoryValueToPixel(double Value) const;
  double PixelToXValue(int32_t Pixel) const;
  double PixelToYValue(int32_t Pixel) const;
  virtual int32_t PointPixelX(int32_t Index) const { return XValueToPixel(GetXValue(Index)); }
  virtual int32_t PointPixelY(int32_t Index) const { return YValueToPixel(GetYValue(Index)); }
  virtual int32_t PointAtPixel(int32_t /*X*/, int32_t /*Y*/) { return -1; }
  virtual double LargestX() { return FX->MaxValue(); }
  virtual double SmallestX() { return FX->MinValue(); }
  virtual double LargestY() { return FY->MaxValue(); }
  virtual double SmallestY() { return FY->MinValue(); }
  int32_t MaxMarkWidth() const { return FMarks ? FMarks->MaxMarkWidth() : 0; }

  // ---- marks ----
  // The mark text of a point by the marks' style; empty: no mark.
  std::string GetMarkText(int32_t Index) const;
  std::string PercentText(int32_t Index, bool WithTotal) const;
  // Sizes and places the mark of every visible point, then paints it.
  void DrawMarks();
  // Series types adjust Position (arrow length, callout offset, anti-overlap)
  // before the base draws the mark.
  virtual void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position);
  void CalcFirstLastPage(int32_t& First, int32_t& Last) const;
  bool CheckMouse(int32_t X, int32_t Y);

  // ---- legend ----
  virtual int32_t LegendEntryCount() const { return Count(); }
  virtual int32_t LegendToValueIndex(int32_t Item) const { return Item; }
  virtual TColor LegendEntryColor(int32_t Item) const { return ValueColor(Item); }
  virtual std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const;
  virtual void DrawLegend(int32_t Item, const TRect& Rect);
  virtual void PrepareLegendCanvas(int32_t /*Item*/, TColor& /*BackColor*/, TBrushStyle& /*BrushStyle*/) {}
  virtual void PaintLegendSymbol(int32_t Item, const TRect& Rect);

  // ---- data sources and function ----
  TComponent* GetDataSource() const;
  void SetDataSource(TComponent* Value);
  int32_t AddDataSource(TComponent* Component, bool ClearFirst = false);
  int32_t InternalAddDataSource(TComponent* Component);
  void RemoveDataSource(TComponent* Component);
  TDataSourcesList& DataSources() { return FDataSources; }
  const TDataSourcesList& DataSources() const { return FDataSources; }
  virtual bool AcceptsDataSource(TComponent* Component) const;
  virtual bool FunctionAcceptsSource(TChartSeries* Series) const;
  virtual bool CanCopyFrom(const TChartSeries* Source) const { return Source != this; }
  void AddLinkedSeries(TChartSeries* Series);
  void RemoveLinkedSeries(TChartSeries* Series);
  void UnlinkFromSources();
  void RemoveSourceSeries(TChartSeries* Series);
  const TCustomSeriesList& LinkedSeries() const { return *FLinkedSeries; }
  virtual void AddValues(TChartSeries* Source);
  void AssignValues(TChartSeries* Source) { AddValues(Source); }
  virtual int32_t AddSourceValues(TChartSeries* Source, int32_t Index);
  virtual void AddSourcePoint(TChartSeries* Source, int32_t Index);
  virtual void DeleteSourcePoint(TChartSeries* /*Source*/, int32_t Index) { Delete(Index); }
  TPlotFunction* GetFunction() const { return FFunction; }
  virtual void SetFunction(TPlotFunction* Value);
  // The function gives up its parent series (it is freed or moved).
  void DetachFunction(TPlotFunction* Value);
  using TComponent::GetChildren;
  std::vector<TComponent*> GetChildren() const;

  // ---- storage, copying, samples ----
  void WriteData(TStream& Stream) const;
  void ReadData(TStream& Stream);
  // The lists whose values follow the mandatory value in the "Data" form.
  std::vector<TChartValueList*> StoredExtraLists() const;
  // Whether the "Data" property is written.
  bool IsDataStored() const { return AlwaysStoreData || (ManualData && !NeverStoreData); }
  // Names of the data sources written as "DataSources" (more than one only).
  std::vector<std::string> StoredSourceNames() const;
  void SetStoredSourceNames(const std::vector<std::string>& Names) { FStreamSourceNames = Names; }
  void StoreDefaultText();
  void RestoreDefaultText();
  virtual int32_t NumSampleValues() const { return 25; }
  bool UsesSampleValues() const { return ComponentState.Contains(TComponentStateItem::csDesigning); }
  TChartSeries* FillSampleValues(int32_t N = 0);
  virtual int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false);
  virtual void PrepareForGallery(bool Enabled);
  virtual void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const;
  virtual void ApplyGalleryVariant(TChartSeries* /*Series*/, int32_t /*Index*/) {}
  int32_t RandomValue(int32_t K);

  // ---- flags set by series types and by the application ----
  bool NeverStoreData = false;
  bool AlwaysStoreData = false;
  bool ManualData = false;
  int32_t SampleCount = 0;
  bool EditorFlag = true;
  bool HasXValues = true;
  bool HasZValues = false;
  bool CalcVisiblePoints = true;
  bool DrawBetweenPoints = false;
  bool FunctionAsOnePoint = true;
  bool ExcludeFromXAuto = false;
  bool ExcludeFromYAuto = false;
  bool NoEditPopup = false;
  WeakRef<TChartSeries> PairedSeries;
  std::string SeriesDefaultText;
  int32_t FirstValueIndex = -1, LastValueIndex = -1;
  int32_t StartZ = 0, MiddleZ = 0, EndZ = 0;
  bool MouseInside = false;

  // ---- events ----
  TNotifyEvent AfterDrawValues, BeforeDrawValues;
  // Drawing hooks of tools, run beside BeforeDrawValues / AfterDrawValues
  // (before-hooks after the event, after-hooks before it), so that a tool
  // never takes the user's handlers. One entry per Owner.
  void AddDrawHook(const void* Owner, TNotifyEvent Before, TNotifyEvent After);
  void RemoveDrawHook(const void* Owner);
  bool HasDrawHook(const void* Owner) const;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnClear OnClearValues;
  TSeriesClick OnClick, OnDblClick;
  TSeriesOnGetMarkText OnGetMarkText;
  TNotifyEvent OnMouseEnter, OnMouseLeave;

protected:
  // Checks a point index of a public operation.
  void CheckPointIndex(int32_t Index, const char* Operation) const;
  // The X and Y ranges that sample values of N points fill.
  void CalcRandomBounds(int32_t N, double& MinX, double& MaxX, double& MinY, double& MaxY);

private:
  void ClearPointColors() { FColors.clear(), FHasColors = false; }
  bool IsDestroying() const { return ComponentState.Contains(TComponentStateItem::csDestroying); }
  bool IsLoading() const { return ComponentState.Contains(TComponentStateItem::csLoading); }

  TColor FSeriesColor = clDefault;
  TColor FRememberedColor = clDefault;
  bool FColorEachPoint = false;
  std::vector<TColor> FColors;
  bool FHasColors = false;
  std::string FColorSource;
  TDataSourcesList FDataSources;
  int32_t FDepth = -1;
  TChartAxis* FHorizAxisRef = nullptr;  // resolved from the chart; cleared by AxisFreed
  TChartAxis* FVertAxisRef = nullptr;
  std::string FXLabelsSource;
  std::unique_ptr<TCustomSeriesList> FLinkedSeries;
  TSeriesMarksBase* FMarks = nullptr;
  std::string FPercentFormat;
  std::vector<std::string> FStreamSourceNames;
  std::string FValueFormat;
  TChartValueLists FValueLists;
  TLabelsList FLabels;
  THorizAxis FHorizAxis = aBottomAxis;
  TChartAxis* FCustomHorizAxis = nullptr;
  TChartAxis* FCustomVertAxis = nullptr;
  TVertAxis FVertAxis = aLeftAxis;
  TPlotFunction* FFunction = nullptr;  // owned
  int32_t FUpdateCount = 0;
  TChartValueList* FMandatory = nullptr;
  TChartValueList* FNotMandatory = nullptr;
  bool FYMandatory = true;
  TChartValueList* FX = nullptr;
  TChartValueList* FY = nullptr;
  uint32_t FRandomState = 1;
  struct TDrawHook {
    const void* Owner;
    TNotifyEvent Before, After;
  };
  std::vector<TDrawHook> FDrawHooks;
};

// ============================================================================
// Functions
// ============================================================================

enum class TFunctionPeriodStyle : uint8_t { psNumPoints, psRange };
using enum TFunctionPeriodStyle;
enum class TFunctionPeriodAlign : uint8_t { paFirst, paCenter, paLast };
using enum TFunctionPeriodAlign;

class TPlotFunction : public TComponent {
  KV_CLASS(TPlotFunction, TComponent)
public:
  explicit TPlotFunction(TComponent* Owner);
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  virtual void CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double Position);
  virtual void CalculateAllPoints(TChartSeries* Source, TChartValueList* ValueList);
  virtual void CalculateByPeriod(TChartSeries* Source, TChartValueList* ValueList);
  virtual void CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList);
  virtual std::string EditorFormName() const { return "TPlotFunctionEditor"; }
  virtual void PrepareForGallery(TSeriesChart* Chart);
  virtual double Calculate(TChartSeries* /*Source*/, int32_t /*First*/, int32_t /*Last*/) { return 0; }
  virtual double CalculateMany(const TDataSourcesList& /*Sources*/, int32_t /*Index*/) { return 0; }
  virtual void Clear() {}
  virtual bool AcceptsSource(TChartSeries* /*Series*/) const { return true; }
  virtual void AddPoints(TChartSeries* Source);
  // Refills the parent series of a function that needs no source series
  // (NoSourceRequired); the chart calls it when the series is refreshed.
  virtual void CalculateWithoutSource() {}

  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  bool Updating() const { return FUpdating; }
  void Recalculate();
  double GetPeriod() const { return FPeriod; }
  void SetPeriod(double Value);
  void InternalSetPeriod(double Value) { FPeriod = Value; }
  TFunctionPeriodAlign GetPeriodAlign() const { return FPeriodAlign; }
  void SetPeriodAlign(TFunctionPeriodAlign Value);
  TFunctionPeriodStyle GetPeriodStyle() const { return FPeriodStyle; }
  void SetPeriodStyle(TFunctionPeriodStyle Value);
  TChartSeries* ParentSeries() const { return FParent; }
  void SetParentSeries(TChartSeries* Series);
  // Streamed functions are children of their series.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Parent) override { SetParentSeries(dynamic_cast<TChartSeries*>(Parent)); }
  TChartValueList* ValueList(TChartSeries* Source) const;
  int32_t AddFunctionXY(bool SourceYMandatory, double Value, double Position);

  bool PeriodUsable = true;
  bool NoSourceRequired = false;
  bool SingleSource = false;
  bool FixedValueList = false;

protected:
  // Refuses a period whose windows would hold no point (ChartException).
  virtual void CheckPeriod(double Value) const;
  // The Period as a point count; ChartException when it rounds below 1.
  int32_t PointPeriod() const;

private:
  friend class TChartSeries;
  double FPeriod = 0;
  TFunctionPeriodStyle FPeriodStyle = psNumPoints;
  TFunctionPeriodAlign FPeriodAlign = paCenter;
  TChartSeries* FParent = nullptr;  // the owning series
  bool FUpdating = false;
};

class TPlotMovingFunction : public TPlotFunction {
  KV_CLASS(TPlotMovingFunction, TPlotFunction)
public:
  explicit TPlotMovingFunction(TComponent* Owner);

protected:
  void CheckPeriod(double Value) const override;

public:
  void CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList) override;
};

// ============================================================================
// Data-source components
// ============================================================================

class TPlotSeriesSource : public TComponent {
  KV_CLASS(TPlotSeriesSource, TComponent)
public:
  explicit TPlotSeriesSource(TComponent* Owner);
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* Component, TOperation Operation) override;

  virtual void SetActive(bool Value);
  bool GetActive() const { return FActive; }
  static bool Available(TSeriesChart* /*Chart*/) { return true; }
  static std::string Description() { return {}; }
  static std::string EditorClassName() { return {}; }
  static bool HasNew() { return false; }
  // The series' DataSource is a component of this class.
  bool IsSourceOf(const TChartSeries* Series) const;
  virtual void Close();
  virtual void Load() {}
  virtual void Open() { SetActive(true); }
  void RefreshIfActive();
  TChartSeries* GetSeries() const { return FSeries; }
  void SetSeries(TChartSeries* Series);
  bool KeepData = false;

private:
  bool IsBusy() const;
  bool FActive = false;
  WeakRef<TChartSeries> FSeries;
};

// ============================================================================
// Tools
// ============================================================================

// Chart drawing events sent to the tools. In one drawing cycle they come as
// tceBeforeDraw, tceAxes (axes behind), tceBeforeSeries, the series,
// tceAfterSeries, tceAxes (axes in front), tceAfterDraw.
constexpr int32_t tceAfterDraw = 0;     // after the axes, legend and zoom rectangle
constexpr int32_t tceBeforeSeries = 1;
constexpr int32_t tceBeforeDraw = 2;    // before anything is drawn
constexpr int32_t tceAxes = 3;
constexpr int32_t tceAfterSeries = 4;
constexpr int32_t tceMouseLeave = 5;    // the mouse left the chart control
// Chart mouse events sent to the tools.
constexpr int32_t tmeDown = 0, tmeMove = 1, tmeUp = 2;

class TPlotCustomTool : public TCustomChartElement {
  KV_CLASS(TPlotCustomTool, TCustomChartElement)
public:
  explicit TPlotCustomTool(TComponent* Owner) : TCustomChartElement(Owner) {}
  // Leaves the old chart's tool list and joins the end of the new one's.
  void SetParentChart(TSeriesChart* Value) override;
  // A chart drawing event (tce* codes); nothing in the base.
  virtual void HandleChartEvent(int32_t /*Code*/) {}
  // A chart mouse event (tme* kinds; a move comes with the left button);
  // nothing in the base. A tool may set the chart's cancel-mouse flag.
  virtual void HandleMouseEvent(int32_t /*Kind*/, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t /*X*/,
                                int32_t /*Y*/) {}
  // The tool's display name; concrete tools give theirs.
  virtual void Description(std::string& /*Text*/) const {}
  // Only the image tool reads it: draw after the series instead of before.
  bool DrawAfterSeries = false;

private:
  friend class TChartTools;
  // The list that frees the tool is going: leave without calling back.
  void ForgetChart() { FParentChart = nullptr; }
};

class TPlotCustomToolSeries : public TPlotCustomTool {
  KV_CLASS(TPlotCustomToolSeries, TPlotCustomTool)
public:
  explicit TPlotCustomToolSeries(TComponent* Owner) : TPlotCustomTool(Owner) {}
  void BeforeDestruction() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  std::string EditorFormName() const override { return "TSeriesToolEditor"; }
  TChartSeries* GetSeries() const { return FSeries; }
  // Links with free notification: a freed series leaves the tool unbound.
  virtual void SetSeries(TChartSeries* Value);
  // The series' axes when bound; otherwise the chart's bottom (left) axis, or
  // the top (right) one when only that one has series.
  TChartAxis* GetHorizAxis() const;
  TChartAxis* GetVertAxis() const;

private:
  TChartSeries* FSeries = nullptr;  // cleared through the free notification
};

class TPlotCustomToolAxis : public TPlotCustomTool {
  KV_CLASS(TPlotCustomToolAxis, TPlotCustomTool)
public:
  explicit TPlotCustomToolAxis(TComponent* Owner) : TPlotCustomTool(Owner) {}
  std::string EditorFormName() const override { return "TAxisToolEditor"; }
  TChartAxis* GetAxis() const { return FAxis; }
  // Binds the tool to Axis and to Axis' chart (none for nil).
  virtual void SetAxis(TChartAxis* Value);
  // Stored "AxisID": the axis' index in the chart's axes list, -1 for none.
  int32_t GetAxisID() const;
  void SetAxisID(int32_t Value);
  // The chart clears the reference before the axis goes.
  void AxisFreed(const TChartAxis* Axis) {
    if (FAxis == Axis) FAxis = nullptr;
  }

private:
  TChartAxis* FAxis = nullptr;  // cleared by the chart when the axis is freed
};

// ============================================================================
// Unit routines and hooks
// ============================================================================

namespace PlotEngine {

std::string ElementEditorClassName(TClass ElementClass);
std::string SeriesTitleOrName(const TChartSeries* Series);
bool SeriesHasOwnXValues(const TChartSeries& Series);
bool SeriesHasOwnColors(const TChartSeries& Series);
bool SeriesHasLabels(const TChartSeries& Series);
uint8_t SeriesStoreFlags(const TChartSeries& Series);
void FillSeriesItems(TStrings& Items, const TCustomSeriesList& SeriesList, bool UseTitles);
// Data-source kinds the series editor offers (nothing here adds one).
std::vector<TClass>& DataSourceKinds();
void ShowErrorMessage(const std::string& Text);
// Raises ChartException when Series is reachable from Component through
// first data sources (Component would depend on Series and Series on it).
void CheckCircularSource(TComponent* Component, TChartSeries* Series);

// Creates the marks of a new series; the marks unit installs it. Without it a
// series keeps its mark positions in a TSeriesMarksBase.
extern std::function<TSeriesMarksBase*(TChartSeries* Series)> CreateSeriesMarks;
// The series text writer and reader of the series unit.
extern std::function<std::string(TChartSeries* Series)> SeriesToText;
extern std::function<bool(TChartSeries* Series, const std::string& Text)> SeriesFromText;
// Editors the chart opens, installed by the editor unit.
extern std::function<void(TChartSeries* Series)> ShowSeriesStyleEditor;
extern std::function<void(TSeriesChart* Chart, TChartAxis* Axis)> ShowAxisEditor;

// Registers the element classes for streaming and sets the pixel clamp.
void Initialization();
void Finalization();

}  // namespace PlotEngine
