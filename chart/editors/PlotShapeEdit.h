#pragma once
// The shape series format page: pages "Style" (figure, colour, border,
// pattern, transparency, rounded corners, gradient), "Position" (the two
// corners and their units) and "Text" (lines, alignments and the font).
#include "chart/series/PlotPenDlg.h"

class TChartShape;
class TButtonGradient;
class TPlotFontEditor;

class TChartShapeEditor : public TEditorPage {
  KV_CLASS(TChartShapeEditor, TEditorPage)
public:
  explicit TChartShapeEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabStyle, *TabPosition, *TabText;
  // ---- Style ----
  TLabel* Label1;
  TComboFlat* CBStyle;
  TButtonColor* BShapeColor;
  TButtonPen* BShapePen;
  TCheckBox* CBTrans;
  TButton* BShapeBrush;
  TCheckBox* CBRound;
  TButtonGradient* BGradient;
  // ---- Position ----
  TLabel *LX0, *LX1, *LY0, *LY1, *LUnits;
  TEdit *SEX0, *SEX1, *SEY0, *SEY1;
  TComboFlat* CBUnits;
  // ---- Text ----
  TLabel* LText;
  TMemo* MemoText;
  TRadioGroup *RGAlign, *RGVertAlign;
  TPlotFontEditor* FontEditor = nullptr;

  void FormShow(TObject* Sender);
  TChartShape* Shape() const;

private:
  void RowRule(int32_t Row);
  // Writes the corner typed into Edit; empty and unreadable text is skipped.
  void CornerChanged(TEdit* Edit, void (TChartShape::*Setter)(double));
  bool FShowing = false;
  int32_t FRowStyle = -1, FRowBrush = -1;
};
