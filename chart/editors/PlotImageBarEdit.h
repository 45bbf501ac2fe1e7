#pragma once
// The image bar series format page: the bar picture (browse or clear), its
// tiling, and the bar page as tab "Bar" without the bar style.
#include "chart/editors/PlotSeriesFormBase.h"

class TImageBarSeries;

class TImageBarSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TImageBarSeriesEditor, TSeriesFormBase)
public:
  explicit TImageBarSeriesEditor(TComponent* Owner);

  TImage* Image1;
  TButton* BBrowse;
  TCheckBox* CBTiled;

  TForm* BarForm() const { return EmbeddedForm("Bar"); }
  void BBrowseClick(TObject* Sender);

protected:
  void FillForm() override;

private:
  void RefreshPicture();
};
