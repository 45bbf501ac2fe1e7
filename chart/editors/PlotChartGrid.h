#pragma once
// The chart data grid: the points of one series, or of every series of a
// chart, as a spreadsheet in which values, point labels and point colours are
// typed, added and deleted; and the navigator that drives it.
//
// Layout: column 0 holds the point index; then, when on, a "Text" column of
// point labels and a "Colors" column of point colours; then, per series, its
// X column (when shown), its mandatory column and its further value lists.
// Row 0 carries each series' symbol and title, row 1 (when value names are
// shown) the value-list names. A 3-D series can be shown as a table instead:
// a column per distinct X, a row per distinct Z, the mandatory value in the cell.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "chart/editors/PlotNavigator.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/Grids.h"

class TChartSeries;
class TCustomChart;
class TCustomChartGrid;
class TChartGridNavigator;

enum class TChartGridShow : uint8_t { cgsAuto, cgsNo, cgsYes };
using enum TChartGridShow;

using TEditingCellEvent = std::function<void(TCustomChartGrid* Sender, int32_t ACol, int32_t ARow, bool& Allow)>;

class TCustomChartGrid : public TCustomGrid, public ChartEventListener {
  KV_CLASS(TCustomChartGrid, TCustomGrid)
public:
  explicit TCustomChartGrid(TComponent* Owner);
  ~TCustomChartGrid() override;
  void BeforeDestruction() override;
  void Loaded() override;

  TCustomAxisPanel* GetChart() const { return FChart.Get(); }
  void SetChart(TCustomAxisPanel* Value);
  TChartSeries* GetSeries() const { return FSeries.Get(); }
  void SetSeries(TChartSeries* Value);
  bool GetShowLabels() const { return FShowLabels; }
  void SetShowLabels(bool Value);
  bool GetShowColors() const { return FShowColors; }
  void SetShowColors(bool Value);
  TChartGridShow GetShowXValues() const { return FShowXValues; }
  void SetShowXValues(TChartGridShow Value);
  bool GetShowValueNames() const { return FShowValueNames; }
  void SetShowValueNames(bool Value);
  bool GetXYZView() const { return FXYZView; }
  void SetXYZView(bool Value);

  TNotifyEvent OnChangeColor;
  TEditingCellEvent OnEditingCell;
  // A cell's text was stored (with the grid row).
  TSetEditEvent OnSetEditText;

  // The first data row: 2 with the value-name row, else 1.
  int32_t FirstRow() const { return FShowValueNames || FXYZView ? 2 : 1; }
  // The series shown: the assigned one, or every series of the chart.
  std::vector<TChartSeries*> ShownSeries() const;
  // What a series column shows: its series and value list (-1 for the "Text" and "Colors" columns).
  struct TColumnInfo {
    TChartSeries* Series = nullptr;
    int32_t List = -1;
  };
  TColumnInfo ColumnInfo(int32_t ACol) const;
  int32_t TextColumn() const { return FShowLabels && !FXYZView ? 1 : -1; }
  int32_t ColorsColumn() const;
  // Whether series i of ShownSeries shows its X column.
  bool XColumnShown(size_t Index) const { return Index < FXShown.size() && FXShown[Index]; }
  // The text a cell shows.
  std::string CellText(int32_t ACol, int32_t ARow) const;

  // Recomputes the layout and repaints.
  void RecalcDimensions();
  void InsertRow();
  void AppendRow();
  void DeleteRow();
  void StartEditing();
  void EndEditing(bool Cancel);
  // Whether the text editor is open.
  bool Editing() const { return GetEditorMode(); }
  // Stores Value into a cell as the editor does (outside the editor when it is closed).
  void StoreCellText(int32_t ACol, int32_t ARow, const std::string& Value) { SetEditText(ACol, ARow, Value); }
  // Opens the colour dialog on the point colour of the current "Colors" cell.
  void EditColor();

  TChartGridNavigator* Navigator() const { return FNavigator.Get(); }
  // The current row, or the row being selected while a selection is under way.
  int32_t RowForButtons() const { return FSelectingRow >= 0 ? FSelectingRow : GetRow(); }

  void PlotEvent(TPlotEvent& Event) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;

protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
  bool SelectCell(int ACol, int ARow) override;
  bool CanEditShow() override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;

private:
  friend class TChartGridNavigator;
  void ListenTo(TCustomAxisPanel* Chart);
  void LayoutNormal();
  void LayoutXYZ();
  void Notify();
  void NotifySelected();
  bool OnColorsColumn() const;
  // The series whose column is current (the column right of "Colors" when on it).
  TChartSeries* CurrentColumnSeries() const;
  void RepaintSeries(TChartSeries* Series);
  void PadWithNulls(TChartSeries* Series, int32_t Index);
  // Stores Text into the point or label of a cell; Editing tells whether the
  // editor is still open (then an empty text leaves the point as it is).
  void StoreText(int32_t ACol, int32_t ARow, const std::string& Text, bool EditingNow);
  TChartSeries* XYZSeries() const;
  // The point of the XYZ cell, -1 when none.
  int32_t XYZPoint(int32_t ACol, int32_t ARow) const;
  std::string ValueText(TChartSeries* S, int32_t List, int32_t Index) const;

  WeakRef<TCustomAxisPanel> FChart;
  WeakRef<TChartSeries> FSeries;
  WeakRef<TCustomAxisPanel> FListened;
  WeakRef<TChartGridNavigator> FNavigator;
  bool FShowLabels = true;
  bool FShowColors = false;
  TChartGridShow FShowXValues = cgsAuto;
  bool FShowValueNames = true;
  bool FXYZView = false;
  std::vector<bool> FXShown;
  // Per grid column: the series and value list it shows.
  std::vector<TColumnInfo> FColumns;
  // XYZ view: the distinct X (columns) and Z (rows), and the point at each (x, z).
  std::vector<double> FXYZx, FXYZz;
  std::map<std::pair<double, double>, int32_t> FXYZIndex;
  std::string FOldText;
  bool FWasNull = false;
  bool FInLayout = false;
  int32_t FSelectingRow = -1;

public:
  // Slots the navigator fills: the layout or editing state changed; a cell was selected.
  TNotifyEvent NavigatorChanged;
  TNotifyEvent NavigatorSelected;
};

class TChartGrid : public TCustomChartGrid {
  KV_CLASS(TChartGrid, TCustomChartGrid)
public:
  explicit TChartGrid(TComponent* Owner) : TCustomChartGrid(Owner) {}
};

class TChartGridNavigator : public TCustomPlotNavigator {
  KV_CLASS(TChartGridNavigator, TCustomPlotNavigator)
public:
  explicit TChartGridNavigator(TComponent* Owner) : TCustomPlotNavigator(Owner) {}
  void BeforeDestruction() override;
  TCustomChartGrid* GetGrid() const { return FGrid.Get(); }
  void SetGrid(TCustomChartGrid* Value);
  void EnableButtons() override;
  void BtnClick(TPlotNavigateBtn Index) override;

private:
  WeakRef<TCustomChartGrid> FGrid;
};
