#pragma once
// The legend symbol editor: width and its units, position, continuity,
// visibility, border and gradient of the legend's symbols. Bound to the
// symbol in its Tag; every change reaches the symbol at once.
#include "chart/series/PlotPenDlg.h"

class TButtonGradient;
class TLegendSymbol;

class TSymbolEditor : public TEditorPage {
  KV_CLASS(TSymbolEditor, TEditorPage)
public:
  explicit TSymbolEditor(TComponent* Owner);
  TLabel* LColWi;
  TEdit* SEColWi;
  TUpDown* UDColWi;
  TLabel* LColWUnits;
  TComboFlat* CBColWUnits;
  TLabel* LSymbolPos;
  TComboFlat* CBSymbolPos;
  TCheckBox *CBContinuous, *CBVisible, *CBSymPen, *CBSquared;
  TButtonPen* BSymPen;
  TButtonGradient* BSymGradient;

  TLegendSymbol* Symbol() const;
  void FormShow(TObject* Sender);

private:
  // The border button and the width controls follow the symbol's flags.
  void RefreshEnabled();
  bool FChanging = true;
};
