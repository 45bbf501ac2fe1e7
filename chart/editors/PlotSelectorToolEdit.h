#pragma once
// The selector tool's editor: the handles' outline, colour and size, and
// what the mouse may do.
#include "chart/series/PlotPenDlg.h"

class TSelectorToolEditor : public TEditorPage {
  KV_CLASS(TSelectorToolEditor, TEditorPage)
public:
  explicit TSelectorToolEditor(TComponent* Owner);
  TButtonPen* BPen;
  TButton* BColor;
  TLabel* Label1;
  TEdit* ESize;
  TUpDown* UDSize;
  TCheckBox *CBAllowDrag, *CBResizeChart;
  // Edits the handles' brush in the pattern dialog titled "Color".
  void BColorClick(TObject* Sender);

private:
  bool FShown = false;
};
