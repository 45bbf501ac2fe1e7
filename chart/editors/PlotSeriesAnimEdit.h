#pragma once
// The series animation tool's editor: steps, start value, drawing frequency,
// looping, and a button that runs or stops the animation.
#include "chart/editors/PlotToolSeriesEdit.h"

class TSeriesAnimationTool;
class TTimer;

class TSeriesAnimToolEditor : public TSeriesToolEditor {
  KV_CLASS(TSeriesAnimToolEditor, TSeriesToolEditor)
public:
  explicit TSeriesAnimToolEditor(TComponent* Owner);
  TLabel *Label2, *Label3, *Label4, *Label5, *Label6;
  TScrollBar* SBSteps;
  TCheckBox* CBStartMin;
  TEdit *EStart, *Edit1;
  TUpDown* UpDown1;
  TComboFlat* ComboFlat1;
  TButton* Button1;
  // Watches a running animation to give the button back its caption.
  TTimer* Timer1;

  void Button1Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // The button's caption and enabling from the tool's state.
  void RefreshButton();

private:
  TSeriesAnimationTool* AnimTool() const;
  void RefreshControls();
};
