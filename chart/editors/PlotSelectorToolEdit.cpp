// The selector tool's editor.
#include "chart/editors/PlotSelectorToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/series/PlotBrushDlg.h"
#include "platform/rtl/FreeGuard.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TSelectorToolEditor, TEditorPage) {}

TSelectorToolEditor::TSelectorToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("SelectorToolEditor");
  SetClientWidth(233);
  BeginLoading();
  BPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Handles...", "Pen")), this, "BPen", 8, 8, 80, 25);
  BColor = PlotPenDlg::PlaceControl<TButton>(this, "BColor", 96, 8, 80, 25);
  BColor->SetCaption("&Color...");
  ESize = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Size:", "HandleSize", 1, 1000)), this, "ESize", 56, 44, 45, 21,
                     48);
  UDSize = Row(RowOf(ESize)).UpDown;
  UDSize->SetName("UDSize");
  UDSize->SetPosition(3);
  Label1 = Row(RowOf(ESize)).Label;
  CBAllowDrag = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Allow Drag", "AllowDrag")), this, "CBAllowDrag", 8, 76,
                               140, 17);
  CBResizeChart = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Allow &Resize Chart", "AllowResizeChart")), this,
                                 "CBResizeChart", 8, 98, 140, 17);
  SetClientHeight(124);
  BColor->OnClick = [this](TObject* S) { BColorClick(S); };
  OnShow = [this](TObject*) {
    LoadControls();
    if (!FShown) {
      FShown = true;
      EndLoading();
    }
  };
}

void TSelectorToolEditor::BColorClick(TObject*) {
  auto* T = dynamic_cast<TSelectorTool*>(Edited());
  if (!T) return;
  TOwned<TBrushDialog> D(PlotPenDlg::CreateEditorDialogOf<TBrushDialog>(this));
  D->EditedBrush = T->Brush();
  PlotProcs::TranslateControl(D.get());
  D->SetCaption("Color");
  D->ShowModal();
}
