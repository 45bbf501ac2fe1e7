#pragma once
// The chart editor's "Tools" page: the chart's tools with add, delete,
// activate and reorder commands, and the selected tool's own editor beside
// the list.
#include <functional>

#include "chart/engine/Chart.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormPlotTools : public TForm {
  KV_CLASS(TFormPlotTools, TForm)
public:
  explicit TFormPlotTools(TComponent* Owner);

  TListBox* LBTools;
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
  TForm* ToolEditor() const { return FEditor; }

  void FormShow(TObject* Sender);
  void Fill();
  // Shown again by the chart editor: refills when tools came or went.
  void RefreshTools();
  void LBToolsClick(TObject* Sender);
  void BAddClick(TObject* Sender);
  void BDeleteClick(TObject* Sender);
  void Move(int32_t Step);
  void SelectTool(TPlotCustomTool* Tool);

  // Called with a tool after it is added and before it is deleted.
  std::function<void(TPlotCustomTool*)> OnAdded, OnDeleted;

private:
  void RefreshMoveButtons();
  void FreeEditor();
  WeakRef<TCustomAxisPanel> FChart;
  TForm* FEditor = nullptr;
};
