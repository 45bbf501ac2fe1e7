#pragma once
// The axis panel: the layer of the chart control that owns the axes, the
// series list and the tools, tells listeners about series changes, hands out
// free palette colours, divides the data into pages and answers the axes'
// questions about the extremes of the series.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"

class TCustomAxisPanel;

// A depth (Z) axis.
class TChartDepthAxis : public TChartAxis {
  KV_CLASS(TChartDepthAxis, TChartAxis)
public:
  TChartDepthAxis(TCollection* Collection, TAxisChart* Chart);
  // Values when some active series has depth of its own, else series titles.
  TAxisLabelStyle CalcLabelStyle() const override;
  // Also stores the value, without repainting, in the chart's other depth axis.
  void SetInverted(bool Value) override;
};

// The custom axes of a chart; each item joins the chart's axes list.
class TChartCustomAxes : public TCollection {
  KV_CLASS(TChartCustomAxes, TCollection)
public:
  explicit TChartCustomAxes(TCustomAxisPanel* Chart);
  TChartAxis* GetAxis(int32_t Index) const { return ItemAs<TChartAxis>(Index); }
  TChartAxis* AddAxis() { return static_cast<TChartAxis*>(Add()); }
};

// A series event: 0 added, 1 removed, 2 title changed or replaced, 3 colour,
// 4 order, 5 Active, 6 data refreshed.
class TPlotSeriesEvent : public TPlotEvent {
public:
  int32_t Event = 0;
  TChartSeries* Series = nullptr;
};

// Sent when the current page or the page size changes.
class TChartChangePage : public TPlotEvent {};

using TAxisLabelEvent = std::function<void(TChartAxis* Sender, TChartSeries* Series, int32_t ValueIndex,
                                           std::string& LabelText)>;
using TAxisNextLabelEvent =
    std::function<void(TChartAxis* Sender, int32_t LabelIndex, double& LabelValue, bool& Stop)>;

class TCustomAxisPanel : public TCustomPlotPanelExtended, public TSeriesChart {
  KV_CLASS(TCustomAxisPanel, TCustomPlotPanelExtended)
public:
  explicit TCustomAxisPanel(TComponent* Owner = nullptr);
  ~TCustomAxisPanel() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  // ---- series list ----
  TChartSeries* GetSeries(int32_t Index) const { return FSeriesList->GetSeries(Index); }
  int32_t SeriesCount() const { return FSeriesList->Count(); }
  TChartSeries* AddSeries(TChartSeries* Series);
  TChartSeries* AddSeriesOfClass(TClass SeriesClass);
  void InternalAddSeries(TChartSeries* Series) override;
  void RemoveSeries(TChartSeries* Series) override;
  void RemoveSeriesAt(int32_t Index);
  void ExchangeSeries(int32_t Index1, int32_t Index2);
  void ExchangeSeriesPair(TChartSeries* Series1, TChartSeries* Series2);
  void MoveSeriesToLast(TChartSeries* Series);
  void MoveSeriesToLastAt(int32_t Index);
  void FreeAllSeries(TClass SeriesClass = nullptr);
  int32_t CountActiveSeries() const;
  int32_t MaxPointCount() const;
  bool CheckMouseOverSeries(int32_t X, int32_t Y);
  TChartSeriesList& GetSeriesList() override { return *FSeriesList; }

  // ---- events ----
  void BroadcastSeriesEvent(TChartSeries* Series, int32_t Code) override;
  template <class TEvent>
  void BroadcastEventOfClass() {
    TEvent e;
    e.Sender = this;
    BroadcastEvent(e);
  }
  void BroadcastToolEvent(int32_t Code);
  void MouseLeave() override;
  TChartTools& GetTools() override { return FTools; }

  // ---- attached editor ----
  // An editor open on the chart (none by default). Editing controls that
  // change the chart outside that editor's own pages (the series list box,
  // the tools page) call EditorChanged so that it refreshes what it shows.
  // Attaching replaces the editor attached before; freeing the editor
  // detaches it, so its notification is never called after it is gone.
  TComponent* AttachedEditor() const { return FEditor.Get(); }
  void AttachEditor(TComponent* Editor, TNotifyEvent OnChange);
  // Detaches Editor when it is the one attached.
  void DetachEditor(const TComponent* Editor);
  // Calls the attached editor's change notification (with the chart as
  // sender); nothing without an editor or while a notification runs.
  void EditorChanged();

