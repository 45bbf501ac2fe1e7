#pragma once
// The grid band tool's editor: the two bands' pattern, back colour,
// transparency and gradient, one band at a time, with a preview.
#include "chart/editors/PlotAxisToolEdit.h"

class TButtonGradient;
class TGridBandBrush;
class TGridBandTool;
class TPaintBox;
class TTabControl;

class TGridBandToolEdit : public TAxisToolEditor {
  KV_CLASS(TGridBandToolEdit, TAxisToolEditor)
public:
  explicit TGridBandToolEdit(TComponent* Owner);
  TTabControl* TabControl1;
  TButton* BBand1;
  TButtonColor* ButtonColor1;
  TLabel* Label2;
  TEdit* Edit1;
  TUpDown* UpDown1;
  TButtonGradient* ButtonGradient1;
  TPaintBox* Draw3D1;

  // The band the tabs have chosen.
  TGridBandBrush* Band() const;
  void TabControl1Change(TObject* Sender);
  // Edits the band brush's colour.
  void Draw3D1Click(TObject* Sender);
  void Draw3D1Paint(TObject* Sender);

private:
  TGridBandTool* GridTool() const;
  // Binds the band rows to the chosen band.
  void BindBand();
};
