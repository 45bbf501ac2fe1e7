#pragma once
// The arrow series format page: border and pattern of the arrow heads,
// their width and height, the head size in percent and the colours.
#include "chart/series/PlotPenDlg.h"

class TArrowSeries;

class TArrowSeriesEditor : public TEditorPage {
  KV_CLASS(TArrowSeriesEditor, TEditorPage)
public:
  explicit TArrowSeriesEditor(TComponent* Owner);

  TButtonPen* BPen;
  TButton* BBrush;
  TLabel *Label1, *Label2, *Label3;
  TEdit *SEArrowWidth, *SEArrowHeight;
  TUpDown *UDArrowWidth, *UDArrowHeight;
  TScrollBar* SBPercent;
  TLabel* LPercent;
  TCheckBox* CBColorEach;
  TButtonColor* BArrowColor;

  void FormShow(TObject* Sender);

private:
  void RowRule(int32_t Row);
  void ShowPercent();
  TArrowSeries* Arrows() const;
  int32_t FRowPercent = -1, FRowColorEach = -1;
};
