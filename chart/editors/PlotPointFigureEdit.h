#pragma once
// The point-and-figure series format page: box size and reversal amount,
// with "Up" and "Down" pointer tabs for the two symbols.
#include "chart/series/PlotPenDlg.h"

class TPointFigureEditor : public TEditorPage {
  KV_CLASS(TPointFigureEditor, TEditorPage)
public:
  explicit TPointFigureEditor(TComponent* Owner);
  void BeforeDestruction() override;

  TLabel *Label1, *Label2;
  TEdit *EBoxSize, *EReversal;

  void FormShow(TObject* Sender);
  TForm* UpForm() const { return FUpForm.Get(); }
  TForm* DownForm() const { return FDownForm.Get(); }

private:
  // Writes a number typed into Edit to the edited series' property; text that
  // is no number, and a box size not above 0, keep the current value.
  void EditChanged(TEdit* Edit, const char* Property);
  TForm* SymbolTab(const char* Property, const char* Caption);
  bool FShowing = false;
  WeakRef<TForm> FUpForm, FDownForm;
};
