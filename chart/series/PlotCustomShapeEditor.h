#pragma once
// The editor of a chart shape's format: frame, colour and pattern, bevel,
// rounded frame, transparency, with the text, gradient and shadow editors on
// pages of their own. Embedded by the legend, titles, series marks and
// annotation editors.
#include "chart/engine/PlotProcs.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"

class TButtonPen;
class TPlotGradientEditor;
class TPlotFontEditor;
class TPlotShadowEditor;

class TFormPlotShape : public TForm {
  KV_CLASS(TFormPlotShape, TForm)
public:
  explicit TFormPlotShape(TComponent* Owner);
  TPageControl* PC1;
  TTabSheet *TabFormat, *TabText, *TabGradient, *TabShadow;
  TButtonColor* BColor;
  TButtonPen* BFrame;
  TButton* BPattern;
  TLabel* LBevel;
  TComboFlat* CBBevel;
  TLabel* LBevelWidth;
  TEdit* EBevWidth;
  TUpDown* UDBevW;
  TCheckBox* CBRound;
  TCheckBox* CBTransparent;
  TLabel* LTransparency;
  TEdit* ETransparency;
  TUpDown* UDTransp;

  TPlotCustomShape* TheShape = nullptr;  // not owned
  bool CreatingForm = true;
  TPlotGradientEditor* GradientEditor = nullptr;
  TPlotFontEditor* FontEditor = nullptr;
  TPlotShadowEditor* ShadowEditor = nullptr;

  void SetEditedShape(TPlotCustomShape* Shape);
  void CBVisibleChecked(TObject* Sender);
  void CBBevelChange(TObject* Sender);
  void BPatternClick(TObject* Sender);

private:
  void EnableBevelWidth();
};

namespace PlotCustomShapeEditor {
TFormPlotShape* CreateShapeEditor(TComponent* Owner, TPlotCustomShape* Shape, TPageControl* PageControl);
TFormPlotShape* InsertShapeEditorPages(TPageControl* PageControl, TPlotCustomShape* Shape);
}  // namespace PlotCustomShapeEditor
