#pragma once
// The chart editor's "Tools" page: the chart's tools with add, delete,
// activate and reorder commands, and the selected tool's own editor beside
// the list.
#include <functional>
#include <vector>

#include "chart/engine/Chart.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/OwnerDrawItems.h"

class TFormPlotTools : public TForm {
  KV_CLASS(TFormPlotTools, TForm)
public:
  explicit TFormPlotTools(TComponent* Owner);

  TOwnerDrawListBox* LBTools;
  TSplitter* Splitter1;
  TPanel* PanelToolEditor;
  TPanel* PTop;
  TButton *BAdd, *BDelete;
  TCheckBox *CBActive, *CBShowInEditor;
  TPanel* Panel2;
  TSpeedButton *BMoveUp, *BMoveDown;
  TPanel* PBottom;

  TCustomAxisPanel* TheChart() const { return FChart.Get(); }
  // The tool of the selected item, or none.
  TPlotCustomTool* SelectedTool() const;
  // The embedded editor form of the selected tool, or none.
  TForm* ToolEditor() const { return FEditor.Get(); }

  void FormShow(TObject* Sender);
  void Fill();
  // Shown again by the chart editor: refills when tools came or went.
  void RefreshTools();
  // Told by the chart editor that the chart was edited elsewhere: when the
  // listed tools (or their order) changed, refills keeping the selected tool
  // when it is still listed.
  void SyncTools();
  // The tools Fill lists, in the chart's order.
  std::vector<TPlotCustomTool*> ListedTools() const;
  void LBToolsClick(TObject* Sender);
  void BAddClick(TObject* Sender);
  void BDeleteClick(TObject* Sender);
  void Move(int32_t Step);
  void SelectTool(TPlotCustomTool* Tool);

  // Called with a tool after it is added and before it is deleted.
  std::function<void(TPlotCustomTool*)> OnAdded, OnDeleted;

protected:
  // The editor form of a tool freed elsewhere goes while the tool still exists.
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // Tells the chart's attached editor that this page changed the chart.
  void TellEditor();
  void RefreshMoveButtons();
  void FreeEditor();
  WeakRef<TCustomAxisPanel> FChart;
  WeakRef<TForm> FEditor;
  // The tool the editor form edits: only compared, never followed.
  const TComponent* FEditorTool = nullptr;
};

namespace PlotEditTools {
// Paints one row of a tools list: the highlight or list colour, the tool
// type's icon at (left + 2, top + 1) and the text at (left + 22, top + 2) in
// the highlight text or the list font's colour.
void DrawToolItem(TOwnerDrawListBox& List, TCanvas& Canvas, const TPlotCustomTool* Tool, int Index,
                  const TRect& Rect, TOwnerDrawState State);
// The row height of the tools lists (the 16-pixel icon and a margin).
constexpr int ToolItemHeight = 18;
}  // namespace PlotEditTools
