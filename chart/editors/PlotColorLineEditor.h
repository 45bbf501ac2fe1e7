#pragma once
// The colour line tool's editor: value and style, and the drag and drawing
// options.
#include "chart/editors/PlotAxisToolEdit.h"
#include "platform/ui/ComCtrls.h"

class TColorLineToolEditor : public TAxisToolEditor {
  KV_CLASS(TColorLineToolEditor, TAxisToolEditor)
public:
  explicit TColorLineToolEditor(TComponent* Owner);
  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TLabel *Label2, *Label3;
  TEdit* EValue;
  TComboFlat* CBStyle;
  TCheckBox *CBAllowDrag, *CBDragRepaint, *CBNoLimitDrag, *CBDrawBehind, *CBDraw3D;

private:
  // The value is the tool's only with the custom style.
  void EnableValue();
};
