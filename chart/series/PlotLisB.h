#pragma once
// The series list box: one row per series of a chart (or per series a caller
// lists itself) with the type icon, an active check box, a colour box and the
// title; series are switched on and off, recoloured, reordered by dragging,
// renamed, added, changed and deleted from it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "chart/engine/Chart.h"
#include "platform/ui/OwnerDrawItems.h"

class TChartListBox;
class TSeriesGroup;

using TNotifySeriesEvent = std::function<void(TChartListBox* Sender, TCustomChartSeries* Series)>;
using TChangeOrderEvent = std::function<void(TChartListBox* Sender, TChartSeries* Series1, TChartSeries* Series2)>;
using TDblClickSeriesEvent = std::function<void(TChartListBox* Sender, int32_t Index)>;

// The editor flags of a series (its Style bits).
namespace PlotLisB {
constexpr int32_t tssIsTemplate = 1, tssDenyChangeType = 2, tssDenyDelete = 4, tssDenyClone = 8,
                  tssIsPersistent = 16, tssHideDataSource = 32;
// Whether the series draws with one series colour (pie series colour each slice).
bool UsesSeriesColor(const TChartSeries* Series);
// Whether the series is listed by the editors.
bool ShownInEditor(const TChartSeries* Series);
// Paints the small gallery icon of a series or tool type (its class's
// picture, else its parent class's) with its top-left corner at X, Y;
// nothing when neither class has a picture.
void DrawSeriesIcon(TCanvas& Canvas, const TObject& Element, int32_t X, int32_t Y);
}  // namespace PlotLisB

class TChartListBox : public TOwnerDrawListBox, public ChartEventListener {
  KV_CLASS(TChartListBox, TOwnerDrawListBox)
public:
  // The four sections of a row, left to right.
  enum TSection : int32_t { secIcon, secCheck, secColor, secTitle };

  explicit TChartListBox(TComponent* Owner);
  ~TChartListBox() override;
  void BeforeDestruction() override;

  TCustomAxisPanel* GetChart() const { return FChart.Get(); }
  void SetChart(TCustomAxisPanel* Value);
  // Rows sorted by their text.
  bool Sorted = false;
  bool AllowAddSeries = true;
  bool AllowDeleteSeries = true;
  bool AskDelete = true;
  TCheckBoxesStyle GetCheckStyle() const { return FCheckStyle; }
  void SetCheckStyle(TCheckBoxesStyle Value);
  bool EnableChangeColor = true;
  bool EnableDragSeries = true;
  bool EnableChangeType = true;
  bool GetShowSeriesIcon() const { return FSections[secIcon].Visible; }
  void SetShowSeriesIcon(bool Value) { SetSectionVisible(secIcon, Value); }
  bool GetShowActiveCheck() const { return FSections[secCheck].Visible; }
  void SetShowActiveCheck(bool Value) { SetSectionVisible(secCheck, Value); }
  bool GetShowSeriesColor() const { return FSections[secColor].Visible; }
  void SetShowSeriesColor(bool Value) { SetSectionVisible(secColor, Value); }
  bool GetShowSeriesTitle() const { return FSections[secTitle].Visible; }
  void SetShowSeriesTitle(bool Value) { SetSectionVisible(secTitle, Value); }

  TNotifySeriesEvent OnChangeActive, OnChangeColor, OnRemovedSeries;
  TChangeOrderEvent OnChangeOrder;
  TDblClickSeriesEvent OnDblClickSeries;
  TNotifyEvent OnOtherItemsChange, OnRefresh;

  // Component names instead of titles.
  bool GetNamesMode() const { return FNamesMode; }
  void SetNamesMode(bool Value);
  // Lists only this group's series (none: the chart's).
  TSeriesGroup* GetGroup() const { return FGroup; }
  void SetGroup(TSeriesGroup* Value);
  // A list kept equal to the rows (not owned).
  TStrings* OtherItems = nullptr;
  // The chart that draws the colour boxes (none: the series' own).
  TCustomChart* ReferenceChart = nullptr;
  TEdit* InlineEditor() const { return FInlineEditor; }

  // ---- sections ----
  int32_t SectionWidth(TSection S) const { return FSections[S].Width; }
  void SetSectionWidth(TSection S, int32_t Width);
  // Left edge: the widths of the visible sections before it.
  int32_t SectionLeft(TSection S) const;
  // The section a client x lies strictly inside; -1 when none.
  int32_t SectionAt(int32_t X) const;

  // ---- operations ----
  void FillSeries(TChartSeries* Keep);
  TChartSeries* SeriesAt(int32_t Index) const;
  TChartSeries* SelectedSeries() const;
  void SelectSeries(TChartSeries* Series);
  void ClearSelection();
  void MoveUp();
  void MoveDown();
  void AddSeries();
  bool DeleteSelectedSeries();
  void DuplicateSelected();
  void ChangeTypeOfSelected();
  bool RenameSelected();
  void SelectAll();
  // Exchanges rows A and B (and the mirror); with a chart the two series
  // exchange their places in it as well.
  void ExchangeRows(int32_t A, int32_t B);
  // Opens the inline title editor over the selected row; Enter/Up/Down/F2 keep, Esc drops.
  void ShowInlineEditor();
  void InlineEditorKey(uint16_t Key);
  bool Dragging() const { return FDragging; }

  void PlotEvent(TPlotEvent& Event) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  // A list without items that gets a parent selects nothing.
  void SetParent(TWinControl* Value) override;
  // The mouse pointer for a client x (hand over the icon and colour sections).
  TCursor CursorAt(int32_t X) const;

protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  struct TSectionInfo {
    int32_t Width;
    bool Visible;
  };
  void SetSectionVisible(TSection S, bool Value);
  std::string RowText(const TChartSeries* Series) const;
  void CopyToMirror();
  // Tells the chart's attached editor that the list changed the chart.
  void TellEditor();
  void DeleteRowOf(TChartSeries* Series);
  void DropOnRow(int32_t Row);
  void StoreInlineText();
  void HideInlineEditor();
  bool Destroying() const { return ComponentState.Contains(TComponentStateItem::csDestroying); }

  WeakRef<TCustomAxisPanel> FChart;
  TCheckBoxesStyle FCheckStyle = cbsCheck;
  bool FNamesMode = false;
  TSeriesGroup* FGroup = nullptr;
  TEdit* FInlineEditor = nullptr;
  std::array<TSectionInfo, 4> FSections{{{26, true}, {16, true}, {26, true}, {216, true}}};
  // Dragging a title: the row and point where the left button went down.
  int32_t FDragRow = -1;
  TPoint FDragStart{0, 0};
  bool FDragging = false;
  bool FAfterDblClick = false;
};
