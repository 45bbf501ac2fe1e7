#pragma once
// The chart editor's "Panel" page: background colour and picture, bevels,
// border and rounding, gradient and shadow of the chart panel. Every change
// reaches the panel at once.
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TPlotGradientEditor;
class TPlotShadowEditor;

class TFormPlotPanel : public TForm {
  KV_CLASS(TFormPlotPanel, TForm)
public:
  TFormPlotPanel(TComponent* Owner, TCustomPlotPanelExtended* Panel);
  explicit TFormPlotPanel(TComponent* Owner) : TFormPlotPanel(Owner, nullptr) {}

  TPageControl* PageControl1;
  TTabSheet *TabBack, *TabBorders, *TabGradient, *TabShadow;
  // ---- Background ----
  TButtonColor* BPanelColor;
  TCheckBox* CBColorDef;
  TGroupBox* GroupBox1;
  TRadioGroup* RGBitmap;
  TButton* BBrowseImage;
  TCheckBox *CBImageInside, *CBTransp;
  TLabel *LLeft, *LTop;
  TEdit *ELeft, *ETop;
  TUpDown *UDLeft, *UDTop;
  // ---- Borders ----
  TLabel *LPanelBor, *LPanelWi, *LRound, *LInner, *LOuter;
  TEdit *SEPanelBor, *SEPanelWi, *ERound;
  TUpDown *UDPanelBor, *UDPanelWi, *UDRound;
  TComboFlat *CBInner, *CBOuter;
  TButtonPen* BBorder;

  TCustomPlotPanelExtended* ThePanel() const { return FPanel; }
  TPlotGradientEditor* GradientEditor() const { return FGradientEditor; }
  TPlotShadowEditor* ShadowEditor() const { return FShadowEditor; }

  void FormShow(TObject* Sender);
  void RefreshBackImage();
  void RefreshColorDefault();
  void BBrowseImageClick(TObject* Sender);

private:
  bool Showing() const { return FShowing && FPanel; }
  TCustomPlotPanelExtended* FPanel;
  TPlotGradientEditor* FGradientEditor = nullptr;
  TPlotShadowEditor* FShadowEditor = nullptr;
  bool FChanging = false;
  bool FShowing = false;
};
