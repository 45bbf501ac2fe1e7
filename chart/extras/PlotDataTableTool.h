#pragma once
// The data table tool: a table of the series' values drawn next to one axis,
// one row per series and one column per label position of the axis, with an
// optional legend column; it can reserve room for itself in the axis layout.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/engine/Chart.h"

class TDataTableTool;

// The legend column of a data table.
class TTableLegend : public TPlotCustomShape {
  KV_CLASS(TTableLegend, TPlotCustomShape)
public:
  explicit TTableLegend(TCustomPlotPanel* Owner = nullptr);
  ~TTableLegend() override;
  void Assign(const TPersistent* Source) override;
  bool GetFontSeriesColor() const { return FFontSeriesColor; }
  void SetFontSeriesColor(bool V) { Change(FFontSeriesColor, V); }
  bool GetOtherSide() const { return FOtherSide; }
  void SetOtherSide(bool V) { Change(FOtherSide, V); }
  TLegendSymbol* Symbol() const { return FSymbol.get(); }
  void SetSymbol(const TLegendSymbol* V) { FSymbol->Assign(V); }

private:
  bool FFontSeriesColor = false;
  bool FOtherSide = false;
  std::unique_ptr<TLegendSymbol> FSymbol;
};

class TDataTableTool : public TPlotCustomTool {
  KV_CLASS(TDataTableTool, TPlotCustomTool)
public:
  explicit TDataTableTool(TComponent* Owner);
  ~TDataTableTool() override;
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TDataTableEditor"; }
  void Description(std::string& Text) const override { Text = "Data Table"; }
  void HandleChartEvent(int32_t Code) override;
  void SetParentChart(TSeriesChart* Value) override;

  bool GetAutoPosition() const { return FAutoPosition; }
  void SetAutoPosition(bool Value) { SetBooleanField(FAutoPosition, Value); }
  bool ClipText = true;
  TChartBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value) { FBrush->Assign(Value); }
  TPlotFont* Font() const { return FFont.get(); }
  void SetFont(const TPlotFont* Value) { FFont->Assign(Value); }
  TChartPen* RowPen() const { return Pen(); }
  void SetRowPen(const TChartPen* Value) { Pen()->Assign(Value); }
  TChartPen* ColumnPen() const { return FColumnPen.get(); }
  void SetColumnPen(const TChartPen* Value) { FColumnPen->Assign(Value); }
  bool GetInverted() const { return FInverted; }
  void SetInverted(bool Value) { SetBooleanField(FInverted, Value); }
  int32_t GetLeft() const { return FLeft; }
  void SetLeft(int32_t Value) { SetIntegerProperty(FLeft, Value); }
  int32_t GetTop() const { return FTop; }
  void SetTop(int32_t Value) { SetIntegerProperty(FTop, Value); }
  TTableLegend* Legend() const { return FLegend.get(); }
  void SetLegend(const TTableLegend* Value) { FLegend->Assign(Value); }

  // The active series without a third value list, in chart order.
  std::vector<TChartSeries*> TableSeries() const;
  // The axis the table stands at: the first table series' horizontal axis
  // when its Y values are the mandatory ones, else its vertical axis.
  TChartAxis* TableAxis() const;
  // Row size and table thickness in pixels.
  int32_t RowSize() const;
  int32_t Thickness() const;
  int32_t LegendWidth() const;
  // The room an axis gets while the chart lays out its axes.
  int32_t AxisSize(TChartAxis* Axis, int32_t Space) const;

  // One cell as last drawn: row (series), column and text.
  struct TCell {
    int32_t Row = 0, Column = 0;
    std::string Text;
    TPoint At{0, 0};
  };
  std::vector<TCell> Cells;

private:
  void Hook(TSeriesChart* Chart);
  void Unhook(TSeriesChart* Chart);
  void Draw();
  // The outer edge of what the axis draws (ticks, labels, title) across it;
  // the axis line for an axis not drawn.
  static int32_t OuterEdge(TCustomAxisPanel& Chart, TChartAxis& Axis);
  std::string CellText(TChartSeries* Series, int32_t Index) const;
  bool FAutoPosition = true;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TPlotFont> FFont;
  std::unique_ptr<TChartPen> FColumnPen;
  bool FInverted = false;
  int32_t FLeft = 0, FTop = 0;
  std::unique_ptr<TTableLegend> FLegend;
  TSeriesChart* FHooked = nullptr;  // the chart whose axes carry our size hooks
};

namespace PlotDataTableTool {
void Initialization();
void Finalization();
}  // namespace PlotDataTableTool
