#pragma once
// The colour band tool's editor: pattern, start and end values with their
// lines, transparency, cursor, gradient, colour and drawing order.
#include "chart/editors/PlotAxisToolEdit.h"
#include "platform/ui/ComCtrls.h"

class TButtonGradient;

class TColorBandToolEditor : public TAxisToolEditor {
  KV_CLASS(TColorBandToolEditor, TAxisToolEditor)
public:
  explicit TColorBandToolEditor(TComponent* Owner);
  TButton* BPattern;
  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TLabel *Label2, *Label3, *Label4, *Label5;
  TEdit *EStart, *EEnd, *ETrans;
  TCheckBox *CBStart, *CBEnd, *CBDrawBehind, *CBBeforeAxes;
  TButtonPen *BStart, *BEnd;
  TUpDown* UDTrans;
  TComboFlat* CBCursor;
  TButtonGradient* BGradient;
  TButtonColor* ButtonColor1;
};
