#pragma once
// The editor forms of the two grid tools: the surface-nearest tool's surface
// and colours, and the grid-transpose tool's series with its button.
#include "chart/engine/PlotCanvas.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TSurfaceNearestTool;
class TGridTransposeTool;

// The tool is the form's Tag.
class TSurfaceNearest : public TForm {
  KV_CLASS(TSurfaceNearest, TForm)
public:
  explicit TSurfaceNearest(TComponent* Owner);

  TLabel* Label1;
  TComboFlat* CBSeries;
  TButtonColor *ButtonColor1, *ButtonColor2, *ButtonColor3;
  TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;

  void FormShow(TObject* Sender);
  void CBSeriesChange(TObject* Sender);

private:
  TSurfaceNearestTool* Tool() const;
  // Sets one colour of the tool from a "Default" or "None" box.
  void SetColour(const char* Property, TColor Value, TButtonColor* Button);
  bool FLoading = false;
};

class TGridTransposeToolEdit : public TForm {
  KV_CLASS(TGridTransposeToolEdit, TForm)
public:
  explicit TGridTransposeToolEdit(TComponent* Owner);

  TLabel* Label1;
  TComboFlat* CBSeries;
  TButton* BTranspose;

  void FormShow(TObject* Sender);
  void CBSeriesChange(TObject* Sender);
  void BTransposeClick(TObject* Sender);

private:
  TGridTransposeTool* Tool() const;
};

namespace PlotGridToolEdit {

// Registers both forms by class name for the chart editor's tool page.
void Initialize();

}  // namespace PlotGridToolEdit