  // ---- colours ----
  TColor GetDefaultColor(int32_t Index) override;
  virtual bool IsFreeSeriesColor(TColor Color, bool CheckBackground, TChartSeries* Series);
  TColor FreeSeriesColor(bool CheckBackground, TChartSeries* Series) override;
  void AssignFreeSeriesColors();
  std::vector<TColor> ColorPalette;

  // ---- paging ----
  virtual int32_t NumPages();
  int32_t GetPage() const override { return FPage; }
  void SetPage(int32_t Value);
  int32_t GetMaxPointsPerPage() const override { return FMaxPointsPerPage; }
  void SetMaxPointsPerPage(int32_t Value);
  bool GetScaleLastPage() const { return FScaleLastPage; }
  void SetScaleLastPage(bool Value) { SetBooleanField(FScaleLastPage, Value); }
  void PrintPages(int32_t FromPage = 0, int32_t ToPage = 0);

  // ---- axis queries ----
  double MaxXValue(const TChartAxis& Axis) { return AxisExtreme(Axis, true); }
  double MaxYValue(const TChartAxis& Axis) { return AxisExtreme(Axis, true); }
  double MinXValue(const TChartAxis& Axis) { return AxisExtreme(Axis, false); }
  double MinYValue(const TChartAxis& Axis) { return AxisExtreme(Axis, false); }
  bool IsAxisVisible(const TChartAxis& Axis);
  bool AxisHasSeries(const TChartAxis& Axis, bool Default);
  bool NoActiveSeriesOnAxis(const TChartAxis& Axis) const;
  TChartSeries* FirstSeriesOnAxis(const TChartAxis& Axis) const;
  TChartSeries* SeriesWithMostPointsOnAxis(const TChartAxis& Axis) const;
  // The per-cycle flag that the draw cycle sets for each drawn axis.
  bool IsAxisDrawn(const TChartAxis& Axis) const override;
  void SetAxisDrawn(const TChartAxis& Axis, bool Drawn);
  int32_t MaxMarkWidth() const override;
  int32_t MaxLabelsWidth() override;
  int32_t MultiLineTextWidth(const std::string& Text, int32_t& Lines);

  // ---- legend queries ----
  TChartSeries* LegendSeries(int32_t Index, bool OnlyShown) const;
  TChartSeries* LegendSeriesShown(int32_t Index) const { return LegendSeries(Index, true); }
  void LegendSeriesText(int32_t Index, bool OnlyShown, std::string& Text) const;
  virtual void GetLegendText(TChartSeries* Series, int32_t Index, std::string& Text);
  void DrawLegendSymbolRect(const TRect& Rect) override;

  // ---- data refresh and sources ----
  void RefreshSeriesData(TChartSeries* Series) override;
  bool IsValidDataSource(TChartSeries* Series, TComponent* Source) override;
  void DataSourceRemoved(TChartSeries* Series, TComponent* Source) override;
  void CheckCircularSource(TComponent* Component, TChartSeries* Series) override;

