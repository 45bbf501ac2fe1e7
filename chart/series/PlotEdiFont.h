#pragma once
// The chart font editor: colour, font, inter-character spacing, outline,
// shadow and gradient of a chart font; every change is live.
#include "chart/engine/PlotCanvas.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Shapes.h"

class TButtonPen;
class TButtonGradient;

class TPlotFontEditor : public TForm {
  KV_CLASS(TPlotFontEditor, TForm)
public:
  explicit TPlotFontEditor(TComponent* Owner);
  TShape* SHText;
  TButton* Button3;
  TLabel* Label1;
  TEdit* Edit2;
  TUpDown* UDInter;
  TButtonPen* BOutline;
  TButton* BShadow;
  TCheckBox* CBOutGrad;
  TButtonGradient* BGradient;

  TPlotFont* EditedFont = nullptr;  // not owned
  void SetEditedFont(TPlotFont* Font);
  void Button3Click(TObject* Sender);
  void SHTextMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Edit2Change(TObject* Sender);
  void BShadowClick(TObject* Sender);
  void CBOutGradClick(TObject* Sender);

private:
  bool FShowing = false;
};

namespace PlotEdiFont {
TPlotFontEditor* EmbedFontEditor(TTabSheet* Sheet);
void ShowFontEditor(TComponent* Owner, TPlotFont* Font);
}  // namespace PlotEdiFont
