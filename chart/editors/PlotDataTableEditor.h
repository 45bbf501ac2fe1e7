#pragma once
// The data table tool's editor: row and column pens, order and position; the
// values' font; the legend column's switches, symbol and font.
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"

class TDataTableTool;
class TPlotFontEditor;
class TSymbolEditor;

class TDataTableEditor : public TEditorPage {
  KV_CLASS(TDataTableEditor, TEditorPage)
public:
  explicit TDataTableEditor(TComponent* Owner);
  TPageControl* PageControl1;
  TTabSheet *TabFormat, *TabText, *TabLegend;
  TButtonPen *ButtonPen1, *ButtonPen2;
  TCheckBox* CBInverted;
  TGroupBox* GroupBox1;
  TCheckBox* CBAutoPos;
  TLabel *Label1, *Label2;
  TEdit *Edit1, *Edit2;
  TUpDown *UDLeft, *UDTop;
  TPageControl* PageControl2;
  TTabSheet *TabLegFormat, *TabLegSymbol, *TabLegText;
  TCheckBox *CBLegVisible, *CBFontColor, *CBOtherSide;
  TPlotFontEditor* FontEditor = nullptr;
  TPlotFontEditor* LegendFontEditor = nullptr;
  TSymbolEditor* SymbolEditor = nullptr;

  TDataTableTool* Tool() const;
  void FormShow(TObject* Sender);

private:
  // The position controls work only without automatic placing.
  void EnablePosition();
  bool FShown = false;
};