  // ---- published settings ----
  int32_t GetChart3DPercent() const { return FChart3DPercent; }
  void SetChart3DPercent(int32_t Value);
  bool GetAxisBehind() const override { return FAxisBehind; }
  void SetAxisBehind(bool Value) { SetBooleanField(FAxisBehind, Value); }
  bool GetAxisVisible() const { return FAxisVisible; }
  void SetAxisVisible(bool Value) { SetBooleanField(FAxisVisible, Value); }
  bool GetClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool Value) { SetBooleanField(FClipPoints, Value); }
  bool GetView3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool Value) { SetBooleanField(FView3DWalls, Value); }
  TChartAxis* BottomAxis() const { return FBottomAxis; }
  TChartAxis* TopAxis() const { return FTopAxis; }
  TChartAxis* LeftAxis() const { return FLeftAxis; }
  TChartAxis* RightAxis() const { return FRightAxis; }
  TChartDepthAxis* DepthAxis() const { return FDepthAxis; }
  TChartDepthAxis* DepthTopAxis() const { return FDepthTopAxis; }
  void SetBottomAxis(const TChartAxis* Value) { FBottomAxis->Assign(Value); }
  void SetTopAxis(const TChartAxis* Value) { FTopAxis->Assign(Value); }
  void SetLeftAxis(const TChartAxis* Value) { FLeftAxis->Assign(Value); }
  void SetRightAxis(const TChartAxis* Value) { FRightAxis->Assign(Value); }
  void SetDepthAxis(const TChartAxis* Value) { FDepthAxis->Assign(Value); }
  void SetDepthTopAxis(const TChartAxis* Value) { FDepthTopAxis->Assign(Value); }
  TChartCustomAxes* CustomAxes() const { return FCustomAxes.get(); }
  void SetCustomAxes(const TChartCustomAxes* Value);
  bool IsCustomAxesStored() const { return FCustomAxes->Count() > 0; }

  TAxisLabelEvent OnGetAxisLabel;
  TAxisNextLabelEvent OnGetNextAxisLabel;
  TNotifyEvent OnPageChange, OnBeforeDrawChart, OnBeforeDrawAxes, OnBeforeDrawSeries;

  // ---- state of the draw cycle ----
  int32_t MaxZOrder = 0;
  int32_t SeriesWidth3D = 0, SeriesHeight3D = 0;
  bool SeenFromBehind = false;
  TColor LegendBackColor = clWhite;
  TChartPen* LegendSymbolPen = nullptr;  // the legend's pen, or none
  int32_t AxisHintCount = 0;
  bool OverAxis = false;
  int32_t LegendMode = 0;
  // Reserves room on the side of an axis: given the room the axis takes itself
  // (0 for an axis that is not drawn), returns the room wanted there; room
  // beyond the axis' own lies outside its ticks, labels and title.
  std::function<int32_t(TChartAxis* Axis, int32_t DefaultMargin)> AxisMarginHook;
  void CalcSize3D();
  // Chooses SeenFromBehind from the 3-D orientation (start of each draw).
  void CalcSeenFromBehind();

  // True when no series is Active or some Active series uses axes; false
  // when every Active series draws without them (pies).
  bool UsesAxes() const;

  // ---- overridable slots filled in by the chart ----
  // The 3-D sizes, then the chart rectangle less the walls (none here).
  virtual TRect WallsRect();
  virtual void FireAfterDraw();
  virtual void FireBeforeDrawAxes();
  virtual void FireBeforeDrawChart();
  virtual void FireBeforeDrawSeries();
  virtual void DrawTitlesAndLegend(bool /*BeforeSeries*/) {}
  virtual void DrawWalls() {}

  // ---- draw cycle ----
  // Lays the chart out and paints it into UserRect in one pass.
  void DrawAxisPanel(const TRect& UserRect);
  // Whether the plane at depth Z is seen from behind (its projection mirrored).
  virtual bool IsPlaneMirrored(int32_t Z);
  // The canvas is clipped for the series being drawn.
  bool SeriesClipped = false;

protected:
  void DrawContent(const TRect& Rect) override;

