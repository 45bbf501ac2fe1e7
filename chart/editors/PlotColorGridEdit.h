#pragma once
// The colour grid series format page: centred points, smoothing, the grid
// line spacing in X and Z, and a picture loaded as the grid, with the palette
// page as the tab "Grid 3D" of the series page. The grid and frame pen
// buttons edit nothing here and are shown disabled.
#include "chart/editors/PlotSeriesFormBase.h"

class TColorGridSeries;

class TColorGridEditor : public TSeriesFormBase {
  KV_CLASS(TColorGridEditor, TSeriesFormBase)
public:
  explicit TColorGridEditor(TComponent* Owner);

  TCheckBox *CBCentered, *CBSmooth;
  TGroupBox* GroupBox1;
  TLabel *Label1, *Label2;
  TEdit *Edit2, *Edit1;
  TUpDown *UDX, *UDZ;
  TButton* Button2;
  TButtonPen *BGrid, *ButtonPen1;

  TColorGridSeries* Grid() const;
  void Button2Click(TObject* Sender);

protected:
  void FillForm() override;
};

namespace PlotColorGridEdit {
// Makes the picture in FileName the series' grid, one cell per pixel. Raises
// EInvalidGraphic, leaving the series as it was, for a file that holds no
// readable picture or one with more pixels than a grid can index.
void LoadGridPicture(TColorGridSeries& Series, const std::string& FileName);
}  // namespace PlotColorGridEdit