public:

  // ---- TAxisChart / TSeriesChart ----
  void Invalidate() override { TCustomPlotPanel::Invalidate(); }
  bool IsLoading() const override { return Loading; }
  bool IsZoomedView() const override { return Zoomed; }
  void UndoZoom() override { TCustomPlotPanelExtended::UndoZoom(); }
  double AxisMinValue(const TChartAxis& Axis) override { return AxisExtreme(Axis, false); }
  double AxisMaxValue(const TChartAxis& Axis) override { return AxisExtreme(Axis, true); }
  bool AxisIsDateTime(const TChartAxis& Axis) override;
  bool AxisHasSeriesWithAtMost(const TChartAxis& Axis, int32_t Count) override;
  TRect GetChartRect() const override { return ChartRect; }
  int32_t GetChartDepth() const override { return Width3D; }
  int32_t GetChartHeight() const override { return ChartHeight; }
  void AxisFreed(TChartAxis& Axis) override;
  TChartAxes& GetAxes() override { return FAxes; }
  TComponent* ChartComponent() override { return this; }
  bool GetAutoRepaint() const override { return AutoRepaint; }
  void SetAutoRepaint(bool Value) override { AutoRepaint = Value; }
  bool IsChartDestroying() const override { return ComponentState.Contains(TComponentStateItem::csDestroying); }
  bool IsDesigning() const override { return ComponentState.Contains(TComponentStateItem::csDesigning); }
  TColor GetPanelColor() const override { return GetColor(); }
  TChartAxis* GetTopAxis() const override { return FTopAxis; }
  TChartAxis* GetBottomAxis() const override { return FBottomAxis; }
  TChartAxis* GetLeftAxis() const override { return FLeftAxis; }
  TChartAxis* GetRightAxis() const override { return FRightAxis; }
  int32_t CustomAxisIndex(const TChartAxis* Axis) const override;
  TChartAxis* CustomAxisAt(int32_t Index) const override;
  int32_t GetMaxZOrder() const override { return MaxZOrder; }
  void SetMaxZOrder(int32_t Value) override { MaxZOrder = Value; }
  int32_t GetSeriesWidth3D() const override { return SeriesWidth3D; }
  bool GetUseZOrder() const override { return UseZOrder; }
  bool GetView3D() const override { return TCustomPlotPanel::GetView3D(); }
  void SetView3D(bool Value) override { TCustomPlotPanel::SetView3D(Value); }
  bool GetSeenFromBehind() const override { return SeenFromBehind; }
  TColor GetLegendBackColor() const override { return LegendBackColor; }
  TChartPen* GetLegendSymbolPen() const override { return LegendSymbolPen; }
  TCanvas3D* GetCanvas() override { return Canvas(); }
  const TView3DOptions* GetView3DOptions() const override { return View3DOptions(); }
  int32_t GetPanelHeight() const override { return GetHeight(); }
  bool GetNextAxisLabel(TChartAxis* Sender, int32_t LabelIndex, double& LabelValue, bool& Stop) override {
    if (!OnGetNextAxisLabel) return false;
    OnGetNextAxisLabel(Sender, LabelIndex, LabelValue, Stop);
    return true;
  }
  void GetAxisLabel(TChartAxis* Sender, TChartSeries* Series, int32_t ValueIndex, std::string& LabelText) override {
    if (OnGetAxisLabel) OnGetAxisLabel(Sender, Series, ValueIndex, LabelText);
  }
  void SetBrushCanvas(TColor Color, TChartBrush* Brush, TColor BackColor) override;
  TCursor GetChartCursor() const override { return FCursor; }
  void SetChartCursor(TCursor Value) override { FCursor = Value; }
  TCursor GetOriginalCursor() const override { return FOriginalCursor; }
  // The cursor the chart shows when no series has changed it.
  void SetOriginalCursor(TCursor Value) { FOriginalCursor = FCursor = Value; }

private:
  double AxisExtreme(const TChartAxis& Axis, bool Max);
  int32_t AxisPageCount(const TChartAxis* Axis) const;
  bool IsPagedAxis(const TChartAxis& Axis, const TChartSeries* First) const;
  void SwapInGroups(TChartSeries* A, TChartSeries* B);
  void CalcZOrders();
  void CalcAxesRect();
  void CalcAxisMargins();
  void DrawAxes();
  void DrawAllSeries();
  void DrawOneSeries(TChartSeries* S);
  void DrawSeriesMarks(TChartSeries* Series);
  void ClipSeries();
  void UnclipSeries();

  int32_t FChart3DPercent = 15;
  TChartAxes FAxes{this};
  bool FAxisBehind = true, FAxisVisible = true, FClipPoints = true, FView3DWalls = true;
  std::unique_ptr<TChartCustomAxes> FCustomAxes;
  std::unique_ptr<TChartSeriesList> FSeriesList;
  TChartAxis *FBottomAxis = nullptr, *FTopAxis = nullptr, *FLeftAxis = nullptr, *FRightAxis = nullptr;
  TChartDepthAxis *FDepthAxis = nullptr, *FDepthTopAxis = nullptr;
  int32_t FPage = 1, FMaxPointsPerPage = 0;
  bool FScaleLastPage = true;
  TChartTools FTools{this};
  std::vector<const TChartAxis*> FDrawnAxes;
  TCursor FCursor = crDefault, FOriginalCursor = crDefault;
  WeakRef<TComponent> FEditor;
  TNotifyEvent FEditorChange;
  bool FTellingEditor = false;
};
